#include "ui/density/densitywindow.h"

#include <QApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "calc/engine.h"
#include "calc/form_logic.h"
#include "ui/density/keyfilter.h"
#include "ui/density/radiogroup.h"
#include "ui/main/appstate.h"
#include "ui/main/platform.h"
#include "ui/texts/texts.h"

namespace korvane::ui {

using texts::T;

// ---- the check ------------------------------------------------------------------

bool checkMeasurements(const QList<MeasurementRow>& rows, int fitKind, DensityWorkingCopy& w) {
    std::vector<MeasuredPairText> texts;
    texts.reserve(static_cast<size_t>(rows.size()));
    for (const MeasurementRow& row : rows) texts.push_back({row.sigma.toStdString(), row.rho.toStdString()});
    return checkMeasuredPairs(texts, fitKind, w);
}

bool fitIsFinite(const DensityWorkingCopy& w) { return densityFitFinite(w); }

int firstHalfFilledRow(const QList<MeasurementRow>& rows) {
    for (int r = 0; r < rows.size() && r < kMaxPairs; ++r)
        if (rows[r].sigma.isEmpty() != rows[r].rho.isEmpty()) return r;
    return -1;
}

// ---- the check diagram ----------------------------------------------------------

double densityGridStep(double m) {
    if (!(m > 0) || !std::isfinite(m)) return 1;
    const double e = std::round(std::log(m) / 2.3 - 0.5);
    double step = std::pow(10.0, e);
    if (step >= 1) step = std::round(step);
    if (m / step > 8) {
        step *= 2;
    } else if (m / step < 3) {
        // Halved and rounded to whole units; a spacing below one unit (tiny
        // axis ranges) is kept as the exact half instead of becoming 0.
        const double half = step / 2;
        step = half >= 1 ? std::round(half) : half;
    }
    return step;
}

int DensityScale::px(double sigma) const {
    const double v = sigma * sx + x0;
    return static_cast<int>(std::lround(std::clamp(v, -1e5, 1e5)));
}
int DensityScale::py(double rho) const {
    const double v = y0 - (rho - ymin) * sy;
    return static_cast<int>(std::lround(std::clamp(v, -1e5, 1e5)));
}

DensityAxis densityAxisRange(double lowest, double highest) {
    DensityAxis a;
    if (!std::isfinite(lowest) || !std::isfinite(highest) || highest < lowest) {
        a.max = 1;
        a.step = densityGridStep(1);
        return a;
    }
    // A little room around the data, so that no pair sits on the frame; equal
    // densities still get a band of 2 % around them.
    const double span = highest - lowest;
    const double pad = std::max({0.05 * span, 0.01 * std::abs(highest), 1e-9});
    const double lo = lowest - pad, hi = highest + pad;
    a.step = densityGridStep(hi - lo);
    a.min = std::max(0.0, std::floor(lo / a.step) * a.step);
    a.max = std::ceil(hi / a.step) * a.step;
    if (!(a.max > a.min)) a.max = a.min + a.step;
    return a;
}

namespace {

int pairCount(const DensityWorkingCopy& w) { return std::clamp(w.Messpunktzahl, 0, kMaxPairs); }

// The stresses of the drawn curve: 100 points each from 0.1 S1 to S1, over
// the measured range, and on to 1.5 Sn.
template <class F>
void forCurveStresses(const DensityWorkingCopy& w, F&& f) {
    const int n = pairCount(w);
    const double S1 = w.Messtabelle[1][1];
    const double Sn = w.Messtabelle[1][n];
    f(0.1 * S1 + 0.9 * S1 / 100);
    for (int i = 2; i <= 100; ++i) f(0.1 * S1 + 0.9 * S1 * i / 100.0);
    for (int i = 1; i <= 100; ++i) f(S1 + (Sn - S1) * i / 100.0);
    for (int i = 1; i <= 100; ++i) f(Sn + 0.5 * Sn * i / 100.0);
}

}  // namespace

std::pair<double, double> densitiesShown(const DensityWorkingCopy& w) {
    const int n = std::max(1, pairCount(w));
    double lo = w.Messtabelle[2][1], hi = lo;
    for (int i = 2; i <= n; ++i) {
        lo = std::min(lo, w.Messtabelle[2][i]);
        hi = std::max(hi, w.Messtabelle[2][i]);
    }
    if (pairCount(w) < 1 || !fitIsFinite(w)) return {lo, hi};
    const double reach = std::max(hi - lo, 0.05 * std::abs(hi));
    const double floorRho = lo - reach, ceilRho = hi + reach;
    double clo = lo, chi = hi;
    forCurveStresses(w, [&](double sigma) {
        const double r = workingDensity(w, sigma);
        if (!std::isfinite(r)) return;
        clo = std::min(clo, std::max(r, floorRho));
        chi = std::max(chi, std::min(r, ceilRho));
    });
    return {clo, chi};
}

DensityScale densityScale(const DensityWorkingCopy& w, int W, int H, int leftMargin,
                          int topMargin) {
    DensityScale s;
    const int n = std::clamp(w.Messpunktzahl, 1, kMaxPairs);
    const double Sn = w.Messtabelle[1][n];
    const double left = leftMargin >= 0 ? leftMargin : W / 10.0;
    const double top = topMargin >= 0 ? topMargin : 0.07 * H;
    s.xmax = 1.2 * Sn;
    // Room for the labels left of the RHOB axis.
    s.xmin = -s.xmax * left / std::max(1.0, W - left);
    const auto [lowest, highest] = densitiesShown(w);
    const DensityAxis axis = densityAxisRange(lowest, highest);
    s.ymin = axis.min;
    s.ymax = axis.max;
    s.rhoStep = axis.step;
    s.x0 = -s.xmin / (s.xmax - s.xmin) * W;
    s.sx = (W - s.x0) / s.xmax;
    s.y0 = 0.93 * H;
    s.sy = (s.y0 - top) / (s.ymax - s.ymin);
    s.sigmaStep = densityGridStep(s.xmax);
    return s;
}

namespace {
QString stepText(double step) {
    if (std::abs(step) >= 1 || step == 0)
        return QString::number(static_cast<long long>(std::llround(step)));
    return QString::fromStdString(formatGeneral8(step));
}
}  // namespace

DensityScale drawnDensityScale(const DensityWorkingCopy& w, int W, int H, const QFontMetrics& fm) {
    // The RHOB labels stand left of the axis, right-aligned: the margin takes
    // the widest of them; the axis title stands above the topmost label.
    const auto [lowest, highest] = densitiesShown(w);
    const DensityAxis axis = densityAxisRange(lowest, highest);
    int labelWidth = 0;
    for (long long k = std::llround(axis.min / axis.step); k <= std::llround(axis.max / axis.step); ++k)
        labelWidth = std::max(labelWidth, fm.horizontalAdvance(stepText(k * axis.step)));
    const int th = fm.height();
    return densityScale(w, W, H, std::max(W / 10, labelWidth + 6), th + th / 2 + 2);
}

void drawDensityDiagram(QPainter& p, int W, int H, const DensityWorkingCopy& w) {
    p.save();
    p.fillRect(0, 0, W, H, Qt::white);
    const int n = w.Messpunktzahl;
    if (n < 1 || n > kMaxPairs || !(w.Messtabelle[1][n] > 0) || !(w.Messtabelle[2][n] > 0) ||
        !std::isfinite(w.Messtabelle[1][n]) || !std::isfinite(w.Messtabelle[2][n])) {
        p.restore();
        return;
    }
    const QFontMetrics fm(p.font());
    const int th = fm.height();
    const DensityScale s = drawnDensityScale(w, W, H, fm);
    const long long firstLine = std::llround(s.ymin / s.rhoStep);
    const long long lastLine = std::llround(s.ymax / s.rhoStep);
    const QColor grey(128, 128, 128);
    p.setPen(QPen(grey, 1));
    p.setBrush(Qt::NoBrush);

    // Grid lines at multiples of the steps, inside the ranges.
    for (int k = static_cast<int>(std::ceil(s.xmin / s.sigmaStep)); k * s.sigmaStep < s.xmax; ++k) {
        const double x = k * s.sigmaStep;
        if (x <= s.xmin) continue;
        p.drawLine(s.px(x), s.py(s.ymin), s.px(x), s.py(s.ymax));
    }
    for (long long k = firstLine + 1; k <= lastLine; ++k) {
        const double y = k * s.rhoStep;
        p.drawLine(s.px(0), s.py(y), s.px(s.xmax), s.py(y));
    }
    // Axes: SIGMA along the bottom of the RHOB range (not into the labels
    // left of the RHOB axis, where it would read as a minus sign), RHOB at
    // SIGMA = 0.
    p.drawLine(s.px(s.xmax), s.py(s.ymin), s.px(0), s.py(s.ymin));
    p.drawLine(s.px(0), s.py(s.ymin), s.px(0), s.py(s.ymax));

    // Labels, on the white ground of the image: a label hides the lines
    // beneath it.
    p.setBackgroundMode(Qt::OpaqueMode);
    p.setBackground(Qt::white);
    auto textAt = [&](int leftEdge, int topEdge, const QString& t) {
        p.drawText(QRect(leftEdge, topEdge, fm.horizontalAdvance(t) + 2, th),
                   Qt::AlignLeft | Qt::AlignTop, t);
    };
    const int bottom = s.py(s.ymin) + 1;
    const QString sx = stepText(s.sigmaStep);
    textAt(s.px(s.sigmaStep) - fm.horizontalAdvance(sx) / 2, bottom, sx);
    textAt(s.px(0) - fm.horizontalAdvance("0") / 2, bottom, "0");
    const QString sl = QStringLiteral("SIGMA [Pa]");
    textAt(static_cast<int>(std::lround(0.9 * W)) - fm.horizontalAdvance(sl), bottom, sl);
    // Every RHOB grid line labelled where the lines stand far enough apart
    // for the text, else every second one; the lowest always, since the axis
    // need not start at 0.
    const double lineGap = s.rhoStep * s.sy;
    const long long every = lineGap >= th ? 1 : 2;
    for (long long k = firstLine; k <= lastLine; k += every) {
        const QString t = stepText(k * s.rhoStep);
        textAt(s.px(0) - 3 - fm.horizontalAdvance(t), s.py(k * s.rhoStep) - th / 2, t);
    }
    textAt(0, 0, QStringLiteral("RHOB [kg/m3]"));

    // Measured pairs and the curve stay inside the plot area.
    p.setBackgroundMode(Qt::TransparentMode);
    // (with room for the squares of pairs at the lowest stresses, which sit
    // on the RHOB axis)
    p.setClipRect(QRect(QPoint(s.px(0) - 3, s.py(s.ymax) - 3), QPoint(W - 1, s.py(s.ymin))));
    p.setPen(QPen(Qt::black, 1));
    for (int i = 1; i <= n; ++i) {
        const int x = s.px(w.Messtabelle[1][i]);
        const int y = s.py(w.Messtabelle[2][i]);
        p.drawRect(x - 2, y - 2, 4, 4);
    }

    // Fitted curve: red below the first pair, green over the measured range,
    // red above the last pair, drawn as one polyline. A fit that gives no
    // number has no curve to show.
    if (!fitIsFinite(w)) {
        p.restore();
        return;
    }
    int point = 0;
    QPoint last;
    forCurveStresses(w, [&](double sigma) {
        const QPoint pt(s.px(sigma), s.py(workingDensity(w, sigma)));
        // Points 1..99 lie below the first pair, 100..199 over the measured
        // range, the rest above the last pair.
        if (point > 0) {
            const bool measured = point >= 100 && point < 200;
            p.setPen(QPen(measured ? QColor(0, 128, 0) : QColor(255, 0, 0), 1));
            p.drawLine(last, pt);
        }
        last = pt;
        ++point;
    });
    p.restore();
}

// ---- the fit's parameters and deviation -------------------------------------------

FitDeviation largestDeviation(const DensityWorkingCopy& w) {
    FitDeviation d;
    const int n = pairCount(w);
    if (n < 2 || !fitIsFinite(w)) return d;
    for (int i = 1; i <= n; ++i) {
        const double measured = w.Messtabelle[2][i];
        double diff = std::abs(measured - workingDensity(w, w.Messtabelle[1][i]));
        if (!std::isfinite(diff)) return FitDeviation{};
        // Rounding noise of a law through the pair is no deviation: of equal
        // deviations the first pair's is named.
        if (diff < 1e-9 * std::abs(measured)) diff = 0;
        if (!d.valid || diff > d.rho) {
            d.valid = true;
            d.rho = diff;
            d.sigma = w.Messtabelle[1][i];
            d.percent = measured != 0 ? 100.0 * diff / std::abs(measured) : 0;
        }
    }
    return d;
}

namespace {
QString general8(double v) { return QString::fromStdString(formatGeneral8(v)); }
}  // namespace

QString fitSummaryText(const DensityWorkingCopy& w, int language) {
    if (pairCount(w) < 2) return T(texts::densityFit::noFitYet, language);
    if (!fitIsFinite(w)) return T(texts::density::fitNotComputable, language);
    QStringList lines;
    switch (w.Messanpassart) {
        case 0:
            lines << "m = " + general8(w.MessB) + " kg/m3/Pa" << "b = " + general8(w.MessA) + " kg/m3";
            break;
        case 1:
            lines << "RHO1 = " + general8(w.MessB) + " kg/m3" << "RHO0 = " + general8(w.MessA) + " kg/m3";
            break;
        case 2:
            lines << "RHOMIN = " + general8(w.MessRHOMIN) + " kg/m3"
                  << "RHOMAX = " + general8(w.MessRHOMAX) + " kg/m3"
                  << "SIGMA0 = " + general8(w.MessSIGMA0) + " Pa";
            break;
        default: lines << T(texts::densityFit::throughEveryPair, language); break;
    }
    // Interpolation passes through the pairs: no deviation to report.
    const FitDeviation d = largestDeviation(w);
    if (d.valid && w.Messanpassart != 3)
        lines << T(texts::densityFit::largestDeviation, language)
                     .arg(QString::number(d.rho, 'f', 1), QString::number(d.percent, 'f', 2),
                          general8(d.sigma));
    return lines.join('\n');
}

std::array<QString, 3> fittedLawFieldTexts(const DensityWorkingCopy& w) {
    if (pairCount(w) < 2 || !fitIsFinite(w)) return {};
    if (w.Messanpassart == 2)
        return {general8(w.MessRHOMIN), general8(w.MessRHOMAX), general8(w.MessSIGMA0)};
    // RHOMIN is the density without stress, which every law has.
    const double rho0 = workingDensity(w, 0);
    return {std::isfinite(rho0) ? general8(rho0) : QString(), QString(), QString()};
}

// ---- widgets ---------------------------------------------------------------------

// The check diagram: an image that the window draws into; a click is "Testen".
class DensityPlot : public QWidget {
public:
    explicit DensityPlot(QWidget* parent) : QWidget(parent) { setObjectName("diagram"); }
    // Held at the screen's device pixel ratio, so that lines and labels are
    // as sharp on a high-resolution screen as on a normal one.
    QImage image;
    std::function<void()> onClick;
    void setImageSize(QSize sz) {
        setFixedSize(sz);
        matchScreen();
    }
    // A new white image when the size or the screen's pixel ratio changed.
    void matchScreen() {
        const qreal dpr = devicePixelRatioF();
        if (image.size() == size() * dpr && image.devicePixelRatio() == dpr) return;
        image = QImage(size() * dpr, QImage::Format_RGB32);
        image.setDevicePixelRatio(dpr);
        image.fill(Qt::white);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, image);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && onClick)
            onClick();
    }
};

namespace {

// Cell editor of the grid: the decimal filter sits on every editor created.
class GridDelegate : public QStyledItemDelegate {
public:
    GridDelegate(QObject* filter, QObject* parent) : QStyledItemDelegate(parent), filter_(filter) {}
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& o,
                          const QModelIndex& idx) const override {
        QWidget* ed = QStyledItemDelegate::createEditor(parent, o, idx);
        if (ed) {
            ed->setObjectName("measurementGridEditor");
            ed->installEventFilter(filter_);
            if (auto* line = qobject_cast<QLineEdit*>(ed)) makeNumberField(line);
            editor_ = ed;
        }
        return ed;
    }
    void destroyEditor(QWidget* ed, const QModelIndex& idx) const override {
        if (editor_ == ed) editor_ = nullptr;
        QStyledItemDelegate::destroyEditor(ed, idx);
    }
    QWidget* openEditor() const { return editor_; }
    // Return in a cell moves on as Tab does (SIGMA, RHOB, next row's SIGMA):
    // the pairs are typed in one go without reaching for the mouse.
    bool eventFilter(QObject* obj, QEvent* ev) override {
        if (ev->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(ev)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                auto* ed = static_cast<QWidget*>(obj);
                emit commitData(ed);
                emit closeEditor(ed, QAbstractItemDelegate::EditNextItem);
                return true;
            }
            // Escape is Abbrechen, as everywhere in the window: the cell's
            // editor is always open, so it must not swallow the key.
            if (key == Qt::Key_Escape) {
                auto* ed = static_cast<QWidget*>(obj);
                QPointer<QDialog> window = qobject_cast<QDialog*>(ed->window());
                emit closeEditor(ed, QAbstractItemDelegate::RevertModelCache);
                QMetaObject::invokeMethod(
                    this, [window] { if (window) window->reject(); }, Qt::QueuedConnection);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(obj, ev);
    }
    // Takes the text of an open editor into the grid.
    void commitOpen() {
        if (editor_) emit const_cast<GridDelegate*>(this)->commitData(editor_);
    }

private:
    QObject* filter_;
    mutable QPointer<QWidget> editor_;
};

}  // namespace

// The grid of measured pairs. The "Nr." column is a label: it takes no
// focus, Tab and Return go SIGMA -> RHOB -> next row's SIGMA (Shift+Tab
// back), and typing never searches for a row: a digit typed belongs to a cell.
class MeasurementGrid : public QTableWidget {
public:
    MeasurementGrid(int rows, int columns, QWidget* parent) : QTableWidget(rows, columns, parent) {}
    void keyboardSearch(const QString&) override {}

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override {
        const QModelIndex cur = currentIndex();
        const int r = cur.row(), c = cur.column();
        if (cur.isValid() && action == MoveNext) {
            if (c == 1) return model()->index(r, 2);
            return r + 1 < rowCount() ? model()->index(r + 1, 1) : cur;
        }
        if (cur.isValid() && action == MovePrevious) {
            if (c == 2) return model()->index(r, 1);
            return r > 0 ? model()->index(r - 1, 2) : cur;
        }
        QModelIndex to = QTableWidget::moveCursor(action, modifiers);
        if (to.isValid() && to.column() == 0) to = model()->index(to.row(), 1);
        return to;
    }
    void currentChanged(const QModelIndex& cur, const QModelIndex& prev) override {
        QTableWidget::currentChanged(cur, prev);
        if (cur.isValid() && cur.column() == 0) setCurrentIndex(model()->index(cur.row(), 1));
    }
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
            const QModelIndex next = moveCursor(MoveNext, e->modifiers());
            if (next.isValid()) setCurrentIndex(next);
            e->accept();
            return;
        }
        QTableWidget::keyPressEvent(e);
    }
};

DensityWindow::DensityWindow(SiloDocument& document, QWidget* parent)
    : QDialog(parent), document_(document) {
    setObjectName("densityWindow");
    setWindowFlag(Qt::Tool, true);
    const double f = std::round(app().screenScale * 800) / 800.0;
    // Grows with the screen factor, never smaller than the desktop's text.
    QFont fnt = QApplication::font();
    if (fnt.pointSizeF() > 0) fnt.setPointSizeF(fnt.pointSizeF() * std::max(1.0, f));
    setFont(fnt);

    auto* keyFilter = new DecimalKeyFilter([this](QObject*) { setOkEnabled(false); }, this);

    instructions_ = new QPlainTextEdit(this);
    instructions_->setObjectName("instructions");
    instructions_->setReadOnly(true);
    instructions_->setPlainText(
        QString::fromUtf8("Eingabe von Wertepaaren: Spannung SIGMA\n"
                          "und zugehörige Schüttgutdichte RHOB"));
    instructions_->setFixedHeight(QFontMetrics(fnt).lineSpacing() * 2 + 12);
    instructions_->setFocusPolicy(Qt::NoFocus);

    grid_ = new MeasurementGrid(kMaxPairs, 3, this);
    grid_->setObjectName("measurementGrid");
    grid_->setHorizontalHeaderLabels({"Nr.", "SIGMA [Pa]", "RHOB [kg/m3]"});
    grid_->verticalHeader()->setVisible(false);
    grid_->horizontalHeader()->setHighlightSections(false);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::AllEditTriggers);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setItemDelegate(new GridDelegate(keyFilter, grid_));
    grid_->installEventFilter(keyFilter);
    grid_->installEventFilter(this);

    grid_->setToolTip(QString::fromUtf8(
        "Achtung! Wird bei der Berechnung der Spannungsbreich der Vorgabewerte verlassen, sind "
        "Fehlberechnungen möglich."));
    for (int r = 0; r < kMaxPairs; ++r) {
        auto* number = new QTableWidgetItem(QString::number(r + 1));
        number->setFlags(Qt::ItemIsEnabled);
        number->setBackground(palette().button());
        grid_->setItem(r, 0, number);
        grid_->setItem(r, 1, new QTableWidgetItem());
        grid_->setItem(r, 2, new QTableWidgetItem());
    }
    const double sk = app().screenScale;
    // The screen-scaled widths, or wider where the font needs it for a whole
    // 8-digit value and the column heads.
    const QFontMetrics gfm(fnt);
    const int numberWidth = gfm.horizontalAdvance(QStringLiteral("-0.012345678")) + 12;
    grid_->setColumnWidth(0, std::max(static_cast<int>(std::lround(28 * sk)),
                                      gfm.horizontalAdvance(QStringLiteral("50")) + 12));
    grid_->setColumnWidth(1, std::max({static_cast<int>(std::lround(80 * sk)), numberWidth,
                                       gfm.horizontalAdvance(QStringLiteral("SIGMA [Pa]")) + 12}));
    grid_->setColumnWidth(2,
                          std::max({static_cast<int>(std::lround(90 * sk)), numberWidth,
                                    gfm.horizontalAdvance(QStringLiteral("RHOB [kg/m3]")) + 12}));
    const int rowH = std::max(
        static_cast<int>(std::lround(2 * QFontInfo(fnt).pointSizeF() + 0.5)),
        QFontMetrics(fnt).height() + 2);
    grid_->verticalHeader()->setDefaultSectionSize(rowH);
    grid_->verticalHeader()->setMinimumSectionSize(rowH);
    grid_->setFixedWidth(grid_->columnWidth(0) + grid_->columnWidth(1) + grid_->columnWidth(2) + 3 +
                         18 + 2 * grid_->frameWidth());

    diagram_ = new DensityPlot(this);
    diagram_->setImageSize(
        QSize(static_cast<int>(std::lround(225 * sk)), static_cast<int>(std::lround(195 * sk))));
    diagram_->setToolTip(QString::fromUtf8(
        "Grafik durch Anklicken aktualsieren! Hinweis: Der durch Meßwerte abgesicherte Bereich ist "
        "grün"));
    diagram_->onClick = [this] { testFit(); };

    fitKindGroup_ =
        new RadioGroup("fitKindGroup",
                       {T(texts::density::linearRegression), T(texts::density::logarithmicFit),
                        T(texts::density::exponentialFit), T(texts::density::linearInterpolation)},
                       this);
    fitKindGroup_->setTitle(T(texts::density::fitModeGroup));
    fitKindGroup_->setToolTip(
        QString::fromUtf8("Überprüfen Sie die Anpassung mit dem Button \"Testen\"."));
    fitKindGroup_->setItemIndex(2);
    connect(fitKindGroup_, &RadioGroup::clicked, this, [this] { fitKindChanged(); });

    // What the fit gave: its parameters and its largest deviation from the
    // pairs, so that a law is judged by numbers and not by the small diagram only.
    fitResultBox_ = new QGroupBox(T(texts::densityFit::resultGroup), this);
    fitResultBox_->setObjectName("fitResultBox");
    fitSummary_ = new QLabel(fitResultBox_);
    fitSummary_->setObjectName("fitSummary");
    fitSummary_->setWordWrap(true);
    fitSummary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    fitSummary_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Room for three parameter lines and a deviation that wraps once.
    fitSummary_->setMinimumHeight(QFontMetrics(fnt).lineSpacing() * 5);
    (new QVBoxLayout(fitResultBox_))->addWidget(fitSummary_);

    testButton_ = new QPushButton(T(texts::density::checkButton), this);
    testButton_->setObjectName("testButton");
    testButton_->setToolTip("Zeigt aktuelle Anpassung");
    okButton_ = new QPushButton("OK", this);
    okButton_->setObjectName("okButton");
    cancelButton_ = new QPushButton(T(texts::parameters::cancelButton), this);
    cancelButton_->setObjectName("cancelButton");
    // Return outside the grid presses the default button: Testen while OK is
    // disabled, OK once a test enabled it. A focused button takes Return
    // itself, except Testen: once clicked it hands the next Return to OK,
    // which the test has just enabled.
    testButton_->setAutoDefault(false);
    setOkEnabled(false);
    connect(testButton_, &QPushButton::clicked, this, [this] { testFit(); });
    connect(okButton_, &QPushButton::clicked, this, [this] { okClicked(); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { cancel(); });

    auto* left = new QVBoxLayout;
    left->addWidget(grid_, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(diagram_, 0, Qt::AlignTop | Qt::AlignHCenter);
    right->addWidget(fitKindGroup_);
    right->addWidget(fitResultBox_);
    right->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(testButton_);
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    right->addLayout(buttons);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(12, 12, 12, 12);
    top->addWidget(instructions_);
    top->addLayout(columns, 1);
    resize(sizeHint().width(), static_cast<int>(std::lround(420 * sk)));
}

bool DensityWindow::eventFilter(QObject* obj, QEvent* ev) {
    // A character typed while the grid itself has the focus belongs to the
    // cell editor that is open on the current cell.
    static bool forwarding = false;
    if (obj == grid_ && ev->type() == QEvent::KeyPress && !forwarding) {
        const QString t = static_cast<QKeyEvent*>(ev)->text();
        if (t.isEmpty() || t.at(0).unicode() < 32 || DecimalKeyFilter::filtered(t.at(0)).isNull())
            return QDialog::eventFilter(obj, ev);
        auto* delegate = static_cast<GridDelegate*>(grid_->itemDelegate());
        QWidget* ed = delegate->openEditor();
        const QModelIndex cur = grid_->currentIndex();
        if (!ed && cur.isValid() && cur.column() > 0) {
            grid_->edit(cur);
            ed = delegate->openEditor();
        }
        if (ed && ed->isVisible() && ed->isEnabled()) {
            ed->setFocus();
            forwarding = true;
            QCoreApplication::sendEvent(ed, ev);
            forwarding = false;
            return true;
        }
    }
    return QDialog::eventFilter(obj, ev);
}

const QImage& DensityWindow::diagramImage() const { return diagram_->image; }

void DensityWindow::setOkEnabled(bool on) {
    okButton_->setEnabled(on);
    okButton_->setDefault(on);
    testButton_->setDefault(!on);
}

bool DensityWindow::reportHalfFilledRow(const QList<MeasurementRow>& rows) {
    const int r = firstHalfFilledRow(rows);
    if (r < 0) return false;
    // The cursor waits in the cell that is still empty.
    grid_->setCurrentCell(r, rows[r].sigma.isEmpty() ? 1 : 2);
    platform::message(this, QString::fromUtf8(texts::kProblemCaption),
                      T(texts::density::incompleteRow).arg(r + 1), platform::Icon::Warning);
    grid_->setFocus();
    return true;
}

void DensityWindow::retranslate() {
    setWindowTitle(T(texts::density::caption));
    instructions_->setPlainText(T(texts::density::instructions));
    testButton_->setText(T(texts::density::checkButton));
    cancelButton_->setText(T(texts::parameters::cancelButton));
    fitKindGroup_->setTitle(T(texts::density::fitModeGroup));
    fitResultBox_->setTitle(T(texts::densityFit::resultGroup));
    fitKindGroup_->setItems({T(texts::density::linearRegression), T(texts::density::logarithmicFit),
                             T(texts::density::exponentialFit),
                             T(texts::density::linearInterpolation)});
}

void DensityWindow::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!e->spontaneous()) activate();
}

void DensityWindow::activate() {
    DensityWorkingCopy& w = document_.workingCopy;
    retranslate();
    const int n = std::clamp(w.Messpunktzahl, 0, kMaxPairs);
    grid_->scrollToTop();
    for (int r = 1; r <= kMaxPairs; ++r) {
        const bool used = r <= n;
        grid_->item(r - 1, 1)->setText(used ? general8(w.Messtabelle[1][r]) : QString());
        grid_->item(r - 1, 2)->setText(used ? general8(w.Messtabelle[2][r]) : QString());
    }
    grid_->setFocus();
    grid_->setCurrentCell(std::min(n, kMaxPairs - 1), 1);
    // The cell's editor is open at once and has the focus: the first key
    // typed goes into it.
    auto* delegate = static_cast<GridDelegate*>(grid_->itemDelegate());
    if (!delegate->openEditor()) grid_->edit(grid_->currentIndex());
    if (QWidget* ed = delegate->openEditor()) ed->setFocus();
    savedWorkingCopy_ = w;
    const int kind = w.Messanpassart;
    // Selecting the kind fires its click, which would already check the
    // table: block it, the activation checks itself.
    {
        const QSignalBlocker block(fitKindGroup_);
        fitKindGroup_->setItemIndex(kind >= 0 && kind <= 3 ? kind : 0);
    }
    diagram_->matchScreen();
    diagram_->image.fill(Qt::white);
    fitSummary_->setText(T(texts::densityFit::noFitYet));
    if (n > 1) {
        checkPairs();
        drawDiagram();
    }
    diagram_->update();
    setOkEnabled(false);
}

QList<MeasurementRow> DensityWindow::gridRows() {
    static_cast<GridDelegate*>(grid_->itemDelegate())->commitOpen();
    QList<MeasurementRow> rows;
    for (int r = 0; r < kMaxPairs; ++r)
        rows << MeasurementRow{grid_->item(r, 1)->text().trimmed(),
                               grid_->item(r, 2)->text().trimmed()};
    return rows;
}

bool DensityWindow::checkPairs() { return checkPairs(gridRows()); }

bool DensityWindow::checkPairs(const QList<MeasurementRow>& rows) {
    fitUsable_ =
        checkMeasurements(rows, std::max(0, fitKindGroup_->itemIndex()), document_.workingCopy);
    fitFinite_ = fitIsFinite(document_.workingCopy);
    return fitUsable_;
}

void DensityWindow::drawDiagram() {
    diagram_->matchScreen();
    QPainter p(&diagram_->image);
    p.setFont(font());
    const QSize logical = diagram_->size();
    drawDensityDiagram(p, logical.width(), logical.height(), document_.workingCopy);
    p.end();
    diagram_->update();
    // The numbers belong to the law the diagram shows.
    fitSummary_->setText(fitSummaryText(document_.workingCopy, texts::language()));
}

void DensityWindow::testFit() {
    const QList<MeasurementRow> rows = gridRows();
    if (reportHalfFilledRow(rows)) return;
    checkPairs(rows);
    if (document_.workingCopy.Messpunktzahl < 2) return;
    drawDiagram();
    setOkEnabled(true);
}

void DensityWindow::fitKindChanged() { checkPairs(); }

void DensityWindow::okClicked() {
    const QList<MeasurementRow> rows = gridRows();
    if (reportHalfFilledRow(rows)) return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    checkPairs(rows);
    QGuiApplication::restoreOverrideCursor();
    if (fitUsable_) {
        done(QDialog::Accepted);
        return;
    }
    // A fit that gives no number at all is not a matter of too small
    // densities: it has its own message, in the window's language.
    if (!fitFinite_) {
        platform::messageOkCancel(this, QString::fromUtf8(texts::kProblemCaption),
                                  T(texts::density::fitNotComputable), platform::Icon::Question);
        return;
    }
    platform::messageOkCancel(
        this, QString::fromUtf8(texts::kProblemCaption),
        QString::fromUtf8("Negative oder zu kleine Werte für RHOB bei kleinen Spannungen SIGMA."),
        platform::Icon::Question);
}

void DensityWindow::cancel() {
    document_.workingCopy = savedWorkingCopy_;
    done(QDialog::Rejected);
}

void DensityWindow::reject() { cancel(); }

}  // namespace korvane::ui
