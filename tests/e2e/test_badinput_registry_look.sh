#!/usr/bin/env bash
# Hand-edited values of the keys that decide how the verse looks, each kind of bad value on
# each key, judged from outside the process (the table is in badinput_registry.sh).
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/outside.sh"
. "$(dirname "$0")/badinput_registry.sh"
outside_setup 1024x768

# A coloured desktop, so that a transparent background can be told from a black one.
wine "$DRIVER" solid-window 30 60 90 >/dev/null 2>&1 &
SOLID=$!
sleep 1.5

registry_reference
registry_cases FontSize FontBold FontItalic DropShadow Font Color ScreenColor ColorType

kill "$SOLID" 2>/dev/null; wait "$SOLID" 2>/dev/null
echo "cases: $CASES"
e2e_finish
