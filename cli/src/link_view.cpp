#include "link_view.h"

#include <cstring>

#include "adapter/operations.h"
#include "logic/link_state.h"
#include "logic/options.h"
#include "logic/survey_model.h"

namespace nv::cli {

namespace {

std::string OneLine(std::string text) {
  for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at)) {
    text.replace(at, 1, " | ");
  }
  return text;
}

}  // namespace

LinkView JudgeLinkView(Context& c, const LinkStatus& status) {
  LinkView v;
  v.status = status;
  LinkStatus& s = v.status;
  SurveyState survey;  // the tray's tick keeps one; status and watch read it when it counts
  if (ModeFromSurvey(s)) {
    BssList list{};
    ReadBssList(c.io, list);
    RefreshSurvey(list, s, survey);
  }
  const LinkJudgement judged = JudgeLink(c.io, s, survey);
  v.found = judged.adapterFound;
  v.measured = judged.measured;
  v.quality = judged.qualityPercent;
  v.signal = judged.signalPercent;
  const bool named = s.state >= kStateConnecting && s.state <= kStateDisassociated;
  v.ssid = named ? std::string(s.ssid, strnlen(s.ssid, 32)) : "";
  v.bssid = named ? BssidText(s.bssid) : "";
  v.rate = RateText(s.rateIndex);
  return v;
}

void DecideViewLook(LinkView& v, int previousIcon, int32_t ticksInState) {
  v.look = DecideLook(v.found, v.status, v.quality, v.signal, previousIcon, ticksInState);
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
