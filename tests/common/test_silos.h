// The silos the tests start from, built in one place: the default silo, a
// parameter file read as the program reads it, and a model calculated again
// after a change.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "calc/engine.h"
#include "calc/model.h"
#include "files/parameter_file.h"

namespace korvane::test {

// An example parameter file shipped with the program.
inline std::string exampleFile(const std::string& name) {
    return KORVANE_TEST_DATA "/../../examples/Par/" + name;
}

// The default silo (the rectangular bunker with its hopper) as
// resetToDefaults() gives it: not prepared, not calculated.
inline std::unique_ptr<SiloModel> defaultSilo() {
    auto m = std::make_unique<SiloModel>();
    resetToDefaults(*m);
    return m;
}

// The model as the program has it after its first activation with the
// parameter file at `path` read over it, not yet confirmed by the form.
inline std::unique_ptr<SiloModel> startedFrom(const std::string& path) {
    auto m = std::make_unique<SiloModel>();
    startAsTheProgramDoes(*m);
    FileError err;
    EXPECT_TRUE(readParameterFile(*m, path, err)) << path << ": " << err.reason;
    return m;
}

// Calculates a changed model afresh, as every activation does.
inline void calculateAgain(SiloModel& m) {
    clearResults(m);
    prepare(m, false);
    calculate(m);
}

}  // namespace korvane::test
