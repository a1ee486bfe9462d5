#include "ui/study/studywindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

#include "calc/engine.h"
#include "files/sample.h"
#include "files/vary_checks.h"
#include "ui/texts/texts.h"

namespace korvane::ui {

using texts::T;

// ---------------------------------------------------------------------------
// The plot

namespace {

QString tickText(double v) { return QString::number(v, 'g', 6); }

const QColor kCurveColours[] = {QColor(0, 90, 200),  QColor(200, 30, 30), QColor(20, 140, 40),
                                QColor(150, 60, 170), QColor(220, 120, 0), QColor(0, 150, 160),
                                QColor(120, 80, 40),  QColor(90, 90, 90)};

// The plot into `r`: frame, grid, ticks and their values, the axis texts,
// the curves (broken where a run has no result) and, for more than one
// curve, a legend with the second field's values.
void paintStudyPlot(QPainter& p, const QRect& r, const StudyPlot& plot, const QString& xText,
                    const QString& yText, const QString& secondName) {
    p.save();
    p.fillRect(r, Qt::white);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QFontMetrics fm = p.fontMetrics();
    const int line = fm.height();
    int tickWidth = 0;
    for (double t : plot.y.ticks) tickWidth = std::max(tickWidth, fm.horizontalAdvance(tickText(t)));
    const bool legend = plot.curves.size() > 1 || (plot.curves.size() == 1 && plot.curves[0].hasSecond);
    int legendWidth = 0;
    if (legend)
        for (const StudyCurve& c : plot.curves)
            legendWidth = std::max(legendWidth, fm.horizontalAdvance(secondName + " = " +
                                                                     tickText(c.second)));
    const QRect area(r.left() + tickWidth + line, r.top() + 2 * line,
                     r.width() - tickWidth - 2 * line - (legend ? legendWidth + 3 * line : 0),
                     r.height() - 5 * line);
    if (area.width() < 10 || area.height() < 10) {
        p.restore();
        return;
    }
    auto px = [&](double x) {
        return area.left() + (x - plot.x.lo) / (plot.x.hi - plot.x.lo) * area.width();
    };
    auto py = [&](double y) {
        return area.bottom() - (y - plot.y.lo) / (plot.y.hi - plot.y.lo) * area.height();
    };

    // grid and ticks
    p.setPen(QPen(QColor(225, 225, 225), 1));
    for (double t : plot.x.ticks) p.drawLine(QPointF(px(t), area.top()), QPointF(px(t), area.bottom()));
    for (double t : plot.y.ticks) p.drawLine(QPointF(area.left(), py(t)), QPointF(area.right(), py(t)));
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(area);
    for (double t : plot.x.ticks) {
        const QString s = tickText(t);
        p.drawText(QPointF(px(t) - fm.horizontalAdvance(s) / 2.0, area.bottom() + line + 2), s);
    }
    for (double t : plot.y.ticks) {
        const QString s = tickText(t);
        p.drawText(QPointF(area.left() - fm.horizontalAdvance(s) - 4, py(t) + fm.ascent() / 2.0 - 1), s);
    }
    p.drawText(QPointF(area.left() + (area.width() - fm.horizontalAdvance(xText)) / 2.0,
                       area.bottom() + 2 * line + 6),
               xText);
    p.drawText(QPointF(area.left(), area.top() - line / 2.0), yText);

    // curves
    p.setClipRect(area.adjusted(-3, -3, 3, 3));
    for (size_t k = 0; k < plot.curves.size(); ++k) {
        const StudyCurve& c = plot.curves[k];
        const QColor colour = kCurveColours[k % std::size(kCurveColours)];
        p.setPen(QPen(colour, std::max(1.5, line / 8.0)));
        QPainterPath path;
        bool open = false;
        for (size_t i = 0; i < c.x.size(); ++i) {
            if (!std::isfinite(c.y[i])) {
                open = false;
                continue;
            }
            const QPointF pt(px(c.x[i]), py(c.y[i]));
            if (open) path.lineTo(pt);
            else path.moveTo(pt);
            open = true;
        }
        p.drawPath(path);
        p.setBrush(colour);
        const double dot = std::max(2.0, line / 6.0);
        // Marks on the points while they stand apart; a dense study is a line.
        const bool marks = static_cast<double>(c.x.size()) * dot * 4 < area.width();
        for (size_t i = 0; marks && i < c.x.size(); ++i)
            if (std::isfinite(c.y[i])) p.drawEllipse(QPointF(px(c.x[i]), py(c.y[i])), dot, dot);
        p.setBrush(Qt::NoBrush);
    }
    p.setClipping(false);

    // legend
    if (legend) {
        int y = area.top() + line;
        const int x = area.right() + line;
        for (size_t k = 0; k < plot.curves.size() && y < area.bottom(); ++k, y += line + 2) {
            p.setPen(QPen(kCurveColours[k % std::size(kCurveColours)], std::max(2.0, line / 6.0)));
            p.drawLine(QPointF(x, y - fm.ascent() / 2.0 + 1), QPointF(x + line * 1.5, y - fm.ascent() / 2.0 + 1));
            p.setPen(Qt::black);
            p.drawText(QPointF(x + line * 2, y), secondName + " = " + tickText(plot.curves[k].second));
        }
    }
    p.restore();
}

}  // namespace

class StudyPlotView : public QWidget {
public:
    explicit StudyPlotView(QWidget* parent) : QWidget(parent) {
        setObjectName("studyPlot");
        setMinimumSize(360, 240);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }
    void setPlot(StudyPlot plot, QString x, QString y, QString second) {
        plot_ = std::move(plot);
        x_ = std::move(x);
        y_ = std::move(y);
        second_ = std::move(second);
        update();
    }
    const StudyPlot& plot() const { return plot_; }
    void paintTo(QPainter& p, const QRect& r) const { paintStudyPlot(p, r, plot_, x_, y_, second_); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        paintTo(p, rect());
    }

private:
    StudyPlot plot_;
    QString x_, y_, second_;
};

// ---------------------------------------------------------------------------
// The study

// What the runs read (their own copy of the silo and the plan) and what
// the window and the runs share (Cancel and the count of runs done).
struct StudyWindow::Job {
    std::unique_ptr<SiloModel> base = std::make_unique<SiloModel>();
    VaryPlan plan;
    TaskControl control;
};

namespace {

// The unit of a field as the parameter file holds it.
QString unitOf(const std::string& name) {
    if (name == "RHOMIN" || name == "RHOMAX") return QStringLiteral("kg/m³");
    if (name == "SIGMA0" || name == "Auflastspannung") return QStringLiteral("Pa");
    if (name == "Kwert") return QStringLiteral("–");
    if (name == "PHIE" || name.rfind("Phix", 0) == 0 || name == "Trichterwinkel" ||
        name == "boeschwinkel")
        return QStringLiteral("°");
    return QStringLiteral("m");
}

bool readNumber(const QLineEdit* e, double& v) {
    QString t = e->text().trimmed();
    t.replace(',', '.');
    bool ok = false;
    v = QLocale::c().toDouble(t, &ok);
    return ok && std::isfinite(v);
}

}  // namespace

StudyWindow::StudyWindow(CurrentSilo currentSilo, QWidget* parent)
    : QWidget(parent, Qt::Window), currentSilo_(std::move(currentSilo)) {
    setObjectName("studyWindow");
    auto* grid = new QGridLayout;
    auto edit = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        e->setMaximumWidth(110);
        return e;
    };
    field1Label_ = new QLabel(this);
    field2Label_ = new QLabel(this);
    resultLabel_ = new QLabel(this);
    fromLabel_ = new QLabel(this);
    toLabel_ = new QLabel(this);
    stepLabel_ = new QLabel(this);
    field1_ = new QComboBox(this);
    field1_->setObjectName("field1");
    field2_ = new QComboBox(this);
    field2_->setObjectName("field2");
    from1_ = edit("from1");
    to1_ = edit("to1");
    step1_ = edit("step1");
    from2_ = edit("from2");
    to2_ = edit("to2");
    step2_ = edit("step2");
    result_ = new QComboBox(this);
    result_->setObjectName("result");
    grid->addWidget(fromLabel_, 0, 2);
    grid->addWidget(toLabel_, 0, 3);
    grid->addWidget(stepLabel_, 0, 4);
    grid->addWidget(field1Label_, 1, 0);
    grid->addWidget(field1_, 1, 1);
    grid->addWidget(from1_, 1, 2);
    grid->addWidget(to1_, 1, 3);
    grid->addWidget(step1_, 1, 4);
    grid->addWidget(field2Label_, 2, 0);
    grid->addWidget(field2_, 2, 1);
    grid->addWidget(from2_, 2, 2);
    grid->addWidget(to2_, 2, 3);
    grid->addWidget(step2_, 2, 4);
    grid->addWidget(resultLabel_, 3, 0);
    grid->addWidget(result_, 3, 1, 1, 4);
    grid->setColumnStretch(1, 1);

    auto button = [this](const char* name) {
        auto* b = new QPushButton(this);
        b->setObjectName(name);
        return b;
    };
    start_ = button("startButton");
    cancel_ = button("cancelButton");
    csv_ = button("csvButton");
    png_ = button("pngButton");
    close_ = button("closeButton");
    cancel_->setEnabled(false);
    csv_->setEnabled(false);
    png_->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {start_, cancel_, csv_, png_}) buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(close_);

    progress_ = new QProgressBar(this);
    progress_->setObjectName("progress");
    progress_->setRange(0, 1);
    progress_->setValue(0);
    status_ = new QLabel(this);
    status_->setObjectName("status");
    status_->setWordWrap(true);
    plotView_ = new StudyPlotView(this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->addWidget(progress_);
    layout->addWidget(status_);
    layout->addWidget(plotView_, 1);

    timer_ = new QTimer(this);
    timer_->setInterval(100);
    connect(timer_, &QTimer::timeout, this, &StudyWindow::showProgress);
    connect(start_, &QPushButton::clicked, this, [this] { startStudy(); });
    connect(cancel_, &QPushButton::clicked, this, &StudyWindow::cancelStudy);
    connect(csv_, &QPushButton::clicked, this, &StudyWindow::askCsv);
    connect(png_, &QPushButton::clicked, this, &StudyWindow::askPng);
    connect(close_, &QPushButton::clicked, this, &QWidget::close);
    connect(result_, &QComboBox::currentIndexChanged, this, &StudyWindow::replot);
    connect(field1_, &QComboBox::currentIndexChanged, this,
            [this] { fillDefaults(field1_, from1_, to1_, step1_); });
    connect(field2_, &QComboBox::currentIndexChanged, this, [this] {
        fillDefaults(field2_, from2_, to2_, step2_);
        const bool on = !field2_->currentData().toString().isEmpty();
        for (QLineEdit* e : {from2_, to2_, step2_}) e->setEnabled(on);
    });

    retranslate();
    refreshFields();
    resize(760, 620);
}

StudyWindow::~StudyWindow() {
    // The runs end at the next run once told to. They own their job and
    // their rows, and the rows are dropped with the window (study_ goes
    // first), so nothing is waited for here.
    if (job_) job_->control.cancel();
}

void StudyWindow::retranslate() {
    setWindowTitle(T(texts::study::caption));
    field1Label_->setText(T(texts::study::firstField));
    field2Label_->setText(T(texts::study::secondField));
    resultLabel_->setText(T(texts::study::result));
    fromLabel_->setText(T(texts::study::from));
    toLabel_->setText(T(texts::study::to));
    stepLabel_->setText(T(texts::study::step));
    start_->setText(T(texts::study::start));
    cancel_->setText(T(texts::study::cancel));
    csv_->setText(T(texts::study::exportCsv));
    png_->setText(T(texts::study::exportPng));
    close_->setText(T(texts::study::close));
    const int r = std::max(0, result_->currentIndex());
    const QSignalBlocker block(result_);
    result_->clear();
    for (const texts::TextPair* t : {&texts::study::contents, &texts::study::outletStress,
                                     &texts::study::largestWallStress,
                                     &texts::study::heightOfLargest})
        result_->addItem(T(*t));
    result_->setCurrentIndex(r);
    if (field2_->count() > 0) field2_->setItemText(0, T(texts::study::noSecondField));
    showProgress();
    replot();
}

void StudyWindow::refreshFields() {
    const SiloModel& silo = currentSilo_();
    const QString keep1 = field1_->currentData().toString();
    const QString keep2 = field2_->currentData().toString();
    const QSignalBlocker b1(field1_), b2(field2_);
    field1_->clear();
    field2_->clear();
    field2_->addItem(T(texts::study::noSecondField), QString());
    std::string why;
    for (const std::string& name : varyFieldNames()) {
        if (!variedFieldsTakeEffect(silo, {name}, "", why)) continue;
        const QString n = QString::fromStdString(name);
        const QString text = n + " [" + unitOf(name) + "]";
        field1_->addItem(text, n);
        field2_->addItem(text, n);
    }
    const int i1 = field1_->findData(keep1.isEmpty() ? QStringLiteral("Fuellhoehe") : keep1);
    field1_->setCurrentIndex(std::max(0, i1));
    field2_->setCurrentIndex(std::max(0, field2_->findData(keep2)));
    if (keep1.isEmpty() || field1_->currentData().toString() != keep1)
        fillDefaults(field1_, from1_, to1_, step1_);
    if (field2_->currentData().toString() != keep2 || keep2.isEmpty())
        fillDefaults(field2_, from2_, to2_, step2_);
    const bool on = !field2_->currentData().toString().isEmpty();
    for (QLineEdit* e : {from2_, to2_, step2_}) e->setEnabled(on);
}

void StudyWindow::fillDefaults(QComboBox* field, QLineEdit* from, QLineEdit* to, QLineEdit* step) {
    const std::string name = field->currentData().toString().toStdString();
    double v = 0;
    if (name.empty() || !variedFieldValue(currentSilo_(), name, v) || !std::isfinite(v)) {
        for (QLineEdit* e : {from, to, step}) e->clear();
        return;
    }
    // ±20 % around the silo's value in eight steps; from 0 to 10 for a 0.
    const double lo = v == 0 ? 0 : v * 0.8, hi = v == 0 ? 10 : v * 1.2;
    from->setText(QString::number(std::min(lo, hi), 'g', 6));
    to->setText(QString::number(std::max(lo, hi), 'g', 6));
    step->setText(QString::number(std::fabs(hi - lo) / 8, 'g', 6));
}

QString StudyWindow::fieldLabel(int which) const {
    const std::string name = which < static_cast<int>(shownNames_.size()) ? shownNames_[which] : "";
    return name.empty() ? QString()
                        : QString::fromStdString(name) + " [" + unitOf(name) + "]";
}

bool StudyWindow::running() const { return job_ && study_.running(); }

const StudyPlot& StudyWindow::plot() const { return plotView_->plot(); }

bool StudyWindow::startStudy() {
    if (running()) return false;
    refreshFields();
    auto fail = [this](const texts::TextPair& why, const QString& arg = QString()) {
        messagePair_ = &why;  // the last study's rows stay shown
        messageArg_ = arg;
        showProgress();
        return false;
    };
    std::vector<VaryRange> ranges;
    const std::string n1 = field1_->currentData().toString().toStdString();
    const std::string n2 = field2_->currentData().toString().toStdString();
    if (n1.empty()) return fail(texts::study::badNumber);
    if (n1 == n2) return fail(texts::study::sameField);
    long long runs = 1;
    for (auto [name, f, t, s] : {std::tuple{n1, from1_, to1_, step1_}, {n2, from2_, to2_, step2_}}) {
        if (name.empty()) continue;
        VaryRange r;
        r.name = name;
        if (!readNumber(f, r.from) || !readNumber(t, r.to) || !readNumber(s, r.step))
            return fail(texts::study::badNumber);
        const double steps = (r.to - r.from) / r.step;
        if (!(r.step != 0) || !std::isfinite(r.to - r.from) || !std::isfinite(steps) || steps < -1e-9)
            return fail(texts::study::badStep);
        runs *= static_cast<long long>(std::min(1e12, std::floor(steps + 1e-9) + 1));
        if (runs > kWindowStudyMaxRuns)
            return fail(texts::study::tooManyRuns, QString::number(kWindowStudyMaxRuns));
        ranges.push_back(r);
    }
    auto job = std::make_shared<Job>();
    std::string why;
    if (!makeVaryPlan(ranges, job->plan, why)) return fail(texts::study::badStep);
    copyAllButResults(*job->base, currentSilo_());
    for (const std::string& name : job->plan.names)
        if (!variedFieldsTakeEffect(*job->base, {name}, "", why))
            return fail(texts::study::noEffect, QString::fromStdString(name));
    if (!variedFieldsTakeEffect(*job->base, job->plan.names, "", why))
        return fail(texts::study::noEffect, QString::fromStdString(job->plan.names.back()));
    job_ = job;
    shownRows_.clear();
    shownNames_ = job->plan.names;
    messagePair_ = nullptr;
    progress_->setRange(0, static_cast<int>(job->plan.runs));
    progress_->setValue(0);
    start_->setEnabled(false);
    cancel_->setEnabled(true);
    csv_->setEnabled(false);
    png_->setEnabled(false);
    replot();
    // The runs on a thread of the pool; the window reads only the count
    // until the rows come back.
    study_.start(
        this,
        [job] {
            std::vector<VaryRow> rows;
            rows.reserve(static_cast<size_t>(job->plan.runs));
            auto work = std::make_unique<SiloModel>();
            for (long long i = 0; i < job->plan.runs; ++i) {
                if (job->control.cancelRequested()) break;
                rows.push_back(
                    runWithValues(*job->base, job->plan.names, planValues(job->plan, i), *work));
                job->control.stepDone(i + 1);
            }
            return rows;
        },
        [this](std::vector<VaryRow> rows) { finishStudy(std::move(rows)); });
    timer_->start();
    showProgress();
    return true;
}

void StudyWindow::cancelStudy() {
    if (job_) job_->control.cancel();
}

void StudyWindow::showProgress() {
    // The status line is composed afresh each time, so that it follows a
    // change of language.
    if (messagePair_) {
        const QString m = T(*messagePair_);
        status_->setText(messageArg_.isEmpty() ? m : m.arg(messageArg_));
        return;
    }
    if (!job_) {
        status_->clear();
        return;
    }
    const long long done = job_->control.stepsDone();
    const long long runs = job_->plan.runs;
    if (running()) {
        progress_->setValue(static_cast<int>(done));
        status_->setText(T(texts::study::running).arg(done).arg(runs));
        return;
    }
    long long without = 0;
    for (const VaryRow& r : shownRows_)
        if (r.Parameterfehler != 0 || !r.calculated) ++without;
    QString m = done < runs ? T(texts::study::cancelled).arg(done).arg(runs)
                            : T(texts::study::finished).arg(done);
    if (without > 0) m += T(texts::study::withoutResult).arg(without);
    status_->setText(m);
}

void StudyWindow::finishStudy(std::vector<VaryRow> rows) {
    timer_->stop();
    if (!job_) return;
    shownRows_ = std::move(rows);
    const long long done = static_cast<long long>(shownRows_.size());
    progress_->setValue(static_cast<int>(done));
    showProgress();
    start_->setEnabled(true);
    cancel_->setEnabled(false);
    csv_->setEnabled(!shownRows_.empty());
    png_->setEnabled(!shownRows_.empty());
    replot();
    emit studyFinished();
}

void StudyWindow::replot() {
    plotView_->setPlot(makeStudyPlot(shownRows_, std::max(0, result_->currentIndex())),
                       fieldLabel(0), result_->currentText(),
                       QString::fromStdString(shownNames_.size() > 1 ? shownNames_[1] : ""));
}

bool StudyWindow::exportCsv(const QString& path) const {
    VaryPlan head;
    head.names = shownNames_;
    std::string text = varyCsvHeader(head);
    for (const VaryRow& r : shownRows_) text += varyCsvRow(r);
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write(text.data(), static_cast<qint64>(text.size()));
    return f.commit();
}

bool StudyWindow::exportPng(const QString& path, int width, int height) const {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        QFont f = font();
        f.setPixelSize(std::max(10, width / 70));
        p.setFont(f);
        plotView_->paintTo(p, QRect(width / 80, height / 80, width - width / 40, height - height / 40));
    }
    return image.save(path, "PNG");
}

void StudyWindow::askCsv() {
    const QString path = QFileDialog::getSaveFileName(this, T(texts::study::exportCsv).remove("…"),
                                                      QString(), T(texts::study::csvFileTypes));
    if (path.isEmpty()) return;
    if (!exportCsv(path))
        QMessageBox::warning(this, T(texts::study::caption), T(texts::study::exportFailed) + path);
}

void StudyWindow::askPng() {
    const QString path = QFileDialog::getSaveFileName(this, T(texts::study::exportPng).remove("…"),
                                                      QString(), T(texts::study::pngFileTypes));
    if (path.isEmpty()) return;
    if (!exportPng(path))
        QMessageBox::warning(this, T(texts::study::caption), T(texts::study::exportFailed) + path);
}

void StudyWindow::closeEvent(QCloseEvent* e) {
    cancelStudy();
    QWidget::closeEvent(e);
}

// ---------------------------------------------------------------------------
// The menu item

QAction* addStudyMenuItem(QWidget* mainWindow, QMenu* parameterMenu, CurrentSilo currentSilo) {
    auto* a = new QAction(mainWindow);
    a->setObjectName("parameterStudyAction");
    parameterMenu->addAction(a);
    QObject::connect(a, &QAction::triggered, mainWindow, [mainWindow, currentSilo] {
        auto* w = mainWindow->findChild<StudyWindow*>("studyWindow");
        if (!w) w = new StudyWindow(currentSilo, mainWindow);
        else w->refreshFields();
        w->show();
        w->raise();
        w->activateWindow();
    });
    labelStudyMenuItem(a);
    return a;
}

void labelStudyMenuItem(QAction* item) {
    if (!item) return;
    item->setText(T(texts::study::menuItem));
    if (auto* owner = qobject_cast<QWidget*>(item->parent()))
        if (auto* w = owner->findChild<StudyWindow*>("studyWindow")) w->retranslate();
}

}  // namespace korvane::ui
