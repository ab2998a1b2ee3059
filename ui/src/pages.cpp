#include "ui/pages.h"

#include "ui/site_survey_page.h"

namespace nv {

ConfigDialog::PageFactory StandardPages(AdapterIo& io, AppState& state) {
  return [&io, &state](int index, QWidget* frame) -> ConfigPage* {
    if (index == kPageSiteSurvey) return new SiteSurveyPage(io, state, frame);
    return nullptr;  // an empty page in the slot
  };
}

}  // namespace nv
