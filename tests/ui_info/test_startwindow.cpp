// The start window and the program's start: language choice, the
// conditions of use, accept / cancel / Escape / close box, and what runs after.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "helpers.h"
#include "ui/info/infoscaling.h"
#include "ui/info/infowindows.h"
#include "ui/info/startwindow.h"
#include "ui/info/startup.h"
#include "ui/info/helptextwindows.h"
#include "ui/main/mainwindow.h"

using namespace korvane::ui;
using namespace korvane::ui::testing;
namespace texts = korvane::texts;

namespace {

QPushButton* button(QWidget& w, const char* name) {
    auto* b = w.findChild<QPushButton*>(name);
    EXPECT_NE(b, nullptr) << name;
    return b;
}

class StartWindowTest : public ::testing::Test {
protected:
    void SetUp() override { texts::setLanguage(0); }
    ScreenGuard screen;
};

}  // namespace

TEST_F(StartWindowTest, BeforeChoosingOnlyTheLanguageChoiceShows) {
    StartWindow window;
    window.show();
    EXPECT_EQ(window.windowTitle(), "KORVANE");
    auto* label = window.findChild<QLabel*>("languagePrompt");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "Bitte Sprache wählen / Please select language:");
    EXPECT_TRUE(button(window, "englishButton")->isVisible());
    EXPECT_TRUE(button(window, "germanButton")->isVisible());
    EXPECT_EQ(button(window, "englishButton")->text(), "English");
    EXPECT_EQ(button(window, "germanButton")->text(), "Deutsch");
    // "English" above "Deutsch"
    EXPECT_LT(button(window, "englishButton")->y(), button(window, "germanButton")->y());
    EXPECT_FALSE(window.findChild<QPlainTextEdit*>("conditionsView")->isVisible());
    EXPECT_FALSE(button(window, "acceptButton")->isVisible());
    EXPECT_FALSE(button(window, "cancelButton")->isVisible());
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
    saveShot(window, "start_choice");
}

TEST_F(StartWindowTest, EnglishButtonShowsTheEnglishConditions) {
    StartWindow window;
    window.show();
    QTest::mouseClick(button(window, "englishButton"), Qt::LeftButton);
    EXPECT_EQ(texts::language(), 1);
    EXPECT_EQ(window.windowTitle(), "KORVANE  -  LICENCE");
    EXPECT_EQ(button(window, "acceptButton")->text(), "I agree.");
    EXPECT_EQ(button(window, "cancelButton")->text(), "CANCEL");
    auto* conditions = window.findChild<QPlainTextEdit*>("conditionsView");
    EXPECT_TRUE(conditions->isVisible());
    EXPECT_TRUE(conditions->isReadOnly());
    EXPECT_EQ(conditions->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(conditions->toPlainText(), normalisedLineBreaks(texts::T(texts::start::conditionsText, 1)));
    // The conditions cover the language choice.
    EXPECT_TRUE(conditions->geometry().contains(button(window, "englishButton")->geometry()));
    EXPECT_TRUE(conditions->geometry().contains(button(window, "germanButton")->geometry()));
    QWidget* top = window.childAt(button(window, "englishButton")->geometry().center());
    EXPECT_TRUE(top == conditions || conditions->isAncestorOf(top));
    EXPECT_TRUE(button(window, "acceptButton")->isDefault());
    saveShot(window, "start_en");
}

TEST_F(StartWindowTest, GermanButtonShowsTheGermanConditions) {
    texts::setLanguage(1);
    StartWindow window;
    window.show();
    QTest::mouseClick(button(window, "germanButton"), Qt::LeftButton);
    EXPECT_EQ(texts::language(), 0);
    EXPECT_EQ(window.windowTitle(), "KORVANE  -  Nutzungsbedingungen");
    EXPECT_EQ(button(window, "acceptButton")->text(), "Ich stimme zu.");
    EXPECT_EQ(button(window, "cancelButton")->text(), "ABBRUCH");
    EXPECT_EQ(window.findChild<QPlainTextEdit*>("conditionsView")->toPlainText(),
              normalisedLineBreaks(texts::T(texts::start::conditionsText, 0)));
    saveShot(window, "start_de");
}

TEST_F(StartWindowTest, AcceptSetsTheSwitchAndHides) {
    StartWindow window;
    window.show();
    conditionsAccepted = false;
    QTest::mouseClick(button(window, "germanButton"), Qt::LeftButton);
    QTest::mouseClick(button(window, "acceptButton"), Qt::LeftButton);
    EXPECT_TRUE(conditionsAccepted);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(StartWindowTest, CancelEscapeAndCloseBoxHideWithoutAcceptance) {
    {
        StartWindow window;
        window.show();
        conditionsAccepted = false;
        QTest::mouseClick(button(window, "englishButton"), Qt::LeftButton);
        QTest::mouseClick(button(window, "cancelButton"), Qt::LeftButton);
        EXPECT_FALSE(conditionsAccepted);
        EXPECT_FALSE(window.isVisible());
    }
    {
        StartWindow window;  // Escape before a language is chosen
        window.show();
        conditionsAccepted = false;
        QTest::keyClick(&window, Qt::Key_Escape);
        EXPECT_FALSE(conditionsAccepted);
        EXPECT_FALSE(window.isVisible());
    }
    {
        StartWindow window;  // Escape with the conditions shown
        window.show();
        conditionsAccepted = false;
        QTest::mouseClick(button(window, "englishButton"), Qt::LeftButton);
        QTest::keyClick(button(window, "acceptButton"), Qt::Key_Escape);
        EXPECT_FALSE(conditionsAccepted);
        EXPECT_FALSE(window.isVisible());
    }
    {
        StartWindow window;  // title bar's close box
        window.show();
        conditionsAccepted = false;
        window.close();
        EXPECT_FALSE(conditionsAccepted);
        EXPECT_FALSE(window.isVisible());
    }
}

TEST_F(StartWindowTest, ScalesWithTheScreenFactor) {
    {
        ScreenGuard s(QSize(1280, 1024));  // screen scale 1.6
        StartWindow window;
        EXPECT_DOUBLE_EQ(app().screenScale, 1.6);
        EXPECT_EQ(window.size(), QSize(926, 672));  // 579 x 420 by 1.6
        EXPECT_EQ(button(window, "englishButton")->size(), QSize(706, 117));
        EXPECT_EQ(button(window, "englishButton")->font().pixelSize(), 34);  // 21 px
    }
    {
        ScreenGuard s(QSize(1920, 1080));  // wide: 0.95 * 1080 / 600 = 1.71
        StartWindow window;
        EXPECT_NEAR(app().screenScale, 1.71, 1e-12);
        EXPECT_EQ(window.size(), QSize(990, 718));
    }
    {
        ScreenGuard s(QSize(800, 600));
        StartWindow window;
        EXPECT_EQ(window.size(), QSize(579, 420));
        EXPECT_EQ(window.findChild<QPlainTextEdit*>("conditionsView")->size(), QSize(527, 348));
    }
}

// ---- the program's start -------------------------------------------------

namespace {

// A stand-in for the main window that counts its showings.
class FakeMain : public QWidget {
public:
    int shows = 0;
protected:
    void showEvent(QShowEvent* e) override {
        ++shows;
        QWidget::showEvent(e);
    }
};

struct StartRun {
    int code = -1;
    bool mainShown = false;
    FakeMain* main = nullptr;
    QRect mainGeometry;
};

StartRun runWith(const std::function<void(StartWindow&)>& drive) {
    StartRun run;
    StartHooks hooks;
    hooks.createMainWindow = [&run]() -> QWidget* {
        run.main = new FakeMain;
        return run.main;
    };
    hooks.startWindowShown = [&](StartWindow& window) {
        // Driven from the event loop that waits for the start window.
        QTimer::singleShot(0, &window, [&window, drive] { drive(window); });
    };
    hooks.mainWindowShown = [&run](QWidget& w) {
        run.mainShown = true;
        run.mainGeometry = w.geometry();
        QTimer::singleShot(0, &w, [&w] { w.close(); });  // ends the main loop
    };
    run.code = runProgram(*qApp, hooks);
    return run;
}

}  // namespace

TEST_F(StartWindowTest, ProgramEndsWhenTheMainWindowCannotBeCreated) {
    StartHooks hooks;
    bool startWindowShown = false;
    hooks.createMainWindow = []() -> QWidget* { return nullptr; };
    hooks.startWindowShown = [&](StartWindow& window) {
        startWindowShown = true;
        window.close();
    };
    EXPECT_EQ(runProgram(*qApp, hooks), 1);
    EXPECT_FALSE(startWindowShown);
}

TEST_F(StartWindowTest, ProgramEndsOnCancelEscapeOrCloseBox) {
    const std::function<void(StartWindow&)> ways[] = {
        [](StartWindow& window) {
            QTest::mouseClick(window.findChild<QPushButton*>("englishButton"), Qt::LeftButton);
            QTest::mouseClick(window.findChild<QPushButton*>("cancelButton"), Qt::LeftButton);
        },
        [](StartWindow& window) { QTest::keyClick(&window, Qt::Key_Escape); },
        [](StartWindow& window) { window.close(); },
    };
    for (const auto& way : ways) {
        StartRun run = runWith(way);
        EXPECT_EQ(run.code, 0);
        EXPECT_FALSE(run.mainShown);
        EXPECT_FALSE(conditionsAccepted);
    }
}

TEST_F(StartWindowTest, AcceptRunsTheMainWindowMaximisedInTheChosenLanguage) {
    ScreenGuard s(QSize(1280, 1024), 40);
    StartRun run = runWith([](StartWindow& window) {
        QTest::mouseClick(window.findChild<QPushButton*>("englishButton"), Qt::LeftButton);
        QTest::mouseClick(window.findChild<QPushButton*>("acceptButton"), Qt::LeftButton);
    });
    EXPECT_EQ(run.code, 0);
    EXPECT_TRUE(run.mainShown);
    EXPECT_TRUE(conditionsAccepted);
    EXPECT_EQ(texts::language(), 1);
    // Maximised by the window manager; un-maximised (and without one) the
    // window with its frame fills the screen minus the task bar.
    EXPECT_EQ(run.mainGeometry.size() + typicalFrameExtra(), QSize(1280, 984));
}

TEST_F(StartWindowTest, LongLivedWindowsExistWhileTheStartWindowWaits) {
    bool checked = false;
    QPointer<QDialog> dataInputOutput;
    runWith([&](StartWindow& window) {
        // The help windows belong to the main window.
        FakeMain* main = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* m = dynamic_cast<FakeMain*>(w)) main = m;
        ASSERT_NE(main, nullptr);
        auto owned = [main](InfoWindow w) { return existingInfoWindow(*main, w); };
        for (InfoWindow w : {InfoWindow::BulkSolidDefaults, InfoWindow::CalculationMethods,
                             InfoWindow::SiloDefaults, InfoWindow::DataInputOutput,
                             InfoWindow::About, InfoWindow::FlowProperties})
            EXPECT_NE(owned(w), nullptr) << int(w);
        // Made for each use only.
        EXPECT_EQ(owned(InfoWindow::WhatItCalculates), nullptr);
        EXPECT_EQ(owned(InfoWindow::Literature), nullptr);
        // Shown before any language was chosen: German.
        EXPECT_EQ(owned(InfoWindow::DataInputOutput)->windowTitle(),
                  "Dateneingabe und -ausgabe");
        dataInputOutput = owned(InfoWindow::DataInputOutput);
        checked = true;
        window.close();
    });
    EXPECT_TRUE(checked);
    EXPECT_EQ(dataInputOutput.data(), nullptr) << "destroyed at the end";
}

TEST_F(StartWindowTest, RealMainWindowRunsAfterAcceptance) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    StartHooks hooks;
    MainWindow* mainWindow = nullptr;
    int activations = -1;
    hooks.createMainWindow = [&]() -> QWidget* {
        mainWindow = new MainWindow;
        if (!mainWindow->initialize(dir.path() + "/", dir.path() + "/docs/")) {
            delete mainWindow;
            return nullptr;
        }
        return mainWindow;
    };
    hooks.startWindowShown = [](StartWindow& window) {
        QTimer::singleShot(0, &window, [&window] {
            QTest::mouseClick(window.findChild<QPushButton*>("germanButton"), Qt::LeftButton);
            QTest::mouseClick(window.findChild<QPushButton*>("acceptButton"), Qt::LeftButton);
        });
    };
    hooks.mainWindowShown = [&](QWidget& w) {
        QTimer::singleShot(50, &w, [&] {
            activations = mainWindow->activationCount();
            saveShot(*mainWindow, "main_after_start");
            mainWindow->close();
        });
    };
    EXPECT_EQ(runProgram(*qApp, hooks), 0);
    EXPECT_GE(activations, 1) << "the first showing runs the first calculation";
}

TEST_F(StartWindowTest, EditorWindowsFollowTheHelpWindowsBeforeTheStartWindowShows) {
    StartHooks hooks;
    QWidget* main = nullptr;
    QWidget* owner = nullptr;
    bool helpWindowsThere = false, startWindowShown = false, editorsBeforeStart = false;
    hooks.createMainWindow = [&]() -> QWidget* { return main = new FakeMain; };
    hooks.createEditorWindows = [&](QWidget& w) {
        owner = &w;
        helpWindowsThere = existingInfoWindow(w, InfoWindow::About) &&
                           existingInfoWindow(w, InfoWindow::FlowProperties) &&
                           existingInfoWindow(w, InfoWindow::BulkSolidDefaults);
        editorsBeforeStart = !startWindowShown;
    };
    hooks.startWindowShown = [&](StartWindow& window) {
        startWindowShown = true;
        QTimer::singleShot(0, &window, [&window] { window.close(); });
    };
    EXPECT_EQ(runProgram(*qApp, hooks), 0);
    EXPECT_EQ(owner, main);
    EXPECT_TRUE(helpWindowsThere);
    EXPECT_TRUE(editorsBeforeStart);
}
