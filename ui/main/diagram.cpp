#include "ui/main/diagram.h"

#include <QFont>
#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <climits>
#include <cmath>

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

// SIGMAV and SIGMAW of an extra silo model, dashed, with the heap endings of
// the model's own curves (on to the heap tip, across to the heap foot).
void drawDashedCurves(QPainter& p, const SiloModel& m, const QColor& vertical,
                      const QColor& wall) {
    QPolygon path;
    curve(m, m.SIGMAV, path);
    p.setPen(dashedPen(vertical, 3));
    p.drawPolyline(path);
    if (m.Schuettkegel) p.drawLine(path.last(), QPoint(stressToX(0.0), heightToY(m.Fuellhoehe)));
    const double zTop = curve(m, m.SIGMAW, path);
    p.setPen(dashedPen(wall, 3));
    p.drawPolyline(path);
    if (m.Schuettkegel) p.drawLine(path.last(), QPoint(stressToX(0.0), heightToY(zTop)));
}

}  // namespace

double diagramStressMax(const SiloModel& m, const DiagramExtras& extras) {
    double mx = diagramHasCurves(m) ? diagramStressMax(m) : 0.0;
    for (const SiloModel* e : {extras.otherState, extras.comparison})
        if (e && diagramHasCurves(*e)) mx = std::max(mx, diagramStressMax(*e));
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

    // 3. Mapping: outlet at 93 % of the height, silo top at the top edge,
    // a margin of one ninth of the largest stress left of the height axis.
    DiagramMapping& map = diagramMapping();
    map.xZero = -xmin / (xmax - xmin) * W;
    map.yZero = 0.93 * H;
    map.xScale = (W - map.xZero) / xmax;
    map.zScale = map.yZero / zmax;

    const double winW = mainWindowWidth > 0 ? mainWindowWidth : W;

    // 4. Vertical grid in whole Pa.
    // (Rounded in floating point: stresses and heights beyond the integer
    // range must neither overflow nor stop the grid from advancing.)
    double gx = 0;
    if (scaled) {
        const GridStep g = gridStep(1400.0 / winW * xmax, 0);
        gx = std::round(g.spacing());
        if (!std::isfinite(gx)) gx = 0;
        p.setPen(solidPen(kSilver));
        if (gx > 0) {
            int count = 0;
            for (double x = gx; x < xmax && count < kMaxGridLines; x += gx, ++count)
                p.drawLine(stressToX(x), heightToY(0.0), stressToX(x), heightToY(zmax));
        }
    }

    // 5. Horizontal grid in whole centimetres.
    const GridStep gzStep = gridStep(1800.0 / winW * zmax, 0);
    double gz = std::round(100.0 * gzStep.spacing()) / 100.0;
    if (!std::isfinite(gz)) gz = 0;
    p.setPen(solidPen(kSilver));
    if (gz > 0) {
        for (int k = 1; k * gz < zmax && k <= kMaxGridLines; ++k)
            p.drawLine(stressToX(0.0), heightToY(k * gz), stressToX(xmax), heightToY(k * gz));
    }

    // 6. Base line and height axis.
    p.setPen(solidPen(kGrey));
    p.drawLine(stressToX(xmax), heightToY(0.0), stressToX(xmin), heightToY(0.0));
    p.drawLine(stressToX(0.0), heightToY(0.0), stressToX(0.0), heightToY(zmax));

    // 7. Level lines: section boundaries, fill level, heap foot.
    QColor fontColour = kGrey;
    auto level = [&](double z, const TextPair& text, const QColor& colour) {
        p.setPen(solidPen(colour));
        p.drawLine(stressToX(xmax), heightToY(z), stressToX(xmin), heightToY(z));
        const QString t = T(text, language);
        textOut(p, W - fm.horizontalAdvance(t), heightToY(z) + 1, t, colour);
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
    {
        const QString t = T(texts::position::outlet, language);
        textOut(p, W - fm.horizontalAdvance(t), heightToY(0.0) + 1, t, fontColour);
    }

    // 9. Stress numbers under the grid lines; the last line stays unnumbered.
    if (scaled && gx > 0) {
        int count = 0;
        for (double x = gx; x < xmax - gx && count < kMaxGridLines; x += gx, ++count) {
            const QString t = QString::number(x, 'f', 0);
            const int left = stressToX(x) - toPixel(fm.horizontalAdvance(t) / 2.0);
            textOut(p, left, heightToY(0.0) + 1, t, kGrey);
        }
    }

    // 10. Height numbers left of the axis.
    const int halfZero = toPixel(fm.height() / 2.0);
    if (gz > 0) {
        const QString point = QLocale().decimalPoint();
        for (int k = 1; k * gz < zmax - gz && k <= kMaxGridLines; ++k) {
            QString t = QString::number(k * gz, 'g', 15);
            t.replace(QLatin1Char('.'), point);
            const int left = stressToX(0.0) - fm.horizontalAdvance(t + "0");
            textOut(p, left, heightToY(k * gz) - halfZero, t, kGrey);
        }
    }

    // 11. The two zeros at the origin.
    textOut(p, stressToX(0.0) - toPixel(fm.horizontalAdvance("0") / 2.0), heightToY(0.0) + 1,
            "0", kGrey);
    textOut(p, stressToX(0.0) - fm.horizontalAdvance("00"), heightToY(0.0) - halfZero, "0", kGrey);

    // 12. Unit of the height axis.
    // (kept inside the image where the margin left of the axis is narrow)
    textOut(p, std::max(0, stressToX(0.0) - fm.horizontalAdvance("z [m]000")),
            heightToY(zmax) + toPixel(1.2 * fm.height()), "z [m]", kGrey);

    const int legendRight = toPixel(0.9 * W);
    const int legendTop = toPixel(0.965 * H);
    // Extra curves lie under the model's own: the comparison silo in grey,
    // the other state in the colours of the own curves; their legend lines
    // stand right-aligned below the top of the diagram.
    int extraLegendTop = heightToY(zmax) + fm.height() + 3;
    auto extraLegend = [&](const QString& t, const QColor& colour) {
        textOut(p, legendRight - fm.horizontalAdvance(t), extraLegendTop, t, colour);
        extraLegendTop += fm.height() + 1;
    };
    if (extras.comparison && diagramHasCurves(*extras.comparison)) {
        drawDashedCurves(p, *extras.comparison, kGrey, kGrey);
        extraLegend(comparisonLegend(extras.comparisonName, language), kGrey);
    }
    if (extras.otherState && diagramHasCurves(*extras.otherState)) {
        drawDashedCurves(p, *extras.otherState, kBlack, kBlue);
        extraLegend(bothStatesLegend(m, language), kBlack);
    }
    if (curves) {
        // 13-14. SIGMAV: black, from the outlet up; over a heap a dotted
        // line on to the heap tip on the axis.
        QPolygon path;
        curve(m, m.SIGMAV, path);
        p.setPen(solidPen(kBlack, 3));
        p.drawPolyline(path);
        if (m.Schuettkegel) {
            QPen dotted = solidPen(kBlack, 3);
            dotted.setStyle(Qt::DotLine);
            p.setPen(dotted);
            p.drawLine(path.last(), QPoint(stressToX(0.0), heightToY(m.Fuellhoehe)));
        }
        textOut(p, legendRight - fm.horizontalAdvance("SIGMAV [Pa]"), legendTop, "SIGMAV [Pa]",
                kBlack);

        // 15-16. SIGMAW: blue; over a heap a horizontal line to the axis at
        // the heap foot.
        const double zTop = curve(m, m.SIGMAW, path);
        p.setPen(solidPen(kBlue, 3));
        p.drawPolyline(path);
        if (m.Schuettkegel) p.drawLine(path.last(), QPoint(stressToX(0.0), heightToY(zTop)));
        textOut(p, legendRight - fm.horizontalAdvance("SIGMAV [Pa]  SIGMAW [Pa]"), legendTop,
                "SIGMAW [Pa]", kBlue);
    }

    // 17. Funnel flow makes the discharge stresses meaningless: say so over the curves.
    // The discharge curves of the other state carry the same warning.
    if (funnelFlowCurves(m) || (extras.otherState && funnelFlowCurves(*extras.otherState))) {
        textOut(p, toPixel(0.3 * W), toPixel(0.5 * H), T(texts::results::funnelFlow, language),
                kRed);
    }
    p.restore();
}

}  // namespace korvane::ui
