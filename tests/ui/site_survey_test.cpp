// The Site Survey page and its Profile dialog against a real wlansim with the virtual clock:
// what each command writes to the profile store, what reaches the driver (its request log)
// and the adapter's stored settings, and what Cancel leaves alone.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QTreeWidget>
#include <QtTest/QTest>
#include <nlohmann/json.hpp>
#include <sstream>

#include "controls/hex_key_edit.h"
#include "controls/owner_draw_button.h"
#include "logic/profile_actions.h"
#include "shell/main_frame.h"
#include "sim_daemon.h"
#include "socket_ports.h"
#include "store/adapter_params.h"
#include "store/profile_store.h"
#include "ui/site_survey_page.h"

namespace nv {
namespace {

using nlohmann::json;

// Set requests that change the adapter's settings (the scan request counts apart).
const std::set<std::string> kSettingSets = {"0x220234", "0x220248", "0x22026C",
                                            "0x22029C", "0x2202AC", "0x2202B4",
                                            "0x2202C4", "0x2202D8", "0x2202E0"};

class SiteSurveyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(daemon.running() && ports.io);
    daemon.Ctl("step 3000");  // associated with "Wireless"
    frame.Tick();
  }
  SiteSurveyPage* OpenPage() {
    dialog.OpenPages();
    dialog.ShowPage(kPageSiteSurvey);
    return qobject_cast<SiteSurveyPage*>(dialog.page(kPageSiteSurvey));
  }
  json State() { return json::parse(daemon.Ctl("state")); }
  // The codes of the requests since the last call, in order.
  std::vector<std::string> Requests() {
    std::vector<std::string> codes;
    std::istringstream log(daemon.Ctl("log"));
    for (std::string line; std::getline(log, line);) codes.push_back(json::parse(line)["code"]);
    daemon.Ctl("log --clear");
    return codes;
  }
  int SettingSets() {
    int n = 0;
    for (const std::string& code : Requests()) n += static_cast<int>(kSettingSets.count(code));
    return n;
  }
  static QStringList Texts(QTreeWidget* list, int column = 0) {
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
      texts << list->topLevelItem(i)->text(column);
    return texts;
  }
  static std::vector<int> Marks(QTreeWidget* list) {
    std::vector<int> marks;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      marks.push_back(list->topLevelItem(i)->data(0, kListMarkRole).toInt());
    }
    return marks;
  }
  static void Select(QTreeWidget* list, const QString& text, int column = 0) {
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      if (list->topLevelItem(i)->text(column) == text) list->setCurrentItem(list->topLevelItem(i));
    }
  }
  // A selection without the keyboard's current row, as a screen reader makes it.
  static void SelectOnly(QTreeWidget* list, const QString& text) {
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      if (list->topLevelItem(i)->text(0) != text) continue;
      list->selectionModel()->select(
          list->model()->index(i, 0),
          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
  }
  template <typename T>
  static T* Child(QWidget* parent, const char* name) {
    return parent->findChild<T*>(QString::fromLatin1(name));
  }
  void AddProfile(const char* name, int32_t bssType) {
    AdapterConfig c{};
    std::strcpy(c.ssid, name);
    c.bssType = bssType;
    c.wepStatus = 1;
    c.authMode = 2;
    ASSERT_TRUE(StoreProfile(*ports.registry, name, c));
  }
  AdapterConfig Stored() {
    AdapterConfig c{};
    ReadAdapterParameters(*ports.io, c);
    return c;
  }

  test::SimDaemon daemon;
  test::SocketPorts ports{daemon};
  AppState state;
  ConfigDialog dialog;
  CMainFrame frame{*ports.io, state, dialog};
};

TEST_F(SiteSurveyTest, ListsCurrentNetworkFirstAndMarksProfiles) {
  AddProfile("Wireless", 2);  // "Any": current
  AddProfile("Far", 2);       // "Any": not in range
  AddProfile("LanParty", 0);  // ad hoc in range
  SiteSurveyPage* page = OpenPage();
  QTreeWidget* survey = page->surveyList();
  EXPECT_EQ(survey->headerItem()->text(5), QStringLiteral("RSSI"));
  EXPECT_EQ(Texts(survey, 1),
            QStringList({QStringLiteral("Wireless"), QStringLiteral("HomeWEP64"),
                         QStringLiteral("Office128"), QStringLiteral("LanParty")}));
  EXPECT_EQ(Marks(survey), std::vector<int>({5, 1, 1, 0}));
  EXPECT_EQ(survey->topLevelItem(1)->text(0), QStringLiteral("00-0A-F5-10-00-02"));
  EXPECT_EQ(survey->topLevelItem(1)->text(2), QStringLiteral("Yes"));
  EXPECT_EQ(survey->topLevelItem(1)->text(5), QStringLiteral("68"));
  EXPECT_TRUE(survey->topLevelItem(0)->isSelected());
  EXPECT_EQ(state.survey.connectedBssIndex, 0);
  QTreeWidget* profiles = page->profileList();
  EXPECT_TRUE(profiles->isHeaderHidden());
  EXPECT_EQ(Texts(profiles), QStringList({QStringLiteral("Wireless"), QStringLiteral("LanParty"),
                                          QStringLiteral("Far")}));
  EXPECT_EQ(Marks(profiles), std::vector<int>({5, 0, 4}));
  EXPECT_EQ(profiles->topLevelItem(0)->data(0, Qt::AccessibleDescriptionRole).toString(),
            QStringLiteral("current network"));
  EXPECT_EQ(profiles->currentItem(), nullptr);
  EXPECT_FALSE(survey->accessibleName().isEmpty());
  for (auto* button : page->findChildren<OwnerDrawButton*>()) {
    EXPECT_FALSE(button->accessibleName().isEmpty()) << button->objectName().toStdString();
  }
}

// Both lists, the empty profile list too, show a ring in the highlight colour while they have
// the keyboard focus, and none without it.
TEST_F(SiteSurveyTest, AListShowsWhenItHasTheFocus) {
  SiteSurveyPage* page = OpenPage();
  for (const char* name : {"surveyList", "profileList"}) {
    auto* list = page->findChild<QTreeWidget*>(QString::fromLatin1(name));
    ASSERT_NE(list, nullptr) << name;
    const QRgb highlight = list->palette().color(QPalette::Highlight).rgb();
    const auto corner = [list] { return list->grab().toImage().pixel(1, 1); };
    EXPECT_NE(corner(), highlight) << name;
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(list, &in);
    EXPECT_EQ(corner(), highlight) << name;
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(list, &out);
    EXPECT_NE(corner(), highlight) << name;
  }
}

TEST_F(SiteSurveyTest, TheTickRefreshesTheSurveyWhileTheWindowIsClosed) {
  EXPECT_EQ(state.survey.list.count, 6);
  EXPECT_EQ(state.survey.connectedBssIndex, 0);
  daemon.Ctl("network signal 00:0A:F5:10:00:01 0");  // the network fades: leaving associated
  frame.Tick();
  EXPECT_EQ(state.survey.list.count, 5);
  EXPECT_EQ(state.survey.connectedBssIndex, -1);
  // Open, the page follows the tick too.
  SiteSurveyPage* page = OpenPage();
  daemon.Ctl("network signal 00:0A:F5:10:00:01 80");
  daemon.Ctl("step 10000");
  frame.Tick();
  EXPECT_EQ(state.survey.connectedBssIndex, 0);
  EXPECT_EQ(page->surveyList()->topLevelItem(0)->data(0, kListMarkRole).toInt(), 5);
}

TEST_F(SiteSurveyTest, RefreshPollsElevenTimesThenStopsTheScan) {
  SiteSurveyPage* page = OpenPage();
  auto* refresh = Child<OwnerDrawButton>(page, "refreshButton");
  Requests();
  page->Refresh();
  EXPECT_FALSE(refresh->isEnabled());
  EXPECT_TRUE(page->pollTimer().isActive());
  EXPECT_EQ(page->pollTimer().interval(), 1000);
  for (int i = 0; i < 10; ++i) page->PollScan();  // the clock stands: the scan never ends
  EXPECT_TRUE(page->pollTimer().isActive());
  EXPECT_FALSE(refresh->isEnabled());
  page->PollScan();
  EXPECT_FALSE(page->pollTimer().isActive());
  EXPECT_TRUE(refresh->isEnabled());
  const std::vector<std::string> sent = Requests();
  EXPECT_EQ(std::count(sent.begin(), sent.end(), "0x2203A0"), 2);  // start, then stop
  // A scan that ends is read at once and not stopped.
  page->Refresh();
  daemon.Ctl("step 1500");
  page->PollScan();
  EXPECT_FALSE(page->pollTimer().isActive());
  EXPECT_TRUE(refresh->isEnabled());
  const std::vector<std::string> again = Requests();
  EXPECT_EQ(std::count(again.begin(), again.end(), "0x2203A0"), 1);
}

TEST_F(SiteSurveyTest, ConnectStoresTheProfileAppliesAndShowsLinkInfo) {
  SiteSurveyPage* page = OpenPage();
  Select(page->surveyList(), QStringLiteral("HomeWEP64"), 1);
  QTest::keyClick(page->surveyList(), Qt::Key_Return);  // Enter = double click
  ProfileDialog* profile = page->profileDialog();
  ASSERT_NE(profile, nullptr);
  EXPECT_EQ(profile->windowTitle(), QStringLiteral("Connect: HomeWEP64"));
  EXPECT_FALSE(Child<QLineEdit>(profile, "ssidEdit")->isEnabled());
  EXPECT_FALSE(Child<QWidget>(profile, "bssTypeList")->isEnabled());
  auto* encryption = Child<OwnerDrawButton>(profile, "encryptionCheck");
  EXPECT_FALSE(encryption->isEnabled());
  EXPECT_TRUE(encryption->IsChecked());
  EXPECT_EQ(Child<QLineEdit>(profile, "profileNameEdit")->text(), QStringLiteral("HomeWEP64"));
  auto* key = Child<HexKeyEdit>(profile, "key1Edit");
  EXPECT_TRUE(key->IsMasked());
  key->setText(QStringLiteral("0123456789"));
  Requests();
  Child<OwnerDrawButton>(profile, "okButton")->click();
  EXPECT_GT(SettingSets(), 0);
  const auto stored = FindProfile(*ports.registry, "HomeWEP64");
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->wepStatus, 0);
  EXPECT_EQ(stored->bssType, 1);
  EXPECT_STREQ(stored->bssidText, "00-0A-F5-10-00-02");
  EXPECT_EQ(stored->keys[0].length, 5);
  EXPECT_STREQ(Stored().ssid, "HomeWEP64");
  EXPECT_EQ(State()["keys"][0]["material"], "0123456789");
  EXPECT_EQ(dialog.currentPage(), kPageReload);
  EXPECT_TRUE(dialog.page(kPageLinkInfo)->isVisibleTo(&dialog));
  frame.Tick();  // scanning for the new network
  daemon.Ctl("step 3000");
  frame.Tick();
  EXPECT_EQ(state.currentLinkStatus.state, kStateAssociated);
  EXPECT_STREQ(state.currentLinkStatus.ssid, "HomeWEP64");
  EXPECT_EQ(page->profileList()->topLevelItem(0)->text(0), QStringLiteral("HomeWEP64"));
  EXPECT_EQ(Marks(page->profileList()).front(), 5);
}

// An SSID in UTF-8 goes from the survey through the dialog to the driver and the store as the
// same bytes, is shown as UTF-8, and its profile is the current one.
TEST_F(SiteSurveyTest, AUtf8SsidKeepsItsBytesFromSurveyToStore) {
  daemon.Ctl(R"(network add {"ssid":"Caf\u00e9","bssid":"00:0A:F5:10:00:09","channel":3,)"
             R"("mode":"infrastructure","privacy":false,"signal":90,"quality":90})");
  daemon.Ctl("step 3000");
  SiteSurveyPage* page = OpenPage();
  page->Refresh();
  daemon.Ctl("step 2000");
  page->PollScan();
  const QString cafe = QStringLiteral("Caf\u00E9");
  Select(page->surveyList(), cafe, 1);
  page->Connect();
  ProfileDialog* profile = page->profileDialog();
  ASSERT_NE(profile, nullptr);
  EXPECT_EQ(Child<QLineEdit>(profile, "profileNameEdit")->text(), cafe);
  Child<OwnerDrawButton>(profile, "okButton")->click();
  EXPECT_TRUE(FindProfile(*ports.registry, "Caf\xC3\xA9"));
  EXPECT_FALSE(FindProfile(*ports.registry, "Caf\xE9"));
  EXPECT_STREQ(Stored().ssid, "Caf\xC3\xA9");
  daemon.Ctl("step 3000");
  frame.Tick();
  EXPECT_STREQ(state.currentLinkStatus.ssid, "Caf\xC3\xA9");
  page->RefreshProfileList();
  ASSERT_EQ(Texts(page->profileList()), QStringList{cafe});
  EXPECT_EQ(Marks(page->profileList()).front(), 5);  // current, not "not in range"
}

TEST_F(SiteSurveyTest, KeyMistakeWarnsAndCloseWithPopupsClosesItAll) {
  dialog.OpenWindow();
  dialog.ShowPage(kPageSiteSurvey);
  auto* page = qobject_cast<SiteSurveyPage*>(dialog.page(kPageSiteSurvey));
  Select(page->surveyList(), QStringLiteral("HomeWEP64"), 1);
  page->Connect();
  QPointer<ProfileDialog> profile = page->profileDialog();
  ASSERT_TRUE(profile);
  Child<HexKeyEdit>(profile, "key1Edit")->setText(QStringLiteral("012345678"));
  Requests();
  profile->accept();
  QPointer<QMessageBox> warning = Child<QMessageBox>(profile, "warningBox");
  ASSERT_TRUE(warning);
  EXPECT_EQ(warning->windowTitle(), QStringLiteral("Warning"));
  EXPECT_EQ(warning->text(), QStringLiteral("WEP key 1 size mistake!\n Need 10 characters"));
  EXPECT_EQ(warning->icon(), QMessageBox::Information);
  EXPECT_TRUE(warning->isVisible());
  EXPECT_TRUE(profile->isVisible());  // the dialog stays open, nothing stored or sent
  EXPECT_EQ(SettingSets(), 0);
  EXPECT_FALSE(FindProfile(*ports.registry, "HomeWEP64"));
  dialog.CloseWithPopups();  // the adapter went away
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_TRUE(!warning || !warning->isVisible());
  EXPECT_TRUE(!profile || !profile->isVisible());
  EXPECT_EQ(SettingSets(), 0);
}

TEST_F(SiteSurveyTest, CancelTouchesNothing) {
  SiteSurveyPage* page = OpenPage();
  AddProfile("Office", 1);
  page->RefreshProfileList();
  const AdapterConfig before = Stored();
  Requests();
  const auto cancel = [&] {
    ASSERT_NE(page->profileDialog(), nullptr);
    Child<QLineEdit>(page->profileDialog(), "ssidEdit")->setText(QStringLiteral("Changed"));
    Child<OwnerDrawButton>(page->profileDialog(), "cancelButton")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  };
  page->Add();
  cancel();
  Select(page->surveyList(), QStringLiteral("Office128"), 1);
  page->Connect();
  cancel();
  Select(page->profileList(), QStringLiteral("Office"));
  page->Properties();
  cancel();
  EXPECT_EQ(SettingSets(), 0);
  EXPECT_EQ(ReadProfileTable(*ports.registry)->count, 1);
  EXPECT_STREQ(FindProfile(*ports.registry, "Office")->ssid, "Office");
  const AdapterConfig after = Stored();
  EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
}

TEST_F(SiteSurveyTest, AddAndPropertiesStoreAndApply) {
  SiteSurveyPage* page = OpenPage();
  page->Add();
  ProfileDialog* add = page->profileDialog();
  EXPECT_EQ(add->windowTitle(), QStringLiteral("Add New Profile"));
  EXPECT_EQ(Child<QLineEdit>(add, "profileNameEdit")->text(), QStringLiteral("Wireless"));
  Child<QLineEdit>(add, "profileNameEdit")->setText(QStringLiteral("Office"));
  Child<QLineEdit>(add, "ssidEdit")->setText(QStringLiteral("Office128"));
  add->accept();
  EXPECT_STREQ(FindProfile(*ports.registry, "Office")->ssid, "Office128");
  EXPECT_EQ(State()["ssid"], "Office128");
  EXPECT_STREQ(Stored().ssid, "Office128");

  dialog.ShowPage(kPageSiteSurvey);
  Select(page->profileList(), QStringLiteral("Office"));
  page->Properties();
  ProfileDialog* edit = page->profileDialog();
  EXPECT_EQ(edit->windowTitle(), QStringLiteral("Profile: Office"));
  EXPECT_FALSE(Child<QLineEdit>(edit, "profileNameEdit")->isEnabled());
  Child<QComboBox>(edit, "powerModeList")->setCurrentIndex(2);
  edit->accept();
  EXPECT_EQ(FindProfile(*ports.registry, "Office")->powerMode, 2);
  EXPECT_EQ(State()["powerMode"], 2);
  EXPECT_EQ(Stored().powerMode, 2);
  // A name the store cannot keep is refused before anything happens.
  page->Add();
  add = page->profileDialog();
  bool warned = false;
  add->SetWarningSink(
      [&](const QString& text) { warned = text.startsWith(QStringLiteral("Profile name")); });
  Child<QLineEdit>(add, "profileNameEdit")->setText(QStringLiteral("a\\b"));
  Requests();
  add->accept();
  EXPECT_TRUE(warned);
  EXPECT_TRUE(add->isVisible());
  EXPECT_EQ(SettingSets(), 0);
}

TEST_F(SiteSurveyTest, ActivateRemoveAndVanishedProfiles) {
  AddProfile("HomeWEP64", 1);
  AddProfile("Gone", 1);
  SiteSurveyPage* page = OpenPage();
  QTreeWidget* profiles = page->profileList();
  Requests();
  page->ActivateProfile();  // no selection: nothing
  Select(profiles, QStringLiteral("HomeWEP64"));
  QTest::keyClick(profiles, Qt::Key_Return);
  EXPECT_GT(SettingSets(), 0);
  EXPECT_EQ(State()["ssid"], "HomeWEP64");
  EXPECT_EQ(dialog.currentPage(), kPageReload);
  // Deleted elsewhere meanwhile: Properties and Activate stop and the list forgets it.
  Select(profiles, QStringLiteral("Gone"));
  DeleteProfile(*ports.registry, "Gone");
  page->Properties();
  EXPECT_EQ(page->profileDialog(), nullptr);
  Select(profiles, QStringLiteral("Gone"));
  page->ActivateProfile();
  EXPECT_EQ(SettingSets(), 0);
  EXPECT_STREQ(Stored().ssid, "HomeWEP64");
  EXPECT_EQ(Texts(profiles), QStringList({QStringLiteral("HomeWEP64")}));
  // Delete asks first ("No" keeps the profile), then removes; the adapter keeps its settings.
  QStringList asked;
  bool answer = false;
  page->SetMessageBoxes({}, [&](QWidget*, const QString&, const QString& text) {
    asked << text;
    return answer;
  });
  SelectOnly(profiles, QStringLiteral("HomeWEP64"));
  ASSERT_EQ(profiles->currentItem(), nullptr);
  QTest::keyClick(profiles, Qt::Key_Delete);
  EXPECT_EQ(profiles->topLevelItemCount(), 1);
  answer = true;
  QTest::keyClick(profiles, Qt::Key_Delete);
  EXPECT_EQ(asked, QStringList(2, QStringLiteral("Remove profile HomeWEP64?")));
  EXPECT_EQ(profiles->topLevelItemCount(), 0);
  EXPECT_EQ(SettingSets(), 0);
  EXPECT_EQ(State()["ssid"], "HomeWEP64");
  // Names are the registry's Windows-1252 bytes: shown as such, found again by what is shown.
  AddProfile("Caf\xE9 \x80", 1);
  page->RefreshProfileList();
  EXPECT_EQ(Texts(profiles), QStringList({QStringLiteral("Caf\u00E9 \u20AC")}));
  Select(profiles, QStringLiteral("Caf\u00E9 \u20AC"));
  page->ActivateProfile();
  EXPECT_STREQ(Stored().ssid, "Caf\xE9 \x80");
}

TEST_F(SiteSurveyTest, HiddenUpDownButtonsMoveTheSelection) {
  SiteSurveyPage* page = OpenPage();
  auto* up = Child<OwnerDrawButton>(page, "surveyUpButton");
  auto* down = Child<OwnerDrawButton>(page, "surveyDownButton");
  EXPECT_FALSE(up->isVisibleTo(page));
  EXPECT_FALSE(Child<OwnerDrawButton>(page, "profileRefreshButton")->isVisibleTo(page));
  QTreeWidget* survey = page->surveyList();
  up->click();  // row 0 stays row 0
  EXPECT_EQ(survey->indexOfTopLevelItem(survey->currentItem()), 0);
  for (int i = 0; i < 6; ++i) down->click();
  EXPECT_EQ(survey->indexOfTopLevelItem(survey->currentItem()), 3);  // not beyond the last
  page->MoveProfileSelection(1);                                     // no selection: nothing
  EXPECT_EQ(page->profileList()->currentItem(), nullptr);
}

TEST_F(SiteSurveyTest, TheTickNudgesAStuckLinkThreeTimes) {
  AdapterConfig c = Stored();
  std::strcpy(c.ssid, "HomeWEP64");
  c.bssType = 1;
  c.wepStatus = 0;
  c.authMode = 2;        // "Auto Switch"
  c.keys[0].length = 5;  // a wrong key: stuck connecting
  PutInForce(*ports.io, c);
  daemon.Ctl("step 3000");
  Requests();
  for (int i = 0; i < 8; ++i) {
    frame.Tick();
    daemon.Ctl("step 1000");
  }
  std::vector<std::string> modes;
  std::istringstream log(daemon.Ctl("log"));
  for (std::string line; std::getline(log, line);) {
    const json r = json::parse(line);
    if (r["code"] == "0x2202C4") modes.push_back(r["in"]);
  }
  EXPECT_EQ(modes, std::vector<std::string>({"00000000", "ffffffff", "ffffffff"}));
  EXPECT_EQ(state.currentLinkStatus.state, kStateConnecting);
}

}  // namespace
}  // namespace nv
