// Screen scaling rules of the start and help windows, and the typesetting of
// the licence document.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "ui/info/eulapdf.h"
#include "ui/info/infoscaling.h"

using namespace korvane::ui;

TEST(Scaling, ScreenFactor) {
    EXPECT_DOUBLE_EQ(computeSkalierung(QSize(800, 600)), 1.0);
    EXPECT_DOUBLE_EQ(computeSkalierung(QSize(1280, 1024)), 1.6);   // ratio 1.25
    EXPECT_DOUBLE_EQ(computeSkalierung(QSize(1010, 750)), 1010.0 / 800);  // exactly 101/75
    EXPECT_NEAR(computeSkalierung(QSize(1920, 1080)), 1.71, 1e-12);  // wide
    EXPECT_NEAR(computeSkalierung(QSize(1366, 768)), 768 * 0.95 / 600, 1e-12);
}

TEST(Scaling, ControlAndBookFactors) {
    EXPECT_DOUBLE_EQ(controlFactor(1.6), 1.6);
    EXPECT_DOUBLE_EQ(controlFactor(1.2159), 973.0 / 800);  // rounded to 1/800
    EXPECT_DOUBLE_EQ(bookFactor(1.0), 800.0 / 1100);
    EXPECT_DOUBLE_EQ(bookFactor(1.6), 1012.0 / 1100);  // sqrt(1.6) * 800 = 1011.93
}

TEST(Scaling, ClientGrowsWithTheScreenInIntegerSteps) {
    EXPECT_EQ(screenScaledClient(QSize(489, 324), QSize(800, 600)), QSize(489, 324));
    EXPECT_EQ(screenScaledClient(QSize(489, 324), QSize(1280, 1024)), QSize(782, 552));
    EXPECT_EQ(screenScaledClient(QSize(263, 169), QSize(1024, 768)), QSize(336, 216));
}

TEST(Scaling, FitsTheAvailableDesktop) {
    EXPECT_EQ(fitClient(QSize(1460, 1104), QSize(8, 32), QSize(1280, 984)), QSize(1272, 952));
    EXPECT_EQ(fitClient(QSize(400, 300), QSize(8, 32), QSize(1280, 984)), QSize(400, 300));
}

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int pdfPages(const QByteArray& pdf) {
    static const QRegularExpression page("/Type\\s*/Page[^s]");
    return int(QString::fromLatin1(pdf).count(page));
}

}  // namespace

TEST(EulaPdf, WritesAnA4DocumentWithOnePagePerLanguageAtLeast) {
    QTemporaryDir dir;
    const QString text =
        "# KORVANE - Nutzungsbedingungen\n\nErster Absatz,\nüber zwei Zeilen.\n\n"
        "# 1. Zustimmung\n\n1.1 Text.\n\n# KORVANE - Conditions of use\n\nFirst paragraph.\n";
    const QString out = dir.path() + "/KORVANE_EULA.pdf";
    QString error;
    ASSERT_TRUE(writeEulaPdf(text, out, &error)) << error.toStdString();
    const QByteArray pdf = readAll(out);
    ASSERT_TRUE(pdf.startsWith("%PDF-"));
    // The second title starts a new page.
    EXPECT_EQ(pdfPages(pdf), 2);
    EXPECT_EQ(eulaPageCount(text), 2);
    // A4 media box in points.
    EXPECT_TRUE(pdf.contains("/MediaBox [0 0 595") || pdf.contains("/MediaBox [0 0 594"));
    EXPECT_FALSE(QFile::exists(out + ".part"));
}

TEST(EulaPdf, LongTextRunsOverSeveralPages) {
    QString text = "# KORVANE - Conditions of use\n\n";
    for (int i = 1; i <= 60; ++i)
        text += QString("# %1. Section\n\n%1.1 ").arg(i) + QString("Lorem ipsum dolor. ").repeated(20) + "\n\n";
    QTemporaryDir dir;
    const QString out = dir.path() + "/e.pdf";
    ASSERT_TRUE(writeEulaPdf(text, out));
    const int pages = eulaPageCount(text);
    EXPECT_GT(pages, 3);
    EXPECT_EQ(pdfPages(readAll(out)), pages);
}

TEST(EulaPdf, UnwritableTargetFails) {
    QString error;
    EXPECT_FALSE(writeEulaPdf("# T\n\nx\n", "/nonexistent-folder/x/KORVANE_EULA.pdf", &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(EulaPdf, TheShippedConditionsGiveEachLanguageItsOwnPages) {
    QFile src(QStringLiteral(KORVANE_TEST_DATA) + "/../../ui/texts/KORVANE_EULA.txt");
    ASSERT_TRUE(src.open(QIODevice::ReadOnly)) << "licence text source missing";
    const QString text = QString::fromUtf8(src.readAll());
    // Two titles (German, English), each starting a page: at least two pages,
    // and cutting the text before the English title leaves fewer pages.
    const int all = eulaPageCount(text);
    EXPECT_GE(all, 2);
    const int english = int(text.indexOf("\n# KORVANE", 5));
    ASSERT_GT(english, 0);
    EXPECT_LT(eulaPageCount(text.left(english)), all);
    QTemporaryDir dir;
    ASSERT_TRUE(writeEulaPdf(text, dir.path() + "/KORVANE_EULA.pdf"));
    EXPECT_EQ(pdfPages(readAll(dir.path() + "/KORVANE_EULA.pdf")), all);
}
