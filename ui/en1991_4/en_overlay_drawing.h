// Drawing the EN 1991-4 curves into the result diagram (screen, export and
// printed page): the wall normal loads in the colour of SIGMAW, the vertical
// loads in that of SIGMAV, dash-dotted for filling and dash-dot-dotted for
// discharge, with legend lines naming them; outside the standard's scope a
// note instead of curves.
#pragma once

#include <QColor>
#include <QPoint>
#include <QString>
#include <QPen>
#include <functional>
#include <utility>
#include <vector>

class QPainter;

namespace korvane::ui {

struct EnOverlay;

// Device position of (stress in Pa, height in m).
using EnMapping = std::function<QPoint(double stress, double z)>;

// The curves of `o` with pens `penWidth` device units wide.
void drawEnCurves(QPainter& p, const EnOverlay& o, const EnMapping& at, double penWidth,
                  const QColor& vertical, const QColor& wallNormal);

// Legend lines of the curves (one per state drawn), or the note outside the
// scope, right-aligned at `right` from `top` down; `top` moves below them.
// `sample` is the length of the line samples, `gap` the space after a line.
void drawEnLegend(QPainter& p, const EnOverlay& o, int right, int& top, int language,
                  double penWidth, int sample, int gap, const QColor& vertical,
                  const QColor& wallNormal);

// The legend entries of the curves for a legend of line samples: per state
// drawn the wall normal load and (filling) the vertical load, each with its
// pen; outside the scope one entry without a line holding the note.
std::vector<std::pair<QPen, QString>> enLegendEntries(const EnOverlay& o, int language,
                                                      double penWidth, const QColor& vertical,
                                                      const QColor& wallNormal);

// The legend line of a state as text (tests, widths); the hopper's loads
// are named only where the silo has a hopper.
QString enLegendText(bool discharge, bool hopper, int language);

}  // namespace korvane::ui
