// Shared pieces of the wlanctl commands: the change road, failure messages, JSON output.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "adapter/records.h"
#include "args.h"
#include "cli/wlanctl.h"
#include "logic/change_road.h"

namespace nv::cli {

using Json = nlohmann::ordered_json;

int Fail(Context& c, const std::string& message, int code = kExitFailed);
// One line on standard error; exit status 2.
int Usage(Context& c, const std::string& message);
void PrintJson(Context& c, const Json& json);

// Reads the adapter's stored configuration; false (after saying so) when there is no adapter.
bool ReadStored(Context& c, AdapterConfig* config);
// The road every change takes (logic/change_road.h); false (after saying so) when it stopped
// before the adapter was changed.
bool Change(Context& c, int32_t scope, const Overwrite& overwrite);

inline constexpr const char* kSettingsBusyMessage =
    "another change of the settings did not finish within 5 s; nothing was changed";

std::string VersionText(const uint8_t v[4]);

// Parses the words after a command; prints usage errors. False when the command must stop
// (with *exit set: 0 after --help, 2 after an error).
bool ParseCommand(Context& c, const std::vector<std::string>& words,
                  const std::set<std::string>& valued, const std::set<std::string>& flags,
                  const char* help, Args* args, int* exit);

}  // namespace nv::cli
