// The result diagram checked on its pixels: painted into an image.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>

#include "calc/model.h"
#include "ui/main/diagram.h"
#include "ui/texts/texts.h"

using namespace korvane;
using namespace korvane::ui;

namespace {

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kGreen = qRgb(0, 128, 0);
const QRgb kGrey = qRgb(128, 128, 128);
const QRgb kSilver = qRgb(192, 192, 192);
const QRgb kWhite = qRgb(255, 255, 255);

// A 6 m shaft over a 5.2 m hopper (silo height 11.2 m) filled to 10 m (or to
// a heap foot at 9 m with a 1 m heap); SIGMAV grows linearly with the depth
// to 80 000 Pa at the outlet, SIGMAW is half of it.
std::unique_ptr<SiloModel> silo(bool heap = false) {
    auto m = std::make_unique<SiloModel>();
    m->Schaftja = m->Trichterja = true;
    m->Hschaft = 6;
    m->Hspitzeauslauf = 0.5;
    m->Hspitzeoben = 5.7;
    m->Fuellhoehe = 10;
    m->Schuettkegel = heap;
    m->Hkegel = heap ? 1.0 : 0.0;
    m->setSpannungszustand(0);
    m->Massenfluss = true;
    m->Schrittzahl = m->Schritteschaft = m->Schrittetrichter = m->Schritteunten = 1000;
    m->Gesamtschritte = 3000;
    m->Indexanfang = 1;
    m->Indexende = 2000;
    const double top = m->Fuellhoehe - m->Hkegel;
    const double shaftFill = top - 5.2;
    const double surface = heap ? 20000.0 : 0.0;
    double depth = 0;
    m->SIGMAV[0] = surface;
    m->SIGMAW[0] = surface / 2;
    for (int i = 1; i <= 2000; ++i) {
        m->Dz[i] = i <= 1000 ? shaftFill / 1000 : 5.2 / 1000;
        depth += static_cast<double>(m->Dz[i]);
        m->SIGMAV[i] = surface + (80000.0 - surface) * depth / top;
        m->SIGMAW[i] = m->SIGMAV[i] / 2;
    }
    return m;
}

// The mapping of the last drawing, and pixels with it.
DiagramMapping g_map;
int stressToX(double stress) { return ui::stressToX(g_map, stress); }
int heightToY(double z) { return ui::heightToY(g_map, z); }

QImage paint(const SiloModel& m, int language = 0, QSize size = QSize(640, 480)) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::magenta);  // anything not painted would show
    QPainter p(&img);
    g_map = drawDiagram(p, size, m, 1280, 1.0, language);
    return img;
}

QRgb at(const QImage& img, int x, int y) { return (img.pixel(x, y) & 0xFFFFFFu) | 0xFF000000u; }

int countIf(const QImage& img, QRect r, const std::function<bool(QRgb)>& pred) {
    r &= img.rect();
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (pred(at(img, x, y))) ++n;
    return n;
}

int countColour(const QImage& img, QRgb c, QRect r = QRect()) {
    return countIf(img, r.isNull() ? img.rect() : r, [c](QRgb p) { return p == c; });
}

// Text is drawn smoothed: its pixels are shades between the colour and white.
int countText(const QImage& img, QRect r, QRgb colour) {
    return countIf(img, r, [colour](QRgb p) {
        if (p == qRgb(255, 255, 255)) return false;
        // A shade of `colour` over white keeps the channel order of `colour`.
        const int dr = 255 - qRed(p), dg = 255 - qGreen(p), db = 255 - qBlue(p);
        const int cr = 255 - qRed(colour), cg = 255 - qGreen(colour), cb = 255 - qBlue(colour);
        const int k = std::max({cr, cg, cb});
        const int d = std::max({dr, dg, db});
        return d > 40 && std::abs(dr * k - cr * d) <= 40 * k && std::abs(dg * k - cg * d) <= 40 * k &&
               std::abs(db * k - cb * d) <= 40 * k;
    });
}

}  // namespace

TEST(Diagram, MappingOfTheExample) {
    auto m = silo();
    const QImage img = paint(*m);
    const DiagramMapping& map = g_map;
    // xmax = 88 000, xmin = -80 000 / 9: the axis stands at one eleventh-ish.
    const double xmin = -80000.0 / 9.0;
    EXPECT_NEAR(map.xZero, -xmin / (88000.0 - xmin) * 640, 1e-9);
    EXPECT_NEAR(map.yZero, 0.93 * 480, 1e-9);
    EXPECT_NEAR(map.xScale, (640 - map.xZero) / 88000.0, 1e-12);
    // The silo top stands below the legend strip (one row: SIGMAV, SIGMAW).
    EXPECT_GT(heightToY(11.2), 10);
    EXPECT_LT(heightToY(11.2), 60);
    EXPECT_GT(countColour(img.copy(0, 0, 640, heightToY(11.2)), qRgb(0, 0, 255)), 20);
    EXPECT_EQ(stressToX(xmin), 0);
    EXPECT_EQ(countColour(img, qRgb(255, 0, 255)), 0);  // the whole area is painted
}

TEST(Diagram, CurvesBlackAndBlue) {
    auto m = silo();
    const QImage img = paint(*m);
    // At z = 3 m the depth is 7 m: SIGMAV 56 000 Pa, SIGMAW 28 000 Pa.
    EXPECT_EQ(at(img, stressToX(56000), heightToY(3)), kBlack);
    EXPECT_EQ(at(img, stressToX(28000), heightToY(3)), kBlue);
    // Width 3: the neighbours across the curve are coloured too.
    EXPECT_EQ(at(img, stressToX(56000) + 1, heightToY(3)), kBlack);
    EXPECT_EQ(at(img, stressToX(28000) - 1, heightToY(3)), kBlue);
    // Outlet point of both curves.
    EXPECT_EQ(at(img, stressToX(78400), heightToY(0.2)), kBlack);
    EXPECT_EQ(at(img, stressToX(39200), heightToY(0.2)), kBlue);
}

TEST(Diagram, GridStepsOfTheExamples) {
    auto m = silo();
    const QImage img = paint(*m);
    // Height grid every 2 m: 5 lines over 11.2 m, right of all curves.
    const int x = stressToX(86000);
    for (double z : {2.0, 4.0, 6.0, 8.0}) EXPECT_EQ(at(img, x, heightToY(z)), kSilver) << z;
    for (double z : {1.0, 3.0, 7.0}) EXPECT_EQ(at(img, x, heightToY(z)), kWhite) << z;
    // Stress grid every 10 000 Pa: 8 lines up to 88 000 Pa.
    const int y = heightToY(9.0);
    for (double s : {20000.0, 40000.0, 60000.0, 80000.0, 30000.0, 70000.0})
        EXPECT_EQ(at(img, stressToX(s), y), kSilver) << s;
    for (double s : {15000.0, 25000.0, 75000.0}) EXPECT_EQ(at(img, stressToX(s), y), kWhite) << s;
}

TEST(Diagram, StressNumbersLeaveTheLastGridLineUnnumbered) {
    auto m = silo();
    const QImage img = paint(*m);
    const int top = heightToY(0) + 2;
    auto textAt = [&](double s) {
        return countText(img, QRect(stressToX(s) - 15, top, 31, 10), kGrey);
    };
    EXPECT_GT(textAt(20000), 0);
    EXPECT_GT(textAt(60000), 0);
    EXPECT_EQ(textAt(80000), 0);
}

TEST(Diagram, LevelLinesAtTheirHeights) {
    auto m = silo();
    const QImage img = paint(*m);
    const int left = 3;  // left of the height axis, where nothing else is drawn
    EXPECT_EQ(at(img, left, heightToY(10.0)), kRed);   // fill level
    EXPECT_EQ(at(img, left, heightToY(5.2)), kGrey);   // top of the hopper
    EXPECT_EQ(at(img, left, heightToY(11.2)), kGrey);  // top of the silo
    EXPECT_EQ(at(img, left, heightToY(0.0)), kGrey);   // base line
    EXPECT_EQ(at(img, left, heightToY(7.0)), kWhite);
    // Labels right-aligned against the right edge, just below their lines.
    EXPECT_GT(countText(img, QRect(560, heightToY(10.0) + 2, 80, 10), kRed), 5);
    EXPECT_GT(countText(img, QRect(560, heightToY(5.2) + 2, 80, 10), kGrey), 5);
}

TEST(Diagram, HeapEndsInDottedAndHorizontalLines) {
    auto m = silo(true);
    const QImage img = paint(*m);
    EXPECT_EQ(at(img, 3, heightToY(9.0)), kGreen);   // heap foot line
    EXPECT_EQ(at(img, 3, heightToY(10.0)), kRed);    // fill level at the heap tip
    // SIGMAW runs horizontally to the axis at the heap foot.
    EXPECT_EQ(at(img, (stressToX(0) + stressToX(10000)) / 2, heightToY(9.0)), kBlue);
    // SIGMAV continues dotted from the surface stress to the heap tip.
    const QPoint a(stressToX(20000), heightToY(9.0));
    const QPoint b(stressToX(0), heightToY(10.0));
    int black = 0, other = 0;
    for (int t = 10; t <= 90; ++t) {
        const int x = a.x() + (b.x() - a.x()) * t / 100;
        const int y = a.y() + (b.y() - a.y()) * t / 100;
        (at(img, x, y) == kBlack ? black : other)++;
    }
    EXPECT_GT(black, 10);
    EXPECT_GT(other, 10);  // dotted, not solid
}

// The note says that the discharge state is not valid; it stands in the
// legend box, so it never covers a curve, a level line or a label.
TEST(Diagram, FunnelFlowWarningOnlyWhenDischargingWithoutMassFlow) {
    auto m = silo();
    const QRect whole(0, 0, 640, 480);
    const int plain = countText(paint(*m), whole, kRed);
    m->setSpannungszustand(1);
    m->Massenfluss = false;
    const QImage warned = paint(*m);
    EXPECT_GT(countText(warned, whole, kRed), plain + 50);
    // Not on the curves: both keep their colour at mid height.
    EXPECT_EQ(at(warned, stressToX(double(m->SIGMAV[500])), heightToY(5.0)), at(paint(*m), stressToX(double(m->SIGMAV[500])), heightToY(5.0)));
    m->setSpannungszustand(0);  // filling state: no warning whatever the flag
    EXPECT_EQ(countText(paint(*m), whole, kRed), plain);
}

TEST(Diagram, LanguageChangesTextsNotGeometry) {
    auto m = silo(true);
    const QImage de = paint(*m, 0);
    const QImage en = paint(*m, 1);
    EXPECT_NE(de, en);
    // Curves and lines stand exactly where they stood; only labels differ.
    EXPECT_EQ(countColour(de, kBlue), countColour(en, kBlue));
    // (Below the legend box, which stands left of the level labels and so
    // moves with their width.)
    const QRect plot(stressToX(0) + 2, heightToY(6.0), stressToX(85000) - stressToX(0),
                     heightToY(0) - 2 - heightToY(6.0));
    for (int y = plot.top(); y <= plot.bottom(); y += 3)
        for (int x = plot.left(); x <= plot.right(); x += 3)
            if (at(de, x, y) == kBlack) ASSERT_EQ(at(en, x, y), kBlack) << x << "," << y;
}

TEST(Diagram, ZeroResultsShowTheAxesOnly) {
    auto m = silo();
    for (int i = 0; i < kResultSize; ++i) m->SIGMAV[i] = m->SIGMAW[i] = 0;
    const QImage img = paint(*m);
    EXPECT_EQ(countColour(img, kBlack), 0);
    EXPECT_EQ(countColour(img, kBlue), 0);
    EXPECT_EQ(at(img, stressToX(0), heightToY(3.0)), kGrey);  // height axis
    EXPECT_EQ(at(img, 3, heightToY(10.0)), kRed);         // levels still stand
}

TEST(Diagram, ResultsThatAreNotNumbersDrawNoCurves) {
    auto m = silo();
    m->SIGMAV[1500] = std::numeric_limits<long double>::quiet_NaN();
    m->SIGMAW[700] = std::numeric_limits<long double>::infinity();
    const QImage img = paint(*m);
    EXPECT_EQ(countColour(img, kBlack), 0);
    EXPECT_EQ(countColour(img, kBlue), 0);
    EXPECT_TRUE(std::isfinite(g_map.xScale));
}

TEST(Diagram, EmptyModelAndDegenerateSizesDoNotFail) {
    SiloModel* empty = new SiloModel();
    const QImage img = paint(*empty);
    EXPECT_EQ(countColour(img, kWhite), img.width() * img.height());
    QImage tiny(1, 1, QImage::Format_RGB32);
    QPainter p(&tiny);
    auto m = silo();
    drawDiagram(p, QSize(1, 1), *m, 0, 0.0, 0);  // window width 0: no grid, no loop
    p.end();
    delete empty;
}

TEST(Diagram, PixelMappingClampsInsteadOfOverflowing) {
    DiagramMapping map;
    map.xScale = 1e12;
    map.zScale = 1;
    EXPECT_EQ(stressToX(map, 1e6), std::numeric_limits<int>::max());
    EXPECT_EQ(stressToX(map, -1e6), std::numeric_limits<int>::min());
    EXPECT_EQ(stressToX(map, std::nan("")), 0);
    map.yZero = 100;
    EXPECT_EQ(heightToY(map, 10.4), 90);
    EXPECT_EQ(heightToY(map, 10.6), 89);
}

TEST(Diagram, StressesBelowOnePascalStillGetTheirGrid) {
    // Stresses below one pascal: the grid steps in fractions of a pascal.
    auto m = silo();
    for (int i = 0; i < kResultSize; ++i) {
        m->SIGMAV[i] /= 100000;
        m->SIGMAW[i] /= 100000;
    }
    const QImage img = paint(*m);
    const int y = heightToY(3.0);
    int silver = 0;
    for (int x = stressToX(0) + 1; x < img.width(); ++x) silver += at(img, x, y) == kSilver;
    EXPECT_GE(silver, 4);
    EXPECT_LE(silver, 8);
    EXPECT_GT(countColour(img, kBlack), 0);  // the curves are there all the same
    EXPECT_EQ(at(img, 630, heightToY(2.0)), kSilver);  // and the height grid
}
