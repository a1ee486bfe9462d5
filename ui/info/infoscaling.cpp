#include "ui/info/infoscaling.h"

#include <QFont>
#include <QWidget>
#include <cmath>

#include "ui/main/appstate.h"
#include "ui/main/display_logic.h"
#include "ui/main/platform.h"

namespace korvane::ui {

double computeScreenScale(QSize screen) {
    if (screen.width() <= 0 || screen.height() <= 0) return 1.0;
    const QRect whole(QPoint(0, 0), screen);
    return computeScreenFactors(whole, whole).screenScale;
}

double controlFactor(double screenScale) { return std::round(screenScale * 800.0) / 800.0; }

double bookFactor(double screenScale) {
    return std::round(std::sqrt(std::max(screenScale, 0.0)) * 800.0) / 1100.0;
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

int scaled(int length, double f) { return int(std::lround(length * f)); }

QRect scaled(const QRect& r, double f) {
    return QRect(scaled(r.x(), f), scaled(r.y(), f), scaled(r.width(), f), scaled(r.height(), f));
}

QFont arialPx(int pixels, double f, bool bold) {
    QFont font("Arial");
    font.setPixelSize(std::max(1, scaled(pixels, f)));
    font.setBold(bold);
    return font;
}

QSize screenSize() { return platform::primaryScreen().geometry.size(); }
QRect availableArea() { return platform::primaryScreen().available; }

double currentScreenScale() {
    // The main window computes the scale when it is created; windows made
    // before it (tests) fall back to the screen's own scale.
    const double s = app().screenScale;
    return s > 0 ? s : computeScreenScale(screenSize());
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
