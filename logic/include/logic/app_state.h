// The process-wide records of the tray program, in one object the shell owns and hands to
// whoever reads them. Owners: the tray monitor writes the link snapshot, the percentages,
// configWindowOpen and the tick counters; the survey (Site Survey data) its lists; start-up
// and the Link Info page radioOn.
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
