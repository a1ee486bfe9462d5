// Printing the result table and the result diagram, one page each.
//
// The pages go to the program's printer, which the printer set-up dialog
// configures. Where no printer is installed and none was chosen, or the
// chosen output is a PDF file, the page is written as a PDF file: into the
// file chosen in the set-up (a second page only after asking), else into a
// new file in the result folder (KORVANE_Table_<parameter file>.pdf, with a
// counter where that name exists). The user is told where it is. Every
// outcome, success or failure, is reported, after the hourglass is gone.
#pragma once

#include <QString>
#include <functional>

class QWidget;
class QPageLayout;
class QPainter;
class QPrinter;

namespace korvane::ui {

// Texts of the main window's status fields, printed as the window shows them.
struct PrintStatus {
    QString state;         // stress state calculated (filling or discharging)
    QString contents;      // mass of the contents in kg
    QString outletStress;  // vertical stress at the outlet in Pa
};

// The result table page and the result diagram page of a document (its
// model, parameter file and change mark).
struct SiloDocument;
void printResultTable(QWidget* parent, const SiloDocument& document, const PrintStatus& status);
void printResultDiagram(QWidget* parent, const SiloDocument& document);
// The printed diagram of the picture the screen shows.
struct ResultPicture;
void printResultDiagram(QWidget* parent, const SiloDocument& document,
                        const ResultPicture& picture);
// Any other page (the EN 1991-4 window's) through the same path: printer,
// or a PDF file named after `parameterFile` where there is none.
void printOnePage(QWidget* parent, const QString& parameterFile, const QString& jobTitle,
                  const std::function<void(QPainter&)>& paint);
// The printer set-up dialog (printer or PDF file, paper, orientation); its
// choice is used by the print commands.
void showPrinterSetup(QWidget* parent);

// One page as a PDF file at 1200 dpi in `layout`. The file appears only when
// the page is complete; an existing file is replaced only then.
bool writePdfPage(const QString& path, const QString& title, const QPageLayout& layout,
                  const std::function<void(QPainter&)>& paint);

// A file name "base.pdf" in `folder`, or "base_2.pdf", "base_3.pdf", ...:
// the first that does not exist yet.
QString unusedPdfName(const QString& folder, const QString& base);

// The program-wide printer (created on first use).
QPrinter& programPrinter();
// True once the printer set-up dialog was accepted.
bool printerChosen();

// What the last print command did, for the caller and for tests.
struct PrintOutcome {
    bool ok = false;
    bool pdf = false;      // written as a PDF file instead of printed
    QString path;          // the PDF file, when pdf
};
const PrintOutcome& lastPrintOutcome();

// Test seams: pretend that printers are installed or not (nullptr = ask the
// system), and pretend that the set-up dialog was accepted or not.
void setPrintersAvailableOverride(const bool* available);
void setPrinterChosen(bool chosen);

}  // namespace korvane::ui
