// The parameter study window: the plot's curves and axes from study rows,
// a small study run to its end and exported, and a study cancelled while it
// runs keeping the rows calculated until then.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

#include <cmath>
#include <memory>

#include "calc/engine.h"
#include "calc/form_logic.h"
#include "files/vary.h"
#include "ui/study/study_plot.h"
#include "ui/study/studywindow.h"
#include "ui/texts/texts.h"

using namespace korvane;
using namespace korvane::ui;

namespace {

VaryRow row(std::vector<double> values, bool calculated, double contents) {
    VaryRow r;
    r.values = std::move(values);
    r.calculated = calculated;
    r.Parameterfehler = calculated ? 0 : 3;
    r.Fuellmenge = contents;
    return r;
}

// The standard silo as the main window holds it after opening and OK.
const SiloModel& standardSilo() {
    static const std::unique_ptr<SiloModel> m = [] {
        auto s = std::make_unique<SiloModel>();
        std::string error;
        const bool ok = loadStudyBase(*s, std::string(KORVANE_TEST_DATA) +
                                               "/../../examples/Par/Standardsilo.par", error);
        EXPECT_TRUE(ok) << error;
        EXPECT_EQ(deriveLoadedModel(*s), 0);
        return s;
    }();
    return *m;
}

void setRange(StudyWindow& w, int which, const QString& field, const QString& from,
              const QString& to, const QString& step) {
    auto* f = w.findChild<QComboBox*>(which == 1 ? "field1" : "field2");
    ASSERT_TRUE(f);
    const int i = field.isEmpty() ? 0 : f->findData(field);
    ASSERT_GE(i, 0) << field.toStdString();
    f->setCurrentIndex(i);
    const QString n = QString::number(which);
    w.findChild<QLineEdit*>("from" + n)->setText(from);
    w.findChild<QLineEdit*>("to" + n)->setText(to);
    w.findChild<QLineEdit*>("step" + n)->setText(step);
}

}  // namespace

TEST(StudyPlot, OneCurvePerValueOfTheSecondFieldWithGapsWhereNoResult) {
    const std::vector<VaryRow> rows = {
        row({1, 10}, true, 100), row({1, 20}, true, 150), row({2, 10}, true, 200),
        row({2, 20}, false, 0),  row({3, 10}, true, 310), row({3, 20}, true, 330),
    };
    const StudyPlot p = makeStudyPlot(rows, kResultContents);
    ASSERT_EQ(p.curves.size(), 2u);
    EXPECT_EQ(p.curves[0].second, 10);
    EXPECT_EQ(p.curves[1].second, 20);
    EXPECT_EQ(p.curves[0].x, (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(p.curves[0].y, (std::vector<double>{100, 200, 310}));
    EXPECT_TRUE(std::isnan(p.curves[1].y[1]));
    EXPECT_EQ(p.points, 5);
    // The axes enclose every point and start and end on a tick.
    EXPECT_LE(p.x.lo, 1);
    EXPECT_GE(p.x.hi, 3);
    EXPECT_LE(p.y.lo, 100);
    EXPECT_GE(p.y.hi, 330);
    EXPECT_EQ(p.y.ticks.front(), p.y.lo);
    EXPECT_EQ(p.y.ticks.back(), p.y.hi);

    // One field: one curve without a second value.
    const StudyPlot one = makeStudyPlot({row({5}, true, 1), row({6}, true, 2)}, kResultContents);
    ASSERT_EQ(one.curves.size(), 1u);
    EXPECT_FALSE(one.curves[0].hasSecond);
}

TEST(StudyPlot, AxesHaveRoundTicks) {
    struct Case {
        double lo, hi, axisLo, axisHi;
        size_t ticks;
    } cases[] = {
        {0.3, 9.7, 0, 10, 6},              // step 2
        {691000, 702000, 690000, 702000, 7},  // step 2000
        {5, 5, 4.4, 5.6, 7},               // an empty range widened by 10 %, step 0.2
        {0, 0, -1, 1, 5},                  // around zero
        {-3.2, 41, -10, 50, 7},            // step 10 crosses zero
    };
    for (const Case& c : cases) {
        const PlotAxis a = niceAxis(c.lo, c.hi);
        EXPECT_NEAR(a.lo, c.axisLo, 1e-9 * (c.axisHi - c.axisLo)) << c.lo << " " << c.hi;
        EXPECT_NEAR(a.hi, c.axisHi, 1e-9 * (c.axisHi - c.axisLo)) << c.lo << " " << c.hi;
        EXPECT_EQ(a.ticks.size(), c.ticks) << c.lo << " " << c.hi;
        for (double t : a.ticks) EXPECT_FALSE(std::signbit(t) && t == 0);
    }
}

TEST(StudyWindow, RunsASmallStudyAndExportsIt) {
    texts::setLanguage(1);
    StudyWindow w([]() -> const SiloModel& { return standardSilo(); });
    w.show();
    // Only fields that act on the silo are offered: K is 0.4 here.
    auto* f1 = w.findChild<QComboBox*>("field1");
    EXPECT_GE(f1->findData("Fuellhoehe"), 0);
    EXPECT_LT(f1->findData("Kwert"), 0);
    EXPECT_LT(f1->findData("boeschwinkel"), 0);

    setRange(w, 1, "Fuellhoehe", "4", "8", "2");
    setRange(w, 2, "PHIE", "30", "40", "10");
    QSignalSpy finished(&w, &StudyWindow::studyFinished);
    ASSERT_TRUE(w.startStudy());
    ASSERT_TRUE(finished.wait(60000));
    ASSERT_EQ(w.rows().size(), 6u);
    EXPECT_EQ(w.plot().curves.size(), 2u);
    EXPECT_EQ(w.plot().points, 6);
    EXPECT_EQ(w.findChild<QLabel*>("status")->text(), "6 runs calculated");

    QTemporaryDir dir;
    ASSERT_TRUE(w.exportCsv(dir.filePath("study.csv")));
    QFile csv(dir.filePath("study.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = csv.readAll().split('\n');
    ASSERT_EQ(lines.size(), 8);  // header, six rows, ""
    EXPECT_EQ(lines[0], "Fuellhoehe,PHIE,Parameterfehler,Fuellmenge,SIGMAV_Auslauf,SIGMAW_max,"
                        "z_SIGMAW_max,Massenfluss");
    EXPECT_TRUE(lines[1].startsWith("4,30,0,"));
    ASSERT_TRUE(w.exportPng(dir.filePath("study.png"), 800, 500));
    EXPECT_EQ(QImage(dir.filePath("study.png")).size(), QSize(800, 500));

    // A step that never reaches "to" is refused with a message.
    setRange(w, 1, "Fuellhoehe", "8", "4", "1");
    EXPECT_FALSE(w.startStudy());
    EXPECT_EQ(w.findChild<QLabel*>("status")->text(),
              "The step must not be 0, and “to” must be reachable from “from” in steps.");
}

TEST(StudyWindow, CancelKeepsTheRowsCalculatedSoFar) {
    texts::setLanguage(1);
    StudyWindow w([]() -> const SiloModel& { return standardSilo(); });
    w.show();
    setRange(w, 1, "Fuellhoehe", "2", "10", "0.01");
    setRange(w, 2, "PHIE", "30", "40", "1");  // 801 × 11 runs
    QSignalSpy finished(&w, &StudyWindow::studyFinished);
    ASSERT_TRUE(w.startStudy());
    EXPECT_TRUE(w.running());
    QTest::mouseClick(w.findChild<QPushButton*>("cancelButton"), Qt::LeftButton);
    ASSERT_TRUE(finished.wait(60000));
    EXPECT_FALSE(w.running());
    EXPECT_LT(w.rows().size(), 801u * 11u);
    EXPECT_TRUE(w.findChild<QLabel*>("status")->text().startsWith("Cancelled after "))
        << w.findChild<QLabel*>("status")->text().toStdString();
    EXPECT_TRUE(w.findChild<QPushButton*>("startButton")->isEnabled());
}

TEST(StudyWindow, ClosingTheWindowCancelsAndDestroyingItDropsTheRows) {
    texts::setLanguage(0);
    QWidget mainWindow;  // the study window's owner
    auto* w = new StudyWindow([]() -> const SiloModel& { return standardSilo(); }, &mainWindow);
    w->show();
    setRange(*w, 1, "Fuellhoehe", "2", "10", "0.01");
    setRange(*w, 2, "PHIE", "30", "40", "1");  // 801 × 11 runs
    QSignalSpy finished(w, &StudyWindow::studyFinished);
    ASSERT_TRUE(w->startStudy());
    w->close();
    ASSERT_TRUE(finished.wait(60000));
    EXPECT_LT(w->rows().size(), 801u * 11u);
    EXPECT_TRUE(w->findChild<QLabel*>("status")->text().startsWith("Abgebrochen nach "))
        << w->findChild<QLabel*>("status")->text().toStdString();

    // The window goes while a study runs: the runs stop, their rows go nowhere.
    ASSERT_TRUE(w->startStudy());
    QPointer<StudyWindow> gone(w);
    delete w;
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
    EXPECT_TRUE(gone.isNull());
    EXPECT_EQ(finished.count(), 1);
}
