// The configuration window's pages as both windows know them: index, label and layout, and
// the order they are created in. The index is what a page change asks for.
#pragma once

#include <array>
#include <cstdint>

namespace nv {

inline constexpr int kPageLinkInfo = 0;
inline constexpr int kPageConfiguration = 1;
inline constexpr int kPageSecurity = 2;
inline constexpr int kPageSiteSurvey = 3;
inline constexpr int kPageAbout = 4;
inline constexpr int kPageReload = 9;  // the stored configuration changed: reload, then page 0
inline constexpr int kPageCount = 5;

inline constexpr const char* kConfigWindowTitle = "Wireless LAN Monitor/Configuration Utility";

// The window's colours as 0xRRGGBB: its background; a label under the pointer; the labels of
// the pages not shown (darker than the classic 0x808080 grey, which reads at only 2.9:1 on the
// background: this one reads at 4.7:1).
inline constexpr uint32_t kWindowBackgroundRgb = 0xC6D8F1;
inline constexpr uint32_t kLabelHoverRgb = 0x0000FF;
inline constexpr uint32_t kLabelInactiveRgb = 0x5A5A5A;

// Label texts by page index.
inline constexpr std::array<const char*, kPageCount> kPageLabels = {
    "Link Info.", "Configuration", "Security", "SiteSurvey", "About"};
// Dialog layouts by page index.
inline constexpr std::array<int, kPageCount> kPageLayouts = {138, 139, 145, 141, 142};
// The pages are created in this order (each page's own set-up reads the adapter).
inline constexpr std::array<int, kPageCount> kPageCreationOrder = {
    kPageLinkInfo, kPageConfiguration, kPageSiteSurvey, kPageAbout, kPageSecurity};

// The page Ctrl+Tab (step 1) or Ctrl+Shift+Tab (step -1) goes to, in label order, wrapping
// around; from a reload request it counts from page 0.
constexpr int NextPage(int current, int step) {
  const int from = (current < 0 || current >= kPageCount) ? kPageLinkInfo : current;
  return ((from + step) % kPageCount + kPageCount) % kPageCount;
}

}  // namespace nv
