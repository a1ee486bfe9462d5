// Screen scaling of the start window and the help windows.
//
// The windows were laid out for an 800 x 600 screen. On creation a window's
// client area grows with the screen (width by Ws/800, height by Hs/600) and
// its controls and fonts grow by a rounded form of the program's screen
// scale, so that text stays readable without the controls drifting apart.
#pragma once

#include <QRect>
#include <QSize>

class QWidget;
class QFont;

namespace korvane::ui {

// The program's screen scale: screen width / 800 up to a width-to-height
// ratio of 101/75, beyond that (wide screens) 0.95 * screen height / 600.
double computeScreenScale(QSize screen);

// Factor for controls and fonts: round(screenScale * 800) / 800.
double controlFactor(double screenScale);
// The literature window grows more gently: round(sqrt(screenScale) * 800) / 1100.
double bookFactor(double screenScale);

// Client size after the screen adaptation (integer arithmetic as the
// layout was designed: width * Ws / 800, height * Hs / 600).
QSize screenScaledClient(QSize baseClient, QSize screen);

// Never larger than the available desktop: the client shrinks so that the
// window with its frame (frameExtra = frame minus client) still fits.
QSize fitClient(QSize client, QSize frameExtra, QSize available);

// Scales a length / a rectangle of the base layout by f (rounded).
int scaled(int length, double f);
QRect scaled(const QRect& r, double f);

// Arial with the given pixel height scaled by f.
QFont arialPx(int pixels, double f, bool bold = false);

// The screen the windows are laid out for (through the desktop layer, so
// that tests can pretend another screen) and the program's current screen scale.
QSize screenSize();
QRect availableArea();
double currentScreenScale();

// Places a top-level window in the middle of the available desktop.
void centreOnDesktop(QWidget* w);

// Typical window frame around the client area on this desktop (title bar
// and borders); used before the window is shown for the first time.
QSize typicalFrameExtra();

}  // namespace korvane::ui
