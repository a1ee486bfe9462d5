// The EN 1991-4 window: the classification, factors and characteristic
// values used, the unverified notes (each with "not verified against a
// published example") and the loads at the rows of the printed result table,
// in kPa or Pa; it prints as one page and copies as tab-separated text.
// Outside the standard's scope it lists the reasons instead.
#pragma once

#include <QDialog>
#include <QString>
#include <vector>

#include "calc/en1991_4.h"
#include "calc/model.h"
#include "ui/en1991_4/en_loads_display.h"

class QComboBox;
class QLabel;
class QTableWidget;
class QTextBrowser;

namespace korvane::ui {

class EnWindow : public QDialog {
    Q_OBJECT
public:
    // Shows the loads of `m` (its results must be those of a confirmed
    // parameter set; `resultsValid` false shows that there are none).
    // `parameterFile` and `changed` head the printed page.
    EnWindow(const SiloModel& m, bool resultsValid, const QString& parameterFile = QString(),
             bool changed = false, QWidget* parent = nullptr);

    const EnResult& result() const { return result_; }
    EnUnit unit() const { return unit_; }
    void setUnit(EnUnit unit);
    // The load table as the copy puts it on the clipboard.
    QString clipboardText() const;
    void copyToClipboard();
    void printPage();

private:
    void fill();

    const SiloModel& model_;
    bool valid_ = false;
    QString parameterFile_;
    bool changed_ = false;
    EnResult result_;
    std::vector<EnTableRow> rows_;
    EnUnit unit_ = EnUnit::KiloPascal;
    QTextBrowser* summary_;
    QComboBox* unitChoice_;
    QTableWidget* table_;
    QLabel* footnote_;
};

// The unit last chosen in the window (remembered between starts).
EnUnit rememberedEnUnit();
void rememberEnUnit(EnUnit unit);

}  // namespace korvane::ui
