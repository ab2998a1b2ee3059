// The "Security" page: WEP on or off, authentication mode, four keys with their sizes, the key
// format, the default key, keys from a passphrase; applied by the security-settings road after
// the key length check. Stored keys are shown masked, in HEX.
#pragma once

#include <array>

#include "adapter/adapter_io.h"
#include "logic/app_state.h"
#include "logic/page_rules.h"
#include "ui/config_page.h"
#include "ui/warning_box.h"

class QComboBox;

namespace nv {

class OwnerDrawButton;
class KeyGroup;

class SecurityPage : public ConfigPage {
  Q_OBJECT

 public:
  SecurityPage(AdapterIo& io, AppState& state, WarningBox warning, QWidget* parent);

  void Reload() override;
  // Runs the key length check (its "Warning" stops here), then sends, stores and scans.
  void Apply();
  // Fills the four key boxes from the passphrase (nothing is stored).
  void GenerateKeys();

  int keyFormat() const;

 private:
  void ShowStored();  // Reload's work, also at creation
  void BuildKeyGroup();
  void BuildButtons();
  void EnableKeyGroup(bool on);
  SecurityInput Input() const;

  AdapterIo& io_;
  AppState& state_;
  WarningBox warning_;

  OwnerDrawButton* encryptionBox_ = nullptr;
  QComboBox* authModeList_ = nullptr;
  KeyGroup* keyGroup_ = nullptr;
  OwnerDrawButton* applyButton_ = nullptr;
  OwnerDrawButton* cancelButton_ = nullptr;
};

}  // namespace nv
