// The data half of the Site Survey page: which survey entries are shown and in what order,
// which one is the current network, and how the profiles are marked and ordered.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "adapter/records.h"

namespace nv {

// The profile store's table (store/profile_store.h); the front ends get the profiles as rows
// (logic/profile_actions.h: ListProfiles).
struct ProfileTable;

// Image indexes of the survey and profile lists.
inline constexpr int kMarkAdHoc = 0;
inline constexpr int kMarkAccessPoint = 1;
inline constexpr int kMarkAccessPointAway = 4;
inline constexpr int kMarkAccessPointCurrent = 5;
inline constexpr int kMarkAdHocCurrent = 6;
inline constexpr int kMarkAdHocAway = 7;

struct SurveyRow {
  int entry;  // index in the survey list
  int image;
  std::array<std::string, 6> columns;  // BSS/IBSSID, SSID, WEP, AP, Channel, RSSI
};

inline constexpr std::array<const char*, 6> kSurveyColumns = {"BSS/IBSSID", "SSID",    "WEP",
                                                              "AP",         "Channel", "RSSI"};

// The process-wide survey state: the last list read, its hidden flags and the current entry.
struct SurveyState {
  BssList list{};
  std::array<bool, kMaxBssEntries> hidden{};
  int32_t connectedBssIndex = -1;
};

// Rebuilds `state` from a fresh read. Returns the rows to show, current network first; a
// failed read (count -1) returns nothing and the caller keeps what it showed.
std::vector<SurveyRow> RefreshSurvey(const BssList& read, const LinkStatus& current,
                                     SurveyState& state);
std::array<std::string, 6> SurveyColumns(const BssEntry& entry);

// A survey started by Refresh is polled once a second, at most eleven times.
inline constexpr int kSurveyPollMs = 1000;
inline constexpr int kSurveyMaxPolls = 11;

enum class PollStep {
  Wait,    // not finished: poll again
  Done,    // finished: show the lists
  GiveUp,  // the last poll: show what the driver reports now, then stop the scan
};
// One poll of a running survey; counts the polls that did not find it finished.
PollStep NextPollStep(bool scanDone, int& pollCount);

struct ProfileRow {
  std::string name;
  int mark;
};

// What a mark (of a profile or a survey row) says: the current network, one in range, one not.
enum class MarkPlace { Current, InRange, NotInRange };
MarkPlace PlaceOfMark(int mark);
// "current", "in range", "not in range": wlanctl's words.
const char* MarkText(int mark);
// What the picture says to a screen reader: "current network", "in range", "not in range".
const char* MarkDescription(int mark);

// Current (5, 6), in range (1, 0) or not in range (4, 7) by the profile's name (its first 32
// characters) and BSS type; every type but ad hoc (0) takes the access-point pictures.
int ProfileMark(const char* name, int32_t bssType, const BssList& survey,
                const LinkStatus& current);
// The shown profiles: current ones, then those in range, then those out of range, each in
// table order. Profiles whose mark has no picture are left out.
std::vector<ProfileRow> OrderProfiles(const ProfileTable& table, const BssList& survey,
                                      const LinkStatus& current);

}  // namespace nv
