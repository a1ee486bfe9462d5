#include "ui/en1991_4/en_overlay_drawing.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "ui/en1991_4/en_loads_display.h"
#include "ui/texts/en1991_4_texts.h"

namespace korvane::ui {

namespace {

// Filling dash-dotted, discharge dash-dot-dotted: neither is used by
// Korvane's own curves (solid, dashed for the other state and the
// comparison, dotted for the heap part).
QPen enPen(const QColor& c, double width, bool discharge) {
    QPen pen(c);
    pen.setWidthF(width);
    pen.setStyle(discharge ? Qt::DashDotDotLine : Qt::DashDotLine);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

// Text with its top-left corner at (x, y) on an opaque white cell.
void cellText(QPainter& p, int x, int y, const QString& text, const QColor& colour) {
    const QFontMetrics fm(p.font());
    const QRect cell(x, y, fm.horizontalAdvance(text), fm.height());
    p.fillRect(cell, Qt::white);
    p.setPen(colour);
    p.drawText(cell, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

const char* curveName(bool wallNormal, bool discharge, bool hopper) {
    if (discharge) return hopper ? "p_he / p_ne" : "p_he";
    if (wallNormal) return hopper ? "p_hf / p_nf" : "p_hf";
    return hopper ? "p_vf / p_v" : "p_vf";
}

}  // namespace

QString enLegendText(bool discharge, bool hopper, int language) {
    QString t = texts::T(discharge ? texts::en1991_4::dischargeLegend
                                   : texts::en1991_4::fillingLegend,
                         language);
    t += QString::fromLatin1(curveName(true, discharge, hopper));
    if (!discharge)
        t += QStringLiteral("  ") + QString::fromLatin1(curveName(false, false, hopper));
    return t;
}

void drawEnCurves(QPainter& p, const EnOverlay& o, const EnMapping& at, double penWidth,
                  const QColor& vertical, const QColor& wallNormal) {
    p.save();
    for (const EnCurve& c : o.curves) {
        QPolygon path;
        for (const auto& [s, z] : c.points) {
            const QPoint q = at(s, z);
            if (path.isEmpty() || path.last() != q) path << q;
        }
        p.setPen(enPen(c.wallNormal ? wallNormal : vertical, penWidth, c.discharge));
        p.drawPolyline(path);
    }
    p.restore();
}

void drawEnLegend(QPainter& p, const EnOverlay& o, int right, int& top, int language,
                  double penWidth, int sample, int gap, const QColor& vertical,
                  const QColor& wallNormal) {
    p.save();
    const QFontMetrics fm(p.font());
    const int h = fm.height();
    if (!o.inScope) {
        // On two lines where one is wider than the room left of `right`.
        const QString t = texts::T(texts::en1991_4::diagramOutsideScope, language);
        QStringList lines{t};
        const int cut = t.indexOf(QStringLiteral(" ("));
        if (fm.horizontalAdvance(t) > right && cut > 0)
            lines = QStringList{t.left(cut), t.mid(cut + 1)};
        for (const QString& line : lines) {
            cellText(p, std::max(0, right - fm.horizontalAdvance(line)), top, line,
                     QColor(128, 0, 0));
            top += h + gap;
        }
        p.restore();
        return;
    }
    // "EN 1991-4 filling: ——— p_hf / p_nf  ——— p_vf / p_v", each name after
    // a sample of its line, right-aligned.
    auto entry = [&](bool discharge) {
        const QString prefix = texts::T(discharge ? texts::en1991_4::dischargeLegend
                                                  : texts::en1991_4::fillingLegend,
                                        language);
        struct Part {
            QString name;
            QColor colour;
        };
        std::vector<Part> parts{
            {QString::fromLatin1(curveName(true, discharge, o.hopper)), wallNormal}};
        if (!discharge)
            parts.push_back({QStringLiteral("  ") + curveName(false, false, o.hopper), vertical});
        const int space = fm.horizontalAdvance(QLatin1Char(' '));
        int width = fm.horizontalAdvance(prefix);
        for (const Part& part : parts) width += sample + space + fm.horizontalAdvance(part.name);
        int x = std::max(0, right - width);
        cellText(p, x, top, prefix, vertical);
        x += fm.horizontalAdvance(prefix);
        for (const Part& part : parts) {
            const int lead = part.name.startsWith(QLatin1Char(' ')) ? 2 * space : 0;
            p.fillRect(QRect(x, top, lead + sample + space, h), Qt::white);
            p.setPen(enPen(part.colour, penWidth, discharge));
            const int y = top + h / 2;
            p.drawLine(x + lead, y, x + lead + sample, y);
            x += lead + sample + space;
            const QString name = part.name.trimmed();
            cellText(p, x, top, name, part.colour);
            x += fm.horizontalAdvance(name);
        }
        top += h + gap;
    };
    if (o.filling) entry(false);
    if (o.discharge) entry(true);
    p.restore();
}

std::vector<std::pair<QPen, QString>> enLegendEntries(const EnOverlay& o, int language,
                                                      double penWidth, const QColor& vertical,
                                                      const QColor& wallNormal) {
    std::vector<std::pair<QPen, QString>> e;
    if (!o.inScope) {
        e.emplace_back(QPen(Qt::NoPen), texts::T(texts::en1991_4::diagramOutsideScope, language));
        return e;
    }
    for (bool discharge : {false, true}) {
        if (discharge ? !o.discharge : !o.filling) continue;
        const QString prefix = texts::T(discharge ? texts::en1991_4::dischargeLegend
                                                  : texts::en1991_4::fillingLegend,
                                        language);
        e.emplace_back(enPen(wallNormal, penWidth, discharge),
                       prefix + QString::fromLatin1(curveName(true, discharge, o.hopper)));
        if (!discharge)
            e.emplace_back(enPen(vertical, penWidth, false),
                           prefix + QString::fromLatin1(curveName(false, false, o.hopper)));
    }
    return e;
}

}  // namespace korvane::ui
