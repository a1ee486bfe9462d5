// The calculation of a document away from the window thread: the window
// prepares its model, hands a copy to the thread pool, goes on answering
// the user, and takes the results over when they come back. Plain C++; the
// copy is the task's own, so nothing is shared while it runs.
#pragma once

#include <memory>

#include "calc/model.h"

namespace korvane::ui {

struct DocumentCalculation {
    // The prepared model with the stress state chosen in the form, calculated.
    std::unique_ptr<SiloModel> chosen;
    // The same silo in the other stress state, when it was asked for.
    std::unique_ptr<SiloModel> other;
};

// Calculates a copy of `prepared` (a model after prepare()) and, with
// `otherStateToo`, the other stress state of it. Gives exactly what
// calculate() gives on the model itself.
DocumentCalculation calculateCopy(const SiloModel& prepared, bool otherStateToo);

// The other stress state of a calculated model, on a copy: the model keeps
// the state chosen in the form.
std::unique_ptr<SiloModel> otherStateOf(const SiloModel& calculated);

// Takes over what calculate() wrote on the copy (the result arrays, the
// contents, the range warning, the summary and the slice counts) into the
// document's model; its inputs and derived values stay as they are.
void takeOverResults(SiloModel& to, const SiloModel& calculated);

}  // namespace korvane::ui
