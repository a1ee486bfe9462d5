#include "ui/en1991_4/en_page.h"

#include <QFont>
#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "ui/main/display_logic.h"
#include "ui/main/print_pages.h"
#include "ui/texts/en1991_4_texts.h"
#include "ui/texts/texts.h"

namespace korvane::ui {

namespace {

namespace tx = texts::en1991_4;
using texts::T;

// Page geometry in 0.1 mm, as the result table's page.
constexpr int kLeft = 150;
constexpr int kTop = 150;
constexpr int kRight = 1900;
constexpr int kBottom = 2800;

QFont pageFont(int height, bool bold = false) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(std::max(1, height));
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setBold(bold);
    return f;
}

void textAt(QPainter& p, int x, int y, const QString& s) {
    p.drawText(x, y + p.fontMetrics().ascent(), s);
}

}  // namespace

void paintEnPage(QPainter& p, const SiloModel& m, const EnResult& r, EnUnit unit,
                 const QString& parameterFile, bool changed, int language) {
    p.save();
    setPageMapping(p);
    p.setPen(Qt::black);
    p.setBackgroundMode(Qt::TransparentMode);

    // Header: product and file (or the maker's notice), then the title.
    p.setFont(pageFont(30));
    textAt(p, kLeft, kTop, QString::fromUtf8(texts::kProductName));
    const int x2 = kLeft + p.fontMetrics().horizontalAdvance(QStringLiteral("KORVANE    "));
    textAt(p, x2, kTop,
           !parameterFile.isEmpty() && !changed
               ? headerFileText(p.fontMetrics(), parameterFile, language, kRight - x2)
               : QString::fromUtf8(texts::kMakerNotice));
    p.setFont(pageFont(45, true));
    int y = kTop + 60;
    textAt(p, kLeft, y, T(tx::pageTitle, language));
    y += 80;

    const std::vector<EnSummaryLine> summary = enSummary(r, language);
    const std::vector<EnTableRow> rows = enTableRows(m, r, language);
    const QString note = T(tx::notVerified, language);

    // Summary lines: headed sections, split into two columns at a heading
    // near the middle; the unverified notes and the assumption run across.
    std::vector<EnSummaryLine> left, rightCol, across;
    {
        size_t end = summary.size();
        for (size_t i = 0; i < summary.size(); ++i)
            if (summary[i].heading && r.inScope &&
                summary[i].label == T(tx::unverifiedHeading, language))
                end = i;
        if (!r.inScope) end = 0;
        // The heading that balances the two columns best.
        size_t split = end;
        for (size_t i = 1; i < end; ++i)
            if (summary[i].heading && std::max(i, end - i) < std::max(split, end - split)) split = i;
        left.assign(summary.begin(), summary.begin() + static_cast<long>(split));
        rightCol.assign(summary.begin() + static_cast<long>(split),
                        summary.begin() + static_cast<long>(end));
        across.assign(summary.begin() + static_cast<long>(end), summary.end());
    }

    // The pitch that puts everything on the page.
    const int summaryLines = static_cast<int>(std::max(left.size(), rightCol.size()));
    const int acrossLines = static_cast<int>(across.size()) + 2;  // wrapped texts get room
    const int tableLines = rows.empty() ? 0 : static_cast<int>(rows.size()) + 3;
    const int lines = std::max(1, summaryLines + acrossLines + tableLines);
    const int pitch = std::clamp((kBottom - y) / lines, 14, 40);
    const int fontH = pitch * 8 / 10;

    auto summaryColumn = [&](const std::vector<EnSummaryLine>& col, int x, int width, int top) {
        int yy = top;
        for (const EnSummaryLine& l : col) {
            p.setFont(pageFont(fontH, l.heading));
            QString s = l.label;
            if (!l.value.isEmpty()) s += QStringLiteral(": ") + l.value;
            if (l.unverified) s += QStringLiteral(" *");
            textAt(p, x, yy, p.fontMetrics().elidedText(s, Qt::ElideRight, width));
            yy += pitch;
        }
        return yy;
    };
    const int mid = (kLeft + kRight) / 2;
    const int yLeft = summaryColumn(left, kLeft, mid - kLeft - 30, y);
    const int yRight = summaryColumn(rightCol, mid, kRight - mid, y);
    y = std::max(yLeft, yRight);

    // Notes and the assumption across the page, wrapped.
    for (const EnSummaryLine& l : across) {
        p.setFont(pageFont(fontH, l.heading));
        QString s = l.label;
        if (l.unverified) s = QStringLiteral("* ") + s + QStringLiteral(": ") + note;
        const QRect box(kLeft, y, kRight - kLeft, 4 * pitch);
        const QRect used = p.boundingRect(box, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, s);
        p.drawText(box, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, s);
        y += std::max(pitch, used.height() + pitch / 5);
    }

    if (!rows.empty()) {
        y += pitch / 2;
        p.setFont(pageFont(fontH, true));
        textAt(p, kLeft, y, T(tx::loadsHeading, language));
        y += pitch;
        const QStringList heads = enTableHeads(r, unit);
        // Position, z and nine loads: right edges of the columns.
        const int labelW = 190, zW = 130;
        const int loadW = (kRight - kLeft - labelW - zW) / kEnColumnCount;
        auto rightEdge = [&](int c) {
            return kLeft + labelW + zW + std::max(0, c - 1) * loadW;
        };
        auto cell = [&](int c, int yy, const QString& s) {
            if (c == 0) textAt(p, kLeft, yy, s);
            else textAt(p, rightEdge(c) - p.fontMetrics().horizontalAdvance(s), yy, s);
        };
        p.setFont(pageFont(fontH * 9 / 10, true));
        for (int c = 0; c < heads.size(); ++c) cell(c, y, heads[c]);
        y += pitch;
        p.drawLine(kLeft, y - pitch / 8, kRight, y - pitch / 8);
        p.setFont(pageFont(fontH));
        const QChar point = QLocale().decimalPoint().at(0);
        for (const EnTableRow& row : rows) {
            cell(0, y, p.fontMetrics().elidedText(row.label, Qt::ElideRight, labelW - 10));
            cell(1, y, formatResult(row.z, 3, point));
            for (int c = 0; c < kEnColumnCount; ++c)
                cell(c + 2, y, enLoadText(enColumnValue(row.loads, EnColumn(c)), unit, point));
            y += pitch;
        }
        p.drawLine(kLeft, y, kRight, y);
        y += pitch / 3;
        p.setFont(pageFont(fontH * 9 / 10));
        textAt(p, kLeft, y, QStringLiteral("* ") + note);
    }
    p.restore();
}

}  // namespace korvane::ui
