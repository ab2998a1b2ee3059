// The Security page against wlansim: Reload shows stored keys masked in HEX, the key format,
// size and passphrase rules act on the boxes, the Warning stops Apply before anything is sent
// or stored, and Apply sends the security group (scope 2), stores it and scans.
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest/QTest>
#include <cstring>

#include "controls/hex_key_edit.h"
#include "controls/owner_draw_button.h"
#include "pages_test_support.h"
#include "store/wep_keys.h"
#include "ui/config_dialog.h"
#include "ui/security_page.h"

namespace nv {
namespace {

class SecurityPageTest : public test::PageTest {
 protected:
  QComboBox* List(const QString& name) { return page->findChild<QComboBox*>(name); }
  QComboBox* SizeList(int key) { return List(QStringLiteral("key%1SizeList").arg(key)); }
  HexKeyEdit* Key(int key) {
    return page->findChild<HexKeyEdit*>(QStringLiteral("key%1Edit").arg(key));
  }
  OwnerDrawButton* Button(const QString& name) { return page->findChild<OwnerDrawButton*>(name); }
  OwnerDrawButton* Encryption() { return Button(QStringLiteral("encryptionBox")); }
  OwnerDrawButton* Radio(int key) { return Button(QStringLiteral("defaultKey%1Button").arg(key)); }
  QLineEdit* Passphrase() { return page->findChild<QLineEdit*>(QStringLiteral("passphraseEdit")); }
  void MakePage() {
    page = std::make_unique<SecurityPage>(
        io(), state,
        [this](QWidget*, const QString& caption, const QString& text) {
          warnings.push_back(caption + QLatin1Char('|') + text);
        },
        &frame);
  }
  // Stored: WEP on, shared authentication, key 2 default, a 13-byte key 1.
  void StoreKeys() {
    AdapterConfig c = Stored();
    c.wepStatus = 0;
    c.authMode = 1;
    c.defaultKeyId = 1;
    c.keys[0].length = 13;
    for (int i = 0; i < 13; ++i) c.keys[0].material[i] = static_cast<uint8_t>(0xA0 + i);
    c.keys[1].length = 5;
    Store(c, kScopeSecurity);
  }
  std::unique_ptr<SecurityPage> page;
  std::vector<QString> warnings;
};

TEST_F(SecurityPageTest, ReloadShowsStoredKeysMaskedInHex) {
  StoreKeys();
  MakePage();
  EXPECT_TRUE(Encryption()->isChecked());
  EXPECT_EQ(List(QStringLiteral("authModeList"))->currentText(),
            QStringLiteral("Shared Authentication"));
  EXPECT_EQ(List(QStringLiteral("keyFormatList"))->currentText(), QStringLiteral("HEX"));
  EXPECT_EQ(page->keyFormat(), kKeyFormatHex);
  EXPECT_EQ(Key(1)->text(), QStringLiteral("A0A1A2A3A4A5A6A7A8A9AAABAC"));
  EXPECT_EQ(SizeList(1)->currentText(), QStringLiteral("128 bits"));
  EXPECT_EQ(Key(1)->maxLength(), 26);
  EXPECT_EQ(Key(3)->text(), QString());
  EXPECT_EQ(SizeList(3)->currentText(), QStringLiteral("64 bits"));
  for (int k = 1; k <= 4; ++k) {
    EXPECT_TRUE(Key(k)->IsMasked()) << k;
    EXPECT_TRUE(Key(k)->hexOnly()) << k;
    EXPECT_EQ(Radio(k)->isChecked(), k == 2) << k;
  }
  // Typing into a masked box empties it first; the character starts the new text.
  Key(1)->setFocus();
  QTest::keyClick(Key(1), Qt::Key_B);
  EXPECT_EQ(Key(1)->text(), QStringLiteral("b"));
  EXPECT_FALSE(Key(1)->IsMasked());
  // The first entry of a list is a selection like any other: key 1 as the default key, and
  // the first key size with its limit.
  Choose(SizeList(2), kKeySize256);
  AdapterConfig c = Stored();
  c.defaultKeyId = 0;
  Store(c, kScopeSecurity);
  page->Reload();
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(Radio(k)->isChecked(), k == 1) << k;
  EXPECT_EQ(SizeList(2)->currentIndex(), kKeySize64);
  EXPECT_EQ(Key(2)->maxLength(), 10);
}

TEST_F(SecurityPageTest, EncryptionBoxEnablesTheKeyGroup) {
  MakePage();  // the default scenario stores WEP off
  EXPECT_FALSE(Encryption()->isChecked());
  EXPECT_FALSE(Key(1)->isEnabled());
  EXPECT_FALSE(Passphrase()->isEnabled());
  EXPECT_FALSE(Button(QStringLiteral("doneButton"))->isEnabled());
  EXPECT_TRUE(List(QStringLiteral("authModeList"))->isEnabled());
  Encryption()->click();
  EXPECT_TRUE(Key(4)->isEnabled());
  EXPECT_TRUE(Radio(1)->isEnabled());
  EXPECT_TRUE(List(QStringLiteral("keyFormatList"))->isEnabled());
}

TEST_F(SecurityPageTest, OnlyARealKeyFormatChangeEmptiesTheBoxes) {
  StoreKeys();
  MakePage();
  Choose(List(QStringLiteral("keyFormatList")), kKeyFormatHex);  // the same format: nothing
  EXPECT_FALSE(Key(1)->text().isEmpty());
  Choose(SizeList(3), kKeySize256);
  Choose(List(QStringLiteral("keyFormatList")), kKeyFormatAscii);
  const int limits[] = {13, 5, 29, 5};
  for (int k = 1; k <= 4; ++k) {
    EXPECT_TRUE(Key(k)->text().isEmpty()) << k;
    EXPECT_EQ(Key(k)->maxLength(), limits[k - 1]) << k;
    EXPECT_FALSE(Key(k)->hexOnly()) << k;
  }
  Key(2)->setText(QStringLiteral("abcde"));
  Choose(List(QStringLiteral("keyFormatList")), kKeyFormatAscii);
  EXPECT_EQ(Key(2)->text(), QStringLiteral("abcde"));
}

TEST_F(SecurityPageTest, KeySizeChangeCutsTheText) {
  MakePage();
  Encryption()->click();
  Choose(SizeList(2), kKeySize256);
  EXPECT_EQ(Key(2)->maxLength(), 58);
  Key(2)->SetMasked(false);
  Key(2)->setText(QString(58, QLatin1Char('7')));
  Choose(SizeList(2), kKeySize64);
  EXPECT_EQ(Key(2)->text(), QString(10, QLatin1Char('7')));
  Choose(SizeList(2), kKeySize128);  // a shorter text stays
  EXPECT_EQ(Key(2)->text(), QString(10, QLatin1Char('7')));
}

TEST_F(SecurityPageTest, DoneFillsAllFourBoxesFromThePassphrase) {
  MakePage();
  Encryption()->click();
  Choose(SizeList(1), kKeySize128);
  const QString before = Key(2)->text();
  Button(QStringLiteral("doneButton"))->click();  // empty passphrase: nothing
  EXPECT_EQ(Key(2)->text(), before);
  EXPECT_EQ(SizeList(2)->currentIndex(), kKeySize64);
  Passphrase()->setText(QStringLiteral("netvane"));
  Button(QStringLiteral("doneButton"))->click();
  const auto keys = GenerateKeysFromPassphrase("netvane", kKeySize128);
  for (int k = 1; k <= 4; ++k) {
    EXPECT_EQ(Key(k)->text(), QString::fromStdString(keys[static_cast<size_t>(k - 1)])) << k;
    EXPECT_EQ(Key(k)->text().size(), 26) << k;
    EXPECT_FALSE(Key(k)->IsMasked()) << k;
    EXPECT_EQ(SizeList(k)->currentIndex(), kKeySize128) << k;
  }
  EXPECT_EQ(Passphrase()->text(), QStringLiteral("netvane"));
}

TEST_F(SecurityPageTest, WarningStopsApplyBeforeAnythingIsSentOrStored) {
  StoreKeys();
  MakePage();
  const AdapterConfig before = Stored();
  Choose(SizeList(2), kKeySize128);
  Key(2)->SetMasked(false);
  Key(2)->setText(QString(20, QLatin1Char('A')));
  QSignalSpy shown(page.get(), &ConfigPage::showPageRequested);
  ClearLog();
  page->Apply();
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0], QStringLiteral("Warning|WEP key 2 size mistake!\n Need 26 characters"));
  EXPECT_TRUE(Sent().empty());
  const AdapterConfig after = Stored();
  EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
  EXPECT_EQ(shown.count(), 0);
  EXPECT_EQ(Key(2)->text().size(), 20);  // the user's text stays for correcting
}

// A stored key whose length fits no size (10 bytes, written by another tool) is shown whole,
// so the length check stops it instead of a cut key going out.
TEST_F(SecurityPageTest, AStoredKeyOfNoSizeIsNeverCutShort) {
  StoreKeys();
  AdapterConfig c = Stored();
  c.defaultKeyId = 0;
  c.keys[0].length = 10;
  Store(c, kScopeSecurity);
  MakePage();
  EXPECT_EQ(Key(1)->text(), QStringLiteral("A0A1A2A3A4A5A6A7A8A9"));
  ClearLog();
  page->Apply();
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_TRUE(warnings[0].startsWith(QStringLiteral("Warning|WEP key 1 size mistake!")));
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(Stored().keys[0].length, 10);
}

TEST_F(SecurityPageTest, EmptyDefaultKeyIsRefusedOthersPass) {
  MakePage();
  Encryption()->click();
  Key(1)->SetMasked(false);
  Key(1)->setText(QStringLiteral("0123456789"));
  Radio(3)->click();
  page->Apply();
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0], QStringLiteral("Warning|WEP key 3 size mistake!\n Need 10 characters"));
  Radio(1)->click();
  page->Apply();
  EXPECT_EQ(warnings.size(), 1u);
  const AdapterConfig after = Stored();
  EXPECT_EQ(after.keys[2].length, 0);
  EXPECT_EQ(after.defaultKeyId, 0);
}

TEST_F(SecurityPageTest, ApplySendsStoresAndShowsTheResultMasked) {
  MakePage();
  QSignalSpy shown(page.get(), &ConfigPage::showPageRequested);
  state.connectingTicks = 3;
  Encryption()->click();
  Choose(List(QStringLiteral("authModeList")), 2);
  Choose(List(QStringLiteral("keyFormatList")), kKeyFormatAscii);
  Key(1)->setText(QStringLiteral("Netva"));
  Radio(1)->click();
  ClearLog();
  page->Apply();
  EXPECT_TRUE(warnings.empty());
  const auto sent = Sent();
  EXPECT_EQ(Count(sent, test::kSetWepStatus), 1);
  EXPECT_EQ(Count(sent, test::kSetAuthMode), 1);
  EXPECT_EQ(Count(sent, test::kSetWepKey), 4);
  EXPECT_EQ(Count(sent, test::kSetScan), 1);
  EXPECT_EQ(Count(sent, test::kSetSsid), 0);  // scope 2: no link group
  const AdapterConfig after = Stored();
  EXPECT_EQ(after.wepStatus, 0);
  EXPECT_EQ(after.authMode, 2);
  EXPECT_EQ(after.defaultKeyId, 0);
  ASSERT_EQ(after.keys[0].length, 5);
  EXPECT_EQ(std::memcmp(after.keys[0].material, "Netva", 5), 0);
  EXPECT_EQ(state.connectingTicks, 0);
  ASSERT_EQ(shown.count(), 1);
  EXPECT_EQ(shown[0][0].toInt(), 0);
  // Reloaded: the ASCII key now shows as HEX, masked, with the format back on HEX.
  EXPECT_EQ(Key(1)->text(), QStringLiteral("4E65747661"));
  EXPECT_TRUE(Key(1)->IsMasked());
  EXPECT_EQ(List(QStringLiteral("keyFormatList"))->currentIndex(), kKeyFormatHex);
}

TEST_F(SecurityPageTest, WithoutEncryptionApplyKeepsTheStoredKeys) {
  StoreKeys();
  MakePage();
  Encryption()->click();  // off
  EXPECT_FALSE(Key(1)->isEnabled());
  Key(1)->setText(QStringLiteral("12"));  // any length passes while WEP is off
  page->Apply();
  EXPECT_TRUE(warnings.empty());
  const AdapterConfig after = Stored();
  EXPECT_EQ(after.wepStatus, 1);
  EXPECT_EQ(after.defaultKeyId, 1);
  EXPECT_EQ(after.keys[0].length, 13);
  EXPECT_EQ(after.keys[0].material[12], 0xAC);
}

TEST_F(SecurityPageTest, CancelRestoresWithoutTouchingAnything) {
  StoreKeys();
  MakePage();
  const AdapterConfig before = Stored();
  Encryption()->click();
  Key(1)->setText(QStringLiteral("FF"));
  ClearLog();
  Button(QStringLiteral("cancelButton"))->click();
  EXPECT_TRUE(Encryption()->isChecked());
  EXPECT_EQ(Key(1)->text().size(), 26);
  EXPECT_TRUE(Key(1)->IsMasked());
  for (const std::string& code : Sent()) {
    EXPECT_TRUE(code != test::kSetWepStatus && code != test::kSetWepKey) << code;
  }
  const AdapterConfig after = Stored();
  EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
}

}  // namespace
}  // namespace nv

namespace nv {
namespace {

// The adapter goes while the real "Warning" box is up: the box and the window both close.
TEST_F(SecurityPageTest, WindowEndingWhileTheWarningIsUpClosesBoth) {
  ConfigDialog dialog;
  dialog.SetPageFactory([this](int index, QWidget* pageFrame) -> ConfigPage* {
    if (index != kPageSecurity) return nullptr;
    return new SecurityPage(io(), state, ShowWarningBox, pageFrame);
  });
  bool boxSeen = false;
  QTimer::singleShot(0, &dialog, [&] {
    auto* security = static_cast<SecurityPage*>(dialog.page(kPageSecurity));
    security->findChild<OwnerDrawButton*>(QStringLiteral("encryptionBox"))->click();
    security->findChild<OwnerDrawButton*>(QStringLiteral("defaultKey1Button"))->click();
    QTimer::singleShot(0, &dialog, [&] {  // runs inside the box's own loop
      boxSeen = dialog.findChild<QMessageBox*>(QStringLiteral("warningBox")) != nullptr;
      dialog.CloseWithPopups();
    });
    security->Apply();  // key 1 empty but default: the Warning
  });
  QTimer failsafe;
  failsafe.setSingleShot(true);
  QObject::connect(&failsafe, &QTimer::timeout, &dialog, [] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* box = qobject_cast<QMessageBox*>(w)) box->done(0);
    }
  });
  failsafe.start(5000);
  dialog.Run();
  QCoreApplication::processEvents();  // the pages go
  EXPECT_TRUE(boxSeen);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.findChild<QMessageBox*>(), nullptr);
  EXPECT_TRUE(failsafe.isActive());  // closed by the window's end, not by the failsafe
}

}  // namespace
}  // namespace nv
