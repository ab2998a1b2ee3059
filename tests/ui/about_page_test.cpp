// The About page against a real wlansim: the versions and the picture, read once per opening;
// without an adapter nothing at all.
#include "ui/about_page.h"
#include "logic/app_state.h"
#include "ui/pages.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFont>
#include <QLabel>
#include <QSignalSpy>

#include "controls/gif_walk.h"
#include "sim_daemon.h"
#include "socket_ports.h"
#include "ui/config_dialog.h"

namespace nv {
namespace {

class AboutPageTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(daemon.running() && ports.io); }
  static QStringList Texts(const AboutPage& page) {
    return {page.driverVersionEdit()->text(), page.firmwareVersionEdit()->text(),
            page.utilityVersionEdit()->text()};
  }
  test::SimDaemon daemon;
  test::SocketPorts ports{daemon};
  QWidget parent;
};

TEST_F(AboutPageTest, ShowsTheVersionsAndThePicture) {
  parent.setFont(QFont(QStringLiteral("DejaVu Sans"), 10));  // a desktop's wider face
  AboutPage page(ports.io.get(), &parent);
  EXPECT_EQ(Texts(page), (QStringList{QStringLiteral("1.0.4.2"), QStringLiteral("1.7.0.3"),
                                      QStringLiteral("1.0.2.3")}));
  for (QLineEdit* box :
       {page.driverVersionEdit(), page.firmwareVersionEdit(), page.utilityVersionEdit()}) {
    EXPECT_FALSE(box->isEnabled());
    EXPECT_EQ(box->alignment(), Qt::AlignCenter);
  }
  const auto* title = page.findChild<QLabel*>(QStringLiteral("aboutTitle"));
  ASSERT_NE(title, nullptr);  // the whole title, in whatever face the system gives it
  EXPECT_GE(title->width(), title->fontMetrics().horizontalAdvance(title->text()));
  AnimatedPicture* picture = page.picture();
  EXPECT_TRUE(picture->IsAnimated());
  EXPECT_EQ(picture->size(), QSize(134, 122));
  QSignalSpy drawn(picture, &AnimatedPicture::frameDrawn);
  ASSERT_TRUE(drawn.count() > 0 || drawn.wait(5000));  // the worker's first frame
  const QImage shown = picture->Snapshot();
  ASSERT_EQ(shown.size(), QSize(134, 122));
  EXPECT_EQ(shown.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);  // drawn: white ground, coloured parts
  EXPECT_NE(shown.pixel(75, 30), shown.pixel(0, 0));   // the signal panel

  // Shown again, the page does not read again: the removed adapter goes unnoticed.
  daemon.Ctl("remove");
  page.hide();
  page.show();
  EXPECT_EQ(page.driverVersionEdit()->text(), QStringLiteral("1.0.4.2"));
}

TEST_F(AboutPageTest, WithoutAnAdapterEverythingStaysEmpty) {
  daemon.Ctl("remove");
  AboutPage page(ports.io.get(), &parent);
  EXPECT_EQ(Texts(page), (QStringList{QString(), QString(), QString()}));
  EXPECT_TRUE(page.picture()->Snapshot().isNull());  // not even loaded
  AboutPage none(nullptr, &parent);
  EXPECT_EQ(Texts(none), (QStringList{QString(), QString(), QString()}));
}

TEST_F(AboutPageTest, EachOpeningOfTheWindowReadsAgain) {
  ConfigDialog dialog;
  AppState state;
  dialog.SetPageFactory(StandardPages(*ports.io, state));
  dialog.OpenPages();
  auto* page = qobject_cast<AboutPage*>(dialog.page(kPageAbout));
  ASSERT_NE(page, nullptr);
  dialog.ShowPage(kPageAbout);
  EXPECT_TRUE(page->isVisible() || !dialog.isVisible());
  EXPECT_EQ(page->firmwareVersionEdit()->text(), QStringLiteral("1.7.0.3"));
  daemon.Ctl("remove");
  dialog.OpenPages();
  page = qobject_cast<AboutPage*>(dialog.page(kPageAbout));
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->firmwareVersionEdit()->text(), QString());
}

// Several frames of one size with waits, one of them cleared to the background (disposal 2),
// so the picture control's work shows.
TEST(AboutPicture, ResourceIsAnAnimatedGif89aOf134By122) {
  QFile file(QStringLiteral(":/GIF/150"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  EXPECT_TRUE(bytes.startsWith("GIF89a"));
  const GifWalk walk = WalkGif(
      {reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())});
  EXPECT_TRUE(walk.clean) << walk.problem;
  EXPECT_GE(walk.frames.size(), 3u);
  EXPECT_EQ(walk.width, 134);
  EXPECT_EQ(walk.height, 122);
  int cleared = 0;
  for (const GifFrame& frame : walk.frames) {
    EXPECT_GT(frame.delay, 0);
    EXPECT_LE(frame.left + frame.width, 134);
    EXPECT_LE(frame.top + frame.height, 122);
    cleared += frame.disposal == 2;
  }
  EXPECT_GE(cleared, 1);
  EXPECT_LT(bytes.size(), 8 * 1024);
}

}  // namespace
}  // namespace nv
