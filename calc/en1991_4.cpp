// EN 1991-4:2006 characteristic loads: symmetrical filling and discharge
// loads on the vertical walls (Janssen for slender silos, the modified
// Reimbert form of 5.3 for intermediate and squat silos) and on the hopper
// (the slice equation of 6.3 with the steep / shallow hopper rules).
#include "calc/en1991_4.h"

#include <algorithm>
#include <cmath>

#include "calc/engine.h"

namespace korvane {

// ---------------------------------------------------------------------------
// Inputs
// ---------------------------------------------------------------------------

EnInputs enInputsOf(const SiloModel& m) {
    EnInputs in;
    in.aK = m.ENaK;
    in.amu = m.ENamu;
    in.aphi = m.ENaphi;
    in.dynamicSolid = m.ENdynamisch;
    in.phirGiven = m.ENphirja;
    in.phir = m.ENphir;
    in.patchLoads = m.ENpatch;
    in.Cop = m.ENCop;
    return in;
}

void setEnInputs(SiloModel& m, const EnInputs& in) {
    m.ENaK = in.aK;
    m.ENamu = in.amu;
    m.ENaphi = in.aphi;
    m.ENdynamisch = in.dynamicSolid;
    m.ENphirja = in.phirGiven;
    m.ENphir = in.phir;
    m.ENpatch = in.patchLoads;
    m.ENCop = in.Cop;
}

void resetEnInputs(SiloModel& m) { setEnInputs(m, EnInputs{}); }

EnInputProblem checkEnInputs(const EnInputs& in) {
    for (double a : {in.aK, in.amu, in.aphi})
        if (!std::isfinite(a) || a < 1.0) return EnInputProblem::ConversionFactor;
    if (in.phirGiven && !(in.phir > 0 && in.phir < kPi / 2)) return EnInputProblem::ReposeAngle;
    if (!std::isfinite(in.Cop) || in.Cop < 0) return EnInputProblem::PatchFactor;
    return EnInputProblem::None;
}

const char* enInputProblemText(EnInputProblem p) {
    switch (p) {
        case EnInputProblem::None: return "";
        case EnInputProblem::ConversionFactor:
            return "The conversion factors a_K, a_mu and a_phi must be at least 1.";
        case EnInputProblem::ReposeAngle:
            return "The angle of repose phi_r must lie between 0 and 90 degrees.";
        case EnInputProblem::PatchFactor:
            return "The patch load factor C_op must not be negative.";
    }
    return "";
}

// ---------------------------------------------------------------------------
// Keys and texts
// ---------------------------------------------------------------------------

const char* enSlendernessKey(EnSlenderness s) {
    switch (s) {
        case EnSlenderness::Slender: return "slender";
        case EnSlenderness::Intermediate: return "intermediate";
        case EnSlenderness::Squat: return "squat";
        case EnSlenderness::Retaining: return "retaining";
        case EnSlenderness::Undefined: return "";
    }
    return "";
}

const char* enBottomKey(EnBottom b) {
    switch (b) {
        case EnBottom::Flat: return "flat";
        case EnBottom::Steep: return "steep";
        case EnBottom::Shallow: return "shallow";
    }
    return "";
}

const char* enScopeText(EnScope s) {
    switch (s) {
        case EnScope::SlendernessLimit:
            return "The silo is too slender: h_b/d_c must be below 10 (EN 1991-4, 1.1.2(3)).";
        case EnScope::HeightLimit:
            return "The silo is too high: h_b must be below 100 m (EN 1991-4, 1.1.2(3)).";
        case EnScope::DiameterLimit:
            return "The silo is too wide: d_c must be below 60 m (EN 1991-4, 1.1.2(3)).";
        case EnScope::SectionBelowHopper:
            return "A vertical section below the hopper (two transitions) is not covered by EN 1991-4.";
        case EnScope::NoShaft:
            return "The silo has no vertical walls; EN 1991-4 needs a vertical section.";
        case EnScope::SurfaceBelowTransition:
            return "The surface of the solid lies below the transition; EN 1991-4 needs the solid to reach the vertical walls.";
        case EnScope::SurchargeWithoutHeap:
            return "A surcharge on the surface is not covered by EN 1991-4.";
        case EnScope::RetainingSilo:
            return "A retaining silo (h_c/d_c <= 0.4 with a flat bottom) is not covered here.";
        case EnScope::HopperTooFlat:
            return "A hopper inclined more than 85 degrees from the vertical is not covered here.";
        case EnScope::NoWallFriction:
            return "A wall friction angle of 0 gives no Janssen reference depth z_o.";
        case EnScope::LoadsNotFinite:
            return "The EN 1991-4 formulas give no finite loads for this silo.";
    }
    return "";
}

const char* enAssumptionText() {
    return "EN 1991-4 loads are given for free-flowing solids with concentric filling and "
           "discharge only; cohesive solids and eccentric filling or discharge are outside "
           "what is computed here.";
}

const char* enNoteText(EnNote n) {
    switch (n) {
        case EnNote::InternalFriction:
            return "The angle of internal friction phi_im is taken as PHIE.";
        case EnNote::HopperLoadSets:
            return "Characteristic values of the hopper loads (Table 3.1).";
        case EnNote::GammaFittedLaw:
            return "gamma from the largest measured density of the fitted law.";
        case EnNote::ActionClass:
            return "Action assessment class from the filled mass (Table 2.1).";
        case EnNote::DischargeFactors:
            return "Discharge factors C_h and C_w of an intermediate or squat silo.";
        case EnNote::BottomFactor:
            return "Bottom load magnifier C_b other than 1.0 (dynamic solid or AAC 1).";
        case EnNote::WedgeHopper:
            return "Wedge hopper with S = 1.";
        case EnNote::SteepDischarge:
            return "Discharge loads of a steep hopper (F_e, phi_wh, starting value p_vft).";
        case EnNote::ShallowDischarge:
            return "Discharge loads of a shallow hopper taken as the filling loads.";
        case EnNote::HopperFrictionCapped:
            return "The hopper wall friction angle exceeds phi_i and is capped at phi_i.";
        case EnNote::FlatBottomUniform:
            return "Flat bottom of an intermediate or squat silo: uniform p_vft, the non-uniform "
                   "bottom load of 6.2.2 is not applied.";
        case EnNote::PatchLoads:
            return "Patch loads C_pf and C_pe.";
    }
    return "";
}

// ---------------------------------------------------------------------------
// Loads
// ---------------------------------------------------------------------------

namespace {

bool isIntermediateOrSquat(const EnResult& r) {
    return r.slenderness == EnSlenderness::Intermediate || r.slenderness == EnSlenderness::Squat;
}

// Exponent n of the intermediate / squat wall load (5.80) for the reference
// depth z_o of one value set.
double reimbertExponent(double phi_r, double h_o, double z_o) {
    return -(1.0 + std::tan(phi_r)) * (1.0 - h_o / z_o);
}

// z_V of (5.81): the depth whose Janssen-free weight equals the mean vertical
// stress, z_V = h_o - (c - w^(n+1)/c^n)/(n+1), c = z_o - h_o, w = z - h_o + c.
// Written as h_o - c (1 - (w/c)^(n+1))/(n+1), which has the limit
// h_o + c ln(w/c) at n = -1.
double reimbertDepthV(double zd, double h_o, double z_o, double n) {
    if (zd <= h_o) return zd;  // within the heap: the full weight
    const double c = z_o - h_o;
    const double lw = std::log((zd - h_o + c) / c);
    const double e = n + 1.0;
    if (std::fabs(e) < 1e-12) return h_o + c * lw;
    return h_o + c * std::expm1(e * lw) / e;
}

// Filling wall loads at the depth zd below the equivalent surface.
struct WallLoads {
    double p_h = 0, p_w = 0, p_v = 0, n_zSk = 0;
};

WallLoads wallLoadsAt(const EnResult& r, double zd) {
    WallLoads w;
    const double g = r.gamma;
    if (r.slenderness == EnSlenderness::Slender) {
        auto yj = [&](const EnValueSet& s) { return -std::expm1(-zd / s.z_o); };
        w.p_h = g * r.setH.K * r.setH.z_o * yj(r.setH);
        const double p_ow = g * r.setW.K * r.setW.z_o;
        const double yw = yj(r.setW);
        w.p_w = r.setW.mu * p_ow * yw;
        w.n_zSk = r.setW.mu * p_ow * (zd - r.setW.z_o * yw);
        w.p_v = g * r.setV.z_o * yj(r.setV);
    } else {
        const double h_o = r.h_o;
        auto yr = [&](const EnValueSet& s, double n) {
            if (zd <= h_o) return 0.0;
            return 1.0 - std::pow((zd - h_o) / (s.z_o - h_o) + 1.0, n);
        };
        w.p_h = g * r.setH.K * r.setH.z_o * yr(r.setH, r.nH);
        const double p_ow = g * r.setW.K * r.setW.z_o;
        w.p_w = r.setW.mu * p_ow * yr(r.setW, r.nW);
        w.n_zSk = r.setW.mu * p_ow * (zd - reimbertDepthV(zd, h_o, r.setW.z_o, r.nW));
        w.p_v = g * reimbertDepthV(zd, h_o, r.setV.z_o, r.nV);
    }
    return w;
}

// Mean vertical stress at the transition with the value set s (its K and mu
// and, for an intermediate / squat silo, its exponent n).
double verticalAtTransition(const EnResult& r, const EnValueSet& s, double n) {
    if (r.slenderness == EnSlenderness::Slender)
        return r.gamma * s.z_o * -std::expm1(-r.h_c / s.z_o);
    return r.gamma * reimbertDepthV(r.h_c, r.h_o, s.z_o, n);
}

// Mean vertical stress in the hopper (6.6): x above the apex, h_h the apex's
// distance from the transition, p0 the stress at the transition.
double hopperVertical(double gamma, double h_h, double n, double p0, double x) {
    const double t = x / h_h;
    const double tn = std::pow(t, n);
    const double e = n - 1.0;
    // (t - t^n)/(n - 1) has the limit -t ln t at n = 1.
    const double f = std::fabs(e) < 1e-12 ? -t * std::log(t) : (t - tn) / e;
    return gamma * h_h * f + p0 * tn;
}

void addNote(EnResult& r, EnNote n) {
    if (std::find(r.unverified.begin(), r.unverified.end(), n) == r.unverified.end())
        r.unverified.push_back(n);
}

// Clears every number of a result that lies outside the scope.
EnResult withoutNumbers(const EnResult& full) {
    EnResult r;
    r.inScope = false;
    r.scope = full.scope;
    r.inputs = full.inputs;
    r.slenderness = full.slenderness;
    r.bottom = full.bottom;
    r.AAC = full.AAC;
    return r;
}

double upperDensity(const SiloModel& m, bool& fitted) {
    fitted = false;
    switch (m.Dichtemodus()) {
        case 0: return m.RHOMIN;
        case 1: return m.RHOMAX;
        default: break;
    }
    // The fitted law: the largest measured density, as the upper value.
    fitted = true;
    double rho = 0;
    for (int i = 1; i <= m.Messanzahl && i <= kMaxPairs; ++i) rho = std::max(rho, m.Messrho[i]);
    return rho;
}

}  // namespace

EnLoadRow en1991_4LoadsAt(const EnResult& r, double z, EnPart part) {
    EnLoadRow row;
    row.z = z;
    row.part = part;
    if (!r.inScope) return row;
    const bool hopper = r.bottom != EnBottom::Flat;
    const bool inHopper = hopper && (z < r.zTransition || (z == r.zTransition && part == EnPart::Hopper));
    if (!inHopper) {
        row.part = EnPart::Wall;
        if (z > r.zTopContact || z < r.zTransition) return row;
        const double zd = r.zSurface - z;
        const WallLoads w = wallLoadsAt(r, zd);
        row.p_hf = w.p_h;
        row.p_wf = w.p_w;
        row.p_vf = w.p_v;
        row.n_zSk = w.n_zSk;
        row.p_he = r.C_h * w.p_h;
        row.p_we = r.C_w * w.p_w;
        if (r.inputs.patchLoads) {
            row.p_pf = r.C_pf * row.p_hf;
            row.p_pe = r.C_pe * row.p_he;
        }
        return row;
    }
    row.part = EnPart::Hopper;
    if (z < 0) return row;
    const double x = z + r.x_e;
    const double muh = r.setHopperF.mu;
    row.p_v = hopperVertical(r.gamma, r.h_h, r.n_f, r.p_vft, x);
    row.p_nf = r.F_f * row.p_v;
    row.p_tf = (r.bottom == EnBottom::Shallow ? r.mu_heff : muh) * row.p_nf;
    if (r.bottom == EnBottom::Steep) {
        row.p_ve = hopperVertical(r.gamma, r.h_h, r.n_e, r.p_vfte, x);
        row.p_ne = r.F_e * row.p_ve;
        row.p_te = r.setHopperE.mu * row.p_ne;
    } else {
        row.p_ve = row.p_v;
        row.p_ne = row.p_nf;
        row.p_te = row.p_tf;
    }
    return row;
}

EnResult en1991_4Loads(const SiloModel& m, const EnInputs& in, int steps) {
    EnResult r;
    r.inputs = in;
    r.inputProblem = checkEnInputs(in);
    if (r.inputProblem != EnInputProblem::None) return r;

    // ---- geometry ---------------------------------------------------------
    const bool circle = m.Querschnitt == 1;
    const bool hopper = m.Trichterja && m.Hspitzeoben - m.Hspitzeauslauf > 0;
    const double beta = hopper ? m.Trichterwinkel : 0.0;
    r.A = m.Flaeche;
    r.U = m.Umfang;
    r.d_c = circle ? m.Durchmesser : std::min(m.Durchmesser, m.Laenge);
    const double hHopper = hopper ? m.Hspitzeoben - m.Hspitzeauslauf : 0.0;
    r.zTransition = (m.vertunten ? m.Hunttricht : 0.0) + hHopper;
    // Equivalent surface: the heap's base plus the heap volume spread over
    // the cross-section (a cone over a circle: d_c tan(phi_r) / 6).
    if (m.Schuettkegel) {
        r.h_o = r.A > 0 ? m.Vkegel / r.A : 0.0;
        r.phi_r = m.boeschwinkel;
    } else {
        r.h_o = 0;
        r.phi_r = in.phirGiven ? in.phir : m.PHIE;
    }
    r.zTopContact = m.Hoberflaeche;
    r.zSurface = m.Hoberflaeche + r.h_o;
    r.h_c = r.zSurface - r.zTransition;
    r.h_b = r.zSurface;
    r.ratio = r.d_c > 0 ? r.h_c / r.d_c : kEnEmpty;

    // ---- characteristic values (Table 3.1; X_u = a X_m, X_l = X_m / a) -----
    const double Km = m.Kwert, mum = std::tan(m.Phixschaft), muhm = std::tan(m.Phixtrichter);
    const double phim = m.PHIE;
    const double Ku = in.aK * Km, Kl = Km / in.aK;
    const double muu = in.amu * mum, mul = mum / in.amu;
    const double muhl = muhm / in.amu;
    const double phiu = in.aphi * phim;
    auto zo = [&](double K, double mu) { return r.A / (K * mu * r.U); };
    r.setH = {Ku, mul, phim, zo(Ku, mul)};
    r.setW = {Ku, muu, phim, zo(Ku, muu)};
    r.setV = {Kl, mul, phim, zo(Kl, mul)};
    r.setHopperF = {Kl, muhl, phim, 0};
    r.setHopperE = {Ku, muhl, phiu, 0};
    r.z_o = r.setH.z_o;

    bool fitted = false;
    r.gamma = kGravity * upperDensity(m, fitted);
    r.mass = m.Fuellvolumen * r.gamma / kGravity;

    // ---- classification -----------------------------------------------------
    if (!hopper || beta > degToRad(85.0)) {
        r.bottom = EnBottom::Flat;
    } else {
        // 6.1.1(2): steep when tan(beta) < (1 - K)/(2 mu_h), with K_l, mu_h,l.
        r.bottom = std::tan(beta) < (1.0 - Kl) / (2.0 * muhl) ? EnBottom::Steep : EnBottom::Shallow;
    }
    if (std::isfinite(r.ratio) && r.h_c > 0) {
        if (r.ratio >= 2.0) r.slenderness = EnSlenderness::Slender;
        else if (r.ratio > 1.0) r.slenderness = EnSlenderness::Intermediate;
        else if (r.ratio > 0.4 || r.bottom != EnBottom::Flat) r.slenderness = EnSlenderness::Squat;
        else r.slenderness = EnSlenderness::Retaining;
    }
    // Korvane's silos are concentric: the class follows from the mass alone.
    const double tonnes = r.mass / 1000.0;
    r.AAC = tonnes > 10000.0 ? 3 : (tonnes < 100.0 ? 1 : 2);

    // ---- scope ------------------------------------------------------------------
    auto out = [&](EnScope s) { r.scope.push_back(s); };
    if (std::isfinite(r.d_c) && r.d_c > 0 && r.h_b / r.d_c >= 10.0) out(EnScope::SlendernessLimit);
    if (r.h_b >= 100.0) out(EnScope::HeightLimit);
    if (r.d_c >= 60.0) out(EnScope::DiameterLimit);
    if (m.vertunten && m.Hunttricht > 0) out(EnScope::SectionBelowHopper);
    if (!m.Schaftja || m.Hschaft <= 0) out(EnScope::NoShaft);
    if (m.Hoberflaeche < r.zTransition) out(EnScope::SurfaceBelowTransition);
    if (!m.Schuettkegel && m.Auflastspannung != 0) out(EnScope::SurchargeWithoutHeap);
    if (r.slenderness == EnSlenderness::Retaining) out(EnScope::RetainingSilo);
    if (m.Trichterja && m.Trichterwinkel > degToRad(85.0)) out(EnScope::HopperTooFlat);
    if (!(mum > 0)) out(EnScope::NoWallFriction);
    if (!r.scope.empty() || r.slenderness == EnSlenderness::Undefined) {
        if (r.scope.empty()) r.scope.push_back(EnScope::LoadsNotFinite);
        return withoutNumbers(r);
    }
    r.inScope = true;

    addNote(r, EnNote::ActionClass);
    if (fitted) addNote(r, EnNote::GammaFittedLaw);

    // ---- wall loads -------------------------------------------------------------
    if (isIntermediateOrSquat(r)) {
        r.nH = reimbertExponent(r.phi_r, r.h_o, r.setH.z_o);
        r.nW = reimbertExponent(r.phi_r, r.h_o, r.setW.z_o);
        r.nV = reimbertExponent(r.phi_r, r.h_o, r.setV.z_o);
        // The form holds only while the heap stays above the reference depth.
        for (double z_o : {r.setH.z_o, r.setW.z_o, r.setV.z_o})
            if (!(z_o > r.h_o)) r.scope.push_back(EnScope::LoadsNotFinite);
    }

    // Discharge factors (5.4 / 5.3).
    switch (r.slenderness) {
        case EnSlenderness::Slender:
            r.C_h = 1.15;
            r.C_w = 1.10;
            break;
        case EnSlenderness::Intermediate:
            r.C_S = r.ratio - 1.0;
            r.C_h = 1.0 + 0.15 * r.C_S;
            r.C_w = 1.0 + 0.1 * r.C_S;
            addNote(r, EnNote::DischargeFactors);
            break;
        default:
            r.C_h = 1.0;
            r.C_w = 1.0;
            addNote(r, EnNote::DischargeFactors);
            break;
    }

    // Bottom load magnifier (6.3).
    if (r.AAC == 1) r.C_b = in.dynamicSolid ? 1.6 : 1.3;
    else r.C_b = in.dynamicSolid ? 1.2 : 1.0;
    if (r.C_b != 1.0) addNote(r, EnNote::BottomFactor);

    r.p_vft = r.C_b * verticalAtTransition(r, r.setV, r.nV);
    r.p_vfte = r.C_b * verticalAtTransition(r, r.setH, r.nH);
    if (r.bottom == EnBottom::Flat && isIntermediateOrSquat(r)) addNote(r, EnNote::FlatBottomUniform);

    // Patch loads (5.9, 5.17) for concentric filling and discharge (E = 0).
    if (in.patchLoads) {
        const double grow = -std::expm1(-1.5 * (r.ratio - 1.0));
        r.C_pf = std::max(0.0, 0.21 * in.Cop * grow);
        r.C_pe = std::max(0.0, 0.42 * in.Cop * grow);
        addNote(r, EnNote::PatchLoads);
    }

    // ---- hopper -------------------------------------------------------------------
    if (r.bottom != EnBottom::Flat) {
        addNote(r, EnNote::HopperLoadSets);
        r.S = circle ? 2.0 : 1.0;
        if (!circle) addNote(r, EnNote::WedgeHopper);
        r.b = 0.2;
        r.beta = beta;
        r.h_h = m.Hspitzeoben;
        r.x_e = m.Hspitzeauslauf;
        const double tb = std::tan(beta);
        if (r.bottom == EnBottom::Steep) {
            // Filling (6.8, 6.10).
            r.F_f = 1.0 - r.b / (1.0 + tb / muhl);
            r.n_f = r.S * (r.F_f * muhl / tb + r.F_f) - 2.0;
            // Discharge (6.12 to 6.15) with phi_i,u; the wall friction angle
            // cannot exceed the angle of internal friction.
            const double phii = phiu;
            double phiwh = std::atan(muhl);
            if (phiwh > phii) {
                phiwh = phii;
                addNote(r, EnNote::HopperFrictionCapped);
            }
            r.phi_wh = phiwh;
            r.epsilon = phiwh + std::asin(std::min(1.0, std::sin(phiwh) / std::sin(phii)));
            r.F_e = (1.0 + std::sin(phii) * std::cos(r.epsilon)) /
                    (1.0 - std::sin(phii) * std::cos(2.0 * beta + r.epsilon));
            r.n_e = r.S * (r.F_e * muhl / tb + r.F_e) - 2.0;
            addNote(r, EnNote::InternalFriction);
            addNote(r, EnNote::SteepDischarge);
        } else {
            // Shallow hopper (6.26 to 6.29); discharge as filling.
            r.mu_heff = (1.0 - Kl) / (2.0 * tb);
            r.F_f = 1.0 - r.b / (1.0 + tb / r.mu_heff);
            r.n_f = r.S * (1.0 - r.b) * r.mu_heff / tb;
            r.F_e = r.F_f;
            r.n_e = r.n_f;
            addNote(r, EnNote::ShallowDischarge);
        }
    }

    // ---- rows -------------------------------------------------------------------------
    const int n = steps > 0 ? steps : std::max(m.Schrittzahl, 1000);
    const double zTop = r.zTopContact, zT = r.zTransition;
    const int wallSteps = zTop > zT ? n : 0;
    for (int i = 0; i <= wallSteps; ++i) {
        const double z = i == wallSteps ? zT : zTop - (zTop - zT) * i / wallSteps;
        r.rows.push_back(en1991_4LoadsAt(r, z, EnPart::Wall));
    }
    if (r.bottom != EnBottom::Flat) {
        for (int i = 0; i <= n; ++i) {
            const double z = i == n ? 0.0 : zT - zT * i / n;
            r.rows.push_back(en1991_4LoadsAt(r, z, EnPart::Hopper));
        }
    }

    // Every number shown must be finite; a silo whose formulas break down is
    // reported as outside what the standard covers.
    bool finite = std::isfinite(r.p_vft) && std::isfinite(r.p_vfte) && std::isfinite(r.gamma);
    for (const EnLoadRow& row : r.rows) {
        for (double v : {row.p_hf, row.p_wf, row.p_vf, row.p_he, row.p_we, row.p_nf, row.p_tf,
                         row.p_ne, row.p_te}) {
            if (!enEmpty(v) && !std::isfinite(v)) finite = false;
        }
        const bool wall = row.part == EnPart::Wall;
        if (enEmpty(wall ? row.p_hf : row.p_nf)) finite = false;
    }
    if (!finite && r.scope.empty()) r.scope.push_back(EnScope::LoadsNotFinite);
    if (!r.scope.empty()) return withoutNumbers(r);
    return r;
}

}  // namespace korvane
