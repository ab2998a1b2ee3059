#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "logic/options.h"
#include "logic/survey_model.h"
#include "store/profile_store.h"

namespace nv {
namespace {

BssEntry Entry(const char* ssid, uint8_t last, uint8_t mode, uint8_t rssi = 100) {
  BssEntry e{};
  std::strcpy(e.ssid, ssid);
  e.bssid[5] = last;
  e.networkMode = mode;
  e.rssi = rssi;
  e.channel = 6;
  return e;
}

TEST(SurveyModel, CurrentFirstHiddenLeftOut) {
  BssList list{};
  list.count = 3;
  list.entries[0] = Entry("First", 1, 1, 150);
  list.entries[1] = Entry("", 2, 1);
  list.entries[2] = Entry("Mine", 3, 0, 230);
  LinkStatus current{};
  current.state = 3;
  current.bssid[5] = 3;
  SurveyState state;
  const auto rows = RefreshSurvey(list, current, state);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].entry, 2);
  EXPECT_EQ(rows[0].image, 6);  // ad hoc, current
  EXPECT_EQ(rows[0].columns[5], "100");
  EXPECT_EQ(rows[1].image, 1);
  EXPECT_EQ(rows[1].columns[5], "75");
  EXPECT_EQ(rows[1].columns[0], "00-00-00-00-00-01");
  EXPECT_EQ(state.connectedBssIndex, 2);
  EXPECT_TRUE(state.hidden[1]);
  current.state = 4;  // not associated: nobody is current
  EXPECT_EQ(RefreshSurvey(list, current, state).front().entry, 0);
  EXPECT_EQ(state.connectedBssIndex, -1);
  list.entries[0] = Entry("@", 1, 1);
  EXPECT_EQ(RefreshSurvey(list, current, state).size(), 1u);
  list.count = -1;
  EXPECT_TRUE(RefreshSurvey(list, current, state).empty());
  EXPECT_EQ(state.list.count, -1);
}

TEST(SurveyModel, ProfileMarksAndOrder) {
  BssList survey{};
  survey.count = 2;
  survey.entries[0] = Entry("Office", 1, 1);
  survey.entries[1] = Entry("", 2, 1);
  LinkStatus current{};
  struct Case {
    const char* name;
    int32_t bssType;
    int32_t state;
    const char* ssid;
    int mark;
  } cases[] = {{"Office", 1, 0, "", 1}, {"Home", 1, 0, "", 4},     {"Office", 1, 3, "Office", 5},
               {"Cell", 0, 0, "", 7},   {"Cell", 0, 3, "Cell", 6}, {"office", 1, 0, "", 4}};
  for (const Case& c : cases) {
    current.state = c.state;
    std::strcpy(current.ssid, c.ssid);
    EXPECT_EQ(ProfileMark(c.name, c.bssType, survey, current), c.mark) << c.name;
  }
  // Marks 7, 1, 5, 0 in table order are listed 5, 1, 0, 7.
  auto table = std::make_unique<ProfileTable>();
  table->count = 4;
  const char* names[] = {"Cell", "Office", "Now", "Party"};
  const int32_t types[] = {0, 1, 1, 0};
  for (int i = 0; i < 4; ++i) {
    std::strcpy(table->names[i], names[i]);
    table->configs[i].bssType = types[i];
  }
  survey.count = 3;
  survey.entries[2] = Entry("Party", 3, 0);
  current.state = 3;
  std::strcpy(current.ssid, "Now");
  const auto rows = OrderProfiles(*table, survey, current);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].mark, 5);
  EXPECT_EQ(rows[1].mark, 1);
  EXPECT_EQ(rows[2].mark, 0);
  EXPECT_EQ(rows[3].mark, 7);
}

// Slips the examples above would let through, and the "Any" type's marks.
TEST(SurveyModel, EdgesOfTheRules) {
  BssList list{};
  list.count = 2;
  list.entries[0] = Entry("@home", 1, 1, 151);
  list.entries[1] = Entry("Far", 2, 1, 1);
  LinkStatus current{};
  SurveyState state;
  const auto rows = RefreshSurvey(list, current, state);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].columns[1], "@home");  // only "@" itself is hidden
  EXPECT_EQ(rows[0].columns[5], "75");     // 151 halved, rounded down
  EXPECT_EQ(rows[1].columns[5], "0");

  BssList survey{};
  survey.count = 1;
  survey.entries[0] = Entry("Near", 1, 1);
  struct Case {
    const char* name;
    int32_t bssType;
    int32_t state;
    const char* ssid;
    int mark;
  } cases[] = {
      {"Home", 1, 4, "Home", 4},  // named like the current SSID, link not associated
      {"Home", 1, 2, "Home", 4},  // nor while connecting
      {"Near", 1, 2, "Near", 1}, {"Wireless", 2, 3, "Wireless", 5},  // "Any": current
      {"Near", 2, 0, "", 1},                                         // "Any": in range
      {"Far", 2, 0, "", 4},                                          // "Any": not in range
      {"Far", 7, 0, "", 4},                                          // unknown types likewise
      {"Cell", 0, 3, "Cell", 6},
  };
  for (const Case& c : cases) {
    current.state = c.state;
    std::strcpy(current.ssid, c.ssid);
    EXPECT_EQ(ProfileMark(c.name, c.bssType, survey, current), c.mark)
        << c.name << " type " << c.bssType << " state " << c.state;
  }
}

TEST(SurveyModel, ProfileNamesCountUpToThirtyTwoCharacters) {
  auto table = std::make_unique<ProfileTable>();
  table->count = 2;
  const std::string name33 = std::string(32, 'n') + "X";
  std::memcpy(table->names[0], name33.c_str(), 34);
  std::strcpy(table->names[1], "Any");
  table->configs[0].bssType = 1;
  table->configs[1].bssType = 2;
  BssList survey{};
  survey.count = 1;
  survey.entries[0] = Entry(std::string(32, 'n').c_str(), 1, 1);
  LinkStatus current{};
  current.state = 3;
  std::strcpy(current.ssid, "Any");
  const auto rows = OrderProfiles(*table, survey, current);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].name, "Any");
  EXPECT_EQ(rows[0].mark, 5);
  EXPECT_EQ(rows[1].name, std::string(32, 'n'));
  EXPECT_EQ(rows[1].mark, 1);  // the cut name is the surveyed SSID
}

}  // namespace
}  // namespace nv
