// The one picture of the results: built without a painter from a silo and
// the view options, drawn alike by the screen and the printed page.
#include <gtest/gtest.h>

#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QSet>
#include <memory>
#include <string>

#include "calc/en1991_4.h"
#include "calc/engine.h"
#include "files/batch.h"
#include "ui/en1991_4/en_loads_display.h"
#include "ui/main/diagram.h"
#include "ui/main/print_pages.h"
#include "ui/main/result_picture.h"

using namespace korvane;
using namespace korvane::ui;

namespace {

const std::string kEnSilo = KORVANE_TEST_DATA "/en1991-4/example2_slender_steep.par";
const std::string kTallerSilo = KORVANE_TEST_DATA "/../../examples/Par/Getreide_Dichtekurve.par";

// A silo calculated as the batch tool calculates its file.
std::unique_ptr<SiloModel> load(const std::string& par) {
    auto m = std::make_unique<SiloModel>();
    const BatchResult r = runBatch(*m, par, std::string(), 1);
    EXPECT_EQ(r.exitCode, kExitOk) << r.message;
    m->Erststart = false;
    return m;
}

// The same silo in the other stress state.
std::unique_ptr<SiloModel> otherState(const SiloModel& m) {
    auto o = std::make_unique<SiloModel>(m);
    o->setSpannungszustand(m.Spannungszustand() == 1 ? 0 : 1);
    clearResults(*o);
    prepare(*o, false);
    calculate(*o);
    return o;
}

// A silo with its other state, a taller comparison silo and the EN 1991-4
// loads of both states: everything the diagram can show at once.
struct FullView {
    std::unique_ptr<SiloModel> own = load(kEnSilo);
    std::unique_ptr<SiloModel> other = otherState(*own);
    std::unique_ptr<SiloModel> compared = load(kTallerSilo);
    EnOverlay en = enOverlay(enLoadsOfModel(*own), true, true);
    DiagramExtras view() const {
        DiagramExtras e;
        e.otherState = other.get();
        e.comparison = compared.get();
        e.comparisonName = QStringLiteral("Getreide_Dichtekurve.par");
        e.en = &en;
        return e;
    }
};

bool sameLook(const CurveStyle& a, const CurveStyle& b) {
    return a.colour == b.colour && a.pattern == b.pattern;
}

}  // namespace

TEST(ResultPicture, EveryCurveShownHasItsOwnStyleAndLegendName) {
    const FullView v;
    ASSERT_TRUE(v.en.inScope);
    ASSERT_TRUE(v.en.hopper);
    for (int language : {0, 1}) {
        const ResultPicture pic = resultPicture(*v.own, v.view(), language, StressUnit::Pa);
        // SIGMAV and SIGMAW of three silos/states, EN filling p_h/p_n and
        // p_v, EN discharge p_h/p_n.
        ASSERT_EQ(pic.curves.size(), 9u);
        ASSERT_EQ(pic.legend.size(), 9u);
        // One meaning per style: no two legend lines look alike, no two
        // share a name, and every curve is drawn in a style its legend names.
        QSet<QString> names;
        for (size_t i = 0; i < pic.legend.size(); ++i) {
            names.insert(pic.legend[i].name);
            for (size_t j = i + 1; j < pic.legend.size(); ++j)
                EXPECT_FALSE(sameLook(pic.legend[i].style, pic.legend[j].style))
                    << pic.legend[i].name.toStdString() << " / " << pic.legend[j].name.toStdString();
        }
        EXPECT_EQ(names.size(), 9);
        for (const DiagramCurve& c : pic.curves) {
            int named = 0;
            for (const LegendEntry& e : pic.legend) named += e.style == c.style;
            EXPECT_EQ(named, 1);
            EXPECT_NE(c.style.pattern, LinePattern::Dotted);  // dotted: the heap part only
        }
        // The own curves lie on top; the taller comparison silo sets the height.
        EXPECT_EQ(pic.curves.back().style, curveStyle(CurveSet::Own, StressKind::Wall));
        EXPECT_EQ(pic.height, diagramSiloHeight(*v.compared));
        EXPECT_GT(pic.height, pic.ownHeight);
        for (const DiagramCurve& c : pic.curves)
            for (const QPointF& q : c.points) EXPECT_LE(q.x(), pic.stressMax);
        // The legend's rows: SIGMAV and SIGMAW of each silo and state share
        // a row, as do the two EN filling loads; the shared words once.
        const std::vector<LegendRow> rows = legendRows(pic.legend);
        ASSERT_EQ(rows.size(), 5u);
        size_t next = 0;
        for (const LegendRow& r : rows)
            for (const LegendEntry& e : r.items)
                EXPECT_EQ(r.prefix + e.name + r.suffix, pic.legend[next++].name);
        EXPECT_EQ(rows[0].items[0].name, "SIGMAV");
        EXPECT_EQ(rows[0].suffix, language ? " [Pa] \u2013 filling" : " [Pa] \u2013 F\u00fcllen");
        EXPECT_EQ(rows[3].prefix, language ? "EN 1991-4 filling: " : "EN 1991-4 F\u00fcllen: ");
        EXPECT_EQ(rows[4].items.size(), 1u);
        EXPECT_EQ(rows[4].prefix, language ? "EN 1991-4 discharge: " : "EN 1991-4 Entleeren: ");
        // The compared silo's fill level and transition are marked.
        ASSERT_GE(pic.comparedLevels.size(), 2u);
        EXPECT_EQ(pic.comparedLevels[0].z, v.compared->Fuellhoehe);
        EXPECT_TRUE(pic.comparedLevels[0].label.startsWith(language ? "comparison: " : "Vergleich: "));
    }
}

TEST(ResultPicture, ScreenAndPageDrawTheSameCurvePoints) {
    const FullView v;
    ResultPicture pic = resultPicture(*v.own, DiagramExtras{}, 0, StressUnit::Pa);
    ASSERT_EQ(pic.curves.size(), 2u);
    // The own SIGMAV replaced by a vertical line at 95 % of the largest
    // stress: both devices draw the picture's points, not the model's.
    const double s = 0.95 * pic.stressMax;
    pic.curves[0].points = {QPointF(s, 0), QPointF(s, pic.ownHeight * 0.8)};
    const double z = 0.4 * pic.ownHeight;
    ValuesAtHeight model;
    ASSERT_TRUE(valuesAtHeight(*v.own, z, model));
    ASSERT_GT(std::abs(model.sigmaV - s), 0.15 * pic.stressMax);

    QImage screen(640, 480, QImage::Format_RGB32);
    QPainter sp(&screen);
    const DiagramMapping sm = drawDiagram(sp, screen.size(), pic, 1.0);
    sp.end();
    QImage page(2100, 2970, QImage::Format_RGB32);  // A4 at 254 dpi: one pixel per 0.1 mm
    page.setDotsPerMeterX(10000);
    page.setDotsPerMeterY(10000);
    page.fill(Qt::white);
    QPainter pp(&page);
    DiagramMapping pm = paintDiagramPage(pp, pic, QString(), false, 0);
    pp.end();
    pm.xZero += 150;  // the page's diagram area from the page's corner
    pm.yZero += 250;

    auto blackNear = [](const QImage& img, const DiagramMapping& map, double stress, double h) {
        const QPoint c(stressToX(map, stress), heightToY(map, h));
        for (int dx = -2; dx <= 2; ++dx)
            if ((img.pixel(c + QPoint(dx, 0)) & 0xFFFFFFu) == 0) return true;
        return false;
    };
    for (const auto& [img, map] : {std::pair{&screen, sm}, {&page, pm}}) {
        EXPECT_TRUE(blackNear(*img, map, s, z));
        EXPECT_FALSE(blackNear(*img, map, model.sigmaV, z));
    }
}

TEST(ResultPicture, ReadOutGivesTheEnLoadsAtTheHeight) {
    const FullView v;
    QLocale::setDefault(QLocale::c());
    const EnResult& r = v.en.loads;
    struct Case {
        double z;
        EnPart part;
        const char* filling;    // the filling loads named in the read-out
        const char* discharge;
    };
    const Case cases[] = {
        {0.5 * (r.zTransition + r.zTopContact), EnPart::Wall, "p_hf %1, p_vf %2", "p_he %1"},
        {0.5 * r.zTransition, EnPart::Hopper, "p_nf %1, p_v %2", "p_ne %1"},
    };
    for (const Case& c : cases) {
        const EnLoadRow row = en1991_4LoadsAt(r, c.z, c.part);
        const QString t = diagramReadout(*v.own, v.view(), c.z, 1, StressUnit::Pa);
        auto n = [](double x) { return QString::number(x, 'f', 0); };
        const double f1 = c.part == EnPart::Wall ? row.p_hf : row.p_nf;
        const double f2 = c.part == EnPart::Wall ? row.p_vf : row.p_v;
        const double d1 = c.part == EnPart::Wall ? row.p_he : row.p_ne;
        EXPECT_TRUE(t.contains("EN 1991-4 filling: " + QString(c.filling).arg(n(f1), n(f2)) + " Pa"))
            << t.toStdString();
        EXPECT_TRUE(t.contains("EN 1991-4 discharge: " + QString(c.discharge).arg(n(d1)) + " Pa"))
            << t.toStdString();
    }
    // Without the overlay no EN line.
    DiagramExtras plain = v.view();
    plain.en = nullptr;
    EXPECT_FALSE(diagramReadout(*v.own, plain, cases[0].z, 1, StressUnit::Pa).contains("EN 1991-4"));
}
