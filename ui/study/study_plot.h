// What the parameter study window plots, without widgets: the chosen result
// over the first varied field, one curve per value of the second one, and
// axes with round tick values that enclose every point.
#pragma once

#include <string>
#include <vector>

#include "files/vary.h"

namespace korvane::ui {

// The results a study row carries, in the order of the window's choice.
enum StudyResult : int {
    kResultContents = 0,      // Fuellmenge, kg
    kResultOutletStress,      // SIGMAV at the outlet, Pa
    kResultLargestWallStress, // largest SIGMAW, Pa
    kResultHeightOfLargest,   // its height above the outlet, m
    kResultCount
};

// The chosen result of a row; NaN for a run that was not calculated.
double studyResultValue(const VaryRow& row, int result);

struct PlotAxis {
    double lo = 0, hi = 1;       // the axis runs from lo to hi
    std::vector<double> ticks;   // round values lo <= t <= hi, ascending
};

// An axis from lo to hi widened to round tick steps (1, 2 or 5 times a power
// of ten) with at most about `maxTicks` ticks; an empty range is widened
// around its value.
PlotAxis niceAxis(double lo, double hi, int maxTicks = 8);

struct StudyCurve {
    bool hasSecond = false;
    double second = 0;           // the second field's value of this curve
    std::vector<double> x, y;    // in the order of the first field; y NaN = gap
};

struct StudyPlot {
    PlotAxis x, y;
    std::vector<StudyCurve> curves;
    long long points = 0;        // calculated points plotted
};

// The plot of `rows` (in the study's order, the first field slowest): x the
// first varied value, y the result; one curve per value of the second field.
StudyPlot makeStudyPlot(const std::vector<VaryRow>& rows, int result);

}  // namespace korvane::ui
