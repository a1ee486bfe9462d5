// The program's start: create the windows, run the start window with the
// conditions of use, and only after acceptance run the main window.
#pragma once

#include <QRect>
#include <QSize>
#include <functional>

class QApplication;
class QWidget;

namespace korvane::ui {

class StartWindow;

struct StartHooks {
    // Creates the main window and runs its creation step (screen factors,
    // data folders). Returns null when the creation step ended the program
    // (a data folder marker with wrong content, already reported).
    std::function<QWidget*()> createMainWindow;
    // Creates the parameter editor's windows, after the help windows, with
    // the main window as their owner (may be empty).
    std::function<void(QWidget&)> createEditorWindows;
    // Called once the start window is shown, before it is waited for
    // (tests drive the window from here).
    std::function<void(StartWindow&)> startWindowShown;
    // Called right after the main window is shown, before the main loop.
    std::function<void(QWidget&)> mainWindowShown;
};

// Runs the whole program and returns its exit code: 1 when the main
// window's creation step failed, 0 when the conditions were not accepted,
// else the main loop's code.
int runProgram(QApplication& application, const StartHooks& hooks);

// Shows the main window maximised over the available desktop (screen
// minus task bar).
void showMainWindowMaximised(QWidget& w);
// The main window's geometry when it is not maximised: inside the available
// desktop together with its frame, never below the window's minimum size.
QRect normalMainWindowGeometry(const QRect& available, QSize minimum);

}  // namespace korvane::ui
