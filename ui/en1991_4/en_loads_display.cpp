#include "ui/en1991_4/en_loads_display.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <memory>

#include "calc/engine.h"

#include "ui/main/display_logic.h"
#include "ui/main/print_pages.h"
#include "ui/texts/en1991_4_texts.h"
#include "ui/texts/texts.h"

namespace korvane::ui {

namespace tx = texts::en1991_4;
using texts::T;

namespace {

constexpr double kDeg = 180.0 / 3.14159265358979323846;

bool has(const EnResult& r, EnNote n) {
    return std::find(r.unverified.begin(), r.unverified.end(), n) != r.unverified.end();
}

QChar localPoint() {
    const QString p = QLocale().decimalPoint();
    return p.isEmpty() ? QChar('.') : p.at(0);
}

// A number with `decimals` decimals in the desktop's notation; "" when it is
// not finite (a value the silo does not have).
QString num(double v, int decimals) {
    if (!std::isfinite(v)) return QString();
    return formatResult(v, decimals, localPoint());
}

QString withUnit(double v, int decimals, const char* unit) {
    const QString n = num(v, decimals);
    return n.isEmpty() ? QString() : n + QStringLiteral(" ") + QString::fromUtf8(unit);
}

}  // namespace

EnResult enLoadsOfModel(const SiloModel& m) {
    if (m.Fuellvolumen > 0 || !(m.Fuellhoehe > 0)) return en1991_4Loads(m);
    auto scratch = std::make_unique<SiloModel>();
    copyAllButResults(*scratch, m);
    double surfaceWidth = 0;
    scratch->Fuellvolumen = filledVolume(m, &surfaceWidth);
    return en1991_4Loads(*scratch);
}

// ---------------------------------------------------------------------------
// Summary

std::vector<EnSummaryLine> enSummary(const EnResult& r, int language) {
    std::vector<EnSummaryLine> out;
    auto heading = [&](const texts::TextPair& t) { out.push_back({T(t, language), {}, true, false}); };
    auto line = [&](const QString& label, const QString& value, bool unverified = false) {
        if (!value.isEmpty()) out.push_back({label, value, false, unverified});
    };
    auto u = [](const char* s) { return QString::fromUtf8(s); };

    if (!r.inScope) {
        heading(tx::outsideScopeHeading);
        for (EnScope s : r.scope)
            out.push_back({QStringLiteral("• ") + tx::scopeText(s, language), {}, false, false});
        out.push_back({T(tx::assumption, language), {}, false, false});
        return out;
    }

    heading(tx::classificationHeading);
    line(T(tx::slendernessLabel, language),
         tx::slendernessText(r.slenderness, language) + u(" (h_c/d_c = ") + num(r.ratio, 3) + ")");
    line(T(tx::bottomLabel, language), tx::bottomText(r.bottom, language));
    line(T(tx::actionClassLabel, language),
         QString::number(r.AAC) + u(" (") + T(tx::massLabel, language) + " " +
             withUnit(r.mass / 1000.0, 1, "t") + ")",
         has(r, EnNote::ActionClass));

    heading(tx::geometryHeading);
    line(u("d_c"), withUnit(r.d_c, 3, "m"));
    line(u("h_c"), withUnit(r.h_c, 3, "m"));
    line(u("h_o"), withUnit(r.h_o, 4, "m"));
    line(u("h_b"), withUnit(r.h_b, 3, "m"));
    line(u("A, U"), withUnit(r.A, 3, "m²") + ", " + withUnit(r.U, 3, "m"));
    line(u("φ_r"), withUnit(r.phi_r * kDeg, 2, "°"));

    heading(tx::factorsHeading);
    line(T(tx::unitWeight, language), withUnit(r.gamma / 1000.0, 3, "kN/m³"),
         has(r, EnNote::GammaFittedLaw));
    line(T(tx::conversionFactors, language),
         u("a_K = ") + num(r.inputs.aK, 3) + u(", a_μ = ") + num(r.inputs.amu, 3) +
             u(", a_φ = ") + num(r.inputs.aphi, 3));
    if (r.inputs.dynamicSolid) line(T(tx::dynamicYes, language), u("C_b"));
    const bool dischargeU = has(r, EnNote::DischargeFactors);
    line(u("C_h"), num(r.C_h, 3), dischargeU);
    line(u("C_w"), num(r.C_w, 3), dischargeU);
    if (r.slenderness == EnSlenderness::Intermediate) line(u("C_S"), num(r.C_S, 3), dischargeU);
    line(u("C_b"), num(r.C_b, 2), has(r, EnNote::BottomFactor));
    line(u("p_vft"), withUnit(r.p_vft / 1000.0, 3, "kPa"),
         has(r, EnNote::BottomFactor) || has(r, EnNote::FlatBottomUniform));
    if (r.slenderness != EnSlenderness::Slender) {
        line(u("n (p_h)"), num(r.nH, 4));
        line(u("n (p_w)"), num(r.nW, 4));
        line(u("n (p_v)"), num(r.nV, 4));
    }
    if (r.bottom != EnBottom::Flat) {
        const bool wedge = has(r, EnNote::WedgeHopper);
        const bool dischargeHopperU =
            has(r, EnNote::SteepDischarge) || has(r, EnNote::ShallowDischarge) || wedge;
        line(u("S, b"), num(r.S, 0) + ", " + num(r.b, 2), wedge);
        line(u("β"), withUnit(r.beta * kDeg, 2, "°"));
        line(u("h_h, x_e"), withUnit(r.h_h, 3, "m") + ", " + withUnit(r.x_e, 3, "m"));
        line(u("F_f, n_f"), num(r.F_f, 4) + ", " + num(r.n_f, 4), wedge);
        if (std::isfinite(r.mu_heff)) line(u("μ_heff"), num(r.mu_heff, 4));
        line(u("F_e, n_e"), num(r.F_e, 4) + ", " + num(r.n_e, 4), dischargeHopperU);
        if (std::isfinite(r.phi_wh))
            line(u("φ_wh, ε"),
                 withUnit(r.phi_wh * kDeg, 2, "°") + ", " + withUnit(r.epsilon * kDeg, 2, "°"),
                 true);
        line(u("p_vft,e"), withUnit(r.p_vfte / 1000.0, 3, "kPa"), dischargeHopperU);
    }
    if (std::isfinite(r.C_pf) || std::isfinite(r.C_pe))
        line(u("C_pf, C_pe"), num(r.C_pf, 3) + ", " + num(r.C_pe, 3), true);

    heading(tx::valuesHeading);
    auto set = [&](const texts::TextPair& name, const EnValueSet& s, bool withZo, bool withPhi,
                   bool unverified) {
        QString v = u("K = ") + num(s.K, 4) + u(", μ = ") + num(s.mu, 4);
        if (withZo) v += u(", z_o = ") + withUnit(s.z_o, 3, "m");
        if (withPhi) v += u(", φ_i = ") + withUnit(s.phi * kDeg, 2, "°");
        line(T(name, language), v, unverified);
    };
    set(tx::setWallNormal, r.setH, true, false, false);
    set(tx::setWallFriction, r.setW, true, false, false);
    set(tx::setVertical, r.setV, true, false, false);
    if (r.bottom != EnBottom::Flat) {
        const bool hopperU = has(r, EnNote::HopperLoadSets);
        set(tx::setHopperFilling, r.setHopperF, false, false, hopperU);
        set(tx::setHopperDischarge, r.setHopperE, false, r.bottom == EnBottom::Steep,
            hopperU || has(r, EnNote::InternalFriction));
    }

    heading(tx::unverifiedHeading);
    if (r.unverified.empty())
        out.push_back({T(tx::noUnverified, language), {}, false, false});
    for (EnNote n : r.unverified) out.push_back({tx::noteText(n, language), {}, false, true});
    out.push_back({T(tx::assumption, language), {}, false, false});
    return out;
}

QStringList enSummaryText(const std::vector<EnSummaryLine>& lines, int language) {
    QStringList out;
    const QString note = T(tx::notVerified, language);
    for (const EnSummaryLine& l : lines) {
        QString s = l.label;
        if (!l.value.isEmpty()) s += QStringLiteral(": ") + l.value;
        if (l.unverified) s += QStringLiteral("  (") + note + QStringLiteral(")");
        out << s;
    }
    return out;
}

// ---------------------------------------------------------------------------
// Load table

std::vector<EnTableRow> enTableRows(const SiloModel& model, const EnResult& r, int language) {
    std::vector<EnTableRow> rows;
    if (!r.inScope) return rows;
    // The heights of the printed result table: its page strides and labels
    // (the selection's running height is scratch, as for the printed table).
    SiloModel& m = const_cast<SiloModel&>(model);
    const std::vector<SelectedRow> selected = selectRows(m, pageStrides(m), m.Fuellhoehe - m.Hkegel);

    auto label = [&](RowLabel l) { return rowLabel(l, language); };
    const bool hopper = r.bottom != EnBottom::Flat;
    // Heights within a millimetre of the transition are the transition.
    auto atTransition = [&](double z) { return hopper && std::abs(z - r.zTransition) < 1e-6; };
    auto add = [&](const QString& l, double z) {
        if (atTransition(z)) {
            // Both sides exactly at the transition height (the table's z may
            // differ from it in the last digits).
            const double zt = r.zTransition;
            rows.push_back({l.trimmed().isEmpty() ? T(tx::transitionWall, language) : l, zt,
                            en1991_4LoadsAt(r, zt, EnPart::Wall)});
            rows.push_back({T(tx::transitionHopper, language), zt,
                            en1991_4LoadsAt(r, zt, EnPart::Hopper)});
            return;
        }
        const EnPart part = hopper && z < r.zTransition ? EnPart::Hopper : EnPart::Wall;
        rows.push_back({l, z, en1991_4LoadsAt(r, z, part)});
    };
    if (m.Schuettkegel) add(label(RowLabel::FillTop), m.Fuellhoehe);
    bool transitionSeen = false;
    for (const SelectedRow& s : selected) {
        // The transition is listed even where the page strides step over it.
        if (!transitionSeen && hopper && s.z < r.zTransition - 1e-6) add(QString(), r.zTransition);
        if (atTransition(s.z) || s.z < r.zTransition) transitionSeen = true;
        add(label(s.label), s.z);
    }
    if (!transitionSeen && hopper) add(QString(), r.zTransition);
    add(label(RowLabel::Outlet), 0.0);
    return rows;
}

double enColumnValue(const EnLoadRow& row, EnColumn c) {
    switch (c) {
        case EnColumn::p_hf: return row.p_hf;
        case EnColumn::p_wf: return row.p_wf;
        case EnColumn::p_vf: return row.p_vf;
        case EnColumn::p_he: return row.p_he;
        case EnColumn::p_we: return row.p_we;
        case EnColumn::p_nf: return row.p_nf;
        case EnColumn::p_tf: return row.p_tf;
        case EnColumn::p_ne: return row.p_ne;
        case EnColumn::p_te: return row.p_te;
    }
    return kEnEmpty;
}

bool enColumnUnverified(const EnResult& r, EnColumn c) {
    const bool hopperSets = has(r, EnNote::HopperLoadSets) || has(r, EnNote::WedgeHopper) ||
                            has(r, EnNote::BottomFactor);
    switch (c) {
        case EnColumn::p_hf:
        case EnColumn::p_wf:
        case EnColumn::p_vf: return false;
        case EnColumn::p_he:
        case EnColumn::p_we: return has(r, EnNote::DischargeFactors);
        case EnColumn::p_nf:
        case EnColumn::p_tf: return hopperSets;
        case EnColumn::p_ne:
        case EnColumn::p_te:
            return hopperSets || has(r, EnNote::SteepDischarge) ||
                   has(r, EnNote::ShallowDischarge) || has(r, EnNote::InternalFriction);
    }
    return false;
}

QStringList enTableHeads(const EnResult& r, EnUnit unit) {
    static const char* const names[kEnColumnCount] = {"p_hf", "p_wf", "p_vf", "p_he", "p_we",
                                                      "p_nf", "p_tf", "p_ne", "p_te"};
    const QString u = unit == EnUnit::KiloPascal ? QStringLiteral(" [kPa]") : QStringLiteral(" [Pa]");
    QStringList heads{QStringLiteral("Position"), QStringLiteral("z [m]")};
    for (int c = 0; c < kEnColumnCount; ++c)
        heads << QString::fromLatin1(names[c]) + u +
                     (enColumnUnverified(r, EnColumn(c)) ? QStringLiteral("*") : QString());
    return heads;
}

QString enLoadText(double pascal, EnUnit unit, QChar decimalPoint) {
    if (!std::isfinite(pascal)) return QString();
    const bool kPa = unit == EnUnit::KiloPascal;
    double v = kPa ? pascal / 1000.0 : pascal;
    const int decimals = kPa ? 2 : 0;
    if (std::round(v * std::pow(10.0, decimals)) == 0) v = 0;  // no "-0"
    return formatResult(v, decimals, decimalPoint);
}

QString enTableClipboardText(const EnResult& r, const std::vector<EnTableRow>& rows,
                             EnUnit unit) {
    const QChar point = localPoint();
    QString text = enTableHeads(r, unit).join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (const EnTableRow& row : rows) {
        QStringList cells{row.label.trimmed(), formatResult(row.z, 3, point)};
        for (int c = 0; c < kEnColumnCount; ++c)
            cells << enLoadText(enColumnValue(row.loads, EnColumn(c)), unit, point);
        text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}

// ---------------------------------------------------------------------------
// Diagram curves

double EnOverlay::stressMax() const {
    double mx = 0;
    for (const EnCurve& c : curves)
        for (const auto& [s, z] : c.points)
            if (std::isfinite(s)) mx = std::max(mx, s);
    return mx;
}

EnOverlay enOverlay(const EnResult& r, bool filling, bool discharge) {
    EnOverlay o;
    o.inScope = r.inScope;
    o.filling = filling;
    o.discharge = discharge;
    o.hopper = r.bottom != EnBottom::Flat;
    o.loads = r;
    if (!r.inScope) return o;
    auto curve = [&](bool wallNormal, bool isDischarge, auto value) {
        EnCurve c;
        c.wallNormal = wallNormal;
        c.discharge = isDischarge;
        for (const EnLoadRow& row : r.rows) {
            const double v = value(row);
            if (std::isfinite(v)) c.points.emplace_back(v, row.z);
        }
        if (!c.points.empty()) o.curves.push_back(std::move(c));
    };
    if (filling) {
        curve(true, false, [](const EnLoadRow& row) {
            return row.part == EnPart::Wall ? row.p_hf : row.p_nf;
        });
        curve(false, false, [](const EnLoadRow& row) {
            return row.part == EnPart::Wall ? row.p_vf : row.p_v;
        });
    }
    if (discharge)
        curve(true, true, [](const EnLoadRow& row) {
            return row.part == EnPart::Wall ? row.p_he : row.p_ne;
        });
    return o;
}

}  // namespace korvane::ui
