#!/usr/bin/env python3
"""What a screenshot of the virtual display shows, for the end-to-end tests.

  look.py text SHOT            pixels of the verse band (rows 184 to 583) that differ from the
                               background (the pixel at 3,3) by more than 20 in a channel
  look.py shade SHOT COLOUR    exit 0 when the band's text is a shade of COLOUR, 1 when not
                               (or no text), 2 when it is white: every shade ends in white at
                               its brightest, so such a frame tells nothing
  look.py underlined SHOT      exit 0 when the title at the top (rows 0 to 119) is underlined:
                               one row of text pixels runs across 90 % of the title's width
  look.py pitch SHOT           how far apart the tops of the band's first two lines of text are
                               (0 for fewer than two): the face's line height in pixels
  look.py count SHOT X Y W H R,G,B TOL
                               pixels of the box within TOL of the colour in every channel

COLOUR is one of the six families of the text: each channel is the level L or 2L, capped at
255; grey (L,L,L), green (L,2L,L), red (2L,L,L), blue (L,L,2L), yellow (2L,2L,L) and cyan
(L,2L,2L). Judged by the mean red, green and blue of the text's bright pixels (60 % of the
brightest and above): whatever the random level, the 2L channels are equal and above the L
channels, which are equal. Pixels are read through ImageMagick's PPM output.
"""
import itertools
import subprocess
import sys

FAMILIES = {"grey": (1, 1, 1), "green": (1, 2, 1), "red": (2, 1, 1), "blue": (1, 1, 2),
            "yellow": (2, 2, 1), "cyan": (1, 2, 2)}


def pixels(shot, x, y, w, h):
    """The box's rows, each a list of (r, g, b)."""
    ppm = subprocess.run(["convert", shot, "-crop", f"{w}x{h}+{x}+{y}", "+repage", "ppm:-"],
                         capture_output=True, check=True).stdout
    fields = ppm.split(maxsplit=4)  # P6, width, height, 255, the bytes
    w, h, data = int(fields[1]), int(fields[2]), fields[4]
    return [[tuple(data[i:i + 3]) for i in range(r * w * 3, (r + 1) * w * 3, 3)] for r in range(h)]


def band(shot):
    return [p for row in pixels(shot, 0, 184, 1024, 400) for p in row]


def unlike_background(shot):
    """Whether a pixel differs from the background (the pixel at 3,3) by more than 20."""
    back = pixels(shot, 3, 3, 1, 1)[0][0]
    return lambda p: max(abs(a - b) for a, b in zip(p, back)) > 20


def text(shot):
    return sum(map(unlike_background(shot), band(shot)))


def shade(shot, colour):
    seen = band(shot)
    hi = max(max(p) for p in seen)
    bright = [p for p in seen if hi and max(p) >= 0.6 * hi]
    if not bright:
        return 1
    mean = [sum(p[c] for p in bright) / len(bright) for c in range(3)]
    if min(mean) / max(mean) > 0.99 and hi > 0.97 * 255 and colour != "grey":
        return 2
    family = FAMILIES[colour]
    doubled = [m for m, f in zip(mean, family) if f == 2] or mean
    single = [m for m, f in zip(mean, family) if f == 1 and 2 in family]
    close = max(doubled) / 40
    ok = max(doubled) - min(doubled) < close and (
        not single or (max(single) - min(single) < close and max(single) / min(doubled) < 0.99))
    return 0 if ok else 1


def underlined(shot):
    lit = unlike_background(shot)
    rows = [[lit(p) for p in row] for row in pixels(shot, 0, 0, 1024, 120)]
    columns = [x for row in rows for x, on in enumerate(row) if on]
    runs = [len(list(run)) for row in rows for on, run in itertools.groupby(row) if on]
    width = max(columns) - min(columns) + 1 if columns else 0
    return 0 if width > 20 and max(runs) >= 0.9 * width else 1


def pitch(shot):
    lit = unlike_background(shot)
    rows = [any(map(lit, row)) for row in pixels(shot, 0, 184, 1024, 400)]
    tops = [y for y, on in enumerate(rows) if on and (y == 0 or not rows[y - 1])]
    return tops[1] - tops[0] if len(tops) > 1 else 0


def count(shot, x, y, w, h, colour, tol):
    want = [int(c) for c in colour.split(",")]
    return sum(all(abs(a - b) <= int(tol) for a, b in zip(p, want))
               for row in pixels(shot, int(x), int(y), int(w), int(h)) for p in row)


if __name__ == "__main__":
    command, args = sys.argv[1], sys.argv[2:]
    if command in ("text", "count", "pitch"):
        print({"text": text, "count": count, "pitch": pitch}[command](*args))
    else:
        sys.exit({"shade": shade, "underlined": underlined}[command](*args))
