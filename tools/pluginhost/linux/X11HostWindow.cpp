#include "tools/pluginhost/linux/X11HostWindow.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <thread>

namespace
{

// A host must survive requests about windows the module already destroyed.
int IgnoreXError(Display*, XErrorEvent*)
{
  return 0;
}

Display* SharedDisplay()
{
  static Display* const display = [] {
    Display* opened = XOpenDisplay(nullptr);
    if (opened)
      XSetErrorHandler(&IgnoreXError);
    return opened;
  }();
  return display;
}

}  // namespace

X11HostWindow::X11HostWindow(int width, int height, int x)
{
  display = SharedDisplay();
  if (!display)
  {
    error = "cannot open the X display";
    return;
  }
  int event = 0, errorBase = 0, major = 0, minor = 0;
  if (!XTestQueryExtension(display, &event, &errorBase, &major, &minor))
  {
    error = "the X server has no XTEST extension";
    return;
  }
  const int screen = DefaultScreen(display);
  XSetWindowAttributes attributes{};
  attributes.background_pixel = BlackPixel(display, screen);
  attributes.override_redirect = False;
  window = XCreateWindow(display, RootWindow(display, screen), x, 0, static_cast<unsigned>(width),
                         static_cast<unsigned>(height), 0, CopyFromParent, InputOutput,
                         CopyFromParent, CWBackPixel, &attributes);
  XStoreName(display, window, "Quillwave host");
  XMapWindow(display, window);
  XSync(display, False);
}

X11HostWindow::~X11HostWindow()
{
  if (display)
    Destroy();
}

unsigned long X11HostWindow::EditorWindow()
{
  if (!window || destroyed)
    return 0;
  XSync(display, False);
  Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display, window, &root, &parent, &children, &count))
    return 0;
  const unsigned long editor = count > 0 ? children[0] : 0;
  if (children)
    XFree(children);
  return editor;
}

unsigned long X11HostWindow::FocusWindow()
{
  if (!display)
    return 0;
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(display, &focus, &revert);
  return focus;
}

void X11HostWindow::Focus()
{
  if (!window || destroyed)
    return;
  XSetInputFocus(display, window, RevertToParent, CurrentTime);
  XSync(display, False);
}

void X11HostWindow::SendXEmbed(long message)
{
  const unsigned long editor = EditorWindow();
  if (!editor)
    return;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = editor;
  event.xclient.message_type = XInternAtom(display, "_XEMBED", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = CurrentTime;
  event.xclient.data.l[1] = message;
  XSendEvent(display, editor, False, NoEventMask, &event);
  XSync(display, False);
}

bool X11HostWindow::XEmbedInfo(uint32_t& version, uint32_t& flags)
{
  const unsigned long editor = EditorWindow();
  if (!editor)
    return false;
  const Atom info = XInternAtom(display, "_XEMBED_INFO", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, editor, info, 0, 2, False, AnyPropertyType, &type, &format,
                         &count, &after, &data) != Success ||
      !data)
    return false;
  const bool read = format == 32 && count == 2;
  if (read)
  {
    // Xlib hands 32-bit properties back as longs.
    const auto* values = reinterpret_cast<const long*>(data);
    version = static_cast<uint32_t>(values[0]);
    flags = static_cast<uint32_t>(values[1]);
  }
  XFree(data);
  return read;
}

std::vector<X11HostWindow::Popup> X11HostWindow::Popups()
{
  std::vector<Popup> popups;
  if (!display)
    return popups;
  XSync(display, False);
  Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
    return popups;
  for (unsigned i = 0; i < count; ++i)
  {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, children[i], &attributes) && attributes.override_redirect &&
        attributes.map_state == IsViewable)
      popups.push_back({attributes.x, attributes.y, attributes.width, attributes.height});
  }
  if (children)
    XFree(children);
  return popups;
}

bool X11HostWindow::WaitForPopups(size_t count, int timeoutMs)
{
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (Popups().size() != count)
  {
    if (std::chrono::steady_clock::now() > end)
      return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

void X11HostWindow::MoveToScreen(int x, int y)
{
  if (!display)
    return;
  XTestFakeMotionEvent(display, DefaultScreen(display), x, y, CurrentTime);
  XSync(display, False);
}

void X11HostWindow::MoveTo(int x, int y)
{
  if (!window || destroyed)
    return;
  Window child = 0;
  int rootX = 0, rootY = 0;
  XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &rootX, &rootY, &child);
  MoveToScreen(rootX, rootY);
}

void X11HostWindow::Button(int button, bool down)
{
  XTestFakeButtonEvent(display, static_cast<unsigned>(button), down ? True : False, CurrentTime);
  XSync(display, False);
}

void X11HostWindow::Click(int x, int y, int button)
{
  MoveTo(x, y);
  Button(button, true);
  Button(button, false);
}

void X11HostWindow::Key(const char* keysymName)
{
  const KeySym keysym = XStringToKeysym(keysymName);
  const KeyCode code = keysym == NoSymbol ? 0 : XKeysymToKeycode(display, keysym);
  if (!code)
    return;
  XTestFakeKeyEvent(display, code, True, CurrentTime);
  XTestFakeKeyEvent(display, code, False, CurrentTime);
  XSync(display, False);
}

namespace
{

bool CaptureDrawable(Display* display, unsigned long drawable, int x, int y, int width, int height,
                     std::vector<uint32_t>& pixels)
{
  XImage* image = XGetImage(display, drawable, x, y, static_cast<unsigned>(width),
                            static_cast<unsigned>(height), AllPlanes, ZPixmap);
  if (!image)
    return false;
  pixels.resize(static_cast<size_t>(width) * height);
  for (int row = 0; row < height; ++row)
    for (int column = 0; column < width; ++column)
      pixels[static_cast<size_t>(row) * width + column] =
          static_cast<uint32_t>(XGetPixel(image, column, row)) & 0xFFFFFFu;
  XDestroyImage(image);
  return true;
}

}  // namespace

bool X11HostWindow::Capture(std::vector<uint32_t>& pixels, int& width, int& height)
{
  const unsigned long editor = EditorWindow();
  if (!editor)
    return false;
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(display, editor, &attributes))
    return false;
  width = attributes.width;
  height = attributes.height;
  return CaptureDrawable(display, editor, 0, 0, width, height, pixels);
}

bool X11HostWindow::CaptureScreen(int x, int y, int width, int height,
                                  std::vector<uint32_t>& pixels)
{
  return display &&
         CaptureDrawable(display, DefaultRootWindow(display), x, y, width, height, pixels);
}

void X11HostWindow::Destroy()
{
  if (!window || destroyed)
    return;
  XDestroyWindow(display, window);
  XSync(display, False);
  destroyed = true;
}
