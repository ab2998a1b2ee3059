#include "common.h"

#include <cstdio>

#include "adapter/operations.h"
#include "store/adapter_params.h"

namespace nv::cli {

int Fail(Context& c, const std::string& message, int code) {
  c.err << "wlanctl: " << message << "\n";
  return code;
}

int Usage(Context& c, const std::string& message) {
  c.err << "wlanctl: " << message << " (--help shows the usage)\n";
  return kExitUsage;
}

void PrintJson(Context& c, const Json& json) {
  c.out << json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
}

bool ReadStored(Context& c, AdapterConfig* config) {
  *config = AdapterConfig{};
  ReadAdapterParameters(c.io, *config);
  if (config->scope == kScopeNoAdapter) {
    Fail(c, "no supported adapter found");
    return false;
  }
  return true;
}

bool Change(Context& c, int32_t scope, const Overwrite& overwrite) {
  const ChangeOutcome outcome = ChangeAdapterSettings(c.io, scope, overwrite);
  if (outcome.lockTimedOut) {
    Fail(c, kSettingsBusyMessage);
  } else if (!outcome.adapterFound) {
    Fail(c, "no supported adapter found");
  }
  return outcome.overwritten;
}

std::string VersionText(const uint8_t v[4]) {
  char text[20];
  std::snprintf(text, sizeof text, "%d.%d.%d.%d", v[0], v[1], v[2], v[3]);
  return text;
}

bool ParseCommand(Context& c, const std::vector<std::string>& words,
                  const std::set<std::string>& valued, const std::set<std::string>& flags,
                  const char* help, Args* args, int* exit) {
  std::set<std::string> allFlags = flags;
  allFlags.insert({"help", "json"});
  std::string error;
  if (!ParseArgs(words, valued, allFlags, args, &error)) {
    *exit = Usage(c, error);
    return false;
  }
  if (args->flags.count("help")) {
    c.out << help;
    *exit = kExitOk;
    return false;
  }
  return true;
}

}  // namespace nv::cli
