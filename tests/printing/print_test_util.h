// Silos for the printing tests and helpers that turn a printed page into
// text (through the PDF tools) or into an image.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "calc/form_logic.h"
#include "calc/model.h"
#include "ui/document/silodocument.h"

class QPainter;

namespace korvane::test {

// The printing tests' silo document, as the main window would hand it to
// the print commands. The silos below are built in its model.
ui::SiloDocument& document();

// The default silo (shaft 6 m, hopper, 9 m fill), calculated in the
// filling state, in document()'s model.
SiloModel& defaultSilo();

// The default silo changed through the parameter form's values and
// calculated; `change` edits the form's controls. Fails the test on a
// refused parameter set.
SiloModel& formSilo(const std::function<void(FormInput&)>& change);

// Heap of 30 deg on the default silo, discharge state (funnel flow).
SiloModel& heapFunnelSilo();

// Shaft only, 20 m, filled to the top without heap.
SiloModel& shaftOnlySilo();

// The page painted by `paint` as a 1200 dpi A4 PDF (5 mm margins) in `path`.
bool pagePdf(const QString& path, const std::function<void(QPainter&)>& paint);
// Output of a poppler tool on a file ("" when the tool is missing).
QString runTool(const QString& tool, const QStringList& args);
bool haveTool(const QString& tool);
// The page's text lines, as pdftotext -layout writes them, blanks trimmed at the ends.
QStringList pdfLines(const QString& path);

// The page painted on an A4 image of the given resolution, white background.
QImage pageImage(int dpi, const std::function<void(QPainter&)>& paint);

// A scratch folder for one test (removed by the caller's QTemporaryDir).
QString scratchDir();

}  // namespace korvane::test

namespace korvane::test {

// One word of a PDF page with its box in points from the page's top left.
struct PdfWord {
    QString text;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};
std::vector<PdfWord> pdfWords(const QString& path);
// Page position in points of a length in 0.1 mm from the printable area's
// top left corner (5 mm margins).
double unitsToPt(double units);

}  // namespace korvane::test

#include <ostream>

// Readable QStrings in test failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
