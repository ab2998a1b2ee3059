// The "SiteSurvey" page (layout 141): the networks the last survey found (current one first)
// and the stored profiles with their marks; Refresh (timer 100 polls the scan at most eleven
// times), Connect, Add, Properties, Activate (double click or Enter on a profile) and Remove
// (also the Delete key, which asks first). Connect, Add and Properties confirm the
// configuration in the Profile dialog, store the profile and put it in force on the change
// road; a box says what did not happen.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "logic/profile_form.h"
#include "logic/survey_model.h"
#include "profile_dialog.h"
#include "win/page.h"

namespace nv::win {

class SiteSurveyPage : public Page {
 public:
  explicit SiteSurveyPage(PageContext& context);

  // Reads the driver's survey into the shared survey state and shows it; a failed read keeps
  // what the list showed. Works also while the window is closed (the tray's refresh).
  void RefreshBssList();
  // Reads the profiles and shows them with their marks: current, in range, not in range.
  void RefreshProfileList();
  void Shown() override;  // both lists, survey first

  void Refresh();  // starts a survey and polls for its end
  void PollScan();
  void Connect();
  void Add();
  void Properties();
  void ActivateProfile();
  void Remove();        // the Remove button: no question
  void AskAndRemove();  // the Delete key: asks first

  // How the Profile dialog runs: modally by default; tests drive it without a modal wait.
  using DialogRun = std::function<INT_PTR(ProfileDialog& dialog, HWND owner)>;
  void SetDialogRun(DialogRun run) { dialogRun_ = std::move(run); }
  int pollCount() const { return pollCount_; }

 protected:
  void OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  void OnTimer(UINT_PTR id) override;
  bool OnNotify(const NMHDR& header, INT_PTR* result) override;
  void OnDestroy() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;

 private:
  void SetUpLists();
  void SetUpFrames();
  void RunDialog(ProfileMode mode, const AdapterConfig& config, const std::string& name);
  void Accepted(const ProfileDialog& dialog);
  void Report(std::vector<std::string> problems);
  std::optional<std::string> SelectedProfile() const;  // its bytes
  void MoveSelection(int list, int step);

  std::vector<SurveyRow> surveyRows_;    // as the survey list shows them
  std::vector<ProfileRow> profileRows_;  // as the profile list shows them
  HIMAGELIST images_ = nullptr;
  GroupFrame networkFrame_;
  GroupFrame profileFrame_;
  std::array<OwnerDrawButton, 10> buttons_;
  int pollCount_ = 0;
  bool dialogOpen_ = false;
  DialogRun dialogRun_;
};

}  // namespace nv::win
