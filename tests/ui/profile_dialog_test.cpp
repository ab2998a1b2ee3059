// The Profile dialog's widgets on their own: opening per mode, the key handlers, "Done".
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest/QTest>
#include <cstring>

#include "controls/hex_key_edit.h"
#include "controls/owner_draw_button.h"
#include "ui/profile_dialog.h"

namespace nv {
namespace {

AdapterConfig Config() {
  AdapterConfig c{};
  std::strcpy(c.ssid, "Office");
  c.bssType = 1;
  c.channel = 1;
  c.wepStatus = 0;
  c.keys[0].length = 13;
  c.keys[0].material[0] = 0xAB;
  return c;
}

template <typename T>
T* Child(QWidget* parent, const QString& name) {
  return parent->findChild<T*>(name);
}

// A user's choice in a list (the list reports it as activated).
void Choose(QComboBox* list, int index) {
  list->setCurrentIndex(index);
  Q_EMIT list->activated(index);
}

// Names and SSIDs are bytes: shown as UTF-8 when they are UTF-8, else as Windows-1252, and
// given back unchanged; a typed name takes the command line's bytes (UTF-8 here).
TEST(ProfileDialog, NamesAndSsidsKeepTheirBytes) {
  const struct {
    std::string bytes;
    QString shown;
    QString typed;         // empty: left as shown
    std::string expected;  // the bytes OK gives back
  } cases[] = {
      {"Caf\xC3\xA9", QStringLiteral("Caf\u00E9"), {}, "Caf\xC3\xA9"},
      {"Caf\xE9", QStringLiteral("Caf\u00E9"), {}, "Caf\xE9"},
      {"\xFF\xFE", QStringLiteral("\u00FF\u00FE"), {}, "\xFF\xFE"},
#ifdef Q_OS_WIN
      {"Caf\xE9", {}, QStringLiteral("B\u00FCro"), "B\xFCro"},
#else
      {"Caf\xE9", {}, QStringLiteral("B\u00FCro"), "B\xC3\xBCro"},
#endif
      {"\x80", QStringLiteral("\u20AC"), {}, "\x80"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    AdapterConfig config = Config();
    std::memset(config.ssid, 0, sizeof config.ssid);
    std::memcpy(config.ssid, c.bytes.data(), c.bytes.size());
    ProfileDialog d(ProfileMode::Connect, config, c.bytes, 0x10, nullptr);
    auto* name = Child<QLineEdit>(&d, QStringLiteral("profileNameEdit"));
    if (!c.shown.isEmpty()) {
      EXPECT_EQ(name->text(), c.shown);
      EXPECT_EQ(Child<QLineEdit>(&d, QStringLiteral("ssidEdit"))->text(), c.shown);
    }
    if (!c.typed.isEmpty()) {
      name->setText(c.typed);
    }
    d.SetWarningSink([](const QString& text) { ADD_FAILURE() << text.toStdString(); });
    d.accept();
    EXPECT_EQ(d.profileName(), c.expected);
    EXPECT_EQ(std::string(d.config().ssid), c.bytes);  // Connect leaves the SSID as it came
  }
}

// Add asks before replacing a stored profile (names ignore case); "No" keeps the dialog open.
TEST(ProfileDialog, AddAsksBeforeReplacing) {
  for (const bool replace : {false, true}) {
    ProfileDialog d(ProfileMode::Add, Config(), std::string(), 0x10, nullptr);
    d.SetNameLookup([](const std::string& asked) -> std::optional<std::string> {
      if (asked == "office") return "Office";
      return std::nullopt;
    });
    QStringList asked;
    d.SetQuestionSink([&](const QString& text) {
      asked << text;
      return replace;
    });
    auto* name = Child<QLineEdit>(&d, QStringLiteral("profileNameEdit"));
    name->setText(QStringLiteral("office"));
    d.accept();
    EXPECT_EQ(asked, QStringList{QStringLiteral("A profile named \"Office\" exists. Replace it?")});
    EXPECT_EQ(d.result(), replace ? QDialog::Accepted : QDialog::Rejected);
    if (replace) {
      EXPECT_EQ(d.profileName(), "Office");  // the stored spelling is kept
    }
  }
}

TEST(ProfileDialog, OpensWithTheConfigurationShown) {
  ProfileDialog d(ProfileMode::Add, Config(), std::string(), 0x31, nullptr);
  EXPECT_EQ(d.windowTitle(), QStringLiteral("Add New Profile"));
  EXPECT_EQ(Child<QLineEdit>(&d, QStringLiteral("profileNameEdit"))->text(),
            QStringLiteral("Office"));
  EXPECT_EQ(Child<OwnerDrawButton>(&d, QStringLiteral("okButton"))->text(), QStringLiteral("OK"));
  auto* channels = Child<QComboBox>(&d, QStringLiteral("channelList"));
  EXPECT_EQ(channels->count(), 2);  // 10 and 11
  EXPECT_EQ(channels->currentIndex(), -1);
  EXPECT_FALSE(channels->isEnabled());  // infrastructure
  Child<QComboBox>(&d, QStringLiteral("bssTypeList"))->setCurrentIndex(0);
  EXPECT_FALSE(channels->isEnabled());  // and stays so
  auto* key1 = Child<HexKeyEdit>(&d, QStringLiteral("key1Edit"));
  EXPECT_EQ(key1->text().size(), 26);
  EXPECT_TRUE(key1->IsMasked());
  EXPECT_EQ(Child<QComboBox>(&d, QStringLiteral("key1SizeList"))->currentIndex(), 1);
  EXPECT_EQ(Child<QComboBox>(&d, QStringLiteral("keyFormatList"))->currentText(),
            QStringLiteral("HEX"));
  auto* encryption = Child<OwnerDrawButton>(&d, QStringLiteral("encryptionCheck"));
  encryption->click();  // off: the key controls go, Auth. Mode stays
  EXPECT_FALSE(key1->isEnabled());
  EXPECT_FALSE(Child<QWidget>(&d, QStringLiteral("doneButton"))->isEnabled());
  EXPECT_TRUE(Child<QWidget>(&d, QStringLiteral("authModeList"))->isEnabled());
  d.accept();
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(d.config().channel, 0);  // no channel selected
  EXPECT_EQ(d.config().wepStatus, 1);
  EXPECT_EQ(d.config().keys[0].length, 13);  // kept while encryption is off
  EXPECT_EQ(d.profileName(), "Office");
}

TEST(ProfileDialog, EnterOnCancelCancelsAndWarningsGoToTheSink) {
  ProfileDialog d(ProfileMode::Add, Config(), std::string(), 0x10, nullptr);
  QStringList warnings;
  d.SetWarningSink([&](const QString& text) { warnings << text; });
  Child<HexKeyEdit>(&d, QStringLiteral("key1Edit"))->setText(QStringLiteral("AB"));
  QTest::keyClick(Child<QLineEdit>(&d, QStringLiteral("ssidEdit")), Qt::Key_Enter);
  EXPECT_EQ(warnings,
            QStringList({QStringLiteral("WEP key 1 size mistake!\n Need 26 characters")}));
  EXPECT_NE(d.result(), QDialog::Accepted);
  auto* cancel = Child<OwnerDrawButton>(&d, QStringLiteral("cancelButton"));
  cancel->setFocus();
  d.show();
  QApplication::setActiveWindow(&d);
  cancel->setFocus();
  QTest::keyClick(&d, Qt::Key_Return);
  EXPECT_EQ(d.result(), QDialog::Rejected);
  EXPECT_EQ(d.config().keys[0].length, 13);  // the caller's record as it was
}

TEST(ProfileDialog, KeyFormatAndSizeHandlers) {
  ProfileDialog d(ProfileMode::Properties, Config(), std::string("Home"), 0x10, nullptr);
  EXPECT_EQ(d.windowTitle(), QStringLiteral("Profile: Home"));
  auto* key1 = Child<HexKeyEdit>(&d, QStringLiteral("key1Edit"));
  auto* size1 = Child<QComboBox>(&d, QStringLiteral("key1SizeList"));
  Choose(size1, 2);
  key1->setText(QString(58, QLatin1Char('A')));
  Choose(size1, 0);  // 256 to 64 bits in HEX: cut to 10 digits
  EXPECT_EQ(key1->text(), QString(10, QLatin1Char('A')));
  EXPECT_EQ(key1->maxLength(), 10);
  Choose(Child<QComboBox>(&d, QStringLiteral("keyFormatList")), 0);  // "ASC II"
  EXPECT_TRUE(key1->text().isEmpty());
  EXPECT_EQ(key1->maxLength(), 5);
  EXPECT_FALSE(key1->hexOnly());
  EXPECT_EQ(Child<HexKeyEdit>(&d, QStringLiteral("key2Edit"))->maxLength(), 5);
}

// The key group the Security page shares: "Done" fills the boxes in HEX, shown, and leaves
// their hex filters as they were.
TEST(ProfileDialog, DoneGeneratesReadableKeys) {
  ProfileDialog d(ProfileMode::Connect, Config(), std::string("Home"), 0x10, nullptr);
  EXPECT_EQ(d.windowTitle(), QStringLiteral("Connect: Home"));
  Choose(Child<QComboBox>(&d, QStringLiteral("keyFormatList")), 0);
  d.GenerateKeys();  // empty passphrase: nothing
  EXPECT_TRUE(Child<HexKeyEdit>(&d, QStringLiteral("key1Edit"))->text().isEmpty());
  Child<QLineEdit>(&d, QStringLiteral("passphraseEdit"))->setText(QStringLiteral("secret"));
  d.GenerateKeys();  // key 1's size: 128 bits
  for (int i = 1; i <= 4; ++i) {
    auto* key = Child<HexKeyEdit>(&d, QStringLiteral("key%1Edit").arg(i));
    EXPECT_EQ(key->text().size(), 26) << i;
    EXPECT_FALSE(key->IsMasked());
    EXPECT_FALSE(key->hexOnly()) << i;  // as "ASC II" left it
    EXPECT_EQ(Child<QComboBox>(&d, QStringLiteral("key%1SizeList").arg(i))->currentIndex(), 1);
  }
  EXPECT_EQ(Child<QComboBox>(&d, QStringLiteral("keyFormatList"))->currentIndex(), 1);
  const QString first = Child<HexKeyEdit>(&d, QStringLiteral("key1Edit"))->text();
  QTest::keyClick(Child<QLineEdit>(&d, QStringLiteral("passphraseEdit")), Qt::Key_Return);
  EXPECT_EQ(d.result(), QDialog::Accepted);  // Enter in a box is OK
  EXPECT_EQ(d.config().keys[0].length, 13);
  EXPECT_EQ(
      QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(d.config().keys[0].material), 13)
                              .toHex()
                              .toUpper()),
      first);
}

// A list's first entry is a selection like any other; no radio checked keeps the default
// key the dialog opened with.
TEST(ProfileDialog, FirstEntriesAndTheDefaultKeyFallback) {
  AdapterConfig c = Config();
  c.bssType = 0;
  c.channel = 10;        // the first of domain 0x31's channels
  c.keys[0].length = 5;  // the first key size
  c.defaultKeyId = 2;
  ProfileDialog d(ProfileMode::Properties, c, std::string("Home"), 0x31, nullptr);
  EXPECT_EQ(Child<QComboBox>(&d, QStringLiteral("channelList"))->currentIndex(), 0);
  EXPECT_EQ(Child<HexKeyEdit>(&d, QStringLiteral("key1Edit"))->maxLength(), 10);
  for (int i = 1; i <= 4; ++i) {
    Child<OwnerDrawButton>(&d, QStringLiteral("defaultKey%1Button").arg(i))->SetChecked(false);
  }
  Child<OwnerDrawButton>(&d, QStringLiteral("encryptionCheck"))->click();
  d.accept();
  ASSERT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(d.config().channel, 10);
  EXPECT_EQ(d.config().defaultKeyId, 2);
}

}  // namespace
}  // namespace nv
