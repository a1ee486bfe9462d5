// The rows the table copy puts on the clipboard are the rows of the result
// file, value for value, for every reference case.
#include <gtest/gtest.h>

#include <cstdio>

#include "files/batch.h"
#include "files/file_numbers.h"
#include "files/result_file.h"
#include "files/result_rows.h"
#include "test_support.h"

using namespace korvane;

TEST(ResultRows, SameRowsAsTheResultFile) {
    for (int c = 1; c <= 40; ++c) {
        char name[64];
        std::snprintf(name, sizeof name, "%s/reference-cases/case_%04d.par", KORVANE_TEST_DATA, c);
        auto m = ktest::freshModel();
        ASSERT_EQ(runBatch(*m, name, "", 1).exitCode, kExitOk) << name;
        const std::vector<std::string> file = ktest::crlfLines(resultFileText(*m));
        const std::vector<ResultRow> rows = resultRows(*m);
        ASSERT_EQ(rows.size() + 1, file.size()) << name;
        for (size_t i = 0; i < rows.size(); ++i) {
            const ResultRow& r = rows[i];
            const std::string line = formatFixed(r.z, 10, 3) + ";" + formatFixed(r.RHOB, 8, 1) +
                                     ";" + formatFixed(r.SIGMAV, 10, 0) + ";" +
                                     formatFixed(r.SIGMAW, 10, 0);
            ASSERT_EQ(line, file[i + 1]) << name << " row " << i;
        }
    }
}
