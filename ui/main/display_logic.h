// Logic of the result displays that tests call without a window: the
// decimals of z, the section flags, the row strides and the row selection
// shared by the screen columns and the printed table, and the grid-step
// rule shared by the screen diagram and the printed diagram.
#pragma once

#include <vector>

#include "calc/model.h"

namespace korvane::ui {

// Decimals of z: 7 - log10(100 * fill height), rounded (12 m -> 4).
int zDecimals(double fillHeight);

// Which sections of the silo get rows of their own.
struct SectionFlags {
    bool shaft = false;   // the heap foot lies above the top of the hopper
    bool hopper = false;  // the fill reaches into the hopper
    bool below = false;   // a vertical part below the hopper
};
SectionFlags sectionFlags(const SiloModel& m);

// Every how many slices a row is shown, per section (0: section absent).
struct Strides {
    int shaft = 0, hopper = 0, below = 0;
};
// Screen: R rows available for the slices.
Strides screenStrides(const SiloModel& m, int rowsAvailable);
// Printed page: about 40 rows per fill height in shaft and below, 45 in the hopper.
Strides pageStrides(const SiloModel& m);

// The position a row marks: the top of the fill, the foot of the heap, the
// bottom of the shaft or of the hopper, the outlet; most rows mark none.
enum class RowLabel { Blank, FillTop, HeapFoot, ShaftBottom, HopperBottom, Outlet };

struct SelectedRow {
    int index = 0;        // slice index i
    RowLabel label = RowLabel::Blank;
    double z = 0;         // height of the slice's upper face
};
// Slice rows chosen by the counter / clamping rule; zStart is the running
// height at the top of slice 1 (sum of Dz on screen, Fuellhoehe - Hkegel on
// the printed table). Sets m.Zlauf to the height left after the last slice.
std::vector<SelectedRow> selectRows(SiloModel& m, const Strides& k, double zStart);

struct GridStep {
    int multiplier = 0;  // 2, 5, 10 or 20
    double decade = 0;
    double spacing() const { return multiplier * decade / 10.0; }
};
// Grid-step rule for the range a - b. Where no multiplier fits (ranges of
// fewer than 10 or more than 99 units of the decade) the nearest is taken.
GridStep gridStep(double a, double b);

}  // namespace korvane::ui

// ---- additions used by the main window ------------------------------------
#include <QRect>
#include <QSize>
#include <QString>

namespace korvane::ui {

// Whole lines that fit into a column: column height / line height, the
// fraction of a last line dropped so that the last row is never cut.
int visibleLines(int columnHeight, int lineHeight);
// Rows left for the slices once the forced rows are reserved:
// L - 4 * (sections with rows) - 2, never below 1.
int rowsAvailable(int visibleLines, const SectionFlags& f);

// Slice rows of the screen columns for L visible lines. The strides come
// from the rows available (L less the reserve for forced rows); where the
// forced rows and the rounding of the strides would still run past the last
// visible line (`extraRows` counts the heap row and the outlet row), the
// rows available are lowered until every row is visible.
std::vector<SelectedRow> selectScreenRows(SiloModel& m, int visibleLines, int extraRows,
                                          double zStart);

// Fixed-point number as the result columns show it: at most 8 significant
// digits, `decimals` decimals (0 = integer, no separator), the given decimal
// separator, no digit grouping. Values that need more than 8 digits before the
// separator are written in scientific notation; non-finite values give "".
QString formatResult(long double value, int decimals, QChar decimalPoint);

// Screen factors of the main window, from the whole screen and the part left
// by the task bar (or panels).
struct ScreenFactors {
    double wideScreenFactor = 1.0;  // width over height against 4:3, at least 1
    double screenScale = 1.0;       // screen against the 800 x 600 design screen
    QSize windowSize;       // screen less the task bar
    double formScale = 1.0; // factor for positions, sizes and fonts of the window
    int dx = 0, dy = 0;     // width / height taken by the task bar
};
ScreenFactors computeScreenFactors(const QRect& geometry, const QRect& available);

}  // namespace korvane::ui

namespace korvane::ui {

// Grid of a screen axis: a step of 1, 2, 2.5 or 5 times a power of ten that
// gives between 4 and 8 labelled lines over `range`, with at least
// `minGap` pixels between lines over `pixels`; where the axis is too short
// for four such lines, the finest step that keeps the gap (at least one line).
// 0 for a range or length that is not positive and finite.
double axisGridStep(double range, double pixels, double minGap);

}  // namespace korvane::ui
