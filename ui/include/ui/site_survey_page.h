// The "SiteSurvey" page: the networks the last survey found (current one first) and the
// stored profiles with their marks; Refresh, Connect, Add, Properties, Activate (double click
// or Enter on a profile) and Remove (also the Delete key, which asks first). Every change of the
// adapter's settings takes the change road; the Profile dialog confirms it first, and a box
// says what a change did not do.
#pragma once

#include <QPointer>
#include <QTimer>
#include <array>
#include <optional>
#include <string>

#include "adapter/adapter_io.h"
#include "logic/app_state.h"
#include "logic/profile_form.h"
#include "logic/survey_model.h"
#include "ui/config_page.h"
#include "ui/profile_dialog.h"
#include "ui/warning_box.h"

class QTreeWidget;
class QVBoxLayout;

namespace nv {

class OwnerDrawButton;

inline constexpr int kListMarkRole = Qt::UserRole + 1;  // an item's image index

class SiteSurveyPage : public ConfigPage {
  Q_OBJECT

 public:
  SiteSurveyPage(AdapterIo& io, AppState& state, QWidget* parent,
                 WarningBox warning = ShowWarningBox, QuestionBox question = AskQuestionBox);

  // Reads the driver's survey into the shared survey state and shows it; a failed read keeps
  // what the list showed.
  void RefreshBssList();
  // Reads the profiles and shows them with their marks: current, in range, not in range.
  void RefreshProfileList();

  void Refresh();  // starts a survey and polls for its end, at most eleven times
  void PollScan();
  void Connect();
  void Add();
  void Properties();
  void ActivateProfile();
  void Remove();        // the Remove button: no question
  void AskAndRemove();  // the Delete key: "Remove profile NAME?" first
  // The invisible Up/Down buttons: the selection one row up (-1) or down (+1).
  void MoveSurveySelection(int step);
  void MoveProfileSelection(int step);

  QTreeWidget* surveyList() const { return surveyList_; }
  QTreeWidget* profileList() const { return profileList_; }
  QTimer& pollTimer() { return pollTimer_; }
  int pollCount() const { return pollCount_; }
  // Where the questions and messages go (tests answer them).
  void SetMessageBoxes(WarningBox warning, QuestionBox question) {
    warning_ = std::move(warning);
    question_ = std::move(question);
  }
  // The Profile dialog while it is open.
  ProfileDialog* profileDialog() const { return dialog_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildSurveyGroup(QVBoxLayout* column);
  void BuildProfileGroup(QVBoxLayout* column);
  void OpenDialog(ProfileMode mode, const AdapterConfig& config, const std::string& name);
  void DialogAccepted(const ProfileDialog& dialog);
  std::optional<std::string> SelectedProfile() const;  // its bytes
  void ShowFocusRow(QTreeWidget* list);

  AdapterIo& io_;
  AppState& state_;
  WarningBox warning_;
  QuestionBox question_;
  QTimer pollTimer_;
  int pollCount_ = 0;
  QPointer<ProfileDialog> dialog_;
  QTreeWidget* surveyList_ = nullptr;
  QTreeWidget* profileList_ = nullptr;
  OwnerDrawButton* refreshButton_ = nullptr;
  OwnerDrawButton* connectButton_ = nullptr;
  OwnerDrawButton* addButton_ = nullptr;
  OwnerDrawButton* removeButton_ = nullptr;
  OwnerDrawButton* propertiesButton_ = nullptr;
};

}  // namespace nv
