#include "logic/about_texts.h"

#include <cstdio>

namespace nv {

const uint8_t kUtilityVersionBytes[4] = {NV_VERSION_MAJOR, NV_VERSION_MINOR, NV_VERSION_PATCH,
                                         NV_VERSION_TWEAK};

std::string VersionText(const uint8_t (&bytes)[4]) {
  char text[20];
  std::snprintf(text, sizeof text, "%d.%d.%d.%d", bytes[0], bytes[1], bytes[2], bytes[3]);
  return text;
}

AboutTexts MakeAboutTexts(const DriverVersions& versions) {
  AboutTexts texts;
  // No adapter: not even the utility's own version.
  if (versions.result != kVersionsRead) return texts;
  texts.read = true;
  texts.driver = VersionText(versions.driverVersion);
  texts.firmware = VersionText(versions.firmwareVersion);
  texts.utility = VersionText(kUtilityVersionBytes);
  return texts;
}

}  // namespace nv
