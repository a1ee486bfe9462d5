// Two silos open at once, calculated side by side: each document carries all
// its state, and the engine keeps none of its own, so two calculations on two
// threads give each exactly what the batch tool gives for its file. Run
// under ThreadSanitizer by tests/thread_check.sh.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>

#include <unistd.h>

#include "calc/engine.h"
#include "calc/form_logic.h"
#include "files/batch.h"
#include "files/parameter_file.h"
#include "files/result_file.h"
#include "ui/document/silodocument.h"

using namespace korvane;

namespace {

const std::string kExamples = KORVANE_TEST_DATA "/../../examples/Par/";

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What the desktop program does with a document: the default silo of the
// first activation, the file opened into it, the parameter form confirmed
// unchanged with OK, the activation's calculation. Returns the result file
// text, or the parameter problem's code as text.
std::string openAndCalculate(ui::SiloDocument& doc, const std::string& path) {
    SiloModel& m = doc.model;
    startAsTheProgramDoes(m);
    FileError err;
    if (!readParameterFile(m, path, err)) return "not read: " + err.reason;
    clearResults(m);
    if (const int code = confirmLoadedModel(m, doc.workingCopy)) return "problem " + std::to_string(code);
    clearResults(m);
    prepare(m, false);
    calculate(m);
    return resultFileText(m);
}

// The batch tool's result file for the same parameter file.
std::string batchResults(const std::string& path, const std::string& out) {
    auto m = std::make_unique<SiloModel>();
    const BatchResult r = runBatch(*m, path, out, 1);
    EXPECT_EQ(r.exitCode, kExitOk) << r.message;
    return slurp(out);
}

struct Pair {
    const char* first;
    const char* second;
};

class TwoDocuments : public ::testing::TestWithParam<Pair> {};

}  // namespace

TEST_P(TwoDocuments, CalculatedOnTwoThreadsAtOnceEachGivesTheBatchResults) {
    const std::string a = kExamples + GetParam().first;
    const std::string b = kExamples + GetParam().second;
    const std::string tmp = std::filesystem::temp_directory_path() /
                            ("korvane-two-docs-" + std::to_string(::getpid()));
    std::filesystem::create_directories(tmp);
    const std::string expectedA = batchResults(a, tmp + "/a.txt");
    const std::string expectedB = batchResults(b, tmp + "/b.txt");
    std::filesystem::remove_all(tmp);
    ASSERT_NE(expectedA, expectedB);  // two different silos

    auto docA = std::make_unique<ui::SiloDocument>();
    auto docB = std::make_unique<ui::SiloDocument>();
    std::string gotA, gotB;
    std::thread first([&] { gotA = openAndCalculate(*docA, a); });
    std::thread second([&] { gotB = openAndCalculate(*docB, b); });
    first.join();
    second.join();
    EXPECT_EQ(gotA, expectedA) << GetParam().first;
    EXPECT_EQ(gotB, expectedB) << GetParam().second;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, TwoDocuments,
    ::testing::Values(Pair{"Standardsilo.par", "Getreide_Dichtekurve.par"},
                      Pair{"Massenfluss_Kreissilo.par", "Bunker_Schuettkegel.par"},
                      Pair{"Silo_Auflast_Unterteil.par", "Standardsilo.par"}));
