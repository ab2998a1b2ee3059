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
class QLineEdit;

namespace nv {

class OwnerDrawButton;
class HexKeyEdit;

class SecurityPage : public ConfigPage {
  Q_OBJECT

 public:
  SecurityPage(AdapterIo& io, AppState& state, WarningBox warning, QWidget* parent);

  void Reload() override;
  // Runs the key length check (its "Warning" stops here), then sends, stores and scans.
  void Apply();
  // Fills the four key boxes from the passphrase (nothing is stored).
  void GenerateKeys();

  int keyFormat() const { return keyFormat_; }

 private:
  void BuildKeyGroup();
  void BuildButtons();
  void EnableKeyGroup(bool on);
  void ChangeKeyFormat(int format);
  void ChangeKeySize(size_t key, int size);
  SecurityInput Input() const;

  AdapterIo& io_;
  AppState& state_;
  WarningBox warning_;
  int keyFormat_ = kKeyFormatHex;  // the format last put in force

  OwnerDrawButton* encryptionBox_ = nullptr;
  QComboBox* authModeList_ = nullptr;
  QComboBox* keyFormatList_ = nullptr;
  QLineEdit* passphraseEdit_ = nullptr;
  OwnerDrawButton* doneButton_ = nullptr;
  std::array<OwnerDrawButton*, 4> defaultKeyButtons_{};
  std::array<HexKeyEdit*, 4> keyEdits_{};
  std::array<QComboBox*, 4> keySizeLists_{};
  OwnerDrawButton* applyButton_ = nullptr;
  OwnerDrawButton* cancelButton_ = nullptr;
};

}  // namespace nv
