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
    EXPECT_DOUBLE_EQ(s.ymin, 0);
    EXPECT_DOUBLE_EQ(s.ymax, 2700);
    EXPECT_DOUBLE_EQ(s.sigmaStep, 5000);
    EXPECT_DOUBLE_EQ(s.rhoStep, 500);
    EXPECT_EQ(s.px(-1333.3333333), 0);
    EXPECT_EQ(s.px(12000), 225);
    EXPECT_EQ(s.py(0), 181);  // 0.93 * 195
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
    p.end();
    const DensityScale s = densityScale(w, 225, 195);
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
    EXPECT_EQ(img.pixel(s.px(0), s.py(1200)), qRgb(128, 128, 128));
}

TEST(DensityDiagram, LabelsHideTheLinesBeneathThem) {
    // "RHOB [kg/m3]" stands with its top left corner at (xmin, ymax), over the
    // top end of the RHOB axis; on the white ground of its text the axis does
    // not show through.
    DensityWorkingCopy w;
    checkMeasurements(rows({{"1000", "1500"}, {"10000", "1800"}}), 0, w);
    QImage img(225, 195, QImage::Format_RGB32);
    QPainter p(&img);
    drawDensityDiagram(p, 225, 195, w);
    p.end();
    const DensityScale s = densityScale(w, 225, 195);
    ASSERT_EQ(s.py(s.ymax), 0);
    EXPECT_EQ(img.pixel(s.px(0), s.py(s.ymax)), qRgb(255, 255, 255));
    // Below the label the axis is drawn in grey.
    EXPECT_EQ(img.pixel(s.px(0), s.py(s.ymax / 2)), qRgb(128, 128, 128));
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
