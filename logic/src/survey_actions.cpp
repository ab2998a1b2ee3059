#include "logic/survey_actions.h"

#include "adapter/operations.h"

namespace nv {

void RefreshSurveyState(AdapterIo& io, AppState& state) {
  BssList list{};
  ReadBssList(io, list);
  RefreshSurvey(list, state.currentLinkStatus, state.survey);
}

}  // namespace nv
