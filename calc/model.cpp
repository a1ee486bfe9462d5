#include "calc/model.h"

namespace korvane {

void copyAllButResults(SiloModel& to, const SiloModel& from) {
    static_cast<SiloInputs&>(to) = from;
    static_cast<SiloDerived&>(to) = from;
    to.Fuellmenge = from.Fuellmenge;
    to.Messbereichueberschritten = from.Messbereichueberschritten;
}

const SiloModel& freshModel() {
    static const SiloModel* fresh = new SiloModel();
    return *fresh;
}

}  // namespace korvane
