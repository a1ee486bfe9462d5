// The about box, the literature window with its two pictures, the web
// links through the desktop layer, and the licence document command.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "helpers.h"
#include "ui/info/aboutbox.h"
#include "ui/info/literaturewindow.h"
#include "ui/info/infowidgets.h"
#include "ui/info/infowindows.h"

using namespace korvane::ui;
using namespace korvane::ui::testing;
namespace texts = korvane::texts;

namespace {

struct RecordOpens {
    RecordOpens() {
        platform::setRecordOpens(true);
        platform::openedTargets().clear();
    }
    ~RecordOpens() {
        platform::setRecordOpens(false);
        platform::openedTargets().clear();
    }
};

QString labelText(QWidget& w, const char* name) {
    auto* l = w.findChild<QLabel*>(name);
    EXPECT_NE(l, nullptr) << name;
    return l ? l->text() : QString();
}

}  // namespace

TEST(AboutBox, SameTextsInBothLanguages) {
    ScreenGuard screen;
    QWidget owner;  // the window that opens the help windows
    app().screenScale = 1.0;
    for (int lang : {0, 1}) {
        texts::setLanguage(lang);
        const int r = withModal([&] { return showInfoWindow(owner, InfoWindow::About); },
                                [&](QDialog& d) {
                                    EXPECT_EQ(d.windowTitle(), "Info");
                                    EXPECT_EQ(labelText(d, "productName"), "KORVANE");
                                    EXPECT_EQ(labelText(d, "version"), "Version 1.2.0.4");
                                    EXPECT_EQ(labelText(d, "copyright"),
                                              "© 2026 Korvane developers");
                                    EXPECT_EQ(labelText(d, "webLink"),
                                              "https://www.example.org/korvane");
                                    EXPECT_EQ(labelText(d, "clickHint"), "(click to visit)");
                                    EXPECT_EQ(d.size(), QSize(263, 169));
                                    saveShot(d, QString("about_%1").arg(lang));
                                    QTest::mouseClick(d.findChild<QPushButton*>("okButton"),
                                                      Qt::LeftButton);
                                });
        EXPECT_EQ(r, QDialog::Accepted);
    }
}

TEST(AboutBox, LinkOpensTheWebAddressAndCloseBoxRejects) {
    ScreenGuard screen;
    QWidget owner;  // the window that opens the help windows
    RecordOpens rec;
    const int r = withModal([&] { return showInfoWindow(owner, InfoWindow::About); },
                            [](QDialog& d) {
                                auto* link = d.findChild<LinkLabel*>("webLink");
                                ASSERT_NE(link, nullptr);
                                EXPECT_TRUE(link->font().underline());
                                QTest::mouseClick(link, Qt::LeftButton);
                                d.close();
                            });
    EXPECT_EQ(r, QDialog::Rejected);
    EXPECT_EQ(platform::openedTargets(), QStringList{"https://www.example.org/korvane"});
}

TEST(LiteratureWindow, PicturesDecodedAtTheirSizes) {
    ScreenGuard screen;
    LiteratureWindow window;
    ASSERT_FALSE(window.cover()->image().isNull()) << "JPEG support or the picture file is missing";
    ASSERT_FALSE(window.pages()->image().isNull());
    EXPECT_EQ(window.cover()->image().size(), QSize(361, 500));
    EXPECT_EQ(window.pages()->image().size(), QSize(369, 500));
}

TEST(LiteratureWindow, CaptionLabelLinkAndCloseInBothLanguages) {
    ScreenGuard screen;
    QWidget owner;  // the window that opens the help windows
    app().screenScale = 1.0;
    RecordOpens rec;
    for (int lang : {0, 1}) {
        texts::setLanguage(lang);
        const int r = withModal(
            [&] { return showInfoWindow(owner, InfoWindow::Literature); },
            [&](QDialog& d) {
                EXPECT_EQ(d.windowTitle(), lang ? "Book" : "Buch");
                EXPECT_EQ(labelText(d, "infoLabel"),
                          lang ? "More information:" : "Weitere Informationen: ");
                // 913 x 647 grows with the screen beyond its width: the window
                // takes the available desktop less its frame instead.
                EXPECT_EQ(d.size(), QSize(800 - 8, 600 - 32));
                auto* window = qobject_cast<LiteratureWindow*>(&d);
                ASSERT_NE(window, nullptr);
                // Side by side, drawn proportionally.
                QRect r1 = window->cover()->pictureRect(), r2 = window->pages()->pictureRect();
                EXPECT_LT(window->cover()->mapTo(window, r1.topRight()).x(),
                          window->pages()->mapTo(window, r2.topLeft()).x());
                EXPECT_NEAR(double(r1.width()) / r1.height(), 361.0 / 500.0, 0.01);
                EXPECT_NEAR(double(r2.width()) / r2.height(), 369.0 / 500.0, 0.01);
                saveShot(d, QString("literature_%1").arg(lang ? "en" : "de"));
                auto* link = d.findChild<LinkLabel*>("webLink");
                ASSERT_NE(link, nullptr);
                EXPECT_EQ(link->text(), "https://www.example.org/korvane");
                QTest::mouseClick(link, Qt::LeftButton);
                auto* close = d.findChild<QPushButton*>("closeButton");
                EXPECT_EQ(close->text(), "Close");
                EXPECT_EQ(close->size(), QSize(58, 20));  // 80 x 28 by 800/1100
                QTest::mouseClick(close, Qt::LeftButton);
            });
        EXPECT_EQ(r, QDialog::Accepted);
    }
    // The book page is the same in both languages.
    EXPECT_EQ(platform::openedTargets(),
              QStringList({"https://www.example.org/korvane/book.html",
                           "https://www.example.org/korvane/book.html"}));
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<LiteratureWindow*>(w), nullptr) << "made for each use";
}

TEST(LiteratureWindow, NeverLargerThanTheAvailableScreen) {
    // 913 x 647 on a 1280 x 1024 screen would be 1460 x 1104.
    ScreenGuard screen(QSize(1280, 1024), 40);
    app().screenScale = 1.6;
    LiteratureWindow window;
    EXPECT_EQ(window.size(), QSize(1280 - 8, 984 - 32));
    EXPECT_EQ(window.infoLabel()->font().pixelSize(), 17);  // 19 px by round(sqrt(1.6)*800)/1100
}

TEST(Eula, OpensTheDocumentInTheProgramFolder) {
    QTemporaryDir dir;
    RecordOpens rec;
    const QString saved = app().programFolder;
    app().programFolder = dir.path() + "/";
    {
        QFile f(dir.path() + "/KORVANE_EULA.pdf");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("%PDF-1.4\n");
    }
    platform::shownMessages().clear();
    EXPECT_TRUE(openEula());
    EXPECT_EQ(platform::openedTargets(), QStringList{dir.path() + "/KORVANE_EULA.pdf"});
    EXPECT_TRUE(platform::shownMessages().isEmpty());
    app().programFolder = saved;
}

TEST(Eula, MissingDocumentIsReported) {
    QTemporaryDir dir;
    RecordOpens rec;
    const QString saved = app().programFolder;
    app().programFolder = dir.path() + "/";
    platform::shownMessages().clear();
    for (int lang : {0, 1}) {
        texts::setLanguage(lang);
        platform::setNextAnswer(true);
        EXPECT_FALSE(openEula());
    }
    texts::setLanguage(0);
    EXPECT_TRUE(platform::openedTargets().isEmpty());
    ASSERT_EQ(platform::shownMessages().size(), 2);
    EXPECT_TRUE(platform::shownMessages()[0].startsWith("Das Dokument wurde nicht gefunden"));
    EXPECT_TRUE(platform::shownMessages()[1].startsWith("The document was not found"));
    EXPECT_TRUE(platform::shownMessages()[1].endsWith("/KORVANE_EULA.pdf"));
    app().programFolder = saved;
}
