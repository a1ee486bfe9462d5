// Nothing taken over in the parameter form is lost when the program dies:
// the program is started, a change confirmed, the program killed with
// SIGKILL and started again, and the start offers the change back. Also the
// window's words for damaged files and a read-only file system.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <cerrno>
#include <memory>

#include "calc/engine.h"
#include "calc/model.h"
#include "files/file_error.h"
#include "ui/main/appstate.h"
#include "ui/main/mainwindow.h"
#include "ui/main/file_messages.h"

namespace {

const QString kDriver = QStringLiteral(KORVANE_BIN_DIR "/korvane_recovery_driver");
const QString kStandard =
    QStringLiteral(KORVANE_TEST_DATA "/../../examples/Par/Standardsilo.par");

// Files below `folder` whose names match `pattern` ("*": every file).
int filesIn(const QString& folder, const QString& pattern = QStringLiteral("unsaved*")) {
    int n = 0;
    for (QDirIterator it(folder, {pattern}, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
         it.hasNext(); it.next())
        ++n;
    return n;
}

void startDriver(QProcess& p, const QString& dataHome, const QStringList& args) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", dataHome);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(kDriver, args);
    ASSERT_TRUE(p.waitForStarted());
}

// The line of the driver's output that starts with `prefix`, without it.
QString lineAfter(const QString& output, const QString& prefix) {
    for (const QString& l : output.split('\n'))
        if (l.startsWith(prefix)) return l.mid(prefix.size());
    return QString();
}

}  // namespace

TEST(Recovery, ChangeSurvivesAKillAndIsOfferedAtTheNextStart) {
    for (const QString& answer : {QStringLiteral("restore"), QStringLiteral("discard")}) {
        QTemporaryDir home;
        QString changed;
        {
            QProcess program;
            startDriver(program, home.path(), {"change", kStandard});
            QString out;
            while (!out.contains('\n') && program.waitForReadyRead(60000))
                out += QString::fromUtf8(program.readAllStandardOutput());
            changed = lineAfter(out, "changed ");
            ASSERT_FALSE(changed.isEmpty()) << out.toStdString();
            EXPECT_EQ(filesIn(home.path()), 2);  // the parameters and their header
            program.kill();                        // SIGKILL: no clean exit
            program.waitForFinished();
        }
        QProcess program;
        startDriver(program, home.path(), {"restart", answer});
        ASSERT_TRUE(program.waitForFinished(60000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        const QString out = QString::fromUtf8(program.readAllStandardOutput());
        const QString offer = lineAfter(out, "offer: ");
        EXPECT_TRUE(offer.contains("not closed properly")) << out.toStdString();
        EXPECT_TRUE(offer.contains("File: " + kStandard)) << offer.toStdString();
        EXPECT_TRUE(offer.contains("Changed: ")) << offer.toStdString();
        const QString state = lineAfter(out, "state ");
        if (answer == "restore") {
            EXPECT_EQ(state, changed + "|" + kStandard + "|1");
        } else {
            EXPECT_EQ(state.section('|', 2), "0") << state.toStdString();
            EXPECT_NE(state.section('|', 0, 0), changed);
        }
        // Restored or discarded, then a clean exit: nothing left, not even the lock.
        EXPECT_EQ(filesIn(home.path(), "*"), 0);
    }
}

TEST(Recovery, ASecondProgramBesideTheFirstKeepsNothing) {
    using namespace korvane::ui;
    QTemporaryDir folder;
    auto first = std::make_unique<MainWindow>();
    auto second = std::make_unique<MainWindow>();
    first->enableRecovery(folder.path());
    second->enableRecovery(folder.path());
    for (MainWindow* w : {first.get(), second.get()}) {  // the same changed set in both
        korvane::startAsTheProgramDoes(w->document().model);
        w->document().parameterFile = "/p/a.par";
        w->document().modified = true;
    }
    second->updateTextsAndTitle();
    EXPECT_EQ(filesIn(folder.path()), 0);
    first->updateTextsAndTitle();
    EXPECT_EQ(filesIn(folder.path()), 2);
    first->document().modified = false;  // saved
    first->updateTextsAndTitle();
    EXPECT_EQ(filesIn(folder.path()), 0);
}

TEST(FileMessages, DamagedFilesAndReadOnlyFileSystemsInBothLanguages) {
    using korvane::FileError;
    using korvane::FileFault;
    struct Case {
        FileFault fault;
        int code, line, language;
        const char* expected;
    };
    const Case cases[] = {
        {FileFault::ControlCharacter, EINVAL, 4, 1,
         "Line 4 contains a control character (damaged file?)."},
        {FileFault::ControlCharacter, EINVAL, 4, 0,
         "Zeile 4 enthält ein Steuerzeichen (beschädigte Datei?)."},
        {FileFault::Utf16, EINVAL, 0, 1,
         "saved as UTF-16; save it as plain text (ANSI/Latin-1 or UTF-8)."},
        {FileFault::Utf16, EINVAL, 0, 0,
         "als UTF-16 gespeichert; bitte als reinen Text (ANSI/Latin-1 oder UTF-8) speichern."},
        {FileFault::System, EROFS, 0, 1, "Error 30\n"},
        {FileFault::System, EROFS, 0, 1, "read-only file system"},
        {FileFault::System, EROFS, 0, 0, "schreibgeschützten Dateisystem"},
        {FileFault::System, EACCES, 0, 1, "Error 13\n"},
    };
    for (const auto& c : cases) {
        FileError err;
        err.fault = c.fault;
        err.code = c.code;
        err.line = c.line;
        const QString text = korvane::ui::fileErrorText(err, "/p/a.par", c.language);
        EXPECT_TRUE(text.contains(QString::fromUtf8(c.expected))) << text.toStdString();
    }
}
