#include "ui/profile_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

#include "byte_text.h"
#include "controls/owner_draw_button.h"
#include "key_group.h"
#include "logic/options.h"
#include "logic/profile_actions.h"
#include "page_widgets.h"
#include "ui/config_dialog.h"

namespace nv {

namespace {

constexpr int kTextChars = 32;  // bytes in the SSID and profile name boxes

template <typename Texts>
QComboBox* List(const Texts& texts, const char* name, const char* accessible, QWidget* parent) {
  QComboBox* list = pages::OptionList(texts, name, parent, {});
  list->setAccessibleName(QString::fromLatin1(accessible));
  return list;
}

QLineEdit* Edit(const char* name, const char* accessible, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setAccessibleName(QString::fromLatin1(accessible));
  SetByteLimit(edit, kTextChars);
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

}  // namespace

ProfileDialog::ProfileDialog(ProfileMode mode, const AdapterConfig& config,
                             const std::string& profileName, uint32_t domainCode, QWidget* parent)
    : QDialog(parent), mode_(mode), config_(config), profileName_(profileName) {
  setObjectName(QStringLiteral("profileDialog"));
  setAutoFillBackground(true);
  setPalette(pages::WindowPalette(Qt::white));  // the whole dialog is white, under any theme
  InstallPageTabAccessibility();
  auto* column = new QVBoxLayout(this);
  BuildLinkControls(column);
  BuildSecurityControls(column);
  BuildButtons(column);
  Show(ShowProfileForm(config_, mode, profileName, domainCode));
}

void ProfileDialog::BuildLinkControls(QVBoxLayout* column) {
  auto* grid = new QGridLayout;
  nameEdit_ = Edit("profileNameEdit", "Profile Name", this);
  ssidEdit_ = Edit("ssidEdit", "SSID", this);
  bssTypeList_ = List(kBssTypeTexts, "bssTypeList", "BSS Type", this);
  channelList_ = new LabelledList(this);
  channelList_->setObjectName(QStringLiteral("channelList"));
  channelList_->setAccessibleName(QStringLiteral("Channel"));
  txRateList_ = List(kTxRateTexts, "txRateList", "Tx Rate", this);
  preambleList_ = List(kPreambleTexts, "preambleList", "Preamble", this);
  powerModeList_ = List(kPowerModeTexts, "powerModeList", "Power Mode", this);
  encryptionCheck_ = pages::Choice(OwnerDrawButton::Kind::Check, QStringLiteral("Data Encryption"),
                                   QStringLiteral("encryptionCheck"), this, {});
  encryptionCheck_->setFocusPolicy(Qt::StrongFocus);
  authModeList_ = List(kAuthModeTexts, "authModeList", "Auth. Mode", this);
  const std::pair<const char*, QWidget*> rows[] = {
      {"Profile Name", nameEdit_},    {"SSID", ssidEdit_},         {"BSS Type", bssTypeList_},
      {"Channel", channelList_},      {"Tx Rate", txRateList_},    {"Preamble", preambleList_},
      {"Power Mode", powerModeList_}, {nullptr, encryptionCheck_}, {"Auth. Mode", authModeList_}};
  int row = 0;
  for (const auto& [text, widget] : rows) {
    if (text != nullptr) grid->addWidget(Label(text, widget, this), row, 0);
    grid->addWidget(widget, row++, text != nullptr ? 1 : 0, 1, text != nullptr ? 1 : 2);
  }
  column->addLayout(grid);
}

void ProfileDialog::BuildSecurityControls(QVBoxLayout* column) {
  keyGroup_ = new KeyGroup(this);
  column->addWidget(keyGroup_);
  connect(encryptionCheck_, &QAbstractButton::toggled, this, [this] { EncryptionChanged(); });
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
  for (const std::string& channel : v.link.channels) channelList_->addItem(ShownText(channel));
  channelList_->setCurrentIndex(v.link.channel);
  bssTypeList_->setCurrentIndex(v.link.bssType);
  channelList_->setEnabled(v.link.channelEnabled);  // no handler follows later changes
  txRateList_->setCurrentIndex(v.link.txRate);
  preambleList_->setCurrentIndex(v.link.preamble);
  powerModeList_->setCurrentIndex(v.link.powerMode);
  ShowBytes(ssidEdit_, v.link.ssid);
  authModeList_->setCurrentIndex(v.security.authMode);
  openedDefaultKey_ = v.security.defaultKey < 0 ? 0 : v.security.defaultKey;
  keyGroup_->Show(v.security);
  encryptionCheck_->SetChecked(v.security.encryption.value_or(false));
  EncryptionChanged();
  profileName_ = v.profileName;
  ShowBytes(nameEdit_, profileName_);
  nameEdit_->setEnabled(v.nameEnabled);
  ssidEdit_->setEnabled(v.ssidEnabled);
  bssTypeList_->setEnabled(v.bssTypeEnabled);
  encryptionCheck_->setEnabled(v.encryptionEnabled);
  setWindowTitle(ShownText(v.title));
}

void ProfileDialog::EncryptionChanged() {
  keyGroup_->SetKeysEnabled(encryptionCheck_->IsChecked());
}

void ProfileDialog::GenerateKeys() { keyGroup_->GenerateKeys(); }

ProfileFormInput ProfileDialog::Input() const {
  ProfileFormInput in;
  in.profileName = BoxBytes(nameEdit_);
  in.link.ssid = BoxBytes(ssidEdit_);
  in.link.channelText =
      channelList_->currentIndex() >= 0 ? TextBytes(channelList_->currentText()) : "";
  in.link.bssType = bssTypeList_->currentIndex();
  in.link.txRate = txRateList_->currentIndex();
  in.link.preamble = preambleList_->currentIndex();
  in.link.powerMode = powerModeList_->currentIndex();
  in.security.authMode = authModeList_->currentIndex();
  in.security.encryption = encryptionCheck_->IsChecked();
  keyGroup_->Fill(in.security);
  in.openedDefaultKey = openedDefaultKey_;
  return in;
}

void ProfileDialog::accept() {
  const ProfileFormInput in = Input();
  const ProfileOk ok = DecideProfileOk(in, mode_, lookup_);
  if (!ok.warning.empty()) return ShowWarning(ShownText(ok.warning));
  if (!ok.askReplace) return Finish(in, ok.name);
  const QString question = ShownText(ReplaceProfileQuestion(ok.name));
  if (ask_) {
    if (ask_(question)) Finish(in, ok.name);
    return;
  }
  auto* box = new QMessageBox(QMessageBox::Question, windowTitle(), question,
                              QMessageBox::Yes | QMessageBox::No, this);
  box->setObjectName(QStringLiteral("replaceBox"));
  box->setPalette(palette());
  box->setDefaultButton(QMessageBox::No);
  box->setAttribute(Qt::WA_DeleteOnClose);
  // The stored spelling is kept.
  connect(box, &QMessageBox::finished, this, [this, in, name = ok.name](int answer) {
    if (answer == QMessageBox::Yes) Finish(in, name);
  });
  box->open();  // window-modal over the dialog; nothing waits for it
}

void ProfileDialog::Finish(const ProfileFormInput& in, const std::string& name) {
  OverwriteFromProfileForm(in, config_);
  profileName_ = name;
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
  auto* box = new QMessageBox(QMessageBox::Information, ShownText(kKeyWarningCaption), text,
                              QMessageBox::Ok, this);
  box->setObjectName(QStringLiteral("warningBox"));
  box->setPalette(palette());
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();  // window-modal over the dialog; nothing waits for it
}

}  // namespace nv
