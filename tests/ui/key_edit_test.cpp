#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QTest>

#include "controls/edit_ex.h"
#include "controls/hex_key_edit.h"
#include "pixel_support.h"

namespace nv {
namespace {

const QString kStored = QStringLiteral("0123456789");

std::unique_ptr<HexKeyEdit> MaskedBox(bool hexOnly) {
  auto box = std::make_unique<HexKeyEdit>();
  box->SetHexOnly(hexOnly);
  box->setText(kStored);
  box->SetMasked(true);
  return box;
}

TEST(HexKeyEdit, FirstAcceptedKeystrokeEmptiesAndUnmasksAMaskedBox) {
  struct Row {
    bool hexOnly;
    QChar key;
    QString text;  // after the keystroke
    bool masked;
  };
  for (const Row& row :
       {Row{true, QLatin1Char('g'), kStored, true}, Row{true, QLatin1Char(' '), kStored, true},
        Row{true, QLatin1Char('A'), QStringLiteral("A"), false},
        Row{true, QLatin1Char('f'), QStringLiteral("f"), false},
        Row{false, QLatin1Char('!'), QStringLiteral("!"), false},
        Row{false, QLatin1Char('g'), QStringLiteral("g"), false}}) {
    auto box = MaskedBox(row.hexOnly);
    QTest::keyClicks(box.get(), QString(row.key));
    EXPECT_EQ(box->text(), row.text) << row.key.toLatin1();
    EXPECT_EQ(box->IsMasked(), row.masked) << row.key.toLatin1();
  }
  auto box = MaskedBox(true);
  EXPECT_EQ(box->displayText(), QString(kStored.size(), QLatin1Char('*')));
  QTest::keyClicks(box.get(), QStringLiteral("xyz1a-2"));
  EXPECT_EQ(box->text(), QStringLiteral("1a2"));
  EXPECT_EQ(box->displayText(), QStringLiteral("1a2")) << "shown in clear from then on";
}

TEST(HexKeyEdit, BackspaceDeleteAndUndoNeverRevealAStoredKey) {
  // Deletes of a character or a word, either way.
  for (const auto modifier : {Qt::NoModifier, Qt::ControlModifier}) {
    for (const auto key : {Qt::Key_Backspace, Qt::Key_Delete}) {
      auto box = MaskedBox(true);
      box->setCursorPosition(5);
      QTest::keyClick(box.get(), key, modifier);
      EXPECT_EQ(box->text(), QString()) << key << modifier;
      EXPECT_FALSE(box->IsMasked()) << key << modifier;
    }
  }
  auto box = MaskedBox(true);
  QTest::keyClicks(box.get(), QStringLiteral("A"));
  QTest::keyClick(box.get(), Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(box.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_NE(box->text(), kStored) << "undo must not bring the stored key back in clear";
}

// An input method's commit: filtered like typing, and never taken by a read-only box.
TEST(HexKeyEdit, InputMethodCommits) {
  for (const bool readOnly : {false, true}) {
    for (const QString& commit : {QStringLiteral("g"), QStringLiteral("A")}) {
      auto box = MaskedBox(true);
      box->setReadOnly(readOnly);
      QInputMethodEvent event;
      event.setCommitString(commit);
      QApplication::sendEvent(box.get(), &event);
      const bool taken = !readOnly && commit == QStringLiteral("A");
      EXPECT_EQ(box->text(), taken ? commit : kStored) << readOnly << commit.toStdString();
      EXPECT_EQ(box->IsMasked(), !taken) << readOnly << commit.toStdString();
    }
  }
}

TEST(HexKeyEdit, ControlCharactersAndForeignLettersAreDropped) {
  for (const bool hexOnly : {true, false}) {
    HexKeyEdit box;
    box.SetHexOnly(hexOnly);
    box.setText(QStringLiteral("12"));
    for (const QString& typed :
         {QStringLiteral("\x07"), QStringLiteral("\t"), QStringLiteral("\u00e9")}) {
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, typed);
      QApplication::sendEvent(&box, &press);
    }
    EXPECT_EQ(box.text(), QStringLiteral("12")) << hexOnly;
  }
}

TEST(HexKeyEdit, PasteTakesOnlyTheAcceptedCharacters) {
  struct Row {
    bool hexOnly;
    bool masked;
    QString clipboard;
    QString text;
    bool maskedAfter;
  };
  for (const Row& row :
       {Row{true, false, QStringLiteral("12 zz-AB\n"), QStringLiteral("012AB1"), false},
        Row{false, false, QStringLiteral("a b\tc\n"), QStringLiteral("0a bc1"), false},
        Row{true, true, QStringLiteral("zz\n"), kStored, true},
        Row{true, true, QStringLiteral("1f"), QStringLiteral("1f"), false}}) {
    HexKeyEdit box;
    box.SetHexOnly(row.hexOnly);
    box.setText(row.masked ? kStored : QStringLiteral("01"));
    box.SetMasked(row.masked);
    box.setCursorPosition(1);
    QGuiApplication::clipboard()->setText(row.clipboard);
    QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box.text(), row.text) << row.clipboard.toStdString();
    EXPECT_EQ(box.IsMasked(), row.maskedAfter) << row.clipboard.toStdString();
  }
  HexKeyEdit limited;
  limited.SetHexOnly(true);
  limited.SetLimit(10);
  QGuiApplication::clipboard()->setText(QString(26, QLatin1Char('a')));
  limited.PasteFiltered();
  EXPECT_EQ(limited.text(), QString(10, QLatin1Char('a')));
}

// The key box shares the colours (its '*' mask must not get in their way).
TEST(CEditEx, PaintsItsOwnTextAndBackgroundColours) {
  CEditEx plain;
  HexKeyEdit key;
  for (CEditEx* edit : {&plain, static_cast<CEditEx*>(&key)}) {
    edit->setText(QStringLiteral("BBBB"));
    edit->resize(120, 24);
    const QColor fresh = edit->palette().color(QPalette::Active, QPalette::Text);
    EXPECT_EQ(edit->SetTextColour(QColor(255, 0, 0)), fresh);
    EXPECT_EQ(edit->SetTextColour(QColor(255, 0, 0)), QColor(255, 0, 0));
    edit->SetBackgroundColour(QColor(0, 0, 255));
    QFont f = edit->font();
    f.setStyleStrategy(QFont::NoAntialias);
    edit->setFont(f);
    for (const bool readOnly : {false, true}) {
      edit->setReadOnly(readOnly);
      const QImage image = edit->grab().toImage();
      EXPECT_EQ(image.pixelColor(100, 12), QColor(0, 0, 255)) << readOnly;
      EXPECT_GT(test::CountPixels(image, QColor(255, 0, 0)), 10) << readOnly;
    }
  }
  key.SetMasked(true);
  EXPECT_EQ(key.displayText(), QStringLiteral("****"));
  EXPECT_GT(test::CountPixels(key.grab().toImage(), QColor(255, 0, 0)), 4);
}

}  // namespace
}  // namespace nv
