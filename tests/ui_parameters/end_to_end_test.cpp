// From a parameter file to the columns, as a user goes: open the file through
// the main window's menu handler, confirm the parameter form with OK, and the
// columns show the numbers that the batch tool writes for that file.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QTest>
#include <cmath>
#include <memory>

#include "calc/model.h"
#include "files/batch.h"
#include "ui/main/appstate.h"
#include "tests/common/wait_for_results.h"
#include "ui/main/mainwindow.h"
#include "ui/main/platform.h"
#include "ui/texts/texts.h"

using namespace korvane;
using namespace korvane::ui;

namespace {

struct FileRow {
    double z, rhob, sv, sw;
};

// The rows of a result file written by the batch tool for `par`.
std::vector<FileRow> batchRows(const QString& par, const QString& out, SiloModel& batch) {
    const BatchResult r = runBatch(batch, par.toStdString(), out.toStdString(), 1);
    EXPECT_EQ(r.exitCode, kExitOk) << r.message;
    QFile f(out);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    std::vector<FileRow> rows;
    const QStringList lines = QString::fromLatin1(f.readAll()).split("\r\n", Qt::SkipEmptyParts);
    for (int i = 1; i < lines.size(); ++i) {
        const QStringList c = lines[i].split(';');
        rows.push_back({c[0].toDouble(), c[1].toDouble(), c[2].toDouble(), c[3].toDouble()});
    }
    return rows;
}

class EndToEnd : public ::testing::TestWithParam<const char*> {};

TEST_P(EndToEnd, ColumnsShowWhatTheBatchToolWrites) {
    const QString par = QStringLiteral(KORVANE_BIN_DIR "/Par/") + GetParam();
    ASSERT_TRUE(QFile::exists(par)) << par.toStdString();
    QTemporaryDir tmp;
    auto batch = std::make_unique<SiloModel>();
    const std::vector<FileRow> rows = batchRows(par, tmp.filePath("out.txt"), *batch);
    ASSERT_GT(rows.size(), 100u);

    app() = AppState{};
    texts::setLanguage(1);
    QLocale::setDefault(QLocale::c());
    platform::setRecordOpens(true);
    auto w = std::make_unique<MainWindow>();
    w->resize(1100, 800);
    w->show();
    korvane::ui::test_support::waitForResults(*w);

    // The parameter form comes up after the load; the user presses OK.
    bool confirmed = false;
    QTimer::singleShot(0, [&] {
        QTRY_VERIFY(QApplication::activeModalWidget() != nullptr);
        auto* ok = QApplication::activeModalWidget()->findChild<QPushButton*>("okButton");
        ASSERT_NE(ok, nullptr);
        QTest::mouseClick(ok, Qt::LeftButton);
        confirmed = true;
    });
    platform::setNextFileName(par);
    w->openParameterFile();
    ASSERT_TRUE(confirmed);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(w->document().parameterFile, par);
    EXPECT_EQ(w->document().pendingProblem, 0);
    ASSERT_TRUE(korvane::ui::test_support::waitForResults(*w));

    // Status fields: the outlet stress and the mass of the contents.
    auto* outlet = w->findChild<QLineEdit*>("outletStressField");
    EXPECT_EQ(outlet->text().toLongLong(), std::llround(static_cast<double>(batch->SIGMAV[batch->Indexende])));
    EXPECT_NEAR(w->findChild<QLineEdit*>("contentsField")->text().toDouble(), batch->Fuellmenge, 0.51);

    // Every slice row of the columns is a row of the result file at the same
    // height, with the same density and stresses.
    auto col = [&](const char* name) {
        return w->findChild<QPlainTextEdit*>(name)->toPlainText().split('\n');
    };
    const QStringList pos = col("positionColumn"), z = col("zColumn"), rho = col("densityColumn"), sv = col("verticalStressColumn"),
                      sw = col("wallStressColumn");
    ASSERT_GT(z.size(), 10);
    EXPECT_EQ(pos.last(), "outlet");
    int matched = 0;
    for (int i = 0; i + 1 < z.size(); ++i) {
        if (pos[i] == "UE bulk s." && sw[i] == " ") continue;  // the heap's tip row
        const double zc = z[i].toDouble();
        for (const FileRow& r : rows) {
            if (std::abs(r.z - zc) < 0.0011 && std::abs(r.sv - sv[i].toDouble()) <= 1) {
                EXPECT_NEAR(r.rhob, rho[i].toDouble(), 0.51) << "row " << i;
                EXPECT_NEAR(r.sw, sw[i].toDouble(), 1.0) << "row " << i;
                ++matched;
                break;
            }
        }
    }
    // Only the rows at the section junctions have no counterpart in the file.
    EXPECT_GE(matched, z.size() - 6) << "matched " << matched << " of " << z.size();
    EXPECT_GT(matched, 10);
    EXPECT_NEAR(sv.last().toDouble(), rows.back().sv, 1);
    texts::setLanguage(0);
}

INSTANTIATE_TEST_SUITE_P(Examples, EndToEnd,
                         ::testing::Values("Standardsilo.par", "Massenfluss_Kreissilo.par",
                                           "Bunker_Schuettkegel.par", "Silo_Auflast_Unterteil.par",
                                           "Getreide_Dichtekurve.par"));

}  // namespace
