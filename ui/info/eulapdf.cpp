#include "ui/info/eulapdf.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace korvane::ui {

namespace {

constexpr int kResolution = 300;        // dots per inch of the page
constexpr double kFooterMm = 10.0;      // room for the page number

QString fontFamily() { return QStringLiteral("Arial"); }

// Fills the document from the source text.
void buildDocument(QTextDocument& doc, const QString& source) {
    doc.setDocumentMargin(0);
    QTextCursor cur(&doc);

    QTextCharFormat body;
    body.setFontFamilies({fontFamily()});
    body.setFontPointSize(10.5);
    QTextCharFormat title = body;
    title.setFontPointSize(17);
    title.setFontWeight(QFont::Bold);
    QTextCharFormat heading = body;
    heading.setFontPointSize(12.5);
    heading.setFontWeight(QFont::Bold);

    QTextBlockFormat bodyBlock;
    bodyBlock.setAlignment(Qt::AlignLeft);
    bodyBlock.setTopMargin(0);
    bodyBlock.setBottomMargin(9);
    bodyBlock.setLineHeight(118, QTextBlockFormat::ProportionalHeight);
    QTextBlockFormat headingBlock;
    headingBlock.setTopMargin(14);
    headingBlock.setBottomMargin(6);
    QTextBlockFormat titleBlock;
    titleBlock.setAlignment(Qt::AlignLeft);
    titleBlock.setBottomMargin(14);

    QString normalised = source;
    normalised.replace("\r\n", "\n");
    const QStringList paragraphs =
        normalised.split(QRegularExpression("\n[ \t]*\n"), Qt::SkipEmptyParts);
    bool first = true;
    bool firstTitle = true;
    static const QRegularExpression numbered("^\\d");
    for (QString para : paragraphs) {
        para = para.trimmed();
        if (para.isEmpty()) continue;
        QStringList lines = para.split('\n');
        for (QString& l : lines) l = l.trimmed();
        QTextBlockFormat bf;
        QTextCharFormat cf;
        QString text;
        if (lines.first().startsWith("# ")) {
            text = lines.join(' ').mid(2).trimmed();
            if (numbered.match(text).hasMatch()) {
                bf = headingBlock;
                cf = heading;
            } else {
                bf = titleBlock;
                cf = title;
                // Each language's version of the document begins on a new page.
                if (!firstTitle)
                    bf.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
                firstTitle = false;
            }
        } else {
            text = lines.join(' ');
            bf = bodyBlock;
            cf = body;
        }
        if (first) {
            cur.setBlockFormat(bf);
            cur.setBlockCharFormat(cf);
            first = false;
        } else {
            cur.insertBlock(bf, cf);
        }
        cur.insertText(text, cf);
    }
}

struct PageGeometry {
    QRectF paint;   // printable area in device pixels, origin at its top left
    double bodyHeight;
};

PageGeometry geometry(QPdfWriter& writer) {
    PageGeometry g;
    const QRect r = writer.pageLayout().paintRectPixels(writer.resolution());
    g.paint = QRectF(0, 0, r.width(), r.height());
    g.bodyHeight = r.height() - kFooterMm / 25.4 * writer.resolution();
    return g;
}

void setUp(QPdfWriter& writer) {
    writer.setResolution(kResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(22, 20, 22, 14), QPageLayout::Millimeter));
    writer.setTitle(QStringLiteral("KORVANE - Nutzungsbedingungen / Conditions of use"));
    writer.setCreator(QStringLiteral("Korvane"));
}

}  // namespace

int eulaPageCount(const QString& sourceText) {
    QPdfWriter writer(QString{});
    setUp(writer);
    const PageGeometry g = geometry(writer);
    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&writer);
    buildDocument(doc, sourceText);
    doc.setPageSize(QSizeF(g.paint.width(), g.bodyHeight));
    return doc.pageCount();
}

bool writeEulaPdf(const QString& sourceText, const QString& pdfPath, QString* error) {
    // Written beside the target first, so that a failed run leaves no torn file.
    const QString temp = pdfPath + ".part";
    {
        QPdfWriter writer(temp);
        setUp(writer);
        const PageGeometry g = geometry(writer);

        QTextDocument doc;
        doc.documentLayout()->setPaintDevice(&writer);
        buildDocument(doc, sourceText);
        doc.setPageSize(QSizeF(g.paint.width(), g.bodyHeight));
        const int pages = doc.pageCount();

        QPainter p;
        if (!p.begin(&writer)) {
            if (error) *error = QStringLiteral("cannot write ") + temp;
            return false;
        }
        QFont footFont(fontFamily());
        footFont.setPointSizeF(9);
        for (int page = 0; page < pages; ++page) {
            if (page > 0) writer.newPage();
            p.save();
            const QRectF view(0, page * g.bodyHeight, g.paint.width(), g.bodyHeight);
            p.setClipRect(QRectF(0, 0, g.paint.width(), g.bodyHeight));
            p.translate(0, -view.top());
            doc.drawContents(&p, view);
            p.restore();
            // Page number in the footer, with a thin rule above it.
            const double rule = g.bodyHeight + 0.35 * kFooterMm / 25.4 * writer.resolution();
            p.setPen(QPen(QColor(150, 150, 150), writer.resolution() / 254.0));
            p.drawLine(QPointF(0, rule), QPointF(g.paint.width(), rule));
            p.setPen(Qt::black);
            p.setFont(footFont);
            p.drawText(QRectF(0, rule, g.paint.width(), g.paint.bottom() - rule),
                       Qt::AlignRight | Qt::AlignVCenter,
                       QStringLiteral("KORVANE_EULA.pdf   %1 / %2").arg(page + 1).arg(pages));
        }
        p.end();
    }
    QFile::remove(pdfPath);
    if (!QFile::rename(temp, pdfPath)) {
        QFile::remove(temp);
        if (error) *error = QStringLiteral("cannot write ") + pdfPath;
        return false;
    }
    return true;
}

}  // namespace korvane::ui
