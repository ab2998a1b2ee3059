#include "ui/security_page.h"

#include <QComboBox>
#include <QLineEdit>

#include "adapter/operations.h"
#include "controls/owner_draw_button.h"
#include "key_group.h"
#include "logic/profile_actions.h"
#include "page_change.h"
#include "page_widgets.h"

namespace nv {

using pages::Caption;
using pages::Select;

SecurityPage::SecurityPage(AdapterIo& io, AppState& state, WarningBox warning, QWidget* parent)
    : ConfigPage(QStringLiteral("securityPage"), parent),
      io_(io),
      state_(state),
      warning_(std::move(warning)) {
  encryptionBox_ =
      pages::Choice(OwnerDrawButton::Kind::Check, QStringLiteral("Data Encryption"),
                    QStringLiteral("encryptionBox"), this, {30, 28, 170, pages::kRowHeight});
  connect(encryptionBox_, &QAbstractButton::clicked, this,
          [this] { EnableKeyGroup(encryptionBox_->isChecked()); });
  authModeList_ =
      pages::OptionList(kAuthModeTexts, "authModeList", this, {300, 28, 170, pages::kRowHeight});
  Caption(QStringLiteral("Auth. Mode"), this, {220, 28, 78, pages::kRowHeight}, authModeList_);
  BuildKeyGroup();
  BuildButtons();
  ShowStored();
}

void SecurityPage::BuildKeyGroup() {
  keyGroup_ = new KeyGroup(this);
  keyGroup_->move(30, 72);
}

void SecurityPage::BuildButtons() {
  applyButton_ =
      pages::PushButton(QStringLiteral("Apply"), "applyButton", this, {276, 356, 90, 30});
  cancelButton_ =
      pages::PushButton(QStringLiteral("Cancel"), "cancelButton", this, {380, 356, 90, 30});
  connect(applyButton_, &QAbstractButton::clicked, this, &SecurityPage::Apply);
  connect(cancelButton_, &QAbstractButton::clicked, this, &SecurityPage::Reload);
}

void SecurityPage::Reload() { ShowStored(); }

void SecurityPage::ShowStored() {
  const SecurityView view = ShowSecurity(StoredAdapterSettings(io_));
  Select(authModeList_, view.authMode);
  keyGroup_->Show(view);
  if (view.encryption) encryptionBox_->setChecked(*view.encryption);
  EnableKeyGroup(encryptionBox_->isChecked());
}

void SecurityPage::EnableKeyGroup(bool on) { keyGroup_->SetKeysEnabled(on); }

void SecurityPage::GenerateKeys() { keyGroup_->GenerateKeys(); }

int SecurityPage::keyFormat() const { return keyGroup_->keyFormat(); }

SecurityInput SecurityPage::Input() const {
  SecurityInput input;
  input.authMode = authModeList_->currentIndex();
  input.encryption = encryptionBox_->isChecked();
  keyGroup_->Fill(input);
  return input;
}

void SecurityPage::Apply() {
  // The key check and its box come first, before the road: a wrong key stops everything.
  TellPageChange(ChangeSecuritySettings(io_, state_, Input()), warning_, this, [this] {
    Reload();  // what was stored: keys in HEX, masked
    Q_EMIT showPageRequested(0);
  });
}

}  // namespace nv
