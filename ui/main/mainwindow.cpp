#include "ui/main/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDialog>
#include <QDate>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QShowEvent>
#include <QStyle>
#include <QTextDocument>
#include <QTextOption>
#include <QTimer>
#include <QToolTip>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QUndoStack>
#include <QVariant>
#include <cerrno>
#include <cmath>
#include <limits>
#include <memory>
#include <tuple>

#include "calc/engine.h"
#include "calc/form_logic.h"
#include "calc/model.h"
#include "files/batch.h"
#include "files/parameter_file.h"
#include "files/result_file.h"
#include "files/data_folders.h"
#include "files/result_rows.h"
#include "ui/document/documentcalculation.h"
#include "ui/en1991_4/en_main_hooks.h"
#include "ui/info/infoscaling.h"
#include "ui/info/infowindows.h"
#include "ui/main/appstate.h"
#include "ui/main/desktop_habits.h"
#include "ui/main/diagram.h"
#include "ui/main/diagram_export.h"
#include "ui/main/display_logic.h"
#include "ui/main/file_messages.h"
#include "ui/main/platform.h"
#include "ui/main/print_pages.h"
#include "ui/main/printing.h"
#include "ui/parameters/parameterform.h"
#include "ui/study/studywindow.h"
#include "ui/texts/texts.h"

namespace korvane::ui {

using texts::T;
using texts::TextPair;
using texts::problemText;

namespace {

const char* const kParameterFilter = "Parameter-File (*.par);;Alle Dateien (*)";
const char* const kResultFilter = "Ergebnis-File (*.txt);;Alle Dateien (*)";

// Design geometry of the window at 96 dpi (left, top, width, height); the
// creation step scales it to the screen.
struct Design {
    int x, y, w, h;
};
constexpr Design kStateField{0, 13, 105, 15};
constexpr Design kContentsField{125, 13, 72, 15};
constexpr Design kOutletStressField{210, 13, 104, 15};
constexpr Design kMessageLabel{343, 0, 60, 14};
constexpr Design kMessageField{343, 13, 186, 15};
constexpr Design kSecondMessageField{343, 29, 186, 16};
constexpr Design kPositionColumn{0, 65, 68, 440};
constexpr Design kZColumn{73, 65, 56, 440};
constexpr Design kDensityColumn{133, 65, 68, 440};
constexpr Design kVerticalStressColumn{205, 65, 60, 440};
constexpr Design kWallStressColumn{268, 65, 59, 440};
constexpr Design kDiagram{344, 64, 425, 441};
constexpr int kDesignFontPx = 11;
constexpr int kMargin = 4;  // the window's border around the client controls

QChar decimalPoint() {
    const QString p = QLocale().decimalPoint();
    return p.isEmpty() ? QChar('.') : p.at(0);
}

QString fmt(long double v, int decimals) { return formatResult(v, decimals, decimalPoint()); }

std::string toLocal(const QString& path) { return QFile::encodeName(path).toStdString(); }

// What keeps the results from being shown: 0 none, 1 numbers that are not
// finite, 2 nothing to show (no fill, or every stress zero).
int resultProblem(const SiloModel& m) {
    const int outletIndex = std::clamp(m.Indexende, 0, kResultSize - 1);
    const int last = std::clamp(m.Gesamtschritte, 0, kResultSize - 1);
    for (int i = 0; i <= std::max(outletIndex, last); ++i) {
        if (!std::isfinite(static_cast<double>(m.SIGMAV[i])) ||
            !std::isfinite(static_cast<double>(m.SIGMAW[i])) ||
            !std::isfinite(static_cast<double>(m.RHOB[i])) ||
            !std::isfinite(static_cast<double>(m.Dz[i])))
            return 1;
    }
    if (!std::isfinite(m.Fuellmenge)) return 1;
    if (!(m.Fuellhoehe > 0) || !std::isfinite(m.Fuellhoehe)) return 2;
    if (diagramStressMax(m) <= 0 && m.SIGMAV[outletIndex] == 0) return 2;
    return 0;
}

// A plain row keeps a blank in the Position column, so that the columns'
// lines stay level.
QString screenRowLabel(RowLabel l) {
    const QString s = rowLabel(l, texts::language());
    return s.isEmpty() ? QStringLiteral(" ") : s;
}

QString fileErrorText(const FileError& err, const QString& path) {
    return korvane::ui::fileErrorText(err, path, texts::language());
}

// A status field always shows its whole number: a text wider than the field
// is shown in a smaller font until it fits, never cut at one end.
void showWhole(QLineEdit* field, const QString& text) {
    const QVariant standard = field->property("korvaneStandardFont");
    QFont font = standard.isValid() ? standard.value<QFont>() : field->font();
    const QMargins tm = field->textMargins();
    const int frame = field->hasFrame() ? field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth,
                                                                      nullptr, field)
                                        : 0;
    // QLineEdit keeps two pixels on each side of its text.
    const int room = field->width() - 2 * frame - 4 - tm.left() - tm.right();
    for (int px = font.pixelSize(); px > 4; --px) {
        font.setPixelSize(px);
        if (QFontMetricsF(font).horizontalAdvance(text) <= room) break;
    }
    field->setFont(font);
    field->setText(text);
    field->setCursorPosition(0);
}

QString withoutTrailingSlashes(QString dir) {
    while (dir.size() > 1 && (dir.endsWith('/') || dir.endsWith('\\'))) dir.chop(1);
    return dir;
}

}  // namespace

// ---------------------------------------------------------------------------
DiagramView::DiagramView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DiagramView::clearWhite() {
    // One image pixel per device pixel, so that lines and text stay sharp on
    // screens that scale; painters on the image work in widget units.
    const qreal ratio = devicePixelRatioF() > 0 ? devicePixelRatioF() : 1.0;
    const QSize logical = size().expandedTo(QSize(1, 1));
    image_ = QImage((QSizeF(logical) * ratio).toSize().expandedTo(QSize(1, 1)),
                    QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
    image_.fill(Qt::white);
    update();
}

void DiagramView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (!image_.isNull()) p.drawImage(0, 0, image_);
    if (pinnedY_ >= 0 && !pinned_.isEmpty()) {
        // The pinned read-out: a line at its height and the values beside it.
        p.setPen(QPen(QColor(255, 128, 0), 1, Qt::DashLine));
        p.drawLine(0, pinnedY_, width(), pinnedY_);
        const QFontMetrics fm(font());
        const QRect r = fm.boundingRect(QRect(0, 0, width(), height()), Qt::AlignLeft, pinned_)
                            .adjusted(-3, -2, 3, 2);
        QRect box(width() / 3, pinnedY_ + 4, r.width(), r.height());
        if (box.bottom() > height()) box.moveBottom(pinnedY_ - 4);
        p.fillRect(box, QColor(255, 255, 225));
        p.setPen(Qt::black);
        p.drawRect(box.adjusted(0, 0, -1, -1));
        p.drawText(box.adjusted(3, 2, -3, -2), Qt::AlignLeft, pinned_);
    }
}

void DiagramView::setReadout(const DiagramMapping& map, double zTop,
                             std::function<QString(double)> text) {
    map_ = map;
    zTop_ = zTop;
    readout_ = std::move(text);
    pinned_.clear();
    pinnedY_ = -1;
    setMouseTracking(static_cast<bool>(readout_));
}

QString DiagramView::readoutAt(int y) const {
    if (!readout_ || !(map_.zScale > 0)) return {};
    const double z = yToHeight(map_, y);
    if (z < 0 || z > zTop_) return {};
    return readout_(z);
}

void DiagramView::mouseMoveEvent(QMouseEvent* e) {
    const QString t = readoutAt(qRound(e->position().y()));
    if (t.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(e->globalPosition().toPoint(), t, this);
    QWidget::mouseMoveEvent(e);
}

void DiagramView::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) pressY_ = qRound(e->position().y());
    QWidget::mousePressEvent(e);
}

void DiagramView::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && pressY_ >= 0 && map_.zScale > 0) {
        const int y = qRound(e->position().y());
        if (std::abs(y - pressY_) > 8) {
            // A drag: the height range between press and release.
            const double a = yToHeight(map_, pressY_);
            const double b = yToHeight(map_, y);
            emit zoomRequested(std::max(0.0, std::min(a, b)), std::min(zTop_, std::max(a, b)));
        } else {
            // A click pins the read-out at its height.
            pinnedY_ = y;
            pinned_ = readoutAt(y);
            if (pinned_.isEmpty()) pinnedY_ = -1;
            update();
        }
    }
    pressY_ = -1;
    QWidget::mouseReleaseEvent(e);
}

void DiagramView::wheelEvent(QWheelEvent* e) {
    if (!(map_.zScale > 0) || e->angleDelta().y() == 0) return QWidget::wheelEvent(e);
    // Zoom about the height under the mouse: the visible range shrinks or
    // grows by a quarter per notch.
    const double top = map_.zHigh;
    const double bottom = map_.zLow;
    const double z = yToHeight(map_, e->position().y());
    const double k = e->angleDelta().y() > 0 ? 0.8 : 1.25;
    double from = z - (z - bottom) * k, to = z + (top - z) * k;
    if (from <= 0 && to >= zTop_) {
        emit zoomRequested(0, 0);
    } else {
        from = std::max(0.0, from);
        to = std::min(zTop_, to);
        emit zoomRequested(from, to);
    }
    e->accept();
}

void DiagramView::mouseDoubleClickEvent(QMouseEvent* e) {
    pinned_.clear();
    pinnedY_ = -1;
    update();
    emit zoomRequested(0, 0);
    QWidget::mouseDoubleClickEvent(e);
}

bool DiagramView::event(QEvent* e) {
    // While the read-out follows the mouse, the general hint stays away.
    if (e->type() == QEvent::ToolTip && readout_) return true;
    return QWidget::event(e);
}

// ---------------------------------------------------------------------------
MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), document_(std::make_unique<SiloDocument>()) {
    setObjectName("mainWindow");
    buildControls();
    buildMenu();
    buildViewAndExportMenus();
    buildDesktopHabits();
    applyScale();
    resize(823, 598);
}

QMenu* MainWindow::menu(const char* name) {
    auto* m = new QMenu(this);
    m->setObjectName(name);
    m->menuAction()->setObjectName(name);
    return m;
}

QAction* MainWindow::action(QMenu* into, const char* name, void (MainWindow::*handler)()) {
    auto* a = new QAction(this);
    a->setObjectName(name);
    connect(a, &QAction::triggered, this, handler);
    into->addAction(a);
    return a;
}

void MainWindow::buildControls() {
    client_ = new QWidget(this);
    client_->setObjectName("client");
    client_->setAutoFillBackground(true);
    setCentralWidget(client_);
    client_->installEventFilter(this);

    auto label = [&](const char* name) {
        auto* l = new QLabel(client_);
        l->setObjectName(name);
        return l;
    };
    auto field = [&](const char* name) {
        auto* e = new QLineEdit(client_);
        e->setObjectName(name);
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        e->setTextMargins(0, 0, 0, 0);
        return e;
    };
    auto column = [&](const char* name, bool right) {
        auto* c = new QPlainTextEdit(client_);
        c->setObjectName(name);
        c->setReadOnly(true);
        c->setFocusPolicy(Qt::NoFocus);
        c->setLineWrapMode(QPlainTextEdit::NoWrap);
        c->setWordWrapMode(QTextOption::NoWrap);
        c->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        c->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        c->document()->setDocumentMargin(1);
        QTextOption opt = c->document()->defaultTextOption();
        opt.setAlignment(right ? Qt::AlignRight : Qt::AlignLeft);
        opt.setWrapMode(QTextOption::NoWrap);
        c->document()->setDefaultTextOption(opt);
        QPalette pal = c->palette();
        pal.setColor(QPalette::Text, Qt::black);
        c->setPalette(pal);
        return c;
    };

    stateLabel_ = label("stateLabel");
    stateField_ = field("stateField");
    contentsLabel_ = label("contentsLabel");
    contentsField_ = field("contentsField");
    outletStressLabel_ = label("outletStressLabel");
    outletStressField_ = field("outletStressField");
    messageLabel_ = label("messageLabel");
    messageLabel_->setFrameStyle(QFrame::NoFrame);
    messageField_ = field("messageField");
    secondMessageField_ = field("secondMessageField");
    positionHead_ = label("positionHead");
    zHead_ = label("zHead");
    densityHead_ = label("densityHead");
    verticalStressHead_ = label("verticalStressHead");
    wallStressHead_ = label("wallStressHead");
    positionColumn_ = column("positionColumn", false);
    zColumn_ = column("zColumn", true);
    densityColumn_ = column("densityColumn", true);
    verticalStressColumn_ = column("verticalStressColumn", true);
    wallStressColumn_ = column("wallStressColumn", true);
    diagram_ = new DiagramView(client_);
    diagram_->setObjectName("diagram");
    connect(diagram_, &DiagramView::zoomRequested, this, [this](double from, double to) {
        zoomFrom_ = from;
        zoomTo_ = to;
        if (activated_ && !inActivation_) redrawDiagram();
    });

    // The columns scroll together so that a row stays a row across them.
    for (QPlainTextEdit* a : columns())
        for (QPlainTextEdit* b : columns())
            if (a != b)
                connect(a->verticalScrollBar(), &QScrollBar::valueChanged,
                        b->verticalScrollBar(), &QScrollBar::setValue);
}

std::array<QPlainTextEdit*, 5> MainWindow::columns() const {
    return {positionColumn_, zColumn_, densityColumn_, verticalStressColumn_, wallStressColumn_};
}

void MainWindow::buildMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("menuBar");

    fileMenu_ = menu("fileMenu");
    openAction_ = action(fileMenu_, "openAction", &MainWindow::openParameterFile);
    saveAction_ = action(fileMenu_, "saveAction", &MainWindow::saveParameterFile);
    saveAsAction_ = action(fileMenu_, "saveAsAction", &MainWindow::saveParameterFileAs);
    fileMenu_->addSeparator();
    saveResultsAction_ = action(fileMenu_, "saveResultsAction", &MainWindow::saveResults);
    saveResultsAsAction_ = action(fileMenu_, "saveResultsAsAction", &MainWindow::saveResultsAs);
    printSeparator_ = fileMenu_->addSeparator();
    printerSetupAction_ = action(fileMenu_, "printerSetupAction", &MainWindow::setUpPrinter);
    printMenu_ = menu("printMenu");
    printTableAction_ = action(printMenu_, "printTableAction", &MainWindow::printTable);
    printDiagramAction_ = action(printMenu_, "printDiagramAction", &MainWindow::printDiagram);
    fileMenu_->addMenu(printMenu_);
    fileMenu_->addSeparator();
    exitAction_ = action(fileMenu_, "exitAction", &MainWindow::exitProgram);
    bar->addMenu(fileMenu_);

    parameterMenu_ = menu("parameterMenu");
    editParametersAction_ =
        action(parameterMenu_, "editParametersAction", &MainWindow::editParameters);
    viewParametersAction_ =
        action(parameterMenu_, "viewParametersAction", &MainWindow::viewParameters);
    parameterMenu_->addSeparator();
    // The study starts from the silo the main window shows.
    studyAction_ = addStudyMenuItem(this, parameterMenu_,
                                    [this]() -> const SiloModel& { return document_->model; });
    bar->addMenu(parameterMenu_);

    languageMenu_ = menu("languageMenu");
    germanAction_ = action(languageMenu_, "germanAction", &MainWindow::switchToGerman);
    englishAction_ = action(languageMenu_, "englishAction", &MainWindow::switchToEnglish);
    // The current language carries a check mark (set with the texts).
    for (QAction* a : {germanAction_, englishAction_}) a->setCheckable(true);
    bar->addMenu(languageMenu_);

    helpMenu_ = menu("helpMenu");
    whatItCalculatesAction_ =
        action(helpMenu_, "whatItCalculatesAction", &MainWindow::showWhatItCalculates);
    dataInputOutputAction_ =
        action(helpMenu_, "dataInputOutputAction", &MainWindow::showDataInputOutput);
    bulkSolidDefaultsAction_ =
        action(helpMenu_, "bulkSolidDefaultsAction", &MainWindow::showBulkSolidDefaults);
    siloDefaultsAction_ = action(helpMenu_, "siloDefaultsAction", &MainWindow::showSiloDefaults);
    calculationMethodsAction_ =
        action(helpMenu_, "calculationMethodsAction", &MainWindow::showCalculationMethods);
    helpMenu_->addSeparator();
    flowPropertySourcesAction_ =
        action(helpMenu_, "flowPropertySourcesAction", &MainWindow::showFlowPropertySources);
    helpMenu_->addSeparator();
    literatureAction_ = action(helpMenu_, "literatureAction", &MainWindow::showLiterature);
    helpMenu_->addSeparator();
    eulaAction_ = action(helpMenu_, "eulaAction", &MainWindow::showEula);
    aboutAction_ = action(helpMenu_, "aboutAction", &MainWindow::showAbout);
    bar->addMenu(helpMenu_);
}

void MainWindow::applyScale() {
    const double f = formScale_;
    auto s = [f](int v) { return static_cast<int>(std::lround(v * f)); };
    const int mg = s(kMargin);
    auto place = [&](QWidget* w, const Design& d) {
        w->setGeometry(mg + s(d.x), mg + s(d.y), s(d.w), s(d.h));
    };

    QFont windowFont("Arial");
    windowFont.setPixelSize(std::max(1, s(kDesignFontPx)));
    setFont(windowFont);
    menuBar()->setFont(windowFont);
    // Pop-up menus are windows of their own and do not inherit the font.
    for (QMenu* m : findChildren<QMenu*>()) m->setFont(windowFont);
    // The status fields were designed in a Windows bitmap font; where it is
    // missing it stands for the same metric-compatible sans font as Arial.
    // (A family that exists is always taken before its substitutes.)
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    QFont fieldFont("MS Sans Serif");
    fieldFont.setStyleHint(QFont::SansSerif);
    fieldFont.setPixelSize(std::max(1, s(kDesignFontPx)));
    for (QLineEdit* e : {stateField_, contentsField_, outletStressField_}) {
        e->setFont(fieldFont);
        e->setProperty("korvaneStandardFont", fieldFont);  // what showWhole() starts from
    }
    for (QLineEdit* e : {messageField_, secondMessageField_}) e->setFont(windowFont);
    for (QPlainTextEdit* c : columns()) c->setFont(windowFont);

    // Edits a little taller than designed where the font needs it, so that
    // no descender is cut off on any platform style.
    const int fieldH = std::max(s(15), QFontMetrics(fieldFont).height() + 4);
    place(stateField_, kStateField);
    place(contentsField_, kContentsField);
    place(outletStressField_, kOutletStressField);
    place(messageField_, kMessageField);
    place(secondMessageField_, kSecondMessageField);
    for (QLineEdit* e : {stateField_, contentsField_, outletStressField_, messageField_})
        e->setFixedHeight(fieldH);
    secondMessageField_->move(secondMessageField_->x(), messageField_->y() + fieldH + s(1));
    secondMessageField_->setFixedHeight(fieldH);
    const int fieldsBottom = secondMessageField_->y() + fieldH;

    auto placeLabel = [&](QLabel* l, int x, int y) {
        l->adjustSize();
        l->move(mg + s(x), mg + s(y));
    };
    placeLabel(stateLabel_, 0, 0);
    placeLabel(contentsLabel_, 125, 0);
    placeLabel(outletStressLabel_, 210, 0);
    place(messageLabel_, kMessageLabel);
    messageLabel_->adjustSize();

    // Column heads above their columns; below the status fields whatever
    // the font makes of their height.
    const int headTop = std::max(mg + s(52), fieldsBottom + s(4));
    const int lineH = QFontMetrics(windowFont).height();
    placeLabel(positionHead_, 7, 52);
    placeLabel(zHead_, 80, 52);
    placeLabel(densityHead_, 135, 52);
    placeLabel(verticalStressHead_, 205, 52);
    placeLabel(wallStressHead_, 268, 52);
    for (QLabel* l : {positionHead_, zHead_, densityHead_, verticalStressHead_, wallStressHead_})
        l->move(l->x(), headTop);
    const int colTop = std::max(mg + s(65), headTop + lineH + s(1));
    // Each column at least as wide as its head, so that no head runs into
    // the next one; columns move right where a wider one needs the room.
    int prevRight = std::numeric_limits<int>::min() / 2;
    for (auto [c, d, l] : {std::tuple{positionColumn_, kPositionColumn, positionHead_},
                           {zColumn_, kZColumn, zHead_},
                           {densityColumn_, kDensityColumn, densityHead_},
                           {verticalStressColumn_, kVerticalStressColumn, verticalStressHead_},
                           {wallStressColumn_, kWallStressColumn, wallStressHead_}}) {
        const int x = std::max(mg + s(d.x), prevRight + s(5));
        const int w = std::max(s(d.w), l->width() + s(6));
        c->setGeometry(x, colTop, w, s(d.h));
        prevRight = x + w;
    }
    // The numeric heads stand right-aligned over their columns.
    for (auto [l, c] : {std::pair{zHead_, zColumn_}, {densityHead_, densityColumn_},
                        {verticalStressHead_, verticalStressColumn_},
                        {wallStressHead_, wallStressColumn_}})
        l->move(c->x() + c->width() - l->width() - s(2), l->y());
    positionHead_->move(positionColumn_->x() + s(3), positionHead_->y());
    place(diagram_, kDiagram);
    diagram_->move(std::max(diagram_->x(), prevRight + s(12)), colTop - s(1));
    fitDisplaysToWindow();
    updateMinimumSize();
}

void MainWindow::updateMinimumSize() {
    const double f = formScale_;
    auto s = [f](int v) { return static_cast<int>(std::lround(v * f)); };
    // The diagram: its legend ends at 90 % of the width and the funnel-flow
    // warning starts at 30 %; both must fit whole, in either language.
    const QFontMetrics dfm(diagramFont(app().screenScale));
    int warning = 0;
    for (int language : {0, 1})
        warning = std::max(warning, dfm.horizontalAdvance(T(texts::results::funnelFlow, language)));
    const int diagramW = std::max(
        {s(200), dfm.horizontalAdvance(QStringLiteral("SIGMAV [Pa]  SIGMAW [Pa]")) * 100 / 85,
         warning * 100 / 65});
    // The legend's top stands at 96.5 % of the height: below it one line of
    // text must still fit.
    const int diagramH = std::max({s(220), 14 * dfm.height(),
                                   static_cast<int>(std::ceil((dfm.height() + 1) / 0.035))});
    // The columns: room for the forced rows of every section and a few
    // slices in between.
    const int frame = 2 * positionColumn_->frameWidth();
    const int columnsH =
        20 * lineHeight() + frame +
        2 * static_cast<int>(std::ceil(positionColumn_->document()->documentMargin()));
    const int gap = std::max(s(10), s(kMargin));
    int w = std::max(diagram_->x() + diagramW,
                     secondMessageField_->x() + secondMessageField_->width()) +
            gap;
    int h = std::max(diagram_->y() + diagramH, positionColumn_->y() + columnsH) + gap;
    h += menuBar()->sizeHint().height();
    // Never more than the desktop can show with the window's frame.
    const QRect avail = platform::primaryScreen().available;
    const QSize frameExtra = typicalFrameExtra();
    if (avail.isValid()) {
        w = std::min(w, avail.width() - frameExtra.width());
        h = std::min(h, avail.height() - frameExtra.height());
    }
    setMinimumSize(std::max(1, w), std::max(1, h));
}

int MainWindow::lineHeight() const {
    // Lines of a plain text column are laid out at the font's line spacing
    // (leading included); a fractional pitch counts as the next pixel.
    return static_cast<int>(
        std::ceil(QFontMetricsF(positionColumn_->font()).lineSpacing() - 1e-6));
}

int MainWindow::columnContentHeight() const {
    const int margin = static_cast<int>(std::ceil(positionColumn_->document()->documentMargin()));
    return positionColumn_->viewport()->height() - 2 * margin;
}

// ---------------------------------------------------------------------------
// Creation

bool MainWindow::initialize() {
    return initialize(platform::programFolder(), platform::documentsFolder());
}

bool MainWindow::initialize(const QString& programDir, const QString& documentsDir) {
    const platform::ScreenInfo screen = platform::primaryScreen();
    const ScreenFactors sf = computeScreenFactors(screen.geometry, screen.available);
    app().wideScreenFactor = sf.wideScreenFactor;
    app().screenScale = sf.screenScale;
    formScale_ = sf.formScale > 0 && std::isfinite(sf.formScale) ? sf.formScale : 1.0;
    applyScale();
    if (sf.windowSize.isValid()) resize(sf.windowSize);
    setWindowState(Qt::WindowMaximized);
    en_->restoreSwitch();

    const DataFolders folders = resolveDataFolders(toLocal(programDir), toLocal(documentsDir));
    if (folders.markerInvalid) {
        platform::message(nullptr, "KORVANE", T(texts::mainWindow::modifiedMark) + " (FOLDER.DAT)",
                          platform::Icon::Critical);
        return false;
    }
    auto q = [](const std::string& s) { return QFile::decodeName(QByteArray::fromStdString(s)); };
    AppState& a = app();
    a.programFolder = q(folders.programFolder);
    a.dataFolder = q(folders.dataFolder);
    // An installed program folder belongs to the administrator: the user's
    // files then live in the documents folder, as with the marker file.
    if (a.dataFolder == a.programFolder && !platform::folderWritable(a.programFolder)) {
        QString docs = documentsDir;
        if (!docs.endsWith('/')) docs += '/';
        a.dataFolder = docs + QStringLiteral("Korvane/");
    }
    a.parameterFolder = a.dataFolder + QStringLiteral("Par/");
    a.resultFolder = a.dataFolder + QStringLiteral("Output/");
    a.flyerFolder = a.dataFolder + QStringLiteral("Flyer/");
    if (a.dataFolder != a.programFolder) prepareUserDataFolders();
    return true;
}

void MainWindow::prepareUserDataFolders() {
    // First start with a data folder of its own: the parameter folder gets
    // the examples shipped beside the program (a file the user already has
    // is never replaced), and the result folder is there to save into.
    const AppState& a = app();
    if (!QFileInfo(a.parameterFolder).isDir())
        platform::copyMissingFiles(a.programFolder + QStringLiteral("Par/"), a.parameterFolder);
    QDir().mkpath(a.parameterFolder);
    QDir().mkpath(a.resultFolder);
}

void MainWindow::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (!firstShowSeen_) {
        // The first activation runs once the window is on the screen; later
        // activations are explicit, after each modal window from the menu.
        firstShowSeen_ = true;
        QTimer::singleShot(0, this, [this] { activate(); });
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* e) {
    if (watched == client_ && e->type() == QEvent::Resize) {
        // A resized window re-lays out and redraws what it already has; it
        // does not recompute and does not repeat the warnings' beeps.
        fitDisplaysToWindow();
        if (inActivation_) {
            // The window manager may answer (maximise, place) while the run
            // waits for pending messages: before the results are drawn they
            // fill the new layout anyway; after that the diagram and the
            // columns would keep the old size, so the run redraws at its end.
            resizedDuringActivation_ = true;
        } else if (activated_) {
            fillColumns(false);
            redrawDiagram();
        }
    }
    return QMainWindow::eventFilter(watched, e);
}

// ---------------------------------------------------------------------------
// Activation and the calculation run

void MainWindow::processPendingMessages() {
    // Repaints only: a click arriving now waits until the run has finished.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void MainWindow::activate() {
    if (inActivation_) {
        // The caption (and the changes kept over a crash) follow at once;
        // the calculation follows when the one on its way is back.
        activationPending_ = true;
        updateTextsAndTitle();
        return;
    }
    inActivation_ = true;
    startActivation();
}

void MainWindow::startActivation() {
    activationPending_ = false;
    updateTextsAndTitle();
    fitDisplaysToWindow();
    clearDisplays();
    fitDisplaysToWindow();
    processPendingMessages();

    SiloModel& m = document_->model;
    clearResults(m);
    prepare(m, m.Erststart && document_->parameterFile.isEmpty());
    m.Erststart = false;
    ++activations_;
    activated_ = true;
    // Only a resize after this point finds results drawn at the old size.
    resizedDuringActivation_ = false;
    // A set whose parameter problem is pending is only partly derived: it is
    // not calculated, and the displays say what is wrong instead.
    if (document_->loadedProblem != 0) {
        showActivationResults(DocumentCalculation{});
        return;
    }
    // The engine works on a copy, so the window stays free for the user
    // meanwhile; what it calculated is compared with the model when the
    // results come back, and a model changed in the meantime (a file opened,
    // an undo) is calculated again instead of shown with them.
    const bool otherStateToo = showBothStatesAction_->isChecked();
    auto inputs = std::make_shared<const SiloModel>(m);
    calculation_.start(
        this, [inputs, otherStateToo] { return calculateCopy(*inputs, otherStateToo); },
        [this, calculatedFrom = parameterFileText(m)](DocumentCalculation run) {
            if (activationPending_ || calculatedFrom != parameterFileText(document_->model) ||
                document_->loadedProblem != 0) {
                startActivation();
                return;
            }
            showActivationResults(std::move(run));
        });
}

void MainWindow::awaitResults() {
    // The commands that write, print or copy the results take those of the
    // calculation on its way; it takes a blink, and clicks wait meanwhile.
    while (inActivation_ && calculation_.running())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                        QEventLoop::WaitForMoreEvents);
}

void MainWindow::showActivationResults(DocumentCalculation run) {
    if (run.chosen) {
        takeOverResults(document_->model, *run.chosen);
        if (showBothStatesAction_->isChecked()) {
            // Switched on while the run was on its way: toggleBothStates has
            // calculated the other state already.
            if (run.other) otherState_ = std::move(run.other);
            else if (!otherState_) calculateOtherState();
        }
    }
    en_->update();
    showResults();
    redrawDiagram();
    processPendingMessages();
    if (activationPending_) {
        startActivation();
        return;
    }
    inActivation_ = false;
    if (resizedDuringActivation_) {
        resizedDuringActivation_ = false;
        fillColumns(false);
        redrawDiagram();
    }
}

void MainWindow::fitDisplaysToWindow() {
    const int mg = static_cast<int>(std::lround(kMargin * formScale_));
    const int gap = static_cast<int>(std::lround(10 * formScale_));
    const int w = std::max(1, client_->width() - diagram_->x() - gap);
    const int h = std::max(1, client_->height() - diagram_->y() - std::max(gap, mg));
    diagram_->resize(w, h);
    for (QPlainTextEdit* c : columns())
        c->resize(c->width(), h - (c->y() - diagram_->y()));
}

// ---------------------------------------------------------------------------
// Texts, columns and status fields

void MainWindow::retranslate() {
    setWindowTitle(QString::fromUtf8(texts::kProductName) + "    " +
                   QString::fromUtf8(texts::kMakerNotice));

    fileMenu_->setTitle(T(texts::menu::file));
    openAction_->setText(T(texts::menu::openParameterFile));
    saveAction_->setText(T(texts::menu::saveParameterFile));
    saveAsAction_->setText(T(texts::menu::saveParameterFileAs));
    saveResultsAction_->setText(T(texts::menu::saveResults));
    saveResultsAsAction_->setText(T(texts::menu::saveResultsAs));
    printerSetupAction_->setText(T(texts::menu::printerSetup));
    printMenu_->setTitle(T(texts::menu::print));
    printTableAction_->setText(T(texts::menu::printTable));
    printDiagramAction_->setText(T(texts::menu::printDiagram));
    exitAction_->setText(T(texts::menu::exit));
    parameterMenu_->setTitle(T(texts::menu::parameters));
    editParametersAction_->setText(T(texts::menu::editParameters));
    viewParametersAction_->setText(T(texts::menu::viewParameters));
    labelStudyMenuItem(studyAction_);
    languageMenu_->setTitle(QString::fromUtf8(texts::kLanguageMenu));
    germanAction_->setText(QString::fromUtf8(texts::kGerman));
    englishAction_->setText(QString::fromUtf8(texts::kEnglish));
    germanAction_->setChecked(texts::language() == 0);
    englishAction_->setChecked(texts::language() == 1);
    helpMenu_->setTitle(T(texts::menu::help));
    whatItCalculatesAction_->setText(T(texts::menu::whatItCalculates));
    dataInputOutputAction_->setText(T(texts::menu::dataInputOutput));
    bulkSolidDefaultsAction_->setText(T(texts::menu::bulkSolidDefaults));
    siloDefaultsAction_->setText(T(texts::menu::siloDefaults));
    calculationMethodsAction_->setText(T(texts::menu::calculationMethods));
    flowPropertySourcesAction_->setText(T(texts::menu::flowProperties));
    literatureAction_->setText(T(texts::menu::book));
    eulaAction_->setText(QString::fromUtf8(texts::kEulaMenu));
    aboutAction_->setText(T(texts::menu::about));
    labelViewAndExportMenus();
    labelDesktopHabits();

    positionHead_->setText(T(texts::mainWindow::positionColumn));
    zHead_->setText(T(texts::mainWindow::zColumn));
    densityHead_->setText(T(texts::mainWindow::densityColumn));
    verticalStressHead_->setText(inStressUnit(T(texts::mainWindow::verticalStressColumn)));
    wallStressHead_->setText(inStressUnit(T(texts::mainWindow::wallStressColumn)));
    messageLabel_->setText(T(texts::mainWindow::messagesLabel));
    outletStressLabel_->setText(inStressUnit(T(texts::mainWindow::outletStressLabel)));
    contentsLabel_->setText(T(texts::mainWindow::contentsLabel));
    stateLabel_->setText(T(texts::mainWindow::stateLabel));

    zHead_->setToolTip(T(texts::hint::zColumn));
    densityHead_->setToolTip(T(texts::hint::densityColumn));
    verticalStressHead_->setToolTip(T(texts::hint::verticalStressColumn));
    wallStressHead_->setToolTip(T(texts::hint::wallStressColumn));
    client_->setToolTip(T(texts::hint::mainWindow));
    stateField_->setToolTip(T(texts::hint::stateField));
    contentsField_->setToolTip(T(texts::hint::contentsField));
    outletStressField_->setToolTip(T(texts::hint::outletStressField));
    diagram_->setToolTip(T(texts::hint::positionColumn));
    positionColumn_->setToolTip(T(texts::hint::positionColumn));
    zColumn_->setToolTip(T(texts::hint::zColumn));
    densityColumn_->setToolTip(T(texts::hint::densityColumn));
    verticalStressColumn_->setToolTip(T(texts::hint::verticalStressColumn));
    wallStressColumn_->setToolTip(T(texts::hint::wallStressColumn));

    // Label widths follow their texts; keep the heads over their columns.
    applyScale();
}

void MainWindow::updateTextsAndTitle() {
    retranslate();
    const SiloDocument& a = *document_;
    if (!a.parameterFile.isEmpty()) {
        QString caption = QString::fromUtf8(texts::kProductName) + "    " +
                          QString::fromUtf8(texts::kMakerNotice) + "      [" +
                          T(texts::mainWindow::currentParameterFile) + ": " + a.parameterFile + "]";
        if (a.modified) caption += T(texts::mainWindow::modifiedMark);
        setWindowTitle(caption);
    }
    keepRecovery();  // the change mark and the kept changes go together
}

void MainWindow::clearDisplays() {
    for (QPlainTextEdit* c : columns()) c->clear();
    contentsField_->clear();
    stateField_->clear();
    outletStressField_->clear();  // no outlet stress of an earlier calculation
    messageField_->clear();
    diagram_->clearWhite();
}

void MainWindow::showResults() { fillColumns(true); }

void MainWindow::fillColumns(bool withBeeps) {
    const SiloModel& m = document_->model;
    const int zDigits = zDecimals(m.Fuellhoehe);
    for (QPlainTextEdit* c : columns()) c->clear();
    messageField_->clear();
    secondMessageField_->clear();
    secondMessageField_->setToolTip(QString());

    stateField_->setText(m.Spannungszustand() == 1 ? T(texts::mainWindow::dischargeState)
                                                    : T(texts::mainWindow::fillingState));

    if (document_->loadedProblem != 0) {
        // The opened set has a parameter problem: its text, and no numbers.
        messageField_->setText(T(texts::results::noValidResults));
        // The line may be narrower than the text: its tool tip holds it all.
        secondMessageField_->setText(problemText(document_->loadedProblem));
        secondMessageField_->setCursorPosition(0);
        secondMessageField_->setToolTip(secondMessageField_->text());
        contentsField_->clear();
        outletStressField_->clear();
        if (withBeeps) platform::beep();
        return;
    }

    const int problem = resultProblem(m);
    if (problem != 0) {
        // Nothing that is not a number reaches the columns: say what is wrong.
        messageField_->setText(T(texts::results::noValidResults));
        secondMessageField_->setText(problem == 1 ? T(texts::results::invalidNumbers)
                                                  : T(texts::results::allStressesZero));
        contentsField_->clear();
        outletStressField_->clear();
        if (withBeeps) platform::beep();
        return;
    }

    if (m.Messbereichueberschritten) {
        messageField_->setText(T(texts::results::densityRangeExceeded));
        if (withBeeps) platform::beep();
    }
    if (!m.Massenfluss && m.Spannungszustand() == 1 && m.Trichterja) {
        secondMessageField_->setText(T(texts::results::funnelFlow));
        if (withBeeps) platform::beep();
    }

    const int lastSlice = std::clamp(m.Gesamtschritte, 0, kResultSize - 1);
    const int outletIndex = std::clamp(m.Indexende, 0, kResultSize - 1);
    // The top of the first slice: the slices stacked from the outlet up.
    double sliceTop = 0;
    for (int i = 1; i <= lastSlice; ++i) sliceTop += static_cast<double>(m.Dz[i]);

    showWhole(contentsField_, fmt(m.Fuellmenge, m.Fuellmenge < 1000 ? 2 : 0));

    const int lines = visibleLines(columnContentHeight(), lineHeight());

    // Stresses in the unit chosen in the View menu (calculated in Pa).
    auto stress = [](long double v) {
        return fmt(v / stressUnitDivisor(stressUnit()), stressDecimals(stressUnit()));
    };
    QStringList pos, z, rho, sv, sw;
    if (m.Schuettkegel) {
        pos << T(texts::position::fillingTopRow);
        z << fmt(m.Fuellhoehe, zDigits);
        rho << fmt(density(m, 10.0), 0);
        sv << stress(0.0L);  // no stress on the free surface, in the columns' unit
        sw << " ";
    }
    const int extraRows = (m.Schuettkegel ? 1 : 0) + 1;  // heap row, outlet row
    for (const SelectedRow& r : selectScreenRows(m, lines, extraRows, sliceTop)) {
        pos << screenRowLabel(r.label);
        z << fmt(r.z, zDigits);
        rho << fmt(m.RHOB[r.index], 0);
        sv << stress(m.SIGMAV[r.index - 1]);
        sw << stress(m.SIGMAW[r.index - 1]);
    }
    pos << T(texts::position::outlet);
    z << fmt(0.0L, zDigits);
    sv << stress(m.SIGMAV[outletIndex]);
    sw << stress(m.SIGMAW[outletIndex]);

    positionColumn_->setPlainText(pos.join('\n'));
    zColumn_->setPlainText(z.join('\n'));
    densityColumn_->setPlainText(rho.join('\n'));
    verticalStressColumn_->setPlainText(sv.join('\n'));
    wallStressColumn_->setPlainText(sw.join('\n'));
    showWhole(outletStressField_, stress(m.SIGMAV[outletIndex]));
}

void MainWindow::redrawDiagram() {
    diagram_->clearWhite();
    if (document_->loadedProblem != 0) {  // no results to draw
        diagram_->setReadout(DiagramMapping{}, 0, {});
        diagram_->update();
        return;
    }
    QPainter p(&diagram_->image());
    const ResultPicture picture = diagramPicture();
    const DiagramMapping map =
        drawDiagram(p, diagram_->image().deviceIndependentSize().toSize(), picture, app().screenScale);
    p.end();
    // The read-out reads the models when the mouse moves: the same results
    // as long as this drawing stands.
    diagram_->setReadout(map, picture.height, [this](double z) {
        return diagramReadout(document_->model, diagramExtras(), z, texts::language(), stressUnit());
    });
    diagram_->update();
}

// ---------------------------------------------------------------------------
// Files

bool MainWindow::writeParameterFile(const QString& path) {
    FileError err;
    if (korvane::writeParameterFile(document_->model, toLocal(path), err)) return true;
    platform::message(this, T(texts::error::caption),
                      fileErrorText(err, path) + "\n" + T(texts::error::fileNotWritten),
                      platform::Icon::Critical);
    return false;
}

bool MainWindow::writeResultFile(const QString& path) {
    const SiloModel& m = document_->model;
    FileError err;
    if (document_->loadedProblem != 0 || resultProblem(m) == 1) {
        err.code = EINVAL;
        err.reason = T(texts::results::noValidResults).toStdString();
    } else if (korvane::writeResultFile(m, toLocal(path), err)) {
        return true;
    }
    platform::message(this, T(texts::error::caption),
                      fileErrorText(err, path) + "\n" + T(texts::error::fileNotWritten),
                      platform::Icon::Critical);
    return false;
}

void MainWindow::openParameterFile() {
    if (!mayLeaveParameters()) return;
    // The folder is made on first use: a dialog started in a folder that
    // does not exist would offer its last part as the file name.
    QString start = withoutTrailingSlashes(platform::existingFolder(app().parameterFolder));
    if (!openPreset_.isEmpty()) start = openPreset_;
    lastDialogFolder_ = start;
    const QString path = platform::getOpenFileName(this, QString(openAction_->text()).remove('&'),
                                                   start, kParameterFilter);
    if (path.isEmpty()) return;
    openPreset_ = path;  // the dialog keeps the chosen name, also when the file is refused
    openParameterFileAt(path);
}

void MainWindow::openParameterFileAt(const QString& path) {
    SiloModel& m = document_->model;
    FileError err;
    if (!readParameterFile(m, toLocal(path), err)) {
        // The reader changes nothing on failure; neither does the window.
        platform::message(this, T(texts::error::caption), fileErrorText(err, path),
                          platform::Icon::Critical);
        return;
    }
    document_->parameterFile = path;
    document_->pendingProblem = 0;
    document_->modified = false;
    undoStack_->clear();  // the steps before belong to another file
    parametersSaved(path);
    // The file's values complete the model as the form's take-over does, so
    // that leaving the form with Abbrechen shows the file's results; a set
    // with a problem shows that problem until a take-over resolves it.
    document_->loadedProblem = deriveLoadedModel(m);
    updateTextsAndTitle();
    clearDisplays();
    if (parameterForm().showModal() == QDialog::Accepted) document_->loadedProblem = 0;
    activate();
}

// The save dialog of a file kind: starts at the file last chosen in it, else
// in the kind's data folder; remembers the name chosen. Empty = cancelled.
QString MainWindow::askSaveName(QString& preset, const QString& folder, const QAction* item,
                                const QString& filter, const QString& suffix) {
    const QString start = preset.isEmpty() ? platform::existingFolder(folder) : preset;
    lastDialogFolder_ = start;
    const QString path =
        platform::getSaveFileName(this, QString(item->text()).remove('&'), start, filter, suffix);
    if (!path.isEmpty()) preset = path;
    return path;
}

void MainWindow::saveParameterFile() {
    QString path = document_->parameterFile;
    if (path.isEmpty())
        path =
            askSaveName(savePreset_, app().parameterFolder, saveAction_, kParameterFilter, "par");
    if (path.isEmpty()) return;
    if (!writeParameterFile(path)) return;
    document_->parameterFile = path;
    document_->modified = false;
    parametersSaved(path);
    updateTextsAndTitle();
}

void MainWindow::saveParameterFileAs() {
    const QString path =
        askSaveName(savePreset_, app().parameterFolder, saveAsAction_, kParameterFilter, "par");
    if (path.isEmpty()) return;
    if (!writeParameterFile(path)) return;
    document_->parameterFile = path;
    document_->modified = false;
    parametersSaved(path);
    updateTextsAndTitle();
    openPreset_ = path;
}

void MainWindow::saveResults() {
    awaitResults();
    QString path = document_->resultFile;
    if (path.isEmpty())
        path = askSaveName(resultPreset_, app().resultFolder, saveResultsAction_,
                           kResultFilter, "txt");
    if (path.isEmpty()) return;
    if (!writeResultFile(path)) return;
    document_->resultFile = path;
    updateTextsAndTitle();
}

void MainWindow::saveResultsAs() {
    awaitResults();
    const QString path = askSaveName(resultPreset_, app().resultFolder,
                                     saveResultsAsAction_, kResultFilter, "txt");
    if (path.isEmpty()) return;
    if (!writeResultFile(path)) return;
    document_->resultFile = path;
    updateTextsAndTitle();
}

// ---------------------------------------------------------------------------
// Modal windows, printing, language

ParameterForm& MainWindow::parameterForm() {
    if (!parameterForm_) parameterForm_ = new ParameterForm(*document_, this);
    return *parameterForm_;
}

void MainWindow::editParameters() {
    // OK closes the form only after a take-over without problem.
    const std::shared_ptr<ParameterState> before = parameterSnapshot();
    if (parameterForm().showModal() == QDialog::Accepted) {
        document_->loadedProblem = 0;
        recordParameterChange(before);
    }
    activate();
}

void MainWindow::viewParameters() {
    parameterForm().showModal(true);
    activate();
}

void MainWindow::showInfo(int which) {
    if (showInfoWindow(*this, static_cast<InfoWindow>(which)) == QDialog::Accepted) activate();
}

void MainWindow::showAbout() { showInfo(int(InfoWindow::About)); }
void MainWindow::showFlowPropertySources() { showInfo(int(InfoWindow::FlowProperties)); }
void MainWindow::showCalculationMethods() { showInfo(int(InfoWindow::CalculationMethods)); }
void MainWindow::showBulkSolidDefaults() { showInfo(int(InfoWindow::BulkSolidDefaults)); }
void MainWindow::showSiloDefaults() { showInfo(int(InfoWindow::SiloDefaults)); }
void MainWindow::showWhatItCalculates() { showInfo(int(InfoWindow::WhatItCalculates)); }
void MainWindow::showDataInputOutput() { showInfo(int(InfoWindow::DataInputOutput)); }
void MainWindow::showLiterature() { showInfo(int(InfoWindow::Literature)); }
void MainWindow::showEula() { openEula(this); }

// A pending problem of the opened set is said instead of printing a page
// without results.
bool MainWindow::refusePrintWithProblem() {
    if (document_->loadedProblem == 0) return false;
    platform::message(this, "PROBLEM", problemText(document_->loadedProblem), platform::Icon::Warning);
    return true;
}

void MainWindow::printTable() {
    awaitResults();
    if (refusePrintWithProblem()) return;
    // The status lines as the window shows them.
    printResultTable(this, *document_, PrintStatus{stateField_->text(), contentsField_->text(),
                                       outletStressField_->text()});
}

void MainWindow::printDiagram() {
    awaitResults();
    if (refusePrintWithProblem()) return;
    printResultDiagram(this, *document_, diagramPicture());
}

void MainWindow::setUpPrinter() { showPrinterSetup(this); }

void MainWindow::switchToGerman() { switchLanguage(0); }
void MainWindow::switchToEnglish() { switchLanguage(1); }

void MainWindow::switchLanguage(int language) {
    // Texts only: the numbers stay as they are, nothing is calculated again.
    texts::setLanguage(language);
    updateTextsAndTitle();
    redrawDiagram();
    showResults();
}

void MainWindow::exitProgram() { close(); }

// ---------------------------------------------------------------------------
// View menu: both states, comparison; export of the diagram, copy of the table

void MainWindow::buildViewAndExportMenus() {
    // "View" between the parameter menu and the language menu.
    viewMenu_ = menu("viewMenu");
    showBothStatesAction_ =
        action(viewMenu_, "showBothStatesAction", &MainWindow::toggleBothStates);
    showBothStatesAction_->setCheckable(true);
    viewMenu_->addSeparator();
    compareAction_ = action(viewMenu_, "compareAction", &MainWindow::compareWithParameterFile);
    endComparisonAction_ = action(viewMenu_, "endComparisonAction", &MainWindow::endComparison);
    endComparisonAction_->setEnabled(false);
    en_ = new EnMainHooks(this, viewMenu_,
                          {[this] {
                               const SiloDocument& d = *document_;
                               return EnMainHooks::Source{
                                   &d.model, d.loadedProblem == 0 && diagramHasCurves(d.model),
                                   d.parameterFile, d.modified};
                           },
                           [this] { return showBothStatesAction_->isChecked(); },
                           [this] {
                               if (activated_ && !inActivation_) redrawDiagram();
                           }});
    menuBar()->insertMenu(languageMenu_->menuAction(), viewMenu_);

    // Export and copy in the file menu, after the result file commands.
    exportDiagramAction_ = action(fileMenu_, "exportDiagramAction", &MainWindow::exportDiagram);
    copyTableAction_ = action(fileMenu_, "copyTableAction", &MainWindow::copyTable);
    copyTableAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    fileMenu_->removeAction(exportDiagramAction_);
    fileMenu_->removeAction(copyTableAction_);
    fileMenu_->insertAction(printSeparator_, exportDiagramAction_);
    fileMenu_->insertAction(printSeparator_, copyTableAction_);
}

void MainWindow::labelViewAndExportMenus() {
    viewMenu_->setTitle(T(texts::view::menuTitle));
    showBothStatesAction_->setText(T(texts::view::showBothStates));
    compareAction_->setText(T(texts::view::compareWithFile));
    endComparisonAction_->setText(T(texts::view::endComparison));
    exportDiagramAction_->setText(T(texts::view::exportDiagram));
    copyTableAction_->setText(T(texts::view::copyTable));
    en_->retranslate();
}

void MainWindow::calculateOtherState() {
    // The same silo with the state switched, on a copy: the model, the
    // columns and the status fields keep the state chosen in the form.
    otherState_ = otherStateOf(document_->model);
}

DiagramExtras MainWindow::diagramExtras() const {
    DiagramExtras e;
    e.zoomFrom = zoomFrom_;
    e.zoomTo = zoomTo_;
    if (showBothStatesAction_->isChecked() && otherState_) e.otherState = otherState_.get();
    if (comparison_) {
        e.comparison = comparison_.get();
        e.comparisonName = QFileInfo(comparisonPath_).fileName();
    }
    e.en = en_->overlay();
    return e;
}

ResultPicture MainWindow::diagramPicture() const {
    return resultPicture(document_->model, diagramExtras(), texts::language(), stressUnit());
}

void MainWindow::toggleBothStates() {
    if (showBothStatesAction_->isChecked()) {
        // Results already shown get their other state at once.
        if (activated_) calculateOtherState();
    } else {
        otherState_.reset();
    }
    en_->update();
    if (activated_ && !inActivation_) redrawDiagram();
}

void MainWindow::compareWithParameterFile() {
    QString start = withoutTrailingSlashes(app().parameterFolder);
    if (!comparePreset_.isEmpty()) start = comparePreset_;
    lastDialogFolder_ = start;
    const QString path = platform::getOpenFileName(
        this, QString(compareAction_->text()).remove('&'), start, kParameterFilter);
    if (path.isEmpty()) return;
    comparePreset_ = path;

    // The reader's verdict first, with the message of the open command; the
    // file is read into a scratch model, never into the program's model.
    FileError err;
    if (!readParameterFile(*std::make_unique<SiloModel>(), toLocal(path), err)) {
        platform::message(this, T(texts::error::caption), fileErrorText(err, path),
                          platform::Icon::Critical);
        return;
    }
    // Calculated as korvane-calc calculates the file: default start, load,
    // the form's checks on OK, the calculation.
    auto silo = std::make_unique<SiloModel>();
    const BatchResult r = runBatch(*silo, toLocal(path), std::string(), texts::language());
    if (r.exitCode != kExitOk) {
        QString why =
            r.Parameterfehler != 0
                ? QString::fromStdString(korvane::problemText(r.Parameterfehler, texts::language()))
                : T(texts::view::comparisonNotFinite);
        platform::message(this, T(texts::error::caption),
                          T(texts::view::comparisonInvalid) + "\n" + path + "\n" + why,
                          platform::Icon::Critical);
        return;
    }
    comparison_ = std::move(silo);
    comparisonPath_ = path;
    endComparisonAction_->setEnabled(true);
    if (activated_ && !inActivation_) redrawDiagram();
}

void MainWindow::endComparison() {
    comparison_.reset();
    comparisonPath_.clear();
    endComparisonAction_->setEnabled(false);
    if (activated_ && !inActivation_) redrawDiagram();
}

void MainWindow::exportDiagram() {
    awaitResults();
    if (refusePrintWithProblem()) return;
    // Proposed: "<parameter file>_diagram" in the folder of the last export
    // (the result folder at first), with the last export's file type.
    const QString lastSuffix =
        exportPreset_.isEmpty() ? QStringLiteral("png") : QFileInfo(exportPreset_).suffix();
    const QString folder = exportPreset_.isEmpty()
                               ? platform::existingFolder(app().resultFolder)
                               : QFileInfo(exportPreset_).absolutePath();
    QString preset = proposedExportName(document_->parameterFile, folder, lastSuffix);
    const QString path = askSaveName(preset, folder, exportDiagramAction_,
                                     T(texts::view::exportFileTypes), "png");
    if (path.isEmpty()) return;
    exportPreset_ = path;
    const ExportFormat format = exportFormatOf(path);
    int imageWidth = kDefaultExportWidth;
    if (format == ExportFormat::Png) {
        QInputDialog ask(this);
        ask.setObjectName("exportWidthDialog");
        ask.setWindowTitle(QString(exportDiagramAction_->text()).remove('&'));
        ask.setInputMode(QInputDialog::IntInput);
        ask.setLabelText(T(texts::view::exportImageWidth));
        ask.setIntRange(100, 20000);
        ask.setIntValue(kDefaultExportWidth);
        if (ask.exec() != QDialog::Accepted) return;
        imageWidth = ask.intValue();
    }

    // All three formats draw the screen's picture under one title line.
    const ResultPicture picture = diagramPicture();
    const double screenScale = app().screenScale;
    const int language = texts::language();
    const QString title = exportTitle(document_->parameterFile, document_->modified, stateField_->text(),
                                      QDate::currentDate(), language);
    const QFont titleFont = diagramFont(screenScale);
    auto draw = [&](QPainter& p, QSize size) {
        drawTitledDiagram(p, size, title, titleFont, [&](QPainter& q, QSize area) {
            drawDiagram(q, area, picture, screenScale);
        });
    };
    const QSize size = diagram_->size();
    bool ok = false;
    switch (format) {
        case ExportFormat::Png: ok = exportDiagramPng(path, imageWidth, size, draw); break;
        case ExportFormat::Svg: ok = exportDiagramSvg(path, size, title, draw); break;
        case ExportFormat::Pdf: ok = exportDiagramPdf(path, size, title, draw); break;
    }
    if (!ok)
        platform::message(this, T(texts::error::caption), T(texts::view::exportFailed) + path,
                          platform::Icon::Critical);
}

QString MainWindow::resultTableText() const {
    // The rows the columns show, as tab-separated text with the Position
    // column; first the file and the state the numbers belong to. The numbers
    // are those of the columns: the desktop's decimal separator and no
    // thousands separators, so that a spreadsheet reads them as numbers.
    const QString file = document_->parameterFile.isEmpty()
                             ? T(texts::habits::noParameterFile)
                             : document_->parameterFile;
    QString text = T(texts::printout::parameterFile) + QStringLiteral(": ") + file + '\t' +
                   T(texts::printout::state) + QStringLiteral(": ") + stateField_->text() + '\n';
    text += positionHead_->text() + '\t' + zHead_->text() + '\t' + densityHead_->text() + '\t' +
            verticalStressHead_->text() + '\t' + wallStressHead_->text() + '\n';
    std::array<QStringList, 5> cells;
    qsizetype rows = 0;
    for (size_t c = 0; c < cells.size(); ++c) {
        cells[c] = columns()[c]->toPlainText().split('\n');
        rows = std::max(rows, cells[c].size());
    }
    if (columns()[1]->toPlainText().isEmpty()) return text;
    for (qsizetype r = 0; r < rows; ++r) {
        QStringList line;
        for (const QStringList& col : cells) line << col.value(r).trimmed();
        text += line.join('\t') + '\n';
    }
    return text;
}

void MainWindow::copyTable() {
    awaitResults();
    if (refusePrintWithProblem()) return;
    QGuiApplication::clipboard()->setText(resultTableText());
}

}  // namespace korvane::ui
