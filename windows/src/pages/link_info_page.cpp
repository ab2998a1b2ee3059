#include "link_info_page.h"

#include <commctrl.h>

#include <string>

#include "adapter/operations.h"
#include "link_info_ids.h"

namespace nv::win {

namespace {

constexpr COLORREF kValueBlue = RGB(0, 0, 255);  // COLORREF 0xFF0000: the values
constexpr COLORREF kNavy = RGB(0, 0, 128);       // group captions
constexpr COLORREF kLineGrey = RGB(128, 128, 128);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr uint32_t kBarStop = 0xFF0000;  // both gradient stops pure blue
// Top to bottom: "10000", "1000", "100", "10", "0".
constexpr std::array<int, 5> kScaleIds = {IDC_LINK_SCALE_10000, IDC_LINK_SCALE_1000,
                                          IDC_LINK_SCALE_100, IDC_LINK_SCALE_10, IDC_LINK_SCALE_0};

}  // namespace

void LinkInfoPage::OnInitDialog() {
  AttachControls();
  SetUpLook();
  ShowRadioCaption();
  ResetBaseline();
  UpdateDisplay();
  SetTimer(hwnd_, kLinkInfoDisplayTimer, kLinkInfoPeriodMs, nullptr);
}

void LinkInfoPage::AttachControls() {
  status_.Attach(hwnd_, IDC_LINK_STATUS);
  ssid_.Attach(hwnd_, IDC_LINK_SSID);
  rate_.Attach(hwnd_, IDC_LINK_TX_RATE);
  channel_.Attach(hwnd_, IDC_LINK_CHANNEL);
  transmit_.Attach(hwnd_, IDC_LINK_TRANSMIT);
  receive_.Attach(hwnd_, IDC_LINK_RECEIVE);
  radio_.Attach(hwnd_, IDC_LINK_RADIO);
  qualityGroup_.Attach(hwnd_, IDC_LINK_QUALITY_GROUP);
  dataGroup_.Attach(hwnd_, IDC_LINK_DATA_GROUP);
  qualityBar_.Attach(hwnd_, IDC_LINK_QUALITY_BAR);
  signalBar_.Attach(hwnd_, IDC_LINK_SIGNAL_BAR);
  transmitChart_.Attach(hwnd_, IDC_LINK_TRANSMIT_CHART);
  receiveChart_.Attach(hwnd_, IDC_LINK_RECEIVE_CHART);
  for (size_t i = 0; i < scale_.size(); ++i) scale_[i].Attach(hwnd_, kScaleIds[i]);
}

void LinkInfoPage::SetUpLook() {
  for (CEditEx* box : {&status_, &ssid_, &rate_, &channel_, &transmit_, &receive_}) {
    SendMessageA(box->hwnd(), EM_SETREADONLY, TRUE, 0);
    box->SetTextColour(kValueBlue);
    box->SetBackgroundColour(kWhite);
  }
  for (LabelStatic& label : scale_) {
    label.SetFaceName("Arial");
    label.SetFontHeight(10);
    label.SetTextColour(kValueBlue);
    label.SetBackgroundColour(kWhite);
  }
  const FontSpec caption{"Arial", 100, FW_BOLD, false};
  for (GroupFrame* group : {&qualityGroup_, &dataGroup_}) {
    group->SetCaptionFont(caption);
    group->SetCaptionColour(kNavy);
    group->SetLineColours(kLineGrey, kLineGrey);
  }
  for (GradientProgress* bar : {&qualityBar_, &signalBar_}) {
    SendMessageA(bar->hwnd(), PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    SendMessageA(bar->hwnd(), PBM_SETSTEP, 1, 0);
    bar->SetPos(0);
    bar->SetColourStops({kBarStop, kBarStop});
  }
  transmitChart_.SetRange(0, 100);
  receiveChart_.SetRange(0, 100);
}

bool LinkInfoPage::OnCommand(int id, int code) {
  if (id != IDC_LINK_RADIO || code != BN_CLICKED) return false;
  SwitchRadio();
  return true;
}

void LinkInfoPage::OnTimer(UINT_PTR id) {
  if (id == kLinkInfoDisplayTimer) {
    KillTimer(hwnd_, kLinkInfoDisplayTimer);
    UpdateDisplay();
    SetTimer(hwnd_, kLinkInfoDisplayTimer, kLinkInfoPeriodMs, nullptr);
  } else if (id == kLinkInfoRadioTimer) {
    ConfirmRadio();
  }
}

void LinkInfoPage::ShowRadioCaption() { radio_.SetText(RadioButtonText(context_.state.radioOn)); }

void LinkInfoPage::ResetBaseline() {
  AdapterStatistics read{};
  ReadStatistics(context_.io, read);
  baseline_ = BaselineFrom(read, context_.io.system().TickCount());
}

void LinkInfoPage::UpdateDisplay() {
  const AppState& state = context_.state;
  const LinkInfoView view =
      DescribeLink(state.currentLinkStatus, state.linkQualityPercent, state.signalStrengthPercent);
  if (view.resetBaseline) ResetBaseline();
  SetDlgItemTextA(hwnd_, IDC_LINK_QUALITY_TEXT, view.qualityText.c_str());
  SetDlgItemTextA(hwnd_, IDC_LINK_SIGNAL_TEXT, view.signalText.c_str());
  qualityBar_.SetPos(view.qualityBar);
  signalBar_.SetPos(view.signalBar);
  ssid_.SetText(view.ssid);  // the SSID's bytes as they are
  status_.SetText(view.status);
  UpdateThroughput();
  if (view.channel) channel_.SetText(*view.channel);  // channel 0 keeps what the box shows
  rate_.SetText(view.rate);
}

void LinkInfoPage::UpdateThroughput() {
  AdapterStatistics read{};
  ReadStatistics(context_.io, read);
  const auto throughput = AdvanceThroughput(baseline_, read, context_.io.system().TickCount());
  if (!throughput) return;
  receive_.SetText(std::to_string(throughput->rxKbps));
  transmit_.SetText(std::to_string(throughput->txKbps));
  receiveChart_.AddSample(ChartValue(throughput->rxKbps));
  transmitChart_.AddSample(ChartValue(throughput->txKbps));
}

void LinkInfoPage::SwitchRadio() {
  const uint8_t wanted = RadioWanted(context_.state.radioOn);
  SetRadio(context_.io, wanted == kRadioStateOn);
  // A disabled button would hold the focus where the keyboard cannot leave it: it moves on.
  if (GetFocus() == radio_.hwnd()) SendMessageA(Window(), WM_NEXTDLGCTL, 0, FALSE);
  radio_.Enable(false);
  SetTimer(hwnd_, kLinkInfoRadioTimer, kRadioConfirmPeriodMs, nullptr);
  context_.state.radioOn = wanted;
}

// The button stays disabled until the adapter reports the new state, asked once a second.
void LinkInfoPage::ConfirmRadio() {
  KillTimer(hwnd_, kLinkInfoRadioTimer);
  if (ReadRadioState(context_.io) == context_.state.radioOn) {
    radio_.Enable(true);
    ShowRadioCaption();
  } else {
    SetTimer(hwnd_, kLinkInfoRadioTimer, kRadioConfirmPeriodMs, nullptr);
  }
}

}  // namespace nv::win
