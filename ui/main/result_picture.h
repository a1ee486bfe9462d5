// One picture of the results: what the result diagram shows of a silo and
// the view options, decided once and without a painter. The screen diagram
// (diagram.h), the printed page (print_pages.h) and the exported files only
// map this picture to their device: every curve is built here, from the
// outlet up, with one index range and one finiteness check, and every style
// has one meaning on every device.
#pragma once

#include <QColor>
#include <QPointF>
#include <QString>
#include <vector>

#include "calc/model.h"
#include "ui/main/desktop_habits.h"

namespace korvane::ui {

struct EnOverlay;  // ui/en1991_4/en_loads_display.h

// ---- styles: one meaning per style -------------------------------------------
// Whose curve a line is.
enum class CurveSet {
    Own,          // the model's own results, in the state chosen in the form
    OtherState,   // the same silo in the other stress state
    Comparison,   // a second silo compared with
    EnFilling,    // EN 1991-4 loads, filling
    EnDischarge,  // EN 1991-4 loads, discharge
};
// Which stress it is: vertical (SIGMAV, p_vf, p_v) or on the wall (SIGMAW,
// p_hf, p_nf, p_he, p_ne).
enum class StressKind { Vertical, Wall };
enum class LinePattern { Solid, Dashed, DashDotted, DashDotDotted, Dotted, None };

struct CurveStyle {
    CurveSet set = CurveSet::Own;
    StressKind stress = StressKind::Vertical;
    QColor colour;
    LinePattern pattern = LinePattern::Solid;
    bool operator==(const CurveStyle& o) const {
        return set == o.set && stress == o.stress && colour == o.colour && pattern == o.pattern;
    }
};
// The one table of styles: solid the own results, dashed the other state
// (in the own colours), dash-dotted in colours of their own the comparison
// silo, dash-dotted in the own colours EN 1991-4 filling, dash-dot-dotted EN
// 1991-4 discharge. Black / blue for vertical / wall stresses.
CurveStyle curveStyle(CurveSet set, StressKind stress);
// Over a heap the own SIGMAV runs on dotted to the heap tip: dotted means
// nothing else.
CurveStyle heapPartStyle();

// ---- the parts of the picture --------------------------------------------------
// One curve: points (stress in Pa, height z in m above the outlet) and its
// style; the heap part is the short line from the curve's top on to the
// height axis (SIGMAV to the heap tip, SIGMAW horizontally at the heap foot).
struct DiagramCurve {
    CurveStyle style;
    std::vector<QPointF> points;
    std::vector<QPointF> heapPart;  // empty or two points
    CurveStyle heapStyle;
};

// One line of the legend: a sample of the curve's style and its name. A
// style with LinePattern::None is a note without a sample.
struct LegendEntry {
    CurveStyle style;
    QString name;
};

// Legend lines that belong together share a row: SIGMAV and SIGMAW of one
// silo or state, the two EN 1991-4 filling loads. The words their names
// share are written once, before or after the line samples.
struct LegendRow {
    QString prefix;
    std::vector<LegendEntry> items;  // each with the part of its name of its own
    QString suffix;
};
std::vector<LegendRow> legendRows(const std::vector<LegendEntry>& legend);

// A level line (section boundary, fill level, heap foot) with its label, or
// a mark of the compared silo's level.
struct DiagramLevel {
    double z = 0;
    QString label;
    QColor colour;
};

// What is drawn at once for a silo and the view options.
struct ResultPicture {
    // The own results can be drawn: all finite and not all zero.
    bool ownCurves = false;
    // Largest stress of every curve drawn (Pa), 0 without curves: the stress scale.
    double stressMax = 0;
    // The own silo's height and the height the scale spans (a taller
    // comparison silo included), m; the own fill height and the highest
    // fill shown (a compared silo's included), which the printed height grid spans.
    double ownHeight = 0, height = 0, fillHeight = 0, highestFill = 0;
    // The height range shown: zLow on the base line, zHigh at the top.
    double zLow = 0, zHigh = 0;
    bool zoomed() const { return zLow > 0 || zHigh < height; }

    // In drawing order: the first lie under the later ones, the own last.
    std::vector<DiagramCurve> curves;
    // The own levels, and the outlet's label in the colour of the last level.
    std::vector<DiagramLevel> levels;
    QString outletLabel;
    QColor outletColour;
    // Marks of the compared silo's levels (fill, transition, hopper bottom).
    std::vector<DiagramLevel> comparedLevels;
    // One entry per curve shown, then the EN 1991-4 notes.
    std::vector<LegendEntry> legend;
    // Funnel flow in a state shown: the warning as the printed table heads
    // it, and the note that it concerns the discharge state.
    bool funnelFlow = false;
    QString funnelFlowWarning;
    QString funnelFlowNote;

    // The stress unit of axis numbers and legend; the height axis' label.
    StressUnit unit = StressUnit::Pa;
    QString heightAxisLabel;
};

// The view options of a diagram: the curves shown with the model's own.
// Each is optional: the other stress state of the same silo, a second silo
// to compare with, the EN 1991-4 loads; all join the scales so that every
// curve is fully visible.
struct DiagramExtras {
    const SiloModel* otherState = nullptr;
    const SiloModel* comparison = nullptr;
    QString comparisonName;  // file name of the comparison silo, for the legend
    // A height range zoomed into (zoomTo > zoomFrom), else the whole height.
    double zoomFrom = 0, zoomTo = 0;
    // The EN 1991-4 loads of the states shown (View > EN 1991-4 loads).
    const EnOverlay* en = nullptr;
    bool empty() const { return !otherState && !comparison && !en; }
};

// The picture of the model's results with the view options, texts in
// `language` (0 German, 1 English), stresses in `unit`.
ResultPicture resultPicture(const SiloModel& m, const DiagramExtras& view, int language,
                            StressUnit unit);

// ---- rules of the picture, also used by the read-out and tests -------------------
// Largest SIGMAV / SIGMAW over slices 1..Gesamtschritte, starting from 0;
// values that are not finite are skipped.
double diagramStressMax(const SiloModel& m);
// Total silo height Hschaft + hopper height + Hunttricht.
double diagramSiloHeight(const SiloModel& m);
// True when the results can be drawn as curves: all finite and not all zero.
bool diagramHasCurves(const SiloModel& m);
// Largest stress and silo height of the model joined with the extras that
// have drawable curves; without extras the model's own values.
double diagramStressMax(const SiloModel& m, const DiagramExtras& extras);
double diagramScaleHeight(const SiloModel& m, const DiagramExtras& extras);
// True when the funnel-flow warning belongs over the curves of this model:
// discharge state, hopper present, no mass flow.
bool funnelFlowCurves(const SiloModel& m);
// The stress curve of one result array (SIGMAV or SIGMAW): from the outlet
// (z = 0) up to the surface, the stress at the lower face of every slice,
// the height growing by each slice's thickness.
std::vector<QPointF> stressCurve(const SiloModel& m, const double* sigma);

}  // namespace korvane::ui
