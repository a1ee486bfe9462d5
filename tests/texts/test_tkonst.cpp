// The text table: look-up by language, exact texts (trailing blanks and odd
// spellings are part of the text), completeness, problem messages.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QSet>
#include <QString>

#include "ui/texts/tkonst.h"

using namespace korvane::tkonst;

namespace {

// Restores German after each test, as at program start.
class TextTable : public ::testing::Test {
protected:
    void SetUp() override { setSprache(0); }
    void TearDown() override { setSprache(0); }
};

QString u(const char* s) { return QString::fromUtf8(s); }

}  // namespace

TEST_F(TextTable, StartsInGermanAndSwitches) {
    EXPECT_EQ(sprache(), 0);
    EXPECT_EQ(T(Datei1), u("&Datei"));
    setSprache(1);
    EXPECT_EQ(sprache(), 1);
    EXPECT_EQ(T(Datei1), u("&File"));
    EXPECT_EQ(T(Beenden1), u("E&xit"));
    setSprache(0);
    EXPECT_EQ(T(Beenden1), u("&Beenden"));
}

TEST_F(TextTable, InvalidLanguageIndexIsIgnored) {
    setSprache(1);
    setSprache(2);
    EXPECT_EQ(sprache(), 1);
    setSprache(-1);
    EXPECT_EQ(sprache(), 1);
    EXPECT_EQ(T(Fehler), u("Error"));
}

TEST_F(TextTable, ExplicitLanguageDoesNotDependOnCurrent) {
    setSprache(1);
    EXPECT_EQ(T(Geaendert, 0), u("Geändert!"));
    EXPECT_EQ(T(Geaendert, 1), u("Data modified!"));
    setSprache(0);
    EXPECT_EQ(T(Kernfluss, 1), u("Funnel flow! Results not valid!"));
    EXPECT_EQ(T(Kernfluss, 0), u("Kernfluss! Berechnung ungültig!"));
}

TEST_F(TextTable, TrailingBlanksArePartOfTheText) {
    EXPECT_EQ(T(Info1, 0), u("&Über "));
    EXPECT_EQ(T(Info1, 0).size(), 6);
    EXPECT_EQ(T(Info1, 1), u("&About ..."));
    EXPECT_EQ(T(WeitereInformationen, 0), u("Weitere Informationen: "));
    EXPECT_EQ(T(WeitereInformationen, 1), u("More information:"));
    EXPECT_EQ(T(ParameterdateiCaption, 0), u("Parameter      [Aktuelle Parameterdatei: "));
    EXPECT_EQ(T(ParameterdateiCaption, 1), u("Parameter      [parameter file: "));
}

TEST_F(TextTable, OddSpellingsAreKept) {
    EXPECT_EQ(T(Problem09, 1), u("Invalid silo gemetry"));
    EXPECT_EQ(T(Edit15Hint, 1),
              u("Effective angle of internal friction. Measure for the internal friction at "
                "stationäry flow."));
    EXPECT_EQ(T(PhixuntenHint, 1), u("Wall friction angle in the vertical section beow the hopper."));
    EXPECT_EQ(T(PhixtrichterHint, 0), u("Wandreibungswinkel der geneigten Trichterände"));
    EXPECT_EQ(T(PhixschaftHint, 0), u("Wandreibungswinkel im schaft"));
    EXPECT_EQ(T(VorgabewerteinfoCaption, 1), u("Bulk solid`s properties"));
    EXPECT_EQ(T(RadioGroup4Hint, 1),
              u("Calculation of the hopper stresses: Filling state due to Motzkus´ theory, "
                "discharge state due to Jenike´s theory"));
    EXPECT_EQ(T(HohnekegelHint, 1), u("Filling height up the lower edge of the heap"));
}

TEST_F(TextTable, MenuCaptionsKeepTheirAccessLetters) {
    EXPECT_EQ(T(Dateioeffnen1, 0), u("Parameterdatei &öffnen"));
    EXPECT_EQ(T(Ergebnisdateispeichernunter1, 0), u("&Ergebnisdatei s&peichern unter"));
    EXPECT_EQ(T(Ergebnisdateispeichernunter1, 1), u("S&ave results as"));
    EXPECT_EQ(T(Druckereinrichten1, 1), u("Printer set&up"));
    EXPECT_EQ(T(Vorgabewerte1, 0), u("Vorgabewerte Sch&üttgut"));
    // Two English items have no access letter.
    EXPECT_EQ(T(VorgabeSiloInfo1, 1), u("Silo parameters"));
    EXPECT_EQ(T(Berechnungsmethoden1, 1), u("Methods of calculation"));
    EXPECT_EQ(T(Woher, 0), u("Wo&her bekomme ich Schüttgutkennwerte?"));
}

TEST_F(TextTable, QuotesInsideHintsAreKept) {
    EXPECT_EQ(T(Form1Hint, 1), u("To edit parameters choose \"Edit\" in the menu \"Parameters\"."));
    EXPECT_TRUE(T(Form1Hint, 0).endsWith(u("den Befehl \"Bearbeiten\".")));
}

TEST_F(TextTable, SameTextInBothLanguagesWhereTheTableSaysSo) {
    for (const TextPair* p : {&Label1, &Label2, &Label4, &Label6, &Label7, &MF, &Anpassart0,
                              &Anpassart1, &Anpassart2}) {
        EXPECT_EQ(T(*p, 0), T(*p, 1)) << p->de;
    }
    EXPECT_EQ(T(KF, 0), u("KF"));
    EXPECT_EQ(T(KF, 1), u("FF"));
}

TEST_F(TextTable, ParameterFormCaptionWithChangedFile) {
    // Caption of the parameter form with a named, changed file.
    setSprache(1);
    const QString caption = T(ParameterdateiCaption) + u("/data/Par/test.par") + u("]") + u("    ") +
                            T(Geaendert);
    EXPECT_EQ(caption, u("Parameter      [parameter file: /data/Par/test.par]    Data modified!"));
    setSprache(0);
    const QString de = T(ParameterdateiCaption) + u("a.par") + u("]") + u("    ") + T(Geaendert);
    EXPECT_EQ(de, u("Parameter      [Aktuelle Parameterdatei: a.par]    Geändert!"));
}

TEST_F(TextTable, StartWindowCaptionInEnglish) {
    EXPECT_EQ(u(kProductName) + u("  -  ") + T(Nutzungsbedingungen, 1), u("KORVANE  -  LICENCE"));
    EXPECT_EQ(T(AcceptButton, 1), u("I agree."));
    EXPECT_EQ(T(CancelButton, 0), u("ABBRUCH"));
}

TEST_F(TextTable, FixedLiterals) {
    EXPECT_EQ(u(kProductName), u("KORVANE"));
    EXPECT_EQ(u(kMakerNotice), u("© 2026 Korvane developers"));
    EXPECT_EQ(u(kWebAddress), u("https://www.example.org/korvane"));
    EXPECT_EQ(u(kBookPage), u(kWebAddress) + u("/book.html"));
    EXPECT_EQ(u(kVersionLine), u("Version 1.2.0.4"));
    EXPECT_EQ(u(kApplicationTitle), u("Korvane"));
    EXPECT_EQ(u(kEulaFile), u("KORVANE_EULA.pdf"));
}

TEST_F(TextTable, EveryPairIsNonEmptyValidAndListedOnce) {
    ASSERT_GE(kAllPairsCount, 160);
    QSet<const TextPair*> seen;
    for (int i = 0; i < kAllPairsCount; ++i) {
        const TextPair* p = kAllPairs[i];
        ASSERT_NE(p, nullptr) << i;
        EXPECT_FALSE(seen.contains(p)) << "listed twice: " << p->de;
        seen.insert(p);
        for (int lang : {0, 1}) {
            const QString s = T(*p, lang);
            EXPECT_FALSE(s.isEmpty()) << i << " " << lang;
            // Decoded without replacement characters: the table is UTF-8.
            EXPECT_FALSE(s.contains(QChar::ReplacementCharacter)) << p->de;
            // Line breaks are plain "\n"; no carriage returns.
            EXPECT_FALSE(s.contains(QLatin1Char('\r'))) << p->de;
        }
    }
}

TEST_F(TextTable, ProblemTextsForEveryCode) {
    struct Case {
        int code;
        const char* de;
        const char* en;
    };
    const Case cases[] = {
        {3, "Füllhöhe höher als Silooberkante.", "Filling height > silo height."},
        {6, "Ungültige Parameter zur Berechnung der Schüttgutdichte rhob!",
         "Invalid parameters for calculation of bulk density rhob"},
        {9, "Ungültige Siloform!", "Invalid silo gemetry"},
        {10, "Ungültige Werte von PHIX und/oder PHIE.", "Invalid values of PHIX and/or PHIE"},
        {13, "K muss größer Null sein.", "K must be greater than zero."},
        {20, "Ungültiger Wert für Böschungswinkel.", "Invalid value of the angle of repose."},
        {21, "Fehlende Wertepaare für Dichte-Spannungs-Funktion.",
         "Missing data for density-stress-function."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(problemText(c.code, 0), u(c.de)) << c.code;
        EXPECT_EQ(problemText(c.code, 1), u(c.en)) << c.code;
        setSprache(0);
        EXPECT_EQ(problemText(c.code), u(c.de)) << c.code;
        setSprache(1);
        EXPECT_EQ(problemText(c.code), u(c.en)) << c.code;
        setSprache(0);
    }
    for (int other : {0, 1, 2, 4, 5, 7, 11, 22, -3, 100}) {
        EXPECT_TRUE(problemText(other, 0).isEmpty()) << other;
        EXPECT_TRUE(problemText(other, 1).isEmpty()) << other;
    }
}

TEST_F(TextTable, LoadErrorMessage) {
    // "Fehler", a blank and the code.
    EXPECT_EQ(T(Fehler, 0) + u(" ") + QString::number(3), u("Fehler 3"));
    EXPECT_EQ(T(Fehler, 1) + u(" ") + QString::number(5), u("Error 5"));
}

TEST_F(TextTable, NoTextRefersToDesignDocuments) {
    const QRegularExpression bad(
        u("\\bspecs?\\b|spe[c]ification|spezifikation|lastenheft|pflichtenheft|\\bpart \\d|"
          "\\bteil \\d\\.\\d"),
        QRegularExpression::CaseInsensitiveOption);
    for (int i = 0; i < kAllPairsCount; ++i) {
        for (int lang : {0, 1}) {
            const QString s = T(*kAllPairs[i], lang);
            EXPECT_FALSE(bad.match(s).hasMatch()) << s.left(60).toStdString();
        }
    }
}
