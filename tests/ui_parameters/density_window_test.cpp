// The density measurement window: the check of the typed pairs, the fit it
// runs, the check diagram, and the window driven with keys and clicks.
#include <gtest/gtest.h>

#include <memory>

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "calc/engine.h"
#include "ui/density/densitywindow.h"
#include "ui/document/silodocument.h"
#include "ui/density/radiogroup.h"
#include "ui/main/appstate.h"
#include "ui/main/platform.h"
#include "ui/texts/texts.h"

using namespace korvane;
using namespace korvane::ui;

namespace {

QList<MeasurementRow> rows(std::initializer_list<std::pair<const char*, const char*>> l) {
    QList<MeasurementRow> r;
    for (auto& p : l) r << MeasurementRow{p.first, p.second};
    while (r.size() < 50) r << MeasurementRow{};
    return r;
}

bool isRed(QRgb c) { return qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) < 80; }
bool isGreen(QRgb c) { return qGreen(c) > 100 && qRed(c) < 80 && qBlue(c) < 80; }

}  // namespace

TEST(MeasurementCheck, IgnoresHalfRowsDropsZerosClosesGapsAndSorts) {
    DensityWorkingCopy w;
    w.Messtabelle[1][7] = 99;  // stale values above the count are cleared
    const bool ok = checkMeasurements(rows({{"5000", "1700"},
                                            {"", "1600"},   // one empty cell: ignored
                                            {"3000", ""},   // ignored
                                            {"0", "1500"},  // zero stress: dropped
                                            {"1000", "0"},  // zero density: dropped
                                            {"", ""},
                                            {"1000", "1500"},
                                            {"3000", "1600"}}),
                                      0, w);
    ASSERT_EQ(w.Messpunktzahl, 3);
    EXPECT_DOUBLE_EQ(w.Messtabelle[1][1], 1000);
    EXPECT_DOUBLE_EQ(w.Messtabelle[2][1], 1500);
    EXPECT_DOUBLE_EQ(w.Messtabelle[1][2], 3000);
    EXPECT_DOUBLE_EQ(w.Messtabelle[1][3], 5000);
    EXPECT_DOUBLE_EQ(w.Messtabelle[2][3], 1700);
    EXPECT_DOUBLE_EQ(w.Messtabelle[1][7], 0);
    EXPECT_EQ(w.Messanpassart, 0);
    EXPECT_TRUE(ok);
}

TEST(MeasurementCheck, EqualStressesKeepTheirOrder) {
    DensityWorkingCopy w;
    checkMeasurements(rows({{"2000", "1700"}, {"1000", "1500"}, {"2000", "1650"}}), 3, w);
    ASSERT_EQ(w.Messpunktzahl, 3);
    EXPECT_DOUBLE_EQ(w.Messtabelle[2][2], 1700);
    EXPECT_DOUBLE_EQ(w.Messtabelle[2][3], 1650);
}

TEST(MeasurementCheck, LinearFitOfTwoPoints) {
    DensityWorkingCopy w;
    EXPECT_TRUE(checkMeasurements(rows({{"3000", "1600"}, {"1000", "1500"}}), 0, w));
    EXPECT_NEAR(w.MessB, 0.05, 1e-12);
    EXPECT_NEAR(w.MessA, 1450, 1e-9);
}

TEST(MeasurementCheck, ExponentialFitOfSevenPoints) {
    DensityWorkingCopy w;
    QList<MeasurementRow> r;
    for (double s : {1000.0, 5000.0, 10000.0, 20000.0, 50000.0, 100000.0, 200000.0}) {
        const double rho = 2400 + 400 * (1 - std::exp(-s / 50000));
        r << MeasurementRow{QString::number(s, 'g', 17), QString::number(rho, 'g', 17)};
    }
    EXPECT_TRUE(checkMeasurements(r, 2, w));
    EXPECT_NEAR(w.MessSIGMA0, 55430, 10);
    EXPECT_NEAR(w.MessRHOMIN, 2414.7, 0.1);
    EXPECT_NEAR(w.MessRHOMAX, 2806.67, 0.01);
}

TEST(MeasurementCheck, UnusableFitIsReported) {
    DensityWorkingCopy w;
    // RHOB = 0.9 SIGMA - 800: negative at small stresses.
    EXPECT_FALSE(checkMeasurements(rows({{"1000", "100"}, {"2000", "1000"}}), 0, w));
}

TEST(MeasurementCheck, TextsThatAreNoNumbersDoNotFail) {
    DensityWorkingCopy w;
    checkMeasurements(rows({{"1.2.3", "1500"}, {".", "1600"}, {"2000", "1700"}}), 3, w);
    EXPECT_LE(w.Messpunktzahl, 3);
    EXPECT_GE(w.Messpunktzahl, 1);
}

TEST(DensityDiagram, ScaleOfTheExample) {
    DensityWorkingCopy w;
    checkMeasurements(rows({{"1000", "1500"}, {"10000", "1800"}}), 0, w);
    const DensityScale s = densityScale(w, 225, 195);
    EXPECT_NEAR(s.xmin, -1333.333, 0.001);
    EXPECT_DOUBLE_EQ(s.xmax, 12000);
    // The line runs from 1470 kg/m3 at 100 Pa to 1967 kg/m3 at 15000 Pa.
    EXPECT_DOUBLE_EQ(s.ymin, 1400);
    EXPECT_DOUBLE_EQ(s.ymax, 2000);
    EXPECT_DOUBLE_EQ(s.sigmaStep, 5000);
    EXPECT_DOUBLE_EQ(s.rhoStep, 100);
    EXPECT_EQ(s.px(-1333.3333333), 0);
    EXPECT_EQ(s.px(12000), 225);
    EXPECT_EQ(s.py(1400), 181);  // 0.93 * 195
    EXPECT_EQ(s.py(2000), 14);   // 0.07 * 195
}

// The RHOB axis spans the densities shown with a little room, from and to
// multiples of its grid step; it starts at 0 only when the data come near it.
TEST(DensityDiagram, DensityAxisStartsNearTheData) {
    struct Case {
        double lowest, highest;
        double min, max, step;
    };
    const Case cases[] = {
        {1500, 1800, 1400, 1900, 100},
        {760, 824, 740, 840, 20},
        {1470, 1966.67, 1400, 2000, 100},
        {800, 800, 790, 810, 5},     // equal densities: a band of 2 %
        {100, 1000, 0, 1200, 200},   // data near 0: the axis starts at 0
        {2, 3, 1.5, 3.5, 0.5},       // tiny densities keep a step above 0
    };
    for (const Case& c : cases) {
        const DensityAxis a = densityAxisRange(c.lowest, c.highest);
        EXPECT_NEAR(a.min, c.min, 1e-9) << c.lowest << ".." << c.highest;
        EXPECT_NEAR(a.max, c.max, 1e-9) << c.lowest << ".." << c.highest;
        EXPECT_NEAR(a.step, c.step, 1e-9) << c.lowest << ".." << c.highest;
    }
}

// What the window lists under the diagram: the law's parameters with units
// and its largest deviation from the pairs.
TEST(DensityDiagram, FitSummaryNamesParametersAndLargestDeviation) {
    struct Case {
        int kind;
        QList<MeasurementRow> pairs;
        QStringList expected;  // lines of the English text
    };
    const auto seven = rows({{"1000", "2407.8"}, {"5000", "2438.1"}, {"10000", "2472.4"},
                             {"20000", "2531.9"}, {"50000", "2652.8"}, {"100000", "2745.9"},
                             {"200000", "2792.7"}});
    const Case cases[] = {
        {0, rows({{"1000", "1500"}, {"3000", "1600"}}),
         {"m = 0.05 kg/m3/Pa", "b = 1450 kg/m3",
          "Largest deviation: 0.0 kg/m3 (0.00 %) at SIGMA = 1000 Pa"}},
        {0, rows({{"1000", "1500"}, {"2000", "1600"}, {"3000", "1600"}}),
         {"m = 0.05 kg/m3/Pa", "b = 1466.6667 kg/m3",
          "Largest deviation: 33.3 kg/m3 (2.08 %) at SIGMA = 2000 Pa"}},
        {3, rows({{"1000", "1500"}, {"3000", "1600"}}),
         {"The line passes through every pair."}},
        {0, rows({{"1000", "1500"}}), {"No fit yet: enter at least two pairs and press \"Check\"."}},
    };
    for (const Case& c : cases) {
        DensityWorkingCopy w;
        checkMeasurements(c.pairs, c.kind, w);
        EXPECT_EQ(fitSummaryText(w, 1).split('\n'), c.expected) << fitSummaryText(w, 1).toStdString();
    }
    DensityWorkingCopy w;
    checkMeasurements(seven, 2, w);
    const QStringList lines = fitSummaryText(w, 0).split('\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].startsWith("RHOMIN = 24")) << lines[0].toStdString();
    EXPECT_TRUE(lines[2].startsWith("SIGMA0 = ") && lines[2].endsWith(" Pa"));
    EXPECT_TRUE(lines[3].startsWith(QString::fromUtf8("Größte Abweichung: "))) << lines[3].toStdString();
    const FitDeviation d = largestDeviation(w);
    ASSERT_TRUE(d.valid);
    EXPECT_GT(d.rho, 0);  // the search in 0.1 % steps of RHOMAX ends near, not on, the law
    EXPECT_LT(d.percent, 1);
}

TEST(DensityDiagram, GridStepNeverZero) {
    EXPECT_DOUBLE_EQ(densityGridStep(12000), 5000);
    EXPECT_DOUBLE_EQ(densityGridStep(2700), 500);
    EXPECT_DOUBLE_EQ(densityGridStep(90), 20);  // 90/10 > 8: doubled
    for (double m : {2.0, 1.0, 0.3, 0.01}) EXPECT_GT(densityGridStep(m), 0) << m;
}

TEST(DensityDiagram, CurveIsGreenOverTheMeasuredRangeAndRedOutside) {
    DensityWorkingCopy w;
    checkMeasurements(rows({{"1000", "1500"}, {"10000", "1800"}}), 0, w);
    QImage img(225, 195, QImage::Format_RGB32);
    QPainter p(&img);
    drawDensityDiagram(p, 225, 195, w);
    const DensityScale s = drawnDensityScale(w, 225, 195, QFontMetrics(p.font()));
    p.end();
    auto curveColourAt = [&](double sigma) {
        const int x = s.px(sigma);
        const int y = s.py(workingDensity(w, sigma));
        for (int dy = -1; dy <= 1; ++dy) {
            const QRgb c = img.pixel(x, y + dy);
            if (isRed(c) || isGreen(c)) return c;
        }
        return img.pixel(x, y);
    };
    EXPECT_TRUE(isGreen(curveColourAt(5500)));
    EXPECT_TRUE(isRed(curveColourAt(11500)));
    EXPECT_TRUE(isRed(curveColourAt(500)));
    // A measured square in black around the first pair.
    EXPECT_EQ(img.pixel(s.px(1000), s.py(1500) - 2), qRgb(0, 0, 0));
    // The axes in grey.
    EXPECT_EQ(img.pixel(s.px(0), s.py(1650)), qRgb(128, 128, 128));
}

// ---- the window, driven with keys and clicks ------------------------------------------

class DensityWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        texts::setLanguage(0);
        doc = std::make_unique<SiloDocument>();
        platform::clearNextAnswer();
        platform::shownMessages().clear();
        win = new DensityWindow(*doc);
        grid = win->findChild<QTableWidget*>("measurementGrid");
        ok = win->findChild<QPushButton*>("okButton");
        test = win->findChild<QPushButton*>("testButton");
        abbr = win->findChild<QPushButton*>("cancelButton");
        ASSERT_TRUE(grid && ok && test && abbr);
    }
    void TearDown() override { delete win; }

    void typeInto(int row, int col, const QString& keys) {
        QApplication::setActiveWindow(win);
        grid->setCurrentCell(row, col);
        grid->setFocus();
        QCoreApplication::processEvents();  // the cell's editor opens
        // The first key opens the cell editor, which then has the focus.
        for (QChar c : keys) {
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : grid;
            QTest::keyClick(target, c.toLatin1());
        }
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : grid,
                        Qt::Key_Return);
        QCoreApplication::processEvents();  // the editor commits queued
    }
    void setPairs(std::initializer_list<std::pair<double, double>> l, int kind) {
        DensityWorkingCopy& w = doc->workingCopy;
        int i = 0;
        for (auto& p : l) {
            ++i;
            w.Messtabelle[1][i] = p.first;
            w.Messtabelle[2][i] = p.second;
        }
        w.Messpunktzahl = i;
        w.Messanpassart = kind;
    }

    std::unique_ptr<SiloDocument> doc;  // whose working copy the window edits
    DensityWindow* win = nullptr;
    QTableWidget* grid = nullptr;
    QPushButton *ok = nullptr, *test = nullptr, *abbr = nullptr;
};

TEST_F(DensityWindowTest, GridHeadsAndRowNumbers) {
    ASSERT_EQ(grid->rowCount(), 50);
    ASSERT_EQ(grid->columnCount(), 3);
    EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), "Nr.");
    EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), "SIGMA [Pa]");
    EXPECT_EQ(grid->horizontalHeaderItem(2)->text(), "RHOB [kg/m3]");
    EXPECT_EQ(grid->item(49, 0)->text(), "50");
    auto* g = win->findChild<RadioGroup*>("fitKindGroup");
    ASSERT_TRUE(g);
    EXPECT_EQ(g->count(), 4);
    EXPECT_EQ(g->item(3)->text(), "Linear Interpolieren/Extrapolieren");
}

TEST_F(DensityWindowTest, CommaBecomesPointOtherCharactersAreSwallowed) {
    win->show();
    typeInto(0, 1, "1,5");
    EXPECT_EQ(grid->item(0, 1)->text(), "1.5");
    typeInto(1, 1, "-2a0e1");
    EXPECT_EQ(grid->item(1, 1)->text(), "201");
}

TEST_F(DensityWindowTest, ActivationShowsSortedPairsAndDisablesOk) {
    setPairs({{1000, 1500}, {3000, 1600}}, 0);
    win->show();
    EXPECT_EQ(grid->item(0, 1)->text(), "1000");
    EXPECT_EQ(grid->item(1, 2)->text(), "1600");
    EXPECT_TRUE(grid->item(2, 1)->text().isEmpty());
    EXPECT_EQ(grid->currentRow(), 2);
    EXPECT_EQ(grid->currentColumn(), 1);
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_EQ(win->findChild<RadioGroup*>("fitKindGroup")->itemIndex(), 0);
    EXPECT_EQ(win->windowTitle(), QString::fromUtf8("Schüttgutdichte RHOB"));
}

TEST_F(DensityWindowTest, OkOnlyAfterTestenAndDisabledByTyping) {
    win->show();
    typeInto(0, 1, "1000");
    typeInto(0, 2, "1500");
    QTest::mouseClick(test, Qt::LeftButton);
    EXPECT_FALSE(ok->isEnabled());  // one pair only
    typeInto(4, 1, "3000");
    typeInto(4, 2, "1600");
    QTest::mouseClick(test, Qt::LeftButton);
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_EQ(doc->workingCopy.Messpunktzahl, 2);  // the gap is closed
    EXPECT_DOUBLE_EQ(doc->workingCopy.Messtabelle[1][2], 3000);
    typeInto(5, 1, "5000");
    EXPECT_FALSE(ok->isEnabled());
    typeInto(5, 2, "1650");
    // A click on the diagram tests as well.
    QWidget* diagram = win->findChild<QWidget*>("diagram");
    ASSERT_TRUE(diagram);
    QTest::mouseClick(diagram, Qt::LeftButton);
    EXPECT_TRUE(ok->isEnabled());
    // The diagram now shows a green stretch somewhere.
    const QImage img = win->diagramImage();
    bool green = false;
    for (int y = 0; y < img.height() && !green; ++y)
        for (int x = 0; x < img.width() && !green; ++x) green = isGreen(img.pixel(x, y));
    EXPECT_TRUE(green);
}

TEST_F(DensityWindowTest, UsableFitClosesWithOk) {
    setPairs({{1000, 1500}, {3000, 1600}}, 0);
    win->show();
    QTest::mouseClick(test, Qt::LeftButton);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(win->isVisible());
    EXPECT_EQ(win->result(), QDialog::Accepted);
    EXPECT_TRUE(platform::shownMessages().isEmpty());
}

TEST_F(DensityWindowTest, UnusableFitShowsGermanMessageAndStaysOpen) {
    texts::setLanguage(1);
    setPairs({{1000, 100}, {2000, 1000}}, 0);
    win->show();
    QTest::mouseClick(test, Qt::LeftButton);
    platform::setNextAnswer(true);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_TRUE(win->isVisible());
    ASSERT_EQ(platform::shownMessages().size(), 1);
    EXPECT_EQ(platform::shownMessages().first(),
              QString::fromUtf8("Negative oder zu kleine Werte für RHOB bei kleinen Spannungen SIGMA."));
    texts::setLanguage(0);
}

TEST_F(DensityWindowTest, CancelRestoresEverything) {
    setPairs({{1000, 1500}, {3000, 1600}, {8000, 1700}}, 2);
    checkMeasurements(rows({{"1000", "1500"}, {"3000", "1600"}, {"8000", "1700"}}), 2,
                      doc->workingCopy);
    const DensityWorkingCopy before = doc->workingCopy;
    win->show();
    typeInto(3, 1, "500");
    typeInto(3, 2, "1400");
    grid->item(1, 1)->setText("");  // the row emptied whole
    grid->item(1, 2)->setText("");
    win->findChild<RadioGroup*>("fitKindGroup")->setItemIndex(0);  // runs the check: linear fit
    QTest::mouseClick(test, Qt::LeftButton);
    ASSERT_EQ(doc->workingCopy.Messpunktzahl, 3);
    ASSERT_EQ(doc->workingCopy.Messanpassart, 0);
    QTest::mouseClick(abbr, Qt::LeftButton);
    EXPECT_FALSE(win->isVisible());
    const DensityWorkingCopy& w = doc->workingCopy;
    EXPECT_EQ(w.Messpunktzahl, before.Messpunktzahl);
    EXPECT_EQ(w.Messanpassart, 2);
    EXPECT_DOUBLE_EQ(w.MessSIGMA0, before.MessSIGMA0);
    EXPECT_DOUBLE_EQ(w.MessRHOMAX, before.MessRHOMAX);
    EXPECT_DOUBLE_EQ(w.MessA, before.MessA);
    for (int i = 1; i <= 50; ++i) {
        EXPECT_DOUBLE_EQ(w.Messtabelle[1][i], before.Messtabelle[1][i]);
        EXPECT_DOUBLE_EQ(w.Messtabelle[2][i], before.Messtabelle[2][i]);
    }
}

TEST_F(DensityWindowTest, EscapeCancelsToo) {
    setPairs({{1000, 1500}, {3000, 1600}}, 0);
    win->show();
    grid->item(0, 1)->setText("2000");
    QTest::mouseClick(test, Qt::LeftButton);
    EXPECT_DOUBLE_EQ(doc->workingCopy.Messtabelle[1][1], 2000);
    QTest::keyClick(win, Qt::Key_Escape);
    EXPECT_FALSE(win->isVisible());
    EXPECT_DOUBLE_EQ(doc->workingCopy.Messtabelle[1][1], 1000);
}

TEST_F(DensityWindowTest, ReactivationShowsPairsInOrder) {
    win->show();
    typeInto(2, 1, "9000");
    typeInto(2, 2, "1900");
    typeInto(0, 1, "2000");
    typeInto(0, 2, "1600");
    typeInto(7, 1, "1000");
    typeInto(7, 2, "1500");
    QTest::mouseClick(test, Qt::LeftButton);
    QTest::mouseClick(ok, Qt::LeftButton);
    ASSERT_FALSE(win->isVisible());
    win->show();
    EXPECT_EQ(grid->item(0, 1)->text(), "1000");
    EXPECT_EQ(grid->item(1, 1)->text(), "2000");
    EXPECT_EQ(grid->item(2, 1)->text(), "9000");
    EXPECT_EQ(grid->item(2, 2)->text(), "1900");
    EXPECT_TRUE(grid->item(7, 1)->text().isEmpty());
}

TEST_F(DensityWindowTest, EnglishLabels) {
    texts::setLanguage(1);
    win->show();
    EXPECT_EQ(win->windowTitle(), "Bulk density RHOB");
    EXPECT_EQ(test->text(), "Check");
    EXPECT_EQ(abbr->text(), "CANCEL");
    texts::setLanguage(0);
}
