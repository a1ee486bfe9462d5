// The help texts tell the user what the program really does: the result
// file as it is written, the diagram as it is drawn, the density warning as
// the calculation raises it.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <memory>

#include "calc/engine.h"
#include "calc/model.h"
#include "files/result_file.h"
#include "tests/common/test_silos.h"
#include "ui/texts/texts.h"

using namespace korvane;
using korvane::texts::T;
using korvane::texts::TextPair;

namespace {

// The default silo: 6 m rectangular shaft over a wedge hopper, filled 9 m
// high, so the surface lies in the shaft.
std::unique_ptr<SiloModel> defaultSilo() {
    auto m = test::defaultSilo();
    test::calculateAgain(*m);
    return m;
}

// A fitted linear law through two measured points.
void fittedLaw(SiloModel& m, double sigma1, double sigma2) {
    m.Rhokonstant = false;
    m.Rhofunktion = false;
    m.Anpassart = 3;  // interpolation between the points
    m.Messanzahl = 2;
    m.Messsigma[1] = sigma1;
    m.Messrho[1] = 2400;
    m.Messsigma[2] = sigma2;
    m.Messrho[2] = 2800;
}

}  // namespace

TEST(HelpTexts, ResultFileIsDescribedAsItIsWritten) {
    auto m = defaultSilo();
    QStringList lines = QString::fromStdString(resultFileText(*m)).split("\r\n");
    ASSERT_TRUE(lines.last().isEmpty());
    lines.removeLast();
    EXPECT_EQ(lines.first(), "z[m];RHOB[kg/m3];SIGMAV[Pa];SIGMAW[Pa]");

    // z with 3 decimals, RHOB with 1, both stresses whole numbers, padded
    // with blanks on the left.
    static const QRegularExpression row("^ *\\d+\\.\\d{3}; *\\d+\\.\\d; *-?\\d+; *-?\\d+$");
    for (int i = 1; i < lines.size(); ++i)
        ASSERT_TRUE(row.match(lines[i]).hasMatch()) << i << ": " << lines[i].toStdString();
    EXPECT_TRUE(lines[1].startsWith(" "));
    // Shaft and hopper filled: 999 + 998 slices (the two at the junction
    // are left out) and the outlet row at z = 0.
    EXPECT_EQ(lines.size() - 1, 999 + 998 + 1);
    EXPECT_TRUE(lines.last().startsWith("     0.000;"));

    const QString de = T(texts::help::dataInputOutputText, 0), en = T(texts::help::dataInputOutputText, 1);
    for (const char* s : {"z[m];RHOB[kg/m3];SIGMAV[Pa];SIGMAW[Pa]", "3 Nachkommastellen",
                          "1 Nachkommastelle", "ganzzahlig", "Semikolon", "rechtsbündig",
                          "Übergang", "Auslauf (z = 0)"})
        EXPECT_TRUE(de.contains(QString::fromUtf8(s))) << s;
    for (const char* s : {"z[m];RHOB[kg/m3];SIGMAV[Pa];SIGMAW[Pa]", "3 decimals", "1 decimal",
                          "whole numbers", "semicolons", "right-aligned", "junction",
                          "outlet (z = 0)"})
        EXPECT_TRUE(en.contains(QString::fromUtf8(s))) << s;
}

TEST(HelpTexts, DiagramIsDescribedWithItsLevelLines) {
    // The diagram shows the stresses over the height with level lines for
    // the sections; it draws no outline of the silo.
    for (int lang : {0, 1}) {
        for (const TextPair* t : {&texts::help::whatItCalculatesText, &texts::help::dataInputOutputText}) {
            const QString s = T(*t, lang);
            EXPECT_FALSE(s.contains("Umriss") || s.contains("outline")) << lang;
        }
    }
    const QString de = T(texts::help::dataInputOutputText, 0), en = T(texts::help::dataInputOutputText, 1);
    for (const char* s : {"SIGMAV (schwarz)", "SIGMAW (blau)", "(grau)", "(rot)", "(grün)"})
        EXPECT_TRUE(de.contains(QString::fromUtf8(s))) << s;
    for (const char* s : {"SIGMAV (black)", "SIGMAW (blue)", "(grey)", "(red)", "(green)"})
        EXPECT_TRUE(en.contains(QString::fromUtf8(s))) << s;
}

TEST(HelpTexts, DensityWarningOnlyAboveTheLargestMeasuredStress) {
    // Measured from 50 kPa on: the stresses near the surface lie below the
    // measured range, yet no warning as long as nothing exceeds its top.
    auto m = defaultSilo();
    fittedLaw(*m, 50000, 1.0e6);
    prepare(*m, false);
    calculate(*m);
    EXPECT_LT(m->SIGMAV[1], 50000);
    EXPECT_FALSE(m->Messbereichueberschritten);
    // Measured up to 50 kPa only: the deeper slices exceed it.
    fittedLaw(*m, 1000, 50000);
    prepare(*m, false);
    calculate(*m);
    EXPECT_TRUE(m->Messbereichueberschritten);

    EXPECT_TRUE(T(texts::help::calculationMethodsText, 0).contains(QString::fromUtf8(
        "oberhalb der größten gemessenen Spannung meldet das Programm")));
    EXPECT_TRUE(T(texts::help::calculationMethodsText, 1).contains(
        "above the largest measured stress the program displays"));
    EXPECT_TRUE(T(texts::help::bulkSolidDefaultsText, 0).contains(QString::fromUtf8("die größte gemessene Spannung")));
    EXPECT_TRUE(T(texts::help::bulkSolidDefaultsText, 1).contains("exceeds the largest measured stress"));
}

TEST(HelpTexts, FrictionAngleLimitsAsTheFormChecksThem) {
    // 0 < PHIX <= 89 degrees, end walls from 0; hopper PHIX not above PHIE.
    EXPECT_TRUE(T(texts::help::bulkSolidDefaultsText, 0).contains(QString::fromUtf8(
        "größer als 0° und höchstens 89°")));
    EXPECT_TRUE(T(texts::help::bulkSolidDefaultsText, 0).contains(QString::fromUtf8("Stirnwänden ist auch 0°")));
    EXPECT_TRUE(T(texts::help::bulkSolidDefaultsText, 1).contains(QString::fromUtf8(
        "greater than 0° and not greater than 89° (0° is accepted at the end walls)")));
}

TEST(HelpTexts, SliceEquationsRunWithTheDepthNotWithZ) {
    // z points upwards from the outlet; the slice equations are written with
    // the depth t, along which SIGMAV grows.
    for (int lang : {0, 1}) {
        const QString s = T(texts::help::calculationMethodsText, lang);
        EXPECT_FALSE(s.contains("dSIGMAV/dz")) << lang;
        EXPECT_EQ(s.count("dSIGMAV/dt = g*RHOB - "), 2) << lang;
    }
}
