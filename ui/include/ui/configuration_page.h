// The "Configuration" page: the adapter's link settings (SSID, BSS type, channel by regulatory
// domain, transmit rate, preamble, power mode) as stored, applied by the link-settings road.
#pragma once

#include "adapter/adapter_io.h"
#include "ui/config_page.h"
#include "ui/warning_box.h"

class QComboBox;
class QLineEdit;

namespace nv {

class OwnerDrawButton;

class ConfigurationPage : public ConfigPage {
  Q_OBJECT

 public:
  ConfigurationPage(AdapterIo& io, QWidget* parent, WarningBox warning = ShowWarningBox);

  // Shows the stored settings (also Cancel, and the window after a change elsewhere).
  void Reload() override;
  // Sends, stores and scans the shown settings, then asks for the Link Info page; a box says
  // what the change did not do. With the settings busy elsewhere the page stays as it is.
  void Apply();

 private:
  void ShowStored();  // Reload's work, also at creation
  AdapterIo& io_;
  WarningBox warning_;
  QLineEdit* ssidEdit_ = nullptr;
  QComboBox* bssTypeList_ = nullptr;
  QComboBox* channelList_ = nullptr;
  QComboBox* txRateList_ = nullptr;
  QComboBox* preambleList_ = nullptr;
  QComboBox* powerModeList_ = nullptr;
  OwnerDrawButton* applyButton_ = nullptr;
  OwnerDrawButton* cancelButton_ = nullptr;
};

}  // namespace nv
