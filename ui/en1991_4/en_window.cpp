#include "ui/en1991_4/en_window.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTableWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "ui/en1991_4/en_page.h"
#include "ui/main/display_logic.h"
#include "ui/main/printing.h"
#include "ui/texts/en1991_4_texts.h"
#include "ui/texts/texts.h"

namespace korvane::ui {

namespace tx = texts::en1991_4;
using texts::T;

namespace {
const char* const kUnitKey = "en1991_4/unit";

QString escaped(const QString& s) { return s.toHtmlEscaped(); }
}  // namespace

EnUnit rememberedEnUnit() {
    return QSettings().value(kUnitKey).toString() == QStringLiteral("Pa") ? EnUnit::Pascal
                                                                          : EnUnit::KiloPascal;
}

void rememberEnUnit(EnUnit unit) {
    QSettings().setValue(kUnitKey, unit == EnUnit::Pascal ? QStringLiteral("Pa")
                                                          : QStringLiteral("kPa"));
}

EnWindow::EnWindow(const SiloModel& m, bool resultsValid, const QString& parameterFile,
                   bool changed, QWidget* parent)
    : QDialog(parent), model_(m), valid_(resultsValid), parameterFile_(parameterFile),
      changed_(changed) {
    setObjectName("en1991_4Window");
    setWindowTitle(T(tx::windowCaption));
    const int language = texts::language();
    if (valid_) {
        result_ = enLoadsOfModel(m);
        rows_ = enTableRows(m, result_, language);
    }
    unit_ = rememberedEnUnit();

    summary_ = new QTextBrowser(this);
    summary_->setObjectName("enSummary");
    summary_->setOpenLinks(false);
    unitChoice_ = new QComboBox(this);
    unitChoice_->setObjectName("enUnitChoice");
    unitChoice_->addItems({QStringLiteral("kPa"), QStringLiteral("Pa")});
    table_ = new QTableWidget(this);
    table_->setObjectName("enLoadsTable");
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->setVisible(false);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    footnote_ = new QLabel(this);
    footnote_->setObjectName("enFootnote");
    footnote_->setWordWrap(true);
    auto* copy = new QPushButton(T(tx::copyButton), this);
    copy->setObjectName("enCopyButton");
    auto* print = new QPushButton(T(tx::printButton), this);
    print->setObjectName("enPrintButton");
    auto* close = new QPushButton(T(tx::closeButton), this);
    close->setObjectName("enCloseButton");
    close->setDefault(true);

    auto* unitRow = new QHBoxLayout;
    auto* loadsLabel = new QLabel(QStringLiteral("<b>") + escaped(T(tx::loadsHeading)) +
                                      QStringLiteral("</b>"),
                                  this);
    unitRow->addWidget(loadsLabel);
    unitRow->addStretch(1);
    auto* unitLabel = new QLabel(T(tx::unitLabel), this);
    unitRow->addWidget(unitLabel);
    unitRow->addWidget(unitChoice_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copy);
    buttons->addWidget(print);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* top = new QVBoxLayout(this);
    top->addWidget(summary_, 2);
    top->addLayout(unitRow);
    top->addWidget(table_, 3);
    top->addWidget(footnote_);
    top->addLayout(buttons);

    const bool tableShown = valid_ && result_.inScope;
    for (QWidget* w : std::initializer_list<QWidget*>{table_, unitChoice_, copy, footnote_,
                                                      loadsLabel, unitLabel})
        w->setVisible(tableShown);
    copy->setEnabled(tableShown);

    unitChoice_->setCurrentIndex(unit_ == EnUnit::Pascal ? 1 : 0);
    connect(unitChoice_, &QComboBox::currentIndexChanged, this, [this](int i) {
        setUnit(i == 1 ? EnUnit::Pascal : EnUnit::KiloPascal);
        rememberEnUnit(unit_);
    });
    connect(copy, &QPushButton::clicked, this, [this] { copyToClipboard(); });
    connect(print, &QPushButton::clicked, this, [this] { printPage(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    fill();

    // Wide enough for the nine load columns; most of the screen's height.
    const QRect avail = screen() ? screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    table_->resizeColumnsToContents();
    int tableW = table_->frameWidth() * 2 + 30;
    for (int c = 0; c < table_->columnCount(); ++c) tableW += table_->columnWidth(c);
    resize(std::min(avail.width() * 95 / 100, std::max(640, tableW + 40)),
           avail.height() * 85 / 100);
}

void EnWindow::setUnit(EnUnit unit) {
    unit_ = unit;
    if (unitChoice_->currentIndex() != (unit == EnUnit::Pascal ? 1 : 0))
        unitChoice_->setCurrentIndex(unit == EnUnit::Pascal ? 1 : 0);
    fill();
}

void EnWindow::fill() {
    const int language = texts::language();
    // Summary: headings bold, the unverified values with the note.
    QString html;
    if (!valid_) {
        html = QStringLiteral("<p>") + escaped(T(tx::noResults)) + QStringLiteral("</p>");
    } else {
        const QString note = escaped(T(tx::notVerified));
        bool inTable = false;
        auto closeTable = [&] {
            if (inTable) html += QStringLiteral("</table>");
            inTable = false;
        };
        for (const EnSummaryLine& l : enSummary(result_, language)) {
            if (l.heading) {
                closeTable();
                html += QStringLiteral("<h4>") + escaped(l.label) + QStringLiteral("</h4>");
            } else if (l.value.isEmpty()) {
                closeTable();
                html += QStringLiteral("<p>") + escaped(l.label);
                if (l.unverified)
                    html += QStringLiteral(" <span style=\"color:#a00000\">— ") + note +
                            QStringLiteral("</span>");
                html += QStringLiteral("</p>");
            } else {
                if (!inTable) html += QStringLiteral("<table cellspacing=\"2\">");
                inTable = true;
                html += QStringLiteral("<tr><td>") + escaped(l.label) +
                        QStringLiteral("&nbsp;&nbsp;</td><td>") + escaped(l.value) +
                        QStringLiteral("</td><td>");
                if (l.unverified)
                    html += QStringLiteral("&nbsp;&nbsp;<span style=\"color:#a00000\">") + note +
                            QStringLiteral("</span>");
                html += QStringLiteral("</td></tr>");
            }
        }
        closeTable();
    }
    summary_->setHtml(html);

    // Load table.
    const QStringList heads = enTableHeads(result_, unit_);
    table_->clear();
    table_->setColumnCount(heads.size());
    table_->setHorizontalHeaderLabels(heads);
    table_->setRowCount(static_cast<int>(rows_.size()));
    const QChar point = QLocale().decimalPoint().at(0);
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i) {
        const EnTableRow& row = rows_[static_cast<size_t>(i)];
        auto set = [&](int c, const QString& s, bool right) {
            auto* item = new QTableWidgetItem(s);
            item->setTextAlignment((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
            table_->setItem(i, c, item);
        };
        set(0, row.label.trimmed(), false);
        set(1, formatResult(row.z, 3, point), true);
        for (int c = 0; c < kEnColumnCount; ++c)
            set(c + 2, enLoadText(enColumnValue(row.loads, EnColumn(c)), unit_, point), true);
    }
    table_->resizeColumnsToContents();
    footnote_->setText(QStringLiteral("* ") + T(tx::notVerified));
}

QString EnWindow::clipboardText() const { return enTableClipboardText(result_, rows_, unit_); }

void EnWindow::copyToClipboard() {
    if (!valid_ || !result_.inScope) return;
    QGuiApplication::clipboard()->setText(clipboardText());
}

void EnWindow::printPage() {
    const QString file = parameterFile_;
    const bool changed = changed_;
    const int language = texts::language();
    const EnUnit unit = unit_;
    printOnePage(this, file, QStringLiteral("KORVANE_EN1991-4"), [&](QPainter& p) {
        paintEnPage(p, model_, result_, unit, file, changed, language);
    });
}

}  // namespace korvane::ui
