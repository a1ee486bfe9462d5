#include "ui/main/diagram.h"

#include <QFont>
#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <climits>
#include <cmath>
#include <initializer_list>
#include <utility>

#include "calc/en1991_4.h"
#include "ui/en1991_4/en_loads_display.h"
#include "ui/main/desktop_habits.h"
#include "ui/main/display_logic.h"
#include "ui/texts/en1991_4_texts.h"
#include "ui/texts/texts.h"

namespace korvane::ui {

namespace {

const QColor kWhite(255, 255, 255);
const QColor kSilver(192, 192, 192);
const QColor kGrey(128, 128, 128);
const QColor kRed(255, 0, 0);

// Grid lines and numbers are bounded whatever the range: a grid finer than
// this is a scale that went wrong, not a diagram.
constexpr int kMaxGridLines = 1000;

int toPixel(double v) {
    if (std::isnan(v)) return 0;
    const double r = std::round(v);
    if (r >= INT_MAX) return INT_MAX;
    if (r <= INT_MIN) return INT_MIN;
    return static_cast<int>(r);
}

// Text with its top-left corner at (x, y) on an opaque white cell, as the
// screen diagram writes all its texts.
void textOut(QPainter& p, int x, int y, const QString& text, const QColor& colour) {
    const QFontMetrics fm(p.font());
    const QRect cell(x, y, fm.horizontalAdvance(text), fm.height());
    p.fillRect(cell, kWhite);
    p.setPen(colour);
    p.drawText(cell, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

QPen solidPen(const QColor& c, int width = 1) {
    QPen pen(c);
    pen.setWidth(width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

QPen dashedPen(const QColor& c, int width) {
    QPen pen = solidPen(c, width);
    pen.setStyle(Qt::DashLine);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

}  // namespace

QPen screenPen(const CurveStyle& style) {
    // The own curves stand out by their width; the heap part of the own
    // SIGMAV is dotted at the same width.
    const int width = style.set == CurveSet::Own ? 3 : 2;
    switch (style.pattern) {
        case LinePattern::Solid: return solidPen(style.colour, width);
        case LinePattern::Dotted: {
            QPen pen = solidPen(style.colour, width);
            pen.setStyle(Qt::DotLine);
            return pen;
        }
        case LinePattern::Dashed: return dashedPen(style.colour, width);
        case LinePattern::DashDotted:
        case LinePattern::DashDotDotted: {
            QPen pen = dashedPen(style.colour, width);
            pen.setStyle(style.pattern == LinePattern::DashDotted ? Qt::DashDotLine
                                                                  : Qt::DashDotDotLine);
            return pen;
        }
        case LinePattern::None: break;
    }
    QPen none(style.colour);
    none.setStyle(Qt::NoPen);
    return none;
}

QPen ownVerticalPen() { return screenPen(curveStyle(CurveSet::Own, StressKind::Vertical)); }
QPen ownWallPen() { return screenPen(curveStyle(CurveSet::Own, StressKind::Wall)); }
QPen otherStateVerticalPen() {
    return screenPen(curveStyle(CurveSet::OtherState, StressKind::Vertical));
}
QPen otherStateWallPen() { return screenPen(curveStyle(CurveSet::OtherState, StressKind::Wall)); }
QPen comparisonVerticalPen() {
    return screenPen(curveStyle(CurveSet::Comparison, StressKind::Vertical));
}
QPen comparisonWallPen() { return screenPen(curveStyle(CurveSet::Comparison, StressKind::Wall)); }

bool valuesAtHeight(const SiloModel& m, double z, ValuesAtHeight& out) {
    const int outletIndex = std::clamp(m.Indexende, 1, kResultSize - 1);
    const int firstIndex = std::clamp(m.Indexanfang, 1, outletIndex);
    if (!(z >= 0) || !diagramHasCurves(m)) return false;
    // Slice i spans from the face below (index i) to the face above (i - 1).
    double below = 0;
    for (int i = outletIndex; i >= firstIndex; --i) {
        const double dz = m.Dz[i];
        const double above = below + dz;
        if (z <= above + 1e-12) {
            const double t = dz > 0 ? std::clamp((z - below) / dz, 0.0, 1.0) : 0.0;
            auto at = [&](const double* a) { return a[i] * (1 - t) + a[i - 1] * t; };
            out.sigmaV = at(m.SIGMAV);
            out.sigmaW = at(m.SIGMAW);
            out.rhoB = m.RHOB[i];
            return true;
        }
        below = above;
    }
    return false;
}

QString diagramReadout(const SiloModel& m, const DiagramExtras& extras, double z, int language,
                       StressUnit unit) {
    using texts::T;
    const double div = stressUnitDivisor(unit);
    const int dec = stressDecimals(unit);
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    auto num = [&](double v, int d) { return locale.toString(v, 'f', d); };
    QString t = QStringLiteral("z = ") + num(z, 2) + QStringLiteral(" m");
    auto line = [&](const SiloModel& s, const QString& name) {
        ValuesAtHeight v;
        if (!valuesAtHeight(s, z, v)) return;
        t += '\n' + name + QStringLiteral("SIGMAV ") + num(v.sigmaV / div, dec) +
             QStringLiteral(", SIGMAW ") + num(v.sigmaW / div, dec) + ' ' +
             stressUnitName(unit) + QStringLiteral(", RHOB ") + num(v.rhoB, 0) +
             QStringLiteral(" kg/m3");
    };
    line(m, QString());
    if (extras.otherState)
        line(*extras.otherState,
             T(extras.otherState->Spannungszustand() == 1 ? texts::habits::discharging
                                                          : texts::habits::filling,
               language) +
                 QStringLiteral(": "));
    if (extras.comparison)
        line(*extras.comparison, T(texts::habits::comparison, language) + QStringLiteral(": "));
    if (extras.en && extras.en->inScope) {
        // The EN 1991-4 loads at z, as the EN 1991-4 table gives them: the
        // wall's below the transition are the hopper's.
        const EnResult& r = extras.en->loads;
        const bool hopper = extras.en->hopper && z < r.zTransition;
        const EnLoadRow row = en1991_4LoadsAt(r, z, hopper ? EnPart::Hopper : EnPart::Wall);
        auto enLine = [&](const texts::TextPair& prefix,
                          std::initializer_list<std::pair<const char*, double>> values) {
            QString items;
            for (const auto& [name, v] : values) {
                if (!std::isfinite(v)) continue;
                if (!items.isEmpty()) items += QStringLiteral(", ");
                items += QString::fromLatin1(name) + ' ' + num(v / div, dec);
            }
            if (!items.isEmpty())
                t += '\n' + T(prefix, language) + items + ' ' + stressUnitName(unit);
        };
        if (extras.en->filling) {
            if (hopper)
                enLine(texts::en1991_4::fillingLegend, {{"p_nf", row.p_nf}, {"p_v", row.p_v}});
            else
                enLine(texts::en1991_4::fillingLegend, {{"p_hf", row.p_hf}, {"p_vf", row.p_vf}});
        }
        if (extras.en->discharge) {
            if (hopper) enLine(texts::en1991_4::dischargeLegend, {{"p_ne", row.p_ne}});
            else enLine(texts::en1991_4::dischargeLegend, {{"p_he", row.p_he}});
        }
    }
    return t;
}

int stressToX(const DiagramMapping& map, double stress) {
    return toPixel(stress * map.xScale + map.xZero);
}
int heightToY(const DiagramMapping& map, double z) { return toPixel(map.yZero - z * map.zScale); }
double yToHeight(const DiagramMapping& map, double y) {
    return map.zScale > 0 ? (map.yZero - y) / map.zScale : 0.0;
}

QFont diagramFont(double screenScale) {
    QFont font("Arial");
    const double scale = std::isfinite(screenScale) && screenScale > 0 ? screenScale : 1.0;
    const int points = std::max(1, static_cast<int>(std::lround(8.0 * scale)));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0))));
    return font;
}

DiagramMapping drawDiagram(QPainter& p, QSize size, const SiloModel& m, int mainWindowWidth,
                           double screenScale, int language, const DiagramExtras& extras) {
    (void)mainWindowWidth;  // the grid follows the diagram's own size
    return drawDiagram(p, size, resultPicture(m, extras, language, stressUnit()), screenScale);
}

DiagramMapping drawDiagram(QPainter& p, QSize size, const ResultPicture& pic,
                           double screenScale) {
    const int W = size.width();
    const int H = size.height();
    DiagramMapping map;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBackgroundMode(Qt::TransparentMode);

    // 1-2. Scale of the stress axis; white page; the diagram font.
    const double mx = pic.stressMax;
    const bool scaled = mx > 0;
    // Without drawable results the stress axis gets a nominal unit range so
    // that axes and level lines still stand where they belong.
    const double xmax = scaled ? 1.1 * mx : 1.0;
    const double xmin = scaled ? -mx / 9.0 : -1.0 / 9.0;
    p.fillRect(QRect(0, 0, W, H), kWhite);
    const QFont font = diagramFont(screenScale);
    p.setFont(font);
    const QFontMetrics fm(font);

    // zmax spans the diagram (a taller comparison silo included); the model's
    // own top is marked by its level line.
    const double zmax = pic.height;
    if (!(pic.ownHeight > 0) || !std::isfinite(zmax) || W <= 0 || H <= 0) {
        p.restore();
        return map;
    }

    // The legend: a line sample and a name for every curve, in a strip of
    // its own above the plot, so that it covers no curve, level line or
    // label; as many columns as the width holds. The funnel-flow note closes
    // it: it concerns the discharge state only.
    const std::vector<LegendRow> legend = legendRows(pic.legend);
    const bool funnel = pic.funnelFlow;
    const QString note = pic.funnelFlowNote;
    const int rowH = fm.height() + 2;
    const int sample = 3 * fm.horizontalAdvance(QStringLiteral("M"));
    const int pad = std::max(3, fm.horizontalAdvance(QStringLiteral(" ")));
    // A row: the shared start, each line sample with its name, the shared end.
    auto drawRow = [&](const LegendRow& r, int x, int y, bool draw) {
        const int x0 = x;
        auto words = [&](const QString& t, const QColor& colour) {
            if (draw) textOut(p, x, y, t, colour);
            x += fm.horizontalAdvance(t);
        };
        if (!r.prefix.isEmpty()) words(r.prefix, Qt::black);
        for (size_t k = 0; k < r.items.size(); ++k) {
            const LegendEntry& e = r.items[k];
            if (k > 0) x += 2 * pad;
            const QPen pen = screenPen(e.style);
            if (draw && pen.style() != Qt::NoPen) {
                p.setPen(pen);
                p.drawLine(x, y + rowH / 2, x + sample, y + rowH / 2);
            }
            x += sample + pad;
            words(e.name, e.style.colour);
        }
        if (!r.suffix.isEmpty()) words(r.suffix, Qt::black);
        return x - x0;
    };
    int entryW = 0;
    for (const LegendRow& r : legend) entryW = std::max(entryW, drawRow(r, 0, 0, false) + 4 * pad);
    const int legendLeft = toPixel(-xmin / (xmax - xmin) * W);
    const int columnsFit = entryW > 0 ? std::max(1, (W - legendLeft) / entryW) : 1;
    const int legendColumns = std::clamp(columnsFit, 1, std::max(1, int(legend.size())));
    const int legendLines = (int(legend.size()) + legendColumns - 1) / legendColumns + (funnel ? 1 : 0);
    const int legendH = legendLines > 0 ? legendLines * rowH + 2 * pad : 0;

    // 3. Mapping: outlet at 93 % of the height, silo top below the legend,
    // a margin of one ninth of the largest stress left of the height axis.
    map.xZero = -xmin / (xmax - xmin) * W;
    map.yZero = 0.93 * H;
    map.xScale = (W - map.xZero) / xmax;
    const double plotTop = std::min(0.5 * map.yZero, double(legendH + (legendH > 0 ? rowH : 0)));
    // A zoomed height range fills the same plot: zLow on the base line,
    // zHigh at the top edge.
    const double zLow = pic.zLow, zHigh = pic.zHigh;
    map.zScale = (map.yZero - plotTop) / (zHigh - zLow);
    map.yZero += zLow * map.zScale;
    map.zLow = zLow;
    map.zHigh = zHigh;
    const bool zoomed = pic.zoomed();
    auto X = [&](double stress) { return stressToX(map, stress); };
    auto Y = [&](double z) { return heightToY(map, z); };
    const int yBase = Y(zLow);
    // Everything that belongs to a height stays inside the plot.
    const QRect plot(0, 0, W, yBase + 2);

    // 4. Stress grid: 4 to 8 labelled lines in the unit shown, at least a
    // label and a half apart.
    const StressUnit unit = pic.unit;
    const double div = stressUnitDivisor(unit);
    const QString point = QLocale().decimalPoint();
    auto number = [&](double v) {
        QString t = QString::number(v, 'g', 12);
        t.replace(QLatin1Char('.'), point);
        return t;
    };
    double gx = 0;
    if (scaled) {
        const double labelW =
            fm.horizontalAdvance(QString::number(xmax / div, 'f', unit == StressUnit::kPa ? 1 : 0));
        gx = div * axisGridStep(xmax / div, X(xmax) - X(0.0), 1.5 * labelW);
        if (!std::isfinite(gx)) gx = 0;
        p.setPen(solidPen(kSilver));
        if (gx > 0) {
            int count = 0;
            for (double x = gx; x < xmax && count < kMaxGridLines; x += gx, ++count)
                p.drawLine(X(x), yBase, X(x), Y(zHigh));
        }
    }

    // 5. Height grid: 4 to 8 lines, at least two text lines apart.
    double gz = axisGridStep(zHigh - zLow, yBase - Y(zHigh), 2.2 * fm.height());
    if (!std::isfinite(gz)) gz = 0;
    const int kFirst = gz > 0 ? static_cast<int>(std::floor(zLow / gz + 1e-9)) + 1 : 1;
    p.setPen(solidPen(kSilver));
    if (gz > 0) {
        for (int k = kFirst; k * gz < zHigh && k < kFirst + kMaxGridLines; ++k)
            p.drawLine(X(0.0), Y(k * gz), X(xmax), Y(k * gz));
    }

    // 6. Base line and height axis.
    p.setPen(solidPen(kGrey));
    p.drawLine(X(xmax), yBase, X(xmin), yBase);
    p.drawLine(X(0.0), yBase, X(0.0), Y(zHigh));

    // 7. Level lines: section boundaries, fill level, heap foot, labelled
    // right-aligned just below their lines.
    for (const DiagramLevel& l : pic.levels) {
        if (l.z < zLow - 1e-9 || l.z > zHigh + 1e-9) continue;
        p.setPen(solidPen(l.colour));
        p.drawLine(X(xmax), Y(l.z), X(xmin), Y(l.z));
        textOut(p, W - fm.horizontalAdvance(l.label), Y(l.z) + 1, l.label, l.colour);
    }

    // 8. Outlet label in the colour of the last level.
    if (!zoomed || zLow == 0)
        textOut(p, W - fm.horizontalAdvance(pic.outletLabel), Y(0.0) + 1, pic.outletLabel,
                pic.outletColour);

    // 9. Stress numbers under the grid lines; the last line stays unnumbered.
    if (scaled && gx > 0) {
        int count = 0;
        for (double x = gx; x < xmax - gx && count < kMaxGridLines; x += gx, ++count) {
            const QString t = number(x / div);
            const int left = X(x) - toPixel(fm.horizontalAdvance(t) / 2.0);
            textOut(p, left, yBase + 1, t, kGrey);
        }
    }

    // 10. Height numbers left of the axis.
    const int halfZero = toPixel(fm.height() / 2.0);
    if (gz > 0) {
        for (int k = kFirst; k * gz < zHigh - 0.5 * gz && k < kFirst + kMaxGridLines; ++k) {
            const QString t = number(k * gz);
            const int left = X(0.0) - fm.horizontalAdvance(t + "0");
            textOut(p, left, Y(k * gz) - halfZero, t, kGrey);
        }
    }

    // 11. The two zeros at the origin.
    textOut(p, X(0.0) - toPixel(fm.horizontalAdvance("0") / 2.0), yBase + 1, "0", kGrey);
    {
        const QString t = zoomed ? number(zLow) : QStringLiteral("0");
        textOut(p, X(0.0) - fm.horizontalAdvance(t + "0"), yBase - halfZero, t, kGrey);
    }

    // 12. Unit of the height axis.
    // (kept inside the image where the margin left of the axis is narrow)
    textOut(p, std::max(0, X(0.0) - fm.horizontalAdvance(pic.heightAxisLabel + "000")),
            Y(zHigh) + toPixel(1.2 * fm.height()), pic.heightAxisLabel, kGrey);

    // 13-16. The curves in the picture's order, the own last; a zoomed plot
    // cuts them at its edges. Points that fall on one pixel are drawn once.
    p.save();
    p.setClipRect(plot);
    auto polyline = [&](const std::vector<QPointF>& points, const CurveStyle& style) {
        QPolygon path;
        for (const QPointF& q : points) {
            const QPoint d(X(q.x()), Y(q.y()));
            if (path.isEmpty() || path.last() != d) path << d;
        }
        p.setPen(screenPen(style));
        p.drawPolyline(path);
    };
    // The compared silo's levels: a short dash-dotted mark from the axis
    // with its name, in the comparison's colour, under its curves.
    for (const DiagramLevel& l : pic.comparedLevels) {
        QPen pen = comparisonVerticalPen();
        pen.setWidth(1);
        p.setPen(pen);
        const int x0 = X(0.0);
        const int x1 = x0 + (X(xmax) - x0) / 4;
        p.drawLine(x0, Y(l.z), x1, Y(l.z));
        // No white cell: the label must not hide a curve.
        p.setPen(l.colour);
        p.drawText(QPoint(x0 + 3, Y(l.z) - fm.descent() - 1), l.label);
    }
    for (const DiagramCurve& c : pic.curves) {
        polyline(c.points, c.style);
        if (c.heapPart.size() == 2) polyline(c.heapPart, c.heapStyle);
    }
    p.restore();

    // 17. The legend strip.
    if (legendLines > 0) {
        const int top = pad;
        int i = 0;
        for (const LegendRow& r : legend) {
            const int x = legendLeft + (i % legendColumns) * entryW + pad;
            const int y = top + (i / legendColumns) * rowH;
            drawRow(r, x, y, true);
            ++i;
        }
        if (funnel) textOut(p, legendLeft + pad, top + (legendLines - 1) * rowH, note, kRed);
    }
    p.restore();
    return map;
}

}  // namespace korvane::ui
