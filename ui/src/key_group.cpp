#include "key_group.h"

#include <QLineEdit>

#include "controls/hex_key_edit.h"
#include "controls/owner_draw_button.h"
#include "page_widgets.h"

namespace nv {

using pages::Caption;
using pages::Select;

namespace {

constexpr int kKeysTop = 32;
constexpr int kKeyStep = 36;
constexpr int kRadioGroup = 1;
constexpr int kFormatTop = 184;
constexpr int kPassphraseTop = 224;

int KeyRowY(size_t key) { return kKeysTop + static_cast<int>(key) * kKeyStep; }

}  // namespace

KeyGroup::KeyGroup(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("keyGroup"));
  setFixedSize(440, kPassphraseTop + 28);
  Caption(QStringLiteral("Default Key"), this, {0, 0, 96, pages::kRowHeight});
  Caption(QStringLiteral("Network Key"), this, {100, 0, 200, pages::kRowHeight});
  Caption(QStringLiteral("Key Length"), this, {340, 0, 100, pages::kRowHeight});
  for (size_t i = 0; i < 4; ++i) {
    const QString number = QString::number(i + 1);
    auto* radio = pages::Choice(OwnerDrawButton::Kind::Radio, number,
                                QStringLiteral("defaultKey%1Button").arg(number), this,
                                {16, KeyRowY(i), 60, pages::kRowHeight});
    radio->setAccessibleName(QStringLiteral("Default Key %1").arg(number));
    radio->SetRadioGroup(kRadioGroup);
    defaultKeyButtons_[i] = radio;

    auto* key = new HexKeyEdit(this);
    key->setObjectName(QStringLiteral("key%1Edit").arg(number));
    key->setAccessibleName(QStringLiteral("Network Key %1").arg(number));
    key->setGeometry(100, KeyRowY(i), 230, pages::kRowHeight);
    // Its style sheet (the '*' mask) would otherwise paint it in the desktop's colours.
    key->setPalette(pages::WindowPalette(Qt::white));
    keyEdits_[i] = key;

    QComboBox* size =
        pages::OptionList(kKeySizeTexts, "", this, {340, KeyRowY(i), 100, pages::kRowHeight});
    size->setObjectName(QStringLiteral("key%1SizeList").arg(number));
    size->setAccessibleName(QStringLiteral("Key Length %1").arg(number));
    connect(size, &QComboBox::activated, this, [this, i](int index) { ChangeKeySize(i, index); });
    keySizeLists_[i] = size;
  }
  keyFormatList_ = pages::OptionList(kKeyFormatTexts, "keyFormatList", this,
                                     {100, kFormatTop, 120, pages::kRowHeight});
  Caption(QStringLiteral("Key Format"), this, {0, kFormatTop, 96, pages::kRowHeight},
          keyFormatList_);
  connect(keyFormatList_, &QComboBox::activated, this, &KeyGroup::ChangeKeyFormat);
  passphraseEdit_ = new QLineEdit(this);
  passphraseEdit_->setObjectName(QStringLiteral("passphraseEdit"));
  passphraseEdit_->setMaxLength(static_cast<int>(kMaxPassphraseChars));
  passphraseEdit_->setGeometry(100, kPassphraseTop, 230, pages::kRowHeight);
  Caption(QStringLiteral("Passphrase"), this, {0, kPassphraseTop, 96, pages::kRowHeight},
          passphraseEdit_);
  doneButton_ = pages::PushButton(QStringLiteral("Done"), "doneButton", this,
                                  {340, kPassphraseTop - 2, 100, 28});
  doneButton_->setAccessibleName(QStringLiteral("Done: make the keys from the passphrase"));
  connect(doneButton_, &QAbstractButton::clicked, this, &KeyGroup::GenerateKeys);
}

void KeyGroup::Show(const SecurityView& view) {
  Select(keyFormatList_, kKeyFormatHex);
  keyFormat_ = kKeyFormatHex;
  for (size_t i = 0; i < 4; ++i) {
    HexKeyEdit* box = keyEdits_[i];
    box->SetHexOnly(true);
    box->SetMasked(false);
    const KeyBoxView& key = view.keys[i];
    if (key.sizeIndex >= 0) Select(keySizeLists_[i], key.sizeIndex);  // else the list stays
    box->SetLimit(ShownKeyBoxLimit(key, keySizeLists_[i]->currentIndex()));
    box->setText(ShownText(key.text));
    box->SetMasked(true);  // a stored key is never shown
  }
  for (OwnerDrawButton* radio : defaultKeyButtons_) radio->setChecked(false);
  if (view.defaultKey >= 0 && view.defaultKey < 4) {
    defaultKeyButtons_[static_cast<size_t>(view.defaultKey)]->setChecked(true);
  }
  passphraseEdit_->clear();
}

void KeyGroup::SetKeysEnabled(bool on) {
  for (size_t i = 0; i < 4; ++i) {
    defaultKeyButtons_[i]->setEnabled(on);
    keyEdits_[i]->setEnabled(on);
    keySizeLists_[i]->setEnabled(on);
  }
  keyFormatList_->setEnabled(on);
  passphraseEdit_->setEnabled(on);
  doneButton_->setEnabled(on);
}

void KeyGroup::Fill(SecurityInput& input) const {
  input.defaultKey = -1;
  for (size_t i = 0; i < 4 && input.defaultKey < 0; ++i) {
    if (defaultKeyButtons_[i]->isChecked()) input.defaultKey = static_cast<int>(i);
  }
  input.keyFormat = keyFormatList_->currentIndex();
  for (size_t i = 0; i < 4; ++i) {
    input.keyTexts[i] = TextBytes(keyEdits_[i]->text());
    input.keySizes[i] = keySizeLists_[i]->currentIndex();
  }
}

void KeyGroup::ChangeKeyFormat(int format) {
  if (!KeyFormatChanges(keyFormat_, format)) return;
  keyFormat_ = format;
  for (size_t i = 0; i < 4; ++i) {
    keyEdits_[i]->SetLimit(KeyBoxLimit(keySizeLists_[i]->currentIndex(), format));
    keyEdits_[i]->clear();
    keyEdits_[i]->SetHexOnly(format == kKeyFormatHex);
  }
}

void KeyGroup::ChangeKeySize(size_t key, int size) {
  const int limit = KeyBoxLimit(size, keyFormatList_->currentIndex());
  HexKeyEdit* box = keyEdits_[key];
  const std::string cut = CutKeyText(TextBytes(box->text()), limit);
  box->SetLimit(limit);
  box->setText(ShownText(cut));
}

void KeyGroup::GenerateKeys() {
  const int size = keySizeLists_[0]->currentIndex();
  const std::vector<std::string> keys =
      KeysFromPassphrase(TextBytes(passphraseEdit_->text()), size);
  if (keys.size() != 4) return;  // an empty passphrase or no size: nothing happens
  for (size_t i = 0; i < 4; ++i) {
    Select(keySizeLists_[i], size);
    keyEdits_[i]->SetLimit(KeyBoxLimit(size, kKeyFormatHex));
    keyEdits_[i]->SetMasked(false);  // generated keys are shown
    keyEdits_[i]->setText(ShownText(keys[i]));
  }
  Select(keyFormatList_, kKeyFormatHex);  // the boxes' hex filters stay as they were
  keyFormat_ = kKeyFormatHex;
}

}  // namespace nv
