// Logic of the result displays that tests call without a window: the
// decimals of z, the section flags, the row strides and the row selection
// shared by the screen columns and the printed table, and the grid-step
// rule shared by the screen diagram and the printed diagram.
#pragma once

#include <vector>

#include "calc/model.h"

namespace korvane::ui {

// Decimals of z: 7 - log10(100 * Fuellhoehe), rounded (12 m -> 4).
int zDecimals(double Fuellhoehe);

struct SectionFlags {
    bool S = false, T = false, U = false;  // shaft rows, hopper rows, rows below
};
SectionFlags sectionFlags(const SiloModel& m);

struct Strides {
    int kS = 0, kT = 0, kU = 0;
};
// Screen: R rows available for the slices.
Strides screenStrides(const SiloModel& m, int rowsAvailable);
// Printed page: about 40 rows per fill height in shaft and below, 45 in the hopper.
Strides pageStrides(const SiloModel& m);

enum class RowLabel { Blank, OkFuellg, UkKegel, UkSchaft, UkTricht, Auslauf };

struct SelectedRow {
    int index = 0;        // slice index i
    RowLabel label = RowLabel::Blank;
    double z = 0;         // height of the slice's upper face (running Zlauf)
};
// Slice rows chosen by the counter / clamping rule; zStart is the running
// height at the top of slice 1 (sum of Dz on screen, Fuellhoehe - Hkegel on
// the printed table). Sets m.Zlauf to the height left after the last slice.
std::vector<SelectedRow> selectRows(SiloModel& m, const Strides& k, double zStart);

struct GridStep {
    int s = 0;       // multiplier 2, 5, 10 or 20
    double d = 0;    // decade
    double spacing() const { return s * d / 10.0; }
};
// Grid-step rule for the range a - b. Where no multiplier fits (ranges of
// fewer than 10 or more than 99 units of the decade) the nearest is taken.
GridStep Rasterschritt(double a, double b);

}  // namespace korvane::ui
