// Row selection, strides, number formats, grid steps and screen factors of
// the main window, without a window.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "calc/model.h"
#include "ui/main/display_logic.h"

using namespace korvane;
using namespace korvane::ui;

namespace {

// A silo with the given filled heights per section, 1000 slices each, the
// slice thicknesses set as the calculation sets them.
std::unique_ptr<SiloModel> silo(double hs, double ht, double hu, bool heap = false) {
    auto m = std::make_unique<SiloModel>();
    m->Schaftja = hs > 0;
    m->Trichterja = ht > 0;
    m->vertunten = hu > 0;
    m->Hschaft = hs;
    m->Hspitzeauslauf = ht > 0 ? 1.0 : 0.0;
    m->Hspitzeoben = ht > 0 ? 1.0 + ht : 0.0;
    m->Hunttricht = hu;
    m->Hkegel = heap ? 0.5 : 0.0;
    m->Schuettkegel = heap;
    m->Fuellhoehe = hs + ht + hu + m->Hkegel;
    m->Hfuellschaft = hs;
    m->Hfuelltrichter = ht;
    m->Hfuellunten = hu;
    m->Schrittzahl = m->Schritteschaft = m->Schrittetrichter = m->Schritteunten = 1000;
    m->Gesamtschritte = 3000;
    for (int i = 1; i <= 1000; ++i) {
        m->Dz[i] = hs / 1000;
        m->Dz[1000 + i] = ht / 1000;
        m->Dz[2000 + i] = hu / 1000;
    }
    return m;
}

std::vector<int> indices(const std::vector<SelectedRow>& rows) {
    std::vector<int> v;
    for (const auto& r : rows) v.push_back(r.index);
    return v;
}

bool contains(const std::vector<int>& v, int i) {
    return std::find(v.begin(), v.end(), i) != v.end();
}

}  // namespace

TEST(GridStep, HeightGridOfTheSixMetreShaftWithHopper) {
    const GridStep g = gridStep(1800.0 / 1280.0 * 11.2, 0);
    EXPECT_EQ(g.multiplier, 2);
    EXPECT_DOUBLE_EQ(g.decade, 10.0);
    EXPECT_DOUBLE_EQ(g.spacing(), 2.0);
    EXPECT_EQ(gridStep(15.75, 0).multiplier, 2);
}

TEST(GridStep, StressGridUpTo80kPa) {
    const GridStep g = gridStep(96250, 0);
    EXPECT_EQ(g.multiplier, 20);
    EXPECT_DOUBLE_EQ(g.decade, 10000.0);
    EXPECT_DOUBLE_EQ(g.spacing(), 20000.0);
}

TEST(GridStep, EveryMultiplierBand) {
    EXPECT_EQ(gridStep(1.01, 0).multiplier, 2);   // m = 10
    EXPECT_EQ(gridStep(1.59, 0).multiplier, 2);   // m = 15
    EXPECT_EQ(gridStep(1.6, 0).multiplier, 5);    // m = 16
    EXPECT_EQ(gridStep(4.5, 0).multiplier, 5);
    EXPECT_EQ(gridStep(4.6, 0).multiplier, 10);
    EXPECT_EQ(gridStep(8.59, 0).multiplier, 10);
    EXPECT_EQ(gridStep(8.6, 0).multiplier, 20);
    EXPECT_EQ(gridStep(9.99, 0).multiplier, 20);
    EXPECT_EQ(gridStep(30, 10).multiplier, 5);   // the range is a - b = 20: decade 10, m = 20
}

TEST(GridStep, RangesWithoutAFittingMultiplierTakeTheNearest) {
    // Below a hundredth the decade stays at 0.001 and m falls under 10.
    const GridStep tiny = gridStep(0.0004, 0);  // m = 4
    EXPECT_EQ(tiny.multiplier, 2);
    EXPECT_DOUBLE_EQ(tiny.decade, 0.001);
    // No range at all, or no number: no grid, and never a loop.
    EXPECT_EQ(gridStep(0, 0).spacing(), 0.0);
    EXPECT_EQ(gridStep(-5, 0).spacing(), 0.0);
    EXPECT_EQ(gridStep(std::nan(""), 0).spacing(), 0.0);
    EXPECT_EQ(gridStep(std::numeric_limits<double>::infinity(), 0).spacing(), 0.0);
}

TEST(ZDecimals, FollowsTheFillHeight) {
    EXPECT_EQ(zDecimals(12), 4);
    EXPECT_EQ(zDecimals(100), 3);
    EXPECT_EQ(zDecimals(0.5), 5);
    // No fill height: a sane default instead of log10(0).
    EXPECT_EQ(zDecimals(0), 3);
    EXPECT_EQ(zDecimals(std::nan("")), 3);
}

TEST(VisibleLines, ColumnHeightOverLineHeight) {
    EXPECT_EQ(visibleLines(440, 14), 31);
    EXPECT_EQ(visibleLines(447, 14), 31);  // a part of a line does not count
    EXPECT_EQ(visibleLines(448, 14), 32);
    EXPECT_EQ(visibleLines(0, 14), 0);
    EXPECT_EQ(visibleLines(440, 0), 0);
    SectionFlags s;
    s.shaft = true;
    EXPECT_EQ(rowsAvailable(31, s), 25);
    SectionFlags all{true, true, true};
    EXPECT_EQ(rowsAvailable(31, all), 17);
    EXPECT_EQ(rowsAvailable(5, all), 1);  // never zero: no division by zero later
}

TEST(SelectRows, ShaftOnlyWith31Lines) {
    auto m = silo(12, 0, 0);
    const SectionFlags f = sectionFlags(*m);
    EXPECT_TRUE(f.shaft);
    EXPECT_FALSE(f.hopper);
    const Strides k = screenStrides(*m, rowsAvailable(31, f));
    EXPECT_EQ(k.shaft, 39);
    EXPECT_EQ(k.hopper, 0);
    const auto rows = selectRows(*m, k, 12.0);
    const auto idx = indices(rows);
    std::vector<int> expected{1};
    for (int i = 40; i <= 976; i += 39) expected.push_back(i);
    expected.push_back(1000);
    EXPECT_EQ(idx, expected);
    EXPECT_EQ(rows.front().label, RowLabel::FillTop);
    for (size_t i = 1; i < rows.size(); ++i) EXPECT_EQ(rows[i].label, RowLabel::Blank);
    // z is the height of each slice's upper face.
    EXPECT_DOUBLE_EQ(rows.front().z, 12.0);
    EXPECT_NEAR(rows[1].z, 12.0 - 39 * 0.012, 1e-9);
    EXPECT_NEAR(rows.back().z, 0.012, 1e-9);
    EXPECT_NEAR(m->Zlauf, 0.0, 1e-9);
}

TEST(SelectRows, SectionBoundariesAreAlwaysShown) {
    auto m = silo(6, 4, 2);
    const SectionFlags f = sectionFlags(*m);
    ASSERT_TRUE(f.shaft && f.hopper && f.below);
    const Strides k = screenStrides(*m, rowsAvailable(31, f));
    const auto rows = selectRows(*m, k, 12.0);
    const auto idx = indices(rows);
    for (int i : {1, 1000, 1001, 1002, 2000, 2001, 2002, 2999, 3000})
        EXPECT_TRUE(contains(idx, i)) << "slice " << i;
    for (const auto& r : rows) {
        if (r.index == 1001) EXPECT_EQ(r.label, RowLabel::ShaftBottom);
        else if (r.index == 2001) EXPECT_EQ(r.label, RowLabel::HopperBottom);
        else if (r.index == 1) EXPECT_EQ(r.label, RowLabel::FillTop);
        else EXPECT_EQ(r.label, RowLabel::Blank) << r.index;
    }
    // Every section gets rows in proportion to its filled height.
    auto count = [&](int lo, int hi) {
        return std::count_if(idx.begin(), idx.end(), [&](int i) { return i >= lo && i <= hi; });
    };
    EXPECT_GT(count(1, 1000), count(1001, 2000));
    EXPECT_GT(count(1001, 2000), count(2001, 3000));
}

TEST(SelectRows, HopperOnlyStartsWithABlankRow) {
    auto m = silo(0, 5, 0);
    const auto rows = selectRows(*m, screenStrides(*m, 25), 5.0);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.front().index, 1001);
    EXPECT_EQ(rows.front().label, RowLabel::Blank);
    EXPECT_EQ(rows.back().index, 2000);
}

TEST(SelectRows, HeapFootLabelsTheFirstSlice) {
    auto m = silo(8, 0, 0, true);
    const auto rows = selectRows(*m, screenStrides(*m, 25), 8.0);
    EXPECT_EQ(rows.front().index, 1);
    EXPECT_EQ(rows.front().label, RowLabel::HeapFoot);
}

TEST(Strides, HugeStrideBecomes333AndAbsentSectionsZero) {
    // A section that holds a tiny share of the fill would get a stride far
    // beyond its 1000 slices.
    auto m = silo(12, 0.01, 0);
    const Strides k = screenStrides(*m, 25);
    EXPECT_EQ(k.hopper, 333);
    EXPECT_EQ(k.below, 0);
    const Strides p = pageStrides(*m);
    EXPECT_EQ(p.shaft, 24);  // 1000 / 40 - 1
    EXPECT_EQ(p.hopper, 333);
    EXPECT_EQ(p.below, 0);
}

TEST(FormatResult, FixedDecimalsWithTheGivenSeparator) {
    EXPECT_EQ(formatResult(999.994L, 2, '.'), "999.99");
    EXPECT_EQ(formatResult(1000.4L, 0, '.'), "1000");
    EXPECT_EQ(formatResult(12.0L, 4, ','), "12,0000");
    EXPECT_EQ(formatResult(54321.6L, 0, ','), "54322");
    EXPECT_EQ(formatResult(1234567.4L, 0, '.'), "1234567");
    EXPECT_EQ(formatResult(-0.0004L, 3, '.'), "0.000");
    // More digits than eight before the separator: scientific, never garbage.
    EXPECT_EQ(formatResult(123456789.0L, 0, '.'), "1.2345679E+08");
    // Nothing that is not a number is ever written.
    EXPECT_EQ(formatResult(std::numeric_limits<long double>::quiet_NaN(), 0, '.'), "");
    EXPECT_EQ(formatResult(std::numeric_limits<long double>::infinity(), 2, '.'), "");
}

TEST(ScreenFactors, SquareishScreen) {
    const ScreenFactors f = computeScreenFactors(QRect(0, 0, 1280, 1024), QRect(0, 0, 1280, 1024));
    EXPECT_DOUBLE_EQ(f.screenScale, 1.6);
    EXPECT_DOUBLE_EQ(f.wideScreenFactor, 1.0);
    EXPECT_EQ(f.windowSize, QSize(1280, 1024));
    EXPECT_DOUBLE_EQ(f.formScale, 1.6);  // width is the tighter direction
}

TEST(ScreenFactors, WideScreen) {
    const ScreenFactors f = computeScreenFactors(QRect(0, 0, 1920, 1080), QRect(0, 0, 1920, 1080));
    EXPECT_NEAR(f.screenScale, 1.71, 1e-12);
    EXPECT_NEAR(f.wideScreenFactor, 0.75, 1e-12);
    EXPECT_DOUBLE_EQ(f.formScale, 1.8);  // 1080 / 600
}

TEST(ScreenFactors, TaskBarAtTheBottom) {
    const ScreenFactors f = computeScreenFactors(QRect(0, 0, 1920, 1080), QRect(0, 0, 1920, 1040));
    EXPECT_EQ(f.windowSize, QSize(1920, 1040));
    EXPECT_EQ(f.dy, 40);
    EXPECT_EQ(f.dx, 0);
    EXPECT_DOUBLE_EQ(f.formScale, 1040.0 / 560.0);
    EXPECT_NEAR(f.screenScale, 1.71, 1e-12);  // from the whole screen
}

TEST(ScreenFactors, VerticalTaskBar) {
    const ScreenFactors f = computeScreenFactors(QRect(0, 0, 1280, 1024), QRect(60, 0, 1220, 1024));
    EXPECT_EQ(f.dx, 60);
    EXPECT_EQ(f.dy, 0);
    EXPECT_EQ(f.windowSize, QSize(1220, 1024));
    EXPECT_DOUBLE_EQ(f.formScale, 1220.0 / 740.0);
}

TEST(SelectScreenRows, KeepsTheStridesWhereTheyFit) {
    auto m = silo(12, 0, 0);
    const auto rows = selectScreenRows(*m, 31, 1, 12.0);
    EXPECT_EQ(rows.size(), 27u);  // 1, 40, ..., 976, 1000 as with the plain rule
    EXPECT_EQ(rows[1].index, 40);
}

TEST(SelectScreenRows, NeverRunsPastTheLastVisibleLine) {
    // Only the part below the hopper filled: 61 lines leave 55 rows, the
    // stride 17 would give 58 strided rows, 4 forced rows and the outlet.
    auto m = silo(0, 0, 3);
    const SectionFlags f = sectionFlags(*m);
    ASSERT_TRUE(f.below && !f.shaft && !f.hopper);
    EXPECT_EQ(selectRows(*m, screenStrides(*m, rowsAvailable(61, f)), 3.0).size() + 1, 63u);
    for (int L : {8, 20, 31, 61, 100, 200}) {
        const auto rows = selectScreenRows(*m, L, 1, 3.0);
        EXPECT_LE(static_cast<int>(rows.size()) + 1, L) << L;
        // The boundaries stay: first and last two slices of the section.
        EXPECT_EQ(rows.front().index, 2001);
        EXPECT_EQ(rows.back().index, 3000);
    }
}

// Screen axes carry 4 to 8 labelled grid lines at every size; a short axis
// as many as its height holds.
TEST(AxisGridStep, FourToEightLinesAtEveryRange) {
    struct Case {
        double range, pixels, gap, step;
    };
    const Case table[] = {
        {9.0, 600, 20, 2.0},          // 4 lines, not 9
        {19.0, 600, 20, 2.5},         // 7 lines: 2 would give 9, 5 only 3
        {14.3, 300, 20, 2.0},         // 7 lines
        {1.0, 600, 20, 0.2},          // 5 lines
        {0.3, 600, 20, 0.05},         // 6 lines
        {43000.0, 400, 20, 5000.0},   // 8 lines
        {121000.0, 900, 40, 20000.0}, // 6 lines
        {9.0, 60, 20, 2.5},           // room for 3 lines: the finest with at most 3
        {9.0, 10, 20, 5.0},           // room for one line at most
        {0.0, 600, 20, 0.0},
        {5.0, 0.0, 20, 0.0},
    };
    for (const Case& c : table) {
        EXPECT_DOUBLE_EQ(axisGridStep(c.range, c.pixels, c.gap), c.step)
            << c.range << " over " << c.pixels << " px";
        if (c.step > 0 && c.pixels / c.gap >= 8) {
            const int lines = static_cast<int>(std::floor(c.range / c.step + 1e-9));
            EXPECT_GE(lines, 4) << c.range;
            EXPECT_LE(lines, 8) << c.range;
        }
    }
}
