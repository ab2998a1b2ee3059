#include "logic/link_notice.h"

#include <cstring>

#include "logic/text_escape.h"
#include "logic/tray_look.h"
#include "platform/win32_codes.h"
#include "store/value_access.h"

namespace nv {

bool ReadNotifyOnConnect(Registry& registry) {
  RegKey key = 0;
  if (registry.OpenKey(kHkeyCurrentUser, kUserSettingsKey, kKeyRead, &key) != win::kErrorSuccess) {
    return false;
  }
  const int32_t value = ReadNumberValue(registry, key, kNotifyOnConnectValue, 0);
  registry.CloseKey(key);
  return value != 0;
}

int32_t WriteNotifyOnConnect(Registry& registry, bool on) {
  RegKey key = 0;
  const int32_t opened = registry.CreateKey(kHkeyCurrentUser, kUserSettingsKey, &key);
  if (opened != win::kErrorSuccess) return opened;
  const int32_t written = WriteDwordValue(registry, key, kNotifyOnConnectValue, on ? 1 : 0);
  registry.CloseKey(key);
  return written;
}

namespace {

constexpr size_t kSsidChars = 32;  // the rest of the buffer is the terminator's

LinkNotice Notice(NoticeKind kind, std::string text) { return {kind, kTipPlain, std::move(text)}; }

}  // namespace

LinkNotice LinkNotices::Next(bool adapterFound, const LinkStatus& link) {
  const int32_t s = adapterFound ? link.state : kStateNoDriver;
  const bool passing = s == kStateConnecting || s == kStateDisassociated;
  passingTicks_ = passing ? passingTicks_ + 1 : 0;
  const std::string ssid(link.ssid, strnlen(link.ssid, kSsidChars));
  const bool wasFound = adapterFound_;
  const bool wasConnected = connected_;
  const bool first = !started_;
  started_ = true;
  adapterFound_ = s != kStateNoDriver;
  if (!adapterFound_) {
    connected_ = false;
    if (!wasFound) return {};  // the first tick included
    return Notice(NoticeKind::kNoCard, "No Card Found");
  }
  if (s == kStateAssociated) {
    const bool sameLink = wasConnected && ssid == ssid_;
    connected_ = true;
    ssid_ = ssid;
    if (first || sameLink) return {};
    return Notice(NoticeKind::kConnected, "Connected to " + Printable(ssid));
  }
  // Connecting and disassociated keep the tray's look for its passing ticks.
  if (passing && passingTicks_ <= kPassingTicksKept) return {};
  connected_ = false;
  if (first || !wasConnected) return {};
  return Notice(NoticeKind::kDisconnected, "Disconnected");
}

}  // namespace nv
