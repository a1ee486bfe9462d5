// The result diagram on the screen (and in the exported files): the result
// picture (result_picture.h) mapped to pixels on a grid, with axis numbers,
// level lines, a legend strip above the plot and the funnel-flow note.
//
// Every drawing returns its mapping from (stress, height) to pixels; the
// read-out under the mouse and the zoom use the mapping of the drawing shown.
#pragma once

#include <QFont>
#include <QPen>
#include <QSize>
#include <QString>

#include "calc/model.h"
#include "ui/main/result_picture.h"

class QPainter;

namespace korvane::ui {

struct DiagramMapping {
    double xZero = 0;   // pixel column of stress 0
    double yZero = 0;   // pixel row of height 0
    double xScale = 0;  // pixels per Pa
    double zScale = 0;  // pixels per m
    double zLow = 0, zHigh = 0;  // the height range shown (base line, top)
};

// Pixel column of a stress and pixel row of a height, rounded to the
// nearest integer (clamped to the int range; a value that is not a number
// maps to 0).
int stressToX(const DiagramMapping& map, double stress);
int heightToY(const DiagramMapping& map, double z);
// The height at a pixel row.
double yToHeight(const DiagramMapping& map, double y);

// The diagram's font: Arial at 8 x screenScale points (96 dpi).
QFont diagramFont(double screenScale);

// The screen's pen of a style: 3 pixels for the own curves, 2 for the
// others; dashes in Qt's patterns.
QPen screenPen(const CurveStyle& style);
QPen ownVerticalPen();
QPen ownWallPen();
QPen otherStateVerticalPen();
QPen otherStateWallPen();
QPen comparisonVerticalPen();
QPen comparisonWallPen();

// Values read off the results at height z (from the outlet up, slice by
// slice): SIGMAV and SIGMAW at z (linear between the slice faces) and the
// density of the slice that holds z. False above the fill or below 0.
struct ValuesAtHeight {
    double sigmaV = 0, sigmaW = 0, rhoB = 0;
};
bool valuesAtHeight(const SiloModel& m, double z, ValuesAtHeight& out);
// The read-out of the diagram at height z: z, then the model's values and
// those of the other state and the comparison where shown, and the EN
// 1991-4 loads at z while they are shown, in the stress unit.
QString diagramReadout(const SiloModel& m, const DiagramExtras& extras, double z, int language,
                       StressUnit unit);

// Draws the picture into an area of `size` pixels at the painter's origin,
// texts in the diagram font of `screenScale`. Results that cannot be drawn
// leave the axes and level lines only. Returns the mapping used.
DiagramMapping drawDiagram(QPainter& p, QSize size, const ResultPicture& picture,
                           double screenScale);
// The picture of a model with the view options, drawn in the program's
// stress unit (`mainWindowWidth` is not used: the grid follows the size).
DiagramMapping drawDiagram(QPainter& p, QSize size, const SiloModel& m, int mainWindowWidth,
                           double screenScale, int language,
                           const DiagramExtras& extras = DiagramExtras{});

}  // namespace korvane::ui
