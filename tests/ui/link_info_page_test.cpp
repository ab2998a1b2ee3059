// The Link Info page against wlansim: what it shows from the tray's snapshot, the throughput
// from the adapter's counters, and the radio button with its confirmation.
#include <QLabel>
#include <cstring>

#include "controls/edit_ex.h"
#include "controls/gradient_progress.h"
#include "controls/owner_draw_button.h"
#include "controls/strip_chart.h"
#include "logic/tray_monitor.h"
#include "pages_test_support.h"
#include "ui/link_info_page.h"

namespace nv {
namespace {

class LinkInfoPageTest : public test::PageTest {
 protected:
  QString Text(const char* name) {
    if (auto* edit = page->findChild<CEditEx*>(QString::fromLatin1(name))) return edit->text();
    return page->findChild<QLabel*>(QString::fromLatin1(name))->text();
  }
  int Bar(const char* name) {
    return page->findChild<GradientProgress*>(QString::fromLatin1(name))->value();
  }
  void Snapshot(int32_t linkState, uint8_t mode, uint8_t channel, uint8_t rate) {
    LinkStatus& s = state.currentLinkStatus;
    s = LinkStatus{};
    s.state = linkState;
    s.networkMode = mode;
    s.channel = channel;
    s.rateIndex = rate;
    std::strcpy(s.ssid, "Wireless");
    s.bssid[1] = 0x0A;
    s.bssid[5] = 0x01;
  }
  void MakePage() { page = std::make_unique<LinkInfoPage>(io(), state, &frame); }
  std::unique_ptr<LinkInfoPage> page;
};

TEST_F(LinkInfoPageTest, ShowsTheSnapshotWithoutPollingTheLink) {
  state.linkQualityPercent = 73;
  state.signalStrengthPercent = 41;
  Snapshot(3, 1, 6, 5);
  MakePage();
  ClearLog();
  page->UpdateDisplay();
  EXPECT_EQ(Text("statusEdit"), QStringLiteral("Associated BSSID=00-0A-00-00-00-01"));
  EXPECT_EQ(Text("ssidEdit"), QStringLiteral("Wireless"));
  EXPECT_EQ(Text("linkQualityText"), QStringLiteral("73%"));
  EXPECT_EQ(Text("signalStrengthText"), QStringLiteral("41%"));
  EXPECT_EQ(Bar("linkQualityBar"), 73);
  EXPECT_EQ(Bar("signalStrengthBar"), 41);
  EXPECT_EQ(Text("channelEdit"), QStringLiteral("6"));
  EXPECT_EQ(Text("txRateEdit"), QStringLiteral("11"));
  EXPECT_EQ(page->findChild<CEditEx*>(QStringLiteral("statusEdit"))->accessibleName(),
            QStringLiteral("Status"));
  EXPECT_EQ(page->findChild<StripChart*>(QStringLiteral("receiveChart"))->accessibleName(),
            QStringLiteral("Receive data rate"));
  // The daemon is still scanning: what shows is the tray tick's snapshot. The page's one
  // request is the counters' read (they travel in the status block).
  EXPECT_EQ(Sent(), std::vector<std::string>({test::kQueryStatus}));

  Snapshot(3, 0, 6, 5);  // ad hoc: no bars, no percentages
  page->UpdateDisplay();
  EXPECT_EQ(Text("statusEdit"), QStringLiteral("Associated IBSSID=00-0A-00-00-00-01"));
  EXPECT_EQ(Text("linkQualityText"), QString());
  EXPECT_EQ(Bar("linkQualityBar"), 0);
  EXPECT_EQ(Bar("signalStrengthBar"), 0);

  Snapshot(0, 1, 0, 0);  // the link dropped: channel kept, rate and SSID emptied
  page->UpdateDisplay();
  EXPECT_EQ(Text("statusEdit"), QStringLiteral("No Connect to Network"));
  EXPECT_EQ(Text("channelEdit"), QStringLiteral("6"));
  EXPECT_EQ(Text("txRateEdit"), QString());
  EXPECT_EQ(Text("ssidEdit"), QString());
}

TEST_F(LinkInfoPageTest, ThroughputFromTheCountersInKbps) {
  daemon.Ctl("step 3000");  // the default scenario associates; counters grow from now
  Snapshot(3, 1, 6, 5);
  MakePage();  // the baseline is taken here
  auto* rxChart = page->findChild<StripChart*>(QStringLiteral("receiveChart"));
  const QImage before = rxChart->picture();
  daemon.Ctl("step 1000");
  clock.tick += 1000;
  page->UpdateDisplay();
  // The default network receives 48000 and sends 9000 bytes a second.
  EXPECT_EQ(Text("receiveEdit"), QStringLiteral("375"));
  EXPECT_EQ(Text("transmitEdit"), QStringLiteral("70"));
  // log10(375) x 25 = 64: the new column is green up to 64 % of the height.
  const QImage& after = rxChart->picture();
  const int x = after.width() - 3;
  EXPECT_EQ(after.pixelColor(x, after.height() - 2), QColor(0, 255, 0));
  EXPECT_EQ(after.pixelColor(x, after.height() * 30 / 100), QColor(0, 0, 0));
  EXPECT_NE(before, after);
  page->UpdateDisplay();  // the same millisecond: nothing but the baseline changes
  EXPECT_EQ(Text("receiveEdit"), QStringLiteral("375"));
  EXPECT_EQ(rxChart->picture(), after);
}

TEST_F(LinkInfoPageTest, WithoutTheDriverNothingButTheStatus) {
  daemon.Stop();
  Snapshot(-1, 0, 0, 0);
  MakePage();
  clock.tick += 1000;
  page->UpdateDisplay();
  EXPECT_EQ(Text("statusEdit"), QStringLiteral("Driver not Load"));
  EXPECT_EQ(Text("receiveEdit"), QString());
  EXPECT_EQ(Bar("linkQualityBar"), 0);
}

TEST_F(LinkInfoPageTest, RadioButtonWaitsForTheAdapter) {
  state.radioOn = 1;
  MakePage();
  auto* radio = page->findChild<OwnerDrawButton*>(QStringLiteral("radioButton"));
  EXPECT_EQ(radio->text(), QStringLiteral("Radio Off"));
  EXPECT_TRUE(page->displayTimer().isActive());
  EXPECT_TRUE(page->displayTimer().isSingleShot());  // set again after each tick: no overlap
  radio->click();
  EXPECT_FALSE(radio->isEnabled());
  EXPECT_TRUE(page->radioTimer().isActive());
  EXPECT_EQ(state.radioOn, 0);
  daemon.Ctl("fault open on");  // the adapter cannot answer: keep waiting
  page->ConfirmRadio();
  EXPECT_FALSE(radio->isEnabled());
  EXPECT_TRUE(page->radioTimer().isActive());
  daemon.Ctl("fault open off");
  page->ConfirmRadio();
  EXPECT_TRUE(radio->isEnabled());
  EXPECT_FALSE(page->radioTimer().isActive());
  EXPECT_EQ(radio->text(), QStringLiteral("Radio On"));
  radio->click();  // and back on
  page->ConfirmRadio();
  EXPECT_EQ(radio->text(), QStringLiteral("Radio Off"));
  EXPECT_EQ(state.radioOn, 1);
}

TEST_F(LinkInfoPageTest, UnreadRadioStateSwitchesOnAndConfirms) {
  state.radioOn = 0xFF;  // no driver when the program started
  MakePage();
  auto* radio = page->findChild<OwnerDrawButton*>(QStringLiteral("radioButton"));
  radio->click();
  page->ConfirmRadio();
  EXPECT_TRUE(radio->isEnabled());
  EXPECT_EQ(state.radioOn, 1);
}

}  // namespace
}  // namespace nv
