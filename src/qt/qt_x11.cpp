#include "qt/qt_x11.h"

#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
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

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&free)> reply(
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(strlen(name)), name),
                            nullptr),
      &free);
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// The 32-bit values of a property, or none when it is not set.
std::vector<uint32_t> Cardinals(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property) {
  const std::unique_ptr<xcb_get_property_reply_t, decltype(&free)> reply(
      xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, XCB_ATOM_ANY, 0, 16),
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
  if (Cardinals(c, root, Atom(c, "_NET_SUPPORTING_WM_CHECK")).empty()) return;
  // Asked for a stand-in that is never shown, with the same ordinary decorations:
  // the game's own window is left for Qt alone to create and size.
  probe_ = xcb_generate_id(c);
  xcb_create_window(c, XCB_COPY_FROM_PARENT, probe_, root, 0, 0, 100, 100, 0,
                    XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
  extents_ = Atom(c, "_NET_FRAME_EXTENTS");
  xcb_client_message_event_t request{};
  request.response_type = XCB_CLIENT_MESSAGE;
  request.format = 32;
  request.window = probe_;
  request.type = Atom(c, "_NET_REQUEST_FRAME_EXTENTS");
  xcb_send_event(c, 0, root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                 reinterpret_cast<const char*>(&request));
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

CloseRequestWatcher::CloseRequestWatcher(QWidget& window, std::function<void()> onClose)
    : window_(window), onClose_(std::move(onClose)) {
  xcb_connection_t* c = Connection();
  if (!c) return;
  protocols_ = Atom(c, "WM_PROTOCOLS");
  deleteWindow_ = Atom(c, "WM_DELETE_WINDOW");
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

}  // namespace hibi
