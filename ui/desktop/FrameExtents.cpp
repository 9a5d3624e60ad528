#include "FrameExtents.h"

#include <QtGui/qtguiglobal.h>

#if MIRAVANE_XCB && QT_CONFIG(xcb)
#define MIRAVANE_X11_FRAMES 1
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>
#endif

namespace miravane {

#if MIRAVANE_X11_FRAMES
namespace {

// Window managers answer a frame-extents request at once; one that does not within this time
// is treated as not drawing a frame we could know of.
constexpr std::chrono::milliseconds kFrameExtentsWait{200};

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPtr<Reply> owned(Reply* reply) {
    return ReplyPtr<Reply>(reply, &std::free);
}

struct X11Window {
    xcb_connection_t* connection = nullptr;
    xcb_window_t window = 0;
    xcb_window_t root = 0;
};

std::optional<X11Window> x11Window(QWidget* widget) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return std::nullopt;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection() || !widget->windowHandle()) return std::nullopt;
    xcb_connection_t* connection = x11->connection();
    const auto window = static_cast<xcb_window_t>(widget->windowHandle()->winId());
    const auto tree = owned(xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
    if (!tree) return std::nullopt;
    return X11Window{connection, window, tree->root};
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    const auto reply = owned(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

std::vector<std::uint32_t> cardinals(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property,
                                     xcb_atom_t type, std::uint32_t count) {
    const auto reply = owned(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, type, 0, count), nullptr));
    if (!reply || reply->format != 32) return {};
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

// A running EWMH window manager that says it answers frame-extents requests. The check window
// must name itself, or the root's property is a leftover of a window manager that has gone.
bool windowManagerAnswersFrameRequests(const X11Window& x, xcb_atom_t request) {
    const xcb_atom_t check = atom(x.connection, "_NET_SUPPORTING_WM_CHECK");
    const auto fromRoot = cardinals(x.connection, x.root, check, XCB_ATOM_WINDOW, 1);
    if (fromRoot.size() != 1) return false;
    const auto fromItself = cardinals(x.connection, fromRoot[0], check, XCB_ATOM_WINDOW, 1);
    if (fromItself.size() != 1 || fromItself[0] != fromRoot[0]) return false;
    const auto supported = cardinals(x.connection, x.root, atom(x.connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 4096);
    return std::find(supported.begin(), supported.end(), request) != supported.end();
}

}  // namespace

std::optional<QMargins> frameExtentsBeforeMapping(QWidget* widget) {
    const auto x = x11Window(widget);
    if (!x) return std::nullopt;
    const xcb_atom_t request = atom(x->connection, "_NET_REQUEST_FRAME_EXTENTS");
    if (request == XCB_ATOM_NONE || !windowManagerAnswersFrameRequests(*x, request)) return std::nullopt;

    const xcb_atom_t extents = atom(x->connection, "_NET_FRAME_EXTENTS");
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = x->window;
    message.type = request;
    xcb_send_event(x->connection, 0, x->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(x->connection);

    // The toolkit reads this connection's events on a thread of its own, so the answer is
    // looked for in the property rather than waited for as an event.
    const auto deadline = std::chrono::steady_clock::now() + kFrameExtentsWait;
    do {
        const auto ltrb = cardinals(x->connection, x->window, extents, XCB_ATOM_CARDINAL, 4);
        if (ltrb.size() == 4) {
            const qreal ratio = widget->devicePixelRatioF();
            const auto logical = [ratio](std::uint32_t pixels) { return qRound(pixels / ratio); };
            return QMargins(logical(ltrb[0]), logical(ltrb[2]), logical(ltrb[1]), logical(ltrb[3]));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    } while (std::chrono::steady_clock::now() < deadline);
    return std::nullopt;
}

void requestFixedDialogFrame(QWidget* widget) {
    const auto x = x11Window(widget);
    if (!x) return;
    // The Motif window-manager hints: flags, functions, decorations, input mode, status.
    enum : std::uint32_t { kFunctions = 1, kDecorations = 2 };
    enum : std::uint32_t { kFuncMove = 4, kFuncClose = 32 };
    enum : std::uint32_t { kDecorBorder = 2, kDecorTitle = 8, kDecorMenu = 16 };
    const std::array<std::uint32_t, 5> hints = {kFunctions | kDecorations, kFuncMove | kFuncClose,
                                                kDecorBorder | kDecorTitle | kDecorMenu, 0, 0};
    const xcb_atom_t motif = atom(x->connection, "_MOTIF_WM_HINTS");
    xcb_change_property(x->connection, XCB_PROP_MODE_REPLACE, x->window, motif, motif, 32,
                        static_cast<std::uint32_t>(hints.size()), hints.data());
    xcb_flush(x->connection);
}

#else

std::optional<QMargins> frameExtentsBeforeMapping(QWidget*) { return std::nullopt; }

void requestFixedDialogFrame(QWidget*) {}

#endif

}  // namespace miravane
