// The "Configuration" page (layout 139): the stored link settings (SSID, BSS type, channel,
// transmit rate, preamble, power mode). Apply takes the change road with the link group;
// Cancel shows the stored settings again.
#pragma once

#include "win/controls.h"
#include "win/page.h"

namespace nv::win {

class ConfigurationPage : public Page {
 public:
  using Page::Page;

  void Reload() override;

 protected:
  void OnInitDialog() override;
  bool OnCommand(int id, int code) override;

 private:
  void FillLists();
  void Apply();
  void FollowBssType();

  OwnerDrawButton apply_, cancel_;
};

}  // namespace nv::win
