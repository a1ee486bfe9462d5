// The EN 1991-4 loads on the desktop: the View menu's switch adds the EN
// curves to the diagram, the EN 1991-4 window shows the classification or the
// reasons outside the standard's scope, and its copy gives tab-separated rows.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTextBrowser>
#include <cmath>
#include <memory>
#include <vector>

#include "calc/en1991_4.h"
#include "calc/engine.h"
#include "files/batch.h"
#include "ui/en1991_4/en_loads_display.h"
#include "ui/en1991_4/en_main_hooks.h"
#include "ui/en1991_4/en_window.h"
#include "ui/main/diagram.h"
#include "ui/main/mainwindow.h"
#include "ui/texts/en1991_4_texts.h"
#include "window_test_support.h"
#include "tests/common/wait_for_results.h"

using namespace korvane;
using namespace korvane::ui;
using namespace korvane::ui::test_support;

namespace {

const std::string kEnData = KORVANE_TEST_DATA "/en1991-4/";

// The silo of a parameter file, calculated as the batch tool does.
void loadSilo(SiloModel& m, const std::string& par) {
    const BatchResult r = runBatch(m, par, std::string(), 1);
    ASSERT_EQ(r.exitCode, kExitOk) << r.message;
    m.Erststart = false;
}

QRgb rgbAt(const QImage& img, QPoint p) { return img.pixel(p) | 0xFF000000u; }

// Share of the curve's points that have a pixel of `colour` within one pixel.
double coverage(const QImage& img, const DiagramMapping& map, const EnCurve& c, QRgb colour) {
    int hit = 0, n = 0;
    for (const auto& [s, z] : c.points) {
        const QPoint q(stressToX(map, s), heightToY(map, z));
        if (!img.rect().adjusted(1, 1, -1, -1).contains(q)) continue;
        ++n;
        bool found = false;
        for (int dx = -1; dx <= 1 && !found; ++dx)
            for (int dy = -1; dy <= 1 && !found; ++dy)
                found = rgbAt(img, q + QPoint(dx, dy)) == colour;
        hit += found;
    }
    return n ? double(hit) / n : 0.0;
}

class En1991_4Test : public ::testing::Test {
protected:
    void SetUp() override {
        resetProgramState();
        QSettings().remove(QStringLiteral("view/en1991_4Loads"));
        QSettings().remove(QStringLiteral("en1991_4/unit"));
    }
    void TearDown() override {
        w.reset();
        QSettings().remove(QStringLiteral("view/en1991_4Loads"));
        QSettings().remove(QStringLiteral("en1991_4/unit"));
        texts::setLanguage(0);
    }
    void openWindow(const std::string& par) {
        w = std::make_unique<MainWindow>();
        loadSilo(w->document().model, par);
        w->resize(1100, 800);
        w->show();
        ASSERT_TRUE(waitForResults(*w));
    }
    QImage diagram() { return w->findChild<DiagramView*>("diagram")->image().copy(); }
    EnMainHooks* hooks() { return w->findChild<EnMainHooks*>(); }

    std::unique_ptr<MainWindow> w;
};

}  // namespace

TEST_F(En1991_4Test, ViewSwitchAddsTheEnCurvesOfTheStatesShown) {
    openWindow(kEnData + "example2_slender_steep.par");
    QAction* on = w->findChild<QAction*>("showEn1991_4Action");
    ASSERT_NE(on, nullptr);
    ASSERT_TRUE(on->isCheckable());
    EXPECT_FALSE(on->isChecked());  // off in a window made without the program's start
    EXPECT_EQ(hooks()->overlay(), nullptr);
    const QImage plain = diagram();

    on->trigger();
    const EnOverlay* o = hooks()->overlay();
    ASSERT_NE(o, nullptr);
    EXPECT_TRUE(o->inScope);
    EXPECT_TRUE(o->filling);
    EXPECT_FALSE(o->discharge);
    ASSERT_EQ(o->curves.size(), 2u);  // p_hf / p_nf and p_vf / p_v
    const QImage img = diagram();
    EXPECT_NE(img, plain);
    // Dash-dotted along the engine's loads: wall normal in SIGMAW's blue,
    // vertical in SIGMAV's black.
    for (const EnCurve& c : o->curves)
        EXPECT_GT(coverage(img, w->findChild<DiagramView*>("diagram")->mapping(), c,
                           c.wallNormal ? qRgb(0, 0, 255) : qRgb(0, 0, 0)), 0.5)
            << c.wallNormal;
    EXPECT_TRUE(QSettings().value("view/en1991_4Loads").toBool());  // remembered

    // Both states: the discharge curve joins.
    w->findChild<QAction*>("showBothStatesAction")->trigger();
    o = hooks()->overlay();
    ASSERT_NE(o, nullptr);
    EXPECT_TRUE(o->filling && o->discharge);
    EXPECT_EQ(o->curves.size(), 3u);
    w->findChild<QAction*>("showBothStatesAction")->trigger();

    on->trigger();
    EXPECT_EQ(hooks()->overlay(), nullptr);
    EXPECT_EQ(diagram(), plain);
}

TEST_F(En1991_4Test, WindowShowsClassificationOrTheReasonsOutsideScope) {
    struct Case {
        const char* file;
        bool inScope;
        const char* de;  // expected in the German summary
        const char* en;  // ... and in the English one
    };
    const Case cases[] = {
        {"example2_slender_steep.par", true, "schlank", "slender"},
        {"example3_rectangular_flat.par", true, "ebener Boden", "flat bottom"},
        // The same silo with a vertical section below the hopper.
        {nullptr, false, "Vertikalteil unter dem Trichter", "a vertical section below the hopper"},
    };
    for (const Case& c : cases) {
        for (int language : {0, 1}) {
            texts::setLanguage(language);
            auto m = std::make_unique<SiloModel>();
            loadSilo(*m, kEnData + (c.file ? c.file : "example2_slender_steep.par"));
            if (!c.file) {
                m->vertunten = true;
                m->Hunttricht = 1.0;
                m->Hoberflaeche += 1.0;
                m->Fuellhoehe += 1.0;
            }
            EnWindow win(*m, true);
            EXPECT_EQ(win.result().inScope, c.inScope);
            const QString text = win.findChild<QTextBrowser*>("enSummary")->toPlainText();
            EXPECT_TRUE(text.contains(QString::fromUtf8(language == 0 ? c.de : c.en)))
                << text.toStdString();
            EXPECT_EQ(win.findChild<QTableWidget*>("enLoadsTable")->isVisibleTo(&win), c.inScope);
            if (c.inScope) {
                EXPECT_TRUE(text.contains(QStringLiteral("AAC")));
                // Every unverified value carries the note.
                EXPECT_TRUE(text.contains(texts::T(texts::en1991_4::notVerified, language)));
            }
        }
    }
}

TEST_F(En1991_4Test, CopyGivesTabSeparatedRowsInTheUnitChosen) {
    auto m = std::make_unique<SiloModel>();
    loadSilo(*m, kEnData + "example2_slender_steep.par");
    EnWindow win(*m, true);
    for (EnUnit unit : {EnUnit::KiloPascal, EnUnit::Pascal}) {
        win.setUnit(unit);
        win.findChild<QPushButton*>("enCopyButton")->click();
        const QString text = QGuiApplication::clipboard()->text();
        EXPECT_EQ(text, win.clipboardText());
        const QStringList lines = text.split('\n', Qt::SkipEmptyParts);
        ASSERT_GT(lines.size(), 20);
        const QString u = unit == EnUnit::Pascal ? "[Pa]" : "[kPa]";
        EXPECT_TRUE(lines[0].startsWith("Position\tz [m]\tp_hf " + u)) << lines[0].toStdString();
        // Every row: position, z and nine loads at the heights of the
        // printed result table; a wall row's p_hf is the engine's there.
        const std::vector<EnTableRow> rows = enTableRows(*m, win.result(), 0);
        ASSERT_EQ(lines.size(), static_cast<int>(rows.size()) + 1);
        int checked = 0;
        for (int i = 1; i < lines.size(); ++i) {
            const QStringList cells = lines[i].split('\t');
            ASSERT_EQ(cells.size(), 11) << lines[i].toStdString();
            const EnTableRow& row = rows[static_cast<size_t>(i - 1)];
            EXPECT_NEAR(cells[1].toDouble(), row.z, 0.0005);
            if (cells[2].isEmpty()) continue;
            const double expected = en1991_4LoadsAt(win.result(), row.z, EnPart::Wall).p_hf;
            const double half = unit == EnUnit::Pascal ? 0.5 : 5.0;  // half the last digit
            EXPECT_NEAR(cells[2].toDouble() * (unit == EnUnit::Pascal ? 1.0 : 1000.0), expected,
                        half + 1e-6);
            ++checked;
        }
        EXPECT_GT(checked, 10);
        // The transition twice: its wall row, then its hopper row.
        std::vector<const EnTableRow*> transition;
        for (const EnTableRow& row : rows)
            if (std::abs(row.z - win.result().zTransition) < 1e-6) transition.push_back(&row);
        ASSERT_EQ(transition.size(), 2u);
        EXPECT_FALSE(enEmpty(transition[0]->loads.p_hf));
        EXPECT_TRUE(enEmpty(transition[0]->loads.p_nf));
        EXPECT_TRUE(enEmpty(transition[1]->loads.p_hf));
        EXPECT_FALSE(enEmpty(transition[1]->loads.p_nf));
    }
}

TEST_F(En1991_4Test, DefaultSiloAtStartHasItsFilledMass) {
    // At program start the default silo has not been through the form's
    // take-over; its action assessment class still follows from its mass.
    auto model = std::make_unique<SiloModel>();
    SiloModel& m = *model;
    prepare(m, true);
    calculate(m);
    const EnResult r = enLoadsOfModel(m);
    ASSERT_TRUE(r.inScope);
    EXPECT_GT(r.mass, 100e3);  // 36 m2 x about 8 m of a solid of 2800 kg/m3
    EXPECT_EQ(r.AAC, 2);
    EXPECT_DOUBLE_EQ(r.C_b, 1.0);
}
