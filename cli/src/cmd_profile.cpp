// profile list|show|add|remove|activate: the Site Survey page's profiles.
#include <cstring>
#include <iomanip>
#include <optional>

#include "adapter/operations.h"
#include "commands.h"
#include "common.h"
#include "edits.h"
#include "logic/profile_actions.h"
#include "logic/settings_lock.h"
#include "logic/survey_model.h"

namespace nv::cli {

namespace {

const std::string kProfileHelp =
    std::string(
        "usage: wlanctl profile list [--json]\n"
        "       wlanctl profile show NAME [--json]\n"
        "       wlanctl profile add NAME [OPTIONS] [--replace] [--activate]\n"
        "       wlanctl profile remove NAME\n"
        "       wlanctl profile activate NAME\n"
        "Profiles are named configurations kept for this user. list marks each as current, in\n"
        "range (its name is a network of the last survey) or not in range. add starts from the\n"
        "adapter's stored settings (or the defaults) and takes:\n") +
    kLinkOptionsHelp + kSecurityOptionsHelp +
    "  --replace             overwrite a profile of that name\n"
    "  --activate            also apply it to the adapter and store it there\n";

// The stored profile of that name, its name matched as the store matches it (ignoring case).
std::optional<AdapterConfig> Stored(Context& c, const std::string& name) {
  Registry& registry = c.io.registry();
  return FindProfile(registry, StoredProfileName(registry, name).value_or(name));
}

int List(Context& c, const Args& a) {
  BssList survey{};
  ReadBssList(c.io, survey);
  LinkStatus current{};
  ReadLinkStatus(c.io, current);
  const ProfileListing listing = ListProfiles(c.io.registry(), survey, current);
  const std::vector<ProfileRow>& rows = listing.rows;
  const size_t omitted = listing.omitted;
  if (a.flags.count("json")) {
    Json list = Json::array();
    for (const ProfileRow& r : rows) {
      Json row{{"name", r.name}, {"mark", r.mark}, {"status", MarkText(r.mark)}};
      AddBytesWhenNotUtf8(row, "name", r.name);
      list.push_back(std::move(row));
    }
    PrintJson(c, Json{{"profiles", list}, {"omitted", omitted}});
    return kExitOk;
  }
  if (rows.empty() && omitted == 0) c.out << "No profiles.\n";
  for (const ProfileRow& r : rows) {
    c.out << PadRight(Printable(r.name), 34) << MarkText(r.mark) << "\n";
  }
  if (omitted > 0) {
    c.out << omitted << " more profile" << (omitted == 1 ? " is" : "s are")
          << " stored but not listed: the list holds " << kMaxListedProfiles << ".\n";
  }
  return kExitOk;
}

int Show(Context& c, const Args& a, const std::string& name) {
  const std::optional<AdapterConfig> found = Stored(c, name);
  if (!found) return Fail(c, "no profile named \"" + Printable(name) + "\"");
  const AdapterConfig& cfg = *found;
  const std::string ssid(cfg.ssid, strnlen(cfg.ssid, 32));
  const auto pick = [](const auto& texts, int32_t v) {
    return v >= 0 && static_cast<size_t>(v) < texts.size() ? std::string(texts[v])
                                                           : "(value " + std::to_string(v) + ")";
  };
  Json json{{"name", name},
            {"ssid", ssid},
            {"bssType", pick(kBssTypeTexts, cfg.bssType)},
            {"channel", cfg.channel},
            {"txRate", pick(kTxRateTexts, cfg.txRate)},
            {"preamble", pick(kPreambleTexts, cfg.shortPreamble)},
            {"powerMode", pick(kPowerModeTexts, cfg.powerMode)},
            {"wep", cfg.wepStatus == kWepEnabled},
            {"authMode", pick(kAuthModeTexts, cfg.authMode)},
            {"defaultKey", cfg.defaultKeyId + 1}};
  if (a.flags.count("json")) {
    AddBytesWhenNotUtf8(json, "name", name);
    AddBytesWhenNotUtf8(json, "ssid", ssid);
    PrintJson(c, json);
    return kExitOk;
  }
  for (const auto& [key, value] : json.items()) {
    c.out << std::left << std::setw(12) << key
          << Printable(value.is_string() ? value.get<std::string>() : value.dump()) << "\n";
  }
  return kExitOk;
}

int Add(Context& c, const Args& a, const std::string& asked) {
  if (!ProfileNameFits(asked) || HasControl(asked)) {
    return Usage(c,
                 "a profile name has 1 to 32 bytes, no backslash and no control "
                 "characters");
  }
  // From the look for an existing profile to the write: another add of that name waits.
  const SettingsLock lock(c.io.system());
  if (LockRefused(c, lock)) return kExitFailed;
  const std::optional<std::string> stored = StoredProfileName(c.io.registry(), asked);
  if (stored && !a.flags.count("replace")) {
    return Fail(c, "a profile named \"" + Printable(*stored) +
                       "\" exists (names ignore case); add --replace to overwrite it");
  }
  const std::string name = stored.value_or(asked);  // --replace keeps the stored spelling
  AdapterConfig cfg = NewProfileSettings(c.io);
  std::string message;
  if (!ApplyLinkOptions(a, ChannelRangeFor(ReadRegulatoryDomain(c.io)), cfg, &message)) {
    return Usage(c, message);
  }
  switch (ApplySecurityOptions(a, cfg, &message)) {
    case SecurityEdit::BadInput:
      return Usage(c, message);
    case SecurityEdit::KeyCheckFailed:
      return Fail(c, message);
    case SecurityEdit::Ok:
      break;
  }
  if (!StoreProfile(c.io.registry(), name, cfg)) return Fail(c, kProfileNotStoredText);
  if (a.flags.count("activate") && !Change(c, kScopeAll, [&](AdapterConfig& to) {
        to = cfg;
        return true;
      })) {
    return Fail(c, "the profile \"" + Printable(name) + "\" was stored but not activated");
  }
  c.out << "Profile \"" << Printable(name) << "\" stored"
        << (a.flags.count("activate") ? " and activated" : "") << ".\n";
  return kExitOk;
}

int Remove(Context& c, const std::string& name) {
  if (!Stored(c, name)) return Fail(c, "no profile named \"" + Printable(name) + "\"");
  if (int32_t rc = 0; !RemoveProfile(c.io.registry(), name, &rc)) {
    const bool busy = c.registryBusy && c.registryBusy();
    return Fail(c, "the profile \"" + Printable(name) + "\" could not be removed (" +
                       (busy ? std::string(kRegistryBusyText) : "error " + std::to_string(rc)) +
                       "); it is kept");
  }
  c.out << "Profile \"" << Printable(name) << "\" removed.\n";
  return kExitOk;
}

int Activate(Context& c, const std::string& name) {
  // A profile deleted meanwhile is refused, not applied as a cleared configuration.
  const std::optional<AdapterConfig> cfg = Stored(c, name);
  if (!cfg) return Fail(c, "no profile named \"" + Printable(name) + "\"");
  if (!Change(c, kScopeAll, [&](AdapterConfig& to) {
        to = *cfg;
        return true;
      })) {
    return kExitFailed;
  }
  c.out << "Profile \"" << Printable(name) << "\" activated.\n";
  return kExitOk;
}

}  // namespace

int CmdProfile(Context& c, const std::vector<std::string>& words) {
  std::set<std::string> valued = LinkOptionNames();
  valued.insert(SecurityOptionNames().begin(), SecurityOptionNames().end());
  Args a;
  int exit = 0;
  if (!ParseCommand(c, words, valued, {"replace", "activate"}, kProfileHelp.c_str(), &a, &exit)) {
    return exit;
  }
  const std::vector<std::string>& p = a.positional;
  const std::string verb = p.empty() ? "" : p[0];
  const bool settings = !a.values.empty() || a.flags.count("replace") || a.flags.count("activate");
  if (verb == "list" && p.size() == 1 && !settings) return List(c, a);
  if (verb == "add" && p.size() == 2) return Add(c, a, p[1]);
  if (p.size() == 2 && !settings) {
    if (verb == "show") return Show(c, a, p[1]);
    if (verb == "remove") return Remove(c, p[1]);
    if (verb == "activate") return Activate(c, p[1]);
  }
  return Usage(c, "profile needs list, show NAME, add NAME, remove NAME or activate NAME");
}

}  // namespace nv::cli
