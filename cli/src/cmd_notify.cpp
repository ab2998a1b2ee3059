// notify: the tray's "Notify on connect", stored for the user.
#include "commands.h"
#include "common.h"
#include "logic/link_notice.h"
#include "platform/win32_codes.h"

namespace nv::cli {

namespace {

constexpr const char* kNotifyHelp =
    "usage: wlanctl notify on|off|status [--json]\n"
    "The tray menu's \"Notify on connect\": when on, the tray tells \"Connected to SSID\" as the\n"
    "link associates, \"Disconnected\" when it goes and \"No Card Found\" when the adapter goes\n"
    "(a balloon; on a D-Bus tray a desktop notification). Off unless turned on. Stored for\n"
    "the user as the DWORD \"NotifyOnConnect\" under HKEY_CURRENT_USER\n"
    "\"Software\\MORWEN\\WLAN Monitor\\Settings\"; a running tray takes it at its next notice.\n";

}  // namespace

int CmdNotify(Context& c, const std::vector<std::string>& words) {
  Args a;
  int exit = 0;
  if (!ParseCommand(c, words, {}, {}, kNotifyHelp, &a, &exit)) return exit;
  if (a.positional.size() != 1) return Usage(c, "notify needs on, off or status");
  const std::string& what = a.positional[0];
  if (what != "on" && what != "off" && what != "status") {
    return Usage(c, "notify needs on, off or status, not \"" + what + "\"");
  }
  Registry& registry = c.io.registry();
  if (what != "status" && WriteNotifyOnConnect(registry, what == "on") != win::kErrorSuccess) {
    const bool busy = c.registryBusy && c.registryBusy();
    return Fail(c, busy ? "the setting is in use by another program and was not stored"
                        : "the setting could not be stored");
  }
  const bool on = what == "status" ? ReadNotifyOnConnect(registry) : what == "on";
  if (a.flags.count("json")) {
    PrintJson(c, Json{{"notify", on ? "on" : "off"}});
  } else {
    c.out << "Notify on connect " << (on ? "on" : "off") << "\n";
  }
  return kExitOk;
}

}  // namespace nv::cli
