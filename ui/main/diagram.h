// The result diagram: SIGMAV (black) and SIGMAW (blue) over the height z on
// a grid, with the section boundaries, the fill level and the heap foot as
// level lines, axis numbers, a legend and the funnel-flow warning.
//
// The mapping from (stress, height) to pixels is shared with the printed
// diagram: every drawing sets xZero / yZero / xScale / zScale first and
// then places everything with stressToX / heightToY.
#pragma once

#include <QFont>
#include <QPen>
#include <QPointF>
#include <QSize>
#include <QString>
#include <vector>

#include "calc/model.h"

class QPainter;

namespace korvane::ui {

struct DiagramMapping {
    double xZero = 0;   // pixel column of stress 0
    double yZero = 0;   // pixel row of height 0
    double xScale = 0;  // pixels per Pa
    double zScale = 0;  // pixels per m
};

// The program's one mapping state, shared by the screen and the printed diagram.
DiagramMapping& diagramMapping();

// Pixel column of a stress and pixel row of a height with the current
// mapping, rounded to the nearest integer (clamped to the int range; a value
// that is not a number maps to 0).
int stressToX(double stress);
int heightToY(double z);
int stressToX(const DiagramMapping& map, double stress);
int heightToY(const DiagramMapping& map, double z);

// Largest SIGMAV / SIGMAW over slices 1..Gesamtschritte, starting from 0;
// values that are not finite are skipped.
double diagramStressMax(const SiloModel& m);
// Total silo height Hschaft + hopper height + Hunttricht.
double diagramSiloHeight(const SiloModel& m);
// True when the results can be drawn as curves: all finite and not all zero.
bool diagramHasCurves(const SiloModel& m);

// The diagram's font: Arial at 8 x screenScale points (96 dpi).
QFont diagramFont(double screenScale);
// Curves drawn together with the model's own, each optional: the other
// stress state of the same silo (dashed, in the colours of the model's own
// curves) and a second silo to compare with (grey, dashed). Both join the
// diagram's scales so that every curve is fully visible.
// One line of the legend: a sample of the curve's pen and its name.
struct LegendEntry {
    QPen pen;
    QString name;
};
// A further curve (e.g. loads after another method): points (stress in Pa,
// height z in m), its pen and its legend name. Joins the stress scale.
struct DiagramCurve {
    std::vector<QPointF> points;
    QPen pen;
    QString name;
};
struct EnOverlay;  // ui/en1991_4/en_loads_display.h
struct DiagramExtras {
    const SiloModel* otherState = nullptr;
    const SiloModel* comparison = nullptr;
    QString comparisonName;  // file name of the comparison silo, for the legend
    std::vector<DiagramCurve> curves;
    // A height range zoomed into (zoomTo > zoomFrom), else the whole height.
    double zoomFrom = 0, zoomTo = 0;
    // The EN 1991-4 loads of the states shown (View > EN 1991-4 loads).
    const EnOverlay* en = nullptr;
    bool empty() const { return !otherState && !comparison && curves.empty() && !en; }
};

// The pens of the curves, one meaning per style: solid the model's own,
// dashed the other stress state, dash-dotted (in colours of their own) the
// comparison silo; dotted thin lines only for the heap part of the own curves.
QPen ownVerticalPen();
QPen ownWallPen();
QPen otherStateVerticalPen();
QPen otherStateWallPen();
QPen comparisonVerticalPen();
QPen comparisonWallPen();
// The legend entries of a drawing, in their order: own SIGMAV and SIGMAW,
// the other state's, the comparison's, then the further curves.
std::vector<LegendEntry> diagramLegend(const SiloModel& m, const DiagramExtras& extras,
                                       int language);

// Values read off the results at height z (from the outlet up, slice by
// slice): SIGMAV and SIGMAW at z (linear between the slice faces) and the
// density of the slice that holds z. False above the fill or below 0.
struct ValuesAtHeight {
    double sigmaV = 0, sigmaW = 0, rhoB = 0;
};
bool valuesAtHeight(const SiloModel& m, double z, ValuesAtHeight& out);
// The read-out of the diagram at height z: z, then the model's values and
// those of the other state and the comparison where shown, in the stress unit.
QString diagramReadout(const SiloModel& m, const DiagramExtras& extras, double z, int language);

// Largest stress and silo height of the model joined with the extras that
// have drawable curves; without extras the model's own values.
double diagramStressMax(const SiloModel& m, const DiagramExtras& extras);
double diagramScaleHeight(const SiloModel& m, const DiagramExtras& extras);

// Legend line of the two states: which is drawn solid, which dashed.
QString bothStatesLegend(const SiloModel& m, int language);
// Legend line of the comparison silo.
QString comparisonLegend(const QString& fileName, int language);

// True when the funnel-flow warning belongs over the curves of this model:
// discharge state, hopper present, no mass flow.
bool funnelFlowCurves(const SiloModel& m);

// Draws the whole diagram into an area of `size` pixels at the painter's
// origin. `mainWindowWidth` sets the density of the grid, `screenScale` the
// font (8 x screenScale points), `language` the texts (0 German, 1 English).
// Results that cannot be drawn leave the axes and level lines only.
void drawDiagram(QPainter& p, QSize size, const SiloModel& m, int mainWindowWidth,
                 double screenScale, int language);
// The same with extra curves and their legend lines.
void drawDiagram(QPainter& p, QSize size, const SiloModel& m, int mainWindowWidth,
                 double screenScale, int language, const DiagramExtras& extras);

}  // namespace korvane::ui
