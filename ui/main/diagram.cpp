#include "ui/main/diagram.h"

#include <QFont>
#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <climits>
#include <cmath>

#include "ui/main/desktop_habits.h"
#include "ui/en1991_4/en_loads_display.h"
#include "ui/en1991_4/en_overlay_drawing.h"
#include "ui/main/display_logic.h"
#include "ui/texts/texts.h"

namespace korvane::ui {

namespace {

const QColor kWhite(255, 255, 255);
const QColor kSilver(192, 192, 192);
const QColor kGrey(128, 128, 128);
const QColor kRed(255, 0, 0);
const QColor kGreen(0, 128, 0);
const QColor kBlue(0, 0, 255);
const QColor kBlack(0, 0, 0);

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

// Path of one stress curve from the outlet (z = 0) up to the surface: the
// stress at the lower face of every slice, the height growing by each
// slice's thickness. Returns the height reached at the top.
double curve(const SiloModel& m, const double* sigma, QPolygon& path) {
    const int outletIndex = std::clamp(m.Indexende, 1, kResultSize - 1);
    const int firstIndex = std::clamp(m.Indexanfang, 1, outletIndex);
    path.clear();
    path << QPoint(stressToX(static_cast<double>(sigma[outletIndex])), heightToY(0.0));
    double z = 0;
    for (int j = outletIndex - 1; j >= firstIndex - 1; --j) {
        z += static_cast<double>(m.Dz[j + 1]);
        path << QPoint(stressToX(static_cast<double>(sigma[j])), heightToY(z));
    }
    return z;
}

QPen dashedPen(const QColor& c, int width) {
    QPen pen = solidPen(c, width);
    pen.setStyle(Qt::DashLine);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

}  // namespace

QPen ownVerticalPen() { return solidPen(kBlack, 3); }
QPen ownWallPen() { return solidPen(kBlue, 3); }
QPen otherStateVerticalPen() { return dashedPen(kBlack, 2); }
QPen otherStateWallPen() { return dashedPen(kBlue, 2); }
QPen comparisonVerticalPen() {
    QPen pen = dashedPen(QColor(160, 0, 160), 2);
    pen.setStyle(Qt::DashDotLine);
    return pen;
}
QPen comparisonWallPen() {
    QPen pen = dashedPen(QColor(0, 150, 150), 2);
    pen.setStyle(Qt::DashDotLine);
    return pen;
}

std::vector<LegendEntry> diagramLegend(const SiloModel& m, const DiagramExtras& extras,
                                       int language) {
    using texts::T;
    const QString unit = QStringLiteral(" [") + stressUnitName(stressUnit()) + ']';
    const bool other = extras.otherState && diagramHasCurves(*extras.otherState);
    auto state = [&](const SiloModel& s) {
        return QStringLiteral(" \u2013 ") + T(s.Spannungszustand() == 1 ? texts::habits::discharging
                                                                       : texts::habits::filling,
                                            language);
    };
    std::vector<LegendEntry> e;
    const QString own = other ? state(m) : QString();
    e.push_back({ownVerticalPen(), QStringLiteral("SIGMAV") + unit + own});
    e.push_back({ownWallPen(), QStringLiteral("SIGMAW") + unit + own});
    if (other) {
        e.push_back({otherStateVerticalPen(), QStringLiteral("SIGMAV") + state(*extras.otherState)});
        e.push_back({otherStateWallPen(), QStringLiteral("SIGMAW") + state(*extras.otherState)});
    }
    if (extras.comparison && diagramHasCurves(*extras.comparison)) {
        const QString c = QStringLiteral(" \u2013 ") + T(texts::habits::comparison, language) +
                          QStringLiteral(": ") + extras.comparisonName;
        e.push_back({comparisonVerticalPen(), QStringLiteral("SIGMAV") + c});
        e.push_back({comparisonWallPen(), QStringLiteral("SIGMAW") + c});
    }
    for (const DiagramCurve& c : extras.curves) e.push_back({c.pen, c.name});
    if (extras.en)
        for (auto& [pen, name] : enLegendEntries(*extras.en, language, 2, kBlack, kBlue))
            e.push_back({pen, name});
    return e;
}

bool valuesAtHeight(const SiloModel& m, double z, ValuesAtHeight& out) {
    const int outletIndex = std::clamp(m.Indexende, 1, kResultSize - 1);
    const int firstIndex = std::clamp(m.Indexanfang, 1, outletIndex);
    if (!(z >= 0) || !diagramHasCurves(m)) return false;
    // Slice i spans from the face below (index i) to the face above (i - 1).
    double below = 0;
    for (int i = outletIndex; i >= firstIndex; --i) {
        const double dz = static_cast<double>(m.Dz[i]);
        const double above = below + dz;
        if (z <= above + 1e-12) {
            const double t = dz > 0 ? std::clamp((z - below) / dz, 0.0, 1.0) : 0.0;
            auto at = [&](const double* a) {
                return static_cast<double>(a[i]) * (1 - t) + static_cast<double>(a[i - 1]) * t;
            };
            out.sigmaV = at(m.SIGMAV);
            out.sigmaW = at(m.SIGMAW);
            out.rhoB = static_cast<double>(m.RHOB[i]);
            return true;
        }
        below = above;
    }
    return false;
}

QString diagramReadout(const SiloModel& m, const DiagramExtras& extras, double z, int language) {
    using texts::T;
    const StressUnit unit = stressUnit();
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
    return t;
}

double diagramStressMax(const SiloModel& m, const DiagramExtras& extras) {
    double mx = diagramHasCurves(m) ? diagramStressMax(m) : 0.0;
    for (const SiloModel* e : {extras.otherState, extras.comparison})
        if (e && diagramHasCurves(*e)) mx = std::max(mx, diagramStressMax(*e));
    for (const DiagramCurve& c : extras.curves)
        for (const QPointF& q : c.points)
            if (std::isfinite(q.x())) mx = std::max(mx, q.x());
    if (extras.en) mx = std::max(mx, extras.en->stressMax());
    return mx;
}

double diagramScaleHeight(const SiloModel& m, const DiagramExtras& extras) {
    double h = diagramSiloHeight(m);
    // The other state is the same silo; a comparison silo may be taller.
    if (extras.comparison && diagramHasCurves(*extras.comparison)) {
        const double hc = diagramSiloHeight(*extras.comparison);
        if (std::isfinite(hc)) h = std::max(h, hc);
    }
    return h;
}

QString bothStatesLegend(const SiloModel& m, int language) {
    return texts::T(m.Spannungszustand() == 1 ? texts::view::dischargingSolidLegend
                                               : texts::view::fillingSolidLegend,
                     language);
}

QString comparisonLegend(const QString& fileName, int language) {
    return texts::T(texts::view::comparisonLegend, language) + fileName;
}

bool funnelFlowCurves(const SiloModel& m) {
    return !m.Massenfluss && m.Spannungszustand() == 1 && m.Trichterja;
}

DiagramMapping& diagramMapping() {
    static DiagramMapping map;
    return map;
}

int stressToX(const DiagramMapping& map, double stress) {
    return toPixel(stress * map.xScale + map.xZero);
}
int heightToY(const DiagramMapping& map, double z) { return toPixel(map.yZero - z * map.zScale); }
int stressToX(double stress) { return stressToX(diagramMapping(), stress); }
int heightToY(double z) { return heightToY(diagramMapping(), z); }

double diagramStressMax(const SiloModel& m) {
    double mx = 0;
    const int last = std::clamp(m.Gesamtschritte, 0, kResultSize - 1);
    for (int i = 1; i <= last; ++i) {
        const double v = static_cast<double>(m.SIGMAV[i]);
        const double w = static_cast<double>(m.SIGMAW[i]);
        if (std::isfinite(v)) mx = std::max(mx, v);
        if (std::isfinite(w)) mx = std::max(mx, w);
    }
    return mx;
}

double diagramSiloHeight(const SiloModel& m) {
    return m.Hschaft + m.Hspitzeoben - m.Hspitzeauslauf + m.Hunttricht;
}

bool diagramHasCurves(const SiloModel& m) {
    const int outletIndex = std::clamp(m.Indexende, 0, kResultSize - 1);
    const int last = std::clamp(m.Gesamtschritte, 0, kResultSize - 1);
    for (int i = 0; i <= std::max(outletIndex, last); ++i) {
        if (!std::isfinite(static_cast<double>(m.SIGMAV[i])) ||
            !std::isfinite(static_cast<double>(m.SIGMAW[i])) ||
            !std::isfinite(static_cast<double>(m.Dz[i])))
            return false;
    }
    return diagramStressMax(m) > 0;
}

QFont diagramFont(double screenScale) {
    QFont font("Arial");
    const double scale = std::isfinite(screenScale) && screenScale > 0 ? screenScale : 1.0;
    const int points = std::max(1, static_cast<int>(std::lround(8.0 * scale)));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0))));
    return font;
}

void drawDiagram(QPainter& p, QSize size, const SiloModel& m, int mainWindowWidth,
                 double screenScale, int language) {
    drawDiagram(p, size, m, mainWindowWidth, screenScale, language, DiagramExtras{});
}

void drawDiagram(QPainter& p, QSize size, const SiloModel& m, int mainWindowWidth,
                 double screenScale, int language, const DiagramExtras& extras) {
    using texts::T;
    using texts::TextPair;
    const int W = size.width();
    const int H = size.height();
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBackgroundMode(Qt::TransparentMode);

    // 1-2. Scale of the stress axis; white page; the diagram font.
    const bool curves = diagramHasCurves(m);
    const double ownMax = curves ? diagramStressMax(m) : 0.0;
    // Extra curves join the scale; without them it is the model's own.
    const double mx = extras.empty() ? ownMax : diagramStressMax(m, extras);
    const bool scaled = curves || mx > 0;
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
    const double ownHeight = diagramSiloHeight(m);
    const double zmax = extras.empty() ? ownHeight : diagramScaleHeight(m, extras);
    if (!(ownHeight > 0) || !std::isfinite(zmax) || W <= 0 || H <= 0) {
        p.restore();
        return;
    }

    // The legend: a line sample and a name for every curve, in a strip of
    // its own above the plot, so that it covers no curve, level line or
    // label; as many columns as the width holds. The funnel-flow note closes
    // it: it concerns the discharge state only.
    std::vector<LegendEntry> legend;
    if (curves || !extras.empty()) legend = diagramLegend(m, extras, language);
    const bool funnel =
        funnelFlowCurves(m) || (extras.otherState && funnelFlowCurves(*extras.otherState));
    const QString note = T(texts::habits::funnelFlowDischarge, language);
    const int rowH = fm.height() + 2;
    const int sample = 3 * fm.horizontalAdvance(QStringLiteral("M"));
    const int pad = std::max(3, fm.horizontalAdvance(QStringLiteral(" ")));
    int entryW = 0;
    for (const LegendEntry& e : legend)
        entryW = std::max(entryW, sample + 3 * pad + fm.horizontalAdvance(e.name) + 2 * pad);
    const int legendLeft = toPixel(-xmin / (xmax - xmin) * W);
    const int columnsFit = entryW > 0 ? std::max(1, (W - legendLeft) / entryW) : 1;
    const int legendColumns = std::clamp(columnsFit, 1, std::max(1, int(legend.size())));
    const int legendRows = (int(legend.size()) + legendColumns - 1) / legendColumns + (funnel ? 1 : 0);
    const int legendH = legendRows > 0 ? legendRows * rowH + 2 * pad : 0;

    // 3. Mapping: outlet at 93 % of the height, silo top below the legend,
    // a margin of one ninth of the largest stress left of the height axis.
    DiagramMapping& map = diagramMapping();
    map.xZero = -xmin / (xmax - xmin) * W;
    map.yZero = 0.93 * H;
    map.xScale = (W - map.xZero) / xmax;
    const double plotTop = std::min(0.5 * map.yZero, double(legendH + (legendH > 0 ? rowH : 0)));
    map.zScale = (map.yZero - plotTop) / zmax;
    // A zoomed height range fills the same plot: zLow on the base line,
    // zHigh at the top edge.
    double zLow = 0, zHigh = zmax;
    if (extras.zoomTo > extras.zoomFrom && std::isfinite(extras.zoomFrom) &&
        std::isfinite(extras.zoomTo)) {
        zLow = std::clamp(extras.zoomFrom, 0.0, zmax);
        zHigh = std::clamp(extras.zoomTo, 0.0, zmax);
        if (zHigh - zLow < 1e-3 * zmax) {
            zLow = 0;
            zHigh = zmax;
        }
        map.zScale = (map.yZero - plotTop) / (zHigh - zLow);
        map.yZero += zLow * map.zScale;
    }
    const bool zoomed = zLow > 0 || zHigh < zmax;
    const int yBase = heightToY(zLow);
    // Everything that belongs to a height stays inside the plot.
    const QRect plot(0, 0, W, yBase + 2);
    (void)mainWindowWidth;  // the grid follows the diagram's own size

    // 4. Stress grid: 4 to 8 labelled lines in the unit shown, at least a
    // label and a half apart.
    const StressUnit unit = stressUnit();
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
        gx = div * axisGridStep(xmax / div, stressToX(xmax) - stressToX(0.0), 1.5 * labelW);
        if (!std::isfinite(gx)) gx = 0;
        p.setPen(solidPen(kSilver));
        if (gx > 0) {
            int count = 0;
            for (double x = gx; x < xmax && count < kMaxGridLines; x += gx, ++count)
                p.drawLine(stressToX(x), yBase, stressToX(x), heightToY(zHigh));
        }
    }

    // 5. Height grid: 4 to 8 lines, at least two text lines apart.
    double gz = axisGridStep(zHigh - zLow, yBase - heightToY(zHigh), 2.2 * fm.height());
    if (!std::isfinite(gz)) gz = 0;
    const int kFirst = gz > 0 ? static_cast<int>(std::floor(zLow / gz + 1e-9)) + 1 : 1;
    p.setPen(solidPen(kSilver));
    if (gz > 0) {
        for (int k = kFirst; k * gz < zHigh && k < kFirst + kMaxGridLines; ++k)
            p.drawLine(stressToX(0.0), heightToY(k * gz), stressToX(xmax), heightToY(k * gz));
    }

    // 6. Base line and height axis.
    p.setPen(solidPen(kGrey));
    p.drawLine(stressToX(xmax), yBase, stressToX(xmin), yBase);
    p.drawLine(stressToX(0.0), yBase, stressToX(0.0), heightToY(zHigh));

    // 7. Level lines: section boundaries, fill level, heap foot.
    QColor fontColour = kGrey;
    int levelLabelWidth = 0;
    auto level = [&](double z, const TextPair& text, const QColor& colour) {
        if (z < zLow - 1e-9 || z > zHigh + 1e-9) return;
        p.setPen(solidPen(colour));
        p.drawLine(stressToX(xmax), heightToY(z), stressToX(xmin), heightToY(z));
        const QString t = T(text, language);
        textOut(p, W - fm.horizontalAdvance(t), heightToY(z) + 1, t, colour);
        levelLabelWidth = std::max(levelLabelWidth, fm.horizontalAdvance(t));
        fontColour = colour;
    };
    if (m.vertunten) level(m.Hunttricht, texts::position::hopperBottomLevel, kGrey);
    if (m.Trichterja)
        level(m.Hunttricht + m.Hspitzeoben - m.Hspitzeauslauf, texts::position::hopperTopLevel,
              kGrey);
    if (m.Schaftja) level(ownHeight, texts::position::siloTopLevel, kGrey);
    level(m.Fuellhoehe, texts::position::fillingTopLevel, kRed);
    if (m.Schuettkegel) level(m.Fuellhoehe - m.Hkegel, texts::position::heapBottomLevel, kGreen);

    // 8. Outlet label in the colour of the last level.
    if (!zoomed || zLow == 0) {
        const QString t = T(texts::position::outlet, language);
        textOut(p, W - fm.horizontalAdvance(t), heightToY(0.0) + 1, t, fontColour);
        levelLabelWidth = std::max(levelLabelWidth, fm.horizontalAdvance(t));
    }

    // 9. Stress numbers under the grid lines; the last line stays unnumbered.
    if (scaled && gx > 0) {
        int count = 0;
        for (double x = gx; x < xmax - gx && count < kMaxGridLines; x += gx, ++count) {
            const QString t = number(x / div);
            const int left = stressToX(x) - toPixel(fm.horizontalAdvance(t) / 2.0);
            textOut(p, left, yBase + 1, t, kGrey);
        }
    }

    // 10. Height numbers left of the axis.
    const int halfZero = toPixel(fm.height() / 2.0);
    if (gz > 0) {
        for (int k = kFirst; k * gz < zHigh - 0.5 * gz && k < kFirst + kMaxGridLines; ++k) {
            const QString t = number(k * gz);
            const int left = stressToX(0.0) - fm.horizontalAdvance(t + "0");
            textOut(p, left, heightToY(k * gz) - halfZero, t, kGrey);
        }
    }

    // 11. The two zeros at the origin.
    textOut(p, stressToX(0.0) - toPixel(fm.horizontalAdvance("0") / 2.0), yBase + 1, "0", kGrey);
    {
        const QString t = zoomed ? number(zLow) : QStringLiteral("0");
        textOut(p, stressToX(0.0) - fm.horizontalAdvance(t + "0"), yBase - halfZero, t, kGrey);
    }

    // 12. Unit of the height axis.
    // (kept inside the image where the margin left of the axis is narrow)
    textOut(p, std::max(0, stressToX(0.0) - fm.horizontalAdvance("z [m]000")),
            heightToY(zHigh) + toPixel(1.2 * fm.height()), "z [m]", kGrey);

    // Extra curves lie under the model's own; a zoomed plot cuts them at its edges.
    p.save();
    p.setClipRect(plot);
    auto drawModelCurves = [&](const SiloModel& e, const QPen& vertical, const QPen& wall) {
        QPolygon path;
        curve(e, e.SIGMAV, path);
        p.setPen(vertical);
        p.drawPolyline(path);
        if (e.Schuettkegel)
            p.drawLine(path.last(), QPoint(stressToX(0.0), heightToY(e.Fuellhoehe)));
        const double zTop = curve(e, e.SIGMAW, path);
        p.setPen(wall);
        p.drawPolyline(path);
        if (e.Schuettkegel) p.drawLine(path.last(), QPoint(stressToX(0.0), heightToY(zTop)));
    };
    if (extras.comparison && diagramHasCurves(*extras.comparison)) {
        const SiloModel& c = *extras.comparison;
        drawModelCurves(c, comparisonVerticalPen(), comparisonWallPen());
        // The compared silo's levels: a short dash-dotted mark from the axis
        // with its name, in the comparison's colour.
        const QColor colour = comparisonVerticalPen().color();
        auto mark = [&](double z, const TextPair& text) {
            QPen pen = comparisonVerticalPen();
            pen.setWidth(1);
            p.setPen(pen);
            const int x0 = stressToX(0.0);
            const int x1 = x0 + (stressToX(xmax) - x0) / 4;
            p.drawLine(x0, heightToY(z), x1, heightToY(z));
            // No white cell: the label must not hide a curve.
            p.setPen(colour);
            p.drawText(QPoint(x0 + 3, heightToY(z) - fm.descent() - 1),
                       T(texts::habits::comparison, language) + QStringLiteral(": ") +
                           T(text, language));
        };
        mark(c.Fuellhoehe, texts::position::fillingTopLevel);
        if (c.Trichterja)
            mark(c.Hunttricht + c.Hspitzeoben - c.Hspitzeauslauf, texts::position::hopperTopLevel);
        if (c.vertunten) mark(c.Hunttricht, texts::position::hopperBottomLevel);
    }
    if (extras.otherState && diagramHasCurves(*extras.otherState))
        drawModelCurves(*extras.otherState, otherStateVerticalPen(), otherStateWallPen());
    for (const DiagramCurve& c : extras.curves) {
        QPolygon path;
        for (const QPointF& q : c.points) path << QPoint(stressToX(q.x()), heightToY(q.y()));
        p.setPen(c.pen);
        p.drawPolyline(path);
    }
    if (extras.en)
        drawEnCurves(p, *extras.en,
                     [](double s, double z) { return QPoint(stressToX(s), heightToY(z)); }, 2,
                     kBlack, kBlue);
    if (curves) {
        // 13-14. SIGMAV: black, from the outlet up; over a heap a dotted
        // line on to the heap tip on the axis.
        QPolygon path;
        curve(m, m.SIGMAV, path);
        p.setPen(ownVerticalPen());
        p.drawPolyline(path);
        if (m.Schuettkegel) {
            QPen dotted = solidPen(kBlack, 3);
            dotted.setStyle(Qt::DotLine);
            p.setPen(dotted);
            p.drawLine(path.last(), QPoint(stressToX(0.0), heightToY(m.Fuellhoehe)));
        }
        // 15-16. SIGMAW: blue; over a heap a horizontal line to the axis at
        // the heap foot.
        const double zTop = curve(m, m.SIGMAW, path);
        p.setPen(ownWallPen());
        p.drawPolyline(path);
        if (m.Schuettkegel) p.drawLine(path.last(), QPoint(stressToX(0.0), heightToY(zTop)));
    }
    p.restore();

    // 17. The legend strip.
    if (legendRows > 0) {
        const int top = pad;
        int i = 0;
        for (const LegendEntry& e : legend) {
            const int x = legendLeft + (i % legendColumns) * entryW + pad;
            const int y = top + (i / legendColumns) * rowH;
            p.setPen(e.pen);
            p.drawLine(x, y + rowH / 2, x + sample, y + rowH / 2);
            textOut(p, x + sample + pad, y, e.name, e.pen.color());
            ++i;
        }
        if (funnel)
            textOut(p, legendLeft + pad, top + (legendRows - 1) * rowH, note, kRed);
    }
    p.restore();
}

}  // namespace korvane::ui
