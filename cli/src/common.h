// Shared pieces of the wlanctl commands: the change road, failure messages, JSON output.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "adapter/records.h"
#include "args.h"
#include "cli/wlanctl.h"
#include "logic/change_message.h"
#include "logic/change_road.h"
#include "logic/settings_lock.h"
#include "logic/text_escape.h"

namespace nv::cli {

using Json = nlohmann::ordered_json;

int Fail(Context& c, const std::string& message, int code = kExitFailed);
// One line on standard error; exit status 2.
int Usage(Context& c, const std::string& message);
void PrintJson(Context& c, const Json& json);
// Adds "<key>Hex", the exact bytes in hexadecimal, when `bytes` is not valid UTF-8 (the text
// beside it then holds U+FFFD in their place and could not be given back).
void AddBytesWhenNotUtf8(Json& json, const std::string& key, std::string_view bytes);

// Reads the adapter's stored configuration; false (after saying so) when there is no adapter.
bool ReadStored(Context& c, AdapterConfig* config);
// "no supported adapter found", or why there is none as far as the ports know.
std::string NoAdapter(Context& c);
// Says what went wrong on the road; true only when every request went through and the
// settings were stored.
bool ReportChange(Context& c, const ChangeOutcome& outcome);
// The road every change takes (logic/change_road.h), reported as above. When the overwrite
// stops it, the overwrite has said why.
bool Change(Context& c, int32_t scope, const Overwrite& overwrite);

inline constexpr const char* kSettingsBusyMessage =
    "another change of the settings did not finish within 5 s; nothing was changed";

// Says why when `lock` is not held (another change kept it, or it could not be had at all);
// true then, and the command must change nothing.
bool LockRefused(Context& c, const SettingsLock& lock);

// One line of standard input for a secret (`what` names it in the error); a trailing CR goes.
bool ReadSecretLine(Context& c, const std::string& what, std::string* value, std::string* error);
// Asks on the terminal without echo; false when there is no terminal to ask on.
bool AskSecret(Context& c, const std::string& prompt, std::string* value);

// Parses the words after a command (secret options resolved: "-" read from standard input,
// left-out values asked for); prints usage errors. False when the command must stop
// (with *exit set: 0 after --help, 2 after an error).
bool ParseCommand(Context& c, const std::vector<std::string>& words,
                  const std::set<std::string>& valued, const std::set<std::string>& flags,
                  const char* help, Args* args, int* exit);

}  // namespace nv::cli
