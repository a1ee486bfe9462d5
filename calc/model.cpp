#include "calc/model.h"

namespace korvane {

SiloModel& globalModel() {
    static SiloModel model;
    return model;
}

DensityWorkingCopy& globalWorkingCopy() {
    static DensityWorkingCopy copy;
    return copy;
}

}  // namespace korvane
