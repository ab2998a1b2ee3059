#include "ui/profile_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QVBoxLayout>

#include "controls/hex_key_edit.h"
#include "controls/owner_draw_button.h"
#include "logic/options.h"
#include "page_widgets.h"

namespace nv {

namespace {

constexpr int kTextChars = 32;  // SSID, profile name and passphrase boxes

template <typename Texts>
QComboBox* List(const Texts& texts, const char* name, const char* accessible, QWidget* parent) {
  auto* list = new QComboBox(parent);
  for (const auto& text : texts) {
    list->addItem(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  }
  list->setObjectName(QString::fromLatin1(name));
  list->setAccessibleName(QString::fromLatin1(accessible));
  return list;
}

QLineEdit* Edit(const char* name, const char* accessible, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setAccessibleName(QString::fromLatin1(accessible));
  edit->setMaxLength(kTextChars);
  return edit;
}

OwnerDrawButton* Button(OwnerDrawButton::Kind kind, const QString& caption, const char* name,
                        const QString& accessible, QWidget* parent) {
  auto* button = new OwnerDrawButton(kind, caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAccessibleName(accessible);
  button->setFocusPolicy(Qt::StrongFocus);
  return button;
}

QLabel* Label(const char* text, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setBuddy(buddy);
  return label;
}

std::string Latin1(const QString& text) { return text.toLatin1().toStdString(); }

}  // namespace

ProfileDialog::ProfileDialog(ProfileMode mode, const AdapterConfig& config,
                             const QString& profileName, uint32_t domainCode, QWidget* parent)
    : QDialog(parent), mode_(mode), config_(config), profileName_(profileName) {
  setObjectName(QStringLiteral("profileDialog"));
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::white);  // the whole dialog is white
  setPalette(p);
  auto* column = new QVBoxLayout(this);
  BuildLinkControls(column);
  BuildSecurityControls(column);
  BuildButtons(column);
  Show(ShowProfileForm(config_, mode, pages::ToRegistryText(profileName), domainCode));
}

void ProfileDialog::BuildLinkControls(QVBoxLayout* column) {
  auto* grid = new QGridLayout;
  nameEdit_ = Edit("profileNameEdit", "Profile Name", this);
  ssidEdit_ = Edit("ssidEdit", "SSID", this);
  bssTypeList_ = List(kBssTypeTexts, "bssTypeList", "BSS Type", this);
  channelList_ = new QComboBox(this);
  channelList_->setObjectName(QStringLiteral("channelList"));
  channelList_->setAccessibleName(QStringLiteral("Channel"));
  txRateList_ = List(kTxRateTexts, "txRateList", "Tx Rate", this);
  preambleList_ = List(kPreambleTexts, "preambleList", "Preamble", this);
  powerModeList_ = List(kPowerModeTexts, "powerModeList", "Power Mode", this);
  const std::pair<const char*, QWidget*> rows[] = {
      {"Profile Name", nameEdit_}, {"SSID", ssidEdit_},         {"BSS Type", bssTypeList_},
      {"Channel", channelList_},   {"Tx Rate", txRateList_},    {"Preamble", preambleList_},
      {"Power Mode", powerModeList_}};
  int row = 0;
  for (const auto& [text, widget] : rows) {
    grid->addWidget(Label(text, widget, this), row, 0);
    grid->addWidget(widget, row++, 1);
  }
  column->addLayout(grid);
}

void ProfileDialog::BuildSecurityControls(QVBoxLayout* column) {
  auto* grid = new QGridLayout;
  encryptionCheck_ = Button(OwnerDrawButton::Kind::Check, QStringLiteral("Data Encryption"),
                            "encryptionCheck", QStringLiteral("Data Encryption"), this);
  authModeList_ = List(kAuthModeTexts, "authModeList", "Auth. Mode", this);
  passphraseEdit_ = Edit("passphraseEdit", "Passphrase", this);
  doneButton_ = Button(OwnerDrawButton::Kind::Push, QStringLiteral("Done"), "doneButton",
                       QStringLiteral("Done: generate the keys"), this);
  keyFormatList_ = List(kKeyFormatTexts, "keyFormatList", "Key Format", this);
  grid->addWidget(encryptionCheck_, 0, 0, 1, 2);
  grid->addWidget(Label("Auth. Mode", authModeList_, this), 1, 0);
  grid->addWidget(authModeList_, 1, 1, 1, 2);
  grid->addWidget(Label("Passphrase", passphraseEdit_, this), 2, 0);
  grid->addWidget(passphraseEdit_, 2, 1);
  grid->addWidget(doneButton_, 2, 2);
  grid->addWidget(new QLabel(QStringLiteral("Default Key"), this), 3, 0);
  grid->addWidget(new QLabel(QStringLiteral("Network Key"), this), 3, 1);
  grid->addWidget(new QLabel(QStringLiteral("Key Length"), this), 3, 2);
  for (size_t i = 0; i < 4; ++i) {
    const QString n = QString::number(i + 1);
    defaultKeyRadios_[i] =
        Button(OwnerDrawButton::Kind::Radio, n, "", QStringLiteral("Default key ") + n, this);
    defaultKeyRadios_[i]->setObjectName(QStringLiteral("defaultKeyRadio") + n);
    keyEdits_[i] = new HexKeyEdit(this);
    keyEdits_[i]->setObjectName(QStringLiteral("keyEdit") + n);
    keyEdits_[i]->setAccessibleName(QStringLiteral("Network key ") + n);
    keySizeLists_[i] = List(kKeySizeTexts, "", "", this);
    keySizeLists_[i]->setObjectName(QStringLiteral("keySizeList") + n);
    keySizeLists_[i]->setAccessibleName(QStringLiteral("Key length ") + n);
    const int row = static_cast<int>(i) + 4;
    grid->addWidget(defaultKeyRadios_[i], row, 0);
    grid->addWidget(keyEdits_[i], row, 1);
    grid->addWidget(keySizeLists_[i], row, 2);
    connect(keySizeLists_[i], &QComboBox::currentIndexChanged, this, [this, i] { KeySizeChanged(i); });
  }
  grid->addWidget(Label("Key Format", keyFormatList_, this), 8, 0);
  grid->addWidget(keyFormatList_, 8, 1);
  column->addLayout(grid);
  connect(encryptionCheck_, &QAbstractButton::toggled, this, [this] { EncryptionChanged(); });
  connect(keyFormatList_, &QComboBox::currentIndexChanged, this, &ProfileDialog::KeyFormatChanged);
  connect(doneButton_, &QAbstractButton::clicked, this, &ProfileDialog::GenerateKeys);
}

void ProfileDialog::BuildButtons(QVBoxLayout* column) {
  auto* row = new QHBoxLayout;
  okButton_ = Button(OwnerDrawButton::Kind::Push, QStringLiteral("OK"), "okButton",
                     QStringLiteral("OK"), this);
  okButton_->SetDefault(true);
  cancelButton_ = Button(OwnerDrawButton::Kind::Push, QStringLiteral("Cancel"), "cancelButton",
                         QStringLiteral("Cancel"), this);
  row->addStretch();
  row->addWidget(okButton_);
  row->addWidget(cancelButton_);
  column->addLayout(row);
  connect(okButton_, &QAbstractButton::clicked, this, &ProfileDialog::accept);
  connect(cancelButton_, &QAbstractButton::clicked, this, &ProfileDialog::reject);
}

void ProfileDialog::Show(const ProfileFormView& v) {
  for (const std::string& channel : v.link.channels) {
    channelList_->addItem(QString::fromStdString(channel));
  }
  channelList_->setCurrentIndex(v.link.channel);
  bssTypeList_->setCurrentIndex(v.link.bssType);
  channelList_->setEnabled(v.link.channelEnabled);  // no handler follows later changes
  txRateList_->setCurrentIndex(v.link.txRate);
  preambleList_->setCurrentIndex(v.link.preamble);
  powerModeList_->setCurrentIndex(v.link.powerMode);
  ssidEdit_->setText(pages::FromRegistryText(v.link.ssid));
  authModeList_->setCurrentIndex(v.security.authMode);
  rememberedFormat_ = kKeyFormatHex;
  keyFormatList_->setCurrentIndex(kKeyFormatHex);
  openedDefaultKey_ = v.security.defaultKey < 0 ? 0 : v.security.defaultKey;
  for (size_t i = 0; i < 4; ++i) {
    const KeyBoxView& key = v.security.keys[i];
    keyEdits_[i]->SetHexOnly(true);
    keySizeLists_[i]->blockSignals(true);
    keySizeLists_[i]->setCurrentIndex(key.sizeIndex);
    keySizeLists_[i]->blockSignals(false);
    if (key.sizeIndex >= 0) keyEdits_[i]->SetLimit(key.limit);
    keyEdits_[i]->setText(QString::fromLatin1(key.text));
    keyEdits_[i]->SetMasked(true);
    defaultKeyRadios_[i]->SetChecked(static_cast<int>(i) == v.security.defaultKey);
  }
  encryptionCheck_->SetChecked(v.security.encryption.value_or(false));
  passphraseEdit_->clear();
  EncryptionChanged();
  profileName_ = pages::FromRegistryText(v.profileName);
  nameEdit_->setText(profileName_);
  nameEdit_->setEnabled(v.nameEnabled);
  ssidEdit_->setEnabled(v.ssidEnabled);
  bssTypeList_->setEnabled(v.bssTypeEnabled);
  encryptionCheck_->setEnabled(v.encryptionEnabled);
  setWindowTitle(QString::fromLatin1(v.title));
}

void ProfileDialog::EncryptionChanged() {
  const bool on = encryptionCheck_->IsChecked();
  for (size_t i = 0; i < 4; ++i) {
    defaultKeyRadios_[i]->setEnabled(on);
    keyEdits_[i]->setEnabled(on);
    keySizeLists_[i]->setEnabled(on);
  }
  keyFormatList_->setEnabled(on);
  passphraseEdit_->setEnabled(on);
  doneButton_->setEnabled(on);
}

void ProfileDialog::KeyFormatChanged(int format) {
  if (format == rememberedFormat_ || format < 0) return;
  rememberedFormat_ = format;
  for (size_t i = 0; i < 4; ++i) {
    keyEdits_[i]->SetLimit(KeyBoxLimit(keySizeLists_[i]->currentIndex(), format));
    keyEdits_[i]->clear();
    keyEdits_[i]->SetHexOnly(format == kKeyFormatHex);
  }
}

void ProfileDialog::KeySizeChanged(size_t slot) {
  const int limit = KeyBoxLimit(keySizeLists_[slot]->currentIndex(), keyFormatList_->currentIndex());
  HexKeyEdit* edit = keyEdits_[slot];
  edit->setText(QString::fromLatin1(CutKeyText(Latin1(edit->text()), limit)));
  edit->SetLimit(limit);
}

void ProfileDialog::GenerateKeys() {
  const int size = keySizeLists_[0]->currentIndex();
  const std::vector<std::string> keys =
      GenerateKeysFromPassphrase(Latin1(passphraseEdit_->text()), size);
  if (keys.size() != 4) return;  // an empty passphrase or no size: nothing generated
  rememberedFormat_ = kKeyFormatHex;  // first, so the format change below clears nothing
  keyFormatList_->setCurrentIndex(kKeyFormatHex);
  for (size_t i = 0; i < 4; ++i) {
    keySizeLists_[i]->blockSignals(true);
    keySizeLists_[i]->setCurrentIndex(size);
    keySizeLists_[i]->blockSignals(false);
    keyEdits_[i]->SetMasked(false);  // generated keys are shown
    keyEdits_[i]->SetHexOnly(true);
    keyEdits_[i]->SetLimit(KeyBoxLimit(size, kKeyFormatHex));
    keyEdits_[i]->setText(QString::fromLatin1(keys[i]));
  }
}

ProfileFormInput ProfileDialog::Input() const {
  ProfileFormInput in;
  in.profileName = pages::ToRegistryText(nameEdit_->text());
  in.link.ssid = pages::ToRegistryText(ssidEdit_->text());
  in.link.channelText = channelList_->currentIndex() >= 0 ? Latin1(channelList_->currentText()) : "";
  in.link.bssType = bssTypeList_->currentIndex();
  in.link.txRate = txRateList_->currentIndex();
  in.link.preamble = preambleList_->currentIndex();
  in.link.powerMode = powerModeList_->currentIndex();
  in.security.authMode = authModeList_->currentIndex();
  in.security.encryption = encryptionCheck_->IsChecked();
  in.security.defaultKey = -1;
  for (size_t i = 0; i < 4 && in.security.defaultKey < 0; ++i) {
    if (defaultKeyRadios_[i]->IsChecked()) in.security.defaultKey = static_cast<int>(i);
  }
  in.security.keyFormat = keyFormatList_->currentIndex();
  for (size_t i = 0; i < 4; ++i) {
    in.security.keyTexts[i] = Latin1(keyEdits_[i]->text());
    in.security.keySizes[i] = keySizeLists_[i]->currentIndex();
  }
  in.openedDefaultKey = openedDefaultKey_;
  return in;
}

void ProfileDialog::accept() {
  const ProfileFormInput in = Input();
  const ProfileCheck check = CheckProfileForm(in);
  if (!check.ok) return ShowWarning(QString::fromLatin1(check.message));
  OverwriteFromProfileForm(in, config_);
  profileName_ = QString::fromStdString(in.profileName);
  QDialog::accept();
}

// Enter presses the button that has the focus, else OK (the default button); the owner-drawn
// buttons are not push buttons, so the dialog's own default handling would do nothing.
void ProfileDialog::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (!enter || event->modifiers() & ~Qt::KeypadModifier) return QDialog::keyPressEvent(event);
  if (auto* button = qobject_cast<OwnerDrawButton*>(focusWidget())) {
    button->click();
  } else {
    accept();
  }
}

void ProfileDialog::ShowWarning(const QString& text) {
  if (warn_) return warn_(text);
  auto* box = new QMessageBox(QMessageBox::Information, QStringLiteral("Warning"), text,
                              QMessageBox::Ok, this);
  box->setObjectName(QStringLiteral("warningBox"));
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();  // window-modal over the dialog; nothing waits for it
}

}  // namespace nv
