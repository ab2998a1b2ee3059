#include "ui/pages.h"

#include "ui/about_page.h"
#include "ui/configuration_page.h"
#include "ui/link_info_page.h"
#include "ui/security_page.h"
#include "ui/site_survey_page.h"

namespace nv {

ConfigDialog::PageFactory StandardPages(AdapterIo& io, AppState& state) {
  return [&io, &state](int index, QWidget* frame) -> ConfigPage* {
    switch (index) {
      case kPageLinkInfo:
        return new LinkInfoPage(io, state, frame);
      case kPageConfiguration:
        return new ConfigurationPage(io, frame);
      case kPageSecurity:
        return new SecurityPage(io, state, ShowWarningBox, frame);
      case kPageSiteSurvey:
        return new SiteSurveyPage(io, state, frame);
      case kPageAbout:
        return new AboutPage(&io, frame);
      default:
        return nullptr;  // an empty page in the slot
    }
  };
}

}  // namespace nv
