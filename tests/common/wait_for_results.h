// The main window calculates off its thread: a test that starts a
// calculation (the first showing, OK in the parameter form, activate())
// waits here until the results are shown before it reads them.
#pragma once

#include <QElapsedTimer>
#include <QtTest/QTest>

#include "ui/main/mainwindow.h"

namespace korvane::ui::test_support {

// Runs the event loop until the window has run an activation and shows its
// results; false after `ms` milliseconds.
inline bool waitForResults(const MainWindow& w, int ms = 10000) {
    QElapsedTimer t;
    t.start();
    while (w.activationCount() < 1 || w.calculating()) {
        if (t.elapsed() > ms) return false;
        QTest::qWait(5);
    }
    return true;
}

}  // namespace korvane::ui::test_support
