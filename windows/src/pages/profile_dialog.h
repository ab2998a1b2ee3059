// The "Profile" dialog (layout 146): one whole configuration under a profile name, in Add,
// Properties or Connect mode. The caller gives it the configuration and the name, runs it
// (modally, owned by the configuration window, so that closing the window closes it), and
// after IDOK takes config() and profileName() back; Cancel leaves them as they were. A key
// length or name mistake shows a "Warning" box owned by the dialog, which stays open; Add
// asks before it replaces a stored profile of that name (names ignore case).
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "key_group.h"
#include "logic/profile_form.h"
#include "win/controls.h"
#include "win/dialog_binding.h"
#include "win/page.h"

namespace nv::win {

class ProfileDialog {
 public:
  // `domainCode`: the adapter's regulatory domain (0x10 when it could not be read).
  // `messageBox`: where the dialog's boxes go (tests answer them).
  ProfileDialog(HINSTANCE instance, MessageBoxFn messageBox, ProfileMode mode,
                const AdapterConfig& config, const std::string& profileName, uint32_t domainCode);
  ~ProfileDialog();
  ProfileDialog(const ProfileDialog&) = delete;
  ProfileDialog& operator=(const ProfileDialog&) = delete;

  // The stored spelling of a profile whose name matches ignoring case (Add asks about it).
  using NameLookup = ProfileNameLookup;
  void SetNameLookup(NameLookup lookup) { lookup_ = std::move(lookup); }

  // The modal run: IDOK after a successful OK, IDCANCEL after Cancel or a close.
  INT_PTR Run(HWND owner);
  // The same dialog without a modal loop, for tests: the caller drives it and reads result().
  HWND OpenModeless(HWND owner);
  INT_PTR result() const { return result_; }

  HWND hwnd() const { return hwnd_; }
  ProfileMode mode() const { return mode_; }
  const AdapterConfig& config() const { return config_; }
  const std::string& profileName() const { return profileName_; }

 private:
  friend struct DialogBinding<ProfileDialog>;
  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
  bool OnCommand(int id, int code);
  void OnInitDialog();
  void FillLists();
  void Show(const ProfileFormView& view);
  void EnableKeyGroup();
  ProfileFormInput Input() const;
  void Ok();
  void Finish(const ProfileFormInput& input, const std::string& name);
  void End(INT_PTR result);
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }

  HINSTANCE instance_;
  MessageBoxFn messageBox_;
  ProfileMode mode_;
  AdapterConfig config_;
  std::string profileName_;
  uint32_t domainCode_;
  NameLookup lookup_;
  KeyGroup keys_;
  OwnerDrawButton okButton_;
  OwnerDrawButton cancelButton_;
  HWND hwnd_ = nullptr;
  HBRUSH background_ = nullptr;
  bool modal_ = false;
  INT_PTR result_ = IDCANCEL;
};

}  // namespace nv::win
