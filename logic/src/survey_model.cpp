#include "logic/survey_model.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "logic/options.h"
#include "store/profile_store.h"

namespace nv {

std::array<std::string, 6> SurveyColumns(const BssEntry& e) {
  return {BssidText(e.bssid),        std::string(e.ssid, strnlen(e.ssid, sizeof e.ssid)),
          e.privacy ? "Yes" : "No",  e.networkMode ? "Yes" : "No",
          std::to_string(e.channel), std::to_string(std::min(e.rssi / 2, 100))};
}

std::vector<SurveyRow> RefreshSurvey(const BssList& read, const LinkStatus& current,
                                     SurveyState& state) {
  state = SurveyState{};
  state.list = read;
  std::vector<SurveyRow> rows;
  if (read.count < 0) return rows;
  const int count = std::min(read.count, kMaxBssEntries);
  for (int i = 0; i < count; ++i) {
    const BssEntry& e = read.entries[i];
    if (e.ssid[0] == '\0' || std::strcmp(e.ssid, "@") == 0) {
      state.hidden[i] = true;
      continue;
    }
    if (current.state == kStateAssociated && std::memcmp(e.bssid, current.bssid, 6) == 0) {
      // Every match goes to the top; the last one found is the current entry.
      state.connectedBssIndex = i;
      rows.insert(rows.begin(), {i, 6 - e.networkMode, SurveyColumns(e)});
    }
  }
  for (int i = 0; i < count; ++i) {
    if (state.hidden[i] || i == state.connectedBssIndex) continue;
    rows.push_back({i, read.entries[i].networkMode, SurveyColumns(read.entries[i])});
  }
  return rows;
}

int ProfileMark(const char* name, int32_t bssType, const BssList& survey,
                const LinkStatus& current) {
  // "Any", the default of every stored configuration, and any other value mostly join
  // access points: they take the infrastructure marks rather than falling between pictures.
  const int t = bssType == kBssAdHoc ? 0 : 1;
  const std::string cut(name, strnlen(name, kProfileNameChars));
  int mark = 7 - 3 * t;
  for (int i = 0; i < survey.count && i < kMaxBssEntries; ++i) {
    const BssEntry& e = survey.entries[i];
    if (cut == std::string_view(e.ssid, strnlen(e.ssid, sizeof e.ssid))) {
      mark = t;
      break;
    }
  }
  if (current.state == kStateAssociated &&
      cut == std::string_view(current.ssid, strnlen(current.ssid, sizeof current.ssid))) {
    mark = 6 - t;
  }
  return mark;
}

std::vector<ProfileRow> OrderProfiles(const ProfileTable& table, const BssList& survey,
                                      const LinkStatus& current) {
  std::vector<ProfileRow> marked;
  for (int i = 0; i < table.count && i < kMaxProfiles; ++i) {
    // Names count up to 32 characters, however they were read.
    marked.push_back({std::string(table.names[i], strnlen(table.names[i], kProfileNameChars)),
                      ProfileMark(table.names[i], table.configs[i].bssType, survey, current)});
  }
  std::vector<ProfileRow> rows;
  for (const auto& pass : {std::array{5, 6}, std::array{0, 1}, std::array{4, 7}}) {
    for (const ProfileRow& row : marked) {
      if (row.mark == pass[0] || row.mark == pass[1]) rows.push_back(row);
    }
  }
  return rows;
}

MarkPlace PlaceOfMark(int mark) {
  switch (mark) {
    case kMarkAccessPointCurrent:
    case kMarkAdHocCurrent:
      return MarkPlace::Current;
    case kMarkAccessPoint:
    case kMarkAdHoc:
      return MarkPlace::InRange;
    default:
      return MarkPlace::NotInRange;
  }
}

const char* MarkText(int mark) {
  switch (PlaceOfMark(mark)) {
    case MarkPlace::Current:
      return "current";
    case MarkPlace::InRange:
      return "in range";
    case MarkPlace::NotInRange:
      break;
  }
  return "not in range";
}

const char* MarkDescription(int mark) {
  return PlaceOfMark(mark) == MarkPlace::Current ? "current network" : MarkText(mark);
}

PollStep NextPollStep(bool scanDone, int& pollCount) {
  if (scanDone) return PollStep::Done;
  return ++pollCount < kSurveyMaxPolls ? PollStep::Wait : PollStep::GiveUp;
}

}  // namespace nv
