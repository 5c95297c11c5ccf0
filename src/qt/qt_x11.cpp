#include "qt/qt_x11.h"

#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

namespace hibi {
namespace {

xcb_connection_t* Connection() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}

// All asked at once and then read, so the server is waited for once, not per name:
// each wait is one more delay before the first frame.
template <std::size_t N>
std::array<xcb_atom_t, N> Atoms(xcb_connection_t* c, const std::array<const char*, N>& names) {
  std::array<xcb_intern_atom_cookie_t, N> asked{};
  for (std::size_t i = 0; i < N; ++i)
    asked[i] = xcb_intern_atom(c, 0, static_cast<uint16_t>(strlen(names[i])), names[i]);
  std::array<xcb_atom_t, N> atoms{};
  for (std::size_t i = 0; i < N; ++i) {
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&free)> reply(
        xcb_intern_atom_reply(c, asked[i], nullptr), &free);
    atoms[i] = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  }
  return atoms;
}

// The 32-bit values of a property, or none when it is not set.
std::vector<uint32_t> Cardinals(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property,
                                uint32_t most = 16) {
  const std::unique_ptr<xcb_get_property_reply_t, decltype(&free)> reply(
      xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, XCB_ATOM_ANY, 0, most),
                             nullptr),
      &free);
  if (!reply || reply->format != 32) return {};
  const auto* values = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
  return std::vector<uint32_t>(values, values + xcb_get_property_value_length(reply.get()) / 4);
}

xcb_window_t Root(xcb_connection_t* c) {
  return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
}

}  // namespace

FrameExtentsRequest::FrameExtentsRequest() {
  xcb_connection_t* c = Connection();
  if (!c) return;
  const xcb_window_t root = Root(c);
  const auto [check, extents, request] =
      Atoms<3>(c, {"_NET_SUPPORTING_WM_CHECK", "_NET_FRAME_EXTENTS", "_NET_REQUEST_FRAME_EXTENTS"});
  if (Cardinals(c, root, check).empty()) return;
  // Asked for a stand-in that is never shown, with the same ordinary decorations:
  // the game's own window is left for Qt alone to create and size.
  probe_ = xcb_generate_id(c);
  xcb_create_window(c, XCB_COPY_FROM_PARENT, probe_, root, 0, 0, 100, 100, 0,
                    XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
  extents_ = extents;
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = probe_;
  message.type = request;
  xcb_send_event(c, 0, root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                 reinterpret_cast<const char*>(&message));
  xcb_flush(c);
}

FrameExtentsRequest::~FrameExtentsRequest() {
  Forget();
}

void FrameExtentsRequest::Forget() {
  xcb_connection_t* c = Connection();
  if (!probe_ || !c) return;
  xcb_destroy_window(c, probe_);
  xcb_flush(c);
  probe_ = 0;
}

QMargins FrameExtentsRequest::Answer(qreal devicePixelRatio) {
  xcb_connection_t* c = Connection();
  if (!probe_ || !c) return frame_;
  // A window manager that knows the request has mostly answered by the time the
  // window is built; one that does not costs a fifth of a second at start-up, and
  // its frame is not counted.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
  for (;;) {
    const std::vector<uint32_t> answer = Cardinals(c, probe_, extents_);
    if (answer.size() == 4) {
      auto px = [devicePixelRatio](uint32_t v) { return static_cast<int>(v / devicePixelRatio); };
      frame_ = QMargins(px(answer[0]), px(answer[2]), px(answer[1]), px(answer[3]));
      break;
    }
    if (std::chrono::steady_clock::now() >= deadline) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  Forget();
  return frame_;
}

bool WindowManagerAnnounces(const char* state) {
  xcb_connection_t* c = Connection();
  if (!c) return true;
  const xcb_window_t root = Root(c);
  const auto [check, supported, asked] =
      Atoms<3>(c, {"_NET_SUPPORTING_WM_CHECK", "_NET_SUPPORTED", state});
  if (Cardinals(c, root, check).empty()) return false;
  const std::vector<uint32_t> known = Cardinals(c, root, supported, 1024);
  return std::find(known.begin(), known.end(), asked) != known.end();
}

CloseRequestWatcher::CloseRequestWatcher(QWidget& window, std::function<void()> onClose)
    : window_(window), onClose_(std::move(onClose)) {
  xcb_connection_t* c = Connection();
  if (!c) return;
  const auto [protocols, deleteWindow] = Atoms<2>(c, {"WM_PROTOCOLS", "WM_DELETE_WINDOW"});
  protocols_ = protocols;
  deleteWindow_ = deleteWindow;
  QCoreApplication::instance()->installNativeEventFilter(this);
}

CloseRequestWatcher::~CloseRequestWatcher() {
  if (QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool CloseRequestWatcher::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
  if (type != "xcb_generic_event_t" || !window_.windowHandle()) return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE) return false;
  const auto* client = reinterpret_cast<const xcb_client_message_event_t*>(event);
  if (client->format == 32 && client->type == protocols_ &&
      client->data.data32[0] == deleteWindow_ && client->window == window_.winId()) {
    onClose_();
  }
  return false;  // Qt goes on to handle it as it would
}

std::optional<QMargins> FrameOnScreen(const QWidget& window) {
  xcb_connection_t* c = Connection();
  if (!c || !window.windowHandle()) return QMargins();
  const auto id = static_cast<xcb_window_t>(window.winId());
  xcb_window_t top = id;
  for (;;) {
    const std::unique_ptr<xcb_query_tree_reply_t, decltype(&free)> tree(
        xcb_query_tree_reply(c, xcb_query_tree(c, top), nullptr), &free);
    if (!tree) return std::nullopt;
    if (tree->parent == tree->root || tree->parent == XCB_WINDOW_NONE) break;
    top = tree->parent;
  }
  if (top == id) return QMargins();
  const std::unique_ptr<xcb_get_geometry_reply_t, decltype(&free)> outer(
      xcb_get_geometry_reply(c, xcb_get_geometry(c, top), nullptr), &free);
  const std::unique_ptr<xcb_get_geometry_reply_t, decltype(&free)> inner(
      xcb_get_geometry_reply(c, xcb_get_geometry(c, id), nullptr), &free);
  const std::unique_ptr<xcb_translate_coordinates_reply_t, decltype(&free)> at(
      xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, id, top, 0, 0), nullptr),
      &free);
  if (!outer || !inner || !at) return std::nullopt;
  const int border = outer->border_width;
  const int width = outer->width + 2 * border;
  const int height = outer->height + 2 * border;
  const QMargins frame(at->dst_x + border, at->dst_y + border,
                       width - at->dst_x - border - inner->width,
                       height - at->dst_y - border - inner->height);
  if (!FrameFits(frame)) return std::nullopt;
  const qreal ratio = window.devicePixelRatioF();
  auto px = [ratio](int v) { return static_cast<int>(v / ratio); };
  return QMargins(px(frame.left()), px(frame.top()), px(frame.right()), px(frame.bottom()));
}

FrameWatcher::FrameWatcher(QWidget& window, std::function<void()> onFrame)
    : window_(window), onFrame_(std::move(onFrame)) {
  xcb_connection_t* c = Connection();
  if (!c) return;
  extents_ = Atoms<1>(c, {"_NET_FRAME_EXTENTS"})[0];
  QCoreApplication::instance()->installNativeEventFilter(this);
}

FrameWatcher::~FrameWatcher() {
  if (QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool FrameWatcher::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
  if (type != "xcb_generic_event_t" || !window_.windowHandle()) return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  const auto id = static_cast<xcb_window_t>(window_.winId());
  switch (event->response_type & 0x7f) {
    case XCB_REPARENT_NOTIFY:
      if (reinterpret_cast<const xcb_reparent_notify_event_t*>(event)->window == id) onFrame_();
      break;
    case XCB_PROPERTY_NOTIFY: {
      const auto* property = reinterpret_cast<const xcb_property_notify_event_t*>(event);
      if (property->window == id && property->atom == extents_) onFrame_();
      break;
    }
    default:
      break;
  }
  return false;  // Qt takes note of the new frame too
}

}  // namespace hibi
