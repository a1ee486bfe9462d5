#include "ui/main/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDialog>
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
#include <QVariant>
#include <cerrno>
#include <cmath>
#include <limits>
#include <tuple>

#include "calc/engine.h"
#include "calc/form_logic.h"
#include "calc/model.h"
#include "files/batch.h"
#include "files/parfile.h"
#include "files/result_rows.h"
#include "ui/info/infoscaling.h"
#include "ui/info/infowindows.h"
#include "ui/main/appstate.h"
#include "ui/main/diagram.h"
#include "ui/main/diagram_export.h"
#include "ui/main/display_logic.h"
#include "ui/main/file_messages.h"
#include "ui/main/mainwindow_texts.h"
#include "ui/main/platform.h"
#include "ui/main/print_pages.h"
#include "ui/main/printing.h"
#include "ui/main/view_texts.h"
#include "ui/parameters/parameterform.h"
#include "ui/texts/tkonst.h"

namespace korvane::ui {

using tkonst::T;
using tkonst::TextPair;
using tkonst::sprache;
using tkonst::problemText;
using tkonst::setSprache;

namespace {

const char* const kParameterFilter = "Parameter-File (*.par);;Alle Dateien (*)";
const char* const kResultFilter = "Ergebnis-File (*.txt);;Alle Dateien (*)";

// Design geometry of the window at 96 dpi (left, top, width, height); the
// creation step scales it to the screen.
struct Design {
    int x, y, w, h;
};
constexpr Design kEdit11{0, 13, 105, 15};
constexpr Design kEdit3{125, 13, 72, 15};
constexpr Design kVertspausl{210, 13, 104, 15};
constexpr Design kStaticText1{343, 0, 60, 14};
constexpr Design kMeldung{343, 13, 186, 15};
constexpr Design kMeldung2{343, 29, 186, 16};
constexpr Design kMemo2{0, 65, 68, 440};
constexpr Design kMemo3{73, 65, 56, 440};
constexpr Design kMemo5{133, 65, 68, 440};
constexpr Design kMemo7{205, 65, 60, 440};
constexpr Design kMemo8{268, 65, 59, 440};
constexpr Design kImage2{344, 64, 425, 441};
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
    const int ende = std::clamp(m.Indexende, 0, kResultSize - 1);
    const int last = std::clamp(m.Gesamtschritte, 0, kResultSize - 1);
    for (int i = 0; i <= std::max(ende, last); ++i) {
        if (!std::isfinite(static_cast<double>(m.SIGMAV[i])) ||
            !std::isfinite(static_cast<double>(m.SIGMAW[i])) ||
            !std::isfinite(static_cast<double>(m.RHOB[i])) ||
            !std::isfinite(static_cast<double>(m.Dz[i])))
            return 1;
    }
    if (!std::isfinite(m.Fuellmenge)) return 1;
    if (!(m.Fuellhoehe > 0) || !std::isfinite(m.Fuellhoehe)) return 2;
    if (diagramStressMax(m) <= 0 && m.SIGMAV[ende] == 0) return 2;
    return 0;
}

QString rowLabel(RowLabel l) {
    switch (l) {
        case RowLabel::OkFuellg: return T(tkonst::OKFuellg);
        case RowLabel::UkKegel: return T(tkonst::UKKegel);
        case RowLabel::UkSchaft: return T(tkonst::UKSchaft);
        case RowLabel::UkTricht: return T(tkonst::UKTricht);
        case RowLabel::Auslauf: return T(tkonst::Auslauf);
        case RowLabel::Blank: break;
    }
    return QStringLiteral(" ");
}

QString fileErrorText(const FileError& err, const QString& path) {
    return korvane::ui::fileErrorText(err, path, sprache());
}

// A status field always shows its whole number: a text wider than the field
// is shown in a smaller font until it fits, never cut at one end.
void showWhole(QLineEdit* field, const QString& text) {
    const QVariant standard = field->property("korvaneStandardFont");
    QFont font = standard.isValid() ? standard.value<QFont>() : field->font();
    const QMargins tm = field->textMargins();
    const int frame = field->hasFrame()
                          ? field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, field)
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
ResultImage::ResultImage(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ResultImage::clearWhite() {
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

void ResultImage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (!image_.isNull()) p.drawImage(0, 0, image_);
}

// ---------------------------------------------------------------------------
MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName("Form1");
    buildControls();
    buildMenu();
    buildViewAndExportMenus();
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
    client_->setObjectName("Form1Client");
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

    Label24_ = label("Label24");
    Edit11_ = field("Edit11");
    Label10_ = label("Label10");
    Edit3_ = field("Edit3");
    Labelvertsp_ = label("Labelvertsp");
    Vertspausl_ = field("Vertspausl");
    StaticText1_ = label("StaticText1");
    StaticText1_->setFrameStyle(QFrame::NoFrame);
    Meldung_ = field("Meldung");
    Meldung2_ = field("Meldung2");
    Label1_ = label("Label1");
    Label2_ = label("Label2");
    Label4_ = label("Label4");
    Label6_ = label("Label6");
    Label7_ = label("Label7");
    Memo2_ = column("Memo2", false);
    Memo3_ = column("Memo3", true);
    Memo5_ = column("Memo5", true);
    Memo7_ = column("Memo7", true);
    Memo8_ = column("Memo8", true);
    Image2_ = new ResultImage(client_);
    Image2_->setObjectName("Image2");

    // The columns scroll together so that a row stays a row across them.
    const QList<QPlainTextEdit*> cols{Memo2_, Memo3_, Memo5_, Memo7_, Memo8_};
    for (QPlainTextEdit* a : cols)
        for (QPlainTextEdit* b : cols)
            if (a != b)
                connect(a->verticalScrollBar(), &QScrollBar::valueChanged,
                        b->verticalScrollBar(), &QScrollBar::setValue);
}

void MainWindow::buildMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");

    Datei1_ = menu("Datei1");
    Dateioeffnen1_ = action(Datei1_, "Dateioeffnen1", &MainWindow::AusDatei1Click);
    Speichern3_ = action(Datei1_, "Speichern3", &MainWindow::Speichern2Click);
    Speichernunter1_ = action(Datei1_, "Speichernunter1", &MainWindow::Speichern1Click);
    Datei1_->addSeparator()->setObjectName("N4");
    ErgebnisseSpeichern_ = action(Datei1_, "ErgebnisseSpeichern", &MainWindow::ErgebnisseSpeichernClick);
    Ergebnisdateispeichernunter1_ = action(Datei1_, "Ergebnisdateispeichernunter1",
                                           &MainWindow::Ergebnisdateispeichernunter1Click);
    Datei1_->addSeparator()->setObjectName("N2");
    Druckereinrichten1_ = action(Datei1_, "Druckereinrichten1", &MainWindow::Druckereinrichten1Click);
    Ergebnissedrucken1_ = menu("Ergebnissedrucken1");
    Tabelle1_ = action(Ergebnissedrucken1_, "Tabelle1", &MainWindow::Tabelle1Click);
    Diagramm1_ = action(Ergebnissedrucken1_, "Diagramm1", &MainWindow::Diagramm1Click);
    Datei1_->addMenu(Ergebnissedrucken1_);
    Datei1_->addSeparator()->setObjectName("N5");
    Beenden1_ = action(Datei1_, "Beenden1", &MainWindow::BEENDEN);
    bar->addMenu(Datei1_);

    Einstellungen1_ = menu("Einstellungen1");
    Parameter1_ = action(Einstellungen1_, "Parameter1", &MainWindow::Parameter1Click);
    Ansehen1_ = action(Einstellungen1_, "Ansehen1", &MainWindow::Ansehen1Click);
    bar->addMenu(Einstellungen1_);

    SpracheLanguage2_ = menu("SpracheLanguage2");
    Deutsch_ = action(SpracheLanguage2_, "Deutsch", &MainWindow::DeutschClick);
    English_ = action(SpracheLanguage2_, "English", &MainWindow::EnglishClick);
    // The current language carries a check mark (set with the texts).
    for (QAction* a : {Deutsch_, English_}) a->setCheckable(true);
    bar->addMenu(SpracheLanguage2_);

    About1_ = menu("About1");
    WasdiesesProgrammberechnet1_ = action(About1_, "WasdiesesProgrammberechnet1",
                                          &MainWindow::WasdiesesProgrammberechnet1Click);
    Daten1_ = action(About1_, "Daten1", &MainWindow::Daten1Click);
    Vorgabewerte1_ = action(About1_, "Vorgabewerte1", &MainWindow::Vorgabewerte1Click);
    VorgabewerteSilo1_ = action(About1_, "VorgabewerteSilo1", &MainWindow::VorgabewerteSilo1Click);
    Berechnungsmethoden1_ =
        action(About1_, "Berechnungsmethoden1", &MainWindow::Berechnungsmethoden1Click);
    About1_->addSeparator()->setObjectName("N3");
    Woher_ = action(About1_, "Woher", &MainWindow::WoherClick);
    About1_->addSeparator()->setObjectName("N6");
    Literatur1_ = action(About1_, "Literatur1", &MainWindow::Literatur1Click);
    About1_->addSeparator()->setObjectName("N1");
    EULA1_ = action(About1_, "EULA1", &MainWindow::EULA1Click);
    Info1_ = action(About1_, "Info1", &MainWindow::About1Click);
    bar->addMenu(About1_);
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
    for (QLineEdit* e : {Edit11_, Edit3_, Vertspausl_}) {
        e->setFont(fieldFont);
        e->setProperty("korvaneStandardFont", fieldFont);  // what showWhole() starts from
    }
    for (QLineEdit* e : {Meldung_, Meldung2_}) e->setFont(windowFont);
    for (QPlainTextEdit* c : {Memo2_, Memo3_, Memo5_, Memo7_, Memo8_}) c->setFont(windowFont);

    // Edits a little taller than designed where the font needs it, so that
    // no descender is cut off on any platform style.
    const int fieldH = std::max(s(15), QFontMetrics(fieldFont).height() + 4);
    place(Edit11_, kEdit11);
    place(Edit3_, kEdit3);
    place(Vertspausl_, kVertspausl);
    place(Meldung_, kMeldung);
    place(Meldung2_, kMeldung2);
    for (QLineEdit* e : {Edit11_, Edit3_, Vertspausl_, Meldung_})
        e->setFixedHeight(fieldH);
    Meldung2_->move(Meldung2_->x(), Meldung_->y() + fieldH + s(1));
    Meldung2_->setFixedHeight(fieldH);
    const int fieldsBottom = Meldung2_->y() + fieldH;

    auto placeLabel = [&](QLabel* l, int x, int y) {
        l->adjustSize();
        l->move(mg + s(x), mg + s(y));
    };
    placeLabel(Label24_, 0, 0);
    placeLabel(Label10_, 125, 0);
    placeLabel(Labelvertsp_, 210, 0);
    place(StaticText1_, kStaticText1);
    StaticText1_->adjustSize();

    // Column heads above their columns; below the status fields whatever
    // the font makes of their height.
    const int headTop = std::max(mg + s(52), fieldsBottom + s(4));
    const int lineH = QFontMetrics(windowFont).height();
    placeLabel(Label1_, 7, 52);
    placeLabel(Label2_, 80, 52);
    placeLabel(Label4_, 135, 52);
    placeLabel(Label6_, 205, 52);
    placeLabel(Label7_, 268, 52);
    for (QLabel* l : {Label1_, Label2_, Label4_, Label6_, Label7_}) l->move(l->x(), headTop);
    const int colTop = std::max(mg + s(65), headTop + lineH + s(1));
    // Each column at least as wide as its head, so that no head runs into
    // the next one; columns move right where a wider one needs the room.
    int prevRight = std::numeric_limits<int>::min() / 2;
    for (auto [c, d, l] : {std::tuple{Memo2_, kMemo2, Label1_}, {Memo3_, kMemo3, Label2_},
                           {Memo5_, kMemo5, Label4_}, {Memo7_, kMemo7, Label6_},
                           {Memo8_, kMemo8, Label7_}}) {
        const int x = std::max(mg + s(d.x), prevRight + s(5));
        const int w = std::max(s(d.w), l->width() + s(6));
        c->setGeometry(x, colTop, w, s(d.h));
        prevRight = x + w;
    }
    // The numeric heads stand right-aligned over their columns.
    for (auto [l, c] : {std::pair{Label2_, Memo3_}, {Label4_, Memo5_}, {Label6_, Memo7_},
                        {Label7_, Memo8_}})
        l->move(c->x() + c->width() - l->width() - s(2), l->y());
    Label1_->move(Memo2_->x() + s(3), Label1_->y());
    place(Image2_, kImage2);
    Image2_->move(std::max(Image2_->x(), prevRight + s(12)), colTop - s(1));
    FormPaint();
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
        warning = std::max(warning, dfm.horizontalAdvance(T(tkonst::Kernfluss, language)));
    const int diagramW = std::max(
        {s(200), dfm.horizontalAdvance(QStringLiteral("SIGMAV [Pa]  SIGMAW [Pa]")) * 100 / 85,
         warning * 100 / 65});
    // The legend's top stands at 96.5 % of the height: below it one line of
    // text must still fit.
    const int diagramH = std::max({s(220), 14 * dfm.height(),
                                   static_cast<int>(std::ceil((dfm.height() + 1) / 0.035))});
    // The columns: room for the forced rows of every section and a few
    // slices in between.
    const int frame = 2 * Memo2_->frameWidth();
    const int columnsH = 20 * lineHeight() + frame +
                         2 * static_cast<int>(std::ceil(Memo2_->document()->documentMargin()));
    const int gap = std::max(s(10), s(kMargin));
    int w = std::max(Image2_->x() + diagramW, Meldung2_->x() + Meldung2_->width()) + gap;
    int h = std::max(Image2_->y() + diagramH, Memo2_->y() + columnsH) + gap;
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
    return static_cast<int>(std::ceil(QFontMetricsF(Memo2_->font()).lineSpacing() - 1e-6));
}

int MainWindow::columnContentHeight() const {
    const int margin = static_cast<int>(std::ceil(Memo2_->document()->documentMargin()));
    return Memo2_->viewport()->height() - 2 * margin;
}

// ---------------------------------------------------------------------------
// Creation

bool MainWindow::FormCreate() {
    return FormCreate(platform::programFolder(), platform::documentsFolder());
}

bool MainWindow::FormCreate(const QString& programDir, const QString& documentsDir) {
    const platform::ScreenInfo screen = platform::primaryScreen();
    const ScreenFactors sf = computeScreenFactors(screen.geometry, screen.available);
    app().wideScreenFactor = sf.wideScreenFactor;
    app().screenScale = sf.screenScale;
    formScale_ = sf.formScale > 0 && std::isfinite(sf.formScale) ? sf.formScale : 1.0;
    applyScale();
    if (sf.windowSize.isValid()) resize(sf.windowSize);
    setWindowState(Qt::WindowMaximized);

    const DataFolders folders = resolveDataFolders(toLocal(programDir), toLocal(documentsDir));
    if (folders.markerInvalid) {
        platform::message(nullptr, "KORVANE", T(tkonst::Geaendert) + " (FOLDER.DAT)",
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
        QTimer::singleShot(0, this, [this] { Form1AKTIV(); });
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* e) {
    if (watched == client_ && e->type() == QEvent::Resize) {
        // A resized window re-lays out and redraws what it already has; it
        // does not recompute and does not repeat the warnings' beeps.
        FormPaint();
        if (inActivation_) {
            // The window manager may answer (maximise, place) while the run
            // waits for pending messages: before the results are drawn they
            // fill the new layout anyway; after that the diagram and the
            // columns would keep the old size, so the run redraws at its end.
            resizedDuringActivation_ = true;
        } else if (activated_) {
            fillColumns(false);
            DIAGRAMM();
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

void MainWindow::Form1AKTIV() {
    if (inActivation_) {
        activationPending_ = true;
        return;
    }
    inActivation_ = true;
    do {
        activationPending_ = false;
        DAUERANZEIGE();
        FormPaint();
        LOESCHEN();
        FormPaint();
        processPendingMessages();

        SiloModel& m = globalModel();
        clearResults(m);
        prepare(m, m.Erststart && app().parameterFile.isEmpty());
        m.Erststart = false;
        ++activations_;
        activated_ = true;
        // Only a resize after this point finds results drawn at the old size.
        resizedDuringActivation_ = false;
        HAUPTPROGRAMM();
    } while (activationPending_);
    inActivation_ = false;
    if (resizedDuringActivation_) {
        resizedDuringActivation_ = false;
        fillColumns(false);
        DIAGRAMM();
    }
}

void MainWindow::HAUPTPROGRAMM() {
    // A set whose parameter problem is pending is only partly derived: it is
    // not calculated, and the displays say what is wrong instead.
    if (loadedProblem_ == 0) {
        calculate(globalModel());
        if (showBothStatesAction_->isChecked()) calculateOtherState();
    }
    ANZEIGE();
    DIAGRAMM();
    processPendingMessages();
}

void MainWindow::FormPaint() {
    const int mg = static_cast<int>(std::lround(kMargin * formScale_));
    const int gap = static_cast<int>(std::lround(10 * formScale_));
    const int w = std::max(1, client_->width() - Image2_->x() - gap);
    const int h = std::max(1, client_->height() - Image2_->y() - std::max(gap, mg));
    Image2_->resize(w, h);
    for (QPlainTextEdit* c : {Memo2_, Memo3_, Memo5_, Memo7_, Memo8_})
        c->resize(c->width(), h - (c->y() - Image2_->y()));
}

// ---------------------------------------------------------------------------
// Texts, columns and status fields

void MainWindow::Labelsprache() {
    setWindowTitle(QString::fromUtf8(tkonst::kProductName) + "    " + QString::fromUtf8(tkonst::kMakerNotice));

    Datei1_->setTitle(T(tkonst::Datei1));
    Dateioeffnen1_->setText(T(tkonst::Dateioeffnen1));
    Speichern3_->setText(T(tkonst::Speichern3));
    Speichernunter1_->setText(T(tkonst::Speichernunter1));
    ErgebnisseSpeichern_->setText(T(tkonst::ErgebnisseSpeichern));
    Ergebnisdateispeichernunter1_->setText(T(tkonst::Ergebnisdateispeichernunter1));
    Druckereinrichten1_->setText(T(tkonst::Druckereinrichten1));
    Ergebnissedrucken1_->setTitle(T(tkonst::Ergebnissedrucken1));
    Tabelle1_->setText(T(tkonst::Tabelle1));
    Diagramm1_->setText(T(tkonst::Diagramm1));
    Beenden1_->setText(T(tkonst::Beenden1));
    Einstellungen1_->setTitle(T(tkonst::Einstellungen1));
    Parameter1_->setText(T(tkonst::Parameter1));
    Ansehen1_->setText(T(tkonst::Ansehen1));
    SpracheLanguage2_->setTitle(QString::fromUtf8(tkonst::kSpracheLanguage));
    Deutsch_->setText(QString::fromUtf8(tkonst::kDeutsch));
    English_->setText(QString::fromUtf8(tkonst::kEnglish));
    Deutsch_->setChecked(sprache() == 0);
    English_->setChecked(sprache() == 1);
    About1_->setTitle(T(tkonst::About1));
    WasdiesesProgrammberechnet1_->setText(T(tkonst::WasdiesesProgrammberechnet1));
    Daten1_->setText(T(tkonst::Daten1));
    Vorgabewerte1_->setText(T(tkonst::Vorgabewerte1));
    VorgabewerteSilo1_->setText(T(tkonst::VorgabeSiloInfo1));
    Berechnungsmethoden1_->setText(T(tkonst::Berechnungsmethoden1));
    Woher_->setText(T(tkonst::Woher));
    Literatur1_->setText(T(tkonst::Literatur1));
    EULA1_->setText(QString::fromUtf8(tkonst::kEulaMenu));
    Info1_->setText(T(tkonst::Info1));
    labelViewAndExportMenus();

    Label1_->setText(T(tkonst::Label1));
    Label2_->setText(T(tkonst::Label2));
    Label4_->setText(T(tkonst::Label4));
    Label6_->setText(T(tkonst::Label6));
    Label7_->setText(T(tkonst::Label7));
    StaticText1_->setText(T(tkonst::StaticText1));
    Labelvertsp_->setText(T(tkonst::Labelvertsp));
    Label10_->setText(T(tkonst::Label10));
    Label24_->setText(T(tkonst::Label24));

    Label2_->setToolTip(T(tkonst::Label2Hint));
    Label4_->setToolTip(T(tkonst::Label4Hint));
    Label6_->setToolTip(T(tkonst::Label6Hint));
    Label7_->setToolTip(T(tkonst::Label7Hint));
    client_->setToolTip(T(tkonst::Form1Hint));
    Edit11_->setToolTip(T(tkonst::Edit11Hint));
    Edit3_->setToolTip(T(tkonst::Edit3Hint));
    Vertspausl_->setToolTip(T(tkonst::VertspauslHint));
    Image2_->setToolTip(T(tkonst::PositionHint));
    Memo2_->setToolTip(T(tkonst::PositionHint));
    Memo3_->setToolTip(T(tkonst::Label2Hint));
    Memo5_->setToolTip(T(tkonst::Label4Hint));
    Memo7_->setToolTip(T(tkonst::Label6Hint));
    Memo8_->setToolTip(T(tkonst::Label7Hint));

    // Label widths follow their texts; keep the heads over their columns.
    applyScale();
}

void MainWindow::DAUERANZEIGE() {
    Labelsprache();
    const AppState& a = app();
    if (!a.parameterFile.isEmpty()) {
        QString caption = QString::fromUtf8(tkonst::kProductName) + "    " +
                          QString::fromUtf8(tkonst::kMakerNotice) + "      [" +
                          T(tkonst::AktuelleParameterdatei) + ": " + a.parameterFile + "]";
        if (a.modified) caption += T(tkonst::Geaendert);
        setWindowTitle(caption);
    }
}

void MainWindow::LOESCHEN() {
    for (QPlainTextEdit* c : {Memo2_, Memo3_, Memo5_, Memo7_, Memo8_}) c->clear();
    Edit3_->clear();
    Edit11_->clear();
    Vertspausl_->clear();  // no outlet stress of an earlier calculation
    Meldung_->clear();
    Image2_->clearWhite();
}

void MainWindow::ANZEIGE() { fillColumns(true); }

void MainWindow::fillColumns(bool withBeeps) {
    SiloModel& m = globalModel();
    const int D = zDecimals(m.Fuellhoehe);
    for (QPlainTextEdit* c : {Memo2_, Memo3_, Memo5_, Memo7_, Memo8_}) c->clear();
    Meldung_->clear();
    Meldung2_->clear();
    Meldung2_->setToolTip(QString());

    Edit11_->setText(m.Spannungszustand() == 1 ? T(tkonst::Entleerungszust) : T(tkonst::Fuellzustand));

    if (loadedProblem_ != 0) {
        // The opened set has a parameter problem: its text, and no numbers.
        Meldung_->setText(T(texts::KeineErgebnisse));
        // The line may be narrower than the text: its tool tip holds it all.
        Meldung2_->setText(problemText(loadedProblem_));
        Meldung2_->setCursorPosition(0);
        Meldung2_->setToolTip(Meldung2_->text());
        Edit3_->clear();
        Vertspausl_->clear();
        if (withBeeps) platform::beep();
        return;
    }

    const int problem = resultProblem(m);
    if (problem != 0) {
        // Nothing that is not a number reaches the columns: say what is wrong.
        Meldung_->setText(T(texts::KeineErgebnisse));
        Meldung2_->setText(problem == 1 ? T(texts::NichtEndlich) : T(texts::AlleNull));
        Edit3_->clear();
        Vertspausl_->clear();
        if (withBeeps) platform::beep();
        return;
    }

    if (m.Messbereichueberschritten) {
        Meldung_->setText(T(tkonst::Messbereich));
        if (withBeeps) platform::beep();
    }
    if (!m.Massenfluss && m.Spannungszustand() == 1 && m.Trichterja) {
        Meldung2_->setText(T(tkonst::Kernfluss));
        if (withBeeps) platform::beep();
    }

    const int G = std::clamp(m.Gesamtschritte, 0, kResultSize - 1);
    const int ende = std::clamp(m.Indexende, 0, kResultSize - 1);
    double zlauf = 0;
    for (int i = 1; i <= G; ++i) zlauf += static_cast<double>(m.Dz[i]);
    m.Zlauf = zlauf;

    showWhole(Edit3_, fmt(m.Fuellmenge, m.Fuellmenge < 1000 ? 2 : 0));

    const int L = visibleLines(columnContentHeight(), lineHeight());

    QStringList pos, z, rho, sv, sw;
    if (m.Schuettkegel) {
        pos << T(tkonst::OKFuellg);
        z << fmt(m.Fuellhoehe, D);
        rho << fmt(density(m, 10.0), 0);
        sv << "0";
        sw << " ";
    }
    const int extraRows = (m.Schuettkegel ? 1 : 0) + 1;  // heap row, outlet row
    for (const SelectedRow& r : selectScreenRows(m, L, extraRows, zlauf)) {
        pos << rowLabel(r.label);
        z << fmt(r.z, D);
        rho << fmt(m.RHOB[r.index], 0);
        sv << fmt(m.SIGMAV[r.index - 1], 0);
        sw << fmt(m.SIGMAW[r.index - 1], 0);
    }
    pos << T(tkonst::Auslauf);
    z << fmt(0.0L, D);
    sv << fmt(m.SIGMAV[ende], 0);
    sw << fmt(m.SIGMAW[ende], 0);

    Memo2_->setPlainText(pos.join('\n'));
    Memo3_->setPlainText(z.join('\n'));
    Memo5_->setPlainText(rho.join('\n'));
    Memo7_->setPlainText(sv.join('\n'));
    Memo8_->setPlainText(sw.join('\n'));
    showWhole(Vertspausl_, fmt(m.SIGMAV[ende], 0));
}

void MainWindow::DIAGRAMM() {
    Image2_->clearWhite();
    if (loadedProblem_ != 0) {  // no results to draw
        Image2_->update();
        return;
    }
    QPainter p(&Image2_->image());
    drawDiagram(p, Image2_->image().deviceIndependentSize().toSize(), globalModel(), width(),
                app().screenScale, sprache(), diagramExtras());
    p.end();
    Image2_->update();
}

// ---------------------------------------------------------------------------
// Files

bool MainWindow::writeParameterFile(const QString& path) {
    FileError err;
    if (Parameterdatei_schreiben(globalModel(), toLocal(path), err)) return true;
    platform::message(this, T(tkonst::Fehler),
                      fileErrorText(err, path) + "\n" + T(texts::NichtGespeichert),
                      platform::Icon::Critical);
    return false;
}

bool MainWindow::writeResultFile(const QString& path) {
    SiloModel& m = globalModel();
    FileError err;
    if (loadedProblem_ != 0 || resultProblem(m) == 1) {
        err.code = EINVAL;
        err.reason = T(texts::KeineErgebnisse).toStdString();
    } else if (Ergebnisdatei_schreiben(m, toLocal(path), err)) {
        return true;
    }
    platform::message(this, T(tkonst::Fehler), fileErrorText(err, path) + "\n" + T(texts::NichtGespeichert),
                      platform::Icon::Critical);
    return false;
}

void MainWindow::AusDatei1Click() {
    // The folder is made on first use: a dialog started in a folder that
    // does not exist would offer its last part as the file name.
    QString start = withoutTrailingSlashes(platform::existingFolder(app().parameterFolder));
    if (!openPreset_.isEmpty()) start = openPreset_;
    lastDialogFolder_ = start;
    const QString path = platform::getOpenFileName(this, QString(Dateioeffnen1_->text()).remove('&'),
                                                   start, kParameterFilter);
    if (path.isEmpty()) return;
    openPreset_ = path;  // the dialog keeps the chosen name, also when the file is refused

    SiloModel& m = globalModel();
    FileError err;
    if (!Parameterdatei_lesen(m, toLocal(path), err)) {
        // The reader changes nothing on failure; neither does the window.
        platform::message(this, T(tkonst::Fehler), fileErrorText(err, path), platform::Icon::Critical);
        return;
    }
    app().parameterFile = path;
    app().pendingProblem = 0;
    app().modified = false;
    // The file's values complete the model as the form's take-over does, so
    // that leaving the form with Abbrechen shows the file's results; a set
    // with a problem shows that problem until a take-over resolves it.
    loadedProblem_ = deriveLoadedModel(m);
    DAUERANZEIGE();
    LOESCHEN();
    if (showParameterForm(this) == QDialog::Accepted) loadedProblem_ = 0;
    Form1AKTIV();
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

void MainWindow::Speichern2Click() {
    QString path = app().parameterFile;
    if (path.isEmpty())
        path = askSaveName(savePreset_, app().parameterFolder, Speichern3_, kParameterFilter, "par");
    if (path.isEmpty()) return;
    if (!writeParameterFile(path)) return;
    app().parameterFile = path;
    app().modified = false;
    DAUERANZEIGE();
}

void MainWindow::Speichern1Click() {
    const QString path =
        askSaveName(savePreset_, app().parameterFolder, Speichernunter1_, kParameterFilter, "par");
    if (path.isEmpty()) return;
    if (!writeParameterFile(path)) return;
    app().parameterFile = path;
    app().modified = false;
    DAUERANZEIGE();
    openPreset_ = path;
}

void MainWindow::ErgebnisseSpeichernClick() {
    QString path = app().resultFile;
    if (path.isEmpty())
        path = askSaveName(resultPreset_, app().resultFolder, ErgebnisseSpeichern_,
                           kResultFilter, "txt");
    if (path.isEmpty()) return;
    if (!writeResultFile(path)) return;
    app().resultFile = path;
    DAUERANZEIGE();
}

void MainWindow::Ergebnisdateispeichernunter1Click() {
    const QString path = askSaveName(resultPreset_, app().resultFolder,
                                     Ergebnisdateispeichernunter1_, kResultFilter, "txt");
    if (path.isEmpty()) return;
    if (!writeResultFile(path)) return;
    app().resultFile = path;
    DAUERANZEIGE();
}

// ---------------------------------------------------------------------------
// Modal windows, printing, language

void MainWindow::Parameter1Click() {
    // OK closes the form only after a take-over without problem.
    if (showParameterForm(this) == QDialog::Accepted) loadedProblem_ = 0;
    Form1AKTIV();
}

void MainWindow::Ansehen1Click() {
    app().viewOnly = true;
    showParameterForm(this);
    Form1AKTIV();
}

void MainWindow::showInfo(int which) {
    if (showInfoWindow(this, static_cast<InfoWindow>(which)) == QDialog::Accepted) Form1AKTIV();
}

void MainWindow::About1Click() { showInfo(int(InfoWindow::About)); }
void MainWindow::WoherClick() { showInfo(int(InfoWindow::SGEigenschaften)); }
void MainWindow::Berechnungsmethoden1Click() { showInfo(int(InfoWindow::Berechnungsmethoden)); }
void MainWindow::Vorgabewerte1Click() { showInfo(int(InfoWindow::Vorgabewerteinfo)); }
void MainWindow::VorgabewerteSilo1Click() { showInfo(int(InfoWindow::VorgabeSiloInfo)); }
void MainWindow::WasdiesesProgrammberechnet1Click() { showInfo(int(InfoWindow::Wasberechnetwird)); }
void MainWindow::Daten1Click() { showInfo(int(InfoWindow::Dateneinaus)); }
void MainWindow::Literatur1Click() { showInfo(int(InfoWindow::Buch)); }
void MainWindow::EULA1Click() { openEula(this); }

// A pending problem of the opened set is said instead of printing a page
// without results.
bool MainWindow::refusePrintWithProblem() {
    if (loadedProblem_ == 0) return false;
    platform::message(this, "PROBLEM", problemText(loadedProblem_), platform::Icon::Warning);
    return true;
}

void MainWindow::Tabelle_Drucken() {
    if (refusePrintWithProblem()) return;
    ui::Tabelle_Drucken(this, PrintStatus{Edit11_->text(), Edit3_->text(), Vertspausl_->text()});
}
void MainWindow::Diagramm_Drucken() {
    if (refusePrintWithProblem()) return;
    ui::Diagramm_Drucken(this, diagramExtras());
}
void MainWindow::Tabelle1Click() { Tabelle_Drucken(); }
void MainWindow::Diagramm1Click() { Diagramm_Drucken(); }
void MainWindow::Druckereinrichten1Click() { Druckereinrichten(this); }

void MainWindow::DeutschClick() {
    setSprache(0);
    DAUERANZEIGE();
    DIAGRAMM();
    ANZEIGE();
}

void MainWindow::EnglishClick() {
    setSprache(1);
    DAUERANZEIGE();
    DIAGRAMM();
    ANZEIGE();
}

void MainWindow::BEENDEN() { close(); }

// ---------------------------------------------------------------------------
// View menu: both states, comparison; export of the diagram, copy of the table

void MainWindow::buildViewAndExportMenus() {
    // "View" between the parameter menu and the language menu.
    viewMenu_ = menu("ViewMenu");
    showBothStatesAction_ = action(viewMenu_, "ShowBothStates", &MainWindow::toggleBothStates);
    showBothStatesAction_->setCheckable(true);
    viewMenu_->addSeparator();
    compareAction_ = action(viewMenu_, "CompareWithFile", &MainWindow::compareWithParameterFile);
    endComparisonAction_ = action(viewMenu_, "EndComparison", &MainWindow::endComparison);
    endComparisonAction_->setEnabled(false);
    menuBar()->insertMenu(SpracheLanguage2_->menuAction(), viewMenu_);

    // Export and copy in the file menu, after the result file commands.
    QAction* beforeN2 = Datei1_->findChild<QAction*>("N2");
    if (!beforeN2) beforeN2 = findChild<QAction*>("N2");
    exportDiagramAction_ = action(Datei1_, "ExportDiagram", &MainWindow::exportDiagram);
    copyTableAction_ = action(Datei1_, "CopyTable", &MainWindow::copyTable);
    copyTableAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    if (beforeN2) {
        Datei1_->removeAction(exportDiagramAction_);
        Datei1_->removeAction(copyTableAction_);
        Datei1_->insertAction(beforeN2, exportDiagramAction_);
        Datei1_->insertAction(beforeN2, copyTableAction_);
    }
}

void MainWindow::labelViewAndExportMenus() {
    viewMenu_->setTitle(T(texts::Ansicht1));
    showBothStatesAction_->setText(T(texts::BeideZustaende));
    compareAction_->setText(T(texts::Vergleichen));
    endComparisonAction_->setText(T(texts::VergleichBeenden));
    exportDiagramAction_->setText(T(texts::DiagrammExportieren));
    copyTableAction_->setText(T(texts::TabelleKopieren));
}

void MainWindow::calculateOtherState() {
    // The same silo with the state switched, on a copy: the model, the
    // columns and the status fields keep the state chosen in the form.
    if (!otherState_) otherState_ = std::make_unique<SiloModel>();
    SiloModel& o = *otherState_;
    o = globalModel();
    o.setSpannungszustand(globalModel().Spannungszustand() == 1 ? 0 : 1);
    clearResults(o);
    prepare(o, false);
    calculate(o);
}

DiagramExtras MainWindow::diagramExtras() const {
    DiagramExtras e;
    if (showBothStatesAction_->isChecked() && otherState_) e.otherState = otherState_.get();
    if (comparison_) {
        e.comparison = comparison_.get();
        e.comparisonName = QFileInfo(comparisonPath_).fileName();
    }
    return e;
}

void MainWindow::toggleBothStates() {
    if (showBothStatesAction_->isChecked()) {
        // Results already shown get their other state at once.
        if (activated_) calculateOtherState();
    } else {
        otherState_.reset();
    }
    if (activated_ && !inActivation_) DIAGRAMM();
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
    if (!Parameterdatei_lesen(*std::make_unique<SiloModel>(), toLocal(path), err)) {
        platform::message(this, T(tkonst::Fehler), fileErrorText(err, path), platform::Icon::Critical);
        return;
    }
    // Calculated as korvane-calc calculates the file: default start, load,
    // the form's checks on OK, the calculation.
    auto silo = std::make_unique<SiloModel>();
    const BatchResult r = runBatch(*silo, toLocal(path), std::string(), sprache());
    if (r.exitCode != kExitOk) {
        QString why = r.Parameterfehler != 0
                          ? QString::fromStdString(korvane::problemText(r.Parameterfehler, sprache()))
                          : T(texts::ErgebnisseUngueltig);
        platform::message(this, T(tkonst::Fehler), T(texts::VergleichUngueltig) + "\n" + path + "\n" + why,
                          platform::Icon::Critical);
        return;
    }
    comparison_ = std::move(silo);
    comparisonPath_ = path;
    endComparisonAction_->setEnabled(true);
    if (activated_ && !inActivation_) DIAGRAMM();
}

void MainWindow::endComparison() {
    comparison_.reset();
    comparisonPath_.clear();
    endComparisonAction_->setEnabled(false);
    if (activated_ && !inActivation_) DIAGRAMM();
}

void MainWindow::exportDiagram() {
    if (refusePrintWithProblem()) return;
    const QString path = askSaveName(exportPreset_, app().resultFolder, exportDiagramAction_,
                                     T(texts::ExportFilter), "png");
    if (path.isEmpty()) return;
    const ExportFormat format = exportFormatOf(path);
    int imageWidth = kDefaultExportWidth;
    if (format == ExportFormat::Png) {
        QInputDialog ask(this);
        ask.setObjectName("ExportWidthDialog");
        ask.setWindowTitle(QString(exportDiagramAction_->text()).remove('&'));
        ask.setInputMode(QInputDialog::IntInput);
        ask.setLabelText(T(texts::ExportBreite));
        ask.setIntRange(100, 20000);
        ask.setIntValue(kDefaultExportWidth);
        if (ask.exec() != QDialog::Accepted) return;
        imageWidth = ask.intValue();
    }

    // The export draws with the screen's and the printer's code; the mapping
    // of the screen diagram is kept for whatever reads it afterwards.
    const DiagramMapping keep = diagramMapping();
    const DiagramExtras extras = diagramExtras();
    const int windowWidth = width();
    const double skalierung = app().screenScale;
    const int language = sprache();
    auto draw = [&](QPainter& p, QSize size) {
        drawDiagram(p, size, globalModel(), windowWidth, skalierung, language, extras);
    };
    const QSize size = Image2_->size();
    const QString title = QString::fromUtf8(tkonst::kProductName) + " " + QFileInfo(path).fileName();
    bool ok = false;
    switch (format) {
        case ExportFormat::Png: ok = exportDiagramPng(path, imageWidth, size, draw); break;
        case ExportFormat::Svg: ok = exportDiagramSvg(path, size, title, draw); break;
        case ExportFormat::Pdf:
            ok = exportDiagramPdf(path, title, [&](QPainter& p) {
                paintDiagramPage(p, globalModel(), app().parameterFile, app().modified,
                                 language, extras);
            });
            break;
    }
    diagramMapping() = keep;
    if (!ok)
        platform::message(this, T(tkonst::Fehler), T(texts::ExportFehler) + path, platform::Icon::Critical);
}

QString MainWindow::resultTableText() const {
    // Numbers in the desktop's notation, without thousands separators, so
    // that a spreadsheet pasted into reads them as numbers.
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    auto num = [&](long double v, int decimals) {
        double d = static_cast<double>(v);
        if (std::round(d * std::pow(10.0, decimals)) == 0) d = 0;  // no "-0"
        return locale.toString(d, 'f', decimals);
    };
    QString text = QStringLiteral("z [m]\tRHOB [kg/m3]\tSIGMAV [Pa]\tSIGMAW [Pa]\n");
    const SiloModel& m = globalModel();
    if (resultProblem(m) != 0) return text;
    for (const ResultRow& r : resultRows(m))
        text += num(r.z, 3) + '\t' + num(r.RHOB, 1) + '\t' + num(r.SIGMAV, 0) + '\t' +
                num(r.SIGMAW, 0) + '\n';
    return text;
}

void MainWindow::copyTable() {
    if (refusePrintWithProblem()) return;
    QGuiApplication::clipboard()->setText(resultTableText());
}

}  // namespace korvane::ui
