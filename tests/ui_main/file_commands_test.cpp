// The file commands of the main window as a user meets them: open and save
// on a German desktop, the messages for refused files in the window's
// language, a save onto a write-protected file.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QStyle>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QTest>
#include <functional>
#include <memory>
#include <sys/stat.h>

#include "calc/form_logic.h"
#include "calc/model.h"
#include "tests/common/german_locale.h"
#include "tests/common/wait_for_results.h"
#include "ui/main/appstate.h"
#include "ui/main/mainwindow.h"
#include "ui/main/platform.h"
#include "window_test_support.h"
#include "ui/texts/texts.h"

using namespace korvane;
using namespace korvane::ui;
using namespace korvane::ui::test_support;

namespace {

const QString kExamples = QStringLiteral(KORVANE_TEST_DATA "/../../examples/Par/");

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

class FileCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetProgramState();
        platform::setRecordOpens(true);
        w = std::make_unique<MainWindow>();
        w->resize(1000, 700);
        w->show();
        waitForResults(*w);
        ASSERT_GE(w->activationCount(), 1);
    }
    void TearDown() override {
        w.reset();
        platform::clearNextAnswer();
        platform::clearNextFileName();
        texts::setLanguage(0);
    }

    // Opens `path` through the menu; the refusal's message, or empty.
    QString open(const QString& path) {
        platform::shownMessages().clear();
        platform::setNextFileName(path);
        platform::setNextAnswer(true);
        {
            ModalCloser closer(false);
            w->openParameterFile();
        }
        platform::clearNextAnswer();
        return platform::shownMessages().isEmpty() ? QString() : platform::shownMessages().last();
    }

    std::unique_ptr<MainWindow> w;
};

}  // namespace

TEST_F(FileCommandsTest, OpenAndSaveOnAGermanDesktopKeepTheFile) {
    ktest::GermanLocale de;
    if (!de.skipReason().empty()) GTEST_SKIP() << de.skipReason();
    QTemporaryDir dir;
    for (const char* name : {"Standardsilo", "Getreide_Dichtekurve"}) {
        const QString example = kExamples + name + ".par";
        EXPECT_TRUE(open(example).isEmpty()) << name;
        ASSERT_EQ(w->document().parameterFile, example);
        EXPECT_GT(w->document().model.RHOMIN, 100.0) << name;  // not cut at the decimal point

        const QString saved = dir.path() + "/" + name + ".par";
        platform::setNextFileName(saved);
        w->saveParameterFileAs();
        EXPECT_TRUE(platform::shownMessages().isEmpty()) << name;
        EXPECT_EQ(readAll(saved), readAll(example)) << name;

        const QString results = dir.path() + "/" + name + ".txt";
        platform::setNextFileName(results);
        w->saveResultsAs();
        const QByteArray rows = readAll(results);
        EXPECT_TRUE(rows.startsWith("z[m];RHOB[kg/m3];SIGMAV[Pa];SIGMAW[Pa]\r\n")) << name;
        EXPECT_FALSE(rows.contains(',')) << name;
    }
}

TEST_F(FileCommandsTest, RefusedFilesAreExplainedInTheWindowLanguage) {
    QTemporaryDir dir;
    QByteArray valid = readAll(kExamples + "Standardsilo.par");
    auto replaceLine = [&](int index, const QByteArray& value) {
        QList<QByteArray> lines = valid.split('\n');
        lines[index] = value + "\r";
        return lines.join('\n');
    };
    struct Case {
        const char* name;
        QByteArray content;
        int language;
        QStringList expected;
    };
    const Case cases[] = {
        {"decimal comma", replaceLine(3, "2400,5"), 0,
         {"Zeile 4", "RHOMIN [kg/m3]", "Dezimalpunkt", QString::fromUtf8("„2400,5“")}},
        {"decimal comma", replaceLine(3, "2400,5"), 1, {"Line 4", "RHOMIN [kg/m3]", "\"2400,5\""}},
        {"picture", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\x01\x02", 18), 0,
         {"Zeile 1", "Anzahl der Scheiben", "?PNG"}},
        {"empty", QByteArray(), 0, {"keine Korvane-Parameterdatei"}},
        {"blank", QByteArray(" \r\n\r\n\t"), 1, {"not a Korvane parameter file"}},
        {"cross-section", replaceLine(13, "255"), 0, {"Zeile 14", "Siloquerschnitt", "255"}},
        {"slice count", replaceLine(0, "5000"), 1, {"Line 1", "Number of slices per section", "1667"}},
    };
    for (const auto& c : cases) {
        texts::setLanguage(c.language);
        const QString path = dir.path() + "/bad.par";
        writeAll(path, c.content);
        const double before = w->document().model.Fuellhoehe;
        const QString text = open(path);
        ASSERT_FALSE(text.isEmpty()) << c.name;
        for (const QString& e : c.expected)
            EXPECT_TRUE(text.contains(e)) << c.name << ": " << text.toStdString() << " lacks "
                                          << e.toStdString();
        for (QChar ch : text)
            EXPECT_TRUE(ch == '\n' || (ch.unicode() >= 32 && ch != QChar::ReplacementCharacter))
                << c.name << ": " << text.toStdString();
        EXPECT_FALSE(text.contains("Schrittzahl")) << c.name;  // no internal names
        EXPECT_TRUE(w->document().parameterFile.isEmpty()) << c.name;
        EXPECT_EQ(w->document().model.Fuellhoehe, before) << c.name;
    }
}

TEST_F(FileCommandsTest, SaveOntoAWriteProtectedFileIsRefusedWithTheReason) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/protected.par";
    writeAll(path, "old\r\n");
    ::chmod(QFile::encodeName(path).constData(), 0444);
    for (int language : {0, 1}) {
        texts::setLanguage(language);
        platform::shownMessages().clear();
        platform::setNextFileName(path);
        platform::setNextAnswer(true);
        w->saveParameterFileAs();
        ASSERT_EQ(platform::shownMessages().size(), 1);
        const QString text = platform::shownMessages().first();
        EXPECT_TRUE(text.startsWith(language == 0 ? "Fehler 13" : "Error 13")) << text.toStdString();
        EXPECT_TRUE(text.contains(language == 0 ? "schreibgeschützt" : "write-protected"))
            << text.toStdString();
        EXPECT_TRUE(text.contains(path));
        EXPECT_EQ(readAll(path), QByteArray("old\r\n"));
        EXPECT_TRUE(w->document().parameterFile.isEmpty());
    }
}

TEST_F(FileCommandsTest, StatusFieldsShowTheirWholeNumber) {
    ASSERT_TRUE(open(QStringLiteral(KORVANE_TEST_DATA "/reference-cases/case_0001.par")).isEmpty());
    ASSERT_EQ(confirmLoadedModel(w->document().model, w->document().workingCopy), 0);
    w->activate();
    ASSERT_TRUE(waitForResults(*w));
    ASSERT_FALSE(w->findChild<QLineEdit*>("contentsField")->text().isEmpty());
    auto* contents = w->findChild<QLineEdit*>("contentsField");
    auto* outlet = w->findChild<QLineEdit*>("outletStressField");
    ASSERT_TRUE(contents && outlet);
    const QFont standard = contents->font();
    auto fits = [](QLineEdit* e) {
        const int frame = e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, e);
        return QFontMetricsF(e->font()).horizontalAdvance(e->text()) <= e->width() - 2 * frame - 4;
    };
    for (long double v : {-23443105.0L, 123456.0L, 987654321098.0L}) {
        w->document().model.Fuellmenge = static_cast<double>(v);
        w->document().model.SIGMAV[w->document().model.Indexende] = v;
        w->showResults();
        EXPECT_TRUE(fits(contents)) << contents->text().toStdString();
        EXPECT_TRUE(fits(outlet)) << outlet->text().toStdString();
        EXPECT_EQ(contents->cursorPosition(), 0);
    }
    EXPECT_EQ(contents->text(), "9.8765432E+11");
    w->document().model.Fuellmenge = 12.5;
    w->showResults();
    EXPECT_EQ(contents->text(), "12.50");
    EXPECT_EQ(contents->font().pixelSize(), standard.pixelSize());  // a short number in the usual size
}

TEST_F(FileCommandsTest, WhileTheFormShowsALoadedFileNoOldResultIsShown) {
    // The start silo's outlet stress.
    ASSERT_FALSE(w->findChild<QLineEdit*>("outletStressField")->text().isEmpty());
    QStringList shown;
    platform::setNextFileName(kExamples + "Getreide_Dichtekurve.par");
    {
        ModalCloser closer(false, [&] {
            for (const char* name : {"stateField", "contentsField", "outletStressField"})
                shown << w->findChild<QLineEdit*>(name)->text();
        });
        w->openParameterFile();
    }
    EXPECT_EQ(shown, QStringList({"", "", ""}));
}
