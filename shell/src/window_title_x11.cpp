// Top-level windows by title on X11: the root window's children, whose names are read in one
// batch of requests. Hidden windows are never reparented by a window manager, so the other
// instance's frame is a direct child of the root. Also: is there an XEmbed tray.
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "shell/single_instance.h"
#include "x11_tray.h"

namespace nv {

namespace {

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

// XCB_ATOM_NONE for a name no program has used yet.
xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  const auto cookie = xcb_intern_atom(c, 1, static_cast<uint16_t>(std::strlen(name)), name);
  const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(c, cookie, nullptr), &std::free);
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

bool HasName(xcb_connection_t* c, xcb_get_property_cookie_t cookie, std::string_view title) {
  const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(c, cookie, nullptr),
                                              &std::free);
  if (!reply || reply->format != 8 || reply->bytes_after != 0) return false;
  const auto* text = static_cast<const char*>(xcb_get_property_value(reply.get()));
  const auto length = static_cast<size_t>(xcb_get_property_value_length(reply.get()));
  return std::string_view(text, length) == title;
}

xcb_connection_t* Connection() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}

}  // namespace

bool XEmbedTrayOwned() {
  xcb_connection_t* c = Connection();
  if (!c) return false;
  const xcb_atom_t selection = Atom(c, "_NET_SYSTEM_TRAY_S0");
  if (selection == XCB_ATOM_NONE) return false;
  const Reply<xcb_get_selection_owner_reply_t> owner(
      xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr), &std::free);
  return owner && owner->owner != XCB_WINDOW_NONE;
}

bool TopLevelWindowExists(const char* title) {
  xcb_connection_t* c = Connection();
  if (!c) return false;
  const xcb_atom_t netName = Atom(c, "_NET_WM_NAME");
  const xcb_atom_t utf8 = Atom(c, "UTF8_STRING");
  const std::string_view wanted(title);
  const auto words = static_cast<uint32_t>(wanted.size() / 4 + 1);  // longer names: bytes_after
  for (auto screens = xcb_setup_roots_iterator(xcb_get_setup(c)); screens.rem;
       xcb_screen_next(&screens)) {
    const Reply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(c, xcb_query_tree(c, screens.data->root), nullptr), &std::free);
    if (!tree) continue;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    const int count = xcb_query_tree_children_length(tree.get());
    std::vector<xcb_get_property_cookie_t> cookies;
    for (int i = 0; i < count; ++i) {
      cookies.push_back(xcb_get_property(c, 0, children[i], netName, utf8, 0, words));
      cookies.push_back(
          xcb_get_property(c, 0, children[i], XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 0, words));
    }
    bool found = false;
    for (const auto cookie : cookies) found = HasName(c, cookie, wanted) || found;  // drain all
    if (found) return true;
  }
  return false;
}

}  // namespace nv
