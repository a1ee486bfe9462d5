#include "ui/main/printer_setup.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/main/appstate.h"
#include "ui/main/platform.h"
#include "ui/texts/tkonst.h"

namespace korvane::ui {

namespace {

using tkonst::T;
using tkonst::TextPair;

const TextPair kDrucker{"Drucker:", "Printer:"};
const TextPair kPdfDrucker{"PDF-Datei (ohne Drucker)", "PDF file (no printer)"};
const TextPair kDatei{"Datei:", "File:"};
const TextPair kDateiAutomatisch{"neue Datei im Ergebnisordner", "new file in the result folder"};
const TextPair kPapier{"Papier:", "Paper:"};
const TextPair kAusrichtung{"Ausrichtung:", "Orientation:"};
const TextPair kHochformat{"&Hochformat", "&Portrait"};
const TextPair kQuerformat{"&Querformat", "&Landscape"};
const TextPair kDateiWaehlen{"PDF-Datei wählen", "Choose PDF file"};

constexpr QPageSize::PageSizeId kPapers[] = {QPageSize::A4, QPageSize::A3, QPageSize::A5,
                                             QPageSize::Letter, QPageSize::Legal};

}  // namespace

PrinterSetupDialog::PrinterSetupDialog(QPrinter& printer, QWidget* parent)
    : QDialog(parent), printer_(printer) {
    setObjectName(QStringLiteral("PrinterSetupDialog1"));
    setWindowTitle(T(tkonst::Druckereinrichten1).remove(QLatin1Char('&')));
    if (parent) setFont(parent->window()->font());

    printers_ = new QComboBox(this);
    printers_->setObjectName(QStringLiteral("Printers"));
    for (const QString& name : QPrinterInfo::availablePrinterNames()) printers_->addItem(name, name);
    printers_->addItem(T(kPdfDrucker), QString());  // the last entry: no printer

    file_ = new QLineEdit(this);
    file_->setObjectName(QStringLiteral("PdfFile"));
    file_->setPlaceholderText(T(kDateiAutomatisch));
    auto* browse = new QPushButton(QStringLiteral("…"), this);
    browse->setObjectName(QStringLiteral("ChoosePdfFile"));
    browse->setAutoDefault(false);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(file_, 1);
    fileRow->addWidget(browse);

    paper_ = new QComboBox(this);
    paper_->setObjectName(QStringLiteral("Paper"));
    for (QPageSize::PageSizeId id : kPapers) paper_->addItem(QPageSize::name(id), int(id));

    portrait_ = new QRadioButton(T(kHochformat), this);
    portrait_->setObjectName(QStringLiteral("Portrait"));
    landscape_ = new QRadioButton(T(kQuerformat), this);
    landscape_->setObjectName(QStringLiteral("Landscape"));
    auto* orientationRow = new QHBoxLayout;
    orientationRow->addWidget(portrait_);
    orientationRow->addWidget(landscape_);
    orientationRow->addStretch(1);

    auto* form = new QFormLayout;
    form->addRow(T(kDrucker), printers_);
    form->addRow(T(kDatei), fileRow);
    form->addRow(T(kPapier), paper_);
    form->addRow(T(kAusrichtung), orientationRow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("Buttons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    // The printer's current settings.
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        printers_->setCurrentIndex(printers_->count() - 1);
        file_->setText(printer.outputFileName());
    } else {
        const int i = printers_->findData(printer.printerName());
        printers_->setCurrentIndex(i >= 0 ? i : 0);
    }
    const int p = paper_->findData(int(printer.pageLayout().pageSize().id()));
    paper_->setCurrentIndex(p >= 0 ? p : 0);
    (printer.pageLayout().orientation() == QPageLayout::Landscape ? landscape_ : portrait_)
        ->setChecked(true);

    connect(printers_, &QComboBox::currentIndexChanged, this, [this] { updateFileField(); });
    connect(browse, &QPushButton::clicked, this, [this] { chooseFile(); });
    updateFileField();
    setMinimumWidth(fontMetrics().averageCharWidth() * 60);
}

bool PrinterSetupDialog::pdfChosen() const { return printers_->currentData().toString().isEmpty(); }

QString PrinterSetupDialog::printerName() const { return printers_->currentData().toString(); }

QString PrinterSetupDialog::pdfFile() const { return pdfChosen() ? file_->text().trimmed() : QString(); }

QPageSize::PageSizeId PrinterSetupDialog::paper() const {
    return static_cast<QPageSize::PageSizeId>(paper_->currentData().toInt());
}

QPageLayout::Orientation PrinterSetupDialog::orientation() const {
    return landscape_->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait;
}

void PrinterSetupDialog::updateFileField() {
    const bool pdf = pdfChosen();
    file_->setEnabled(pdf);
    if (auto* b = findChild<QPushButton*>(QStringLiteral("ChoosePdfFile"))) b->setEnabled(pdf);
}

void PrinterSetupDialog::chooseFile() {
    const QString start = file_->text().isEmpty() ? platform::existingFolder(app().resultFolder)
                                                  : file_->text();
    const QString path = platform::getSaveFileName(this, T(kDateiWaehlen), start,
                                                   QStringLiteral("PDF (*.pdf)"), QStringLiteral("pdf"));
    if (!path.isEmpty()) file_->setText(path);
}

void PrinterSetupDialog::accept() {
    if (pdfChosen()) {
        // (An empty file name alone would switch the printer back to native.)
        printer_.setOutputFileName(pdfFile());
        printer_.setOutputFormat(QPrinter::PdfFormat);
    } else {
        printer_.setOutputFileName(QString());
        printer_.setOutputFormat(QPrinter::NativeFormat);
        printer_.setPrinterName(printerName());
    }
    printer_.setPageSize(QPageSize(paper()));
    printer_.setPageOrientation(orientation());
    QDialog::accept();
}

}  // namespace korvane::ui
