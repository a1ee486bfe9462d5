// What the desktop shows of the EN 1991-4 loads, decided without a window:
// the summary lines of the EN 1991-4 window (classification, geometry,
// factors, characteristic values, unverified parts, or the reasons outside the
// standard's scope), the load table at the rows of the printed result table,
// its tab-separated copy, and the curves the diagram adds beside SIGMAV and
// SIGMAW.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "calc/en1991_4.h"
#include "calc/model.h"

namespace korvane::ui {

// Unit of the loads in the window, its copy and its printout.
enum class EnUnit { KiloPascal, Pascal };

// The loads of the model's silo with its EN inputs, as the desktop shows
// them. A model that has not been through the parameter form's take-over
// (the default silo at program start) lacks its filled volume, which the
// action assessment class needs: it is derived on a copy first.
EnResult enLoadsOfModel(const SiloModel& m);

// ---- summary ----------------------------------------------------------------
struct EnSummaryLine {
    QString label;        // e.g. "C_h"; a heading has no value
    QString value;        // with its unit
    bool heading = false;
    bool unverified = false;  // shows "not verified against a published example"
};
// The summary in the given language (0 German, 1 English). Inside the scope:
// classification, geometry, factors, characteristic values per load and the
// unverified parts; outside: the heading and one line per reason. The
// assumption (free-flowing solid, concentric filling and discharge) always ends it.
std::vector<EnSummaryLine> enSummary(const EnResult& r, int language);
// The same as plain text lines ("label: value  (note)"), for tests and the printout.
QStringList enSummaryText(const std::vector<EnSummaryLine>& lines, int language);

// ---- load table ----------------------------------------------------------------
// One of the load columns, in the order of the batch tool's load file.
enum class EnColumn { p_hf, p_wf, p_vf, p_he, p_we, p_nf, p_tf, p_ne, p_te };
constexpr int kEnColumnCount = 9;

struct EnTableRow {
    QString label;   // position (fill top, transition, outlet) or empty
    double z = 0;    // height above the outlet, m
    EnLoadRow loads; // empty values where the load does not act
};
// The loads at the rows of the printed result table (the same heights and
// position labels); the transition gets its wall row and its hopper row.
// Empty outside the scope.
std::vector<EnTableRow> enTableRows(const SiloModel& m, const EnResult& r, int language);

double enColumnValue(const EnLoadRow& row, EnColumn c);
// True when the column's values rest on a rule no published example checks.
bool enColumnUnverified(const EnResult& r, EnColumn c);
// Column heads: "Position", "z [m]" and the nine loads with the unit; a
// load resting on an unverified rule is marked with "*".
QStringList enTableHeads(const EnResult& r, EnUnit unit);
// A load in the unit: kPa with 2 decimals, Pa with 0; "" for an empty value.
QString enLoadText(double pascal, EnUnit unit, QChar decimalPoint);
// The table as tab-separated text, head line first, in the desktop's
// notation without digit grouping, as the result table's copy.
QString enTableClipboardText(const EnResult& r, const std::vector<EnTableRow>& rows, EnUnit unit);

// ---- curves in the diagram ---------------------------------------------------------------
// One EN curve: points (stress in Pa, height z in m) from the highest wall
// contact down to the outlet; wall normal loads are drawn in the colour of
// SIGMAW, vertical loads in that of SIGMAV.
struct EnCurve {
    std::vector<std::pair<double, double>> points;
    bool wallNormal = false;  // p_hf / p_nf / p_he / p_ne, else p_vf / p_v
    bool discharge = false;
};
struct EnOverlay {
    bool inScope = false;
    bool filling = false, discharge = false;  // the states drawn
    bool hopper = false;  // the loads run on into a hopper (p_nf, p_v, p_ne)
    std::vector<EnCurve> curves;
    // The loads the curves come from: the diagram's read-out takes the values
    // at a height from them, as the EN 1991-4 table does.
    EnResult loads;
    double stressMax() const;  // largest finite load of the curves, 0 without
};
// Curves of the states asked for: filling p_hf (walls) / p_nf (hopper) and
// p_vf / p_v; discharge p_he / p_ne.
EnOverlay enOverlay(const EnResult& r, bool filling, bool discharge);

}  // namespace korvane::ui
