// The six text windows of the help menu: caption and text from the table in
// the current language at every showing, shown from the top, OK / close box.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "helpers.h"
#include "ui/info/infowindows.h"
#include "ui/info/helptextwindows.h"

using namespace korvane::ui;
using namespace korvane::ui::testing;
namespace texts = korvane::texts;

namespace {

struct Case {
    InfoWindow which;
    const char* objectName;
    const texts::TextPair* caption;
    const texts::TextPair* text;
    QSize client;  // on the 800 x 600 design screen
    bool scrollBar;
};

const Case kCases[] = {
    {InfoWindow::WhatItCalculates, "WhatItCalculatesWindow", &texts::help::whatItCalculatesCaption,
     &texts::help::whatItCalculatesText, {489, 324}, true},
    {InfoWindow::DataInputOutput, "DataInputOutputWindow", &texts::help::dataInputOutputCaption, &texts::help::dataInputOutputText,
     {489, 329}, true},
    {InfoWindow::BulkSolidDefaults, "BulkSolidDefaultsWindow", &texts::help::bulkSolidDefaultsCaption,
     &texts::help::bulkSolidDefaultsText, {547, 324}, true},
    {InfoWindow::SiloDefaults, "SiloDefaultsWindow", &texts::help::siloDefaultsCaption,
     &texts::help::siloDefaultsText, {465, 321}, true},
    {InfoWindow::CalculationMethods, "CalculationMethodsWindow", &texts::help::calculationMethodsCaption,
     &texts::help::calculationMethodsText, {547, 324}, true},
    {InfoWindow::FlowProperties, "FlowPropertiesWindow", &texts::help::flowPropertiesCaption,
     &texts::help::flowPropertiesText, {463, 343}, false},
};

class TextWindows : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override { app().screenScale = 1.0; }
    ScreenGuard screen;
    QWidget owner;  // the help windows go with it after each test
};

}  // namespace

TEST_P(TextWindows, CaptionAndTextInBothLanguagesAndOkAccepts) {
    const Case& c = GetParam();
    for (int lang : {0, 1}) {
        texts::setLanguage(lang);
        bool seen = false;
        const int r = withModal(
            [&] { return showInfoWindow(owner, c.which); },
            [&](QDialog& d) {
                EXPECT_EQ(d.objectName(), c.objectName);
                EXPECT_EQ(d.windowTitle(), texts::T(*c.caption, lang));
                auto* view = d.findChild<QPlainTextEdit*>("textView");
                ASSERT_NE(view, nullptr);
                EXPECT_TRUE(view->isReadOnly());
                EXPECT_EQ(view->toPlainText(), normalisedLineBreaks(texts::T(*c.text, lang)));
                if (c.scrollBar) {
                    EXPECT_EQ(view->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
                } else {
                    // No scroll bar: the window has grown until the whole text shows.
                    EXPECT_EQ(view->verticalScrollBar()->maximum(), 0);
                    EXPECT_FALSE(view->verticalScrollBar()->isVisible());
                }
                saveShot(d, QString("text_%1_%2").arg(c.objectName).arg(lang ? "en" : "de"));
                auto* ok = d.findChild<QPushButton*>("okButton");
                ASSERT_NE(ok, nullptr);
                EXPECT_EQ(ok->text(), "OK");
                EXPECT_EQ(ok->size(), QSize(61, 20));
                QTest::mouseClick(ok, Qt::LeftButton);
            },
            &seen);
        EXPECT_TRUE(seen);
        EXPECT_EQ(r, QDialog::Accepted) << "language " << lang;
    }
}

TEST_P(TextWindows, BaseClientSizeOnTheDesignScreen) {
    const Case& c = GetParam();
    withModal([&] { return showInfoWindow(owner, c.which); },
              [&](QDialog& d) {
                  if (c.scrollBar) EXPECT_EQ(d.size(), c.client);
                  else EXPECT_EQ(d.width(), c.client.width());  // grows to its text
                  EXPECT_GE(d.height(), c.client.height());
                  d.accept();
              });
}

TEST_P(TextWindows, CloseBoxReturnsRejected) {
    const Case& c = GetParam();
    const int r = withModal([&] { return showInfoWindow(owner, c.which); },
                            [](QDialog& d) { d.close(); });
    EXPECT_EQ(r, QDialog::Rejected);
}

TEST_P(TextWindows, SecondShowingStartsAtTheTop) {
    const Case& c = GetParam();
    texts::setLanguage(1);
    int maxSeen = 0;
    withModal([&] { return showInfoWindow(owner, c.which); },
              [&](QDialog& d) {
                  auto* view = d.findChild<QPlainTextEdit*>("textView");
                  view->moveCursor(QTextCursor::End);
                  view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
                  maxSeen = view->verticalScrollBar()->value();
                  d.accept();
              });
    withModal([&] { return showInfoWindow(owner, c.which); },
              [&](QDialog& d) {
                  auto* view = d.findChild<QPlainTextEdit*>("textView");
                  EXPECT_EQ(view->verticalScrollBar()->value(), 0);
                  EXPECT_EQ(view->textCursor().position(), 0);
                  d.accept();
              });
    if (c.scrollBar) { EXPECT_GT(maxSeen, 0) << "the text should need scrolling"; }
}

INSTANTIATE_TEST_SUITE_P(AllSix, TextWindows, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& i) {
                             return std::string(i.param.objectName);
                         });

TEST(TextWindowsLanguage, LongLivedWindowTakesTheNewLanguageAtItsNextShowing) {
    ScreenGuard screen;
    QWidget owner;  // the window that opens the help windows
    texts::setLanguage(0);
    QDialog* w = createInfoWindow(owner, InfoWindow::DataInputOutput);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "Dateneingabe und -ausgabe");
    texts::setLanguage(1);
    withModal([&] { return showInfoWindow(owner, InfoWindow::DataInputOutput); },
              [&](QDialog& d) {
                  EXPECT_EQ(&d, w);  // the same window, relabelled
                  EXPECT_EQ(d.windowTitle(), "Data input and output");
                  d.accept();
              });
}

TEST(TextWindowsLanguage, HeadingOfTheFlowPropertiesWindowIsNavyBold) {
    ScreenGuard screen;
    QWidget owner;  // the window that opens the help windows
    app().screenScale = 1.0;
    for (int lang : {0, 1}) {
        texts::setLanguage(lang);
        withModal([&] { return showInfoWindow(owner, InfoWindow::FlowProperties); },
                  [&](QDialog& d) {
                      auto* label = d.findChild<QLabel*>("headingLabel");
                      ASSERT_NE(label, nullptr);
                      EXPECT_EQ(label->text(), lang ? "Bulk solids flow properties"
                                                    : "Schüttgutkennwerte");
                      EXPECT_TRUE(label->font().bold());
                      EXPECT_EQ(label->font().pixelSize(), 17);
                      EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 0, 128));
                      auto* view = d.findChild<QPlainTextEdit*>("textView");
                      EXPECT_GE(view->y(), label->geometry().bottom());
                      d.accept();
                  });
    }
}

TEST(TextWindowsLanguage, WhatThisProgramDoesIsMadeForEachUse) {
    ScreenGuard screen;
    QWidget owner;  // the window that opens the help windows
    withModal([&] { return showInfoWindow(owner, InfoWindow::WhatItCalculates); },
              [](QDialog& d) { d.accept(); });
    EXPECT_EQ(createInfoWindow(owner, InfoWindow::WhatItCalculates), nullptr);
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<WhatItCalculatesWindow*>(w), nullptr) << "left over after use";
}

TEST(TextWindowsScaling, GrowWithTheScreenButStayOnIt) {
    // 1280 x 1024: client 489*1280/800 x 324*1024/600, controls by 1.6.
    ScreenGuard screen(QSize(1280, 1024), 40);
    app().screenScale = 1.6;
    DataInputOutputWindow w;
    EXPECT_EQ(w.width(), 489 * 1280 / 800);
    EXPECT_EQ(w.height(), 329 * 1024 / 600);
    EXPECT_EQ(w.okButton()->size(), QSize(98, 32));  // 61 x 20 scaled by 1.6
    EXPECT_EQ(w.textView()->font().pixelSize(), 18);     // Arial 11 px scaled

    // A wide, low screen: the window is clipped to the available height.
    ScreenGuard low(QSize(1920, 500), 40);
    app().screenScale = 0.79;
    CalculationMethodsWindow window;
    EXPECT_LE(window.height(), 460);
}
