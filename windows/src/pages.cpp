#include "win/pages.h"

#include "pages/about_page.h"
#include "pages/configuration_page.h"
#include "pages/link_info_page.h"
#include "pages/security_page.h"
#include "pages/site_survey_page.h"

namespace nv::win {

// Pages not yet written show their layout on white.
ConfigDialog::PageFactory StandardPages() {
  return [](int index, PageContext& context) -> std::unique_ptr<Page> {
    switch (index) {
      case kPageLinkInfo:
        return std::make_unique<LinkInfoPage>(context);
      case kPageConfiguration:
        return std::make_unique<ConfigurationPage>(context);
      case kPageAbout:
        return std::make_unique<AboutPage>(context);
      case kPageSecurity:
        return std::make_unique<SecurityPage>(context);
      case kPageSiteSurvey:
        return std::make_unique<SiteSurveyPage>(context);
      default:
        return nullptr;
    }
  };
}

}  // namespace nv::win
