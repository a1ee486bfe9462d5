#include "ui/main/diagram_export.h"

#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>

#include "ui/main/printing.h"
#include "ui/texts/texts.h"

namespace korvane::ui {

ExportFormat exportFormatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("svg")) return ExportFormat::Svg;
    if (suffix == QLatin1String("pdf")) return ExportFormat::Pdf;
    return ExportFormat::Png;
}

bool exportDiagramPng(const QString& path, int width, QSize size, const DiagramPainter& draw) {
    if (width <= 0 || size.width() <= 0 || size.height() <= 0) return false;
    const double k = static_cast<double>(width) / size.width();
    const int height = std::max(1, static_cast<int>(std::lround(size.height() * k)));
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) return false;  // more memory than there is
    image.fill(Qt::white);
    {
        // The screen's drawing at the screen's size, enlarged as a whole, so
        // that lines, texts and legend keep their proportions.
        QPainter p(&image);
        p.scale(k, k);
        draw(p, size);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    QImageWriter writer(&file, "png");
    if (!writer.write(image)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool exportDiagramSvg(const QString& path, QSize size, const QString& title,
                      const DiagramPainter& draw) {
    if (size.width() <= 0 || size.height() <= 0) return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        // The size is written in millimetres; at 96 dpi, the CSS pixel,
        // a browser shows the drawing at the size the screen shows it.
        svg.setResolution(96);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(title);
        svg.setDescription(QString::fromUtf8(texts::kProductName));
        QPainter p;
        if (!p.begin(&svg)) {
            file.cancelWriting();
            return false;
        }
        draw(p, size);
        if (!p.end()) {
            file.cancelWriting();
            return false;
        }
    }
    return file.commit();
}

bool exportDiagramPdf(const QString& path, const QString& title, const PagePainterFn& page) {
    // The page of the printed diagram: A4 upright, whatever the printer set-up holds.
    return writePdfPage(path, title,
                        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                    QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter),
                        page);
}

}  // namespace korvane::ui
