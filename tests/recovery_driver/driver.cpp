// The desktop program as ui/info/main.cpp builds it (main window with its
// kept changes, parameter form, start sequence), driven without a person so
// that a test can kill it with SIGKILL and start it again:
//
//   korvane_recovery_driver change PARAMETER_FILE
//       accepts the start window in English, opens PARAMETER_FILE, halves the
//       fill height in the parameter form, confirms it with OK, prints
//       "changed FILL_HEIGHT" and runs until it is killed;
//   korvane_recovery_driver restart restore|discard
//       accepts the start window in English, prints the text of the question
//       offered at start as "offer: TEXT" (one line, line ends as " | "),
//       answers it, prints "state FILL_HEIGHT|FILE|MODIFIED" and ends cleanly.
//
// The data folder is the one of QStandardPaths (set XDG_DATA_HOME).
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>

#include "ui/info/startup.h"
#include "ui/info/startwindow.h"
#include "tests/common/wait_for_results.h"
#include "ui/main/appstate.h"
#include "ui/main/desktop_habits.h"
#include "ui/main/mainwindow.h"
#include "ui/main/platform.h"
#include "ui/parameters/parameterform.h"

using namespace korvane::ui;

namespace {

void say(const QString& line) {
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

// Calls `act` with the modal window once one is up.
void whenModal(std::function<void(QWidget&)> act) {
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(*w);
        }
    });
    timer->start();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList args = application.arguments();
    if (args.size() < 3) return 64;
    const QString mode = args[1];

    StartHooks hooks;
    hooks.createMainWindow = []() -> QWidget* {
        auto* window = new MainWindow;
        if (!window->initialize()) {
            delete window;
            return nullptr;
        }
        window->enableRecovery(MainWindow::defaultRecoveryFolder());
        return window;
    };
    hooks.createEditorWindows = [](QWidget& mainWindow) {
        static_cast<MainWindow&>(mainWindow).parameterForm();
    };
    hooks.startWindowShown = [](StartWindow& window) {
        QTimer::singleShot(0, &window, [&window] {
            QTest::mouseClick(window.findChild<QPushButton*>("englishButton"), Qt::LeftButton);
            QTest::mouseClick(window.findChild<QPushButton*>("acceptButton"), Qt::LeftButton);
        });
    };
    hooks.mainWindowShown = [mode, args](QWidget& w) {
        auto& window = static_cast<MainWindow&>(w);
        if (mode == "restart") {
            const bool restore = args[2] == "restore";
            whenModal([restore](QWidget& modal) {
                auto* box = qobject_cast<QMessageBox*>(&modal);
                if (!box) return;
                say("offer: " + box->text().replace('\n', " | "));
                for (QAbstractButton* b : box->buttons())
                    if (b->text() == (restore ? "Restore" : "Discard")) b->click();
            });
        }
        window.offerRecovery();  // as the program does once its window is up
        if (mode == "restart") {
            say(QString("state %1|%2|%3")
                    .arg(window.document().model.Fuellhoehe)
                    .arg(window.document().parameterFile)
                    .arg(window.document().modified ? 1 : 0));
            // Closing with the restored (unsaved) changes asks Save / Discard /
            // Cancel: the driver lets them go, as a clean exit does.
            korvane::ui::setNextUnsavedAnswer(korvane::ui::UnsavedAnswer::Discard);
            QTimer::singleShot(0, &window, [&window] { window.close(); });
            return;
        }
        whenModal([](QWidget& form) {
            auto* fill = form.findChild<QLineEdit*>("fillHeightField");
            fill->setFocus();
            const QString half = QString::number(fill->text().toDouble() / 2, 'f', 3);
            fill->selectAll();
            QTest::keyClicks(fill, half);
            QTest::mouseClick(form.findChild<QPushButton*>("okButton"), Qt::LeftButton);
        });
        platform::setNextFileName(args[2]);
        window.openParameterFile();  // the form is shown, changed and confirmed
        // The calculation that follows keeps the changes once more: only
        // after it is the program idle, waiting for its kill.
        korvane::ui::test_support::waitForResults(window);
        say(QString("changed %1").arg(window.document().model.Fuellhoehe));
    };
    return runProgram(application, hooks);
}
