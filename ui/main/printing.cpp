#include "ui/main/printing.h"

#include <QApplication>
#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <functional>
#include <optional>

#include "calc/model.h"
#include "ui/main/appstate.h"
#include "ui/main/platform.h"
#include "ui/main/print_pages.h"
#include "ui/texts/tkonst.h"

namespace korvane::ui {

namespace {

using tkonst::T;
using tkonst::TextPair;

// Messages of the print commands.
const TextPair kPdfGeschrieben{"Die Seite wurde als PDF-Datei gespeichert:\n",
                               "The page was saved as a PDF file:\n"};
const TextPair kDruckFehler{"Die Seite konnte nicht gedruckt werden. Drucker: ",
                            "The page could not be printed. Printer: "};
const TextPair kPdfFehler{"Die PDF-Datei konnte nicht geschrieben werden:\n",
                          "The PDF file could not be written:\n"};

QPrinter* g_printer = nullptr;
bool g_chosen = false;
std::optional<bool> g_printersOverride;
PrintOutcome g_outcome;

// The hourglass for the time of one print command, restored on every path.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

bool printersAvailable() {
    if (g_printersOverride) return *g_printersOverride;
    return !QPrinterInfo::availablePrinters().isEmpty();
}

using PagePainter = std::function<void(QPainter&)>;

// One page as a PDF file at 1200 dpi on A4. The file appears only when the
// page is complete.
bool writePdf(const QString& path, const QString& title, const PagePainter& paint) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    {
        QPdfWriter pdf(&file);
        pdf.setResolution(1200);
        pdf.setTitle(title);
        pdf.setCreator(QString::fromUtf8(tkonst::kProductName));
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter));
        QPainter painter;
        if (!painter.begin(&pdf)) {
            file.cancelWriting();
            return false;
        }
        paint(painter);
        if (!painter.end()) {
            file.cancelWriting();
            return false;
        }
    }
    return file.commit();
}

// Folders for the PDF file, in order of preference.
QStringList pdfFolders() {
    QStringList folders;
    if (!app().Ergebnisordner.isEmpty()) folders << app().Ergebnisordner;
    const QString docs = platform::documentsFolder();
    if (!docs.isEmpty()) folders << docs;
    return folders;
}

void printPage(QWidget* parent, const QString& jobTitle, const PagePainter& paint) {
    WaitCursor wait;
    g_outcome = PrintOutcome{};
    const QString caption = QString::fromUtf8(tkonst::kProductName);
    QPrinter& printer = programPrinter();

    const bool toPdf =
        g_chosen ? printer.outputFormat() == QPrinter::PdfFormat : !printersAvailable();
    if (!toPdf) {
        printer.setDocName(jobTitle);
        QPainter painter;
        bool ok = painter.begin(&printer);
        if (ok) {
            paint(painter);
            ok = painter.end();
        }
        if (!ok) {
            platform::message(parent, caption,
                              T(tkonst::Fehler) + QStringLiteral(": ") + T(kDruckFehler) +
                                  printer.printerName(),
                              platform::Icon::Critical);
            return;
        }
        g_outcome.ok = true;
        return;
    }

    QStringList tried;
    // A PDF file chosen in the printer set-up receives the page itself.
    const QString chosenFile = g_chosen ? printer.outputFileName() : QString();
    if (!chosenFile.isEmpty()) {
        if (writePdf(chosenFile, jobTitle, paint)) {
            g_outcome = PrintOutcome{true, true, chosenFile};
            platform::message(parent, caption,
                              T(kPdfGeschrieben) + QDir::toNativeSeparators(chosenFile),
                              platform::Icon::Information);
            return;
        }
        tried << chosenFile;
    }
    const QString fileName = jobTitle + QStringLiteral(".pdf");
    for (const QString& folder : pdfFolders()) {
        if (!QDir().mkpath(folder)) {
            tried << QDir(folder).filePath(fileName);
            continue;
        }
        const QString path = QDir::cleanPath(QDir(folder).absoluteFilePath(fileName));
        if (writePdf(path, jobTitle, paint)) {
            g_outcome = PrintOutcome{true, true, path};
            platform::message(parent, caption, T(kPdfGeschrieben) + QDir::toNativeSeparators(path),
                              platform::Icon::Information);
            return;
        }
        tried << path;
    }
    g_outcome.pdf = true;
    platform::message(parent, caption,
                      T(tkonst::Fehler) + QStringLiteral(": ") + T(kPdfFehler) +
                          tried.join(QLatin1Char('\n')),
                      platform::Icon::Critical);
}

}  // namespace

QPrinter& programPrinter() {
    // Lives until the program ends, like the printer of the operating system.
    if (!g_printer) g_printer = new QPrinter(QPrinter::HighResolution);
    return *g_printer;
}

bool printerChosen() { return g_chosen; }
void setPrinterChosen(bool chosen) { g_chosen = chosen; }
const PrintOutcome& lastPrintOutcome() { return g_outcome; }

void setPrintersAvailableOverride(const bool* available) {
    if (available) g_printersOverride = *available;
    else g_printersOverride.reset();
}

void Tabelle_Drucken(QWidget* parent, const PrintStatus& status) {
    const QString file = app().Parameterdatei;
    const bool changed = app().Geaendert;
    const int language = tkonst::sprache();
    printPage(parent, QStringLiteral("KORVANE_Table"), [&](QPainter& p) {
        paintTablePage(p, globalModel(), status, file, changed, language);
    });
}

void Diagramm_Drucken(QWidget* parent) { Diagramm_Drucken(parent, DiagramExtras{}); }

void Diagramm_Drucken(QWidget* parent, const DiagramExtras& extras) {
    const QString file = app().Parameterdatei;
    const bool changed = app().Geaendert;
    const int language = tkonst::sprache();
    printPage(parent, QStringLiteral("KORVANE_Diagram"), [&](QPainter& p) {
        paintDiagramPage(p, globalModel(), file, changed, language, extras);
    });
}

void Druckereinrichten(QWidget* parent) {
    QPrintDialog dialog(&programPrinter(), parent);
    dialog.setObjectName(QStringLiteral("PrinterSetupDialog1"));
    QString title = T(tkonst::Druckereinrichten1);
    title.remove(QLatin1Char('&'));
    dialog.setWindowTitle(title);
    if (dialog.exec() == QDialog::Accepted) g_chosen = true;
}

}  // namespace korvane::ui
