// Calculations off the window thread: the helper hands a result to its
// window's thread only while the window lives; the main window's results
// arrive and equal those of the engine called directly; a second start and
// a closing window during a run are taken calmly.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QThread>
#include <QThreadPool>
#include <future>
#include <memory>

#include "calc/engine.h"
#include "calc/form_logic.h"
#include "files/parameter_file.h"
#include "files/result_file.h"
#include "files/result_rows.h"
#include "tests/common/test_silos.h"
#include "tests/common/wait_for_results.h"
#include "ui/document/asynctask.h"
#include "ui/main/mainwindow.h"
#include "window_test_support.h"

using namespace korvane;
using namespace korvane::ui;
using namespace korvane::ui::test_support;

namespace {

// Lets every task of the pool end and every delivery that is due arrive.
void settle() {
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// The result file text of the document's silo, calculated here on the
// window thread by the engine itself.
std::string calculatedDirectly(const SiloModel& shown) {
    auto m = std::make_unique<SiloModel>(shown);
    test::calculateAgain(*m);
    return resultFileText(*m);
}

}  // namespace

TEST(AsyncTask, ResultArrivesOnTheWindowThreadOnlyWhileTheWindowLives) {
    for (const bool windowGoesFirst : {false, true}) {
        auto window = std::make_unique<QObject>();
        AsyncTask task;
        std::promise<void> release;
        std::shared_future<void> released = release.get_future().share();
        int delivered = 0;
        QThread* deliveredOn = nullptr;
        task.start(
            window.get(),
            [released] {
                released.wait();
                return 42;
            },
            [&](int value) {
                ++delivered;
                deliveredOn = QThread::currentThread();
                EXPECT_EQ(value, 42);
            });
        EXPECT_TRUE(task.running());
        if (windowGoesFirst) window.reset();
        release.set_value();
        settle();
        EXPECT_EQ(delivered, windowGoesFirst ? 0 : 1) << windowGoesFirst;
        if (!windowGoesFirst) {
            EXPECT_EQ(deliveredOn, QApplication::instance()->thread());
        }
    }
}

TEST(AsyncTask, CancelStopsTheWorkBetweenTwoStepsAndOnlyTheLastStartDelivers) {
    QObject window;
    AsyncTask task;
    auto control = std::make_shared<TaskControl>();
    auto reached = std::make_shared<std::promise<void>>();
    std::future<void> secondStepReached = reached->get_future();
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    long long stepsSeen = -1;
    task.start(
        &window,
        [control, reached, released] {
            long long i = 0;
            while (i < 1000000 && !control->cancelRequested()) {
                control->stepDone(++i);
                if (i == 2) {  // Cancel is pressed after the second step
                    reached->set_value();
                    released.wait();
                }
            }
            return i;
        },
        [&](long long steps) { stepsSeen = steps; });
    secondStepReached.wait();
    control->cancel();
    release.set_value();
    settle();
    EXPECT_EQ(stepsSeen, 2);
    EXPECT_EQ(control->stepsDone(), 2);

    int first = 0, second = 0;
    task.start(&window, [] { return 1; }, [&](int) { ++first; });
    task.start(&window, [] { return 2; }, [&](int v) { second = v; });
    settle();
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 2);
}

class AsyncMainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        resetProgramState();
        w = new MainWindow;
        w->resize(1000, 700);
        w->show();
        ASSERT_TRUE(waitForResults(*w));
    }
    void TearDown() override {
        delete w.data();
        settle();
    }
    // Loads an example file as the open command does, with the form's OK.
    void load(const char* name) {
        SiloModel& m = w->document().model;
        FileError err;
        ASSERT_TRUE(readParameterFile(m, test::exampleFile(name), err)) << err.reason;
        ASSERT_EQ(confirmLoadedModel(m, w->document().workingCopy), 0) << name;
    }
    QPointer<MainWindow> w;
};

TEST_F(AsyncMainWindow, ResultsArriveAndEqualTheEngineCalledDirectly) {
    for (const char* file : {"Standardsilo.par", "Bunker_Schuettkegel.par", "Getreide_Dichtekurve.par"}) {
        load(file);
        w->activate();
        EXPECT_TRUE(w->calculating()) << "the engine runs off the window thread";
        ASSERT_TRUE(waitForResults(*w));
        EXPECT_EQ(resultFileText(w->document().model), calculatedDirectly(w->document().model))
            << file;
    }
}

TEST_F(AsyncMainWindow, ASecondStartDuringARunCalculatesTheNewInputs) {
    load("Standardsilo.par");
    const int runs = w->activationCount();
    w->activate();
    load("Massenfluss_Kreissilo.par");  // opened while the first run is on its way
    w->activate();
    ASSERT_TRUE(waitForResults(*w));
    EXPECT_EQ(w->activationCount(), runs + 2);
    EXPECT_EQ(resultFileText(w->document().model), calculatedDirectly(w->document().model));
}

TEST_F(AsyncMainWindow, ClosingTheWindowDuringARunEndsCleanly) {
    w->activate();
    ASSERT_TRUE(w->calculating());
    w->close();
    delete w.data();
    settle();  // the run ends on its own copy; its results go nowhere
    EXPECT_TRUE(w.isNull());
}
