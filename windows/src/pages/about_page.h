// The "About" page (layout 142): the driver's, the firmware's and this utility's versions and
// the picture, read once when the page is made at the window's opening.
#pragma once

#include "win/controls.h"
#include "win/page.h"

namespace nv::win {

class AboutPage : public Page {
 public:
  using Page::Page;

 protected:
  void OnInitDialog() override;
  void OnDestroy() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;

 private:
  void SetUpLook();
  void FillVersions();

  GroupFrame versionGroup_;
  AnimatedPicture picture_;
  HFONT titleFont_ = nullptr;
};

}  // namespace nv::win
