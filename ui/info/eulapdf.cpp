#include "ui/info/eulapdf.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <cmath>

namespace korvane::ui {

namespace {

constexpr int kResolution = 300;        // dots per inch of the page
constexpr double kFooterMm = 10.0;      // room for the page number

QString fontFamily() { return QStringLiteral("Arial"); }

// Section headings carry this property so that the page layout can keep them
// together with the paragraph that follows.
constexpr int kHeadingProperty = QTextFormat::UserProperty + 1;

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
                bf.setProperty(kHeadingProperty, true);
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

// Page on which the block's first (or last) line lies, for pages of the given
// height. The middle of the line counts: a line pushed onto the next page
// starts exactly at the page boundary, give or take rounding.
int pageOfLine(const QTextBlock& b, double pageHeight, bool lastLine) {
    const QRectF r = b.document()->documentLayout()->blockBoundingRect(b);
    const QTextLayout* layout = b.layout();
    double y = r.center().y();
    if (layout && layout->lineCount() > 0) {
        const QTextLine line = layout->lineAt(lastLine ? layout->lineCount() - 1 : 0);
        y = r.top() + line.y() + line.height() / 2;
    }
    return int(std::floor(y / pageHeight));
}

// Index of the first heading that stands at the foot of a page while its
// paragraph begins on the next page; -1 when there is none.
int strandedHeading(const QTextDocument& doc, double pageHeight) {
    int index = 0;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next(), ++index) {
        if (!b.blockFormat().property(kHeadingProperty).toBool()) continue;
        const QTextBlock next = b.next();
        if (!next.isValid()) continue;
        if (pageOfLine(next, pageHeight, false) > pageOfLine(b, pageHeight, true)) return index;
    }
    return -1;
}

// Lays the document out on pages of the given size. A heading that would be
// left alone at the foot of a page moves to the next page with its text.
void paginate(QTextDocument& doc, QSizeF page) {
    doc.setPageSize(page);
    for (int guard = 0; guard < 1000; ++guard) {
        const int h = strandedHeading(doc, page.height());
        if (h < 0) break;
        QTextBlock b = doc.findBlockByNumber(h);
        QTextBlockFormat f = b.blockFormat();
        f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(b).setBlockFormat(f);
        doc.setPageSize(page);
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
    paginate(doc, QSizeF(g.paint.width(), g.bodyHeight));
    return doc.pageCount();
}

bool eulaHeadingsKeptWithText(const QString& sourceText) {
    QPdfWriter writer(QString{});
    setUp(writer);
    const PageGeometry g = geometry(writer);
    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&writer);
    buildDocument(doc, sourceText);
    paginate(doc, QSizeF(g.paint.width(), g.bodyHeight));
    return strandedHeading(doc, g.bodyHeight) < 0;
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
        paginate(doc, QSizeF(g.paint.width(), g.bodyHeight));
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
            // A line pushed onto the next page starts right at this page's
            // bottom edge; one device pixel less keeps it from being drawn
            // (invisibly, but searchable) on this page too.
            const QRectF view(0, page * g.bodyHeight, g.paint.width(), g.bodyHeight - 1);
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
