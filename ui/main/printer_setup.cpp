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
#include "ui/texts/texts.h"

namespace korvane::ui {

namespace {

using texts::T;

constexpr QPageSize::PageSizeId kPapers[] = {QPageSize::A4, QPageSize::A3, QPageSize::A5,
                                             QPageSize::Letter, QPageSize::Legal};

}  // namespace

PrinterSetupDialog::PrinterSetupDialog(QPrinter& printer, QWidget* parent)
    : QDialog(parent), printer_(printer) {
    setObjectName(QStringLiteral("printerSetupDialog"));
    setWindowTitle(T(texts::menu::printerSetup).remove(QLatin1Char('&')));
    if (parent) setFont(parent->window()->font());

    printerChoice_ = new QComboBox(this);
    printerChoice_->setObjectName(QStringLiteral("printerChoice"));
    for (const QString& name : QPrinterInfo::availablePrinterNames())
        printerChoice_->addItem(name, name);
    printerChoice_->addItem(T(texts::printing::pdfInsteadOfPrinter),
                            QString());  // the last entry: no printer

    pdfFileField_ = new QLineEdit(this);
    pdfFileField_->setObjectName(QStringLiteral("pdfFileField"));
    pdfFileField_->setPlaceholderText(T(texts::printing::newFileInResultFolder));
    auto* browse = new QPushButton(QStringLiteral("…"), this);
    browse->setObjectName(QStringLiteral("choosePdfFileButton"));
    browse->setAutoDefault(false);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(pdfFileField_, 1);
    fileRow->addWidget(browse);

    paperChoice_ = new QComboBox(this);
    paperChoice_->setObjectName(QStringLiteral("paperChoice"));
    for (QPageSize::PageSizeId id : kPapers) paperChoice_->addItem(QPageSize::name(id), int(id));

    portraitButton_ = new QRadioButton(T(texts::printing::portrait), this);
    portraitButton_->setObjectName(QStringLiteral("portraitButton"));
    landscapeButton_ = new QRadioButton(T(texts::printing::landscape), this);
    landscapeButton_->setObjectName(QStringLiteral("landscapeButton"));
    auto* orientationRow = new QHBoxLayout;
    orientationRow->addWidget(portraitButton_);
    orientationRow->addWidget(landscapeButton_);
    orientationRow->addStretch(1);

    auto* form = new QFormLayout;
    form->addRow(T(texts::printing::printerLabel), printerChoice_);
    form->addRow(T(texts::printing::fileLabel), fileRow);
    form->addRow(T(texts::printing::paperLabel), paperChoice_);
    form->addRow(T(texts::printing::orientationLabel), orientationRow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    // The printer's current settings.
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        printerChoice_->setCurrentIndex(printerChoice_->count() - 1);
        pdfFileField_->setText(printer.outputFileName());
    } else {
        const int i = printerChoice_->findData(printer.printerName());
        printerChoice_->setCurrentIndex(i >= 0 ? i : 0);
    }
    const int p = paperChoice_->findData(int(printer.pageLayout().pageSize().id()));
    paperChoice_->setCurrentIndex(p >= 0 ? p : 0);
    (printer.pageLayout().orientation() == QPageLayout::Landscape ? landscapeButton_
                                                                   : portraitButton_)
        ->setChecked(true);

    connect(printerChoice_, &QComboBox::currentIndexChanged, this, [this] { updateFileField(); });
    connect(browse, &QPushButton::clicked, this, [this] { chooseFile(); });
    updateFileField();
    setMinimumWidth(fontMetrics().averageCharWidth() * 60);
}

bool PrinterSetupDialog::pdfChosen() const {
    return printerChoice_->currentData().toString().isEmpty();
}

QString PrinterSetupDialog::printerName() const { return printerChoice_->currentData().toString(); }

QString PrinterSetupDialog::pdfFile() const {
    return pdfChosen() ? pdfFileField_->text().trimmed() : QString();
}

QPageSize::PageSizeId PrinterSetupDialog::paper() const {
    return static_cast<QPageSize::PageSizeId>(paperChoice_->currentData().toInt());
}

QPageLayout::Orientation PrinterSetupDialog::orientation() const {
    return landscapeButton_->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait;
}

void PrinterSetupDialog::updateFileField() {
    const bool pdf = pdfChosen();
    pdfFileField_->setEnabled(pdf);
    if (auto* b = findChild<QPushButton*>(QStringLiteral("choosePdfFileButton")))
        b->setEnabled(pdf);
}

void PrinterSetupDialog::chooseFile() {
    const QString start = pdfFileField_->text().isEmpty()
                              ? platform::existingFolder(app().resultFolder)
                              : pdfFileField_->text();
    const QString path =
        platform::getSaveFileName(this, T(texts::printing::choosePdfFile), start,
                                  QStringLiteral("PDF (*.pdf)"), QStringLiteral("pdf"));
    if (!path.isEmpty()) pdfFileField_->setText(path);
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
