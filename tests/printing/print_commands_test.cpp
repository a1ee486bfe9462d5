// The print commands: the PDF file written where no printer is set up, the
// job titles, the hourglass, the error path and the printer set-up dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QTest>

#include "print_test_util.h"
#include "ui/main/appstate.h"
#include "ui/main/platform.h"
#include "ui/main/printing.h"
#include "ui/texts/tkonst.h"

using namespace korvane;
using namespace korvane::ui;

namespace {

class PrintCommands : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tmp.isValid());
        const bool none = false;
        setPrintersAvailableOverride(&none);
        setPrinterChosen(false);
        programPrinter().setOutputFormat(QPrinter::NativeFormat);
        platform::shownMessages().clear();
        platform::setNextAnswer(true);
        app().Ergebnisordner = tmp.path() + "/Output/";
        app().Parameterdatei.clear();
        app().Geaendert = false;
        tkonst::setSprache(0);
        test::defaultSilo();
    }
    void TearDown() override {
        platform::clearNextAnswer();
        setPrintersAvailableOverride(nullptr);
        setPrinterChosen(false);
        app().Ergebnisordner.clear();
    }
    QTemporaryDir tmp;
    const PrintStatus status{QStringLiteral("Füllzustand"), QStringLiteral("1234"), QStringLiteral("567")};
};

QString pdfTitle(const QString& path) {
    for (const QString& l : test::runTool(QStringLiteral("pdfinfo"), {path}).split('\n'))
        if (l.startsWith(QStringLiteral("Title:"))) return l.mid(6).trimmed();
    return {};
}

}  // namespace

TEST_F(PrintCommands, TableWithoutPrinterBecomesPdfInTheResultFolder) {
    Tabelle_Drucken(nullptr, status);
    const QString path = tmp.path() + "/Output/KORVANE_Table.pdf";
    ASSERT_TRUE(QFileInfo::exists(path));  // the missing folder was created
    EXPECT_TRUE(lastPrintOutcome().ok);
    EXPECT_TRUE(lastPrintOutcome().pdf);
    EXPECT_EQ(QFileInfo(lastPrintOutcome().path).canonicalFilePath(), QFileInfo(path).canonicalFilePath());
    ASSERT_EQ(platform::shownMessages().size(), 1);
    EXPECT_TRUE(platform::shownMessages()[0].startsWith(
        QStringLiteral("Die Seite wurde als PDF-Datei gespeichert:\n")));
    EXPECT_TRUE(platform::shownMessages()[0].endsWith(QStringLiteral("KORVANE_Table.pdf")));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // hourglass gone
    if (test::haveTool(QStringLiteral("pdfinfo"))) EXPECT_EQ(pdfTitle(path), QStringLiteral("KORVANE_Table"));
    if (test::haveTool(QStringLiteral("pdftotext"))) {
        const QStringList lines = test::pdfLines(path);
        EXPECT_TRUE(lines.contains(QStringLiteral("Zustand: Füllzustand")));
        EXPECT_TRUE(lines.contains(QStringLiteral("Füllmenge: 1234 kg")));
    }
}

TEST_F(PrintCommands, DiagramWithoutPrinterBecomesPdfWithItsTitle) {
    app().Parameterdatei = QStringLiteral("/data/Par/a.par");
    tkonst::setSprache(1);
    Diagramm_Drucken(nullptr);
    const QString path = tmp.path() + "/Output/KORVANE_Diagram.pdf";
    ASSERT_TRUE(QFileInfo::exists(path));
    EXPECT_TRUE(platform::shownMessages().value(0).startsWith(
        QStringLiteral("The page was saved as a PDF file:\n")));
    if (test::haveTool(QStringLiteral("pdfinfo"))) EXPECT_EQ(pdfTitle(path), QStringLiteral("KORVANE_Diagram"));
    if (test::haveTool(QStringLiteral("pdftotext")))
        EXPECT_TRUE(test::pdfLines(path).value(0).endsWith(QStringLiteral("[Parameter file:/data/Par/a.par]")));
    tkonst::setSprache(0);
}

TEST_F(PrintCommands, ChosenPdfOutputAlsoWritesIntoTheResultFolder) {
    const bool some = true;
    setPrintersAvailableOverride(&some);
    setPrinterChosen(true);
    programPrinter().setOutputFormat(QPrinter::PdfFormat);
    Tabelle_Drucken(nullptr, status);
    EXPECT_TRUE(QFileInfo::exists(tmp.path() + "/Output/KORVANE_Table.pdf"));
    EXPECT_TRUE(lastPrintOutcome().pdf);
}

TEST_F(PrintCommands, PdfFileChosenInTheSetUpReceivesThePage) {
    const bool some = true;
    setPrintersAvailableOverride(&some);
    setPrinterChosen(true);
    programPrinter().setOutputFormat(QPrinter::PdfFormat);
    const QString chosen = tmp.path() + "/chosen.pdf";
    programPrinter().setOutputFileName(chosen);
    Diagramm_Drucken(nullptr);
    EXPECT_TRUE(lastPrintOutcome().ok);
    EXPECT_EQ(lastPrintOutcome().path, chosen);
    EXPECT_EQ(pdfTitle(chosen), QStringLiteral("KORVANE_Diagram"));
    EXPECT_FALSE(QFileInfo::exists(tmp.path() + "/Output/KORVANE_Diagram.pdf"));
    programPrinter().setOutputFileName(QString());
}

TEST_F(PrintCommands, UnwritableResultFolderFallsBackToDocuments) {
    QStandardPaths::setTestModeEnabled(true);
    // A folder below a plain file cannot be created.
    QFile plain(tmp.path() + "/plain");
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    app().Ergebnisordner = tmp.path() + "/plain/Output/";
    const QString docs = platform::documentsFolder();
    QDir().mkpath(docs);
    const QString expected = QDir(docs).filePath(QStringLiteral("KORVANE_Diagram.pdf"));
    QFile::remove(expected);
    Diagramm_Drucken(nullptr);
    EXPECT_TRUE(QFileInfo::exists(expected)) << expected.toStdString();
    EXPECT_TRUE(lastPrintOutcome().ok);
    EXPECT_TRUE(platform::shownMessages().value(0).endsWith(QStringLiteral("KORVANE_Diagram.pdf")));
    QFile::remove(expected);
    QStandardPaths::setTestModeEnabled(false);
}

TEST_F(PrintCommands, PrinterFailureIsReportedAndTheHourglassRestored) {
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "a real printer is installed";
    // Pretend a printer is there although none is: the page cannot start.
    const bool some = true;
    setPrintersAvailableOverride(&some);
    programPrinter().setOutputFormat(QPrinter::PdfFormat);
    programPrinter().setOutputFileName(tmp.path() + "/no/such/folder/x.pdf");
    setPrinterChosen(false);
    Tabelle_Drucken(nullptr, status);
    EXPECT_FALSE(lastPrintOutcome().ok);
    ASSERT_EQ(platform::shownMessages().size(), 1);
    EXPECT_TRUE(platform::shownMessages()[0].startsWith(QStringLiteral("Fehler: ")));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    programPrinter().setOutputFileName(QString());
}

TEST_F(PrintCommands, PrinterSetupDialogRecordsTheChoice) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (dlg) {
            seen = true;
            dlg->reject();
        }
    });
    Druckereinrichten(nullptr);
    EXPECT_TRUE(seen);
    EXPECT_FALSE(printerChosen());

    seen = false;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (dlg) {
            seen = true;
            EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Drucker einrichten"));
            EXPECT_EQ(dlg->objectName(), QStringLiteral("PrinterSetupDialog1"));
            dlg->done(QDialog::Accepted);
        }
    });
    Druckereinrichten(nullptr);
    EXPECT_TRUE(seen);
    EXPECT_TRUE(printerChosen());
}
