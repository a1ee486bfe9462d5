#include "ui/document/documentcalculation.h"

#include <algorithm>

#include "calc/engine.h"

namespace korvane::ui {

DocumentCalculation calculateCopy(const SiloModel& prepared, bool otherStateToo) {
    DocumentCalculation run;
    run.chosen = std::make_unique<SiloModel>(prepared);
    calculate(*run.chosen);
    if (otherStateToo) run.other = otherStateOf(*run.chosen);
    return run;
}

std::unique_ptr<SiloModel> otherStateOf(const SiloModel& calculated) {
    auto o = std::make_unique<SiloModel>(calculated);
    o->setSpannungszustand(calculated.Spannungszustand() == 1 ? 0 : 1);
    clearResults(*o);
    prepare(*o, false);
    calculate(*o);
    return o;
}

void takeOverResults(SiloModel& to, const SiloModel& calculated) {
    for (auto field : {&SiloModel::SIGMAV, &SiloModel::SIGMAW, &SiloModel::RHOB, &SiloModel::Dz,
                       &SiloModel::Rtrichter})
        std::copy(std::begin(calculated.*field), std::end(calculated.*field), std::begin(to.*field));
    to.Fuellmenge = calculated.Fuellmenge;
    to.Messbereichueberschritten = calculated.Messbereichueberschritten;
    to.summary = calculated.summary;
    to.Schritteschaft = calculated.Schritteschaft;
    to.Schrittetrichter = calculated.Schrittetrichter;
    to.Schritteunten = calculated.Schritteunten;
    to.Gesamtschritte = calculated.Gesamtschritte;
}

}  // namespace korvane::ui
