// The EN 1991-4 loads in the result diagram's legend (screen, export and
// printed page): per state drawn the wall normal load and (filling) the
// vertical load, each named after a sample of its line; outside the
// standard's scope a note instead. The curves themselves are part of the
// result picture (ui/main/result_picture.h) in the styles it gives them:
// the wall normal loads in the colour of SIGMAW, the vertical loads in that
// of SIGMAV, dash-dotted for filling and dash-dot-dotted for discharge.
#pragma once

#include <QString>
#include <vector>

#include "ui/main/result_picture.h"

namespace korvane::ui {

struct EnOverlay;

// The legend entries of the overlay's curves; outside the scope one entry
// without a line sample holding the note.
std::vector<LegendEntry> enLegendEntries(const EnOverlay& o, int language);

// The legend line of a state as text (tests, widths); the hopper's loads
// are named only where the silo has a hopper.
QString enLegendText(bool discharge, bool hopper, int language);

// Name of an EN curve as its legend gives it ("p_hf / p_nf", "p_vf / p_v",
// "p_he / p_ne"; without a hopper the wall's name alone).
QString enCurveName(bool wallNormal, bool discharge, bool hopper);

}  // namespace korvane::ui
