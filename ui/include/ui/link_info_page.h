// The "Link Info." page: the link as the tray's last tick saw it (status, SSID, BSSID, rate,
// channel, quality and signal bars), the throughput with its two charts, and the radio button.
// Only the byte counters and the radio state are read from the adapter here.
#pragma once

#include <QTimer>
#include <array>

#include "adapter/adapter_io.h"
#include "logic/app_state.h"
#include "logic/link_info.h"
#include "ui/config_page.h"

class QLabel;

namespace nv {

class CEditEx;
class GradientProgress;
class StripChart;
class OwnerDrawButton;
class LabelStatic;

inline constexpr int kLinkInfoPeriodMs = 1000;
inline constexpr int kRadioConfirmPeriodMs = 1000;

class LinkInfoPage : public ConfigPage {
  Q_OBJECT

 public:
  LinkInfoPage(AdapterIo& io, AppState& state, QWidget* parent);

  // One display tick (the page's timer runs it every second, one at a time).
  void UpdateDisplay();
  // One radio confirmation (timer 200): enables the button once the adapter agrees.
  void ConfirmRadio();

  const QTimer& displayTimer() const { return displayTimer_; }
  const QTimer& radioTimer() const { return radioTimer_; }

 private:
  void BuildStatusArea();
  void BuildQualityGroup();
  void BuildDataRateGroup();
  void ResetBaseline();
  void UpdateThroughput();
  void SwitchRadio();
  void ShowRadioCaption();

  AdapterIo& io_;
  AppState& state_;
  CounterBaseline baseline_;
  QTimer displayTimer_;
  QTimer radioTimer_;

  CEditEx* statusEdit_ = nullptr;
  CEditEx* ssidEdit_ = nullptr;
  CEditEx* rateEdit_ = nullptr;
  CEditEx* channelEdit_ = nullptr;
  OwnerDrawButton* radioButton_ = nullptr;
  GradientProgress* qualityBar_ = nullptr;
  GradientProgress* signalBar_ = nullptr;
  QLabel* qualityText_ = nullptr;
  QLabel* signalText_ = nullptr;
  CEditEx* txEdit_ = nullptr;
  CEditEx* rxEdit_ = nullptr;
  StripChart* txChart_ = nullptr;
  StripChart* rxChart_ = nullptr;
  std::array<LabelStatic*, 5> scale_{};
};

}  // namespace nv
