// watch: a line whenever what the tray shows changes, for status bars and scripts.
#include <cerrno>

#include "adapter/operations.h"
#include "commands.h"
#include "common.h"
#include "link_view.h"
#include "logic/text_escape.h"
#include "stop_signals.h"

namespace nv::cli {

namespace {

constexpr const char* kWatchHelp =
    "usage: wlanctl watch [--json]\n"
    "Reads the link once a second, as the tray does, and prints a line at start and whenever\n"
    "what the tray shows changes: status (state), SSID, BSSID, channel, rate, link quality and\n"
    "signal strength, the tray icon's resource number and its tooltip. Nothing while nothing\n"
    "changes. The adapter's removal and return and a restart of the virtual adapter give a\n"
    "line each (\"Driver not Load\", icon 153, while it is gone).\n"
    "Plain lines hold status's rows as \"Label: value\", separated by tabs; --json prints one\n"
    "JSON object per line with the fields of status --json. Connecting and disassociated keep\n"
    "the icon the tray had for three ticks, as the tray does (\"icon\": null only when watch\n"
    "started in such a state, before it saw any icon).\n"
    "Runs until interrupted (SIGINT, SIGTERM) or its output is closed; exit status 0 then,\n"
    "1 when its output could not be written.\n";

constexpr uint32_t kTickMs = 1000;  // the tray's tick

std::string PlainLine(const LinkView& view) {
  std::string line;
  for (const auto& [label, value] : LinkRows(view)) {
    if (!line.empty()) line += '\t';
    line += std::string(label) + ": " + Printable(value);
  }
  return line;
}

std::string JsonLine(const LinkView& view) {
  return LinkJson(view).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

// Counts the ticks in a row that saw the same state, as the tray's tick counts connecting and
// disassociated; a tick without the adapter starts the count again.
class StateTicks {
 public:
  int32_t Next(bool found, int32_t state) {
    ticks_ = found && state == previous_ ? ticks_ + 1 : 1;
    previous_ = found ? state : kStateNoDriver;
    return ticks_;
  }

 private:
  int32_t previous_ = kStateNoDriver;
  int32_t ticks_ = 0;
};

bool Stopping(Context& c) {
  return StopSignals::Requested() || (c.outputClosed && c.outputClosed());
}

}  // namespace

int CmdWatch(Context& c, const std::vector<std::string>& words) {
  Args a;
  int exit = 0;
  if (!ParseCommand(c, words, {}, {}, kWatchHelp, &a, &exit)) return exit;
  if (!a.positional.empty()) return Usage(c, "watch takes no arguments");
  const bool json = a.flags.count("json") != 0;
  StopSignals stop;
  int icon = kIconNone;  // what the tray shows, once a tick has decided it
  StateTicks ticks;
  std::string printed;
  for (bool first = true;; first = false) {
    if (!first) c.io.system().Sleep(kTickMs);
    if (Stopping(c)) return kExitOk;
    LinkStatus s{};
    ReadLinkStatus(c.io, s);
    LinkView view = JudgeLinkView(c, s);
    DecideViewLook(view, icon, ticks.Next(view.found, s.state));
    if (view.look.icon != kIconNone) icon = view.look.icon;
    if (Stopping(c)) return kExitOk;  // a signal may have cut this tick's exchanges short
    std::string line = json ? JsonLine(view) : PlainLine(view);
    if (line == printed) continue;
    printed = std::move(line);
    c.out << printed << '\n';
    c.out.flush();
    if (!c.out) break;
  }
  // The reader went away: done (the failed write said EPIPE, or the pipe shows it).
  if (errno == EPIPE || (c.outputClosed && c.outputClosed())) return kExitOk;
  return Fail(c, "the output could not be written");
}

}  // namespace nv::cli
