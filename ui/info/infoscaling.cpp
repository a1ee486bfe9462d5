#include "ui/info/infoscaling.h"

#include <QFont>
#include <QWidget>
#include <cmath>

#include "ui/main/appstate.h"
#include "ui/main/display_logic.h"
#include "ui/main/platform.h"

namespace korvane::ui {

double computeSkalierung(QSize screen) {
    if (screen.width() <= 0 || screen.height() <= 0) return 1.0;
    const QRect whole(QPoint(0, 0), screen);
    return computeScreenFactors(whole, whole).screenScale;
}

double controlFactor(double skalierung) { return std::round(skalierung * 800.0) / 800.0; }

double bookFactor(double skalierung) {
    return std::round(std::sqrt(std::max(skalierung, 0.0)) * 800.0) / 1100.0;
}

QSize screenScaledClient(QSize baseClient, QSize screen) {
    return QSize(baseClient.width() * screen.width() / 800,
                 baseClient.height() * screen.height() / 600);
}

QSize fitClient(QSize client, QSize frameExtra, QSize available) {
    const int maxW = std::max(1, available.width() - frameExtra.width());
    const int maxH = std::max(1, available.height() - frameExtra.height());
    return QSize(std::min(client.width(), maxW), std::min(client.height(), maxH));
}

int sc(int v, double f) { return int(std::lround(v * f)); }

QRect sc(const QRect& r, double f) {
    return QRect(sc(r.x(), f), sc(r.y(), f), sc(r.width(), f), sc(r.height(), f));
}

QFont arialPx(int pixels, double f, bool bold) {
    QFont font("Arial");
    font.setPixelSize(std::max(1, sc(pixels, f)));
    font.setBold(bold);
    return font;
}

QSize screenSize() { return platform::primaryScreen().geometry.size(); }
QRect availableArea() { return platform::primaryScreen().available; }

double currentSkalierung() {
    // The main window computes the factor when it is created; windows made
    // before it (tests) fall back to the screen's own factor.
    const double s = app().screenScale;
    return s > 0 ? s : computeSkalierung(screenSize());
}

QSize typicalFrameExtra() { return QSize(8, 32); }

void centreOnDesktop(QWidget* w) {
    const QRect avail = availableArea();
    QSize outer = w->frameGeometry().size();
    if (!w->isVisible() || outer == w->size()) outer = w->size() + typicalFrameExtra();
    int x = avail.x() + (avail.width() - outer.width()) / 2;
    int y = avail.y() + (avail.height() - outer.height()) / 2;
    w->move(std::max(avail.x(), x), std::max(avail.y(), y));
}

}  // namespace korvane::ui
