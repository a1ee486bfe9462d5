// The store of unsaved parameter changes: what one run keeps, the next run
// finds (named with its file and time) and restores; a save or a clean exit
// leaves nothing behind.
#include <gtest/gtest.h>

#include <filesystem>

#include "calc/engine.h"
#include "files/parameter_file.h"
#include "files/recovery.h"
#include "test_support.h"
#include "tests/common/test_silos.h"

using namespace korvane;
using korvane::test::defaultSilo;

namespace {

std::unique_ptr<SiloModel> changedSilo(double fillHeight) {
    auto m = defaultSilo();
    m->Fuellhoehe = fillHeight;
    return m;
}

int entries(const std::string& dir) {
    int n = 0;
    std::error_code ec;
    for (auto it = std::filesystem::directory_iterator(dir, ec);
         !ec && it != std::filesystem::directory_iterator(); ++it)
        ++n;
    return n;
}

}  // namespace

TEST(Recovery, WhatOneRunKeepsTheNextRestoresAndADiscardLeavesNothing) {
    ktest::TempDir d;
    const std::string folder = d.file("data/recovery");
    RecoveryInfo info;
    FileError err;
    {
        RecoveryStore first(folder);
        first.setAsidePrevious();
        EXPECT_FALSE(first.pending(info));  // nothing from before
        ASSERT_TRUE(first.keep(*changedSilo(7.5), "/home/u/Par/silo one.par", 1700000000, err))
            << err.reason;
        ASSERT_TRUE(first.keep(*changedSilo(8.25), "/home/u/Par/silo one.par", 1700000060, err));
        EXPECT_FALSE(first.pending(info));  // this run's own set is not offered to it
    }  // ends without a clean exit

    RecoveryStore second(folder);
    second.setAsidePrevious();
    ASSERT_TRUE(second.pending(info));
    EXPECT_EQ(info.originalPath, "/home/u/Par/silo one.par");
    EXPECT_EQ(info.madeAt, 1700000060);
    // The new run keeps its own changes without touching the pending set.
    ASSERT_TRUE(second.keep(*changedSilo(3), "", 1700000100, err));
    auto restored = ktest::freshModel();
    ASSERT_TRUE(second.restorePending(*restored, err)) << err.reason;
    EXPECT_EQ(restored->Fuellhoehe, 8.25);
    EXPECT_EQ(parameterFileText(*restored), parameterFileText(*changedSilo(8.25)));
    second.dropPending();
    EXPECT_FALSE(second.pending(info));
    second.discard();  // a save or a clean exit
    EXPECT_EQ(entries(folder), 0);

    RecoveryStore third(folder);
    third.setAsidePrevious();
    EXPECT_FALSE(third.pending(info));
}

TEST(Recovery, AnUnnamedSetAndADamagedHeaderAreHandled) {
    ktest::TempDir d;
    RecoveryInfo info;
    FileError err;
    RecoveryStore first(d.path());
    ASSERT_TRUE(first.keep(*changedSilo(4), "a\nb.par", 5, err));  // a name no header line holds
    RecoveryStore second(d.path());
    second.setAsidePrevious();
    ASSERT_TRUE(second.pending(info));
    EXPECT_EQ(info.originalPath, "");
    EXPECT_EQ(info.madeAt, 5);

    ktest::spit(d.file("unsaved-pending.txt"), "something else\n");
    EXPECT_FALSE(second.pending(info));
}
