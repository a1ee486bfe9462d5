// The program's main block: the main window is made first, then the other
// windows; the start window asks for the language and the acceptance of the
// conditions of use, and only then does the main window run.
#include <QApplication>

#include "ui/info/startup.h"
#include "ui/main/mainwindow.h"
#include "ui/parameters/parameterform.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    korvane::ui::StartHooks hooks;
    hooks.createMainWindow = []() -> QWidget* {
        auto* window = new korvane::ui::MainWindow;
        if (!window->initialize()) {  // the marker file message has been shown
            delete window;
            return nullptr;
        }
        window->enableRecovery(korvane::ui::MainWindow::defaultRecoveryFolder());
        return window;
    };
    // Changes a killed run left behind are offered once the window is up.
    hooks.mainWindowShown = [](QWidget& w) {
        static_cast<korvane::ui::MainWindow&>(w).offerRecovery();
    };
    // The parameter form lives for the whole run, like the help windows.
    hooks.createEditorWindows = [](QWidget& mainWindow) {
        korvane::ui::parameterForm(&mainWindow);
    };
    return korvane::ui::runProgram(application, hooks);
}
