// vellumway: the XScreenSaver hack. The daemon starts one per monitor with --root and ends it
// with SIGTERM; the settings program's preview adds --window-id. The verse shows on the
// primary monitor through the same frmMain as on Windows; the other monitors show their
// background only.
// The shared floors first: Xlib's macros (DisplayWidth, ...) would rename their members.
#include "app/ProgramState.h"
#include "app/frmMain.h"
// clang-format off
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xinerama.h>
// clang-format on
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>

#include "x11/HackLoop.h"
#include "x11/HackOptions.h"
#include "x11/HackPlace.h"
#include "x11/HackScreens.h"
#include "x11/XftSurface.h"

namespace vw::x11 {
namespace {

int signalPipe[2] = {-1, -1};

void OnSignal(int sig) {
  const unsigned char byte = static_cast<unsigned char>(sig);
  [[maybe_unused]] ssize_t n = write(signalPipe[1], &byte, 1);
}

// The window may go away under us (the preview closed): its errors are expected.
int IgnoreXError(Display*, XErrorEvent*) { return 0; }

void Say(const std::string& line) { std::fprintf(stderr, "vellumway: %s\n", line.c_str()); }

std::string ExecutableFolder() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.parent_path().string() + "/";
}

std::string FileText(const std::string& path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<ScreenRect> Heads(Display* dpy) {
  std::vector<ScreenRect> heads;
  int count = 0;
  if (XineramaIsActive(dpy)) {
    if (XineramaScreenInfo* info = XineramaQueryScreens(dpy, &count)) {
      for (int i = 0; i < count; ++i)
        heads.push_back({info[i].x_org, info[i].y_org, info[i].width, info[i].height});
      XFree(info);
    }
  }
  return heads;
}

// The daemon's desktop image of this window's monitor, when there is one.
std::optional<Pixmap> DesktopImage(Display* dpy, Window window) {
  const Atom property = XInternAtom(dpy, "_SCREENSAVER_SCREENSHOT", True);
  if (property == None) return std::nullopt;
  Atom type;
  int format;
  unsigned long items, after;
  unsigned char* data = nullptr;
  std::optional<Pixmap> image;
  if (XGetWindowProperty(dpy, window, property, 0, 1, False, XA_PIXMAP, &type, &format, &items,
                         &after, &data) == Success &&
      type == XA_PIXMAP && format == 32 && items == 1)
    image = *reinterpret_cast<Pixmap*>(data);
  if (data) XFree(data);
  return image;
}

Window ChooseWindow(Display* dpy, const HackOptions& options) {
  const Window root = DefaultRootWindow(dpy);
  if (options.window == WindowChoice::WindowId) return options.windowId;
  if (options.window == WindowChoice::Root) {
    const char* env = std::getenv("XSCREENSAVER_WINDOW");
    const unsigned long id = env ? std::strtoul(env, nullptr, 0) : 0;
    return id ? id : root;
  }
  // Started from a terminal: a window of its own to try it in.
  const int screen = DefaultScreen(dpy);
  Window own = XCreateSimpleWindow(dpy, root, 0, 0, 960, 600, 0, BlackPixel(dpy, screen),
                                   BlackPixel(dpy, screen));
  XStoreName(dpy, own, "Vellumway");
  Atom close = XInternAtom(dpy, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(dpy, own, &close, 1);
  XMapWindow(dpy, own);
  return own;
}

struct Hack {
  Display* dpy;
  Window window;
  XWindowAttributes attr;
  ScreenRect place;  // the window on the root
  bool allowImages;
  std::unique_ptr<XftFonts> fonts;
  std::unique_ptr<XftSurface> picWork, picText, picBlank, picCapture, windowSurface;

  // The window's part of the desktop image, or black.
  void Capture(ISurface& target) {
    auto* surface = dynamic_cast<XftSurface*>(&target);
    if (!surface) return;
    surface->Resize(attr.width, attr.height);
    const auto image = allowImages ? DesktopImage(dpy, window) : std::nullopt;
    if (!image) return;
    Window root;
    int x, y;
    unsigned int w = 0, h = 0, border, depth = 0;
    if (!XGetGeometry(dpy, *image, &root, &x, &y, &w, &h, &border, &depth) ||
        static_cast<int>(depth) != surface->depth())
      return;
    const ImageCrop crop = ScreenshotCrop(static_cast<int>(w), static_cast<int>(h), place,
                                          WidthOfScreen(attr.screen), HeightOfScreen(attr.screen));
    surface->CopyFromDrawable(*image, 0, 0, crop.width, crop.height, crop.x, crop.y);
  }
};

}  // namespace

int Main(int argc, char** argv) {
  const HackOptions options = ParseHackOptions(std::vector<std::string>(argv + 1, argv + argc));
  for (const std::string& w : options.warnings) Say(w);

  if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return 1;
  struct sigaction action{};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) sigaction(sig, &action, nullptr);

  Display* dpy = XOpenDisplay(nullptr);
  if (!dpy) {
    Say("cannot open the display");
    return 1;
  }
  XSetErrorHandler(IgnoreXError);
  Hack hack{dpy, ChooseWindow(dpy, options), {}, {}, true, {}, {}, {}, {}, {}, {}};
  if (!XGetWindowAttributes(dpy, hack.window, &hack.attr)) {
    Say("no window to draw on");
    return 1;
  }
  XSelectInput(dpy, hack.window, StructureNotifyMask | ExposureMask);
  Window child;
  XTranslateCoordinates(dpy, hack.window, hack.attr.root, 0, 0, &hack.place.x, &hack.place.y,
                        &child);
  hack.place.width = hack.attr.width;
  hack.place.height = hack.attr.height;
  const char* home = std::getenv("HOME");
  hack.allowImages = DesktopImagesAllowed(home ? FileText(std::string(home) + "/.xscreensaver") : "");

  // Points to pixels at the server's Xft.dpi (96 when unset); a preview scales its sizes to
  // its height, as a small copy of the full screen.
  const char* dpiText = XGetDefault(dpy, "Xft", "dpi");
  double pixelsPerPoint = (dpiText && std::atof(dpiText) > 0 ? std::atof(dpiText) : 96.0) / 72.0;
  if (options.window == WindowChoice::WindowId)
    pixelsPerPoint *= static_cast<double>(hack.attr.height) / HeightOfScreen(hack.attr.screen);
  const int screen = XScreenNumberOfScreen(hack.attr.screen);
  hack.fonts = std::make_unique<XftFonts>(dpy, screen, pixelsPerPoint);
  auto pixmapSurface = [&] {
    return std::make_unique<XftSurface>(*hack.fonts, hack.attr.root, hack.attr.visual,
                                        hack.attr.colormap, hack.attr.depth);
  };
  hack.picWork = pixmapSurface();
  hack.picWork->Resize(1, 1);
  hack.picText = pixmapSurface();
  hack.picBlank = pixmapSurface();
  hack.picCapture = pixmapSurface();
  hack.windowSurface = std::make_unique<XftSurface>(*hack.fonts, hack.window, hack.attr.visual,
                                                    hack.attr.colormap, hack.attr.depth,
                                                    hack.attr.width, hack.attr.height);

  const std::vector<ScreenRect> heads = Heads(dpy);
  const bool showsVerse = ShowsVerse(options.window, heads, hack.place);
  const std::string verseFolder = FindVerseFolder(
      ExecutableFolder(), std::getenv("XDG_DATA_DIRS"),
      [](const std::string& path) { return std::filesystem::is_regular_file(path); });
  HackSettingsStore store(options.settings,
                          PlaceFilePath(std::getenv("XDG_STATE_HOME"), home));
  HackHost host(verseFolder, [&](ISurface& target) { hack.Capture(target); });
  LoopTimer timNextVerse(0), timFont(kFontTimerMs);  // Go gives timNextVerse its interval
  ProgramState program;
  std::unique_ptr<frmMain> form;
  // The verse's part of the window, for its size now.
  auto resizeForm = [&] {
    const ScreenRect area = VerseArea(heads, hack.place);
    form->Form_Resize(hack.attr.width, hack.attr.height,
                      LayoutArea{area.x, area.y, area.width, area.height});
  };

  if (showsVerse && verseFolder.empty()) {
    Say("kjv.dat not found beside the program (" + ExecutableFolder() +
        ") nor in $XDG_DATA_DIRS/vellumway (/usr/local/share:/usr/share); showing black");
  } else if (showsVerse) {
    if (const std::string note = store.LoadPlace(); !note.empty()) Say(note);
    // Full screen also in a preview: the preview scales its fonts instead.
    form = std::make_unique<frmMain>(
        program, DisplayMode::FullScreen, store,
        DisplaySurfaces{*hack.picWork, *hack.picText, *hack.picBlank, *hack.picCapture,
                        *hack.windowSurface},
        timNextVerse, timFont, host);
    if (!form->Form_Load()) {
      Say(verseFolder + "kjv.dat holds no verse that can be read; showing black");
      form.reset();
      host.Resume();
    }
  }

  // Without a verse: the background alone, composed once. (frmMain loaded the settings.)
  if (!form) LoadSettings(store, program.Settings);
  auto paintBackground = [&] {
    hack.picText->Resize(hack.attr.width, hack.attr.height);
    if (showsVerse == false && program.Settings.ScreenColor) hack.Capture(*hack.picText);
    hack.windowSurface->CopyFrom(*hack.picText, 0, 0, hack.attr.width, hack.attr.height, 0, 0);
  };
  if (form) {
    resizeForm();
    form->Form_Paint();
    form->Go();
  } else {
    paintBackground();
  }
  XFlush(dpy);

  int endSignal = 0;
  const int xfd = ConnectionNumber(dpy);
  while (!host.Ended()) {
    const auto now = Clock::now();
    int wait = -1;
    for (const LoopTimer* t : {&timNextVerse, &timFont}) {
      const int left = t->MillisecondsLeft(now);
      if (left >= 0 && (wait < 0 || left < wait)) wait = left;
    }
    if (XPending(dpy)) wait = 0;
    pollfd fds[2] = {{xfd, POLLIN, 0}, {signalPipe[0], POLLIN, 0}};
    poll(fds, 2, wait);
    unsigned char sig = 0;
    if (read(signalPipe[0], &sig, 1) == 1) {
      endSignal = sig;
      if (form) form->Form_Unload();
      break;
    }
    bool resized = false, exposed = false, gone = false;
    while (XPending(dpy)) {
      XEvent e;
      XNextEvent(dpy, &e);
      if (e.type == ConfigureNotify && e.xconfigure.window == hack.window) {
        resized = resized || e.xconfigure.width != hack.attr.width ||
                  e.xconfigure.height != hack.attr.height;
        hack.attr.width = e.xconfigure.width;
        hack.attr.height = e.xconfigure.height;
      } else if (e.type == Expose && e.xexpose.count == 0) {
        exposed = true;
      } else if (e.type == DestroyNotify && e.xdestroywindow.window == hack.window) {
        gone = true;
      } else if (e.type == ClientMessage) {
        gone = true;  // the window manager's close box on a window of our own
      }
    }
    if (gone) {
      if (form) form->Form_Unload();
      break;
    }
    if (resized) {
      hack.windowSurface->Resize(hack.attr.width, hack.attr.height);
      if (form) {
        hack.place.width = hack.attr.width;
        hack.place.height = hack.attr.height;
        resizeForm();
        form->Form_GotFocus();
      } else {
        paintBackground();
      }
    } else if (exposed) {
      if (form) {
        form->Form_Paint();
      } else {
        hack.windowSurface->CopyFrom(*hack.picText, 0, 0, hack.attr.width, hack.attr.height, 0, 0);
      }
    }
    if (form) {
      const auto later = Clock::now();
      timNextVerse.FireIfDue(later, [&] { form->timNextVerse_Timer(); });
      timFont.FireIfDue(later, [&] { form->timFont_Timer(); });
    }
    XFlush(dpy);
  }

  if (form && !store.SavePlace()) Say("could not save the reading place in " + store.PlacePath());
  form.reset();
  hack.picWork.reset();
  hack.picText.reset();
  hack.picBlank.reset();
  hack.picCapture.reset();
  hack.windowSurface.reset();
  hack.fonts.reset();
  XCloseDisplay(dpy);
  if (endSignal) {
    // The daemon reads the exit status: killed by its SIGTERM is no crash.
    signal(endSignal, SIG_DFL);
    raise(endSignal);
  }
  return 0;
}

}  // namespace vw::x11

int main(int argc, char** argv) {
  return vw::x11::Main(argc, argv);
}
