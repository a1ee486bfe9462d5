// A heap on a silo without a hopper: its base is the shaft, never the outlet
// width that the file still carries from an earlier hopper.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "files/batch.h"
#include "test_support.h"

using namespace korvane;

namespace {

// Rectangular shaft 6 m x 8 m, 6 m high, no hopper (the file still holds a
// hopper angle of 30 deg and an outlet of 1 m), constant density 1500 kg/m3,
// a heap of 30 deg, filled to 1.5 m.
const std::string kFile =
    std::string(KORVANE_TEST_DATA) + "/regression/heap_over_shaft_without_hopper.par";

}  // namespace

TEST(HeapWithoutHopper, HigherThanTheFillIsRefused) {
    // The obelisk over 6 m x 8 m is tan 30 * 3 = 1.7320508 m high, above the
    // fill of 1.5 m: the flat surface would lie below the lower edge.
    ktest::TempDir d;
    auto m = ktest::freshModel();
    BatchResult r = runBatch(*m, kFile, d.file("out.txt"), 1);
    EXPECT_EQ(r.exitCode, kExitProblem);
    EXPECT_EQ(r.Parameterfehler, 9);
    EXPECT_FALSE(r.calculated);
}

TEST(HeapWithoutHopper, AHeapThatFitsStandsOnTheWholeShaft) {
    // Filled to 2.5 m the same heap fits: surface level 2.5 - 1.7320508 m,
    // heap volume h * 6 * (3 * 8 - 6) / 6 = 18 h, all of it at 1500 kg/m3.
    std::string text = ktest::slurp(kFile);
    const std::string fill = " 1.50000000000000E+0000\r\n";
    const size_t at = text.find(fill);
    ASSERT_NE(at, std::string::npos);
    text.replace(at, fill.size(), " 2.50000000000000E+0000\r\n");
    ktest::TempDir d;
    ktest::spit(d.file("fits.par"), text);
    auto m = ktest::freshModel();
    BatchResult r = runBatch(*m, d.file("fits.par"), "", 1);
    ASSERT_EQ(r.exitCode, kExitOk) << r.message;
    const double h = std::tan(30.0 * std::acos(-1.0) / 180.0) * 3.0;
    EXPECT_DOUBLE_EQ(m->Boberflaeche, 6);
    EXPECT_NEAR(m->Hkegel, h, 1e-12);
    EXPECT_NEAR(m->Vkegel, 18 * h, 1e-9);
    EXPECT_NEAR(m->Hoberflaeche, 2.5 - h, 1e-12);
    EXPECT_NEAR(m->Fuellvolumen, 48 * (2.5 - h) + 18 * h, 1e-9);
    EXPECT_NEAR(m->Fuellmenge, 1500 * (48 * (2.5 - h) + 18 * h), 1e-6);
    // The heap's weight spread over the shaft's 48 m2 starts the shaft.
    EXPECT_NEAR(static_cast<double>(m->SIGMAV[0]), 9.81 * 1500 * 18 * h / 48, 1e-6);
}
