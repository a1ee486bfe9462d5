#include "print_test_util.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "calc/engine.h"

namespace korvane::test {

namespace {

void calculateGlobal(SiloModel& m) {
    prepare(m, false);
    clearResults(m);
    calculate(m);
}

}  // namespace

ui::SiloDocument& document() {
    static auto* doc = new ui::SiloDocument();
    return *doc;
}

SiloModel& defaultSilo() {
    SiloModel& m = document().model;
    m = SiloModel{};
    prepare(m, true);
    clearResults(m);
    calculate(m);
    return m;
}

SiloModel& formSilo(const std::function<void(FormInput&)>& change) {
    SiloModel& m = document().model;
    m = SiloModel{};
    resetToDefaults(m);
    FormInput in;
    showModelInForm(m, in);
    change(in);
    const int code = takeOver(m, in, document().workingCopy);
    EXPECT_EQ(code, 0) << "parameters refused";
    calculateGlobal(m);
    return m;
}

SiloModel& heapFunnelSilo() {
    return formSilo([](FormInput& in) {
        in.flatSurface = false;
        in.heap = true;
        in.surcharge = false;
        in.boeschwinkel = "30";
        in.stressState = 1;
    });
}

SiloModel& shaftOnlySilo() {
    return formSilo([](FormInput& in) {
        in.Schaftja = true;
        in.shaftHeight = "20";
        in.Trichterja = false;
        in.vertunten = false;
        in.fillHeight = "20";
    });
}

bool pagePdf(const QString& path, const std::function<void(QPainter&)>& paint) {
    QPdfWriter pdf(path);
    pdf.setResolution(1200);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                  QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter));
    QPainter p;
    if (!p.begin(&pdf)) return false;
    paint(p);
    return p.end();
}

bool haveTool(const QString& tool) { return !QStandardPaths::findExecutable(tool).isEmpty(); }

QString runTool(const QString& tool, const QStringList& args) {
    if (!haveTool(tool)) return {};
    QProcess proc;
    proc.start(tool, args);
    if (!proc.waitForFinished(60000)) return {};
    return QString::fromUtf8(proc.readAllStandardOutput());
}

QStringList pdfLines(const QString& path) {
    const QString text = runTool(QStringLiteral("pdftotext"),
                                 {QStringLiteral("-layout"), path, QStringLiteral("-")});
    QStringList lines;
    for (const QString& l : text.split(QLatin1Char('\n'))) {
        const QString t = l.trimmed();
        if (!t.isEmpty()) lines << t;
    }
    return lines;
}

QImage pageImage(int dpi, const std::function<void(QPainter&)>& paint) {
    // A4 printable area of 200 x 287 mm.
    const int w = qRound(200.0 / 25.4 * dpi);
    const int h = qRound(287.0 / 25.4 * dpi);
    QImage img(w, h, QImage::Format_RGB32);
    img.setDotsPerMeterX(qRound(dpi / 0.0254));
    img.setDotsPerMeterY(qRound(dpi / 0.0254));
    img.fill(Qt::white);
    QPainter p(&img);
    paint(p);
    p.end();
    return img;
}

QString scratchDir() {
    static QTemporaryDir dir;
    return dir.path();
}

}  // namespace korvane::test

#include <QRegularExpression>

namespace korvane::test {

std::vector<PdfWord> pdfWords(const QString& path) {
    const QString html = runTool(QStringLiteral("pdftotext"),
                                 {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    static const QRegularExpression re(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    std::vector<PdfWord> words;
    for (auto it = re.globalMatch(html); it.hasNext();) {
        const auto mt = it.next();
        PdfWord w;
        w.xMin = mt.captured(1).toDouble();
        w.yMin = mt.captured(2).toDouble();
        w.xMax = mt.captured(3).toDouble();
        w.yMax = mt.captured(4).toDouble();
        w.text = mt.captured(5)
                     .replace(QStringLiteral("&amp;"), QStringLiteral("&"))
                     .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
                     .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
                     .replace(QStringLiteral("&quot;"), QStringLiteral("\""));
        words.push_back(w);
    }
    return words;
}

double unitsToPt(double units) { return (units / 10.0 + 5.0) * 72.0 / 25.4; }

}  // namespace korvane::test
