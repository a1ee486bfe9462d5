#include "files/vary_checks.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "calc/engine.h"
#include "calc/form_logic.h"

namespace korvane {

int problemCodeOfField(const std::string& name) {
    if (name == "RHOMIN" || name == "RHOMAX" || name == "SIGMA0") return kProblemDensity;
    if (name == "PHIE" || name.rfind("Phix", 0) == 0) return kProblemFriction;
    if (name == "Kwert") return kProblemK;
    if (name == "boeschwinkel") return kProblemRepose;
    return kProblemGeometry;
}

namespace {

std::string metres(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.4g m", v);
    return buf;
}

// Why `name` has no effect on the silo, or "" when it has one.
struct SiloUse {
    bool hopper, shaft, below, belowHeight, heap, circular;
    int densityLaw;  // 0 constant, 1 function of stress, 2 fitted
    int Kwahl;       // 0 from PHIE, 1 the value 0.4, else a value of its own
    // Set when the contents' reach into the sections is known (no field
    // that moves the surface or the sections is varied).
    bool reachKnown = false, shaftReached = true, hopperReached = true;
    double surface = 0;
};

std::string whyNoEffect(const std::string& name, const SiloUse& u) {
    const std::string noHopper = "this silo has no hopper";
    const std::string fitted =
        "this silo's density is fitted to measured pairs; choose the constant density or the "
        "density function in the file first";
    if (name == "RHOMIN") {
        if (u.densityLaw == 2) return fitted;
    } else if (name == "RHOMAX" || name == "SIGMA0") {
        if (u.densityLaw == 2) return fitted;
        if (u.densityLaw == 0)
            return "this silo has the constant density RHOMIN; choose the density function "
                   "in the file first";
    } else if (name == "Kwert") {
        if (u.Kwahl == 0)
            return "this silo takes K = 1.2·(1 − sin PHIE); choose K as a value in the file first";
        if (u.Kwahl == 1) return "this silo takes K = 0.4; choose K as a value in the file first";
    } else if (name == "PHIE") {
        if (!u.hopper && u.Kwahl != 0)
            return "this silo has no hopper and does not take K from PHIE";
    } else if (name == "Laenge") {
        if (u.circular) return "this silo is circular; only a rectangular one has a length";
    } else if (name == "PhixStirnwand") {
        if (u.circular)
            return "only the wedge hopper of a rectangular silo has end walls; this silo is "
                   "circular";
        if (!u.hopper) return noHopper;
        if (u.reachKnown && !u.hopperReached)
            return "the contents (surface at " + metres(u.surface) + ") do not reach the hopper";
    } else if (name == "Trichterwinkel") {
        if (!u.hopper) return noHopper;
    } else if (name == "Phixtrichter") {
        if (!u.hopper) return noHopper;
        if (u.reachKnown && !u.hopperReached)
            return "the contents (surface at " + metres(u.surface) + ") do not reach the hopper";
    } else if (name == "Auslauf") {
        if (!u.hopper && !u.below) return noHopper;
    } else if (name == "Hschaft") {
        if (!u.shaft) return "this silo has no shaft";
    } else if (name == "Phixschaft") {
        if (!u.shaft) return "this silo has no shaft";
        if (u.reachKnown && !u.shaftReached)
            return "the contents (surface at " + metres(u.surface) + ") do not reach the shaft";
    } else if (name == "Hunttricht") {
        if (!u.below) return "this silo has no vertical part below the hopper";
    } else if (name == "Phixunten") {
        if (!u.below) return "this silo has no vertical part below the hopper";
        if (!u.belowHeight) return "the part below the hopper has no height (Hunttricht 0)";
    } else if (name == "boeschwinkel") {
        if (!u.heap) return "this silo's surface carries no heap";
    } else if (name == "Auflastspannung") {
        if (u.heap) return "a surcharge acts on a flat surface only; this silo's surface carries a heap";
    }
    return {};
}

}  // namespace

bool variedFieldsTakeEffect(const SiloModel& base, const std::vector<std::string>& names,
                            const std::string& option, std::string& error) {
    auto varied = [&names](const char* n) {
        return std::find(names.begin(), names.end(), n) != names.end();
    };
    // The sections as the parameter form shows the loaded file: its boxes
    // keep a hopper or a shaft, and the part below only with a height.
    auto shown = std::make_unique<SiloModel>();
    copyAllButResults(*shown, base);
    FormInput in;
    showModelInForm(*shown, in);
    SiloUse u{};
    u.hopper = in.Trichterja;
    u.shaft = in.Schaftja;
    u.below = in.vertunten;
    u.belowHeight = base.Hunttricht > 0 || varied("Hunttricht");
    u.heap = in.heap;
    u.circular = base.Querschnitt == 1;
    u.densityLaw = base.Dichtemodus();
    u.Kwahl = base.Kwahl;

    // How far the contents reach, when no varied field moves the surface
    // or the sections.
    static const char* const kShape[] = {"Durchmesser", "Laenge", "Trichterwinkel", "Auslauf",
                                         "Hschaft", "Hunttricht", "boeschwinkel", "Fuellhoehe"};
    if (std::none_of(std::begin(kShape), std::end(kShape), varied)) {
        auto derived = std::make_unique<SiloModel>();
        copyAllButResults(*derived, base);
        if (deriveLoadedModel(*derived) == kProblemNone) {
            u.reachKnown = true;
            u.shaftReached = shaftFilled(*derived);
            u.hopperReached = hopperFilled(*derived);
            u.surface = derived->Hoberflaeche;
        }
    }

    for (const std::string& name : names) {
        const std::string why = whyNoEffect(name, u);
        if (!why.empty()) {
            error = option + ": " + name + " has no effect: " + why;
            return false;
        }
    }
    return true;
}

}  // namespace korvane
