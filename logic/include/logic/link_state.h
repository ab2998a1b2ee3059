// How one read of the link is judged, the same for the tray's tick and for wlanctl's status
// and watch: whether a supported adapter is there, the network mode an association has, and
// whether the link's percentages count. The look then follows (logic/tray_look.h).
#pragma once

#include <cstdint>

#include "adapter/adapter_io.h"
#include "adapter/records.h"
#include "logic/survey_model.h"

namespace nv {

struct LinkJudgement {
  // The link answered and the registry locator found the adapter's key.
  bool adapterFound = false;
  AdapterConfig stored{};  // what the locator read (kScopeNoAdapter when it found none)
  // Associated in infrastructure mode with the adapter found: the percentages count.
  bool measured = false;
  int32_t qualityPercent = 0;  // 0 unless measured
  int32_t signalPercent = 0;
};

// True when the link is associated but the driver left its network mode undetermined: the
// survey's current entry then tells it.
bool ModeFromSurvey(const LinkStatus& link);

// Judges `link`, one ReadLinkStatus: an undetermined network mode while associated is first
// taken from `survey`'s current entry (in `link`); the stored settings are read unless the
// link did not answer at all.
LinkJudgement JudgeLink(AdapterIo& io, LinkStatus& link, const SurveyState& survey);

}  // namespace nv
