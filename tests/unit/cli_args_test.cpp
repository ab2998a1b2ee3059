#include <gtest/gtest.h>

#include "args.h"
#include "logic/options.h"

namespace nv::cli {
namespace {

TEST(CliArgs, Choices) {
  struct Case {
    const char* text;
    int rate;
  } rates[] = {{"Auto", 0},     {"auto", 0},    {"1", 1},  {"2 Mbps", 2},  {"5.5", 3},
               {"5.5 PBCC", 4}, {"5.5pbcc", 4}, {"11", 5}, {"11 PBCC", 6}, {"22", 7},
               {"7", 7},        {"0", 0},       {"8", -1}, {"", -1},       {"fast", -1}};
  for (const Case& c : rates) {
    EXPECT_EQ(ParseChoice(c.text, kTxRateTexts.data(), kTxRateTexts.size()), c.rate) << c.text;
  }
  EXPECT_EQ(ParseChoice("adhoc", kBssTypeTexts.data(), 3), 0);
  EXPECT_EQ(ParseChoice("infra", kBssTypeTexts.data(), 3), 1);
  EXPECT_EQ(ParseChoice("a", kBssTypeTexts.data(), 3), -1);  // Ad-hoc or Any
  EXPECT_EQ(ParseChoice("shared", kAuthModeTexts.data(), 3), 1);
  EXPECT_EQ(ParseChoice("max", kPowerModeTexts.data(), 3), 1);
}

TEST(CliArgs, Options) {
  Args a;
  std::string error;
  ASSERT_TRUE(ParseArgs({"set", "--ssid", "a b", "--rate=11", "--json", "x"}, {"ssid", "rate"},
                        {"json"}, &a, &error));
  EXPECT_EQ(a.positional, std::vector<std::string>({"set", "x"}));
  EXPECT_EQ(*a.Get("ssid"), "a b");
  EXPECT_EQ(*a.Get("rate"), "11");
  EXPECT_TRUE(a.flags.count("json"));
  Args b;
  EXPECT_FALSE(ParseArgs({"--ssid"}, {"ssid"}, {}, &b, &error));
  EXPECT_FALSE(ParseArgs({"--nope"}, {"ssid"}, {}, &b, &error));
  EXPECT_FALSE(ParseArgs({"--json=1"}, {}, {"json"}, &b, &error));
}

}  // namespace
}  // namespace nv::cli
