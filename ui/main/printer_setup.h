// The printer set-up dialog: which printer (or a PDF file instead), the
// paper and the orientation. It only sets up the program's printer; the
// pages are printed from the print menu, so its confirming button is OK.
#pragma once

#include <QDialog>
#include <QPageLayout>
#include <QPageSize>

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QPrinter;
class QRadioButton;

namespace korvane::ui {

class PrinterSetupDialog : public QDialog {
    Q_OBJECT
public:
    // Shows the settings of `printer`; accept() writes the choice back.
    PrinterSetupDialog(QPrinter& printer, QWidget* parent = nullptr);

    // The choice as it stands in the dialog.
    bool pdfChosen() const;
    QString printerName() const;  // empty for PDF
    QString pdfFile() const;      // empty: a new name in the result folder
    QPageSize::PageSizeId paper() const;
    QPageLayout::Orientation orientation() const;

    void accept() override;

private:
    void updateFileField();
    void chooseFile();

    QPrinter& printer_;
    QComboBox* printerChoice_;
    QLineEdit* pdfFileField_;
    QComboBox* paperChoice_;
    QRadioButton* portraitButton_;
    QRadioButton* landscapeButton_;
};

}  // namespace korvane::ui
