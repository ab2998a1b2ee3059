#include "site_survey_page.h"

#include <algorithm>

#include "adapter/operations.h"
#include "form_items.h"
#include "logic/change_message.h"
#include "logic/profile_actions.h"
#include "logic/settings_lock.h"
#include "logic/window_pages.h"
#include "resource.h"
#include "site_survey_ids.h"

namespace nv::win {

namespace {

constexpr std::array<int, 10> kButtonIds = {IDC_SURVEY_REFRESH,      IDC_SURVEY_CONNECT,
                                            IDC_SURVEY_UP,           IDC_SURVEY_DOWN,
                                            IDC_SURVEY_ADD,          IDC_SURVEY_REMOVE,
                                            IDC_SURVEY_PROPERTIES,   IDC_SURVEY_PROFILE_UP,
                                            IDC_SURVEY_PROFILE_DOWN, IDC_SURVEY_PROFILE_REFRESH};
constexpr int kListImages = 8;
constexpr int kListImageSize = 16;
constexpr COLORREF kImageMask = RGB(0, 128, 128);
constexpr int kTitleMargin = 16;  // pixels beside a column title (its header item's padding)

void InsertColumn(HWND list, int index, const char* title) {
  LVCOLUMNA column{};
  column.mask = LVCF_FMT | LVCF_TEXT;
  column.fmt = LVCFMT_LEFT;
  column.pszText = const_cast<char*>(title);
  SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(&column));
}

// Each column as wide as its texts and its title; a title is never cut.
void SizeColumns(HWND list, int columns) {
  for (int c = 0; c < columns; ++c) {
    SendMessageA(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(c), LVSCW_AUTOSIZE_USEHEADER);
    char title[32] = {};
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = title;
    column.cchTextMax = sizeof title;
    SendMessageA(list, LVM_GETCOLUMNA, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
    const auto needed = static_cast<int>(SendMessageA(list, LVM_GETSTRINGWIDTHA, 0,
                                                      reinterpret_cast<LPARAM>(title))) +
                        kTitleMargin;
    if (column.cx < needed) {
      SendMessageA(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(c), MAKELPARAM(needed, 0));
    }
  }
}

void InsertRow(HWND list, int row, int image, const std::string& text) {
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = row;
  item.iImage = image;
  item.pszText = const_cast<char*>(text.c_str());  // the bytes as they are
  SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void SetCell(HWND list, int row, int column, const std::string& text) {
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = const_cast<char*>(text.c_str());
  SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

int SelectedRow(HWND list) {
  return static_cast<int>(
      SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void SelectRow(HWND list, int row) {
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

// The lists take Enter themselves (it reaches the page as LVN_KEYDOWN), instead of the
// dialog turning it into the window's default command. A classic subclass: comctl32 before
// version 6 (98, XP without the manifest) exports SetWindowSubclass by ordinal only.
constexpr const char* kListProcProperty = "NetvaneListProc";

LRESULT CALLBACK ListKeys(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto previous = reinterpret_cast<WNDPROC>(GetPropA(list, kListProcProperty));
  if (previous == nullptr) return DefWindowProcA(list, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    RemovePropA(list, kListProcProperty);
    return CallWindowProcA(previous, list, message, wParam, lParam);
  }
  LRESULT result = CallWindowProcA(previous, list, message, wParam, lParam);
  if (message == WM_GETDLGCODE && lParam != 0) {
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) result |= DLGC_WANTALLKEYS;
  }
  return result;
}

void TakeListKeys(HWND list) {
  if (GetPropA(list, kListProcProperty) != nullptr) return;
  const LONG_PTR previous =
      SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListKeys));
  SetPropA(list, kListProcProperty, reinterpret_cast<HANDLE>(previous));
}

}  // namespace

SiteSurveyPage::SiteSurveyPage(PageContext& context) : Page(context) {}

void SiteSurveyPage::OnInitDialog() {
  SetUpLists();
  SetUpFrames();
  for (size_t i = 0; i < kButtonIds.size(); ++i) buttons_[i].Attach(hwnd_, kButtonIds[i]);
  images_ = ImageList_Create(kListImageSize, kListImageSize, ILC_COLOR4 | ILC_MASK, kListImages, 1);
  const HBITMAP strip = LoadBitmapA(context_.instance, MAKEINTRESOURCEA(IDB_LIST_IMAGES));
  ImageList_AddMasked(images_, strip, kImageMask);
  DeleteObject(strip);
  for (int id : {IDC_SURVEY_LIST, IDC_SURVEY_PROFILE_LIST}) {
    SendMessageA(Item(id), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images_));
  }
  RefreshBssList();
  RefreshProfileList();
  pollCount_ = 0;
}

void SiteSurveyPage::SetUpLists() {
  const HWND survey = Item(IDC_SURVEY_LIST);
  SendMessageA(survey, LVM_DELETEALLITEMS, 0, 0);
  for (size_t c = 0; c < kSurveyColumns.size(); ++c) {
    InsertColumn(survey, static_cast<int>(c), kSurveyColumns[c]);
  }
  SizeColumns(survey, static_cast<int>(kSurveyColumns.size()));
  const HWND profiles = Item(IDC_SURVEY_PROFILE_LIST);
  InsertColumn(profiles, 0, "Profile Name");
  SizeColumns(profiles, 1);
  for (HWND list : {survey, profiles}) {
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    TakeListKeys(list);
  }
}

void SiteSurveyPage::SetUpFrames() {
  FontSpec caption;  // Arial, 10 point, bold
  caption.weight = FW_BOLD;
  for (GroupFrame* frame : {&networkFrame_, &profileFrame_}) {
    frame->Attach(hwnd_,
                  frame == &networkFrame_ ? IDC_SURVEY_NETWORK_FRAME : IDC_SURVEY_PROFILE_FRAME);
    frame->SetCaptionColour(RGB(0, 0, 128));
    frame->SetLineColours(RGB(128, 128, 128), RGB(128, 128, 128));
    frame->SetCaptionFont(caption);
  }
}

void SiteSurveyPage::OnDestroy() {
  KillTimer(hwnd_, IDT_SURVEY_POLL);
  if (images_ != nullptr) ImageList_Destroy(images_);  // the lists share it, and keep it
  images_ = nullptr;
  surveyRows_.clear();
  profileRows_.clear();
}

void SiteSurveyPage::Shown() {
  RefreshBssList();
  RefreshProfileList();
}

void SiteSurveyPage::RefreshBssList() {
  BssList read{};
  ReadBssList(context_.io, read);
  std::vector<SurveyRow> rows =
      RefreshSurvey(read, context_.state.currentLinkStatus, context_.state.survey);
  if (hwnd_ == nullptr) return;  // the window is closed: the shared state is what counts
  EnableWindow(Item(IDC_SURVEY_REFRESH), TRUE);
  if (read.count < 0) return;  // the list keeps what it showed
  const HWND list = Item(IDC_SURVEY_LIST);
  SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
  surveyRows_ = std::move(rows);
  for (size_t r = 0; r < surveyRows_.size(); ++r) {
    const SurveyRow& row = surveyRows_[r];
    InsertRow(list, static_cast<int>(r), row.image, row.columns[0]);
    for (size_t c = 1; c < row.columns.size(); ++c) {
      SetCell(list, static_cast<int>(r), static_cast<int>(c), row.columns[c]);
    }
  }
  SizeColumns(list, static_cast<int>(kSurveyColumns.size()));
  if (!surveyRows_.empty()) SelectRow(list, 0);
}

void SiteSurveyPage::RefreshProfileList() {
  if (hwnd_ == nullptr) return;
  const HWND list = Item(IDC_SURVEY_PROFILE_LIST);
  SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
  profileRows_ = ListProfiles(context_.io.registry(), context_.state.survey.list,
                              context_.state.currentLinkStatus)
                     .rows;
  for (size_t r = 0; r < profileRows_.size(); ++r) {
    InsertRow(list, static_cast<int>(r), profileRows_[r].mark, profileRows_[r].name);
  }
  SizeColumns(list, 1);  // no item is selected
}

void SiteSurveyPage::Refresh() {
  EnableWindow(Item(IDC_SURVEY_REFRESH), FALSE);
  if (StartScan(context_.io) != kAccessOk) {
    EnableWindow(Item(IDC_SURVEY_REFRESH), TRUE);
    return;
  }
  pollCount_ = 0;
  SetTimer(hwnd_, IDT_SURVEY_POLL, kSurveyPollMs, nullptr);
}

void SiteSurveyPage::OnTimer(UINT_PTR id) {
  if (id == IDT_SURVEY_POLL) PollScan();
}

void SiteSurveyPage::PollScan() {
  const PollStep step = NextPollStep(IsScanDone(context_.io) == kAccessOk, pollCount_);
  if (step == PollStep::Wait) return;
  KillTimer(hwnd_, IDT_SURVEY_POLL);
  RefreshBssList();
  RefreshProfileList();
  if (step == PollStep::GiveUp) static_cast<void>(StopScan(context_.io));  // what was found stays
}

void SiteSurveyPage::Connect() {
  const int row = SelectedRow(Item(IDC_SURVEY_LIST));
  if (row < 0 || static_cast<size_t>(row) >= surveyRows_.size()) return;
  const std::array<std::string, 6> columns = surveyRows_[static_cast<size_t>(row)].columns;
  RunDialog(ProfileMode::Connect, NetworkSettings(context_.io, columns), columns[1]);
}

void SiteSurveyPage::Add() {
  RunDialog(ProfileMode::Add, StoredAdapterSettings(context_.io), std::string());
}

void SiteSurveyPage::Properties() {
  const std::optional<std::string> name = SelectedProfile();
  if (!name) return;
  const std::optional<AdapterConfig> stored = FindProfile(context_.io.registry(), *name);
  if (!stored) {  // removed elsewhere meanwhile: nothing to edit
    RefreshProfileList();
    return;
  }
  RunDialog(ProfileMode::Properties, *stored, *name);
}

void SiteSurveyPage::ActivateProfile() {
  const std::optional<std::string> name = SelectedProfile();
  if (!name) return;
  const ProfileChange change = ActivateStoredProfile(context_.io, *name);
  RefreshProfileList();
  if (change.taken) RequestPage(kPageReload);
  Report(change.problems);
}

void SiteSurveyPage::Remove() {
  const std::optional<std::string> name = SelectedProfile();
  if (!name) return;
  RemoveProfile(context_.io.registry(), *name);
  RefreshProfileList();
}

void SiteSurveyPage::AskAndRemove() {
  const std::optional<std::string> name = SelectedProfile();
  if (!name) return;
  const int answer = Say(RemoveProfileQuestion(*name), kConfigWindowTitle,
                         MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
  if (answer == IDYES && hwnd_ != nullptr) Remove();  // the window may have closed meanwhile
}

void SiteSurveyPage::RunDialog(ProfileMode mode, const AdapterConfig& config,
                               const std::string& name) {
  if (dialogOpen_) return;
  ProfileDialog dialog(context_.instance, context_.messageBox, mode, config, name,
                       ReadRegulatoryDomain(context_.io));
  dialog.SetNameLookup([this](const std::string& asked) {
    return StoredProfileName(context_.io.registry(), asked);
  });
  dialogOpen_ = true;
  // Owned by the configuration window, so that closing the window closes the dialog too.
  const HWND owner = Window();
  const INT_PTR result = dialogRun_ ? dialogRun_(dialog, owner) : dialog.Run(owner);
  dialogOpen_ = false;
  if (result == IDOK && hwnd_ != nullptr) Accepted(dialog);
}

void SiteSurveyPage::Accepted(const ProfileDialog& dialog) {
  const AdapterConfig& config = dialog.config();
  const std::string& name = dialog.profileName();
  const ProfileChange change = StoreAndActivate(context_.io, name, config, name);
  RefreshProfileList();
  if (change.taken) RequestPage(kPageReload);
  Report(change.problems);
}

// Said last, in one box with the window's title: the page may end while the box is up.
void SiteSurveyPage::Report(std::vector<std::string> problems) {
  if (problems.empty()) return;
  Say(AsSentences(problems), kConfigWindowTitle, MB_OK | MB_ICONINFORMATION);
}

std::optional<std::string> SiteSurveyPage::SelectedProfile() const {
  const int row = SelectedRow(Item(IDC_SURVEY_PROFILE_LIST));
  if (row < 0 || static_cast<size_t>(row) >= profileRows_.size()) return std::nullopt;
  return profileRows_[static_cast<size_t>(row)].name;
}

void SiteSurveyPage::MoveSelection(int list, int step) {
  const HWND view = Item(list);
  const int row = SelectedRow(view);
  if (row < 0) return;
  const int count = static_cast<int>(SendMessageA(view, LVM_GETITEMCOUNT, 0, 0));
  SelectRow(view, std::clamp(row + step, 0, count - 1));
}

bool SiteSurveyPage::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return false;
  switch (id) {
    case IDC_SURVEY_REFRESH:
      Refresh();
      break;
    case IDC_SURVEY_CONNECT:
      Connect();
      break;
    case IDC_SURVEY_ADD:
      Add();
      break;
    case IDC_SURVEY_PROPERTIES:
      Properties();
      break;
    case IDC_SURVEY_REMOVE:
      Remove();
      break;
    case IDC_SURVEY_UP:
      MoveSelection(IDC_SURVEY_LIST, -1);
      break;
    case IDC_SURVEY_DOWN:
      MoveSelection(IDC_SURVEY_LIST, 1);
      break;
    case IDC_SURVEY_PROFILE_UP:
      MoveSelection(IDC_SURVEY_PROFILE_LIST, -1);
      break;
    case IDC_SURVEY_PROFILE_DOWN:
      MoveSelection(IDC_SURVEY_PROFILE_LIST, 1);
      break;
    case IDC_SURVEY_PROFILE_REFRESH:
      RefreshProfileList();
      break;
    default:
      return false;
  }
  return true;
}

// A double click or Enter on a network connects to it; on a profile, activates it. Delete on
// a profile asks, then removes it.
bool SiteSurveyPage::OnNotify(const NMHDR& header, INT_PTR* result) {
  const bool survey = header.idFrom == IDC_SURVEY_LIST;
  if (!survey && header.idFrom != IDC_SURVEY_PROFILE_LIST) return false;
  *result = 0;
  WORD key = 0;
  if (header.code == LVN_KEYDOWN) key = reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey;
  if (header.code == NM_DBLCLK || key == VK_RETURN) {
    if (survey) {
      Connect();
    } else {
      ActivateProfile();
    }
    return true;
  }
  if (!survey && key == VK_DELETE) {
    AskAndRemove();
    return true;
  }
  return false;
}

bool SiteSurveyPage::OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR* result) {
  if (KeepsSystemColours(message, lParam)) {
    *result = FALSE;
    return true;
  }
  if (message != WM_DRAWITEM) return false;
  *result = DrawPlainButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
  return true;
}

}  // namespace nv::win
