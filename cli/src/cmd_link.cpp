// status, scan, radio, versions: what the link and the adapter report.
#include <iomanip>

#include "adapter/operations.h"
#include "commands.h"
#include "common.h"
#include "link_view.h"
#include "logic/about_texts.h"
#include "logic/options.h"
#include "logic/survey_model.h"
#include "logic/tray_look.h"

namespace nv::cli {

namespace {

constexpr const char* kStatusHelp =
    "usage: wlanctl status [--json]\n"
    "The link as the Link Info page and the tray show it: status, SSID, BSSID, channel, rate,\n"
    "link quality and signal strength, the tray icon's resource number and its tooltip.\n"
    "While connecting or disassociated the tray keeps the icon it had for three ticks, then\n"
    "shows the empty bars with \"No Connect\". status reads such a link once a second, as the\n"
    "tray does, until the state changes or lasts a fourth read (\"icon\": null only when the\n"
    "link keeps going back and forth between the two).\n"
    "Exit status 1 when no adapter is found.\n";

constexpr const char* kScanHelp =
    "usage: wlanctl scan [--json]\n"
    "Starts a site survey, waits for it (polling once a second, at most eleven times) and\n"
    "lists the networks found, the current one first. Networks with an empty or \"@\" SSID\n"
    "are not shown.\n";

constexpr const char* kRadioHelp =
    "usage: wlanctl radio on|off|status [--json]\n"
    "Switches the radio and waits until the adapter confirms, or reports its state.\n";

constexpr const char* kVersionsHelp =
    "usage: wlanctl versions [--json]\n"
    "Driver, firmware and utility versions.\n";

// What the tray would show for the link: a passing state (connecting, disassociated) is read
// again once a second, as the tray's tick does, until it ends or the tray stops keeping its icon.
// `ticksInState` gets how many reads in a row saw the last state.
void ReadSettledLink(Context& c, LinkStatus& s, int32_t& ticksInState) {
  constexpr int kMostReads = 2 * (kPassingTicksKept + 1);  // a link going back and forth
  constexpr uint32_t kTickMs = 1000;
  ticksInState = 0;
  int32_t previous = kStateNoDriver - 1;
  for (int reads = 1;; ++reads) {
    s = LinkStatus{};
    ReadLinkStatus(c.io, s);
    ticksInState = s.state == previous ? ticksInState + 1 : 1;
    previous = s.state;
    const bool passing = s.state == kStateConnecting || s.state == kStateDisassociated;
    if (!passing || ticksInState > kPassingTicksKept || reads == kMostReads) return;
    c.io.system().Sleep(kTickMs);
  }
}

void Row(Context& c, const char* label, const std::string& value) {
  c.out << std::left << std::setw(17) << label << Printable(value) << "\n";
}

}  // namespace

int CmdStatus(Context& c, const std::vector<std::string>& words) {
  Args a;
  int exit = 0;
  if (!ParseCommand(c, words, {}, {}, kStatusHelp, &a, &exit)) return exit;
  if (!a.positional.empty()) return Usage(c, "status takes no arguments");
  LinkStatus s{};
  int32_t ticksInState = 0;
  ReadSettledLink(c, s, ticksInState);
  LinkView view = JudgeLinkView(c, s);
  // While connecting and disassociated keep whatever icon the tray had, none is named.
  DecideViewLook(view, kIconNone, ticksInState);
  if (a.flags.count("json")) {
    PrintJson(c, LinkJson(view));
  } else {
    for (const auto& [label, value] : LinkRows(view)) Row(c, label, value);
  }
  const bool found = view.found;
  if (!found) Fail(c, NoAdapter(c));
  return found ? kExitOk : kExitFailed;
}

int CmdScan(Context& c, const std::vector<std::string>& words) {
  Args a;
  int exit = 0;
  if (!ParseCommand(c, words, {}, {}, kScanHelp, &a, &exit)) return exit;
  if (!a.positional.empty()) return Usage(c, "scan takes no arguments");
  if (StartScan(c.io) != kAccessOk) return Fail(c, NoAdapter(c) + ": the survey could not start");
  bool abandoned = false;
  for (int polls = 0;;) {
    c.io.system().Sleep(1000);
    if (IsScanDone(c.io) == kAccessOk) break;
    if (++polls > 10) {
      abandoned = true;
      break;
    }
  }
  BssList list{};
  ReadBssList(c.io, list);
  LinkStatus current{};
  ReadLinkStatus(c.io, current);
  if (abandoned)
    static_cast<void>(StopScan(c.io));  // the list read above is shown whatever it answers
  if (list.count < 0) return Fail(c, "the survey list could not be read");
  SurveyState state;
  const std::vector<SurveyRow> rows = RefreshSurvey(list, current, state);
  if (a.flags.count("json")) {
    Json networks = Json::array();
    for (const SurveyRow& r : rows) {
      const BssEntry& e = list.entries[r.entry];
      Json network{{"bssid", r.columns[0]},
                   {"ssid", r.columns[1]},
                   {"wep", r.columns[2]},
                   {"ap", r.columns[3]},
                   {"channel", e.channel},
                   {"rssi", std::stoi(r.columns[5])},
                   {"current", r.entry == state.connectedBssIndex}};
      AddBytesWhenNotUtf8(network, "ssid", r.columns[1]);
      networks.push_back(std::move(network));
    }
    PrintJson(c, Json{{"completed", !abandoned}, {"networks", networks}});
    return kExitOk;
  }
  c.out << "  " << std::left << std::setw(19) << kSurveyColumns[0]
        << PadRight(kSurveyColumns[1], 34) << std::setw(5) << kSurveyColumns[2] << std::setw(5)
        << kSurveyColumns[3] << std::setw(9) << kSurveyColumns[4] << kSurveyColumns[5] << "\n";
  for (const SurveyRow& r : rows) {
    c.out << (r.entry == state.connectedBssIndex ? "* " : "  ") << std::setw(19) << r.columns[0]
          << PadRight(Printable(r.columns[1]), 34) << std::setw(5) << r.columns[2] << std::setw(5)
          << r.columns[3] << std::setw(9) << r.columns[4] << r.columns[5] << "\n";
  }
  if (abandoned) c.out << "(the survey did not finish within eleven seconds)\n";
  return kExitOk;
}

int CmdRadio(Context& c, const std::vector<std::string>& words) {
  Args a;
  int exit = 0;
  if (!ParseCommand(c, words, {}, {}, kRadioHelp, &a, &exit)) return exit;
  if (a.positional.size() != 1) return Usage(c, "radio needs on, off or status");
  const std::string& what = a.positional[0];
  if (what != "on" && what != "off" && what != "status") {
    return Usage(c, "radio needs on, off or status, not \"" + what + "\"");
  }
  int state = ReadRadioState(c.io);
  if (what != "status") {
    const int wanted = what == "on" ? kRadioStateOn : kRadioStateOff;
    ApplyReport report;
    SetRadio(c.io, wanted == kRadioStateOn, &report);
    if (!report.deviceOpened) return Fail(c, NoAdapter(c));
    // The adapter confirms through its register window; give it five seconds.
    for (int i = 0; (state = ReadRadioState(c.io)) != wanted && i < 5; ++i) {
      c.io.system().Sleep(1000);
    }
    if (state != wanted) return Fail(c, "the adapter did not confirm the radio switch");
  } else if (state == kRadioStateUnknown) {
    DriverVersions v{};
    ReadVersions(c.io, v);  // does the link open at all?
    if (v.result == kReadFailed) return Fail(c, NoAdapter(c));
    return Fail(c, "the adapter did not report the radio state");
  }
  if (a.flags.count("json")) {
    PrintJson(c, Json{{"radio", state == kRadioStateOn ? "on" : "off"}});
  } else {
    c.out << "Radio " << (state == kRadioStateOn ? "on" : "off") << "\n";
  }
  return kExitOk;
}

int CmdVersions(Context& c, const std::vector<std::string>& words) {
  Args a;
  int exit = 0;
  if (!ParseCommand(c, words, {}, {}, kVersionsHelp, &a, &exit)) return exit;
  if (!a.positional.empty()) return Usage(c, "versions takes no arguments");
  DriverVersions v{};
  ReadVersions(c.io, v);
  if (v.result == kReadFailed) return Fail(c, NoAdapter(c) + ": the versions could not be read");
  const AboutTexts texts = MakeAboutTexts(v);  // the About page's three texts
  if (a.flags.count("json")) {
    PrintJson(
        c,
        Json{{"driver", texts.driver}, {"firmware", texts.firmware}, {"utility", texts.utility}});
  } else {
    Row(c, "Driver", texts.driver);
    Row(c, "Firmware", texts.firmware);
    Row(c, "Utility", texts.utility);
  }
  return kExitOk;
}

}  // namespace nv::cli
