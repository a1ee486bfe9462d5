#include "ui/main/diagram_export.h"

#include <QDate>
#include <QFileInfo>
#include <QFontMetrics>
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

bool exportDiagramPdf(const QString& path, QSize size, const QString& title,
                      const DiagramPainter& draw) {
    if (size.width() <= 0 || size.height() <= 0) return false;
    // A page of the picture's own size (a CSS pixel is 0.75 pt), so that the
    // PDF shows what the PNG and the SVG show.
    const QPageSize pageSize(QSizeF(size) * 0.75, QPageSize::Point, QString(),
                             QPageSize::ExactMatch);
    return writePdfPage(path, title,
                        QPageLayout(pageSize, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)),
                        [&](QPainter& p) {
                            const double k = double(p.device()->width()) / size.width();
                            p.scale(k, k);
                            draw(p, size);
                        });
}

QString exportTitle(const QString& parameterFile, bool modified, const QString& state,
                    const QDate& date, int language) {
    QString file = parameterFile.isEmpty() ? texts::T(texts::habits::noParameterFile, language)
                                           : QFileInfo(parameterFile).fileName();
    if (modified && !parameterFile.isEmpty())
        file += QStringLiteral(" (") + texts::T(texts::mainWindow::modifiedMark, language) + ')';
    return QString::fromUtf8(texts::kProductName) + QStringLiteral(" \u2013 ") + file +
           QStringLiteral(" \u2013 ") + state + QStringLiteral(" \u2013 ") +
           date.toString(Qt::ISODate);
}

void drawTitledDiagram(QPainter& p, QSize size, const QString& title, const QFont& font,
                       const DiagramPainter& draw) {
    const QFontMetrics fm(font);
    const int strip = std::min(size.height() / 4, fm.height() * 3 / 2 + 2);
    p.save();
    p.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRect(fm.averageCharWidth(), 0, size.width(), strip),
               Qt::AlignLeft | Qt::AlignVCenter, title);
    p.translate(0, strip);
    draw(p, QSize(size.width(), std::max(1, size.height() - strip)));
    p.restore();
}

QString proposedExportName(const QString& parameterFile, const QString& folder,
                           const QString& suffix) {
    const QString base = parameterFile.isEmpty() ? QStringLiteral("Korvane")
                                                 : QFileInfo(parameterFile).completeBaseName();
    QString dir = folder;
    if (!dir.isEmpty() && !dir.endsWith('/')) dir += '/';
    return dir + base + QStringLiteral("_diagram.") + suffix;
}

}  // namespace korvane::ui
