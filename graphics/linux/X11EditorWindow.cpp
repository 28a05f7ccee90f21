#include "graphics/linux/X11EditorWindow.h"

#include "raster/RasterBitmap.h"

#include <xcb/xcb.h>

#include <poll.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace
{

// XEmbed (freedesktop.org): protocol version 0, the client is mapped, and
// the messages this window answers or sends.
constexpr uint32_t kXEmbedVersion = 0;
constexpr uint32_t kXEmbedMapped = 1;
constexpr uint32_t kXEmbedEmbeddedNotify = 0;
constexpr uint32_t kXEmbedRequestFocus = 3;
constexpr uint32_t kXEmbedFocusIn = 4;
constexpr uint32_t kXEmbedFocusOut = 5;

// A put_image request's fixed part, in bytes.
constexpr uint32_t kPutImageHeader = 24;

template <class Reply>
struct FreeReply
{
  void operator()(Reply* reply) const { std::free(reply); }
};
template <class Reply>
using ReplyPtr = std::unique_ptr<Reply, FreeReply<Reply>>;

xcb_atom_t InternAtom(xcb_connection_t* c, const char* name)
{
  ReplyPtr<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
      c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
  return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

bool MachineIsLittleEndian()
{
  const uint32_t probe = 1;
  unsigned char first = 0;
  std::memcpy(&first, &probe, 1);
  return first == 1;
}

// Whether the server takes our pixel words as they are: 24-bit true colour
// with red, green and blue in bits 16, 8 and 0 of 32-bit pixels, in the
// machine's byte order.
bool TakesOurPixels(const xcb_setup_t* setup, const xcb_screen_t* screen)
{
  const bool serverLittle = setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST;
  if (screen->root_depth != 24 || serverLittle != MachineIsLittleEndian())
    return false;
  bool thirtyTwoBits = false;
  for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f))
    if (f.data->depth == 24)
      thirtyTwoBits = f.data->bits_per_pixel == 32;
  if (!thirtyTwoBits)
    return false;
  for (auto d = xcb_screen_allowed_depths_iterator(screen); d.rem; xcb_depth_next(&d))
    for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v))
      if (v.data->visual_id == screen->root_visual)
        return v.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR && v.data->red_mask == 0xFF0000 &&
               v.data->green_mask == 0x00FF00 && v.data->blue_mask == 0x0000FF;
  return false;
}

}  // namespace

struct X11EditorWindow::Connection
{
  ~Connection()
  {
    if (!c)
      return;
    if (window != XCB_WINDOW_NONE && !gone)
      xcb_destroy_window(c, window);
    if (emptyCursor != XCB_CURSOR_NONE)
      xcb_free_cursor(c, emptyCursor);
    if (gc != XCB_NONE)
      xcb_free_gc(c, gc);
    xcb_flush(c);
    xcb_disconnect(c);
  }

  // The keysym in a column of a key's row: the first names the key (letters
  // in lower case), the second is what it gives with Shift.
  uint32_t KeysymOf(xcb_keycode_t code, size_t column) const
  {
    if (code < minKeycode || column >= keysymsPerCode)
      return 0;
    const size_t at = static_cast<size_t>(code - minKeycode) * keysymsPerCode + column;
    return at < keysyms.size() ? keysyms[at] : 0;
  }

  void SendXEmbed(uint32_t message)
  {
    if (embedder == XCB_WINDOW_NONE)
      return;
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = embedder;
    event.type = xembed;
    event.data.data32[0] = XCB_CURRENT_TIME;
    event.data.data32[1] = message;
    xcb_send_event(c, 0, embedder, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event));
  }

  xcb_connection_t* c = nullptr;
  xcb_window_t parent = XCB_WINDOW_NONE;
  xcb_window_t root = XCB_WINDOW_NONE;
  xcb_window_t window = XCB_WINDOW_NONE;
  xcb_gcontext_t gc = XCB_NONE;
  xcb_cursor_t emptyCursor = XCB_CURSOR_NONE;
  xcb_atom_t xembed = XCB_ATOM_NONE;
  xcb_window_t embedder = XCB_WINDOW_NONE;
  uint8_t depth = 24;
  xcb_visualid_t visual = 0;
  xcb_colormap_t colormap = 0;
  int screenWidth = 0;
  int screenHeight = 0;
  xcb_keycode_t minKeycode = 0;
  uint8_t keysymsPerCode = 0;
  std::vector<uint32_t> keysyms;
  std::vector<uint32_t> band;
  bool gone = false;
  bool cursorHidden = false;
  int16_t savedRootX = 0;
  int16_t savedRootY = 0;
};

std::unique_ptr<X11EditorWindow> X11EditorWindow::Open(uint32_t parent, int width, int height)
{
  if (parent == XCB_WINDOW_NONE || width <= 0 || height <= 0)
    return nullptr;
  auto connection = std::make_unique<Connection>();
  connection->c = xcb_connect(nullptr, nullptr);
  xcb_connection_t* const c = connection->c;
  if (xcb_connection_has_error(c))
    return nullptr;

  // A stale or foreign id comes back as an error, not as a crash.
  ReplyPtr<xcb_get_geometry_reply_t> geometry(
      xcb_get_geometry_reply(c, xcb_get_geometry(c, parent), nullptr));
  if (!geometry)
    return nullptr;
  const xcb_setup_t* const setup = xcb_get_setup(c);
  const xcb_screen_t* screen = nullptr;
  for (auto s = xcb_setup_roots_iterator(setup); s.rem; xcb_screen_next(&s))
    if (s.data->root == geometry->root)
      screen = s.data;
  if (!screen || !TakesOurPixels(setup, screen))
    return nullptr;

  connection->parent = parent;
  connection->root = screen->root;
  connection->depth = screen->root_depth;
  connection->visual = screen->root_visual;
  connection->colormap = screen->default_colormap;
  connection->screenWidth = screen->width_in_pixels;
  connection->screenHeight = screen->height_in_pixels;
  connection->window = xcb_generate_id(c);
  // Values in the order of their mask bits. No background: every pixel is
  // drawn by the editor, so nothing flickers to a fill colour first. The
  // explicit colormap and border let the window differ in depth from a
  // parent of another visual.
  const uint32_t mask =
      XCB_CW_BACK_PIXMAP | XCB_CW_BORDER_PIXEL | XCB_CW_EVENT_MASK | XCB_CW_COLORMAP;
  const uint32_t values[] = {XCB_BACK_PIXMAP_NONE, 0,
                             XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_BUTTON_PRESS |
                                 XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_POINTER_MOTION |
                                 XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_KEY_RELEASE |
                                 XCB_EVENT_MASK_FOCUS_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY |
                                 XCB_EVENT_MASK_LEAVE_WINDOW,
                             screen->default_colormap};
  ReplyPtr<xcb_generic_error_t> error(xcb_request_check(
      c,
      xcb_create_window_checked(c, screen->root_depth, connection->window, parent, 0, 0,
                                static_cast<uint16_t>(width), static_cast<uint16_t>(height), 0,
                                XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, mask, values)));
  if (error)
  {
    connection->window = XCB_WINDOW_NONE;
    return nullptr;
  }

  connection->xembed = InternAtom(c, "_XEMBED");
  const xcb_atom_t xembedInfo = InternAtom(c, "_XEMBED_INFO");
  const uint32_t info[] = {kXEmbedVersion, kXEmbedMapped};
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, connection->window, xembedInfo, xembedInfo, 32, 2,
                      info);

  connection->gc = xcb_generate_id(c);
  xcb_create_gc(c, connection->gc, connection->window, 0, nullptr);

  const xcb_pixmap_t empty = xcb_generate_id(c);
  xcb_create_pixmap(c, 1, empty, connection->window, 1, 1);
  connection->emptyCursor = xcb_generate_id(c);
  xcb_create_cursor(c, connection->emptyCursor, empty, empty, 0, 0, 0, 0, 0, 0, 0, 0);
  xcb_free_pixmap(c, empty);

  connection->minKeycode = setup->min_keycode;
  const uint8_t codeCount = static_cast<uint8_t>(setup->max_keycode - setup->min_keycode + 1);
  ReplyPtr<xcb_get_keyboard_mapping_reply_t> mapping(xcb_get_keyboard_mapping_reply(
      c, xcb_get_keyboard_mapping(c, setup->min_keycode, codeCount), nullptr));
  if (mapping)
  {
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(mapping.get());
    connection->keysymsPerCode = mapping->keysyms_per_keycode;
    connection->keysyms.assign(syms, syms + xcb_get_keyboard_mapping_keysyms_length(mapping.get()));
  }

  xcb_map_window(c, connection->window);
  xcb_flush(c);
  if (xcb_connection_has_error(c))
    return nullptr;
  return std::unique_ptr<X11EditorWindow>(new X11EditorWindow(std::move(connection)));
}

X11EditorWindow::X11EditorWindow(std::unique_ptr<Connection> connection)
    : connection(std::move(connection))
{
}

X11EditorWindow::~X11EditorWindow() = default;

uint32_t X11EditorWindow::Id() const
{
  return connection->window;
}

uint32_t X11EditorWindow::Parent() const
{
  return connection->parent;
}

int X11EditorWindow::Descriptor() const
{
  return xcb_get_file_descriptor(connection->c);
}

bool X11EditorWindow::Usable() const
{
  return !connection->gone && xcb_connection_has_error(connection->c) == 0;
}

bool X11EditorWindow::NextEvent(X11EditorEvent& out)
{
  Connection& conn = *connection;
  using Kind = X11EditorEvent::Kind;
  while (true)
  {
    ReplyPtr<xcb_generic_event_t> event(xcb_poll_for_event(conn.c));
    if (!event)
      return false;
    out = X11EditorEvent{};
    // Errors of our own requests (a window gone meanwhile) need no answer.
    switch (event->response_type & 0x7F)
    {
      case XCB_EXPOSE:
      {
        const auto* e = reinterpret_cast<const xcb_expose_event_t*>(event.get());
        out.kind = Kind::Expose;
        out.window = e->window;
        out.area = {e->x, e->y, e->x + e->width, e->y + e->height};
        out.last = e->count == 0;
        return true;
      }
      case XCB_BUTTON_PRESS:
      case XCB_BUTTON_RELEASE:
      {
        const auto* e = reinterpret_cast<const xcb_button_press_event_t*>(event.get());
        out.kind = (event->response_type & 0x7F) == XCB_BUTTON_PRESS ? Kind::ButtonPress
                                                                     : Kind::ButtonRelease;
        out.window = e->event;
        out.button = e->detail;
        out.x = e->event_x;
        out.y = e->event_y;
        out.rootX = e->root_x;
        out.rootY = e->root_y;
        out.state = e->state;
        out.time = e->time;
        return true;
      }
      case XCB_MOTION_NOTIFY:
      {
        const auto* e = reinterpret_cast<const xcb_motion_notify_event_t*>(event.get());
        out.kind = Kind::Motion;
        out.window = e->event;
        out.rootX = e->root_x;
        out.rootY = e->root_y;
        out.x = e->event_x;
        out.y = e->event_y;
        out.state = e->state;
        out.time = e->time;
        return true;
      }
      case XCB_KEY_PRESS:
      case XCB_KEY_RELEASE:
      {
        const auto* e = reinterpret_cast<const xcb_key_press_event_t*>(event.get());
        out.kind =
            (event->response_type & 0x7F) == XCB_KEY_PRESS ? Kind::KeyPress : Kind::KeyRelease;
        out.window = e->event;
        out.button = e->detail;
        out.keysym = conn.KeysymOf(e->detail, 0);
        out.shiftedKeysym = conn.KeysymOf(e->detail, 1);
        out.rootX = e->root_x;
        out.rootY = e->root_y;
        out.x = e->event_x;
        out.y = e->event_y;
        out.state = e->state;
        out.time = e->time;
        return true;
      }
      case XCB_LEAVE_NOTIFY:
        if (reinterpret_cast<const xcb_leave_notify_event_t*>(event.get())->event != conn.window)
          break;
        out.kind = Kind::PointerLeft;
        out.window = conn.window;
        return true;
      case XCB_FOCUS_IN:
      case XCB_FOCUS_OUT:
      {
        const auto* e = reinterpret_cast<const xcb_focus_in_event_t*>(event.get());
        // Focus moving between the pointer's windows says nothing about ours,
        // nor does a grab (a popup menu of ours) taking the keyboard for a while.
        if (e->detail == XCB_NOTIFY_DETAIL_POINTER || e->detail == XCB_NOTIFY_DETAIL_INFERIOR ||
            e->mode == XCB_NOTIFY_MODE_GRAB || e->mode == XCB_NOTIFY_MODE_UNGRAB)
          break;
        out.kind = (event->response_type & 0x7F) == XCB_FOCUS_IN ? Kind::FocusIn : Kind::FocusOut;
        return true;
      }
      case XCB_DESTROY_NOTIFY:
      {
        const auto* e = reinterpret_cast<const xcb_destroy_notify_event_t*>(event.get());
        if (e->window != conn.window)
          break;
        conn.gone = true;
        out.kind = Kind::WindowGone;
        return true;
      }
      case XCB_CLIENT_MESSAGE:
      {
        const auto* e = reinterpret_cast<const xcb_client_message_event_t*>(event.get());
        if (e->type != conn.xembed || e->format != 32)
          break;
        const uint32_t message = e->data.data32[1];
        if (message == kXEmbedEmbeddedNotify)
        {
          conn.embedder = e->data.data32[3];
          break;
        }
        // Activation needs no answer; focus is the host's decision to pass on.
        if (message == kXEmbedFocusIn || message == kXEmbedFocusOut)
        {
          out.kind = message == kXEmbedFocusIn ? Kind::FocusIn : Kind::FocusOut;
          return true;
        }
        break;
      }
      default:
        break;
    }
  }
}

bool X11EditorWindow::WaitEvent(X11EditorEvent& event, int timeoutMs)
{
  if (NextEvent(event))
    return true;
  if (!Usable())
    return false;
  pollfd socket{Descriptor(), POLLIN, 0};
  if (poll(&socket, 1, timeoutMs) <= 0)
    return false;
  return NextEvent(event);
}

void X11EditorWindow::Put(const RasterBitmap& bitmap, const IRectangle& area)
{
  if (!connection->gone)
    Put(connection->window, bitmap, area);
}

void X11EditorWindow::Put(uint32_t target, const RasterBitmap& bitmap, const IRectangle& area)
{
  Connection& conn = *connection;
  if (!bitmap.Bits())
    return;
  const int left = std::max(0, area.left);
  const int top = std::max(0, area.top);
  const int right = std::min(bitmap.Width(), area.right);
  const int bottom = std::min(bitmap.Height(), area.bottom);
  if (right <= left || bottom <= top)
    return;
  const int width = right - left;
  // Bands of whole rows that fit one request (the server's limit is in
  // 4-byte units and already counts BIG-REQUESTS when the server has it).
  const uint64_t limit = static_cast<uint64_t>(xcb_get_maximum_request_length(conn.c)) * 4;
  const uint64_t rowBytes = static_cast<uint64_t>(width) * 4;
  const int bandRows = static_cast<int>(
      std::max<uint64_t>(1, (limit > kPutImageHeader ? limit - kPutImageHeader : 0) / rowBytes));
  for (int y = top; y < bottom; y += bandRows)
  {
    const int rows = std::min(bandRows, bottom - y);
    conn.band.resize(static_cast<size_t>(width) * rows);
    for (int r = 0; r < rows; ++r)
      std::memcpy(conn.band.data() + static_cast<size_t>(r) * width,
                  RasterRow(bitmap, y + r) + left, rowBytes);
    xcb_put_image(conn.c, XCB_IMAGE_FORMAT_Z_PIXMAP, target, conn.gc, static_cast<uint16_t>(width),
                  static_cast<uint16_t>(rows), static_cast<int16_t>(left), static_cast<int16_t>(y),
                  0, conn.depth, static_cast<uint32_t>(rowBytes * rows),
                  reinterpret_cast<const uint8_t*>(conn.band.data()));
  }
}

void X11EditorWindow::Flush()
{
  xcb_flush(connection->c);
}

void X11EditorWindow::PointerPosition(int& x, int& y)
{
  x = 0;
  y = 0;
  Connection& conn = *connection;
  if (conn.gone)
    return;
  ReplyPtr<xcb_query_pointer_reply_t> pointer(
      xcb_query_pointer_reply(conn.c, xcb_query_pointer(conn.c, conn.window), nullptr));
  if (!pointer)
    return;
  x = pointer->win_x;
  y = pointer->win_y;
  conn.savedRootX = pointer->root_x;
  conn.savedRootY = pointer->root_y;
}

void X11EditorWindow::HideCursor()
{
  Connection& conn = *connection;
  if (conn.cursorHidden || conn.gone)
    return;
  int x = 0;
  int y = 0;
  PointerPosition(x, y);
  xcb_change_window_attributes(conn.c, conn.window, XCB_CW_CURSOR, &conn.emptyCursor);
  conn.cursorHidden = true;
  xcb_flush(conn.c);
}

void X11EditorWindow::ShowCursor()
{
  Connection& conn = *connection;
  if (!conn.cursorHidden)
    return;
  conn.cursorHidden = false;
  if (conn.gone)
    return;
  const uint32_t parentCursor = XCB_CURSOR_NONE;
  xcb_change_window_attributes(conn.c, conn.window, XCB_CW_CURSOR, &parentCursor);
  xcb_warp_pointer(conn.c, XCB_WINDOW_NONE, conn.root, 0, 0, 0, 0, conn.savedRootX,
                   conn.savedRootY);
  xcb_flush(conn.c);
}

void X11EditorWindow::TakeFocus()
{
  Connection& conn = *connection;
  if (conn.gone)
    return;
  conn.SendXEmbed(kXEmbedRequestFocus);
  xcb_set_input_focus(conn.c, XCB_INPUT_FOCUS_PARENT, conn.window, XCB_CURRENT_TIME);
  xcb_flush(conn.c);
}

void X11EditorWindow::ReturnFocus()
{
  Connection& conn = *connection;
  if (conn.gone)
    return;
  // A parent destroyed meanwhile only makes this request fail.
  xcb_set_input_focus(conn.c, XCB_INPUT_FOCUS_PARENT, conn.parent, XCB_CURRENT_TIME);
  xcb_flush(conn.c);
}

void X11EditorWindow::ForwardKey(const X11EditorEvent& event)
{
  Connection& conn = *connection;
  if (conn.gone)
    return;
  xcb_key_press_event_t key{};
  key.response_type =
      event.kind == X11EditorEvent::Kind::KeyPress ? XCB_KEY_PRESS : XCB_KEY_RELEASE;
  key.detail = static_cast<xcb_keycode_t>(event.button);
  key.time = event.time;
  key.root = conn.root;
  key.event = conn.parent;
  key.child = conn.window;
  key.event_x = static_cast<int16_t>(event.x);
  key.event_y = static_cast<int16_t>(event.y);
  key.state = static_cast<uint16_t>(event.state);
  key.same_screen = 1;
  const uint32_t mask = event.kind == X11EditorEvent::Kind::KeyPress ? XCB_EVENT_MASK_KEY_PRESS
                                                                     : XCB_EVENT_MASK_KEY_RELEASE;
  xcb_send_event(conn.c, 1, conn.parent, mask, reinterpret_cast<const char*>(&key));
  xcb_flush(conn.c);
}

void X11EditorWindow::ToScreen(int x, int y, int& screenX, int& screenY)
{
  Connection& conn = *connection;
  screenX = x;
  screenY = y;
  ReplyPtr<xcb_translate_coordinates_reply_t> moved(xcb_translate_coordinates_reply(
      conn.c,
      xcb_translate_coordinates(conn.c, conn.window, conn.root, static_cast<int16_t>(x),
                                static_cast<int16_t>(y)),
      nullptr));
  if (!moved)
    return;
  screenX = moved->dst_x;
  screenY = moved->dst_y;
}

void X11EditorWindow::ScreenSize(int& width, int& height) const
{
  width = connection->screenWidth;
  height = connection->screenHeight;
}

uint32_t X11EditorWindow::OpenPopup(int x, int y, int width, int height)
{
  Connection& conn = *connection;
  const xcb_window_t popup = xcb_generate_id(conn.c);
  const uint32_t mask = XCB_CW_BACK_PIXMAP | XCB_CW_BORDER_PIXEL | XCB_CW_OVERRIDE_REDIRECT |
                        XCB_CW_SAVE_UNDER | XCB_CW_EVENT_MASK | XCB_CW_COLORMAP;
  const uint32_t values[] = {XCB_BACK_PIXMAP_NONE,
                             0,
                             1,
                             1,
                             XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_BUTTON_PRESS |
                                 XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_POINTER_MOTION |
                                 XCB_EVENT_MASK_KEY_PRESS,
                             conn.colormap};
  ReplyPtr<xcb_generic_error_t> error(xcb_request_check(
      conn.c,
      xcb_create_window_checked(conn.c, conn.depth, popup, conn.root, static_cast<int16_t>(x),
                                static_cast<int16_t>(y), static_cast<uint16_t>(width),
                                static_cast<uint16_t>(height), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                                conn.visual, mask, values)));
  if (error)
    return 0;
  xcb_map_window(conn.c, popup);
  xcb_flush(conn.c);
  return popup;
}

void X11EditorWindow::ClosePopup(uint32_t popup)
{
  if (popup == 0)
    return;
  xcb_destroy_window(connection->c, popup);
  xcb_flush(connection->c);
}

bool X11EditorWindow::GrabInput(uint32_t popup)
{
  Connection& conn = *connection;
  // Events on the popups go to them; everything else to the first popup.
  ReplyPtr<xcb_grab_pointer_reply_t> pointer(xcb_grab_pointer_reply(
      conn.c,
      xcb_grab_pointer(conn.c, 1, popup,
                       XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE |
                           XCB_EVENT_MASK_POINTER_MOTION,
                       XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC, XCB_WINDOW_NONE, XCB_CURSOR_NONE,
                       XCB_CURRENT_TIME),
      nullptr));
  if (!pointer || pointer->status != XCB_GRAB_STATUS_SUCCESS)
    return false;
  ReplyPtr<xcb_grab_keyboard_reply_t> keyboard(
      xcb_grab_keyboard_reply(conn.c,
                              xcb_grab_keyboard(conn.c, 1, popup, XCB_CURRENT_TIME,
                                                XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
                              nullptr));
  if (!keyboard || keyboard->status != XCB_GRAB_STATUS_SUCCESS)
  {
    xcb_ungrab_pointer(conn.c, XCB_CURRENT_TIME);
    xcb_flush(conn.c);
    return false;
  }
  return true;
}

void X11EditorWindow::UngrabInput()
{
  xcb_ungrab_keyboard(connection->c, XCB_CURRENT_TIME);
  xcb_ungrab_pointer(connection->c, XCB_CURRENT_TIME);
  xcb_flush(connection->c);
}
