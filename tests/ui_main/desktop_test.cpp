// The main window as a desktop program: data folders of an installed
// program, Qt's own texts in the window language, the language check mark,
// the smallest usable window, the window that fits the desktop, the icon,
// the file dialogs and the status fields' font.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QTest>
#include <cmath>
#include <memory>

#include "calc/model.h"
#include "ui/info/infoscaling.h"
#include "ui/info/startup.h"
#include "ui/main/appstate.h"
#include "ui/main/diagram.h"
#include "ui/main/display_logic.h"
#include "ui/main/mainwindow.h"
#include "ui/main/platform.h"
#include "window_test_support.h"
#include "tests/common/wait_for_results.h"
#include "ui/texts/qt_translation.h"
#include "ui/texts/texts.h"

using namespace korvane;
using namespace korvane::ui;
using namespace korvane::ui::test_support;

namespace {

class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetProgramState();
    }
    void TearDown() override {
        platform::setScreenOverride(nullptr);
        platform::clearNextFileName();
        texts::setLanguage(0);
    }
};

QString cancelText() {
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    return box.button(QDialogButtonBox::Cancel)->text();
}

void writeFile(const QString& path, const QByteArray& content) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

}  // namespace

TEST_F(DesktopTest, QtsOwnTextsFollowTheWindowLanguage) {
    MainWindow w;
    w.switchToEnglish();
    EXPECT_FALSE(texts::qtTranslationLoaded());
    EXPECT_EQ(cancelText().remove('&'), QStringLiteral("Cancel"));
    w.switchToGerman();
    EXPECT_TRUE(texts::qtTranslationLoaded());
    EXPECT_EQ(cancelText().remove('&'), QStringLiteral("Abbrechen"));
    w.switchToEnglish();
    EXPECT_EQ(cancelText().remove('&'), QStringLiteral("Cancel"));
}

TEST_F(DesktopTest, LanguageMenuChecksTheCurrentLanguage) {
    MainWindow w;
    auto* german = w.findChild<QAction*>(QStringLiteral("germanAction"));
    auto* english = w.findChild<QAction*>(QStringLiteral("englishAction"));
    ASSERT_TRUE(german && english);
    w.switchToGerman();
    EXPECT_TRUE(german->isChecked());
    EXPECT_FALSE(english->isChecked());
    w.switchToEnglish();
    EXPECT_FALSE(german->isChecked());
    EXPECT_TRUE(english->isChecked());
}

TEST_F(DesktopTest, SmallestWindowKeepsColumnsMessagesAndDiagramUsable) {
    // A full-HD screen (large fonts) and a laptop screen.
    for (QSize screen : {QSize(1920, 1080), QSize(1024, 768)}) {
        const platform::ScreenInfo info{QRect(QPoint(0, 0), screen),
                                        QRect(0, 0, screen.width(), screen.height() - 30)};
        platform::setScreenOverride(&info);
        QTemporaryDir prog, docs;
        auto w = std::make_unique<MainWindow>();
        ASSERT_TRUE(w->initialize(prog.path(), docs.path()));
        w->setWindowState(Qt::WindowNoState);
        w->show();
        for (QSize asked : {QSize(600, 450), QSize(900, 650)}) {
            w->resize(asked);
            QTest::qWait(50);
            w->activate();
            ASSERT_TRUE(waitForResults(*w));
            auto* image = w->findChild<QWidget*>(QStringLiteral("diagram"));
            const QFontMetrics dfm(diagramFont(app().screenScale));
            // The legend ends at 90 % of the diagram width and starts inside it.
            EXPECT_GE(image->width() * 0.9, dfm.horizontalAdvance("SIGMAV [Pa]  SIGMAW [Pa]"))
                << screen.width() << " " << asked.width();
            // The legend line below 96.5 % of the height is whole.
            EXPECT_LE(std::lround(0.965 * image->height()) + dfm.height(), image->height());
            // Room for the rows of every section in the columns.
            EXPECT_GE(visibleLines(w->columnContentHeight(), w->lineHeight()), 20);
            // The second message line is whole.
            auto* m2 = w->findChild<QLineEdit*>(QStringLiteral("secondMessageField"));
            EXPECT_LE(m2->x() + m2->width(), w->centralWidget()->width());
        }
        // The smallest window still fits the desktop with its frame.
        EXPECT_LE(w->minimumWidth() + typicalFrameExtra().width(), info.available.width());
        EXPECT_LE(w->minimumHeight() + typicalFrameExtra().height(), info.available.height());
    }
}

TEST_F(DesktopTest, UnmaximisedWindowFitsTheAvailableDesktop) {
    const QRect avail(0, 27, 1920, 1026);  // a panel at the top
    const QRect normal = normalMainWindowGeometry(avail, QSize(700, 500));
    const QSize frame = typicalFrameExtra();
    EXPECT_TRUE(avail.contains(normal));
    EXPECT_LE(normal.width() + frame.width(), avail.width());
    EXPECT_LE(normal.height() + frame.height(), avail.height());
    EXPECT_GE(normal.width(), 700);
    EXPECT_GE(normal.height(), 500);
}

TEST_F(DesktopTest, DataFoldersInTheDocumentsFolderWhenTheProgramFolderIsNotWritable) {
    // A program folder the user cannot write (here: one that does not
    // exist, which no one can write either, also not the administrator).
    QTemporaryDir docs;
    MainWindow w;
    ASSERT_TRUE(w.initialize(QStringLiteral("/nonexistent/korvane/lib/korvane"), docs.path()));
    EXPECT_EQ(app().dataFolder, docs.path() + "/Korvane/");
    EXPECT_EQ(app().parameterFolder, docs.path() + "/Korvane/Par/");
    EXPECT_EQ(app().resultFolder, docs.path() + "/Korvane/Output/");
    EXPECT_TRUE(QFileInfo(app().parameterFolder).isDir());
    EXPECT_TRUE(QFileInfo(app().resultFolder).isDir());
}

TEST_F(DesktopTest, ExamplesAreCopiedOnFirstStartWithoutReplacingAnything) {
    QTemporaryDir prog, docs;
    QDir().mkpath(prog.path() + "/Par");
    writeFile(prog.path() + "/Par/a.par", "shipped a");
    writeFile(prog.path() + "/Par/b.par", "shipped b");
    writeFile(prog.path() + "/FOLDER.DAT", "Korvane\n");
    // The user already has an own a.par in the data folder... but the
    // parameter folder exists, so this is not a first start: nothing copied.
    QDir().mkpath(docs.path() + "/Korvane/Par");
    writeFile(docs.path() + "/Korvane/Par/a.par", "mine");
    {
        MainWindow w;
        ASSERT_TRUE(w.initialize(prog.path(), docs.path()));
    }
    EXPECT_FALSE(QFileInfo::exists(docs.path() + "/Korvane/Par/b.par"));
    // First start: the examples arrive; an own file is never replaced.
    QDir(docs.path() + "/Korvane").removeRecursively();
    EXPECT_EQ(platform::copyMissingFiles(prog.path() + "/Par", docs.path() + "/Korvane/Par"), 2);
    writeFile(docs.path() + "/Korvane/Par/a.par", "mine");
    EXPECT_EQ(platform::copyMissingFiles(prog.path() + "/Par", docs.path() + "/Korvane/Par"), 0);
    QFile mine(docs.path() + "/Korvane/Par/a.par");
    ASSERT_TRUE(mine.open(QIODevice::ReadOnly));
    EXPECT_EQ(mine.readAll(), QByteArray("mine"));
    QDir(docs.path() + "/Korvane").removeRecursively();
    {
        MainWindow w;
        ASSERT_TRUE(w.initialize(prog.path(), docs.path()));
    }
    EXPECT_TRUE(QFileInfo::exists(docs.path() + "/Korvane/Par/a.par"));
    EXPECT_TRUE(QFileInfo::exists(docs.path() + "/Korvane/Par/b.par"));
    EXPECT_TRUE(QFileInfo(docs.path() + "/Korvane/Output").isDir());
}

TEST_F(DesktopTest, OpenDialogStartsInAFolderNeverOfferingItAsFileName) {
    QTemporaryDir prog, docs;
    MainWindow w;
    ASSERT_TRUE(w.initialize(prog.path(), docs.path()));
    ASSERT_FALSE(QFileInfo::exists(prog.path() + "/Par"));
    platform::setNextFileName(QString());
    w.openParameterFile();
    EXPECT_TRUE(QFileInfo(w.lastDialogFolder()).isDir()) << w.lastDialogFolder().toStdString();
}

TEST_F(DesktopTest, FileDialogIsLargeAndInTheWindowsFont) {
    QTemporaryDir prog, docs;
    const platform::ScreenInfo info{QRect(0, 0, 1920, 1080), QRect(0, 0, 1920, 1050)};
    platform::setScreenOverride(&info);
    MainWindow w;
    ASSERT_TRUE(w.initialize(prog.path(), docs.path()));
    QSize size;
    QString family;
    QTimer::singleShot(0, [&] {
        if (auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            size = dlg->size();
            family = dlg->font().family();
            dlg->reject();
        }
    });
    w.openParameterFile();
    // room for a whole example name beside the German type and date columns
    EXPECT_GE(size.width(), 1000);
    EXPECT_GE(size.height(), 500);
    EXPECT_EQ(family, w.font().family());
}

TEST_F(DesktopTest, StatusFieldsUseTheFamilyOfTheLabels) {
    MainWindow w;
    const QString labels =
        QFontInfo(w.findChild<QLabel*>(QStringLiteral("contentsLabel"))->font()).family();
    for (const char* field : {"stateField", "contentsField", "outletStressField"})
        EXPECT_EQ(QFontInfo(w.findChild<QLineEdit*>(field)->font()).family(), labels) << field;
}

TEST_F(DesktopTest, EveryWindowCarriesTheProgramsIcon) {
    platform::installProgramIcon();
    EXPECT_FALSE(QApplication::windowIcon().isNull());
    EXPECT_FALSE(QApplication::windowIcon().pixmap(48, 48).isNull());
    MainWindow w;
    EXPECT_FALSE(w.windowIcon().isNull());
}

// Run by tests/install_check.sh as a normal user against an installed
// program folder that user cannot write (skipped otherwise): the data
// folders are made in the documents folder, the examples are there, and
// results and parameters can be saved there.
TEST(InstalledProgram, SavesIntoTheUsersDataFolder) {
    const QString installed = qEnvironmentVariable("KORVANE_INSTALLED_PROGRAM_DIR");
    if (installed.isEmpty()) GTEST_SKIP() << "only run by the install check";
    ASSERT_FALSE(platform::folderWritable(installed)) << "run as a user who cannot write it";
    app() = AppState{};
    const QString docs = platform::documentsFolder();
    MainWindow w;
    ASSERT_TRUE(w.initialize(installed, docs));
    EXPECT_EQ(app().parameterFolder, docs + "/Korvane/Par/");
    EXPECT_TRUE(QFileInfo::exists(app().parameterFolder + "Standardsilo.par"));
    w.activate();  // the default silo, calculated
    ASSERT_TRUE(waitForResults(w));
    const QString result = app().resultFolder + "standard.txt";
    platform::setNextFileName(result);
    w.saveResultsAs();
    EXPECT_GT(QFileInfo(result).size(), 1000);
    const QString parameters = app().parameterFolder + "mine.par";
    platform::setNextFileName(parameters);
    w.saveParameterFileAs();
    EXPECT_TRUE(QFileInfo::exists(parameters));
    EXPECT_TRUE(platform::shownMessages().isEmpty()) << platform::shownMessages().join('\n').toStdString();
}
