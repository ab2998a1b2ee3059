// The "Security" page (layout 145): WEP on or off, the authentication mode and the key group.
// Apply runs the key length check first (its "Warning" stops everything), then takes the
// change road with the security scope under the settings lock, shows the stored settings
// again and asks for the Link Info page; a box says what the change did not do.
#pragma once

#include "key_group.h"
#include "win/page.h"

namespace nv::win {

class SecurityPage : public Page {
 public:
  explicit SecurityPage(PageContext& context);

  void Reload() override;
  void Apply();

  const KeyGroup& keyGroup() const { return keys_; }

 protected:
  void OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;

 private:
  SecurityInput Input() const;
  void EnableKeyGroup();

  KeyGroup keys_;
  OwnerDrawButton applyButton_;
  OwnerDrawButton cancelButton_;
};

}  // namespace nv::win
