#include "ui/main/print_pages.h"

#include <QDate>

#include <QFont>
#include <QFontMetrics>
#include <QLocale>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <algorithm>
#include <cmath>

#include "calc/engine.h"
#include "ui/main/desktop_habits.h"
#include "ui/main/diagram.h"
#include "ui/main/display_logic.h"
#include "ui/texts/texts.h"

namespace korvane::ui {

namespace {

using texts::T;

// Page geometry in 0.1 mm.
constexpr int kLeft = 150;        // left edge of all table text, x offset of the diagram area
constexpr int kTop = 150;         // header line
constexpr int kLinePitch = 33;    // table line pitch
constexpr int kAreaW = 1600;      // diagram area
constexpr int kAreaH = 2500;
constexpr int kAreaX = 150;
constexpr int kAreaY = 250;
constexpr int kFooterTop = 2740;  // page number and date, below table and diagram
// Extent both pages need from the printable area's top left corner: the
// table's columns and the diagram with its labels, legend and frame.
constexpr double kContentW = 1900;
constexpr double kContentH = 2800;
// Grid lines of the printed diagram, whatever the scale.
constexpr int kMaxGridLines = 200;

// Rounding to the nearest integer, ties to even, as the pixel mapping does.
int rnd(double v) {
    if (!std::isfinite(v)) return 0;
    v = std::clamp(v, -1.0e9, 1.0e9);
    return static_cast<int>(std::nearbyint(v));
}

QFont pageFont(const char* family, int height) {
    QFont f(QString::fromLatin1(family));
    // The height is a pixel size in page units (0.1 mm); no hinting so that
    // widths scale linearly to every printer resolution.
    f.setPixelSize(height);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleHint(QFont::AnyStyle, QFont::PreferMatch);
    return f;
}

QString bracketedFile(const QString& file, int language) {
    return QStringLiteral("[") + T(texts::printout::parameterFile, language) + QStringLiteral(": ") +
           file + QStringLiteral("]");
}

int textWidth(const QPainter& p, const QString& s) { return p.fontMetrics().horizontalAdvance(s); }

// Text with its top left corner at (x, y), like the printer canvas places it.
void textOut(QPainter& p, int x, int y, const QString& s) {
    p.drawText(x, y + p.fontMetrics().ascent(), s);
}

// Text in a colour, without disturbing the line pen.
void textOut(QPainter& p, int x, int y, const QString& s, const QColor& c) {
    const QPen keep = p.pen();
    p.setPen(c);
    textOut(p, x, y, s);
    p.setPen(keep);
}

// Header line: the product name at the left, and either the maker's notice
// or, while the parameters are those of a file, the bracketed file name in
// its place at `x2`.
void header(QPainter& p, int x2, const QString& parameterFile, bool changed, int language,
            const QColor& color) {
    textOut(p, kLeft, kTop, QString::fromUtf8(texts::kProductName), color);
    if (!parameterFile.isEmpty() && !changed)
        textOut(p, x2, kTop,
                headerFileText(p.fontMetrics(), parameterFile, language,
                               p.window().width() - kLeft / 3 - x2),
                color);
    else
        textOut(p, x2, kTop, QString::fromUtf8(texts::kMakerNotice), color);
}

// Page number and date, right-aligned at `right` on the line at `y`.
void pageAndDate(QPainter& p, int right, int y, int language, const QColor& color) {
    const QString s = T(texts::habits::page, language) + QStringLiteral("1   ") +
                      QDate::currentDate().toString(Qt::ISODate);
    textOut(p, right - textWidth(p, s), y, s, color);
}


// Pen of `units` page units, but never thinner than one device pixel, so
// that fine lines survive on coarse devices (screens, images). A dash
// pattern is given in page units too.
QPen pagePen(const QPainter& p, const QColor& c, double units, const QList<qreal>& dashUnits = {}) {
    double width = units;
    const QTransform t = p.combinedTransform();
    const double scale = std::abs(t.m11());
    if (scale > 0 && width * scale < 1.0) width = 1.0 / scale;
    QPen pen(c, width);
    if (!dashUnits.isEmpty()) {
        QList<qreal> pattern;
        for (qreal d : dashUnits) pattern << d / width;
        pen.setDashPattern(pattern);
        pen.setCapStyle(Qt::FlatCap);
    }
    return pen;
}

QString fmt(long double v, int decimals) {
    return formatResult(v, decimals, QLocale().decimalPoint().at(0));
}

// A stress in the unit the window shows (calculated in Pa).
QString stressText(long double v) {
    return fmt(v / stressUnitDivisor(stressUnit()), stressDecimals(stressUnit()));
}

// The printed pen of a curve style: SIGMAV's curves 4 units wide, SIGMAW's
// 2, the EN 1991-4 loads 3; dash patterns in page units, so that the page
// shows the screen's patterns at print size. The heap part of the own
// SIGMAV is a fine dotted line.
QPen pageCurvePen(const QPainter& p, const CurveStyle& style) {
    if (style.pattern == LinePattern::Dotted) return pagePen(p, style.colour, 1, {5, 10});
    const bool en = style.set == CurveSet::EnFilling || style.set == CurveSet::EnDischarge;
    const double width = en ? 3 : style.stress == StressKind::Vertical ? 4 : 2;
    switch (style.pattern) {
        case LinePattern::Solid: {
            QPen pen = pagePen(p, style.colour, width);
            pen.setCapStyle(Qt::RoundCap);
            pen.setJoinStyle(Qt::RoundJoin);
            return pen;
        }
        case LinePattern::Dashed: return pagePen(p, style.colour, width, {40, 20});
        case LinePattern::DashDotted: return pagePen(p, style.colour, width, {40, 15, 5, 15});
        case LinePattern::DashDotDotted:
            return pagePen(p, style.colour, width, {40, 15, 5, 15, 5, 15});
        case LinePattern::Dotted:
        case LinePattern::None: break;
    }
    return QPen(Qt::NoPen);
}

}  // namespace

QString rowLabel(RowLabel l, int language) {
    switch (l) {
        case RowLabel::FillTop: return T(texts::position::fillingTopRow, language);
        case RowLabel::HeapFoot: return T(texts::position::heapBottomRow, language);
        case RowLabel::ShaftBottom: return T(texts::position::shaftBottomRow, language);
        case RowLabel::HopperBottom: return T(texts::position::hopperBottomRow, language);
        case RowLabel::Outlet: return T(texts::position::outlet, language);
        case RowLabel::Blank: break;
    }
    return {};
}

QString headerFileText(const QFontMetrics& fm, const QString& parameterFile, int language,
                       int width) {
    const QString whole = bracketedFile(parameterFile, language);
    if (fm.horizontalAdvance(whole) <= width) return whole;
    // Too long for the line: the folders give way in the middle, the file
    // name itself always stays whole.
    const int slash = parameterFile.lastIndexOf(QLatin1Char('/'));
    const QString folder = parameterFile.left(slash + 1);
    const QString name = parameterFile.mid(slash + 1);
    const int fixed = fm.horizontalAdvance(bracketedFile(name, language));
    const QString shortFolder = fm.elidedText(folder, Qt::ElideMiddle, std::max(0, width - fixed));
    if (shortFolder.isEmpty() && !folder.isEmpty())
        return bracketedFile(QStringLiteral("…/") + name, language);
    return bracketedFile(shortFolder + name, language);
}

void setPageMapping(QPainter& p) {
    QPaintDevice* d = p.device();
    if (!d) return;
    const int w = d->width();
    const int h = d->height();
    const double dpiX = d->logicalDpiX() > 0 ? d->logicalDpiX() : 254.0;
    const double dpiY = d->logicalDpiY() > 0 ? d->logicalDpiY() : 254.0;
    p.setViewport(0, 0, w, h);
    // A page smaller than the drawings (landscape, small paper) is fitted
    // to them: the logical page grows, so everything shrinks alike.
    const double pageW = w * 254.0 / dpiX;
    const double pageH = h * 254.0 / dpiY;
    const double fit = std::min({1.0, pageW / kContentW, pageH / kContentH});
    // A shrunk page stands centred across the paper: on landscape paper the
    // height limits the drawings and room is left at the sides.
    const int left = fit < 1.0 ? std::max(0, rnd((pageW / fit - kContentW) / 2)) : 0;
    p.setWindow(-left, 0, std::max(1, rnd(pageW / fit)), std::max(1, rnd(pageH / fit)));
}

// ---------------------------------------------------------------------------
// Table

void paintTablePage(QPainter& p, const SiloModel& m, const PrintStatus& status,
                    const QString& parameterFile, bool changed, int language) {
    p.save();
    setPageMapping(p);
    const int zDigits = zDecimals(m.Fuellhoehe);
    const QFont normal = pageFont("Courier New", 30);
    p.setFont(normal);
    p.setPen(pagePen(p, Qt::black, 1));
    p.setBrush(Qt::white);
    p.setBackground(Qt::white);
    p.setBackgroundMode(Qt::OpaqueMode);

    auto lineY = [](int r) { return kLinePitch * r + kTop; };

    // The file name is placed in page units, the same on every printer
    // resolution, and covers the maker's notice.
    header(p, kLeft + 90 + textWidth(p, QStringLiteral("KORVANE  ")), parameterFile, changed,
           language, Qt::black);

    textOut(p, kLeft, 183,
            T(texts::printout::state, language) + QStringLiteral(": ") + status.state);

    textOut(p, kLeft, 216,
            T(texts::printout::contents, language) + QStringLiteral(": ") + status.contents +
                QStringLiteral(" kg"));
    textOut(p, kLeft, 249,
            T(texts::printout::outletStress, language) + QStringLiteral(": ") +
                status.outletStress + ' ' + stressUnitName(stressUnit()));

    const Strides k = pageStrides(m);

    const int q = kLeft + textWidth(p, QStringLiteral("88888888"));
    const int colZ = q + 300, colRho = q + 600, colSv = q + 900, colSw = q + 1200;
    auto right = [&](int edge, int y, const QString& s) {
        textOut(p, edge - textWidth(p, s), y, s);
    };
    // z is placed by the width of its value with 3 decimals, so the decimal
    // point stays in one place for every fill height.
    auto zAt = [&](int y, double z) {
        textOut(p, colZ - textWidth(p, fmt(z, 3)), y, fmt(z, zDigits));
    };

    int r = 5;
    textOut(p, kLeft, lineY(r), QStringLiteral("Position"));
    right(colZ, lineY(r), QStringLiteral("z [m]"));
    right(colRho, lineY(r), QStringLiteral("RHOB [kg/m3]"));
    right(colSv, lineY(r), inStressUnit(QStringLiteral("SIGMAV [Pa]")));
    // The wall normal stress, named as on the screen and in the result file
    // (in the hopper the wall is not vertical: it is no horizontal stress).
    right(colSw, lineY(r), inStressUnit(QStringLiteral("SIGMAW [Pa]")));
    const QLine rule(kLeft, 347, colSw, 347);
    p.drawLine(rule);

    r = 6;
    if (m.Schuettkegel) {
        // Top of the heap: no stress on the free surface.
        const int y = lineY(r);
        textOut(p, kLeft, y, T(texts::position::fillingTopRow, language));
        zAt(y, m.Fuellhoehe);
        right(colRho, y, fmt(density(m, 10.0), 0));
        right(colSv, y, stressText(0.0L));
        ++r;
    }

    const std::vector<SelectedRow> rows = selectRows(m, k, m.Fuellhoehe - m.Hkegel);
    for (const SelectedRow& row : rows) {
        const int y = lineY(r++);
        const QString label = rowLabel(row.label, language);
        if (!label.isEmpty()) textOut(p, kLeft, y, label);
        zAt(y, row.z);
        right(colRho, y, fmt(m.RHOB[row.index], 0));
        right(colSv, y, stressText(m.SIGMAV[row.index - 1]));
        right(colSw, y, stressText(m.SIGMAW[row.index - 1]));
    }

    const int outletIndex = std::clamp(m.Indexende, 0, kResultSize - 1);
    {
        const int y = lineY(r++);
        textOut(p, kLeft, y, T(texts::position::outlet, language));
        zAt(y, 0.0);
        right(colSv, y, stressText(m.SIGMAV[outletIndex]));
        right(colSw, y, stressText(m.SIGMAW[outletIndex]));
    }

    if (funnelFlowCurves(m)) {
        ++r;  // one blank line
        QFont bold = normal;
        bold.setBold(true);
        p.setFont(bold);
        textOut(p, kLeft, lineY(r), T(texts::results::funnelFlow, language));
        p.setFont(normal);
    }

    p.drawLine(rule);
    pageAndDate(p, colSw, kFooterTop, language, Qt::black);
    p.restore();
}

// ---------------------------------------------------------------------------
// Diagram

std::vector<double> printedHeightGrid(double fillHeight) {
    std::vector<double> zs;
    if (!(fillHeight > 0) || !std::isfinite(fillHeight)) return zs;
    // The grid-step rule of the screen over the fill height, in whole
    // centimetres, so that a low silo gets decimetre lines like on the screen.
    const double step = std::round(100.0 * gridStep(fillHeight, 0).spacing()) / 100.0;
    if (!(step > 0) || !std::isfinite(step)) {
        zs.push_back(0);
        return zs;
    }
    for (int i = 0; i <= kMaxGridLines; ++i) {
        const double z = i * step;
        if (!(z < fillHeight)) break;
        zs.push_back(z);
    }
    return zs;
}

StressGrid printedStressGrid(double xmax) {
    StressGrid g;
    if (!(xmax > 0) || !std::isfinite(xmax)) return g;
    const double xmin = -xmax / 9.0;
    const double gx = std::round(gridStep(xmax, 0).spacing());
    // A spacing that rounds to 0 Pa would never advance: no stress grid.
    if (!(gx > 0) || !std::isfinite(gx)) return g;
    g.gx = gx;
    // First grid value: the smallest multiple of gx above xmin, found by
    // stepping down from 0 until at or below xmin and one step back up
    // (a few steps at most: gx is a ninth of the range or more).
    double h = 0;
    for (int i = 0; h > xmin && i < kMaxGridLines; ++i) h -= gx;
    h += gx;
    for (int i = 0; h < xmax && i < kMaxGridLines; ++i, h += gx) g.values.push_back(h);
    return g;
}

DiagramMapping paintDiagramPage(QPainter& p, const SiloModel& m, const QString& parameterFile,
                                bool changed, int language, const DiagramExtras& extras) {
    return paintDiagramPage(p, resultPicture(m, extras, language, stressUnit()), parameterFile,
                            changed, language);
}

DiagramMapping paintDiagramPage(QPainter& p, const ResultPicture& pic,
                                const QString& parameterFile, bool changed, int language) {
    p.save();
    setPageMapping(p);
    const QFont normal = pageFont("Arial", 50);
    const QFont small = pageFont("Arial", 35);
    p.setFont(normal);
    p.setBrush(Qt::white);
    p.setBackground(Qt::white);
    p.setBackgroundMode(Qt::OpaqueMode);

    const QColor grey(128, 128, 128), red(255, 0, 0), blue(0, 0, 255), black(0, 0, 0);

    // Stress scale. An empty result (all stresses 0) gets a nominal range of
    // 1 Pa so that the frame, the level lines and the axes still print.
    double mx = pic.stressMax;
    if (!(mx > 0) || !std::isfinite(mx)) mx = 1.0;
    const double xmax = 1.1 * mx;
    const double xmin = -xmax / 9.0;
    double ownHeight = pic.ownHeight;
    if (!(ownHeight > 0) || !std::isfinite(ownHeight)) ownHeight = std::max(1.0, pic.fillHeight);
    double zmax = std::isfinite(pic.height) ? std::max(ownHeight, pic.height) : ownHeight;

    // The legend: with the own curves alone their two lines at the bottom
    // right; with further curves a line for every curve in a strip above the
    // frame, in as many columns as the width holds, where it covers no curve
    // and no level label.
    const bool ownOnly =
        std::all_of(pic.legend.begin(), pic.legend.end(),
                    [](const LegendEntry& e) { return e.style.set == CurveSet::Own; });
    const std::vector<LegendRow> rows = legendRows(pic.legend);
    int stripColumns = 1, stripEntryW = 0, stripRows = 0;
    constexpr int kStripPitch = 53, kSample = 120, kSampleGap = 30;
    // A row: the shared start, each line sample with its name, the shared end.
    auto legendRow = [&](const LegendRow& r, int x, int y, bool draw) {
        const int x0 = x;
        auto words = [&](const QString& t, const QColor& colour) {
            if (draw) textOut(p, x, y, t, colour);
            x += textWidth(p, t);
        };
        if (!r.prefix.isEmpty()) words(r.prefix, Qt::black);
        for (size_t k = 0; k < r.items.size(); ++k) {
            const LegendEntry& e = r.items[k];
            if (k > 0) x += 2 * kSampleGap;
            const QPen pen = pageCurvePen(p, e.style);
            if (draw && pen.style() != Qt::NoPen) {
                p.setPen(pen);
                const int mid = y + p.fontMetrics().height() / 2;
                p.drawLine(x, mid, x + kSample, mid);
            }
            x += kSample + kSampleGap;
            words(e.name, e.style.colour);
        }
        if (!r.suffix.isEmpty()) words(r.suffix, Qt::black);
        return x - x0;
    };
    if (!ownOnly) {
        p.setFont(small);
        for (const LegendRow& r : rows)
            stripEntryW = std::max(stripEntryW, legendRow(r, 0, 0, false) + 80);
        p.setFont(normal);
        stripColumns = std::clamp(stripEntryW > 0 ? (kAreaW - 160) / stripEntryW : 1, 1,
                                  std::max(1, int(rows.size())));
        stripRows = (int(rows.size()) + stripColumns - 1) / stripColumns + (pic.funnelFlow ? 1 : 0);
    }
    const int stripH = stripRows > 0 ? stripRows * kStripPitch + 30 : 0;

    DiagramMapping map;
    map.xZero = -xmin / (xmax - xmin) * kAreaW;
    map.yZero = 0.93 * kAreaH;
    map.xScale = (kAreaW - map.xZero) / xmax;
    map.zScale = (map.yZero - stripH) / zmax;
    map.zLow = 0;
    map.zHigh = zmax;
    // Page positions of area coordinates.
    auto X = [&](double stress) { return stressToX(map, stress) + kAreaX; };
    auto Y = [&](double z) { return heightToY(map, z) + kAreaY; };

    QColor fontColor = black;
    auto text = [&](int x, int y, const QString& s) { textOut(p, x, y, s, fontColor); };
    auto width = [&](const QString& s) { return textWidth(p, s); };

    header(p, kLeft + width(QStringLiteral("KORVANE  ")), parameterFile, changed, language, black);

    // Stress grid, numbered except for the last line.
    p.setPen(pagePen(p, grey, 1));
    fontColor = grey;
    const QString point = QLocale().decimalPoint();
    const StressGrid sg = printedStressGrid(xmax);
    for (double x : sg.values) {
        p.drawLine(X(x), Y(0), X(x), Y(zmax));
        if (x < xmax - 1.1 * sg.gx) {
            QString s = QString::number(x / stressUnitDivisor(pic.unit), 'g', 12);
            s.replace(QLatin1Char('.'), point);
            text(stressToX(map, x) + 152 - rnd(width(s) / 2.0), heightToY(map, 0) + 251, s);
        }
    }

    // Height grid in whole metres up to the fill level (the higher one of a
    // compared silo), starting at 0.
    const int zeroHalf = rnd(p.fontMetrics().height() / 2.0);
    for (double z : printedHeightGrid(pic.highestFill)) {
        p.drawLine(X(0), Y(z), X(xmax), Y(z));
        QString s = QString::number(z, 'g', 15);
        s.replace(QLatin1Char('.'), point);
        text(stressToX(map, 0) + 150 - width(s) - 9, heightToY(map, z) + 250 - zeroHalf, s);
    }

    // Base line and height axis.
    p.drawLine(X(xmax), Y(0), X(0), Y(0));
    p.drawLine(X(0), Y(0), X(0), Y(zmax));

    // Level lines, dash-dotted, labelled right-aligned below the line.
    for (const DiagramLevel& l : pic.levels) {
        p.setPen(pagePen(p, l.colour, 1, {24, 12, 4, 12}));
        fontColor = l.colour;
        p.drawLine(X(xmax), Y(l.z), X(0), Y(l.z));
        text(1746 - width(l.label), heightToY(map, l.z) + 251, l.label);
    }
    // The outlet label, in the colour of the last level label.
    fontColor = pic.outletColour;
    text(1746 - width(pic.outletLabel), heightToY(map, 0) + 251, pic.outletLabel);

    fontColor = grey;
    text(stressToX(map, 0) + 150 - width(pic.heightAxisLabel + QStringLiteral("  ")) - 3,
         Y(zmax), pic.heightAxisLabel);

    // The compared silo's levels: a short thin mark from the axis, its name
    // above it, in the comparison's colour.
    p.setFont(small);
    for (const DiagramLevel& l : pic.comparedLevels) {
        p.setPen(pagePen(p, l.colour, 1, {40, 15, 5, 15}));
        p.drawLine(X(0), Y(l.z), X(0) + (X(xmax) - X(0)) / 4, Y(l.z));
        fontColor = l.colour;
        p.setBackgroundMode(Qt::TransparentMode);  // the name must not hide a curve
        text(X(0) + 30, Y(l.z) - p.fontMetrics().height() - 2, l.label);
        p.setBackgroundMode(Qt::OpaqueMode);
    }
    p.setFont(normal);

    // The curves in the picture's order, the own last.
    auto polyline = [&](const std::vector<QPointF>& points, const CurveStyle& style) {
        QPolygon path;
        for (const QPointF& q : points) {
            const QPoint d(X(q.x()), Y(q.y()));
            if (path.isEmpty() || path.last() != d) path << d;
        }
        p.setPen(pageCurvePen(p, style));
        p.drawPolyline(path);
    };
    for (const DiagramCurve& c : pic.curves) {
        polyline(c.points, c.style);
        if (c.heapPart.size() == 2) polyline(c.heapPart, c.heapStyle);
    }

    if (ownOnly) {
        // Texts at 80 % of the width, line samples to their left. (Without
        // curves the lines are named all the same.)
        const bool named = pic.legend.size() == 2;
        const int legendX = kAreaX + rnd(0.8 * kAreaW);
        const int legendTop = rnd(0.965 * kAreaH);
        fontColor = blue;
        text(legendX, kAreaY + legendTop,
             named ? pic.legend[1].name : inStressUnit(QStringLiteral("SIGMAW [Pa]")));
        fontColor = black;
        text(legendX, legendTop + 303,
             named ? pic.legend[0].name : inStressUnit(QStringLiteral("SIGMAV [Pa]")));
        const int sampleY = rnd(0.965 * kAreaH + 25);
        const int sampleX1 = rnd(0.8 * kAreaW) + 130;
        const int sampleX2 = kAreaX + rnd(0.65 * kAreaW);
        p.setPen(pageCurvePen(p, curveStyle(CurveSet::Own, StressKind::Vertical)));
        p.drawLine(sampleX1, sampleY + 303, sampleX2, sampleY + 303);
        p.setPen(pageCurvePen(p, curveStyle(CurveSet::Own, StressKind::Wall)));
        p.drawLine(sampleX1, sampleY + 250, sampleX2, sampleY + 250);
    } else {
        p.setFont(small);
        const int left = X(0);
        const int top = kAreaY + 10;
        int i = 0;
        for (const LegendRow& r : rows) {
            legendRow(r, left + (i % stripColumns) * stripEntryW,
                      top + (i / stripColumns) * kStripPitch, true);
            ++i;
        }
        if (pic.funnelFlow) {
            fontColor = red;
            text(left, top + (stripRows - 1) * kStripPitch, pic.funnelFlowNote);
        }
        p.setFont(normal);
    }

    // Height axis again and the frame.
    p.setPen(pagePen(p, black, 1));
    p.drawLine(X(0), Y(0), X(0), Y(zmax));
    p.drawPolyline(QPolygon({QPoint(X(0), Y(zmax)), QPoint(X(xmax), Y(zmax)), QPoint(X(xmax), Y(0)),
                             QPoint(X(0), Y(0))}));

    if (pic.funnelFlow) {
        QFont bold = normal;
        bold.setBold(true);
        p.setFont(bold);
        // Above the frame, so that it crosses no curve.
        fontColor = red;
        text(kLeft, kTop + 45, pic.funnelFlowWarning);
        p.setFont(normal);
    }
    // Page number and date on the line below the header, at the right.
    pageAndDate(p, X(xmax), kTop + 45, language, black);
    p.restore();
    return map;
}

}  // namespace korvane::ui
