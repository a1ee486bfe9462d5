// The result diagram written to a file: PNG and SVG drawn by the screen's
// diagram code at the size the window shows it (a PNG scaled to the chosen
// width), PDF as the printed diagram page. A file appears only complete.
#pragma once

#include <QFont>
#include <QSize>
#include <QString>
#include <functional>

class QDate;
class QPainter;

namespace korvane::ui {

enum class ExportFormat { Png, Svg, Pdf };

// The format a file name asks for by its suffix (case-insensitive); PNG for
// any other suffix.
ExportFormat exportFormatOf(const QString& path);

constexpr int kDefaultExportWidth = 1600;

// Draws a diagram of `size` logical pixels at the painter's origin.
using DiagramPainter = std::function<void(QPainter&, QSize)>;
// Paints one page in the page mapping of the printed diagram.
using PagePainterFn = std::function<void(QPainter&)>;

// PNG of `width` pixels; its height keeps the proportions of `size`.
bool exportDiagramPng(const QString& path, int width, QSize size, const DiagramPainter& draw);
// SVG of `size` pixels.
bool exportDiagramSvg(const QString& path, QSize size, const QString& title,
                      const DiagramPainter& draw);
// PDF of one A4 page.
bool exportDiagramPdf(const QString& path, const QString& title, const PagePainterFn& page);
// PDF of one page of `size` pixels (at 96 dpi) with the same picture as PNG and SVG.
bool exportDiagramPdf(const QString& path, QSize size, const QString& title,
                      const DiagramPainter& draw);

// Title line of an exported picture: product, parameter file (its name, the
// change mark), state and date.
QString exportTitle(const QString& parameterFile, bool modified, const QString& state,
                    const QDate& date, int language);
// The title on a white strip at the top, the diagram below it in the rest of `size`.
void drawTitledDiagram(QPainter& p, QSize size, const QString& title, const QFont& font,
                       const DiagramPainter& draw);
// The file name the export dialog proposes: "<parameter file>_diagram.<suffix>"
// in `folder` ("Korvane_diagram" without a parameter file).
QString proposedExportName(const QString& parameterFile, const QString& folder,
                           const QString& suffix);

}  // namespace korvane::ui
