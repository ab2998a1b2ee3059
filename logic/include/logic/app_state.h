// The process-wide records of the tray program, in one object the shell owns and hands to
// whoever reads them. Writers: the tray monitor (logic/tray_monitor.cpp) the link snapshot, the
// percentages and the tick counters; the main frame (shell/src/main_frame.cpp) configWindowOpen,
// radioOn at start-up and the survey lists when the tray refreshes them without the window; the
// Site Survey page the survey lists; the Link Info page radioOn.
#pragma once

#include <cstdint>

#include "adapter/records.h"
#include "logic/survey_model.h"

namespace nv {

struct AppState {
  LinkStatus currentLinkStatus{};
  int32_t linkQualityPercent = 0;
  int32_t signalStrengthPercent = 0;
  bool configWindowOpen = false;
  int32_t connectingTicks = 0;
  int32_t settledTicks = 0;
  SurveyState survey;  // surveyList, hidden flags, connectedBssIndex
  uint8_t radioOn = 0;
};

}  // namespace nv
