#include <cstring>
#include <iomanip>

#include "commands.h"
#include "common.h"

namespace nv::cli {

namespace {

struct Command {
  const char* name;
  const char* summary;
  int (*run)(Context&, const std::vector<std::string>&);
};

constexpr Command kCommands[] = {
    {"status", "the link as the tray and the Link Info page show it", CmdStatus},
    {"watch", "[--json] a line whenever what the tray shows changes, until stopped", CmdWatch},
    {"scan", "run a site survey and list the networks", CmdScan},
    {"config", "show or change the link settings", CmdConfig},
    {"security", "show or change the WEP settings", CmdSecurity},
    {"keygen", "make four WEP keys from a passphrase", CmdKeygen},
    {"profile", "list, show, add, remove or activate profiles", CmdProfile},
    {"radio", "switch the radio on or off, or show it", CmdRadio},
    {"notify", "on|off|status: the tray's \"Notify on connect\" (link notices)", CmdNotify},
    {"versions", "driver, firmware and utility versions", CmdVersions},
    {"registry", "export or import settings and profiles as REGEDIT4", CmdRegistry},
};

void Help(std::ostream& out) {
  out << "usage: wlanctl COMMAND [ARGS] [--json] [--help]\n"
         "The Netvane Wireless LAN Monitor on the command line.\n\nCommands:\n";
  for (const Command& c : kCommands) {
    out << "  " << std::left << std::setw(10) << c.name << c.summary << "\n";
  }
  out << "\nExit status: 0 done (a change: the driver took every request and the settings were\n"
         "stored), 1 failed, saying what (no adapter, a setting the driver refused, settings not\n"
         "stored or in use by another program, key check, no such profile), 2 usage.\n"
         "Keys given on the command line are visible to other users: see security --help.\n"
         "Environment: WLANMON_RUNTIME_DIR (the virtual adapter's socket), WLANMON_REGISTRY.\n";
}

}  // namespace

int Run(const std::vector<std::string>& args, Context& context) {
  // --json may come before the command too.
  std::vector<std::string> words;
  bool json = false;
  for (const std::string& word : args) {
    if (word == "--json") {
      json = true;
    } else {
      words.push_back(word);
    }
  }
  if (words.empty() || words[0] == "--help" || words[0] == "-h" || words[0] == "help") {
    Help(words.empty() ? context.err : context.out);
    return words.empty() ? kExitUsage : kExitOk;
  }
  for (const Command& command : kCommands) {
    if (words[0] != command.name) continue;
    std::vector<std::string> rest(words.begin() + 1, words.end());
    if (json) rest.push_back("--json");
    return command.run(context, rest);
  }
  context.err << "wlanctl: unknown command \"" << words[0] << "\" (wlanctl --help lists them)\n";
  return kExitUsage;
}

}  // namespace nv::cli
