// The printed diagram: grid rules, level lines, curves and legend samples
// (pixels of a 254 dpi image, one pixel per 0.1 mm), texts through the PDF.
#include <gtest/gtest.h>

#include <QPainter>
#include <cmath>
#include <memory>

#include "calc/engine.h"
#include "print_test_util.h"
#include "ui/main/diagram.h"
#include "ui/main/print_pages.h"

using namespace korvane;
using namespace korvane::ui;

namespace {

SiloModel& silo(const char* shaft, const char* fill) {
    return test::formSilo([&](FormInput& in) {
        in.shaftHeight = shaft;
        in.fillHeight = fill;
    });
}

// The area mapping of the last page drawn.
DiagramMapping g_map;

QImage diagramImage(const SiloModel& m, int language = 0) {
    return test::pageImage(254, [&](QPainter& p) { g_map = paintDiagramPage(p, m, {}, false, language); });
}

// Page pixel of area coordinates, with the mapping of the last drawing.
int px(double stress) { return stressToX(g_map, stress) + 150; }
int py(double z) { return heightToY(g_map, z) + 250; }

bool isColor(QRgb c, int r, int g, int b) {
    return std::abs(qRed(c) - r) <= 8 && std::abs(qGreen(c) - g) <= 8 && std::abs(qBlue(c) - b) <= 8;
}

// Share of pixels of a colour along a row between two columns.
double rowShare(const QImage& img, int y, int x1, int x2, int r, int g, int b) {
    int n = 0, hit = 0;
    for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x, ++n)
        if (isColor(img.pixel(x, y), r, g, b)) ++hit;
    return n ? double(hit) / n : 0;
}

// Rows of the drawing area that carry a solid grey line.
std::vector<int> solidGreyRows(const QImage& img, double xmax, double zTop) {
    std::vector<int> rows;
    for (int y = py(zTop) + 1; y < py(0); ++y)
        if (rowShare(img, y, px(0) + 3, px(xmax) - 3, 128, 128, 128) > 0.8) rows.push_back(y);
    return rows;
}

double siloHeight(const SiloModel& m) { return m.Hschaft + m.Hspitzeoben - m.Hspitzeauslauf + m.Hunttricht; }

// Length of the run of a colour in a column through y.
int columnRun(const QImage& img, int x, int y, int r, int g, int b) {
    if (!isColor(img.pixel(x, y), r, g, b)) return 0;
    int top = y, bottom = y;
    while (top > 0 && isColor(img.pixel(x, top - 1), r, g, b)) --top;
    while (bottom + 1 < img.height() && isColor(img.pixel(x, bottom + 1), r, g, b)) ++bottom;
    return bottom - top + 1;
}

}  // namespace

TEST(PrintedDiagramRules, HeightGridByTheScreensStepRule) {
    struct Case {
        double fill;
        std::vector<double> lines;
    };
    const Case cases[] = {
        {12, {0, 2, 4, 6, 8, 10}},
        {30, {0, 5, 10, 15, 20, 25}},
        {9, {0, 2, 4, 6, 8}},
        {100, {0, 20, 40, 60, 80}},
        // A low silo gets decimetre lines, as on the screen.
        {0.8, {0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7}},
        {0.4, {0, 0.05, 0.1, 0.15, 0.2, 0.25, 0.3, 0.35}},
        // Heights beyond the integer range keep their values.
        {3e9, {0, 5e8, 1e9, 1.5e9, 2e9, 2.5e9}},
    };
    for (const Case& c : cases) {
        const std::vector<double> got = printedHeightGrid(c.fill);
        ASSERT_EQ(got.size(), c.lines.size()) << c.fill;
        for (size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], c.lines[i], 1e-9 * c.fill) << c.fill;
    }
    EXPECT_TRUE(printedHeightGrid(0).empty());
    EXPECT_TRUE(printedHeightGrid(std::nan("")).empty());
}

TEST(PrintedDiagramRules, GridsOfAnEnormousSiloStayBounded) {
    const std::vector<double> z = printedHeightGrid(1e19);
    EXPECT_FALSE(z.empty());
    EXPECT_LE(z.size(), 201u);
    for (double v : z) EXPECT_TRUE(v >= 0 && v < 1e19) << v;
    const StressGrid g = printedStressGrid(1e30);
    EXPECT_GT(g.gx, 0);
    EXPECT_LE(g.values.size(), 201u);
}

TEST(PrintedDiagram, EnormousSiloPrintsInBoundedTime) {
    // A silo 1e19 m tall: the page is drawn (bounded grids, no integer
    // overflow) instead of looping for ever.
    SiloModel& m = test::defaultSilo();
    m.Hschaft = 1e19;
    m.Fuellhoehe = 1e19;
    const QImage img = diagramImage(m);
    EXPECT_FALSE(img.isNull());
    QImage screen(400, 300, QImage::Format_RGB32);
    QPainter p(&screen);
    drawDiagram(p, screen.size(), m, 1280, 1.0, 0);
    p.end();
    test::defaultSilo();
}

TEST(PrintedDiagramRules, StressGridFromTheFirstMultipleAboveXmin) {
    const StressGrid g = printedStressGrid(88000);
    EXPECT_EQ(g.gx, 20000);
    EXPECT_EQ(g.values, (std::vector<double>{0, 20000, 40000, 60000, 80000}));
    // 5.5 kPa: decade 1000, m = 55, spacing 1000; xmin = -611 -> first line at 0.
    const StressGrid h = printedStressGrid(5500);
    EXPECT_EQ(h.gx, 1000);
    EXPECT_EQ(h.values.front(), 0);
    EXPECT_EQ(h.values.back(), 5000);
    // A spacing that rounds to 0 Pa gives no grid instead of an endless loop.
    EXPECT_EQ(printedStressGrid(1.1).gx, 0);
    EXPECT_TRUE(printedStressGrid(1.1).values.empty());
    EXPECT_TRUE(printedStressGrid(0).values.empty());
    EXPECT_TRUE(printedStressGrid(INFINITY).values.empty());
}

TEST(PrintedDiagram, HeightGridLinesEveryTwoMetresForAFillOf12m) {
    SiloModel& m = silo("9", "12");
    const QImage img = diagramImage(m);
    const double xmax = 1.1 * diagramStressMax(m);
    // z = 0 is covered by the black frame; 2 ... 10 m are the grey grid lines.
    EXPECT_EQ(solidGreyRows(img, xmax, siloHeight(m)),
              (std::vector<int>{py(10), py(8), py(6), py(4), py(2)}));
    EXPECT_GT(rowShare(img, py(0), px(0), px(xmax), 0, 0, 0), 0.95);
}

TEST(PrintedDiagram, HeightGridLinesEveryFiveMetresForAFillOf30m) {
    SiloModel& m = silo("26", "30");
    const QImage img = diagramImage(m);
    const double xmax = 1.1 * diagramStressMax(m);
    EXPECT_EQ(solidGreyRows(img, xmax, siloHeight(m)),
              (std::vector<int>{py(25), py(20), py(15), py(10), py(5)}));
}

TEST(PrintedDiagram, LevelLinesAreDashDotted) {
    SiloModel& m = test::defaultSilo();
    const QImage img = diagramImage(m);
    const double xmax = 1.1 * diagramStressMax(m);
    auto check = [&](double z, int r, int g, int b, const char* what) {
        const int y = py(z);
        const double share = rowShare(img, y, px(0) + 2, px(xmax) - 2, r, g, b);
        EXPECT_GT(share, 0.35) << what;
        EXPECT_LT(share, 0.75) << what;
        // Dashes and dots: runs of about 24 and 4 units.
        int longest = 0, shortest = 1000, run = 0;
        for (int x = px(0) + 2; x <= px(xmax) - 2; ++x) {
            if (isColor(img.pixel(x, y), r, g, b)) {
                ++run;
            } else if (run) {
                longest = std::max(longest, run);
                shortest = std::min(shortest, run);
                run = 0;
            }
        }
        EXPECT_GE(longest, 20) << what;
        EXPECT_LE(longest, 30) << what;
        EXPECT_LE(shortest, 6) << what;
    };
    check(m.Hspitzeoben - m.Hspitzeauslauf, 128, 128, 128, "top of the hopper");
    check(m.Fuellhoehe, 255, 0, 0, "fill level");
}

TEST(PrintedDiagram, HeapFootLevelLineInGreen) {
    SiloModel& m = test::heapFunnelSilo();
    const QImage img = diagramImage(m);
    const double xmax = 1.1 * diagramStressMax(m);
    const double share = rowShare(img, py(m.Fuellhoehe - m.Hkegel), px(0) + 2, px(xmax) - 2, 0, 128, 0);
    EXPECT_GT(share, 0.3);
}

TEST(PrintedDiagram, LegendSamplesWithTheCurveWidths) {
    SiloModel& m = test::defaultSilo();
    const QImage img = diagramImage(m);
    // SIGMAV sample: width 4 at y = 2438 + 303, SIGMAW sample: width 2 at 2438 + 250,
    // both from x = 1190 to 1410.
    EXPECT_EQ(columnRun(img, 1300, 2741, 0, 0, 0), 4);
    EXPECT_EQ(columnRun(img, 1300, 2688, 0, 0, 255), 2);
    EXPECT_TRUE(isColor(img.pixel(1194, 2741), 0, 0, 0));
    EXPECT_TRUE(isColor(img.pixel(1406, 2688), 0, 0, 255));
    EXPECT_TRUE(isColor(img.pixel(1180, 2741), 255, 255, 255));
    EXPECT_TRUE(isColor(img.pixel(1420, 2688), 255, 255, 255));
}

TEST(PrintedDiagram, CurvesAreFourAndTwoUnitsWide) {
    SiloModel& m = test::defaultSilo();
    const QImage img = diagramImage(m);
    // Near the outlet both curves are steep: a row crosses each in about its pen width.
    const int y = py(0.5);
    int black = 0, blue = 0;
    for (int x = px(0) + 3; x < px(1.1 * diagramStressMax(m)) - 3; ++x) {
        if (isColor(img.pixel(x, y), 0, 0, 0)) ++black;
        if (isColor(img.pixel(x, y), 0, 0, 255)) ++blue;
    }
    EXPECT_GE(black, 4);
    EXPECT_LE(black, 7);
    EXPECT_GE(blue, 2);
    EXPECT_LE(blue, 4);
}

TEST(PrintedDiagram, BlackFrameAroundTheArea) {
    SiloModel& m = test::defaultSilo();
    const QImage img = diagramImage(m);
    const double xmax = 1.1 * diagramStressMax(m);
    const double zTop = siloHeight(m);
    EXPECT_TRUE(isColor(img.pixel(px(xmax), py(zTop / 3)), 0, 0, 0));
    EXPECT_TRUE(isColor(img.pixel(px(xmax / 3), py(zTop)), 0, 0, 0));
    EXPECT_TRUE(isColor(img.pixel(px(0), py(zTop / 3)), 0, 0, 0));
    // The area spans 160 mm with one ninth of xmax left of the axis.
    EXPECT_EQ(px(xmax), 1750);
    EXPECT_EQ(px(0), 150 + 160);
    EXPECT_EQ(py(0), 250 + 2325);
    EXPECT_EQ(py(zTop), 250);
}

TEST(PrintedDiagram, EmptyOrBrokenResultsStillPrintTheFrame) {
    SiloModel& fresh = test::document().model;
    fresh = SiloModel{};
    QImage img = diagramImage(fresh);
    EXPECT_TRUE(isColor(img.pixel(1750, 1000), 0, 0, 0));

    SiloModel& m = test::defaultSilo();
    m.SIGMAV[500] = std::nanl("");
    img = diagramImage(m);
    EXPECT_TRUE(isColor(img.pixel(1750, 1000), 0, 0, 0));
}

TEST(PrintedDiagramText, LabelsLegendAndNumbers) {
    if (!test::haveTool(QStringLiteral("pdftotext"))) GTEST_SKIP() << "poppler-utils missing";
    SiloModel& m = silo("9", "12");
    const QString path = test::scratchDir() + "/diagram12.pdf";
    ASSERT_TRUE(test::pagePdf(path, [&](QPainter& p) { g_map = paintDiagramPage(p, m, {}, false, 0); }));
    const QString text = test::pdfLines(path).join('\n');
    for (const char* s : {"KORVANE", "© 2026 Korvane developers", "z [m]", "OK Silo", "OK Füllung",
                          "OK Trichter", "Auslauf", "SIGMAW [Pa]", "SIGMAV [Pa]", "Seite 1"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(s))) << s;
    EXPECT_FALSE(text.contains(QStringLiteral("Kernfluss")));
    EXPECT_FALSE(text.contains(QStringLiteral("UK Trichter")));  // no part below the hopper

    // Height numbers left of the axis: 0, 5, 10; stress numbers on the base
    // line for every grid line but the last ones near xmax.
    const StressGrid g = printedStressGrid(1.1 * diagramStressMax(m));
    const double axisPt = test::unitsToPt(px(0));
    std::vector<QString> heights, stresses;
    for (const test::PdfWord& w : test::pdfWords(path)) {
        if (w.xMax < axisPt && w.yMin > test::unitsToPt(300) && w.yMin < test::unitsToPt(py(0)))
            heights.push_back(w.text);
        if (std::abs(w.yMin - test::unitsToPt(py(0) + 1)) < 2.0 && w.text != QStringLiteral("Auslauf"))
            stresses.push_back(w.text);
    }
    EXPECT_EQ(heights, (std::vector<QString>{"10", "8", "6", "4", "2", "0"}));
    std::vector<QString> expected;
    for (double h : g.values)
        if (h < 1.1 * diagramStressMax(m) - 1.1 * g.gx) expected.push_back(QString::number(h, 'f', 0));
    EXPECT_GE(expected.size(), 3u);
    // The outlet height label "0" shares the base line's row.
    stresses.erase(std::remove(stresses.begin(), stresses.end(), QStringLiteral("0")), stresses.end());
    expected.erase(std::remove(expected.begin(), expected.end(), QStringLiteral("0")), expected.end());
    EXPECT_EQ(stresses, expected);
}

TEST(PrintedDiagramText, HeapFunnelFlowInEnglishWithFileName) {
    if (!test::haveTool(QStringLiteral("pdftotext"))) GTEST_SKIP() << "poppler-utils missing";
    SiloModel& m = test::heapFunnelSilo();
    const QString path = test::scratchDir() + "/diagram_heap.pdf";
    ASSERT_TRUE(test::pagePdf(path, [&](QPainter& p) {
        paintDiagramPage(p, m, QStringLiteral("/data/Par/heap.par"), false, 1);
    }));
    const QStringList lines = test::pdfLines(path);
    const QString text = lines.join('\n');
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("KORVANE")));
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("[Parameter file: /data/Par/heap.par]")));
    EXPECT_FALSE(text.contains(QStringLiteral("Korvane developers")));
    for (const char* s : {"UE silo", "UE bulk solid", "LE heap", "UE hopper", "outlet",
                          "Funnel flow! Results not valid!"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(s))) << s;
    EXPECT_TRUE(test::runTool(QStringLiteral("pdffonts"), {path}).contains(QStringLiteral("Bold")));

    // Changed since loading: the notice, no file name.
    ASSERT_TRUE(test::pagePdf(path, [&](QPainter& p) {
        paintDiagramPage(p, m, QStringLiteral("/data/Par/heap.par"), true, 1);
    }));
    const QString changed = test::pdfLines(path).join('\n');
    EXPECT_FALSE(changed.contains(QStringLiteral("heap.par")));
    EXPECT_TRUE(changed.contains(QStringLiteral("© 2026 Korvane developers")));
}

TEST(PrintedDiagramText, LowSiloGetsDecimetreHeightLabels) {
    if (!test::haveTool(QStringLiteral("pdftotext"))) GTEST_SKIP() << "poppler-utils missing";
    // A shaft of 0.8 m filled to the top: numbers every 0.1 m, as on the screen.
    SiloModel& m = test::formSilo([](FormInput& in) {
        in.shaftHeight = "0.8";
        in.fillHeight = "0.8";
        in.Trichterja = false;
    });
    const QString path = test::scratchDir() + "/diagram_low.pdf";
    ASSERT_TRUE(test::pagePdf(path, [&](QPainter& p) { g_map = paintDiagramPage(p, m, {}, false, 1); }));
    const double axisPt = test::unitsToPt(px(0));
    std::vector<QString> heights;
    for (const test::PdfWord& w : test::pdfWords(path))
        if (w.xMax < axisPt && w.yMin > test::unitsToPt(300) && w.yMin < test::unitsToPt(py(0)))
            heights.push_back(w.text);
    EXPECT_EQ(heights, (std::vector<QString>{"0.7", "0.6", "0.5", "0.4", "0.3", "0.2", "0.1", "0"}));
}

TEST(PrintedDiagramText, LongPathShortenedInTheMiddleKeepsTheFileName) {
    if (!test::haveTool(QStringLiteral("pdftotext"))) GTEST_SKIP() << "poppler-utils missing";
    SiloModel& m = test::defaultSilo();
    QString folder = QStringLiteral("/home/engineer");
    while (folder.size() < 180) folder += QStringLiteral("/projects_silo_plant");
    const QString file = folder + QStringLiteral("/Standardsilo.par");
    ASSERT_GE(file.size(), 200);
    const QString path = test::scratchDir() + "/diagram_long.pdf";
    for (int page = 0; page < 2; ++page) {
        const PrintStatus status{QStringLiteral("Füllzustand"), QStringLiteral("1"), QStringLiteral("2")};
        ASSERT_TRUE(test::pagePdf(path, [&](QPainter& p) {
            if (page == 0) paintDiagramPage(p, m, file, false, 0);
            else paintTablePage(p, m, status, file, false, 0);
        }));
        const QString first = test::pdfLines(path).value(0);
        EXPECT_TRUE(first.startsWith(QStringLiteral("KORVANE"))) << first.toStdString();
        EXPECT_TRUE(first.endsWith(QStringLiteral("/Standardsilo.par]"))) << first.toStdString();
        EXPECT_TRUE(first.contains(QStringLiteral("[Parameterdatei: /home/"))) << first.toStdString();
        EXPECT_TRUE(first.contains(QStringLiteral("…"))) << first.toStdString();
        // Every word of the header stays inside the A4 page (595 pt).
        for (const test::PdfWord& w : test::pdfWords(path))
            if (w.yMin < test::unitsToPt(200)) EXPECT_LT(w.xMax, 595.0 - 5.0 * 72 / 25.4) << w.text.toStdString();
    }
}

TEST(PrintedDiagramPage, ShrunkOnLandscapePaperStandsCentred) {
    // A4 landscape, printable 287 x 200 mm: the height limits the drawing.
    const int dpi = 50;
    QImage img(qRound(287.0 / 25.4 * dpi), qRound(200.0 / 25.4 * dpi), QImage::Format_RGB32);
    img.setDotsPerMeterX(qRound(dpi / 0.0254));
    img.setDotsPerMeterY(qRound(dpi / 0.0254));
    img.fill(Qt::white);
    {
        QPainter p(&img);
        paintDiagramPage(p, test::defaultSilo(), {}, false, 0);
    }
    int left = img.width(), right = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFFu) != 0xFFFFFFu) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    ASSERT_GE(right, left);
    EXPECT_NEAR(left, img.width() - 1 - right, img.width() / 20);
}
