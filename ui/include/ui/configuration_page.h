// The "Configuration" page: the adapter's link settings (SSID, BSS type, channel by regulatory
// domain, transmit rate, preamble, power mode) as stored, applied by the link-settings road.
#pragma once

#include "adapter/adapter_io.h"
#include "ui/config_page.h"

class QComboBox;
class QLineEdit;

namespace nv {

class OwnerDrawButton;

class ConfigurationPage : public ConfigPage {
  Q_OBJECT

 public:
  ConfigurationPage(AdapterIo& io, QWidget* parent);

  // Shows the stored settings (also Cancel, and the window after a change elsewhere).
  void Reload() override;
  // Sends, stores and scans the shown settings, then asks for the Link Info page.
  void Apply();

 private:
  AdapterIo& io_;
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
