// The result diagram written to a file: PNG and SVG drawn by the screen's
// diagram code at the size the window shows it (a PNG scaled to the chosen
// width), PDF as the printed diagram page. A file appears only complete.
#pragma once

#include <QSize>
#include <QString>
#include <functional>

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

}  // namespace korvane::ui
