// The main window's desktop habits: the question before unsaved parameters
// are left, undo and redo of the form's steps, the recent files, the
// shortcuts and the access keys of every menu.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QUndoStack>
#include <QtTest/QTest>
#include <memory>

#include "calc/model.h"
#include "ui/main/appstate.h"
#include "ui/main/desktop_habits.h"
#include "ui/main/mainwindow.h"
#include "ui/main/platform.h"
#include "ui/parameters/parameterform.h"
#include "window_test_support.h"
#include "tests/common/wait_for_results.h"

using namespace korvane;
using namespace korvane::ui;
using namespace korvane::ui::test_support;

namespace {

const QString kExamples = QStringLiteral(KORVANE_TEST_DATA "/../../examples/Par/");

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class DesktopHabitsTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetProgramState();
        setSettingsFileForTests(dir.filePath("settings.ini"));
        clearNextUnsavedAnswer();
        w = std::make_unique<MainWindow>();
        w->resize(1000, 700);
        w->show();
        ASSERT_TRUE(waitForResults(*w));
    }
    void TearDown() override {
        w.reset();
        clearNextUnsavedAnswer();
        platform::clearNextAnswer();
        platform::clearNextFileName();
        setSettingsFileForTests(QString());
        texts::setLanguage(0);
    }
    // Opens a file through the menu, leaving the form with Cancel.
    void open(const QString& path) {
        platform::setNextFileName(path);
        ModalCloser closer(false);
        w->openParameterFile();
        ASSERT_TRUE(waitForResults(*w));
    }
    // Shows the form, types a fill height and presses OK.
    void editFillHeight(const QString& value) {
        ModalCloser closer(true, [&] {
            ParameterForm* form = &w->parameterForm();
            auto* field = form->findChild<QLineEdit*>("fillHeightField");
            ASSERT_NE(field, nullptr);
            field->setText(value);
            form->findChild<QPushButton*>("okButton")->click();
        });
        w->editParameters();
        ASSERT_TRUE(waitForResults(*w));
    }
    QString copyOf(const QString& example) {
        const QString path = dir.filePath(QFileInfo(example).fileName());
        QFile::remove(path);
        EXPECT_TRUE(QFile::copy(example, path));
        return path;
    }

    QTemporaryDir dir;
    std::unique_ptr<MainWindow> w;
};

}  // namespace

TEST_F(DesktopHabitsTest, UnsavedParametersAskBeforeTheyAreLeft) {
    struct Case {
        UnsavedAnswer answer;
        bool viaClose;   // closing the window, else opening another file
        bool goesOn;     // the window closes / the other file is opened
        bool fileSaved;  // the changed parameters are in the file
    };
    const Case cases[] = {
        {UnsavedAnswer::Save, true, true, true},
        {UnsavedAnswer::Discard, true, true, false},
        {UnsavedAnswer::Cancel, true, false, false},
        {UnsavedAnswer::Save, false, true, true},
        {UnsavedAnswer::Discard, false, true, false},
        {UnsavedAnswer::Cancel, false, false, false},
    };
    for (const Case& c : cases) {
        const QString path = copyOf(kExamples + "Standardsilo.par");
        const QString other = copyOf(kExamples + "Bunker_Schuettkegel.par");
        open(path);
        ASSERT_EQ(w->document().parameterFile, path);
        const QByteArray before = readAll(path);
        editFillHeight("7.5");
        ASSERT_TRUE(w->document().modified);
        w->show();
        platform::shownMessages().clear();
        setNextUnsavedAnswer(c.answer);
        if (c.viaClose) {
            w->close();
            EXPECT_EQ(!w->isVisible(), c.goesOn) << int(c.answer);
        } else {
            open(other);
            EXPECT_EQ(w->document().parameterFile == other, c.goesOn) << int(c.answer);
        }
        EXPECT_EQ(platform::shownMessages().size(), 1) << int(c.answer);
        EXPECT_EQ(readAll(path) != before, c.fileSaved) << int(c.answer);
        // Nothing changed: no question.
        w->document().modified = false;
        w->show();
        platform::shownMessages().clear();
        w->close();
        EXPECT_FALSE(w->isVisible());
        EXPECT_TRUE(platform::shownMessages().isEmpty());
        w->show();
    }
}

TEST_F(DesktopHabitsTest, UndoAndRedoBringBackParametersAndResults) {
    open(copyOf(kExamples + "Standardsilo.par"));
    const double h0 = w->document().model.Fuellhoehe;
    const long double outlet0 = w->document().model.SIGMAV[w->document().model.Indexende];
    editFillHeight("6");
    editFillHeight("4");
    ASSERT_EQ(w->document().model.Fuellhoehe, 4.0);
    const long double outlet4 = w->document().model.SIGMAV[w->document().model.Indexende];
    EXPECT_NE(outlet4, outlet0);
    EXPECT_EQ(w->undoStack()->count(), 2);

    QAction* undo = w->findChild<QAction*>("undoAction");
    QAction* redo = w->findChild<QAction*>("redoAction");
    ASSERT_TRUE(undo && redo);
    const struct {
        QAction* action;
        double height;
        bool modified;
    } steps[] = {{undo, 6.0, true}, {undo, h0, false}, {redo, 6.0, true}, {redo, 4.0, true}};
    for (const auto& s : steps) {
        s.action->trigger();
        ASSERT_TRUE(waitForResults(*w));
        EXPECT_EQ(w->document().model.Fuellhoehe, s.height);
        EXPECT_EQ(w->document().modified, s.modified) << s.height;
    }
    EXPECT_EQ(w->document().model.SIGMAV[w->document().model.Indexende], outlet4);
    undo->trigger();
    undo->trigger();
    ASSERT_TRUE(waitForResults(*w));
    EXPECT_EQ(w->document().model.SIGMAV[w->document().model.Indexende], outlet0);
    EXPECT_FALSE(undo->isEnabled());
    // OK without a change is no step.
    editFillHeight(QString::number(h0));
    EXPECT_EQ(w->undoStack()->index(), 0);
}

TEST_F(DesktopHabitsTest, RecentFilesKeepTheLastEightNewestFirst) {
    QStringList list;
    for (int i = 1; i <= 10; ++i) list = withRecentFile(list, QStringLiteral("/p/%1.par").arg(i));
    ASSERT_EQ(list.size(), kRecentFilesMax);
    EXPECT_EQ(list.first(), "/p/10.par");
    EXPECT_EQ(list.last(), "/p/3.par");
    list = withRecentFile(list, "/p/5.par");
    EXPECT_EQ(list.first(), "/p/5.par");
    EXPECT_EQ(list.count("/p/5.par"), 1);

    // Opened and saved files join the menu and the settings; the menu opens them.
    const QString a = copyOf(kExamples + "Standardsilo.par");
    const QString b = copyOf(kExamples + "Bunker_Schuettkegel.par");
    open(a);
    open(b);
    EXPECT_EQ(loadRecentFiles(), (QStringList{b, a}));
    auto* menu = w->findChild<QMenu*>("recentFilesMenu");
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[1]->data().toString(), a);
    {
        ModalCloser closer(false);
        menu->actions()[1]->trigger();
    }
    EXPECT_EQ(w->document().parameterFile, a);
    EXPECT_EQ(loadRecentFiles().first(), a);
    // A new window (a new start) reads them back.
    w = std::make_unique<MainWindow>();
    EXPECT_EQ(w->findChild<QMenu*>("recentFilesMenu")->actions().size(), 2);
}

TEST_F(DesktopHabitsTest, ShortcutsReachTheirCommands) {
    const std::pair<const char*, QKeySequence> table[] = {
        {"openAction", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"saveAction", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"saveAsAction", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {"printDiagramAction", QKeySequence(Qt::CTRL | Qt::Key_P)},
        {"exitAction", QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {"whatItCalculatesAction", QKeySequence(Qt::Key_F1)},
        {"editParametersAction", QKeySequence(Qt::CTRL | Qt::Key_E)},
        {"undoAction", QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {"redoAction", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
        {"copyTableAction", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
    };
    for (const auto& [name, keys] : table) {
        auto* a = w->findChild<QAction*>(name);
        ASSERT_NE(a, nullptr) << name;
        EXPECT_TRUE(a->shortcuts().contains(keys)) << name;
    }
    // Pressed in the window: Ctrl+E shows the form, Ctrl+O the open dialog
    // (answered by the seam with "cancel"), Ctrl+Q closes the window.
    QApplication::setActiveWindow(w.get());
    {
        ModalCloser closer(false);
        QTest::keyClick(w.get(), Qt::Key_E, Qt::ControlModifier);
        EXPECT_EQ(closer.closed, 1);
    }
    QApplication::setActiveWindow(w.get());
    QSignalSpy opened(w->findChild<QAction*>("openAction"), &QAction::triggered);
    platform::setNextFileName(QString());
    QTest::keyClick(w.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(opened.count(), 1);
    QTest::keyClick(w.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(w->isVisible());
}

TEST_F(DesktopHabitsTest, EveryMenuHasUniqueAccessKeysInBothLanguages) {
    EXPECT_EQ(accessKey("Parameterdatei &öffnen"), QChar(0xF6));
    EXPECT_EQ(accessKey("Fish && &Chips"), QChar('c'));
    EXPECT_TRUE(accessKey("EULA").isNull());
    EXPECT_EQ(accessKeyClashes({"&Bulk", "&Book", "&About"}), QStringList{"&Book"});
    for (const char* language : {"germanAction", "englishAction"}) {
        w->findChild<QAction*>(language)->trigger();
        QStringList bar;
        for (QAction* m : w->menuBar()->actions()) bar << m->text();
        EXPECT_TRUE(accessKeyClashes(bar).isEmpty()) << bar.join('|').toStdString();
        for (QMenu* menu : w->findChildren<QMenu*>()) {
            if (!menu->objectName().endsWith("Menu")) continue;  // not the menu bar's overflow
            QStringList captions;
            for (QAction* a : menu->actions())
                if (!a->isSeparator() && a->objectName() != "germanAction" &&
                    a->objectName() != "englishAction" && !a->objectName().startsWith("recentFile"))
                    captions << a->text();
            EXPECT_TRUE(accessKeyClashes(captions).isEmpty())
                << language << " " << menu->objectName().toStdString() << ": "
                << accessKeyClashes(captions).join('|').toStdString();
            for (const QString& c : captions)
                EXPECT_FALSE(accessKey(c).isNull()) << language << " " << c.toStdString();
        }
    }
}
