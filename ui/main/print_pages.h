// The two printed pages, painted onto any paint device (printer, PDF writer,
// image) in logical units of 0.1 mm with the origin at the top left corner of
// the printable area. The print commands in printing.h choose the device.
#pragma once

#include <QString>
#include <vector>

#include "calc/model.h"
#include "ui/main/diagram.h"
#include "ui/main/display_logic.h"
#include "ui/main/printing.h"

class QFontMetrics;
class QPainter;

namespace korvane::ui {

// The Position column's name of a marked row (empty for a plain row).
QString rowLabel(RowLabel l, int language);

// Sets the painter's window and viewport so that one logical unit is 0.1 mm
// on its device (from the device's resolution), x to the right, y downwards.
void setPageMapping(QPainter& p);

// Result table: header, status lines, one row per selected slice with the
// page strides, the outlet row and the funnel-flow warning. The painter must
// be active on its device; the model is not changed.
void paintTablePage(QPainter& p, const SiloModel& m, const PrintStatus& status,
                    const QString& parameterFile, bool changed, int language);

// Result diagram: header, stress and height grid, level lines, the
// picture's curves with their legend, frame and funnel-flow warning. Returns
// the mapping of the diagram area (page units from the area's top left
// corner, 15 mm right of and 25 mm below the printable area's).
DiagramMapping paintDiagramPage(QPainter& p, const ResultPicture& picture,
                                const QString& parameterFile, bool changed, int language);
// The picture of a model with the view options the screen shows.
DiagramMapping paintDiagramPage(QPainter& p, const SiloModel& m, const QString& parameterFile,
                                bool changed, int language,
                                const DiagramExtras& extras = DiagramExtras{});

// ---- the grid rules of the printed diagram, exposed for tests -----------

// Height grid: the screen's grid-step rule over the fill height in whole
// centimetres, the values z = 0, step, 2 step, ... below the fill height (at most
// a fixed number of lines). Empty for a fill height that is not positive.
std::vector<double> printedHeightGrid(double fillHeight);

// Stress grid for a stress range of xmax (xmin = -xmax / 9): the spacing in
// whole Pa (0 = no grid) and the grid values from the first multiple of the
// spacing above xmin up to below xmax (at most a fixed number of lines).
struct StressGrid {
    double gx = 0;
    std::vector<double> values;
};
StressGrid printedStressGrid(double xmax);

// The bracketed parameter file of a printed header, for a line `width`
// page units wide: a path too long has its folders shortened in the middle
// ("…"); the file name always stays whole.
QString headerFileText(const QFontMetrics& fm, const QString& parameterFile, int language,
                       int width);

}  // namespace korvane::ui
