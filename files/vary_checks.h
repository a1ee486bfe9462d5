// What a study may vary: a field the silo of the parameter file does not use
// (the length of a circular silo, the hopper angle without a hopper, K when
// the file takes K from PHIE, ...) gives the same row for every value, so a
// study of it is refused before it starts, naming why.
#pragma once

#include <string>
#include <vector>

#include "calc/model.h"

namespace korvane {

// The problem code the form gives a value of this field that is no finite
// number: 6 for the density fields, 10 for the friction angles, 13 for K,
// 20 for the angle of repose, 9 for the geometry.
int problemCodeOfField(const std::string& name);

// True when every field of `names` takes effect on `base` (a model as the
// reader left it after loading), allowing for the other fields varied with
// it. Otherwise false with "<option>: NAME has no effect: <why>" in `error`.
bool variedFieldsTakeEffect(const SiloModel& base, const std::vector<std::string>& names,
                            const std::string& option, std::string& error);

}  // namespace korvane
