// Link notices: "Connected to SSID" when the link associates, "Disconnected" when it goes,
// "No Card Found" when the adapter goes, for a user who asked for them ("Notify on connect",
// a DWORD in the user's part of the registry). The decision follows the tray's tick: feed it
// each tick's result and show what it returns.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "adapter/records.h"
#include "platform/registry.h"

namespace nv {

// HKEY_CURRENT_USER: the framework's settings of this program under its company key.
inline constexpr std::string_view kUserSettingsKey = "Software\\MORWEN\\WLAN Monitor\\Settings";
inline constexpr std::string_view kNotifyOnConnectValue = "NotifyOnConnect";  // DWORD, 0 or 1

// Off when the value or the key is missing (the default) or reads 0.
bool ReadNotifyOnConnect(Registry& registry);
// The Win32 code of the write (0 when the value is stored).
int32_t WriteNotifyOnConnect(Registry& registry, bool on);

enum class NoticeKind { kNone, kConnected, kDisconnected, kNoCard };

struct LinkNotice {
  NoticeKind kind = NoticeKind::kNone;
  std::string title;  // "WLAN Monitor"
  std::string text;   // the SSID in it escaped for display
};

// Remembers what the user was last told (or, at the first tick, what was there) and says
// when something new is to be told:
// - the first tick only takes note: nothing changed in front of the user;
// - entering the associated state, or an association with another SSID: "Connected to SSID";
// - leaving it: "Disconnected", once the tray stops showing the link, that is at once for a
//   link that is not connected or scanning, and only after the tray's passing ticks for one
//   connecting or disassociated (a short passage that ends associated with the same SSID
//   tells nothing);
// - the adapter going (a link that goes with it included): "No Card Found", once.
class LinkNotices {
 public:
  // `adapterFound` as the tick found it (TrayMonitor::adapterMissing() negated); `link` the
  // tick's snapshot.
  LinkNotice Next(bool adapterFound, const LinkStatus& link);

 private:
  bool started_ = false;
  bool adapterFound_ = false;
  bool connected_ = false;
  std::string ssid_;          // of the association told of
  int32_t passingTicks_ = 0;  // consecutive ticks connecting or disassociated
};

}  // namespace nv
