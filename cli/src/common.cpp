#include "common.h"

#include <algorithm>

#include "adapter/operations.h"
#include "edits.h"
#include "logic/profile_actions.h"
#include "logic/settings_lock.h"

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

void AddBytesWhenNotUtf8(Json& json, const std::string& key, std::string_view bytes) {
  if (IsUtf8(bytes)) return;
  std::string hex;
  for (const char ch : bytes) {
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02x", static_cast<unsigned char>(ch));
    hex += pair;
  }
  json[key + "Hex"] = hex;
}

bool ReadStored(Context& c, AdapterConfig* config) {
  *config = StoredAdapterSettings(c.io);
  if (config->scope == kScopeNoAdapter) {
    Fail(c, NoAdapter(c));
    return false;
  }
  return true;
}

namespace {

ChangeFacts Facts(Context& c) {
  ChangeFacts facts;
  facts.registryBusy = c.registryBusy && c.registryBusy();
  if (c.linkRefusal) facts.linkRefusal = c.linkRefusal();
  facts.lockProblem = c.io.system().SettingsLockProblem();
  return facts;
}

}  // namespace

std::string NoAdapter(Context& c) { return NoAdapterText(Facts(c)); }

bool ReportChange(Context& c, const ChangeOutcome& outcome) {
  for (const std::string& line : ChangeProblems(outcome, Facts(c))) Fail(c, line);
  return outcome.adapterFound && outcome.overwritten && outcome.applied && outcome.stored;
}

std::string LockFailedMessage(Context& c) {
  return LockFailedText(Printable(c.io.system().SettingsLockProblem()));
}

bool LockRefused(Context& c, const SettingsLock& lock) {
  if (lock.held()) return false;
  Fail(c, lock.timedOut() ? std::string(kSettingsBusyMessage) : LockFailedMessage(c));
  return true;
}

bool Change(Context& c, int32_t scope, const Overwrite& overwrite) {
  const ChangeOutcome outcome = ChangeAdapterSettings(c.io, scope, overwrite);
  if (outcome.lockRefused()) {
    Fail(c, outcome.lockTimedOut ? std::string(kSettingsBusyMessage) : LockFailedMessage(c));
    return false;
  }
  return ReportChange(c, outcome);
}

bool ReadSecretLine(Context& c, const std::string& what, std::string* value, std::string* error) {
  if (c.in == nullptr || !std::getline(*c.in, *value)) {
    *error = "standard input ended before " + what;
    return false;
  }
  if (!value->empty() && value->back() == '\r') value->pop_back();
  return true;
}

bool AskSecret(Context& c, const std::string& prompt, std::string* value) {
  return c.askSecret && c.askSecret(prompt, value);
}

namespace {

std::string PromptFor(const std::string& option) {
  return option == "passphrase" ? "Passphrase: " : "WEP key " + option.substr(3) + ": ";
}

// "-" values come from standard input in a fixed order; left-out ones are asked for.
bool ResolveSecrets(Context& c, Args* args, std::string* error) {
  for (const std::string& name : SecretOptionNames()) {
    auto found = args->values.find(name);
    if (found == args->values.end() || found->second != "-") continue;
    if (!ReadSecretLine(c, "the value of --" + name, &found->second, error)) return false;
  }
  for (const std::string& name : args->asked) {
    std::string value;
    if (!AskSecret(c, PromptFor(name), &value)) {
      *error = "--" + name + " needs a value (- reads it from standard input)";
      return false;
    }
    args->values[name] = value;
  }
  args->asked.clear();
  return true;
}

}  // namespace

bool ParseCommand(Context& c, const std::vector<std::string>& words,
                  const std::set<std::string>& valued, const std::set<std::string>& flags,
                  const char* help, Args* args, int* exit) {
  std::set<std::string> allFlags = flags;
  allFlags.insert({"help", "json"});
  std::set<std::string> askable;
  for (const std::string& name : SecretOptionNames()) {
    if (valued.count(name)) askable.insert(name);
  }
  std::string error;
  if (!ParseArgs(words, valued, allFlags, args, &error, askable)) {
    *exit = Usage(c, error);
    return false;
  }
  if (args->flags.count("help")) {
    c.out << help;
    *exit = kExitOk;
    return false;
  }
  if (!ResolveSecrets(c, args, &error)) {
    *exit = Usage(c, error);
    return false;
  }
  return true;
}

}  // namespace nv::cli
