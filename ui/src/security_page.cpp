#include "ui/security_page.h"

#include <QComboBox>
#include <QLineEdit>

#include "adapter/operations.h"
#include "controls/hex_key_edit.h"
#include "controls/owner_draw_button.h"
#include "logic/change_road.h"
#include "page_widgets.h"
#include "store/adapter_params.h"

namespace nv {

using pages::Caption;
using pages::Latin1;
using pages::Select;

namespace {

constexpr int kKeysTop = 104;
constexpr int kKeyStep = 36;
constexpr int kRadioGroup = 1;

int KeyRowY(size_t key) { return kKeysTop + static_cast<int>(key) * kKeyStep; }

}  // namespace

SecurityPage::SecurityPage(AdapterIo& io, AppState& state, WarningBox warning, QWidget* parent)
    : ConfigPage(QStringLiteral("securityPage"), parent),
      io_(io),
      state_(state),
      warning_(std::move(warning)) {
  encryptionBox_ = pages::Choice(OwnerDrawButton::Kind::Check, QStringLiteral("Data Encryption"),
                                 QStringLiteral("encryptionBox"), this,
                                 {30, 28, 170, pages::kRowHeight});
  connect(encryptionBox_, &QAbstractButton::clicked, this,
          [this] { EnableKeyGroup(encryptionBox_->isChecked()); });
  authModeList_ = pages::OptionList(kAuthModeTexts, "authModeList", this,
                                    {300, 28, 170, pages::kRowHeight});
  Caption(QStringLiteral("Auth. Mode"), this, {220, 28, 78, pages::kRowHeight}, authModeList_);
  BuildKeyGroup();
  BuildButtons();
  Reload();
}

void SecurityPage::BuildKeyGroup() {
  Caption(QStringLiteral("Default Key"), this, {30, 72, 96, pages::kRowHeight});
  Caption(QStringLiteral("Network Key"), this, {130, 72, 200, pages::kRowHeight});
  Caption(QStringLiteral("Key Length"), this, {370, 72, 100, pages::kRowHeight});
  for (size_t i = 0; i < 4; ++i) {
    const QString number = QString::number(i + 1);
    auto* radio = pages::Choice(OwnerDrawButton::Kind::Radio, number,
                                QStringLiteral("defaultKey%1Button").arg(number), this,
                                {46, KeyRowY(i), 60, pages::kRowHeight});
    radio->setAccessibleName(QStringLiteral("Default Key %1").arg(number));
    radio->SetRadioGroup(kRadioGroup);
    defaultKeyButtons_[i] = radio;

    auto* key = new HexKeyEdit(this);
    key->setObjectName(QStringLiteral("key%1Edit").arg(number));
    key->setAccessibleName(QStringLiteral("Network Key %1").arg(number));
    key->setGeometry(130, KeyRowY(i), 230, pages::kRowHeight);
    keyEdits_[i] = key;

    QComboBox* size = pages::OptionList(kKeySizeTexts, "", this,
                                        {370, KeyRowY(i), 100, pages::kRowHeight});
    size->setObjectName(QStringLiteral("key%1SizeList").arg(number));
    size->setAccessibleName(QStringLiteral("Key Length %1").arg(number));
    connect(size, &QComboBox::activated, this, [this, i](int index) { ChangeKeySize(i, index); });
    keySizeLists_[i] = size;
  }
  keyFormatList_ = pages::OptionList(kKeyFormatTexts, "keyFormatList", this,
                                     {130, 256, 120, pages::kRowHeight});
  Caption(QStringLiteral("Key Format"), this, {30, 256, 96, pages::kRowHeight}, keyFormatList_);
  connect(keyFormatList_, &QComboBox::activated, this, &SecurityPage::ChangeKeyFormat);
  passphraseEdit_ = new QLineEdit(this);
  passphraseEdit_->setObjectName(QStringLiteral("passphraseEdit"));
  passphraseEdit_->setMaxLength(static_cast<int>(kMaxPassphraseChars));
  passphraseEdit_->setGeometry(130, 296, 230, pages::kRowHeight);
  Caption(QStringLiteral("Passphrase"), this, {30, 296, 96, pages::kRowHeight}, passphraseEdit_);
  doneButton_ = pages::PushButton(QStringLiteral("Done"), "doneButton", this, {370, 294, 100, 28});
  connect(doneButton_, &QAbstractButton::clicked, this, &SecurityPage::GenerateKeys);
}

void SecurityPage::BuildButtons() {
  applyButton_ = pages::PushButton(QStringLiteral("Apply"), "applyButton", this,
                                   {276, 356, 90, 30});
  cancelButton_ = pages::PushButton(QStringLiteral("Cancel"), "cancelButton", this,
                                    {380, 356, 90, 30});
  connect(applyButton_, &QAbstractButton::clicked, this, &SecurityPage::Apply);
  connect(cancelButton_, &QAbstractButton::clicked, this, &SecurityPage::Reload);
}

void SecurityPage::Reload() {
  AdapterConfig stored{};
  ReadAdapterParameters(io_, stored);
  const SecurityView view = ShowSecurity(stored);
  Select(authModeList_, view.authMode);
  Select(keyFormatList_, kKeyFormatHex);
  keyFormat_ = kKeyFormatHex;
  for (size_t i = 0; i < 4; ++i) {
    HexKeyEdit* box = keyEdits_[i];
    box->SetHexOnly(true);
    box->SetMasked(false);
    const KeyBoxView& key = view.keys[i];
    if (key.sizeIndex >= 0) {  // a length that fits no size leaves the list and limit alone
      Select(keySizeLists_[i], key.sizeIndex);
      box->SetLimit(key.limit);
    }
    box->setText(Latin1(key.text));
  }
  if (view.encryption) encryptionBox_->setChecked(*view.encryption);
  for (OwnerDrawButton* radio : defaultKeyButtons_) radio->setChecked(false);
  if (view.defaultKey >= 0) defaultKeyButtons_[static_cast<size_t>(view.defaultKey)]->setChecked(true);
  passphraseEdit_->clear();
  for (HexKeyEdit* box : keyEdits_) box->SetMasked(true);  // a stored key is never shown
  EnableKeyGroup(encryptionBox_->isChecked());
}

void SecurityPage::EnableKeyGroup(bool on) {
  for (size_t i = 0; i < 4; ++i) {
    defaultKeyButtons_[i]->setEnabled(on);
    keyEdits_[i]->setEnabled(on);
    keySizeLists_[i]->setEnabled(on);
  }
  keyFormatList_->setEnabled(on);
  passphraseEdit_->setEnabled(on);
  doneButton_->setEnabled(on);
}

void SecurityPage::ChangeKeyFormat(int format) {
  if (format == keyFormat_) return;  // only a real change empties the boxes
  keyFormat_ = format;
  for (size_t i = 0; i < 4; ++i) {
    keyEdits_[i]->SetLimit(KeyBoxLimit(keySizeLists_[i]->currentIndex(), format));
    keyEdits_[i]->clear();
    keyEdits_[i]->SetHexOnly(format == kKeyFormatHex);
  }
}

void SecurityPage::ChangeKeySize(size_t key, int size) {
  const int limit = KeyBoxLimit(size, keyFormatList_->currentIndex());
  HexKeyEdit* box = keyEdits_[key];
  box->SetLimit(limit);
  box->setText(Latin1(CutKeyText(Latin1(box->text()), limit)));
}

void SecurityPage::GenerateKeys() {
  const int size = keySizeLists_[0]->currentIndex();
  const std::vector<std::string> keys =
      GenerateKeysFromPassphrase(Latin1(passphraseEdit_->text()), size);
  if (keys.size() != 4) return;  // an empty passphrase or no size: nothing happens
  for (size_t i = 0; i < 4; ++i) {
    Select(keySizeLists_[i], size);
    keyEdits_[i]->SetLimit(KeyBoxLimit(size, kKeyFormatHex));
    keyEdits_[i]->SetMasked(false);
    keyEdits_[i]->setText(Latin1(keys[i]));
  }
  Select(keyFormatList_, kKeyFormatHex);  // the boxes' hex filters stay as they were
  keyFormat_ = kKeyFormatHex;
}

SecurityInput SecurityPage::Input() const {
  SecurityInput input;
  input.authMode = authModeList_->currentIndex();
  input.encryption = encryptionBox_->isChecked();
  for (size_t i = 0; i < 4 && input.defaultKey < 0; ++i) {
    if (defaultKeyButtons_[i]->isChecked()) input.defaultKey = static_cast<int>(i);
  }
  input.keyFormat = keyFormatList_->currentIndex();
  for (size_t i = 0; i < 4; ++i) {
    input.keyTexts[i] = Latin1(keyEdits_[i]->text());
    input.keySizes[i] = keySizeLists_[i]->currentIndex();
  }
  return input;
}

void SecurityPage::Apply() {
  const SecurityInput input = Input();
  // The check and its box come first, before the road: a wrong key stops everything here.
  const KeyCheckResult check = CheckSecurityInput(input);
  if (!check.ok) {
    // A copy: the window (and this page) may end while the box is up.
    const WarningBox warn = warning_;
    warn(this, Latin1(kKeyWarningCaption), Latin1(check.message));
    return;
  }
  ChangeAdapterSettings(io_, kScopeSecurity, [&input](AdapterConfig& config) {
    OverwriteSecurity(input, config);
    return true;
  });
  Reload();  // what was stored: keys in HEX, masked
  state_.connectingTicks = 0;  // a link stuck connecting gets its three re-applies again
  Q_EMIT showPageRequested(0);
}

}  // namespace nv
