// The program's main block: the main window is made first, then the other
// windows; the start window asks for the language and the acceptance of the
// conditions of use, and only then does the main window run.
#include <QApplication>

#include <cstdio>
#include <cstring>

#include "ui/info/startup.h"
#include "ui/main/mainwindow.h"
#include "ui/parameters/parameterform.h"

namespace {

const char* kUsage =
    "Usage: korvane [--help] [--version]\n"
    "\n"
    "Starts the desktop program Korvane: silo and bin stresses by Janssen's slices,\n"
    "Motzkus (filling) and Jenike (discharge) in the hopper. Parameter and result\n"
    "files are in the data folder (Korvane/ in the documents folder when the program\n"
    "folder is not writable). The batch tool is korvane-calc.\n"
    "\n"
    "  --help     show this text\n"
    "  --version  show the version\n";

}  // namespace

int main(int argc, char** argv) {
    // The two informational options are answered before any window exists,
    // so that they work without a display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("korvane %s\n", KORVANE_VERSION);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
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
        if (auto* w = qobject_cast<korvane::ui::MainWindow*>(&mainWindow)) w->parameterForm();
    };
    return korvane::ui::runProgram(application, hooks);
}
