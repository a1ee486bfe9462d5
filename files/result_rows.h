// The rows of the result: one per slice from the surface down to the outlet,
// as the result file lists them (the two slices at each junction of sections
// give no row of their own), then the outlet.
#pragma once

#include <vector>

#include "calc/model.h"

namespace korvane {

struct ResultRow {
    long double z = 0;       // height of the slice's upper face above the outlet, m
    long double RHOB = 0;    // mean density of the slice, kg/m3
    long double SIGMAV = 0;  // on the slice's upper face, Pa
    long double SIGMAW = 0;
};

std::vector<ResultRow> resultRows(const SiloModel& m);

}  // namespace korvane
