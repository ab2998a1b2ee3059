// The Configuration page against wlansim: Reload shows the registry, Apply sends the link
// group (scope 1), stores it and scans; Cancel touches nothing.
#include <QAccessible>
#include <QLineEdit>
#include <QSignalSpy>
#include <cstring>

#include "controls/owner_draw_button.h"
#include "forwarding_registry.h"
#include "pages_test_support.h"
#include "ui/config_dialog.h"
#include "ui/configuration_page.h"

namespace nv {
namespace {

class ConfigurationPageTest : public test::PageTest {
 protected:
  QComboBox* List(const char* name) {
    return page->findChild<QComboBox*>(QString::fromLatin1(name));
  }
  QLineEdit* Ssid() { return page->findChild<QLineEdit*>(QStringLiteral("ssidEdit")); }
  OwnerDrawButton* Button(const char* name) {
    return page->findChild<OwnerDrawButton*>(QString::fromLatin1(name));
  }
  void MakePage() { page = std::make_unique<ConfigurationPage>(io(), &frame); }
  std::unique_ptr<ConfigurationPage> page;
};

TEST_F(ConfigurationPageTest, ReloadShowsTheStoredSettings) {
  AdapterConfig c = Stored();
  std::strcpy(c.ssid, "Office");
  c.bssType = 1;
  c.channel = 11;
  c.txRate = 7;
  c.shortPreamble = 1;
  c.powerMode = 2;
  Store(c, kScopeLink);
  MakePage();
  EXPECT_EQ(Ssid()->text(), QStringLiteral("Office"));
  EXPECT_EQ(Ssid()->maxLength(), 32);
  const QString twoByteChars(16, QChar(0x100));  // 32 bytes in UTF-8, none in Windows-1252
  Ssid()->selectAll();
  Ssid()->insert(twoByteChars);
  Ssid()->insert(QStringLiteral("x"));  // a 33rd byte is refused
  EXPECT_EQ(Ssid()->text(), twoByteChars);
  ASSERT_EQ(List("channelList")->count(), 11);  // the default scenario's domain 0x10
  EXPECT_EQ(List("channelList")->currentText(), QStringLiteral("11"));
  EXPECT_FALSE(List("channelList")->isEnabled());  // infrastructure
  EXPECT_EQ(List("bssTypeList")->currentText(), QStringLiteral("Infrastructure"));
  EXPECT_EQ(List("txRateList")->currentText(), QStringLiteral("22 Mbps PBCC"));
  EXPECT_EQ(List("preambleList")->currentText(), QStringLiteral("Short Preamble"));
  EXPECT_EQ(List("powerModeList")->currentText(), QStringLiteral("Fast Power Save"));
  const QStringList rates = {QStringLiteral("Auto"), QStringLiteral("1 Mbps")};
  EXPECT_EQ(List("txRateList")->itemText(1), rates[1]);  // table order, position = value
  List("bssTypeList")->setCurrentIndex(0);
  EXPECT_TRUE(List("channelList")->isEnabled());
  List("bssTypeList")->setCurrentIndex(2);
  EXPECT_TRUE(List("channelList")->isEnabled());
}

TEST_F(ConfigurationPageTest, ApplySendsStoresAndScansTheLinkGroupOnly) {
  AdapterConfig c = Stored();
  c.authMode = 1;
  c.wepStatus = 0;
  c.keys[0].length = 5;
  c.keys[0].material[0] = 0x42;
  Store(c, kScopeAll);
  MakePage();
  QSignalSpy shown(page.get(), &ConfigPage::showPageRequested);
  Ssid()->setText(QString(32, QLatin1Char('N')));
  List("bssTypeList")->setCurrentIndex(0);
  List("channelList")->setCurrentIndex(2);
  List("txRateList")->setCurrentIndex(4);
  ClearLog();
  Button("applyButton")->click();
  const auto sent = Sent();
  EXPECT_EQ(Count(sent, test::kSetSsid), 1);
  EXPECT_EQ(Count(sent, test::kSetChannel), 1);
  EXPECT_EQ(Count(sent, test::kSetScan), 1);
  EXPECT_EQ(Count(sent, test::kSetWepStatus), 0);  // scope 1: no security group
  EXPECT_EQ(Count(sent, test::kSetWepKey), 0);
  const AdapterConfig after = Stored();
  EXPECT_EQ(std::string(after.ssid), std::string(32, 'N'));
  EXPECT_EQ(after.bssType, 0);
  EXPECT_EQ(after.channel, 3);
  EXPECT_EQ(after.txRate, 4);
  EXPECT_EQ(after.authMode, 1);  // the security settings stay as stored
  EXPECT_EQ(after.keys[0].length, 5);
  EXPECT_EQ(after.keys[0].material[0], 0x42);
  ASSERT_EQ(shown.count(), 1);
  EXPECT_EQ(shown[0][0].toInt(), 0);
}

TEST_F(ConfigurationPageTest, NoChannelSelectedStoresChannelZero) {
  AdapterConfig c = Stored();
  c.channel = 14;  // outside domain 0x10's 1..11
  Store(c, kScopeLink);
  MakePage();
  EXPECT_EQ(List("channelList")->currentIndex(), -1);
  page->Apply();
  EXPECT_EQ(Stored().channel, 0);
}

TEST_F(ConfigurationPageTest, CancelRestoresWithoutTouchingAnything) {
  MakePage();
  const AdapterConfig before = Stored();
  Ssid()->setText(QStringLiteral("Elsewhere"));
  List("bssTypeList")->setCurrentIndex(0);
  ClearLog();
  Button("cancelButton")->click();
  EXPECT_EQ(Ssid()->text(), QString::fromLatin1(before.ssid));
  EXPECT_EQ(List("bssTypeList")->currentIndex(), before.bssType);
  for (const std::string& code : Sent()) {
    EXPECT_TRUE(code != test::kSetSsid && code != test::kSetBssType && code != test::kSetScan)
        << code;
  }
  const AdapterConfig after = Stored();
  EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
}

TEST_F(ConfigurationPageTest, ControlsHaveTheirLabelsAsNames) {
  MakePage();
  EXPECT_EQ(Ssid()->accessibleName(), QStringLiteral("SSID"));
  EXPECT_EQ(List("powerModeList")->accessibleName(), QStringLiteral("Power Mode"));
  EXPECT_EQ(Button("applyButton")->accessibleName(), QStringLiteral("Apply"));
  // Screen readers hear a list's label, not its value (Qt's own names it by its text on X11).
  QAccessibleInterface* list = QAccessible::queryAccessibleInterface(List("bssTypeList"));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->text(QAccessible::Name), QStringLiteral("BSS Type"));
  EXPECT_EQ(list->text(QAccessible::Value), List("bssTypeList")->currentText());
  // Tab order follows the layout: SSID, the five lists, Apply, Cancel.
  QWidget* w = Ssid();
  const char* order[] = {"bssTypeList",   "channelList", "txRateList",  "preambleList",
                         "powerModeList", "applyButton", "cancelButton"};
  for (const char* name : order) {
    w = w->nextInFocusChain();
    while (w->focusPolicy() == Qt::NoFocus) w = w->nextInFocusChain();
    EXPECT_EQ(w->objectName(), QString::fromLatin1(name));
  }
}

}  // namespace
}  // namespace nv

namespace nv {
namespace {

// The daemon's registry, whose writes fail (and batches are lost) while `failWrites` is set.
class FailingRegistry : public test::ForwardingRegistry {
 public:
  using ForwardingRegistry::ForwardingRegistry;
  int32_t SetValue(RegKey k, std::string_view n, uint32_t t, const uint8_t* d,
                   uint32_t l) override {
    return failWrites ? kAccessDenied : ForwardingRegistry::SetValue(k, n, t, d, l);
  }
  int32_t EndBatch(bool commit) override {
    if (!failWrites) return ForwardingRegistry::EndBatch(commit);
    ForwardingRegistry::EndBatch(false);  // the batch is lost whole
    return kAccessDenied;
  }
  bool failWrites = false;

 private:
  static constexpr int32_t kAccessDenied = 5;  // ERROR_ACCESS_DENIED
};

// A settings lock another program holds while `busy`; waiting moves the clock.
class BusyLockClock : public test::SetClock {
 public:
  LockResult TryLockSettings() override { return busy ? LockResult::Busy : LockResult::Acquired; }
  void UnlockSettings() override {}
  void Sleep(uint32_t ms) override {
    tick += ms;
    slept += ms;
  }
  bool busy = false;
  uint32_t slept = 0;
};

// Apply says in a box what the change did not do; a busy settings lock is waited for only
// briefly on the window's thread, and the page then keeps what the user entered.
TEST_F(ConfigurationPageTest, ApplySaysWhatDidNotHappen) {
  const struct {
    const char* fault;  // a daemon command, or nothing
    bool busy;
    bool failWrites;
    const char* message;  // nothing: no box
  } cases[] = {
      {nullptr, false, false, nullptr},
      {nullptr, true, false,
       "Another program is changing the settings; nothing was changed, try again."},
      {"fault code 0x220234 31", false, false,
       "The driver refused: SSID (the other settings were applied and stored)."},
      {"fault open on", false, false, "The adapter could not be opened; nothing was changed."},
      {nullptr, false, true, "The settings could not be stored."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message ? c.message : "no box");
    daemon.Ctl("fault clear");
    if (c.fault) daemon.Ctl(c.fault);
    BusyLockClock busyClock;
    busyClock.busy = c.busy;
    FailingRegistry registry(*ports.registry);
    registry.failWrites = c.failWrites;
    AdapterIo road(Ports{ports.link, ports.probe, busyClock, registry});
    QStringList boxes;
    ConfigurationPage shownPage(road, &frame,
                                [&](QWidget*, const QString& caption, const QString& text) {
                                  EXPECT_EQ(caption, QString::fromLatin1(kConfigWindowTitle));
                                  boxes << text;
                                });
    QSignalSpy shown(&shownPage, &ConfigPage::showPageRequested);
    auto* ssid = shownPage.findChild<QLineEdit*>(QStringLiteral("ssidEdit"));
    ssid->setText(QStringLiteral("Typed"));
    shownPage.findChild<OwnerDrawButton*>(QStringLiteral("applyButton"))->click();
    EXPECT_EQ(boxes, c.message ? QStringList{QString::fromLatin1(c.message)} : QStringList{});
    EXPECT_LE(busyClock.slept, 250u);
    EXPECT_EQ(shown.count(), c.busy ? 0 : 1);
    EXPECT_EQ(ssid->text(), QStringLiteral("Typed"));
  }
}

}  // namespace
}  // namespace nv
