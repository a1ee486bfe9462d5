// The text table: look-up by language, exact texts (trailing blanks and odd
// spellings are part of the text), completeness, problem messages.
#include <gtest/gtest.h>

#include <vector>

#include <QRegularExpression>
#include <QSet>
#include <QString>

#include "ui/texts/texts.h"

using namespace korvane::texts;

namespace {

// Restores German after each test, as at program start.
class TextTable : public ::testing::Test {
protected:
    void SetUp() override { setLanguage(0); }
    void TearDown() override { setLanguage(0); }
};

QString u(const char* s) { return QString::fromUtf8(s); }

}  // namespace

TEST_F(TextTable, StartsInGermanAndSwitches) {
    EXPECT_EQ(language(), 0);
    EXPECT_EQ(T(menu::file), u("&Datei"));
    setLanguage(1);
    EXPECT_EQ(language(), 1);
    EXPECT_EQ(T(menu::file), u("&File"));
    EXPECT_EQ(T(menu::exit), u("E&xit"));
    setLanguage(0);
    EXPECT_EQ(T(menu::exit), u("&Beenden"));
}

TEST_F(TextTable, InvalidLanguageIndexIsIgnored) {
    setLanguage(1);
    setLanguage(2);
    EXPECT_EQ(language(), 1);
    setLanguage(-1);
    EXPECT_EQ(language(), 1);
    EXPECT_EQ(T(error::caption), u("Error"));
}

TEST_F(TextTable, ExplicitLanguageDoesNotDependOnCurrent) {
    setLanguage(1);
    EXPECT_EQ(T(mainWindow::modifiedMark, 0), u("Geändert!"));
    EXPECT_EQ(T(mainWindow::modifiedMark, 1), u("Data modified!"));
    setLanguage(0);
    EXPECT_EQ(T(results::funnelFlow, 1), u("Funnel flow! Results not valid!"));
    EXPECT_EQ(T(results::funnelFlow, 0), u("Kernfluss! Berechnung ungültig!"));
}

TEST_F(TextTable, TrailingBlanksArePartOfTheText) {
    EXPECT_EQ(T(menu::about, 0), u("&Über "));
    EXPECT_EQ(T(menu::about, 0).size(), 6);
    EXPECT_EQ(T(menu::about, 1), u("&About ..."));
    EXPECT_EQ(T(literature::moreInformation, 0), u("Weitere Informationen: "));
    EXPECT_EQ(T(literature::moreInformation, 1), u("More information:"));
    EXPECT_EQ(T(parameters::captionWithFile, 0), u("Parameter      [Aktuelle Parameterdatei: "));
    EXPECT_EQ(T(parameters::captionWithFile, 1), u("Parameter      [parameter file: "));
}

TEST_F(TextTable, OddSpellingsAreKept) {
    EXPECT_EQ(T(problem::siloGeometry, 1), u("Invalid silo gemetry"));
    EXPECT_EQ(T(parameterHint::effectiveFrictionAngle, 1),
              u("Effective angle of internal friction. Measure for the internal friction at "
                "stationäry flow."));
    EXPECT_EQ(T(parameterHint::belowHopperWallFriction, 1),
              u("Wall friction angle in the vertical section beow the hopper."));
    EXPECT_EQ(T(parameterHint::hopperWallFriction, 0),
              u("Wandreibungswinkel der geneigten Trichterände"));
    EXPECT_EQ(T(parameterHint::shaftWallFriction, 0), u("Wandreibungswinkel im schaft"));
    EXPECT_EQ(T(help::bulkSolidDefaultsCaption, 1), u("Bulk solid`s properties"));
    EXPECT_EQ(T(parameterHint::stressState, 1),
              u("Calculation of the hopper stresses: Filling state due to Motzkus´ theory, "
                "discharge state due to Jenike´s theory"));
    EXPECT_EQ(T(parameterHint::fillHeightWithoutHeap, 1),
              u("Filling height up the lower edge of the heap"));
}

TEST_F(TextTable, MenuCaptionsKeepTheirAccessLetters) {
    EXPECT_EQ(T(menu::openParameterFile, 0), u("Parameterdatei &öffnen"));
    EXPECT_EQ(T(menu::saveResultsAs, 0), u("Ergebnisdatei s&peichern unter"));
    EXPECT_EQ(T(menu::saveResultsAs, 1), u("Sa&ve results as"));
    EXPECT_EQ(T(menu::printerSetup, 1), u("Printer set&up"));
    EXPECT_EQ(T(menu::bulkSolidDefaults, 0), u("Vorgabewerte &Schüttgut"));
    EXPECT_EQ(T(menu::flowProperties, 0), u("Wo&her bekomme ich Schüttgutkennwerte?"));
}

// Every item of a menu has an access key of its own, in both languages.
TEST_F(TextTable, EveryMenuHasUniqueAccessKeys) {
    auto key = [](const QString& c) {
        for (qsizetype i = 0; i + 1 < c.size(); ++i) {
            if (c[i] != '&') continue;
            if (c[i + 1] == '&') {
                ++i;
                continue;
            }
            return c[i + 1].toLower();
        }
        return QChar();
    };
    const TextPair eula{kEulaMenu, kEulaMenu};
    const TextPair languages{kLanguageMenu, kLanguageMenu};
    const std::pair<const char*, std::vector<const TextPair*>> menus[] = {
        {"menu bar", {&menu::file, &menu::parameters, &view::menuTitle, &languages, &menu::help}},
        {"file",
         {&menu::openParameterFile, &habits::recentFiles, &menu::saveParameterFile,
          &menu::saveParameterFileAs, &menu::saveResults, &menu::saveResultsAs,
          &view::exportDiagram, &view::copyTable, &menu::printerSetup, &menu::print,
          &menu::exit}},
        {"print", {&menu::printTable, &menu::printDiagram}},
        {"parameters",
         {&menu::editParameters, &menu::viewParameters, &habits::undo, &habits::redo}},
        {"view",
         {&view::showBothStates, &view::compareWithFile, &view::endComparison,
          &habits::stressesInKpa}},
        {"help",
         {&menu::whatItCalculates, &menu::dataInputOutput, &menu::bulkSolidDefaults,
          &menu::siloDefaults, &menu::calculationMethods, &menu::flowProperties, &menu::book,
          &menu::about, &eula}},
    };
    for (const auto& [name, items] : menus) {
        for (int language : {0, 1}) {
            QString seen;
            for (const TextPair* item : items) {
                const QString caption = T(*item, language);
                const QChar k = key(caption);
                EXPECT_FALSE(k.isNull()) << name << ": " << caption.toStdString();
                EXPECT_FALSE(!k.isNull() && seen.contains(k))
                    << name << " (" << language << "): " << caption.toStdString();
                seen += k;
            }
        }
    }
}

TEST_F(TextTable, QuotesInsideHintsAreKept) {
    EXPECT_EQ(T(hint::mainWindow, 1),
              u("To edit parameters choose \"Edit\" in the menu \"Parameters\"."));
    EXPECT_TRUE(T(hint::mainWindow, 0).endsWith(u("den Befehl \"Bearbeiten\".")));
}

TEST_F(TextTable, SameTextInBothLanguagesWhereTheTableSaysSo) {
    for (const TextPair* p :
         {&mainWindow::positionColumn, &mainWindow::zColumn, &mainWindow::densityColumn,
          &mainWindow::verticalStressColumn, &mainWindow::wallStressColumn, &parameters::massFlowMark,
          &density::linearRegression, &density::logarithmicFit, &density::exponentialFit}) {
        EXPECT_EQ(T(*p, 0), T(*p, 1)) << p->de;
    }
    EXPECT_EQ(T(parameters::funnelFlowMark, 0), u("KF"));
    EXPECT_EQ(T(parameters::funnelFlowMark, 1), u("FF"));
}

TEST_F(TextTable, ParameterFormCaptionWithChangedFile) {
    // Caption of the parameter form with a named, changed file.
    setLanguage(1);
    const QString caption = T(parameters::captionWithFile) + u("/data/Par/test.par") + u("]") +
                            u("    ") + T(mainWindow::modifiedMark);
    EXPECT_EQ(caption, u("Parameter      [parameter file: /data/Par/test.par]    Data modified!"));
    setLanguage(0);
    const QString de =
        T(parameters::captionWithFile) + u("a.par") + u("]") + u("    ") + T(mainWindow::modifiedMark);
    EXPECT_EQ(de, u("Parameter      [Aktuelle Parameterdatei: a.par]    Geändert!"));
}

TEST_F(TextTable, StartWindowCaptionInEnglish) {
    EXPECT_EQ(u(kProductName) + u("  -  ") + T(start::conditionsCaption, 1),
              u("KORVANE  -  LICENCE"));
    EXPECT_EQ(T(start::accept, 1), u("I agree."));
    EXPECT_EQ(T(start::cancel, 0), u("ABBRUCH"));
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
        setLanguage(0);
        EXPECT_EQ(problemText(c.code), u(c.de)) << c.code;
        setLanguage(1);
        EXPECT_EQ(problemText(c.code), u(c.en)) << c.code;
        setLanguage(0);
    }
    for (int other : {0, 1, 2, 4, 5, 7, 11, 22, -3, 100}) {
        EXPECT_TRUE(problemText(other, 0).isEmpty()) << other;
        EXPECT_TRUE(problemText(other, 1).isEmpty()) << other;
    }
}

TEST_F(TextTable, LoadErrorMessage) {
    // "Fehler", a blank and the code.
    EXPECT_EQ(T(error::caption, 0) + u(" ") + QString::number(3), u("Fehler 3"));
    EXPECT_EQ(T(error::caption, 1) + u(" ") + QString::number(5), u("Error 5"));
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
