// The view menu (both states, comparison with another parameter file), the
// diagram export and the table copy, driven through the main window's menu.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QInputDialog>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QTest>
#include <functional>
#include <memory>
#include <utility>

#include "calc/model.h"
#include "files/batch.h"
#include "ui/main/appstate.h"
#include "ui/main/diagram.h"
#include "ui/main/mainwindow.h"
#include "ui/main/platform.h"
#include "window_test_support.h"
#include "tests/common/wait_for_results.h"
#include "ui/texts/texts.h"

using namespace korvane;
using namespace korvane::ui;
using namespace korvane::ui::test_support;

namespace {

const QString kExamples = QStringLiteral(KORVANE_TEST_DATA "/../../examples/Par/");
const QString kInvalid = QStringLiteral(KORVANE_TEST_DATA "/reference-cases/invalid/");

QRgb rgb(const QImage& img, QPoint p) { return img.pixel(p) | 0xFF000000u; }

// Points of a curve as the diagram places them with its mapping: from the
// outlet up, slice by slice, over the slices first..last (indices).
std::vector<QPoint> curvePoints(const DiagramMapping& map, const SiloModel& m, const double* sigma,
                                int first, int last) {
    std::vector<QPoint> pts;
    double z = 0;
    for (int j = m.Indexende - 1; j >= m.Indexanfang - 1; --j) {
        z += static_cast<double>(m.Dz[j + 1]);
        if (j >= first && j <= last) pts.emplace_back(stressToX(map, double(sigma[j])), heightToY(map, z));
    }
    return pts;
}

class ViewExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetProgramState();
        QLocale::setDefault(QLocale::c());
        w = std::make_unique<MainWindow>();
        w->resize(1000, 700);
        w->show();
        ASSERT_TRUE(waitForResults(*w));
    }
    void TearDown() override {
        w.reset();
        QLocale::setDefault(QLocale::c());
        platform::clearNextAnswer();
        platform::clearNextFileName();
    }

    template <class T> T* get(const char* name) {
        T* c = w->findChild<T*>(name);
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    QImage diagram() { return w->findChild<DiagramView*>("diagram")->image().copy(); }
    const DiagramMapping& mapping() { return w->findChild<DiagramView*>("diagram")->mapping(); }
    // What the window shows besides the diagram: columns and status fields.
    QStringList displays() {
        QStringList all;
        for (const char* c : kResultColumns) all << get<QPlainTextEdit>(c)->toPlainText();
        for (const char* f : {"stateField", "contentsField", "outletStressField", "messageField",
                              "secondMessageField"})
            all << get<QLineEdit>(f)->text();
        return all;
    }
    void compareWith(const QString& path) {
        platform::setNextFileName(path);
        get<QAction>("compareAction")->trigger();
    }

    std::unique_ptr<MainWindow> w;
};

}  // namespace

TEST_F(ViewExportTest, BothStatesDrawTheOtherStateDashedAndLeaveTheColumns) {
    const QStringList before = displays();
    const QImage plain = diagram();
    const int runs = w->activationCount();
    QAction* both = get<QAction>("showBothStatesAction");
    ASSERT_TRUE(both->isCheckable());
    both->trigger();

    ASSERT_NE(w->otherStateModel(), nullptr);
    const SiloModel& other = *w->otherStateModel();
    EXPECT_EQ(other.Spannungszustand(), 1);            // the default silo is in the filling state
    EXPECT_EQ(w->document().model.Spannungszustand(), 0);  // the model keeps its state
    EXPECT_EQ(displays(), before);
    EXPECT_EQ(w->activationCount(), runs);

    // In the hopper the discharge curves leave the filling curves: black and
    // blue dashes along them, with gaps between the dashes.
    const QImage img = diagram();
    for (auto [sigma, colour] : {std::pair{other.SIGMAV, qRgb(0, 0, 0)},
                                 {other.SIGMAW, qRgb(0, 0, 255)}}) {
        int on = 0, off = 0;
        for (QPoint p : curvePoints(mapping(), other, sigma, 1100, 1900)) (rgb(img, p) == colour ? on : off)++;
        EXPECT_GT(on, 100);
        EXPECT_GT(off, 50);
    }

    // Every activation calculates the other state anew.
    w->document().model.setSpannungszustand(1);
    w->activate();
    ASSERT_TRUE(waitForResults(*w));
    ASSERT_NE(w->otherStateModel(), nullptr);
    EXPECT_EQ(w->otherStateModel()->Spannungszustand(), 0);
    w->document().model.setSpannungszustand(0);
    w->activate();
    ASSERT_TRUE(waitForResults(*w));

    both->trigger();
    EXPECT_EQ(w->otherStateModel(), nullptr);
    EXPECT_EQ(diagram(), plain);
    EXPECT_EQ(displays(), before);
}

TEST_F(ViewExportTest, ComparisonCurvesAppearAndDisappear) {
    const QStringList before = displays();
    const QImage plain = diagram();
    const QString title = w->windowTitle();
    const int runs = w->activationCount();
    EXPECT_FALSE(get<QAction>("endComparisonAction")->isEnabled());

    compareWith(kExamples + "Getreide_Dichtekurve.par");  // a taller silo
    ASSERT_NE(w->comparisonModel(), nullptr);
    EXPECT_TRUE(platform::shownMessages().isEmpty());
    EXPECT_TRUE(get<QAction>("endComparisonAction")->isEnabled());
    EXPECT_EQ(displays(), before);
    EXPECT_EQ(w->windowTitle(), title);
    EXPECT_TRUE(w->document().parameterFile.isEmpty());
    EXPECT_FALSE(w->document().modified);
    EXPECT_EQ(w->activationCount(), runs);
    EXPECT_EQ(w->document().model.Fuellhoehe, 9.0);  // still the default silo

    // Its curves in grey, dashed, and wholly inside the image: the top of
    // the comparison silo is within the diagram's height.
    const SiloModel& cmp = *w->comparisonModel();
    // Calculated as korvane-calc calculates the file.
    auto batch = std::make_unique<SiloModel>();
    ASSERT_EQ(runBatch(*batch, (kExamples + "Getreide_Dichtekurve.par").toStdString(), "", 0).exitCode,
              kExitOk);
    EXPECT_EQ(cmp.Fuellmenge, batch->Fuellmenge);
    EXPECT_EQ(cmp.SIGMAW[cmp.Indexende], batch->SIGMAW[batch->Indexende]);
    const QImage img = diagram();
    EXPECT_GE(heightToY(mapping(), diagramSiloHeight(cmp)), 0);
    int on = 0, off = 0;
    for (QPoint p : curvePoints(mapping(), cmp, cmp.SIGMAV, cmp.Indexanfang, 999))
        (rgb(img, p) == (comparisonVerticalPen().color().rgb() | 0xFF000000u) ? on : off)++;
    EXPECT_GT(on, 100);
    EXPECT_GT(off, 50);

    get<QAction>("endComparisonAction")->trigger();
    EXPECT_EQ(w->comparisonModel(), nullptr);
    EXPECT_EQ(diagram(), plain);
    EXPECT_FALSE(get<QAction>("endComparisonAction")->isEnabled());
}

TEST_F(ViewExportTest, RejectedComparisonFileChangesNothing) {
    QTemporaryDir dir;
    QFile bad(dir.filePath("comma.par"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("1000\r\n1\r\n0\r\n 2,4E+0003\r\n");
    bad.close();
    compareWith(kExamples + "Bunker_Schuettkegel.par");  // an earlier comparison stays
    ASSERT_NE(w->comparisonModel(), nullptr);
    const SiloModel* shown = w->comparisonModel();
    const QImage img = diagram();
    const QStringList before = displays();

    const QString rejected[] = {dir.filePath("missing.par"), dir.filePath("comma.par"),
                                kInvalid + "code03_fill_above_silo.par",
                                kInvalid + "code21_fitted_one_pair.par"};
    for (const QString& file : rejected) {
        platform::shownMessages().clear();
        platform::setNextAnswer(true);
        compareWith(file);
        ASSERT_EQ(platform::shownMessages().size(), 1) << file.toStdString();
        EXPECT_TRUE(platform::shownMessages().first().contains(file)) << file.toStdString();
        EXPECT_EQ(w->comparisonModel(), shown);
        EXPECT_EQ(diagram(), img);
        EXPECT_EQ(displays(), before);
        EXPECT_TRUE(w->document().parameterFile.isEmpty());
    }
    // The file the open command refuses is refused with the open command's message.
    platform::shownMessages().clear();
    platform::setNextAnswer(true);
    compareWith(dir.filePath("comma.par"));
    ASSERT_EQ(platform::shownMessages().size(), 1);
    const QString compareMessage = platform::shownMessages().first();
    platform::shownMessages().clear();
    platform::setNextAnswer(true);
    platform::setNextFileName(dir.filePath("comma.par"));
    w->openParameterFile();
    ASSERT_EQ(platform::shownMessages().size(), 1);
    EXPECT_EQ(platform::shownMessages().first(), compareMessage);
}

TEST_F(ViewExportTest, ExportWritesPngSvgAndPdf) {
    get<QAction>("showBothStatesAction")->trigger();
    QTemporaryDir dir;
    const QImage screen = diagram();

    // PNG at a chosen width, in the proportions of the screen's diagram.
    bool asked = false;
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(waitFor([] { return QApplication::activeModalWidget() != nullptr; }));
        auto* ask = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(ask, nullptr);
        EXPECT_EQ(ask->intValue(), 1600);
        ask->setIntValue(1200);
        asked = true;
        ask->accept();
    });
    platform::setNextFileName(dir.filePath("d.png"));
    get<QAction>("exportDiagramAction")->trigger();
    EXPECT_TRUE(asked);
    QImage png(dir.filePath("d.png"));
    ASSERT_FALSE(png.isNull());
    EXPECT_EQ(png.width(), 1200);
    EXPECT_NEAR(png.height(), 1200.0 * screen.height() / screen.width(), 1.0);
    int blue = 0;
    for (int y = 0; y < png.height(); y += 2)
        for (int x = 0; x < png.width(); x += 2) blue += rgb(png, QPoint(x, y)) == qRgb(0, 0, 255);
    EXPECT_GT(blue, 500);

    platform::setNextFileName(dir.filePath("d.svg"));
    get<QAction>("exportDiagramAction")->trigger();
    QSvgRenderer svg(dir.filePath("d.svg"));
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBox(), QRect(QPoint(0, 0), screen.size()));

    platform::setNextFileName(dir.filePath("d.pdf"));
    get<QAction>("exportDiagramAction")->trigger();
    QFile pdf(dir.filePath("d.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_TRUE(bytes.trimmed().endsWith("%%EOF"));
    EXPECT_TRUE(platform::shownMessages().isEmpty());
}

// The copy holds the rows the columns show, the heap above its foot
// included, with the Position column, under a line naming file and state.
TEST_F(ViewExportTest, CopiedTableHoldsTheColumnsRowsWithTheHeap) {
    const QString path = kExamples + "Bunker_Schuettkegel.par";
    platform::setNextFileName(path);
    {
        ModalCloser closer(false);
        w->openParameterFile();
    }
    ASSERT_TRUE(w->document().model.Schuettkegel);
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::German, QLocale::Germany)}) {
        QLocale::setDefault(locale);
        w->showResults();
        QApplication::clipboard()->clear();
        get<QAction>("copyTableAction")->trigger();
        const QStringList lines = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
        ASSERT_GE(lines.size(), 4);
        EXPECT_EQ(lines[0], "Parameterdatei: " + path + "\tZustand: " +
                                get<QLineEdit>("stateField")->text());
        EXPECT_EQ(lines[1], "Position\tz [m]\tRHOB [kg/m3]\tSIGMAV [Pa]\tSIGMAW [Pa]");
        // Row for row what the five columns show.
        QList<QStringList> columns;
        for (const char* c : kResultColumns)
            columns << get<QPlainTextEdit>(c)->toPlainText().split('\n');
        ASSERT_EQ(lines.size() - 2, columns[1].size());
        for (int r = 0; r < columns[1].size(); ++r) {
            const QStringList cells = lines[r + 2].split('\t');
            ASSERT_EQ(cells.size(), 5) << lines[r + 2].toStdString();
            for (int c = 0; c < 5; ++c) EXPECT_EQ(cells[c], columns[c].value(r).trimmed());
        }
        // The heap: from the fill top at 6.5 m down past the heap foot.
        const QString point = locale.decimalPoint();
        EXPECT_TRUE(lines[2].startsWith(QString::fromUtf8("OK Füllg.\t6") + point + "5"))
            << lines[2].toStdString();
        // The rows go on down from the heap foot, as the columns show them.
        const double foot = w->document().model.Fuellhoehe - w->document().model.Hkegel;
        EXPECT_LE(locale.toDouble(lines[3].split('\t')[1]), foot + 1e-3) << lines[3].toStdString();
        EXPECT_TRUE(lines.last().startsWith("Auslauf\t0" + point)) << lines.last().toStdString();
    }
    // In kPa the heap top's free surface reads like every other stress.
    QLocale::setDefault(QLocale::c());
    get<QAction>("stressUnitAction")->trigger();
    QApplication::clipboard()->clear();
    get<QAction>("copyTableAction")->trigger();
    const QStringList kpa = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    get<QAction>("stressUnitAction")->trigger();
    ASSERT_GE(kpa.size(), 3);
    EXPECT_EQ(kpa[1], "Position\tz [m]\tRHOB [kg/m3]\tSIGMAV [kPa]\tSIGMAW [kPa]");
    EXPECT_EQ(kpa[2].split('\t').value(3), "0.000") << kpa[2].toStdString();
}

TEST_F(ViewExportTest, MenuTextsInBothLanguages) {
    struct Texts {
        const char* languageAction;
        QStringList expected;  // view menu, its three items, export, copy
    };
    const Texts table[] = {
        {"germanAction",
         {"&Ansicht", "&Beide Zustände zeigen", "&Vergleichen mit Parameterdatei…",
          "Vergleich b&eenden", "Diagramm e&xportieren…", "Tabelle &kopieren"}},
        {"englishAction",
         {"&View", "Show &both states", "&Compare with parameter file…", "&End comparison",
          "Export &diagram…", "&Copy table"}},
    };
    for (const Texts& t : table) {
        get<QAction>(t.languageAction)->trigger();
        QStringList shown{get<QMenu>("viewMenu")->title()};
        for (const char* a : {"showBothStatesAction", "compareAction", "endComparisonAction",
                              "exportDiagramAction", "copyTableAction"})
            shown << get<QAction>(a)->text();
        EXPECT_EQ(shown, t.expected) << t.languageAction;
    }
    // The view menu stands between the parameter menu and the language menu.
    QStringList titles;
    for (QAction* a : w->menuBar()->actions()) titles << a->objectName();
    EXPECT_EQ(titles.indexOf("viewMenu"), titles.indexOf("parameterMenu") + 1);
    EXPECT_EQ(titles.indexOf("languageMenu"), titles.indexOf("viewMenu") + 1);
}

// The window manager may resize the window while a calculation runs (the
// maximised size arrives just after the first activation has drawn): the
// diagram must end up drawn at the size of its area, and a later redraw
// from the view menu must not change its size.
TEST_F(ViewExportTest, ResizeDuringAnActivationRedrawsTheDiagramAtItsArea) {
    auto* image = w->findChild<DiagramView*>("diagram");
    const int runs = w->activationCount();
    // Fires in the pending-message pass after the results have been drawn,
    // the first one that sees the new activation counted.
    QTimer wm;
    wm.setInterval(0);
    QObject::connect(&wm, &QTimer::timeout, [&] {
        if (w->activationCount() != runs + 1) return;
        w->resize(w->width() + 24, w->height() + 36);
        wm.stop();
    });
    wm.start();
    w->activate();
    ASSERT_TRUE(waitForResults(*w));
    ASSERT_FALSE(wm.isActive()) << "the resize did not happen during the activation";

    auto wh = [](QSize s) { return std::pair{s.width(), s.height()}; };
    auto drawnSize = [&] { return wh(image->image().deviceIndependentSize().toSize()); };
    EXPECT_EQ(drawnSize(), wh(image->size()));
    EXPECT_TRUE(w->centralWidget()->rect().contains(image->geometry()));
    const QImage afterActivation = diagram();

    QAction* both = get<QAction>("showBothStatesAction");
    both->trigger();
    both->trigger();
    EXPECT_EQ(drawnSize(), wh(image->size()));
    EXPECT_TRUE(diagram() == afterActivation);
}
