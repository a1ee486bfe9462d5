// The printed table: header, status lines, row selection with the page
// strides, the outlet row, the funnel-flow line, column alignment.
#include <gtest/gtest.h>

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QLocale>
#include <QPdfWriter>
#include <QRegularExpression>

#include "calc/engine.h"
#include "print_test_util.h"
#include "ui/main/print_pages.h"

using namespace korvane;
using namespace korvane::ui;

namespace {

const PrintStatus kStatus{QStringLiteral("Entleerungszust."), QStringLiteral("189661"),
                          QStringLiteral("10860")};

QString tablePdf(const QString& name, SiloModel& m, const QString& file = {}, bool changed = false,
                 int language = 0, const PrintStatus& st = kStatus) {
    const QString path = test::scratchDir() + "/" + name + ".pdf";
    EXPECT_TRUE(test::pagePdf(path, [&](QPainter& p) {
        paintTablePage(p, m, st, file, changed, language);
    }));
    return path;
}

// Table rows: the lines after the heading line up to and including the outlet row.
QStringList tableRows(const QStringList& lines, const QString& outlet = QStringLiteral("Auslauf")) {
    QStringList rows;
    bool inTable = false;
    for (const QString& l : lines) {
        if (l.startsWith(QStringLiteral("Position"))) {
            inTable = true;
            continue;
        }
        if (!inTable) continue;
        rows << l;
        if (l.startsWith(outlet)) break;
    }
    return rows;
}

QStringList fields(const QString& row) {
    return row.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

class PrintedTable : public ::testing::Test {
protected:
    void SetUp() override {
        if (!test::haveTool(QStringLiteral("pdftotext"))) GTEST_SKIP() << "poppler-utils missing";
    }
};

}  // namespace

TEST_F(PrintedTable, HeaderWithMakerNoticeWithoutFile) {
    const QStringList lines = test::pdfLines(tablePdf("hdr", test::defaultSilo()));
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("KORVANE")));
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("© 2026 Korvane developers")));
    EXPECT_FALSE(lines[0].contains('['));
}

TEST_F(PrintedTable, BracketedFileNameOnlyWhileUnchanged) {
    SiloModel& m = test::defaultSilo();
    const QString file = QStringLiteral("/data/Par/silo_7.par");
    QStringList lines = test::pdfLines(tablePdf("file_de", m, file, false, 0));
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("KORVANE")));
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("[Parameterdatei: /data/Par/silo_7.par]")));
    // The file name takes the notice's place.
    EXPECT_FALSE(lines.join('\n').contains(QStringLiteral("Korvane developers")));

    lines = test::pdfLines(tablePdf("file_en", m, file, false, 1));
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("[Parameter file: /data/Par/silo_7.par]")));

    lines = test::pdfLines(tablePdf("file_changed", m, file, true, 0));
    EXPECT_FALSE(lines.join('\n').contains(QStringLiteral("silo_7")));
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("© 2026 Korvane developers")));
}

TEST_F(PrintedTable, FileNamePlacedInPageUnitsOnEveryResolution) {
    SiloModel& m = test::defaultSilo();
    // 150 + 90 + width of "KORVANE  " (9 characters of 0.6 x 30 units).
    const double expected = test::unitsToPt(150 + 90 + 9 * 18);
    for (int dpi : {300, 600, 1200}) {
        const QString path = test::scratchDir() + QStringLiteral("/res%1.pdf").arg(dpi);
        QPdfWriter pdf(path);
        pdf.setResolution(dpi);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter));
        QPainter p(&pdf);
        paintTablePage(p, m, kStatus, QStringLiteral("/x/a.par"), false, 0);
        p.end();
        bool found = false;
        for (const test::PdfWord& w : test::pdfWords(path)) {
            if (w.text.startsWith(QStringLiteral("[Parameterdatei"))) {
                found = true;
                EXPECT_NEAR(w.xMin, expected, 1.0) << dpi << " dpi";
                EXPECT_NEAR(w.yMin, test::unitsToPt(150), 2.0);
            }
        }
        EXPECT_TRUE(found) << dpi;
    }
}

TEST_F(PrintedTable, StatusLinesAndHeadingsInBothLanguages) {
    SiloModel& m = test::defaultSilo();
    QStringList lines = test::pdfLines(tablePdf("status_de", m));
    ASSERT_GE(lines.size(), 5);
    EXPECT_EQ(lines[1], QStringLiteral("Zustand: Entleerungszust."));
    EXPECT_EQ(lines[2], QStringLiteral("Füllmenge: 189661 kg"));
    EXPECT_EQ(lines[3], QStringLiteral("Vertikalspannung am Auslauf: 10860 Pa"));

    const PrintStatus en{QStringLiteral("Filling"), QStringLiteral("999.99"), QStringLiteral("0")};
    lines = test::pdfLines(tablePdf("status_en", m, {}, false, 1, en));
    EXPECT_EQ(lines[1], QStringLiteral("State: Filling"));
    EXPECT_EQ(lines[2], QStringLiteral("Contents: 999.99 kg"));
    EXPECT_EQ(lines[3], QStringLiteral("Vertical stress at the outlet: 0 Pa"));
    EXPECT_EQ(fields(lines[4]),
              QStringList({"Position", "z", "[m]", "RHOB", "[kg/m3]", "SIGMAV", "[Pa]", "SIGMAW", "[Pa]"}));
}

TEST_F(PrintedTable, ShaftFilledToTheTopGetsFortyRowsAtStride24) {
    // 20 m shaft, 20 m fill: kS = 1000 / 40 - 1 = 24, Dz = 0.02 m; rows at
    // slices 1, 25, 49, ..., 985 and the forced last slice 1000.
    SiloModel& m = test::shaftOnlySilo();
    ASSERT_EQ(m.Indexende, 1000);
    const QStringList rows = tableRows(test::pdfLines(tablePdf("shaft", m)));
    ASSERT_EQ(rows.size(), 43 + 1);
    EXPECT_EQ(fields(rows[0]).mid(0, 4), QStringList({"OK", "Füllg.", "20.0000", fields(rows[0])[3]}));
    EXPECT_EQ(fields(rows[0]).value(4), QStringLiteral("0"));  // SIGMAV at the surface
    EXPECT_EQ(fields(rows[1])[0], QStringLiteral("19.5200"));   // slice 25
    EXPECT_EQ(fields(rows[2])[0], QStringLiteral("19.0400"));   // slice 49
    EXPECT_EQ(fields(rows[41])[0], QStringLiteral("0.3200"));   // slice 985
    EXPECT_EQ(fields(rows[42])[0], QStringLiteral("0.0200"));   // slice 1000
    const QStringList last = fields(rows[43]);
    ASSERT_EQ(last.size(), 4);  // no RHOB in the outlet row
    EXPECT_EQ(last[0], QStringLiteral("Auslauf"));
    EXPECT_EQ(last[1], QStringLiteral("0.0000"));
    EXPECT_EQ(last[2].toLongLong(), std::llround(static_cast<double>(m.SIGMAV[1000])));
    EXPECT_EQ(last[3].toLongLong(), std::llround(static_cast<double>(m.SIGMAW[1000])));
}

TEST_F(PrintedTable, ShaftAndHopperShowBothSidesOfTheBoundary) {
    SiloModel& m = test::defaultSilo();
    const QStringList rows = tableRows(test::pdfLines(tablePdf("both", m)));
    // About 40 rows per fill height in the shaft and 45 in the hopper.
    ASSERT_GE(rows.size(), 40);
    ASSERT_LE(rows.size(), 55);
    EXPECT_TRUE(rows.first().startsWith(QStringLiteral("OK Füllg.")));
    int boundary = -1;
    for (int r = 0; r < rows.size(); ++r)
        if (rows[r].startsWith(QStringLiteral("UK Schaft"))) boundary = r;
    ASSERT_GT(boundary, 0);
    // Slice 1001 (labelled) and 1002 follow each other: their upper faces lie
    // one hopper slice apart.
    const double dzHopper = static_cast<double>(m.Dz[1001]);
    const double z1001 = fields(rows[boundary])[2].toDouble();
    const double z1002 = fields(rows[boundary + 1])[0].toDouble();
    EXPECT_NEAR(z1001 - z1002, dzHopper, 1.5e-4);
    // The hopper top lies at the hopper's height above the outlet.
    EXPECT_NEAR(z1001, m.Hspitzeoben - m.Hspitzeauslauf, 1e-4);
    EXPECT_TRUE(rows.last().startsWith(QStringLiteral("Auslauf")));
    // The heights run downwards.
    double prev = 1e9;
    for (int r = 0; r + 1 < rows.size(); ++r) {
        const QStringList f = fields(rows[r]);
        const double z = (r == 0 || r == boundary) ? f[2].toDouble() : f[0].toDouble();
        EXPECT_LT(z, prev) << rows[r].toStdString();
        prev = z;
    }
}

TEST_F(PrintedTable, HeapRowThenHeapFoot) {
    SiloModel& m = test::heapFunnelSilo();
    ASSERT_TRUE(m.Schuettkegel);
    const QStringList rows = tableRows(test::pdfLines(tablePdf("heap", m)));
    ASSERT_GE(rows.size(), 3);
    // Top of the heap: density at 10 Pa (2400 + 400 (1 - e^-0.0002) = 2400.08),
    // SIGMAV 0 and no wall stress.
    EXPECT_EQ(fields(rows[0]), QStringList({"OK", "Füllg.", "9.0000", "2400", "0"}));
    EXPECT_TRUE(rows[1].startsWith(QStringLiteral("UK Kegel")));
    const double zFoot = fields(rows[1])[2].toDouble();
    EXPECT_NEAR(zFoot, m.Fuellhoehe - m.Hkegel, 1e-4);
}

TEST_F(PrintedTable, EnglishRowLabels) {
    SiloModel& m = test::heapFunnelSilo();
    const QStringList rows = tableRows(test::pdfLines(tablePdf("heap_en", m, {}, false, 1)),
                                       QStringLiteral("outlet"));
    ASSERT_GE(rows.size(), 3);
    EXPECT_TRUE(rows[0].startsWith(QStringLiteral("UE bulk s.")));
    EXPECT_TRUE(rows[1].startsWith(QStringLiteral("LE heap")));
    EXPECT_TRUE(rows.join('\n').contains(QStringLiteral("LE vert.s.")));
    EXPECT_TRUE(rows.last().startsWith(QStringLiteral("outlet")));
}

TEST_F(PrintedTable, FunnelFlowLineInBoldAfterOneBlankLine) {
    SiloModel& m = test::heapFunnelSilo();
    ASSERT_FALSE(m.Massenfluss);
    const QString path = tablePdf("funnel", m);
    const QStringList lines = test::pdfLines(path);
    // The warning closes the table; below it only the page number and date.
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[lines.size() - 2], QStringLiteral("Kernfluss! Berechnung ungültig!"));
    EXPECT_TRUE(lines.last().startsWith(QStringLiteral("Seite 1 "))) << lines.last().toStdString();
    EXPECT_TRUE(test::runTool(QStringLiteral("pdffonts"), {path}).contains(QStringLiteral("Bold")));
    double yOutlet = -1, yWarning = -1;
    for (const test::PdfWord& w : test::pdfWords(path)) {
        if (w.text == QStringLiteral("Auslauf")) yOutlet = w.yMin;
        if (w.text == QStringLiteral("Kernfluss!")) yWarning = w.yMin;
    }
    // Two line pitches of 3.3 mm.
    EXPECT_NEAR(yWarning - yOutlet, 2 * 3.3 * 72 / 25.4, 0.5);

    // Filling state: mass flow is not checked, no warning, nothing bold.
    SiloModel& f = test::defaultSilo();
    const QString path2 = tablePdf("nofunnel", f);
    EXPECT_FALSE(test::pdfLines(path2).join('\n').contains(QStringLiteral("Kernfluss")));
    EXPECT_FALSE(test::runTool(QStringLiteral("pdffonts"), {path2}).contains(QStringLiteral("Bold")));
}

TEST_F(PrintedTable, ColumnsRightAlignedAndZPlacedByThreeDecimals) {
    SiloModel& m = test::defaultSilo();
    const QString path = tablePdf("align", m);
    const std::vector<test::PdfWord> words = test::pdfWords(path);
    // Right edges in points: q = 150 + 8 x 18 = 294; column edges q + 300 ... q + 1200.
    const double edgeRho = test::unitsToPt(294 + 600), edgeSv = test::unitsToPt(294 + 900),
                 edgeSw = test::unitsToPt(294 + 1200), edgeZ = test::unitsToPt(294 + 300);
    int rho = 0, sv = 0, sw = 0, z = 0;
    static const QRegularExpression integer(QStringLiteral("^-?[0-9]+$"));
    static const QRegularExpression zValue(QStringLiteral("^[0-9]+\\.[0-9]{4}$"));
    for (const test::PdfWord& w : words) {
        if (w.yMin < test::unitsToPt(340)) continue;  // header and headings
        if (w.yMin > test::unitsToPt(2700)) continue;  // page number and date
        if (integer.match(w.text).hasMatch()) {
            if (std::abs(w.xMax - edgeRho) < 0.6) ++rho;
            else if (std::abs(w.xMax - edgeSv) < 0.6) ++sv;
            else if (std::abs(w.xMax - edgeSw) < 0.6) ++sw;
            else ADD_FAILURE() << "number off its column: " << w.text.toStdString() << " at " << w.xMax;
        } else if (zValue.match(w.text).hasMatch()) {
            // 4 decimals placed by the width of 3: one character (1.8 mm) beyond the edge.
            EXPECT_NEAR(w.xMax, edgeZ + 18 * 72 / 254.0, 0.6) << w.text.toStdString();
            ++z;
        }
    }
    EXPECT_GT(rho, 40);
    EXPECT_EQ(sv, rho + 1);  // the outlet row has no density
    EXPECT_EQ(sw, rho + 1);
    EXPECT_EQ(z, rho + 1);
}

TEST(PrintedTableImage, FitsOnThePageAndDrawsTheRule) {
    SiloModel& m = test::defaultSilo();
    const QImage img = test::pageImage(254, [&](QPainter& p) {
        paintTablePage(p, m, kStatus, {}, false, 0);
    });
    // The rule under the headings: y = 347, from x = 150 to q + 1200 = 1494.
    for (int x : {160, 800, 1480}) EXPECT_LT(qGray(img.pixel(x, 347)), 100) << x;
    EXPECT_GT(qGray(img.pixel(1520, 347)), 250);
    // Nothing printed in the lower part of the page but the page number and date.
    int dark = 0;
    for (int y = 2600; y < 2730; y += 2)
        for (int x = 0; x < img.width(); x += 2)
            if (qGray(img.pixel(x, y)) < 200) ++dark;
    EXPECT_EQ(dark, 0);
}

TEST_F(PrintedTable, UserDecimalSeparator) {
    SiloModel& m = test::shaftOnlySilo();
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QStringList rows = tableRows(test::pdfLines(tablePdf("comma", m)));
    QLocale::setDefault(QLocale::c());
    ASSERT_GE(rows.size(), 3);
    EXPECT_EQ(fields(rows[0])[2], QStringLiteral("20,0000"));
    EXPECT_EQ(fields(rows[1])[0], QStringLiteral("19,5200"));
    EXPECT_EQ(fields(rows.last())[1], QStringLiteral("0,0000"));
}
