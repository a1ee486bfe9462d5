// Draws the two pictures of the literature window: the cover and an open
// page spread of the book on bulk solids technology. Run once by hand; the
// JPEG files it writes are kept with the sources.
//
//   makepictures <output folder>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <cmath>
#include <cstdio>

namespace {

// A silo outline: shaft and conical hopper, with a heap on the surface.
void drawSilo(QPainter& p, QRectF box, const QColor& wall, const QColor& fill) {
    const double w = box.width() * 0.5, x0 = box.center().x() - w / 2;
    const double top = box.top() + box.height() * 0.12;
    const double shaftBottom = box.top() + box.height() * 0.62;
    const double outletW = w * 0.16;
    const double bottom = box.bottom();
    QPainterPath contents;
    contents.moveTo(x0, top + box.height() * 0.12);
    contents.lineTo(x0 + w / 2, top + box.height() * 0.02);
    contents.lineTo(x0 + w, top + box.height() * 0.12);
    contents.lineTo(x0 + w, shaftBottom);
    contents.lineTo(x0 + w / 2 + outletW / 2, bottom);
    contents.lineTo(x0 + w / 2 - outletW / 2, bottom);
    contents.lineTo(x0, shaftBottom);
    contents.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(contents);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(wall, 2.5));
    QPolygonF outline;
    outline << QPointF(x0, top) << QPointF(x0, shaftBottom)
            << QPointF(x0 + w / 2 - outletW / 2, bottom)
            << QPointF(x0 + w / 2 + outletW / 2, bottom) << QPointF(x0 + w, shaftBottom)
            << QPointF(x0 + w, top);
    p.drawPolyline(outline);
    p.drawLine(QPointF(x0 - 6, top), QPointF(x0 + w + 6, top));
}

// Janssen-like stress curve (approaches an asymptote) and a hopper peak.
void drawStressCurves(QPainter& p, QRectF box, const QColor& axis, const QColor& c1,
                      const QColor& c2) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(axis, 1.2));
    p.drawLine(box.bottomLeft(), box.topLeft());
    p.drawLine(box.bottomLeft(), box.bottomRight());
    QPainterPath sv, sw;
    const int n = 60;
    for (int i = 0; i <= n; ++i) {
        const double t = double(i) / n;  // 0 at the surface (top), 1 at the outlet
        double s = 1.0 - std::exp(-3.0 * t);
        if (t > 0.62) s *= 1.0 - 0.9 * (t - 0.62) / 0.38;  // hopper: falls to the outlet
        const double y = box.top() + t * box.height();
        const QPointF a(box.left() + s * box.width() * 0.9, y);
        const QPointF b(box.left() + s * box.width() * 0.55 *
                                         (t > 0.62 ? 1.0 + 0.8 * std::sin((t - 0.62) * 8) : 1.0),
                        y);
        if (i == 0) {
            sv.moveTo(a);
            sw.moveTo(b);
        } else {
            sv.lineTo(a);
            sw.lineTo(b);
        }
    }
    p.setPen(QPen(c1, 2.2));
    p.drawPath(sv);
    p.setPen(QPen(c2, 2.2, Qt::DashLine));
    p.drawPath(sw);
}

// Grey bars that read as lines of text.
void drawTextLines(QPainter& p, QRectF box, double lineStep, const QColor& c, quint32 seed) {
    QRandomGenerator rng(seed);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    for (double y = box.top(); y + 2 < box.bottom(); y += lineStep) {
        const bool paragraphEnd = rng.bounded(7) == 0;
        const double len = paragraphEnd ? box.width() * (0.3 + rng.bounded(40) / 100.0)
                                         : box.width() * (0.94 + rng.bounded(6) / 100.0);
        p.drawRect(QRectF(box.left(), y, len, lineStep * 0.38));
    }
}

QImage cover() {
    QImage img(361, 500, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 500);
    g.setColorAt(0, QColor(20, 52, 96));
    g.setColorAt(1, QColor(8, 24, 48));
    p.fillRect(img.rect(), g);
    p.fillRect(QRect(0, 0, 14, 500), QColor(196, 140, 36));  // spine band

    p.setPen(QColor(240, 200, 90));
    QFont f("Liberation Serif");
    f.setPixelSize(34);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(30, 28, 310, 90), Qt::AlignLeft | Qt::TextWordWrap, "Bulk Solids\nTechnology");
    f.setPixelSize(16);
    f.setBold(false);
    f.setItalic(true);
    p.setFont(f);
    p.setPen(QColor(230, 236, 245));
    p.drawText(QRect(30, 118, 310, 50), Qt::AlignLeft | Qt::TextWordWrap,
               "Storage, Flow and Silo Design");

    // Silo with its contents and, beside it, the stress curves over the height.
    drawSilo(p, QRectF(22, 175, 190, 250), QColor(235, 235, 240), QColor(196, 160, 104));
    drawStressCurves(p, QRectF(205, 205, 130, 215), QColor(200, 210, 225),
                     QColor(240, 200, 90), QColor(120, 200, 235));
    f.setItalic(false);
    f.setPixelSize(11);
    p.setFont(f);
    p.setPen(QColor(200, 210, 225));
    p.drawText(QPointF(300, 432), "σ");
    p.drawText(QPointF(192, 214), "z");

    p.setPen(QPen(QColor(196, 140, 36), 1.5));
    p.drawLine(30, 452, 335, 452);
    f.setPixelSize(13);
    p.setFont(f);
    p.setPen(QColor(230, 236, 245));
    p.drawText(QRect(30, 458, 310, 30), Qt::AlignLeft | Qt::AlignVCenter,
               "Second edition  ·  Korvane Press");
    return img;
}

QImage spread() {
    QImage img(369, 500, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(img.rect(), QColor(92, 70, 52));  // table under the open book
    const QRectF left(8, 24, 174, 452), right(187, 24, 174, 452);
    for (const QRectF& r : {left, right}) {
        p.fillRect(r, QColor(250, 247, 238));
    }
    // Shadow of the binding in the gutter.
    QLinearGradient gl(left.right() - 18, 0, left.right(), 0);
    gl.setColorAt(0, QColor(250, 247, 238));
    gl.setColorAt(1, QColor(200, 194, 180));
    p.fillRect(QRectF(left.right() - 18, left.top(), 18, left.height()), gl);
    QLinearGradient gr(right.left(), 0, right.left() + 18, 0);
    gr.setColorAt(0, QColor(200, 194, 180));
    gr.setColorAt(1, QColor(250, 247, 238));
    p.fillRect(QRectF(right.left(), right.top(), 18, right.height()), gr);

    QFont f("Liberation Serif");
    f.setPixelSize(12);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(20, 40, 80));
    p.drawText(QRectF(left.left() + 12, left.top() + 10, 150, 32), Qt::TextWordWrap,
               "7  Loads on silo walls");
    const QColor ink(150, 150, 150);
    drawTextLines(p, QRectF(left.left() + 12, left.top() + 44, 142, 150), 7.5, ink, 11);
    // Figure: silo outline with the wall normal stress drawn as arrows.
    drawSilo(p, QRectF(left.left() + 6, left.top() + 200, 110, 150), QColor(40, 40, 40),
             QColor(214, 190, 150));
    p.setPen(QPen(QColor(170, 30, 30), 1.2));
    for (int i = 0; i < 6; ++i) {
        const double y = left.top() + 240 + i * 14;
        const double len = 8 + 16 * (1 - std::exp(-0.6 * i));
        p.drawLine(QPointF(left.left() + 103 + len, y), QPointF(left.left() + 103, y));
    }
    f.setPixelSize(8);
    f.setBold(false);
    f.setItalic(true);
    p.setFont(f);
    p.setPen(QColor(60, 60, 60));
    p.drawText(QRectF(left.left() + 12, left.top() + 354, 150, 14), "Fig. 7.3  Wall normal stress");
    drawTextLines(p, QRectF(left.left() + 12, left.top() + 374, 142, 64), 7.5, ink, 12);

    // Right page: a diagram with two curves and more text.
    drawTextLines(p, QRectF(right.left() + 22, right.top() + 14, 140, 120), 7.5, ink, 13);
    const QRectF chart(right.left() + 36, right.top() + 150, 118, 130);
    p.fillRect(chart.adjusted(-4, -4, 4, 4), QColor(255, 255, 255));
    p.setPen(QPen(QColor(220, 220, 220), 0.6));
    for (int i = 1; i < 5; ++i) {
        p.drawLine(QPointF(chart.left() + i * chart.width() / 5, chart.top()),
                   QPointF(chart.left() + i * chart.width() / 5, chart.bottom()));
        p.drawLine(QPointF(chart.left(), chart.top() + i * chart.height() / 5),
                   QPointF(chart.right(), chart.top() + i * chart.height() / 5));
    }
    drawStressCurves(p, chart, QColor(40, 40, 40), QColor(20, 60, 160), QColor(200, 40, 40));
    p.setPen(QColor(60, 60, 60));
    p.drawText(QRectF(right.left() + 22, chart.bottom() + 8, 150, 14),
               "Fig. 7.4  Stresses over the height");
    drawTextLines(p, QRectF(right.left() + 22, chart.bottom() + 28, 140, 140), 7.5, ink, 14);
    f.setItalic(false);
    p.setFont(f);
    p.drawText(QRectF(left.left(), left.bottom() - 14, left.width(), 12), Qt::AlignCenter, "212");
    p.drawText(QRectF(right.left(), right.bottom() - 14, right.width(), 12), Qt::AlignCenter, "213");
    return img;
}

bool save(const QImage& img, const QString& path) {
    QImageWriter w(path, "jpeg");
    w.setQuality(85);
    w.setOptimizedWrite(true);
    if (!w.write(img)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(w.errorString()));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: makepictures <folder>\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    return save(cover(), dir + "/buch_titel.jpg") && save(spread(), dir + "/buch_seiten.jpg") ? 0 : 1;
}
