#include "ui/configuration_page.h"

#include <QLineEdit>

#include "logic/page_io.h"
#include "page_change.h"
#include "page_widgets.h"

namespace nv {

using pages::Caption;
using pages::Select;

namespace {

constexpr int kLeft = 40;
constexpr int kField = 170;
constexpr int kFieldWidth = 300;
constexpr int kTop = 40;
constexpr int kStep = 44;

QRect FieldRow(int row) { return {kField, kTop + row * kStep, kFieldWidth, pages::kRowHeight}; }
QRect CaptionRow(int row) {
  return {kLeft, kTop + row * kStep, kField - kLeft - 8, pages::kRowHeight};
}

}  // namespace

ConfigurationPage::ConfigurationPage(AdapterIo& io, QWidget* parent, WarningBox warning)
    : ConfigPage(QStringLiteral("configurationPage"), parent),
      io_(io),
      warning_(std::move(warning)) {
  ssidEdit_ = new QLineEdit(this);
  ssidEdit_->setObjectName(QStringLiteral("ssidEdit"));
  SetByteLimit(ssidEdit_, 32);
  ssidEdit_->setGeometry(FieldRow(0));
  Caption(QStringLiteral("SSID"), this, CaptionRow(0), ssidEdit_);
  // The lists in table order; their position is the stored value.
  bssTypeList_ = pages::OptionList(kBssTypeTexts, "bssTypeList", this, FieldRow(1));
  Caption(QStringLiteral("BSS Type"), this, CaptionRow(1), bssTypeList_);
  channelList_ = new LabelledList(this);
  channelList_->setObjectName(QStringLiteral("channelList"));
  channelList_->setGeometry(FieldRow(2));
  Caption(QStringLiteral("Channel"), this, CaptionRow(2), channelList_);
  txRateList_ = pages::OptionList(kTxRateTexts, "txRateList", this, FieldRow(3));
  Caption(QStringLiteral("Tx Rate"), this, CaptionRow(3), txRateList_);
  preambleList_ = pages::OptionList(kPreambleTexts, "preambleList", this, FieldRow(4));
  Caption(QStringLiteral("Preamble"), this, CaptionRow(4), preambleList_);
  powerModeList_ = pages::OptionList(kPowerModeTexts, "powerModeList", this, FieldRow(5));
  Caption(QStringLiteral("Power Mode"), this, CaptionRow(5), powerModeList_);

  applyButton_ =
      pages::PushButton(QStringLiteral("Apply"), "applyButton", this, {276, 356, 90, 30});
  cancelButton_ =
      pages::PushButton(QStringLiteral("Cancel"), "cancelButton", this, {380, 356, 90, 30});
  connect(applyButton_, &QAbstractButton::clicked, this, &ConfigurationPage::Apply);
  connect(cancelButton_, &QAbstractButton::clicked, this, &ConfigurationPage::Reload);
  connect(bssTypeList_, &QComboBox::currentIndexChanged, this,
          [this](int index) { channelList_->setEnabled(ChannelListEnabled(index)); });
  ShowStored();
}

void ConfigurationPage::Reload() { ShowStored(); }

void ConfigurationPage::ShowStored() {
  const LinkSettingsView view = ReadLinkSettings(io_);  // no adapter: zero-filled values
  channelList_->clear();
  for (const std::string& channel : view.channels) channelList_->addItem(ShownText(channel));
  Select(channelList_, view.channel);
  Select(bssTypeList_, view.bssType);
  Select(txRateList_, view.txRate);
  Select(preambleList_, view.preamble);
  Select(powerModeList_, view.powerMode);
  ShowBytes(ssidEdit_, view.ssid);
  channelList_->setEnabled(view.channelEnabled);
}

void ConfigurationPage::Apply() {
  const LinkSettingsInput input{
      BoxBytes(ssidEdit_),           TextBytes(channelList_->currentText()),
      bssTypeList_->currentIndex(),  txRateList_->currentIndex(),
      preambleList_->currentIndex(), powerModeList_->currentIndex()};
  TellPageChange(ChangeLinkSettings(io_, input), warning_, this,
                 [this] { Q_EMIT showPageRequested(0); });
}

}  // namespace nv
