// The "Profile" dialog: one complete configuration under a profile name, in Add, Properties
// or Connect mode. The caller gives it the configuration and name, opens it (it does not
// block), and on `accepted` takes config() and profileName() back; Cancel leaves the caller's
// record as it was. Key length and name mistakes show a "Warning" box owned by the dialog,
// and the dialog stays open.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "adapter/records.h"
#include "logic/profile_form.h"

class QComboBox;
class QLineEdit;
class QVBoxLayout;

namespace nv {

class KeyGroup;
class OwnerDrawButton;

class ProfileDialog : public QDialog {
  Q_OBJECT

 public:
  // `domainCode`: the adapter's regulatory domain (0x10 when it could not be read).
  // `profileName`: the name's bytes, as stored.
  ProfileDialog(ProfileMode mode, const AdapterConfig& config, const std::string& profileName,
                uint32_t domainCode, QWidget* parent);

  const AdapterConfig& config() const { return config_; }
  const std::string& profileName() const { return profileName_; }
  ProfileMode mode() const { return mode_; }

  // Where the "Warning" texts go; by default a message box owned by the dialog that does not
  // block (object name "warningBox"). Tests may take the texts instead.
  using WarningSink = std::function<void(const QString& text)>;
  void SetWarningSink(WarningSink sink) { warn_ = std::move(sink); }

  // In Add mode: the stored spelling of a profile whose name matches ignoring case. OK then
  // asks before replacing it (a box owned by the dialog that does not block).
  using NameLookup = ProfileNameLookup;
  void SetNameLookup(NameLookup lookup) { lookup_ = std::move(lookup); }
  // Tests may answer the question instead (true: replace).
  using QuestionSink = std::function<bool(const QString& text)>;
  void SetQuestionSink(QuestionSink ask) { ask_ = std::move(ask); }

  void accept() override;  // OK: check, ask before replacing, write back, close with Accepted
  void GenerateKeys();     // "Done"

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildLinkControls(QVBoxLayout* column);
  void BuildSecurityControls(QVBoxLayout* column);
  void BuildButtons(QVBoxLayout* column);
  void Show(const ProfileFormView& view);
  ProfileFormInput Input() const;
  void EncryptionChanged();
  void Finish(const ProfileFormInput& in, const std::string& name);
  void ShowWarning(const QString& text);

  ProfileMode mode_;
  AdapterConfig config_;
  std::string profileName_;
  int openedDefaultKey_ = 0;  // what the hidden default-key list holds
  WarningSink warn_;
  NameLookup lookup_;
  QuestionSink ask_;

  QLineEdit* nameEdit_ = nullptr;
  QLineEdit* ssidEdit_ = nullptr;
  QComboBox* bssTypeList_ = nullptr;
  QComboBox* channelList_ = nullptr;
  QComboBox* txRateList_ = nullptr;
  QComboBox* preambleList_ = nullptr;
  QComboBox* powerModeList_ = nullptr;
  OwnerDrawButton* encryptionCheck_ = nullptr;
  QComboBox* authModeList_ = nullptr;
  KeyGroup* keyGroup_ = nullptr;
  OwnerDrawButton* okButton_ = nullptr;
  OwnerDrawButton* cancelButton_ = nullptr;
};

}  // namespace nv
