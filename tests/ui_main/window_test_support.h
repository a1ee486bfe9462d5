// What the main window's widget tests share: waiting for the event loop,
// closing the modal dialogs a command opens, and a program state as at start.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <QtTest/QTest>
#include <functional>

#include "ui/main/appstate.h"
#include "ui/main/platform.h"
#include "ui/texts/texts.h"

namespace korvane::ui::test_support {

// Object names of the main window's result columns, left to right.
inline constexpr const char* kResultColumns[] = {"positionColumn", "zColumn", "densityColumn",
                                                 "verticalStressColumn", "wallStressColumn"};

// Runs the event loop until `cond` holds; false after `ms` milliseconds.
inline bool waitFor(const std::function<bool()>& cond, int ms = 5000) {
    QElapsedTimer t;
    t.start();
    while (!cond()) {
        if (t.elapsed() > ms) return false;
        QTest::qWait(10);
    }
    return true;
}

// Closes every modal dialog that comes up while it lives, with OK or Cancel;
// `onShow` runs first, with the dialog still open.
class ModalCloser {
public:
    explicit ModalCloser(bool accept, std::function<void()> onShow = {}) {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, [accept, onShow, this] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                ++closed;
                if (onShow) onShow();
                accept ? d->accept() : d->reject();
            }
        });
        timer_.start();
    }
    int closed = 0;

private:
    QTimer timer_;
};

// The program as started: default settings, German, and no answer or file
// name waiting in the dialog seams (each main window brings its own silo).
inline void resetProgramState() {
    app() = AppState{};
    texts::setLanguage(0);
    platform::shownMessages().clear();
    platform::clearNextFileName();
    platform::clearNextAnswer();
}

}  // namespace korvane::ui::test_support
