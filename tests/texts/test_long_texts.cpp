// The long help texts, the conditions of use and the licence text file.
#include <gtest/gtest.h>

#include <QFile>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>

#include "ui/texts/texts.h"

using namespace korvane::texts;

namespace {

struct LongText {
    const char* name;
    const TextPair* pair;
    int de;  // nominal length in characters
    int en;
};

const LongText kLong[] = {
    {"help::whatItCalculatesText", &help::whatItCalculatesText, 2107, 2399},
    {"help::dataInputOutputText", &help::dataInputOutputText, 2404, 2435},
    {"help::bulkSolidDefaultsText", &help::bulkSolidDefaultsText, 3048, 3085},
    {"help::siloDefaultsText", &help::siloDefaultsText, 1401, 1652},
    {"help::calculationMethodsText", &help::calculationMethodsText, 2771, 3188},
    {"help::flowPropertiesText", &help::flowPropertiesText, 1302, 1387},
    {"start::conditionsText", &start::conditionsText, 1869, 2248},
};

bool within15Percent(int actual, int nominal) {
    return actual >= nominal * 0.85 && actual <= nominal * 1.15;
}

}  // namespace

TEST(LongTexts, LengthsWithinFifteenPercent) {
    for (const LongText& t : kLong) {
        const int de = T(*t.pair, 0).size();
        const int en = T(*t.pair, 1).size();
        EXPECT_TRUE(within15Percent(de, t.de)) << t.name << " German " << de << " vs " << t.de;
        EXPECT_TRUE(within15Percent(en, t.en)) << t.name << " English " << en << " vs " << t.en;
    }
}

TEST(LongTexts, LanguagesDiffer) {
    for (const LongText& t : kLong) EXPECT_NE(T(*t.pair, 0), T(*t.pair, 1)) << t.name;
}

TEST(LongTexts, ShownWithLineBreaksInAReadOnlyTextField) {
    // The help text windows show the texts in a read-only plain text field;
    // "\n" has to become separate lines there.
    QPlainTextEdit field;
    field.setReadOnly(true);
    field.setPlainText(T(help::calculationMethodsText, 0));
    EXPECT_GE(field.document()->blockCount(), 15);
    EXPECT_EQ(field.document()->firstBlock().text(), QString::fromUtf8("Senkrechte Abschnitte (Janssen)"));
    field.setPlainText(T(help::calculationMethodsText, 1));
    EXPECT_EQ(field.document()->firstBlock().text(), QString::fromUtf8("Vertical sections (Janssen)"));
}

TEST(LongTexts, DescribeWhatTheProgramDoes) {
    for (int lang : {0, 1}) {
        const QString methods = T(help::calculationMethodsText, lang);
        EXPECT_TRUE(methods.contains(QStringLiteral("1000"))) << lang;
        EXPECT_TRUE(methods.contains(QStringLiteral("Janssen"))) << lang;
        EXPECT_TRUE(methods.contains(QStringLiteral("Motzkus"))) << lang;
        EXPECT_TRUE(methods.contains(QStringLiteral("Arnold und McLean")) ||
                    methods.contains(QStringLiteral("Arnold and McLean")))
            << lang;
        EXPECT_TRUE(methods.contains(QStringLiteral("(1+sin(PHIE))/(1-sin(PHIE))*SIGMAV"))) << lang;
        // The warnings are quoted exactly as the main window shows them.
        EXPECT_TRUE(methods.contains(T(results::funnelFlow, lang))) << lang;
        EXPECT_TRUE(T(help::whatItCalculatesText, lang).contains(T(results::densityRangeExceeded, lang)))
            << lang;

        const QString data = T(help::dataInputOutputText, lang);
        EXPECT_TRUE(data.contains(QStringLiteral("z[m];RHOB[kg/m3];SIGMAV[Pa];SIGMAW[Pa]"))) << lang;
        EXPECT_TRUE(data.contains(QStringLiteral(".par"))) << lang;
        EXPECT_TRUE(data.contains(QStringLiteral("Sprache/Language"))) << lang;

        const QString bulk = T(help::bulkSolidDefaultsText, lang);
        EXPECT_TRUE(bulk.contains(QStringLiteral("1.2*(1-sin(PHIE))"))) << lang;
        EXPECT_TRUE(bulk.contains(QStringLiteral("RHOB = RHOMIN + (RHOMAX-RHOMIN)*[1-exp(-SIGMA/SIGMA0)]")))
            << lang;

        EXPECT_TRUE(T(help::flowPropertiesText, lang).contains(QString::fromUtf8(kWebAddress))) << lang;
    }
}

TEST(LongTexts, ConditionsAreNumberedAndPointToTheDocument) {
    for (int lang : {0, 1}) {
        const QString c = T(start::conditionsText, lang);
        EXPECT_TRUE(c.contains(QString::fromUtf8(kEulaFile))) << lang;
        EXPECT_TRUE(c.contains(T(start::accept, lang))) << lang;
        // Points 1 to 5 at the start of a line, in order.
        int from = 0;
        for (int n = 1; n <= 5; ++n) {
            const int at = c.indexOf(QStringLiteral("\n%1. ").arg(n), from);
            EXPECT_GT(at, 0) << "point " << n << " language " << lang;
            from = at + 1;
        }
    }
}

TEST(LicenceFile, PlainTextGermanThenEnglish) {
    QFile f(QStringLiteral(KORVANE_TEST_DATA "/../../ui/texts/KORVANE_EULA.txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_FALSE(text.contains(QChar::ReplacementCharacter));
    EXPECT_FALSE(text.contains(QLatin1Char('\r')));
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines) EXPECT_LE(line.size(), 90) << line.toStdString();

    const int de = text.indexOf(QStringLiteral("# KORVANE - Nutzungsbedingungen"));
    const int en = text.indexOf(QStringLiteral("# KORVANE - Conditions of use"));
    EXPECT_EQ(de, 0);
    EXPECT_GT(en, de);
    // About one to two pages each.
    EXPECT_GT(en - de, 3000);
    EXPECT_GT(text.size() - en, 3000);
    EXPECT_TRUE(text.contains(QString::fromUtf8(kWebAddress)));
    EXPECT_TRUE(text.contains(QString::fromUtf8(kMakerNotice)));
    const QRegularExpression bad(QStringLiteral("\\bspecs?\\b|spe[c]ification|spezifikation"),
                                 QRegularExpression::CaseInsensitiveOption);
    EXPECT_FALSE(bad.match(text).hasMatch());
}
