#include "logic/link_state.h"

#include "logic/tray_look.h"
#include "store/adapter_params.h"

namespace nv {

bool ModeFromSurvey(const LinkStatus& link) {
  return link.state == kStateAssociated && link.networkMode == kNetworkUndetermined;
}

LinkJudgement JudgeLink(AdapterIo& io, LinkStatus& link, const SurveyState& survey) {
  const int32_t connected = survey.connectedBssIndex;
  if (ModeFromSurvey(link) && connected >= 0 && connected < kMaxBssEntries) {
    link.networkMode = survey.list.entries[connected].networkMode;
  }
  LinkJudgement j;
  j.stored.scope = kScopeNoAdapter;  // a link that did not answer has no adapter to read
  if (link.state != kStateNoDriver) ReadAdapterParameters(io, j.stored);
  j.adapterFound = j.stored.scope != kScopeNoAdapter;
  j.measured = j.adapterFound && link.state == kStateAssociated &&
               link.networkMode == kNetworkInfrastructure;
  if (j.measured) {
    j.qualityPercent = QualityPercent(link.linkMetric);
    j.signalPercent = SignalPercent(link.signalMetric);
  }
  return j;
}

}  // namespace nv
