#include "ui/main/result_picture.h"

#include <algorithm>
#include <cmath>

#include "ui/en1991_4/en_loads_display.h"
#include "ui/en1991_4/en_overlay_drawing.h"
#include "ui/texts/texts.h"

namespace korvane::ui {

namespace {

const QColor kGrey(128, 128, 128);
const QColor kRed(255, 0, 0);
const QColor kGreen(0, 128, 0);
const QColor kBlue(0, 0, 255);
const QColor kBlack(0, 0, 0);
// The comparison silo's own colours: purple for SIGMAV, teal for SIGMAW.
const QColor kPurple(160, 0, 160);
const QColor kTeal(0, 150, 150);

using texts::T;

QString stateName(const SiloModel& s, int language) {
    return T(s.Spannungszustand() == 1 ? texts::habits::discharging : texts::habits::filling,
             language);
}

// The model's curves in a set: SIGMAV and SIGMAW with their heap parts.
// SIGMAV over a heap runs on to the heap tip on the axis, SIGMAW
// horizontally to the axis at the heap foot.
void addModelCurves(std::vector<DiagramCurve>& out, const SiloModel& m, CurveSet set) {
    DiagramCurve v{curveStyle(set, StressKind::Vertical), stressCurve(m, m.SIGMAV), {}, {}};
    v.heapStyle = set == CurveSet::Own ? heapPartStyle() : v.style;
    DiagramCurve w{curveStyle(set, StressKind::Wall), stressCurve(m, m.SIGMAW), {}, {}};
    w.heapStyle = w.style;
    if (m.Schuettkegel) {
        v.heapPart = {v.points.back(), QPointF(0.0, m.Fuellhoehe)};
        w.heapPart = {w.points.back(), QPointF(0.0, w.points.back().y())};
    }
    out.push_back(std::move(v));
    out.push_back(std::move(w));
}

}  // namespace

CurveStyle curveStyle(CurveSet set, StressKind stress) {
    const bool vertical = stress == StressKind::Vertical;
    switch (set) {
        case CurveSet::Own:
            return {set, stress, vertical ? kBlack : kBlue, LinePattern::Solid};
        case CurveSet::OtherState:
            return {set, stress, vertical ? kBlack : kBlue, LinePattern::Dashed};
        case CurveSet::Comparison:
            return {set, stress, vertical ? kPurple : kTeal, LinePattern::DashDotted};
        case CurveSet::EnFilling:
            return {set, stress, vertical ? kBlack : kBlue, LinePattern::DashDotted};
        case CurveSet::EnDischarge:
            return {set, stress, vertical ? kBlack : kBlue, LinePattern::DashDotDotted};
    }
    return {};
}

CurveStyle heapPartStyle() {
    return {CurveSet::Own, StressKind::Vertical, kBlack, LinePattern::Dotted};
}

std::vector<QPointF> stressCurve(const SiloModel& m, const double* sigma) {
    // Slice i spans from its lower face (index i) up to its upper face
    // (i - 1); the outlet is the lower face of the last filled slice.
    const int outletIndex = std::clamp(m.Indexende, 1, kResultSize - 1);
    const int firstIndex = std::clamp(m.Indexanfang, 1, outletIndex);
    std::vector<QPointF> points;
    points.reserve(static_cast<size_t>(outletIndex - firstIndex + 2));
    points.emplace_back(sigma[outletIndex], 0.0);
    double z = 0;
    for (int j = outletIndex - 1; j >= firstIndex - 1; --j) {
        z += m.Dz[j + 1];
        points.emplace_back(sigma[j], z);
    }
    return points;
}

double diagramStressMax(const SiloModel& m) {
    double mx = 0;
    const int last = std::clamp(m.Gesamtschritte, 0, kResultSize - 1);
    for (int i = 1; i <= last; ++i) {
        const double v = m.SIGMAV[i];
        const double w = m.SIGMAW[i];
        if (std::isfinite(v)) mx = std::max(mx, v);
        if (std::isfinite(w)) mx = std::max(mx, w);
    }
    return mx;
}

double diagramSiloHeight(const SiloModel& m) {
    return m.Hschaft + m.Hspitzeoben - m.Hspitzeauslauf + m.Hunttricht;
}

bool diagramHasCurves(const SiloModel& m) {
    const int outletIndex = std::clamp(m.Indexende, 0, kResultSize - 1);
    const int last = std::clamp(m.Gesamtschritte, 0, kResultSize - 1);
    for (int i = 0; i <= std::max(outletIndex, last); ++i) {
        if (!std::isfinite(m.SIGMAV[i]) || !std::isfinite(m.SIGMAW[i]) || !std::isfinite(m.Dz[i]))
            return false;
    }
    return diagramStressMax(m) > 0;
}

double diagramStressMax(const SiloModel& m, const DiagramExtras& extras) {
    double mx = diagramHasCurves(m) ? diagramStressMax(m) : 0.0;
    for (const SiloModel* e : {extras.otherState, extras.comparison})
        if (e && diagramHasCurves(*e)) mx = std::max(mx, diagramStressMax(*e));
    if (extras.en) mx = std::max(mx, extras.en->stressMax());
    return mx;
}

double diagramScaleHeight(const SiloModel& m, const DiagramExtras& extras) {
    double h = diagramSiloHeight(m);
    // The other state is the same silo; a comparison silo may be taller.
    if (extras.comparison && diagramHasCurves(*extras.comparison)) {
        const double hc = diagramSiloHeight(*extras.comparison);
        if (std::isfinite(hc)) h = std::max(h, hc);
    }
    return h;
}

bool funnelFlowCurves(const SiloModel& m) {
    return !m.Massenfluss && m.Spannungszustand() == 1 && m.Trichterja;
}

std::vector<LegendRow> legendRows(const std::vector<LegendEntry>& legend) {
    std::vector<LegendRow> rows;
    for (size_t i = 0; i < legend.size(); ++i) {
        const LegendEntry& a = legend[i];
        const bool pair = i + 1 < legend.size() && a.style.pattern != LinePattern::None &&
                          legend[i + 1].style.pattern != LinePattern::None &&
                          legend[i + 1].style.set == a.style.set;
        if (!pair) {
            // A lone line with a heading ("EN 1991-4 discharge: p_he") shows
            // its heading before the sample, as a pair does.
            const int colon = a.style.pattern == LinePattern::None
                                  ? -1
                                  : static_cast<int>(a.name.indexOf(QStringLiteral(": ")));
            LegendRow row{QString(), {a}, QString()};
            if (colon > 0) {
                row.prefix = a.name.left(colon + 2);
                row.items[0].name = a.name.mid(colon + 2);
            }
            rows.push_back(std::move(row));
            continue;
        }
        const LegendEntry& b = legend[++i];
        const QString& x = a.name;
        const QString& y = b.name;
        // Shared words: a common start ending in a blank, a common end
        // starting with one; each name keeps a part of its own.
        int lead = 0;
        for (int k = 0; k < std::min(x.size(), y.size()) && x[k] == y[k]; ++k)
            if (x[k] == QLatin1Char(' ')) lead = k + 1;
        int trail = 0;
        for (int k = 1; k <= std::min(x.size(), y.size()) - lead && x[x.size() - k] == y[y.size() - k];
             ++k)
            if (x[x.size() - k] == QLatin1Char(' ')) trail = k;
        if (lead >= x.size() - trail || lead >= y.size() - trail) lead = trail = 0;
        LegendRow row{x.left(lead), {a, b}, x.right(trail)};
        row.items[0].name = x.mid(lead, x.size() - lead - trail);
        row.items[1].name = y.mid(lead, y.size() - lead - trail);
        rows.push_back(std::move(row));
    }
    return rows;
}

ResultPicture resultPicture(const SiloModel& m, const DiagramExtras& view, int language,
                            StressUnit unit) {
    ResultPicture pic;
    pic.unit = unit;
    pic.heightAxisLabel = QStringLiteral("z [m]");
    pic.ownCurves = diagramHasCurves(m);
    // Each further silo is checked once: its curves are shown or left out.
    const SiloModel* other =
        view.otherState && diagramHasCurves(*view.otherState) ? view.otherState : nullptr;
    const SiloModel* compared =
        view.comparison && diagramHasCurves(*view.comparison) ? view.comparison : nullptr;

    // Scales: the own values, joined by the extras shown.
    pic.stressMax = view.empty() ? (pic.ownCurves ? diagramStressMax(m) : 0.0)
                                 : diagramStressMax(m, view);
    pic.ownHeight = diagramSiloHeight(m);
    pic.height = view.empty() ? pic.ownHeight : diagramScaleHeight(m, view);
    pic.fillHeight = m.Fuellhoehe;
    pic.highestFill = compared ? std::max(m.Fuellhoehe, compared->Fuellhoehe) : m.Fuellhoehe;
    pic.zLow = 0;
    pic.zHigh = pic.height;
    if (view.zoomTo > view.zoomFrom && std::isfinite(view.zoomFrom) &&
        std::isfinite(view.zoomTo) && std::isfinite(pic.height) && pic.height > 0) {
        const double lo = std::clamp(view.zoomFrom, 0.0, pic.height);
        const double hi = std::clamp(view.zoomTo, 0.0, pic.height);
        // A range too thin to read is no zoom.
        if (hi - lo >= 1e-3 * pic.height) {
            pic.zLow = lo;
            pic.zHigh = hi;
        }
    }

    // Curves, the extras under the own: comparison, other state, EN, own.
    if (compared) addModelCurves(pic.curves, *compared, CurveSet::Comparison);
    if (other) addModelCurves(pic.curves, *other, CurveSet::OtherState);
    if (view.en) {
        for (const EnCurve& c : view.en->curves) {
            DiagramCurve d;
            d.style = curveStyle(c.discharge ? CurveSet::EnDischarge : CurveSet::EnFilling,
                                 c.wallNormal ? StressKind::Wall : StressKind::Vertical);
            d.heapStyle = d.style;
            d.points.reserve(c.points.size());
            for (const auto& [s, z] : c.points) d.points.emplace_back(s, z);
            pic.curves.push_back(std::move(d));
        }
    }
    if (pic.ownCurves) addModelCurves(pic.curves, m, CurveSet::Own);

    // Levels from the outlet up; the outlet's label takes the colour of the
    // last level drawn.
    auto level = [&](double z, const texts::TextPair& text, const QColor& colour) {
        pic.levels.push_back({z, T(text, language), colour});
    };
    if (m.vertunten) level(m.Hunttricht, texts::position::hopperBottomLevel, kGrey);
    if (m.Trichterja)
        level(m.Hunttricht + m.Hspitzeoben - m.Hspitzeauslauf, texts::position::hopperTopLevel,
              kGrey);
    if (m.Schaftja) level(pic.ownHeight, texts::position::siloTopLevel, kGrey);
    level(m.Fuellhoehe, texts::position::fillingTopLevel, kRed);
    if (m.Schuettkegel) level(m.Fuellhoehe - m.Hkegel, texts::position::heapBottomLevel, kGreen);
    pic.outletLabel = T(texts::position::outlet, language);
    pic.outletColour = pic.levels.back().colour;
    if (compared) {
        const QString prefix = T(texts::habits::comparison, language) + QStringLiteral(": ");
        const QColor colour = curveStyle(CurveSet::Comparison, StressKind::Vertical).colour;
        auto mark = [&](double z, const texts::TextPair& text) {
            pic.comparedLevels.push_back({z, prefix + T(text, language), colour});
        };
        const SiloModel& c = *compared;
        mark(c.Fuellhoehe, texts::position::fillingTopLevel);
        if (c.Trichterja)
            mark(c.Hunttricht + c.Hspitzeoben - c.Hspitzeauslauf, texts::position::hopperTopLevel);
        if (c.vertunten) mark(c.Hunttricht, texts::position::hopperBottomLevel);
    }

    // Legend: a line for every curve shown, named by stress, state and silo.
    const QString unitText = QStringLiteral(" [") + stressUnitName(unit) + ']';
    auto entry = [&](CurveSet set, StressKind stress, const QString& suffix) {
        const QString name = stress == StressKind::Vertical ? QStringLiteral("SIGMAV")
                                                            : QStringLiteral("SIGMAW");
        pic.legend.push_back({curveStyle(set, stress), name + suffix});
    };
    if (pic.ownCurves || !view.empty()) {
        const QString own = other ? QStringLiteral(" \u2013 ") + stateName(m, language) : QString();
        entry(CurveSet::Own, StressKind::Vertical, unitText + own);
        entry(CurveSet::Own, StressKind::Wall, unitText + own);
    }
    if (other) {
        const QString s = QStringLiteral(" \u2013 ") + stateName(*other, language);
        entry(CurveSet::OtherState, StressKind::Vertical, s);
        entry(CurveSet::OtherState, StressKind::Wall, s);
    }
    if (compared) {
        const QString c = QStringLiteral(" \u2013 ") + T(texts::habits::comparison, language) +
                          QStringLiteral(": ") + view.comparisonName;
        entry(CurveSet::Comparison, StressKind::Vertical, c);
        entry(CurveSet::Comparison, StressKind::Wall, c);
    }
    if (view.en)
        for (LegendEntry& e : enLegendEntries(*view.en, language)) pic.legend.push_back(e);

    // Funnel flow in a state shown: the discharge results are not valid.
    pic.funnelFlow = funnelFlowCurves(m) || (other && funnelFlowCurves(*other));
    if (pic.funnelFlow) {
        pic.funnelFlowWarning = T(texts::results::funnelFlow, language);
        pic.funnelFlowNote = T(texts::habits::funnelFlowDischarge, language);
    }
    return pic;
}

}  // namespace korvane::ui
