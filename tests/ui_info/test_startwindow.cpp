// The start window and the program's start: language choice, the
// conditions of use, accept / cancel / Escape / close box, and what runs after.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
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
namespace tk = korvane::tkonst;

namespace {

QPushButton* button(QWidget& w, const char* name) {
    auto* b = w.findChild<QPushButton*>(name);
    EXPECT_NE(b, nullptr) << name;
    return b;
}

class StartWindowTest : public ::testing::Test {
protected:
    void SetUp() override { tk::setSprache(0); }
    ScreenGuard screen;
};

}  // namespace

TEST_F(StartWindowTest, BeforeChoosingOnlyTheLanguageChoiceShows) {
    StartWindow f;
    f.show();
    EXPECT_EQ(f.windowTitle(), "KORVANE");
    auto* label = f.findChild<QLabel*>("Label1");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "Bitte Sprache wählen / Please select language:");
    EXPECT_TRUE(button(f, "EnglishButton")->isVisible());
    EXPECT_TRUE(button(f, "DeutschButton")->isVisible());
    EXPECT_EQ(button(f, "EnglishButton")->text(), "English");
    EXPECT_EQ(button(f, "DeutschButton")->text(), "Deutsch");
    // "English" above "Deutsch"
    EXPECT_LT(button(f, "EnglishButton")->y(), button(f, "DeutschButton")->y());
    EXPECT_FALSE(f.findChild<QPlainTextEdit*>("Bedingungen")->isVisible());
    EXPECT_FALSE(button(f, "AcceptButton")->isVisible());
    EXPECT_FALSE(button(f, "CancelButton")->isVisible());
    EXPECT_TRUE(f.windowFlags() & Qt::WindowStaysOnTopHint);
    saveShot(f, "splash_choice");
}

TEST_F(StartWindowTest, EnglishShowsTheEnglishConditions) {
    StartWindow f;
    f.show();
    QTest::mouseClick(button(f, "EnglishButton"), Qt::LeftButton);
    EXPECT_EQ(tk::sprache(), 1);
    EXPECT_EQ(f.windowTitle(), "KORVANE  -  LICENCE");
    EXPECT_EQ(button(f, "AcceptButton")->text(), "I agree.");
    EXPECT_EQ(button(f, "CancelButton")->text(), "CANCEL");
    auto* memo = f.findChild<QPlainTextEdit*>("Bedingungen");
    EXPECT_TRUE(memo->isVisible());
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(memo->toPlainText(), memoText(tk::T(tk::Bedingungen, 1)));
    // The conditions cover the language choice.
    EXPECT_TRUE(memo->geometry().contains(button(f, "EnglishButton")->geometry()));
    EXPECT_TRUE(memo->geometry().contains(button(f, "DeutschButton")->geometry()));
    QWidget* top = f.childAt(button(f, "EnglishButton")->geometry().center());
    EXPECT_TRUE(top == memo || memo->isAncestorOf(top));
    EXPECT_TRUE(button(f, "AcceptButton")->isDefault());
    saveShot(f, "splash_en");
}

TEST_F(StartWindowTest, DeutschShowsTheGermanConditions) {
    tk::setSprache(1);
    StartWindow f;
    f.show();
    QTest::mouseClick(button(f, "DeutschButton"), Qt::LeftButton);
    EXPECT_EQ(tk::sprache(), 0);
    EXPECT_EQ(f.windowTitle(), "KORVANE  -  Nutzungsbedingungen");
    EXPECT_EQ(button(f, "AcceptButton")->text(), "Ich stimme zu.");
    EXPECT_EQ(button(f, "CancelButton")->text(), "ABBRUCH");
    EXPECT_EQ(f.findChild<QPlainTextEdit*>("Bedingungen")->toPlainText(),
              memoText(tk::T(tk::Bedingungen, 0)));
    saveShot(f, "splash_de");
}

TEST_F(StartWindowTest, AcceptSetsTheSwitchAndHides) {
    StartWindow f;
    f.show();
    Bedingungenakzeptiert = false;
    QTest::mouseClick(button(f, "DeutschButton"), Qt::LeftButton);
    QTest::mouseClick(button(f, "AcceptButton"), Qt::LeftButton);
    EXPECT_TRUE(Bedingungenakzeptiert);
    EXPECT_FALSE(f.isVisible());
}

TEST_F(StartWindowTest, CancelEscapeAndCloseBoxHideWithoutAcceptance) {
    {
        StartWindow f;
        f.show();
        Bedingungenakzeptiert = false;
        QTest::mouseClick(button(f, "EnglishButton"), Qt::LeftButton);
        QTest::mouseClick(button(f, "CancelButton"), Qt::LeftButton);
        EXPECT_FALSE(Bedingungenakzeptiert);
        EXPECT_FALSE(f.isVisible());
    }
    {
        StartWindow f;  // Escape before a language is chosen
        f.show();
        Bedingungenakzeptiert = false;
        QTest::keyClick(&f, Qt::Key_Escape);
        EXPECT_FALSE(Bedingungenakzeptiert);
        EXPECT_FALSE(f.isVisible());
    }
    {
        StartWindow f;  // Escape with the conditions shown
        f.show();
        Bedingungenakzeptiert = false;
        QTest::mouseClick(button(f, "EnglishButton"), Qt::LeftButton);
        QTest::keyClick(button(f, "AcceptButton"), Qt::Key_Escape);
        EXPECT_FALSE(Bedingungenakzeptiert);
        EXPECT_FALSE(f.isVisible());
    }
    {
        StartWindow f;  // title bar's close box
        f.show();
        Bedingungenakzeptiert = false;
        f.close();
        EXPECT_FALSE(Bedingungenakzeptiert);
        EXPECT_FALSE(f.isVisible());
    }
}

TEST_F(StartWindowTest, ScalesWithTheScreenFactor) {
    {
        ScreenGuard s(QSize(1280, 1024));  // Skalierung 1.6
        StartWindow f;
        EXPECT_DOUBLE_EQ(app().screenScale, 1.6);
        EXPECT_EQ(f.size(), QSize(926, 672));  // 579 x 420 by 1.6
        EXPECT_EQ(button(f, "EnglishButton")->size(), QSize(706, 117));
        EXPECT_EQ(button(f, "EnglishButton")->font().pixelSize(), 34);  // 21 px
    }
    {
        ScreenGuard s(QSize(1920, 1080));  // wide: 0.95 * 1080 / 600 = 1.71
        StartWindow f;
        EXPECT_NEAR(app().screenScale, 1.71, 1e-12);
        EXPECT_EQ(f.size(), QSize(990, 718));
    }
    {
        ScreenGuard s(QSize(800, 600));
        StartWindow f;
        EXPECT_EQ(f.size(), QSize(579, 420));
        EXPECT_EQ(f.findChild<QPlainTextEdit*>("Bedingungen")->size(), QSize(527, 348));
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
    hooks.startWindowShown = [&](StartWindow& f) {
        // Driven from the event loop that waits for the start window.
        QTimer::singleShot(0, &f, [&f, drive] { drive(f); });
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
    bool splash = false;
    hooks.createMainWindow = []() -> QWidget* { return nullptr; };
    hooks.startWindowShown = [&](StartWindow& f) {
        splash = true;
        f.close();
    };
    EXPECT_EQ(runProgram(*qApp, hooks), 1);
    EXPECT_FALSE(splash);
}

TEST_F(StartWindowTest, ProgramEndsOnCancelEscapeOrCloseBox) {
    const std::function<void(StartWindow&)> ways[] = {
        [](StartWindow& f) {
            QTest::mouseClick(f.findChild<QPushButton*>("EnglishButton"), Qt::LeftButton);
            QTest::mouseClick(f.findChild<QPushButton*>("CancelButton"), Qt::LeftButton);
        },
        [](StartWindow& f) { QTest::keyClick(&f, Qt::Key_Escape); },
        [](StartWindow& f) { f.close(); },
    };
    for (const auto& way : ways) {
        StartRun run = runWith(way);
        EXPECT_EQ(run.code, 0);
        EXPECT_FALSE(run.mainShown);
        EXPECT_FALSE(Bedingungenakzeptiert);
    }
}

TEST_F(StartWindowTest, AcceptRunsTheMainWindowMaximisedInTheChosenLanguage) {
    ScreenGuard s(QSize(1280, 1024), 40);
    StartRun run = runWith([](StartWindow& f) {
        QTest::mouseClick(f.findChild<QPushButton*>("EnglishButton"), Qt::LeftButton);
        QTest::mouseClick(f.findChild<QPushButton*>("AcceptButton"), Qt::LeftButton);
    });
    EXPECT_EQ(run.code, 0);
    EXPECT_TRUE(run.mainShown);
    EXPECT_TRUE(Bedingungenakzeptiert);
    EXPECT_EQ(tk::sprache(), 1);
    // Maximised by the window manager; un-maximised (and without one) the
    // window with its frame fills the screen minus the task bar.
    EXPECT_EQ(run.mainGeometry.size() + typicalFrameExtra(), QSize(1280, 984));
}

TEST_F(StartWindowTest, LongLivedWindowsExistWhileTheStartWindowWaits) {
    bool checked = false;
    runWith([&](StartWindow& f) {
        for (InfoWindow w : {InfoWindow::Vorgabewerteinfo, InfoWindow::Berechnungsmethoden,
                             InfoWindow::VorgabeSiloInfo, InfoWindow::Dateneinaus,
                             InfoWindow::About, InfoWindow::SGEigenschaften})
            EXPECT_NE(existingInfoWindow(w), nullptr) << int(w);
        // Made for each use only.
        EXPECT_EQ(existingInfoWindow(InfoWindow::Wasberechnetwird), nullptr);
        EXPECT_EQ(existingInfoWindow(InfoWindow::Buch), nullptr);
        // Shown before any language was chosen: German.
        EXPECT_EQ(existingInfoWindow(InfoWindow::Dateneinaus)->windowTitle(),
                  "Dateneingabe und -ausgabe");
        checked = true;
        f.close();
    });
    EXPECT_TRUE(checked);
    EXPECT_EQ(existingInfoWindow(InfoWindow::Dateneinaus), nullptr) << "destroyed at the end";
}

TEST_F(StartWindowTest, RealMainWindowRunsAfterAcceptance) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    StartHooks hooks;
    MainWindow* form = nullptr;
    int activations = -1;
    hooks.createMainWindow = [&]() -> QWidget* {
        form = new MainWindow;
        if (!form->FormCreate(dir.path() + "/", dir.path() + "/docs/")) {
            delete form;
            return nullptr;
        }
        return form;
    };
    hooks.startWindowShown = [](StartWindow& f) {
        QTimer::singleShot(0, &f, [&f] {
            QTest::mouseClick(f.findChild<QPushButton*>("DeutschButton"), Qt::LeftButton);
            QTest::mouseClick(f.findChild<QPushButton*>("AcceptButton"), Qt::LeftButton);
        });
    };
    hooks.mainWindowShown = [&](QWidget& w) {
        QTimer::singleShot(50, &w, [&] {
            activations = form->activationCount();
            saveShot(*form, "main_after_start");
            form->close();
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
        helpWindowsThere = existingInfoWindow(InfoWindow::About) &&
                           existingInfoWindow(InfoWindow::SGEigenschaften) &&
                           existingInfoWindow(InfoWindow::Vorgabewerteinfo);
        editorsBeforeStart = !startWindowShown;
    };
    hooks.startWindowShown = [&](StartWindow& f) {
        startWindowShown = true;
        QTimer::singleShot(0, &f, [&f] { f.close(); });
    };
    EXPECT_EQ(runProgram(*qApp, hooks), 0);
    EXPECT_EQ(owner, main);
    EXPECT_TRUE(helpWindowsThere);
    EXPECT_TRUE(editorsBeforeStart);
}
