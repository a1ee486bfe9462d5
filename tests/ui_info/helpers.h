// Shared helpers of the start and help window tests.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "ui/main/appstate.h"
#include "ui/main/platform.h"
#include "ui/texts/texts.h"

namespace korvane::ui::testing {

// Pretends an 800 x 600 screen (the design screen: every window at its base
// size) or another one, and restores the real screen afterwards.
struct ScreenGuard {
    explicit ScreenGuard(QSize screen = QSize(800, 600), int taskBar = 0) {
        platform::ScreenInfo info;
        info.geometry = QRect(QPoint(0, 0), screen);
        info.available = QRect(0, 0, screen.width(), screen.height() - taskBar);
        platform::setScreenOverride(&info);
        savedScale = app().screenScale;
        savedLanguage = texts::language();
    }
    ~ScreenGuard() {
        platform::setScreenOverride(nullptr);
        app().screenScale = savedScale;
        texts::setLanguage(savedLanguage);
    }
    double savedScale;
    int savedLanguage;
};

// Opens a modal window with `open`; once it is up, `inspect` gets the active
// modal dialog and must close it (accept, reject or close()). Returns the
// dialog's result; *seen tells whether the inspection ran.
inline int withModal(const std::function<int()>& open,
                     const std::function<void(QDialog&)>& inspect, bool* seen = nullptr) {
    bool done = false;
    std::function<void(int)> poll = [&](int tries) {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!d) {
            if (tries > 0) QTimer::singleShot(10, [&, tries] { poll(tries - 1); });
            return;
        }
        inspect(*d);
        done = true;
        if (d->isVisible()) d->reject();  // never leave a test hanging
    };
    QTimer::singleShot(0, [&] { poll(200); });
    const int r = open();
    if (seen) *seen = done;
    return r;
}

// Where to put screenshots: KORVANE_SHOTS=/some/folder, else nowhere.
inline QString shotFolder() { return qEnvironmentVariable("KORVANE_SHOTS"); }

inline void saveShot(QWidget& w, const QString& name) {
    const QString dir = shotFolder();
    if (dir.isEmpty()) return;
    QDir().mkpath(dir);
    w.grab().save(dir + "/" + name + ".png");
}

}  // namespace korvane::ui::testing
