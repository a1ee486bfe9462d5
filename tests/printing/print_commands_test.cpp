// The print commands: the PDF file written where no printer is set up, the
// job titles, the hourglass, the error path and the printer set-up dialog.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QRegularExpression>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QTest>

#include "print_test_util.h"
#include "ui/main/appstate.h"
#include "ui/main/platform.h"
#include "ui/main/printer_setup.h"
#include "ui/main/printing.h"
#include "ui/texts/texts.h"

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
        app().resultFolder = tmp.path() + "/Output/";
        test::document().parameterFile.clear();
        test::document().modified = false;
        texts::setLanguage(0);
        test::defaultSilo();
    }
    void TearDown() override {
        platform::clearNextAnswer();
        setPrintersAvailableOverride(nullptr);
        setPrinterChosen(false);
        app().resultFolder.clear();
    }
    QTemporaryDir tmp;
    const PrintStatus status{QStringLiteral("Füllzustand"), QStringLiteral("1234"), QStringLiteral("567")};
};

// Accepts every message box that comes up while it lives (the seam answers
// only the next one).
class MessageBoxCloser {
public:
    MessageBoxCloser() {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->accept();
        });
        timer_.start();
    }

private:
    QTimer timer_;
};

QString pdfTitle(const QString& path) {
    for (const QString& l : test::runTool(QStringLiteral("pdfinfo"), {path}).split('\n'))
        if (l.startsWith(QStringLiteral("Title:"))) return l.mid(6).trimmed();
    return {};
}

}  // namespace

TEST_F(PrintCommands, TableWithoutPrinterBecomesPdfInTheResultFolder) {
    printResultTable(nullptr, test::document(), status);
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
    if (test::haveTool(QStringLiteral("pdfinfo"))) {
        EXPECT_EQ(pdfTitle(path), QStringLiteral("KORVANE_Table"));
    }
    if (test::haveTool(QStringLiteral("pdftotext"))) {
        const QStringList lines = test::pdfLines(path);
        EXPECT_TRUE(lines.contains(QStringLiteral("Zustand: Füllzustand")));
        EXPECT_TRUE(lines.contains(QStringLiteral("Füllmenge: 1234 kg")));
    }
}

TEST_F(PrintCommands, DiagramWithoutPrinterBecomesPdfWithItsTitle) {
    test::document().parameterFile = QStringLiteral("/data/Par/a.par");
    texts::setLanguage(1);
    printResultDiagram(nullptr, test::document());
    const QString path = tmp.path() + "/Output/KORVANE_Diagram_a.pdf";
    ASSERT_TRUE(QFileInfo::exists(path));
    EXPECT_TRUE(platform::shownMessages().value(0).startsWith(
        QStringLiteral("The page was saved as a PDF file:\n")));
    if (test::haveTool(QStringLiteral("pdfinfo"))) {
        EXPECT_EQ(pdfTitle(path), QStringLiteral("KORVANE_Diagram"));
    }
    if (test::haveTool(QStringLiteral("pdftotext"))) {
        EXPECT_TRUE(test::pdfLines(path).value(0).endsWith(QStringLiteral("[Parameter file: /data/Par/a.par]")));
    }
    texts::setLanguage(0);
}

TEST_F(PrintCommands, ChosenPdfOutputAlsoWritesIntoTheResultFolder) {
    const bool some = true;
    setPrintersAvailableOverride(&some);
    setPrinterChosen(true);
    programPrinter().setOutputFormat(QPrinter::PdfFormat);
    printResultTable(nullptr, test::document(), status);
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
    printResultDiagram(nullptr, test::document());
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
    app().resultFolder = tmp.path() + "/plain/Output/";
    const QString docs = platform::documentsFolder();
    QDir().mkpath(docs);
    const QString expected = QDir(docs).filePath(QStringLiteral("KORVANE_Diagram.pdf"));
    QFile::remove(expected);
    printResultDiagram(nullptr, test::document());
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
    printResultTable(nullptr, test::document(), status);
    EXPECT_FALSE(lastPrintOutcome().ok);
    ASSERT_EQ(platform::shownMessages().size(), 1);
    EXPECT_TRUE(platform::shownMessages()[0].startsWith(QStringLiteral("Fehler: ")));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    programPrinter().setOutputFileName(QString());
}

TEST_F(PrintCommands, PrinterSetupDialogRecordsTheChoice) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<PrinterSetupDialog*>(QApplication::activeModalWidget());
        if (dlg) {
            seen = true;
            dlg->reject();
        }
    });
    showPrinterSetup(nullptr);
    EXPECT_TRUE(seen);
    EXPECT_FALSE(printerChosen());

    seen = false;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<PrinterSetupDialog*>(QApplication::activeModalWidget());
        if (dlg) {
            seen = true;
            EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Drucker einrichten"));
            EXPECT_EQ(dlg->objectName(), QStringLiteral("printerSetupDialog"));
            dlg->accept();
        }
    });
    showPrinterSetup(nullptr);
    EXPECT_TRUE(seen);
    EXPECT_TRUE(printerChosen());
}

TEST_F(PrintCommands, SetUpConfirmsWithOkAndItsPaperAndOrientationReachThePdf) {
    const QString chosen = tmp.path() + "/landscape.pdf";
    QStringList buttons;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<PrinterSetupDialog*>(QApplication::activeModalWidget());
        if (!dlg) return;
        for (auto* b : dlg->findChildren<QAbstractButton*>()) buttons << b->text().remove('&');
        auto* printers = dlg->findChild<QComboBox*>(QStringLiteral("printerChoice"));
        printers->setCurrentIndex(printers->count() - 1);  // PDF file, no printer
        dlg->findChild<QLineEdit*>(QStringLiteral("pdfFileField"))->setText(chosen);
        auto* paper = dlg->findChild<QComboBox*>(QStringLiteral("paperChoice"));
        paper->setCurrentIndex(paper->findData(int(QPageSize::A5)));
        dlg->findChild<QRadioButton*>(QStringLiteral("landscapeButton"))->setChecked(true);
        dlg->accept();
    });
    showPrinterSetup(nullptr);
    ASSERT_TRUE(printerChosen());
    EXPECT_FALSE(buttons.isEmpty());
    for (const QString& b : buttons) {
        EXPECT_NE(b, QStringLiteral("Print"));
        EXPECT_NE(b, QStringLiteral("Drucken"));
    }
    printResultDiagram(nullptr, test::document());
    ASSERT_TRUE(lastPrintOutcome().ok);
    EXPECT_EQ(lastPrintOutcome().path, chosen);
    if (test::haveTool(QStringLiteral("pdfinfo"))) {
        QString size;
        for (const QString& l : test::runTool(QStringLiteral("pdfinfo"), {chosen}).split('\n'))
            if (l.startsWith(QStringLiteral("Page size:"))) size = l;
        // A5 landscape: 210 x 148 mm, 595 x 420 pt.
        const QRegularExpressionMatch pt =
            QRegularExpression(QStringLiteral("([0-9.]+) x ([0-9.]+) pts")).match(size);
        ASSERT_TRUE(pt.hasMatch()) << size.toStdString();
        EXPECT_NEAR(pt.captured(1).toDouble(), 595.3, 1.0);
        EXPECT_NEAR(pt.captured(2).toDouble(), 419.5, 1.0);
    }
    programPrinter().setOutputFileName(QString());
    programPrinter().setPageOrientation(QPageLayout::Portrait);
    programPrinter().setPageSize(QPageSize(QPageSize::A4));
}

TEST_F(PrintCommands, FallbackPdfsNeverReplaceEachOther) {
    test::document().parameterFile = QStringLiteral("/data/Par/Standardsilo.par");
    MessageBoxCloser closer;
    QStringList written;
    for (int i = 0; i < 3; ++i) {
        printResultTable(nullptr, test::document(), status);
        ASSERT_TRUE(lastPrintOutcome().ok);
        written << lastPrintOutcome().path;
    }
    printResultDiagram(nullptr, test::document());
    written << lastPrintOutcome().path;
    EXPECT_EQ(QFileInfo(written[0]).fileName(), QStringLiteral("KORVANE_Table_Standardsilo.pdf"));
    EXPECT_EQ(QFileInfo(written[1]).fileName(), QStringLiteral("KORVANE_Table_Standardsilo_2.pdf"));
    EXPECT_EQ(QFileInfo(written[3]).fileName(), QStringLiteral("KORVANE_Diagram_Standardsilo.pdf"));
    written.removeDuplicates();
    EXPECT_EQ(written.size(), 4);
    for (const QString& f : written) EXPECT_TRUE(QFileInfo::exists(f)) << f.toStdString();
}

TEST_F(PrintCommands, FileChosenInTheSetUpIsNotReusedWithoutAsking) {
    const bool some = true;
    setPrintersAvailableOverride(&some);
    setPrinterChosen(true);
    programPrinter().setOutputFileName(tmp.path() + "/chosen.pdf");
    programPrinter().setOutputFormat(QPrinter::PdfFormat);
    const QString chosen = tmp.path() + "/chosen.pdf";
    MessageBoxCloser closer;
    printResultTable(nullptr, test::document(), status);
    EXPECT_EQ(lastPrintOutcome().path, chosen);
    EXPECT_EQ(platform::shownMessages().size(), 1);  // where the page went

    // The second page: the user is asked; Cancel keeps the table.
    platform::shownMessages().clear();
    platform::setNextAnswer(false);
    printResultDiagram(nullptr, test::document());
    ASSERT_GE(platform::shownMessages().size(), 1);
    EXPECT_TRUE(platform::shownMessages()[0].contains(chosen)) << platform::shownMessages()[0].toStdString();
    EXPECT_EQ(lastPrintOutcome().path, tmp.path() + "/chosen_2.pdf");
    if (test::haveTool(QStringLiteral("pdfinfo"))) {
        EXPECT_EQ(pdfTitle(chosen), QStringLiteral("KORVANE_Table"));
    }

    // OK replaces it.
    platform::setNextAnswer(true);
    printResultDiagram(nullptr, test::document());
    EXPECT_EQ(lastPrintOutcome().path, chosen);
    if (test::haveTool(QStringLiteral("pdfinfo"))) {
        EXPECT_EQ(pdfTitle(chosen), QStringLiteral("KORVANE_Diagram"));
    }
    programPrinter().setOutputFileName(QString());
}

TEST_F(PrintCommands, NoMessageBoxUnderTheHourglass) {
    MessageBoxCloser closer;
    const int before = platform::messagesUnderBusyCursor();
    printResultTable(nullptr, test::document(), status);
    printResultDiagram(nullptr, test::document());
    EXPECT_EQ(platform::shownMessages().size(), 2);
    EXPECT_EQ(platform::messagesUnderBusyCursor(), before);
}
