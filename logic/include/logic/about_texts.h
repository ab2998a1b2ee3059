// The About page's three version texts: driver and firmware as the adapter reports them, and
// this utility's own, each as four numbers joined by points.
#pragma once

#include <cstdint>
#include <string>

#include "adapter/records.h"

namespace nv {

// The project version (CMakeLists.txt), byte 0 the major number.
extern const uint8_t kUtilityVersionBytes[4];

struct AboutTexts {
  bool read = false;  // false: the versions could not be read; every text stays empty
  std::string driver;
  std::string firmware;
  std::string utility;
};

// "%d.%d.%d.%d", byte 0 first.
std::string VersionText(const uint8_t (&bytes)[4]);
AboutTexts MakeAboutTexts(const DriverVersions& versions);

}  // namespace nv
