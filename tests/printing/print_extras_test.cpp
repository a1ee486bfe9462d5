// The printed diagram shows the extra curves of the screen in the screen's
// styles: the other state dashed in the own colours, a comparison silo
// dash-dotted in colours of its own, each with the screen's legend line;
// their curves join the scale.
#include <gtest/gtest.h>

#include <QPainter>
#include <QTemporaryDir>
#include <cmath>
#include <memory>

#include "calc/engine.h"
#include "print_test_util.h"
#include "ui/main/diagram.h"
#include "ui/main/print_pages.h"

using namespace korvane;
using namespace korvane::ui;

namespace {

bool near(QRgb c, int r, int g, int b) {
    return std::abs(qRed(c) - r) <= 8 && std::abs(qGreen(c) - g) <= 8 && std::abs(qBlue(c) - b) <= 8;
}

// Hits and misses of a colour at the points of a curve over slices first..last.
std::pair<int, int> alongCurve(const QImage& img, const DiagramMapping& map, const SiloModel& m,
                               const double* sigma, int first, int last, int r, int g, int b) {
    int on = 0, off = 0;
    double z = 0;
    for (int j = m.Indexende - 1; j >= m.Indexanfang - 1; --j) {
        z += static_cast<double>(m.Dz[j + 1]);
        if (j < first || j > last) continue;
        const int x = stressToX(map, double(sigma[j])) + 150;
        const int y = heightToY(map, z) + 250;
        (near(img.pixel(x, y), r, g, b) ? on : off)++;
    }
    return {on, off};
}

}  // namespace

TEST(PrintedDiagramExtras, OtherStateDashedComparisonInItsOwnColoursWithTheScreensLegend) {
    const SiloModel& own = test::defaultSilo();  // filling state
    auto other = std::make_unique<SiloModel>(own);
    other->setSpannungszustand(1);
    clearResults(*other);
    prepare(*other, false);
    calculate(*other);
    // A comparison silo: the default silo with a 12 m shaft, taller than the own.
    auto taller = std::make_unique<SiloModel>(test::formSilo([](FormInput& in) {
        in.shaftHeight = "12";
        in.fillHeight = "15";
    }));
    const SiloModel& ownAgain = test::defaultSilo();
    DiagramExtras extras;
    extras.otherState = other.get();
    extras.comparison = taller.get();
    extras.comparisonName = "Hoch.par";

    DiagramMapping map;
    const QImage img = test::pageImage(254, [&](QPainter& p) {
        map = paintDiagramPage(p, ownAgain, {}, false, 0, extras);
    });
    // The taller silo's top lies inside the frame.
    EXPECT_GE(heightToY(map, diagramSiloHeight(*taller)), 0);
    // Hopper slices: the discharge curves run apart from the filling curves.
    for (auto [sigma, r, g, b] : {std::tuple{other->SIGMAV, 0, 0, 0}, {other->SIGMAW, 0, 0, 255}}) {
        const auto [on, off] = alongCurve(img, map, *other, sigma, 1100, 1900, r, g, b);
        EXPECT_GT(on, 100);
        EXPECT_GT(off, 50);  // dashed
    }
    // The comparison in the screen's style: dash-dotted in its own colour
    // (no longer grey dashed).
    const QColor purple = curveStyle(CurveSet::Comparison, StressKind::Vertical).colour;
    EXPECT_EQ(purple, comparisonVerticalPen().color());
    const auto [on, off] = alongCurve(img, map, *taller, taller->SIGMAV, 1, 999, purple.red(),
                                      purple.green(), purple.blue());
    EXPECT_GT(on, 100);
    EXPECT_GT(off, 50);

    if (!test::haveTool("pdftotext")) GTEST_SKIP() << "pdftotext missing";
    QTemporaryDir dir;
    const QString pdf = dir.filePath("d.pdf");
    ASSERT_TRUE(test::pagePdf(pdf, [&](QPainter& p) {
        paintDiagramPage(p, ownAgain, {}, false, 0, extras);
    }));
    const QString text = test::pdfLines(pdf).join('\n');
    // The legend rows of the screen: SIGMAV and SIGMAW of each silo and state.
    for (const LegendRow& r : legendRows(resultPicture(ownAgain, extras, 0, StressUnit::Pa).legend))
        EXPECT_TRUE(text.contains(r.items.back().name + r.suffix))
            << r.suffix.toStdString() << "\n" << text.toStdString();
    EXPECT_TRUE(text.contains("SIGMAW \u2013 Vergleich: Hoch.par")) << text.toStdString();
    EXPECT_TRUE(text.contains("SIGMAW \u2013 Entleeren"));
    EXPECT_TRUE(text.contains("Kernfluss! Berechnung ungültig!"));  // the discharge state is funnel flow
}
