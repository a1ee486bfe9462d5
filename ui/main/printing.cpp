#include "ui/main/printing.h"

#include <QApplication>
#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <functional>
#include <optional>

#include "calc/model.h"
#include "ui/document/silodocument.h"
#include "ui/main/appstate.h"
#include "ui/main/desktop_habits.h"
#include "ui/main/platform.h"
#include "ui/main/print_pages.h"
#include "ui/main/printer_setup.h"
#include "ui/texts/texts.h"

namespace korvane::ui {

namespace {

using texts::T;

QPrinter* g_printer = nullptr;
bool g_chosen = false;
bool g_chosenFileUsed = false;  // the file chosen in the set-up holds a page
std::optional<bool> g_printersOverride;
PrintOutcome g_outcome;

// The hourglass for the time of one print command, restored on every path
// and always before a message box appears.
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

// Paper and orientation of a PDF page: those of the printer set-up once it
// was accepted, else A4 portrait; 5 mm margins.
QPageLayout pdfPageLayout() {
    QPageSize size(QPageSize::A4);
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    if (g_chosen && g_printer) {
        const QPageLayout chosen = g_printer->pageLayout();
        if (chosen.pageSize().isValid()) size = chosen.pageSize();
        orientation = chosen.orientation();
    }
    return QPageLayout(size, orientation, QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
}

bool writePdf(const QString& path, const QString& title, const PagePainter& paint) {
    return writePdfPage(path, title, pdfPageLayout(), paint);
}

// Folders for the PDF file, in order of preference.
QStringList pdfFolders() {
    QStringList folders;
    if (!app().resultFolder.isEmpty()) folders << app().resultFolder;
    const QString docs = platform::documentsFolder();
    if (!docs.isEmpty()) folders << docs;
    return folders;
}

// `parameterFile` names the PDF file written in place of a printout.
void printPage(QWidget* parent, const QString& parameterFile, const QString& jobTitle,
               const PagePainter& paint) {
    g_outcome = PrintOutcome{};
    const QString caption = QString::fromUtf8(texts::kProductName);
    QPrinter& printer = programPrinter();

    const bool toPdf =
        g_chosen ? printer.outputFormat() == QPrinter::PdfFormat : !printersAvailable();
    if (!toPdf) {
        bool ok = false;
        {
            WaitCursor wait;
            printer.setDocName(jobTitle);
            QPainter painter;
            ok = painter.begin(&printer);
            if (ok) {
                paint(painter);
                ok = painter.end();
            }
        }
        if (!ok) {
            platform::message(parent, caption,
                              T(texts::error::caption) + QStringLiteral(": ") +
                                  T(texts::printing::printFailed) + printer.printerName(),
                              platform::Icon::Critical);
            return;
        }
        g_outcome.ok = true;
        return;
    }

    // A PDF file chosen in the printer set-up receives the first page; a
    // second page replaces it only when the user says so, else it goes to a
    // new name beside it.
    QStringList candidates;  // files to try, in order; empty entries: folders below
    QString chosenFile = g_chosen ? printer.outputFileName() : QString();
    if (!chosenFile.isEmpty() && g_chosenFileUsed && QFileInfo::exists(chosenFile)) {
        const bool replace = platform::messageOkCancel(parent, caption,
                                                       T(texts::printing::chosenFileHoldsPage) +
                                                           QDir::toNativeSeparators(chosenFile) +
                                                           T(texts::printing::replaceOrNewName),
                                                       platform::Icon::Question);
        if (!replace) {
            const QFileInfo info(chosenFile);
            chosenFile = unusedPdfName(info.absolutePath(), info.completeBaseName());
        }
    }

    QStringList tried;
    QString written;
    {
        WaitCursor wait;
        if (!chosenFile.isEmpty()) {
            if (writePdf(chosenFile, jobTitle, paint)) {
                written = chosenFile;
                if (chosenFile == printer.outputFileName()) g_chosenFileUsed = true;
            } else {
                tried << chosenFile;
            }
        }
        // Without a printer the page gets a new file in the result folder,
        // named after the page and the parameter file; nothing is replaced.
        QString base = jobTitle;
        const QString stem = QFileInfo(parameterFile).completeBaseName();
        if (!stem.isEmpty()) base += QLatin1Char('_') + stem;
        for (const QString& folder : pdfFolders()) {
            if (!written.isEmpty()) break;
            if (!QDir().mkpath(folder)) {
                tried << QDir(folder).filePath(base + QStringLiteral(".pdf"));
                continue;
            }
            const QString path = unusedPdfName(folder, base);
            if (writePdf(path, jobTitle, paint)) written = path;
            else tried << path;
        }
    }
    if (!written.isEmpty()) {
        g_outcome = PrintOutcome{true, true, written};
        platform::message(parent, caption,
                          T(texts::printing::pageSavedAsPdf) + QDir::toNativeSeparators(written),
                          platform::Icon::Information);
        return;
    }
    g_outcome.pdf = true;
    platform::message(parent, caption,
                      T(texts::error::caption) + QStringLiteral(": ") +
                          T(texts::printing::pdfNotWritten) + tried.join(QLatin1Char('\n')),
                      platform::Icon::Critical);
}

}  // namespace

bool writePdfPage(const QString& path, const QString& title, const QPageLayout& layout,
                  const std::function<void(QPainter&)>& paint) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    {
        QPdfWriter pdf(&file);
        pdf.setResolution(1200);
        pdf.setTitle(title);
        pdf.setCreator(QString::fromUtf8(texts::kProductName));
        pdf.setPageLayout(layout);
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

QPrinter& programPrinter() {
    // Lives until the program ends, like the printer of the operating system.
    if (!g_printer) g_printer = new QPrinter(QPrinter::HighResolution);
    return *g_printer;
}

bool printerChosen() { return g_chosen; }
void setPrinterChosen(bool chosen) {
    g_chosen = chosen;
    g_chosenFileUsed = false;
}
const PrintOutcome& lastPrintOutcome() { return g_outcome; }

void setPrintersAvailableOverride(const bool* available) {
    if (available) g_printersOverride = *available;
    else g_printersOverride.reset();
}

void printResultTable(QWidget* parent, const SiloDocument& document, const PrintStatus& status) {
    const QString& file = document.parameterFile;
    const bool changed = document.modified;
    const int language = texts::language();
    printPage(parent, file, QStringLiteral("KORVANE_Table"), [&](QPainter& p) {
        paintTablePage(p, document.model, status, file, changed, language);
    });
}

void printOnePage(QWidget* parent, const QString& parameterFile, const QString& jobTitle,
                  const std::function<void(QPainter&)>& paint) {
    printPage(parent, parameterFile, jobTitle, paint);
}

void printResultDiagram(QWidget* parent, const SiloDocument& document) {
    printResultDiagram(parent, document,
                       resultPicture(document.model, DiagramExtras{}, texts::language(),
                                     stressUnit()));
}

void printResultDiagram(QWidget* parent, const SiloDocument& document,
                        const ResultPicture& picture) {
    const QString& file = document.parameterFile;
    const bool changed = document.modified;
    const int language = texts::language();
    printPage(parent, file, QStringLiteral("KORVANE_Diagram"), [&](QPainter& p) {
        paintDiagramPage(p, picture, file, changed, language);
    });
}

void showPrinterSetup(QWidget* parent) {
    PrinterSetupDialog dialog(programPrinter(), parent);
    if (dialog.exec() == QDialog::Accepted) {
        g_chosen = true;
        g_chosenFileUsed = false;  // a newly chosen file receives the next page
    }
}

QString unusedPdfName(const QString& folder, const QString& base) {
    const QDir dir(folder);
    QString path = QDir::cleanPath(dir.absoluteFilePath(base + QStringLiteral(".pdf")));
    for (int n = 2; QFileInfo::exists(path) || QFileInfo(path).isSymLink(); ++n)
        path = QDir::cleanPath(dir.absoluteFilePath(base + QStringLiteral("_%1.pdf").arg(n)));
    return path;
}

}  // namespace korvane::ui
