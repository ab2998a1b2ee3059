// The About page's version texts.
#include "logic/about_texts.h"

#include <gtest/gtest.h>

namespace nv {
namespace {

TEST(AboutTexts, VersionsAsFourNumbersByteZeroFirst) {
  DriverVersions v{};
  const uint8_t driver[4] = {3, 1, 0, 12};
  const uint8_t firmware[4] = {255, 0, 9, 200};
  std::copy(driver, driver + 4, v.driverVersion);
  std::copy(firmware, firmware + 4, v.firmwareVersion);
  const AboutTexts texts = MakeAboutTexts(v);
  EXPECT_TRUE(texts.read);
  EXPECT_EQ(texts.driver, "3.1.0.12");
  EXPECT_EQ(texts.firmware, "255.0.9.200");
  EXPECT_EQ(texts.utility, "1.0.2.3");
}

TEST(AboutTexts, NothingAtAllWhenTheVersionsCannotBeRead) {
  DriverVersions v{};
  v.result = -1;
  v.driverVersion[0] = 7;  // whatever the record holds besides
  const AboutTexts texts = MakeAboutTexts(v);
  EXPECT_FALSE(texts.read);
  EXPECT_EQ(texts.driver + texts.firmware + texts.utility, "");
}

}  // namespace
}  // namespace nv
