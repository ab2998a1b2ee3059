#include "ui/link_info_page.h"

#include <QLabel>

#include "adapter/operations.h"
#include "controls/edit_ex.h"
#include "controls/gradient_progress.h"
#include "controls/group_frame.h"
#include "controls/label_static.h"
#include "controls/owner_draw_button.h"
#include "controls/strip_chart.h"
#include "page_widgets.h"

namespace nv {

using pages::Caption;

namespace {

constexpr uint32_t kBarStop = 0xFF0000;  // COLORREF: both gradient stops pure blue
constexpr int kChartTop = 62;
constexpr int kChartHeight = 120;
constexpr std::array<const char*, 5> kScaleTexts = {"10000", "1000", "100", "10", "0"};

CEditEx* ValueBox(const char* objectName, QWidget* parent, const QRect& where) {
  auto* box = new CEditEx(parent);
  box->setObjectName(QString::fromLatin1(objectName));
  box->setReadOnly(true);
  box->SetTextColour(pages::kBlue);
  box->SetBackgroundColour(Qt::white);
  box->setGeometry(where);
  return box;
}

GroupFrame* Group(const char* caption, QWidget* parent, const QRect& where) {
  auto* group = new GroupFrame(QString::fromLatin1(caption), parent);
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(10);
  font.setBold(true);
  group->SetCaptionFont(font);
  group->SetCaptionColour(pages::kNavy);
  group->SetLineColours(pages::kLineGrey, pages::kLineGrey);
  group->setGeometry(where);
  return group;
}

GradientProgress* Bar(const char* objectName, QWidget* parent, const QRect& where) {
  auto* bar = new GradientProgress(parent);
  bar->setObjectName(QString::fromLatin1(objectName));
  bar->setRange(0, 100);
  bar->setValue(0);
  bar->SetColourStops({kBarStop, kBarStop});
  bar->setGeometry(where);
  return bar;
}

QLabel* PercentLabel(const char* objectName, QWidget* parent, const QRect& where) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(objectName));
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->setGeometry(where);
  return label;
}

StripChart* Chart(const char* objectName, const char* name, QWidget* parent, const QRect& where) {
  auto* chart = new StripChart(parent);
  chart->setObjectName(QString::fromLatin1(objectName));
  chart->setAccessibleName(QString::fromLatin1(name));
  chart->setGeometry(where);
  chart->SetRange(0, 100);
  return chart;
}

}  // namespace

LinkInfoPage::LinkInfoPage(AdapterIo& io, AppState& state, QWidget* parent)
    : ConfigPage(QStringLiteral("linkInfoPage"), parent), io_(io), state_(state) {
  BuildStatusArea();
  BuildQualityGroup();
  BuildDataRateGroup();
  ShowRadioCaption();
  ResetBaseline();
  UpdateDisplay();
  // One-shot timers set again at the end of their handlers: ticks never overlap.
  displayTimer_.setSingleShot(true);
  connect(&displayTimer_, &QTimer::timeout, this, [this] {
    UpdateDisplay();
    displayTimer_.start(kLinkInfoPeriodMs);
  });
  displayTimer_.start(kLinkInfoPeriodMs);
  radioTimer_.setSingleShot(true);
  connect(&radioTimer_, &QTimer::timeout, this, &LinkInfoPage::ConfirmRadio);
}

void LinkInfoPage::BuildStatusArea() {
  statusEdit_ = ValueBox("statusEdit", this, {100, 16, 380, pages::kRowHeight});
  Caption(QStringLiteral("Status"), this, {20, 16, 76, pages::kRowHeight}, statusEdit_);
  ssidEdit_ = ValueBox("ssidEdit", this, {100, 48, 380, pages::kRowHeight});
  Caption(QStringLiteral("SSID"), this, {20, 48, 76, pages::kRowHeight}, ssidEdit_);
  rateEdit_ = ValueBox("txRateEdit", this, {100, 80, 80, pages::kRowHeight});
  Caption(QStringLiteral("Tx Rate"), this, {20, 80, 76, pages::kRowHeight}, rateEdit_);
  Caption(QStringLiteral("Mbps"), this, {186, 80, 40, pages::kRowHeight});
  channelEdit_ = ValueBox("channelEdit", this, {300, 80, 50, pages::kRowHeight});
  Caption(QStringLiteral("Channel"), this, {240, 80, 58, pages::kRowHeight}, channelEdit_);
  radioButton_ = pages::PushButton(QString(), "radioButton", this, {380, 78, 100, 28});
  connect(radioButton_, &QAbstractButton::clicked, this, &LinkInfoPage::SwitchRadio);
}

void LinkInfoPage::BuildQualityGroup() {
  GroupFrame* group = Group("Link Quality/Signal Strength", this, {20, 120, 460, 84});
  qualityBar_ = Bar("linkQualityBar", group, {132, 28, 260, 16});
  Caption(QStringLiteral("Link Quality"), group, {16, 24, 112, pages::kRowHeight}, qualityBar_);
  qualityText_ = PercentLabel("linkQualityText", group, {396, 24, 48, pages::kRowHeight});
  signalBar_ = Bar("signalStrengthBar", group, {132, 56, 260, 16});
  Caption(QStringLiteral("Signal Strength"), group, {16, 52, 112, pages::kRowHeight}, signalBar_);
  signalText_ = PercentLabel("signalStrengthText", group, {396, 52, 48, pages::kRowHeight});
}

void LinkInfoPage::BuildDataRateGroup() {
  GroupFrame* group = Group("Data Rate", this, {20, 214, 460, 198});
  txEdit_ = ValueBox("transmitEdit", group, {124, 26, 68, pages::kRowHeight});
  Caption(QStringLiteral("Transmit"), group, {60, 26, 62, pages::kRowHeight}, txEdit_);
  Caption(QStringLiteral("Kbps"), group, {196, 26, 36, pages::kRowHeight});
  rxEdit_ = ValueBox("receiveEdit", group, {328, 26, 68, pages::kRowHeight});
  Caption(QStringLiteral("Receive"), group, {264, 26, 62, pages::kRowHeight}, rxEdit_);
  Caption(QStringLiteral("Kbps"), group, {400, 26, 36, pages::kRowHeight});
  txChart_ =
      Chart("transmitChart", "Transmit data rate", group, {60, kChartTop, 176, kChartHeight});
  rxChart_ = Chart("receiveChart", "Receive data rate", group, {264, kChartTop, 176, kChartHeight});
  // The scale beside the transmit chart: 10000 at the top down to 0 at the bottom, every
  // quarter of the height (the charts are logarithmic, 25 per decade).
  for (size_t i = 0; i < scale_.size(); ++i) {
    auto* label = new LabelStatic(QString::fromLatin1(kScaleTexts[i]), group);
    label->setObjectName(QStringLiteral("scale%1Label").arg(QString::fromLatin1(kScaleTexts[i])));
    label->SetFaceName(QStringLiteral("Arial"));
    label->SetFontHeight(10);
    label->SetTextColour(pages::kBlue);
    label->SetBackgroundColour(Qt::white);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const int y = kChartTop + static_cast<int>(i) * (kChartHeight - 1) / 4;
    label->setGeometry(8, y - 6, 46, 12);
    scale_[i] = label;
  }
}

void LinkInfoPage::ShowRadioCaption() {
  radioButton_->setText(QString::fromLatin1(RadioButtonText(state_.radioOn)));
  radioButton_->setAccessibleName(radioButton_->text());
}

void LinkInfoPage::ResetBaseline() {
  AdapterStatistics read{};
  ReadStatistics(io_, read);
  baseline_ = BaselineFrom(read, io_.system().TickCount());
}

void LinkInfoPage::UpdateDisplay() {
  const LinkInfoView view = DescribeLink(state_.currentLinkStatus, state_.linkQualityPercent,
                                         state_.signalStrengthPercent);
  if (view.resetBaseline) ResetBaseline();
  qualityText_->setText(ShownText(view.qualityText));
  signalText_->setText(ShownText(view.signalText));
  qualityBar_->setValue(view.qualityBar);
  signalBar_->setValue(view.signalBar);
  ssidEdit_->setText(ShownText(view.ssid));
  statusEdit_->setText(ShownText(view.status));
  UpdateThroughput();
  if (view.channel) channelEdit_->setText(ShownText(*view.channel));  // channel 0 keeps the box
  rateEdit_->setText(ShownText(view.rate));
}

void LinkInfoPage::UpdateThroughput() {
  AdapterStatistics read{};
  ReadStatistics(io_, read);
  const auto throughput = AdvanceThroughput(baseline_, read, io_.system().TickCount());
  if (!throughput) return;
  rxEdit_->setText(QString::number(throughput->rxKbps));
  txEdit_->setText(QString::number(throughput->txKbps));
  rxChart_->AddSample(ChartValue(throughput->rxKbps));
  txChart_->AddSample(ChartValue(throughput->txKbps));
}

void LinkInfoPage::SwitchRadio() {
  const uint8_t wanted = RadioWanted(state_.radioOn);
  SetRadio(io_, wanted == kRadioStateOn);
  radioButton_->setEnabled(false);
  radioTimer_.start(kRadioConfirmPeriodMs);
  state_.radioOn = wanted;
}

void LinkInfoPage::ConfirmRadio() {
  radioTimer_.stop();
  if (ReadRadioState(io_) == state_.radioOn) {
    radioButton_->setEnabled(true);
    ShowRadioCaption();
  } else {
    radioTimer_.start(kRadioConfirmPeriodMs);  // once a second until the adapter agrees
  }
}

}  // namespace nv
