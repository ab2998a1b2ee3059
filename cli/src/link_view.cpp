#include "link_view.h"

#include <cstring>

#include "adapter/operations.h"
#include "logic/options.h"
#include "logic/survey_model.h"
#include "store/adapter_params.h"

namespace nv::cli {

namespace {

std::string OneLine(std::string text) {
  for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at)) {
    text.replace(at, 1, " | ");
  }
  return text;
}

// Undetermined network mode while associated is taken from the survey, as the tray does.
void CorrectNetworkMode(Context& c, LinkStatus& status) {
  if (status.state != kStateAssociated || status.networkMode != kNetworkUndetermined) return;
  BssList list{};
  ReadBssList(c.io, list);
  SurveyState state;
  RefreshSurvey(list, status, state);
  if (state.connectedBssIndex != -1) {
    status.networkMode = list.entries[state.connectedBssIndex].networkMode;
  }
}

}  // namespace

bool AdapterFound(Context& c, const LinkStatus& status) {
  if (status.state == kStateNoDriver) return false;
  AdapterConfig stored{};
  ReadAdapterParameters(c.io, stored);
  return stored.scope != kScopeNoAdapter;
}

LinkView MakeLinkView(Context& c, const LinkStatus& status, bool found, int previousIcon,
                      int32_t ticksInState) {
  LinkView v;
  v.status = status;
  LinkStatus& s = v.status;
  v.found = found;
  CorrectNetworkMode(c, s);
  v.measured = v.found && s.state == kStateAssociated && s.networkMode == kNetworkInfrastructure;
  v.quality = v.measured ? QualityPercent(s.linkMetric) : 0;
  v.signal = v.measured ? SignalPercent(s.signalMetric) : 0;
  v.look = DecideLook(v.found, s, v.quality, v.signal, previousIcon, ticksInState);
  const bool named = s.state >= kStateConnecting && s.state <= kStateDisassociated;
  v.ssid = named ? std::string(s.ssid, strnlen(s.ssid, 32)) : "";
  v.bssid = named ? BssidText(s.bssid) : "";
  v.rate = RateText(s.rateIndex);
  return v;
}

Json LinkJson(const LinkView& v) {
  const LinkStatus& s = v.status;
  Json json{{"state", s.state},
            {"status", StatusText(v.found ? s.state : kStateNoDriver)},
            {"ssid", v.ssid},
            {"bssid", v.bssid},
            {"channel", s.channel},
            {"rate", v.rate},
            {"quality", v.measured ? Json(v.quality) : Json(nullptr)},
            {"signal", v.measured ? Json(v.signal) : Json(nullptr)},
            {"icon", v.look.icon == kIconNone ? Json(nullptr) : Json(v.look.icon)},
            {"tooltip", v.look.tip}};
  AddBytesWhenNotUtf8(json, "ssid", v.ssid);
  return json;
}

std::vector<std::pair<const char*, std::string>> LinkRows(const LinkView& v) {
  const LinkStatus& s = v.status;
  const bool kept = v.look.icon == kIconNone;
  return {
      {"Status", v.found ? StatusLine(s) : std::string(StatusText(kStateNoDriver))},
      {"SSID", v.ssid},
      {"Channel", s.channel ? std::to_string(s.channel) : ""},
      {"Tx Rate", v.rate.empty() ? "" : v.rate + " Mbps"},
      {"Link Quality", v.measured ? std::to_string(v.quality) + "%" : ""},
      {"Signal Strength", v.measured ? std::to_string(v.signal) + "%" : ""},
      {"Tray icon",
       kept ? "unchanged (the tray keeps the icon it had)" : std::to_string(v.look.icon)},
      {"Tooltip", OneLine(v.look.tip)},
  };
}

}  // namespace nv::cli
