#include "ui/parameters/parameterform.h"

#include <QApplication>
#include <algorithm>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <cmath>
#include <memory>

#include "calc/engine.h"
#include "ui/density/densitywindow.h"
#include "ui/density/keyfilter.h"
#include "ui/density/radiogroup.h"
#include "ui/main/appstate.h"
#include "ui/main/platform.h"
#include "ui/texts/tkonst.h"

namespace korvane::ui {

using tkonst::T;

namespace {

// A value that is not a number (from a broken file or an overflow) is shown
// as an empty field, never as "NAN" or "INF": the checks then judge it as 0.
QString fmt(double v) {
    if (!std::isfinite(v)) return QString();
    return QString::fromStdString(formatGeneral8(v));
}
bool isNonFiniteText(const std::string& t) {
    return t.find("NAN") != std::string::npos || t.find("INF") != std::string::npos ||
           t.find("nan") != std::string::npos || t.find("inf") != std::string::npos;
}
QString fmtDeg(double rad) { return fmt(radToDeg(rad)); }
std::string txt(const QLineEdit* e) { return e->text().toStdString(); }

// Base size of the sketch at the screen factor 1.
constexpr int kSketchWidth = 247;
constexpr int kSketchHeight = 400;

double controlScale() { return std::round(app().screenScale * 800) / 800.0; }

// The widest number a field has to show whole: 8 significant digits after
// "0.0", with a sign.
const QString kWidestNumber = QStringLiteral("-0.012345678");

// Width of a number field that shows kWidestNumber whole in `font`: the text,
// the line edit's inner margins (2 px each side), its frame and the cursor.
int numberFieldWidth(const QFont& font, const QWidget* w) {
    const int frame = w->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w);
    return QFontMetrics(font).horizontalAdvance(kWidestNumber) + 2 * frame + 2 * 2 + 4;
}

}  // namespace

// ---- the sketch ------------------------------------------------------------------

void paintSketch(QPainter& p, int W, int H, const SketchResult& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(0, 0, W, H, Qt::white);
    if (r.badData) {
        const QString t = QStringLiteral("Bad Data");
        const QFontMetrics fm(p.font());
        p.setPen(Qt::black);
        p.drawText(QRect((W - fm.horizontalAdvance(t)) / 2, H / 2, fm.horizontalAdvance(t) + 2,
                         fm.height()),
                   Qt::AlignLeft | Qt::AlignTop, t);
    } else {
        for (const SketchLine& l : r.lines) {
            QPen pen(l.red ? QColor(255, 0, 0) : QColor(0, 0, 0), 1);
            if (l.dotted) pen.setStyle(Qt::DotLine);
            p.setPen(pen);
            p.drawLine(l.x1, l.y1, l.x2, l.y2);
        }
    }
    p.restore();
}

SiloSketch::SiloSketch(QWidget* parent) : QWidget(parent) { setObjectName("Image1"); }

void SiloSketch::setResult(const SketchResult& r) {
    m_result = r;
    update();
}

QImage SiloSketch::render() const {
    // At the screen's device pixel ratio, as paintEvent draws it: sharp on a
    // high-resolution screen, pixel for pixel the same at ratio 1.
    const qreal dpr = devicePixelRatioF();
    QImage img(size() * dpr, QImage::Format_RGB32);
    img.setDevicePixelRatio(dpr);
    QPainter p(&img);
    p.setFont(font());
    paintSketch(p, width(), height(), m_result);
    return img;
}

void SiloSketch::paintEvent(QPaintEvent*) {
    // Painted straight onto the widget, in logical pixels: Qt maps them to the
    // device pixels of the screen, so lines and text stay sharp at any scale.
    QPainter p(this);
    paintSketch(p, width(), height(), m_result);
}

// ---- construction -------------------------------------------------------------------

QLineEdit* ParameterForm::makeEdit(const char* name) {
    auto* e = new QLineEdit(this);
    e->setObjectName(name);
    makeNumberField(e);
    return e;
}

// Number fields and output fields as wide as the widest 8-digit value in the
// form's font, so that no leading digit is ever cut off.
void ParameterForm::sizeNumberFields() {
    for (QLineEdit* e : findChildren<QLineEdit*>()) e->setFixedWidth(numberFieldWidth(font(), e));
    for (QLabel* l : {Label44, Hohnekegel, Silohoehe, Trichterhoehe, Silonetvol, Silobrutvol})
        l->setMinimumWidth(QFontMetrics(font()).horizontalAdvance(kWidestNumber) +
                           2 * l->frameWidth() + 2 * l->margin() + 4);
}

QLabel* ParameterForm::makeOutput(const char* name) {
    auto* l = new QLabel(this);
    l->setObjectName(name);
    // Output fields: the tool tip colour marks them as computed, not typed.
    l->setAutoFillBackground(true);
    QPalette pal = l->palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::ToolTipBase));
    pal.setColor(QPalette::WindowText, pal.color(QPalette::ToolTipText));
    l->setPalette(pal);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    return l;
}

ParameterForm::ParameterForm(QWidget* parent) : QDialog(parent) {
    setObjectName("Form2");
    setWindowTitle("Parameter");
    const double f = controlScale();
    // The form grows with the screen factor but its text never gets smaller
    // than the desktop's own.
    QFont fnt = QApplication::font();
    if (fnt.pointSizeF() > 0) fnt.setPointSizeF(fnt.pointSizeF() * std::max(1.0, f));
    setFont(fnt);

    auto group = [this](const QString& title, const char* name) {
        auto* g = new QGroupBox(title, this);
        g->setObjectName(name);
        return g;
    };
    auto label = [this](const QString& text) { return new QLabel(text, this); };
    auto radio = [this](const QString& text, const char* name) {
        auto* b = new QRadioButton(text, this);
        b->setObjectName(name);
        return b;
    };
    auto check = [this](const QString& text, const char* name) {
        auto* c = new QCheckBox(text, this);
        c->setObjectName(name);
        return c;
    };
    const auto u = [](const char* s) { return QString::fromUtf8(s); };

    // Stress state and cross-section.
    RadioGroup4 = new RadioGroup("RadioGroup4", {u("Füllzustand"), u("Entleerungszust.")}, this);
    RadioGroup4->setTitle("Spannungszustand");
    RadioGroup1 = new RadioGroup("RadioGroup1", {"Kreis", "Rechteck"}, this);
    RadioGroup1->setTitle("Siloquerschnitt");

    // Bulk density.
    gDichte = group(u("Schüttgutdichte"), "GroupBoxDichte");
    Rhokonst = radio("konstant", "Rhokonst");
    Rhofunkt = radio("Funktion", "Rhofunkt");
    Rhoanpass = radio("Anpassung", "Rhoanpass");
    Edit17 = makeEdit("Edit17");
    Edit18 = makeEdit("Edit18");
    Edit19 = makeEdit("Edit19");
    WerteButton = new QPushButton("Werte", this);
    WerteButton->setObjectName("WerteButton");
    {
        auto* g = new QGridLayout(gDichte);
        g->addWidget(Rhokonst, 0, 0);
        g->addWidget(Rhofunkt, 1, 0);
        g->addWidget(Rhoanpass, 2, 0);
        g->addWidget(WerteButton, 3, 0);
        g->addWidget(label("RHOMIN [kg/m3]"), 0, 1);
        g->addWidget(Edit17, 0, 2);
        g->addWidget(label("RHOMAX [kg/m3]"), 1, 1);
        g->addWidget(Edit18, 1, 2);
        g->addWidget(label("SIGMA0 [Pa]"), 2, 1);
        g->addWidget(Edit19, 2, 2);
    }

    // Internal friction and K.
    gReibung = group("Innere Reibung", "GroupBoxReibung");
    Edit15 = makeEdit("Edit15");
    {
        auto* h = new QHBoxLayout(gReibung);
        h->addWidget(label(u("PHIE [°]")));
        h->addWidget(Edit15);
        h->addStretch(1);
    }
    gK = group("K (LAMBDA)", "GroupBoxK");
    RadioButton5 = radio("1.2(1-sinPHIE)", "RadioButton5");
    RadioButton6 = radio("0.4", "RadioButton6");
    RadioButton7 = radio("Wert:", "RadioButton7");
    Label44 = makeOutput("Label44");
    Edit31 = makeEdit("Edit31");
    {
        auto* g = new QGridLayout(gK);
        g->addWidget(RadioButton5, 0, 0);
        g->addWidget(Label44, 0, 1);
        g->addWidget(RadioButton6, 1, 0);
        g->addWidget(RadioButton7, 2, 0);
        g->addWidget(Edit31, 2, 1);
    }

    // Shaft and its cross-section.
    gSchaft = group("Siloschaft", "GroupBoxSchaft");
    Schaftja = check("Ja", "Schaftja");
    Edit2 = makeEdit("Edit2");
    Phixschaft = makeEdit("Phixschaft");
    lHoeheSchaft = label(u("Höhe [m]:"));
    {
        auto* g = new QGridLayout(gSchaft);
        g->addWidget(Schaftja, 0, 0);
        g->addWidget(lHoeheSchaft, 1, 0);
        g->addWidget(Edit2, 1, 1);
        g->addWidget(label(u("PHIX [°]")), 2, 0);
        g->addWidget(Phixschaft, 2, 1);
    }
    gQuer = group("Schaft/OK Trichter", "GroupBoxQuerschnitt");
    Edit4 = makeEdit("Edit4");
    Edit27 = makeEdit("Edit27");
    lDurchmesser = label("Durchmesser/ Breite [m]");
    lLaenge = label(u("Länge [m]"));
    {
        auto* g = new QGridLayout(gQuer);
        g->addWidget(lDurchmesser, 0, 0);
        g->addWidget(Edit4, 0, 1);
        g->addWidget(lLaenge, 1, 0);
        g->addWidget(Edit27, 1, 1);
    }

    // Hopper and the part below it.
    gTrichter = group("Trichter", "GroupBoxTrichter");
    Trichterja = check("Ja", "Trichterja");
    MFKFLabel = makeOutput("MFKFLabel");
    MFKFLabel->setMinimumWidth(static_cast<int>(std::lround(28 * f)));
    Edit6 = makeEdit("Edit6");
    Edit7 = makeEdit("Edit7");
    Phixtrichter = makeEdit("Phixtrichter");
    PHIXTrichterStirnwand = makeEdit("PHIXTrichterStirnwand");
    lWandneigung = label("Wandneigung geg. die Vertikale [°]");
    lWandneigung->setText(u("Wandneigung geg. die Vertikale [°]"));
    lAuslauf = label("Auslaufbreite/ -durchmesser [m]");
    lStirnwand = label(u("PHIX [°] Stirnwand"));
    {
        auto* g = new QGridLayout(gTrichter);
        auto* h = new QHBoxLayout;
        h->addWidget(Trichterja);
        h->addWidget(MFKFLabel);
        h->addStretch(1);
        g->addLayout(h, 0, 0, 1, 2);
        g->addWidget(lWandneigung, 1, 0);
        g->addWidget(Edit6, 1, 1);
        g->addWidget(lAuslauf, 2, 0);
        g->addWidget(Edit7, 2, 1);
        g->addWidget(label(u("PHIX [°]")), 3, 0);
        g->addWidget(Phixtrichter, 3, 1);
        g->addWidget(lStirnwand, 4, 0);
        g->addWidget(PHIXTrichterStirnwand, 4, 1);
    }
    gUnten = group("unter Trichter", "GroupBoxUnten");
    vertunten = check("Vertikalteil", "vertunten");
    Hunttricht = makeEdit("Hunttricht");
    Phixunten = makeEdit("Phixunten");
    lHoeheUnten = label(u("Höhe [m]:"));
    {
        auto* g = new QGridLayout(gUnten);
        g->addWidget(vertunten, 0, 0);
        g->addWidget(lHoeheUnten, 1, 0);
        g->addWidget(Hunttricht, 1, 1);
        g->addWidget(label(u("PHIX [°]")), 2, 0);
        g->addWidget(Phixunten, 2, 1);
    }

    // Surface, fill height, derived values.
    gOberfl = group(u("Auflast/Oberfläche"), "GroupBoxOberflaeche");
    RadioButton1 = radio("keine", "RadioButton1");
    boeschungsw = radio(u("Schüttkegel"), "boeschungsw");
    Auflast = radio("Druckspang.", "Auflast");
    boeschwinkel = makeEdit("boeschwinkel");
    Edit1 = makeEdit("Edit1");
    lBoeschwinkel = label(u("Böschungs- winkel [°]:"));
    {
        auto* g = new QGridLayout(gOberfl);
        g->addWidget(RadioButton1, 0, 0);
        g->addWidget(boeschungsw, 1, 0);
        g->addWidget(lBoeschwinkel, 2, 0);
        g->addWidget(boeschwinkel, 2, 1);
        g->addWidget(Auflast, 3, 0);
        g->addWidget(label("in [Pa]"), 4, 0);
        g->addWidget(Edit1, 4, 1);
    }
    gFuell = group(u("Füllhöhe"), "GroupBoxFuellhoehe");
    Edit5 = makeEdit("Edit5");
    Hohnekegel = makeOutput("Hohnekegel");
    lInkl = label(u("ab Silounterkante inkl. Schüttkegel [m]"));
    lOhne = label(u("ab Silounterkante ohne Schüttkegel [m]"));
    for (QLabel* l : {lInkl, lOhne}) l->setWordWrap(true);
    {
        auto* g = new QGridLayout(gFuell);
        g->addWidget(lInkl, 0, 0);
        g->addWidget(Edit5, 0, 1);
        g->addWidget(lOhne, 1, 0);
        g->addWidget(Hohnekegel, 1, 1);
    }
    gBerechnet = group("Berechnet:", "GroupBoxBerechnet");
    Silohoehe = makeOutput("Silohoehe");
    Trichterhoehe = makeOutput("Trichterhoehe");
    Silonetvol = makeOutput("Silonetvol");
    Silobrutvol = makeOutput("Silobrutvol");
    lSilohoehe = label(u("Silohöhe [m]"));
    lTrichterhoehe = label(u("Trichterhöhe [m]"));
    lNetvol = label(u("Schüttgutvolumen (netto) [m3]"));
    lBrutvol = label(u("Silovolumen (brutto) [m3]"));
    {
        auto* g = new QGridLayout(gBerechnet);
        g->addWidget(lSilohoehe, 0, 0);
        g->addWidget(Silohoehe, 0, 1);
        g->addWidget(lTrichterhoehe, 1, 0);
        g->addWidget(Trichterhoehe, 1, 1);
        g->addWidget(lNetvol, 2, 0);
        g->addWidget(Silonetvol, 2, 1);
        g->addWidget(lBrutvol, 3, 0);
        g->addWidget(Silobrutvol, 3, 1);
    }

    Image1 = new SiloSketch(this);
    Image1->setFixedSize(static_cast<int>(std::lround(kSketchWidth * f)),
                         static_cast<int>(std::lround(kSketchHeight * f)));
    Button1 = new QPushButton("OK", this);
    Button1->setObjectName("Button1");
    Button2 = new QPushButton("Abbrechen", this);
    Button2->setObjectName("Button2");
    // Return confirms with OK from any field (the default button); a
    // focused button takes Return itself, as in every Qt dialog.
    Button1->setDefault(true);
    // Back from the density window the focus is on "Werte": Return then
    // still means OK, not the density window once more.
    WerteButton->setAutoDefault(false);

    // Layout: options at the left, the sections in the middle, surface and
    // results next, the sketch at the right; OK and Abbrechen below them all.
    auto* col1 = new QVBoxLayout;
    col1->addWidget(RadioGroup4);
    col1->addWidget(RadioGroup1);
    col1->addWidget(gDichte);
    col1->addWidget(gReibung);
    col1->addWidget(gK);
    col1->addStretch(1);
    auto* col2 = new QVBoxLayout;
    col2->addWidget(gSchaft);
    col2->addWidget(gQuer);
    col2->addWidget(gTrichter);
    col2->addWidget(gUnten);
    col2->addStretch(1);
    auto* col3 = new QVBoxLayout;
    col3->addWidget(gOberfl);
    col3->addWidget(gFuell);
    col3->addWidget(gBerechnet);
    col3->addStretch(1);
    auto* col4 = new QVBoxLayout;
    col4->addWidget(Image1, 0, Qt::AlignTop | Qt::AlignHCenter);
    col4->addStretch(1);
    // The controls scroll where the screen is too small for them at a
    // readable size; OK and Abbrechen stay in view below them.
    m_content = new QWidget;
    m_content->setObjectName("Form2Content");
    auto* columns = new QHBoxLayout(m_content);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->addLayout(col1);
    columns->addLayout(col2);
    columns->addLayout(col3);
    columns->addLayout(col4);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName("Form2Scroll");
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    // Tab goes from control to control; the area scrolls to the one focused.
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_scroll->setWidget(m_content);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(12, 12, 12, 12);
    top->addWidget(m_scroll, 1);
    top->addLayout(buttons);

    // Default contents of the controls.
    RadioGroup4->setItemIndex(0);
    RadioGroup1->setItemIndex(1);
    Rhokonst->setChecked(true);
    RadioButton1->setChecked(true);
    Edit17->setText("2400");
    Edit18->setText("2800");
    Edit19->setText("50000");
    Edit15->setText("40");
    Edit2->setText("0");
    Phixschaft->setText("30");
    Edit4->setText("6");
    Edit27->setText("6");
    Edit6->setText("30");
    Edit7->setText("1.0");
    Phixtrichter->setText("30");
    PHIXTrichterStirnwand->setText("30");
    Hunttricht->setText("0");
    Phixunten->setText("30");
    boeschwinkel->setText("0");
    Edit1->setText("0");
    Edit5->setText("12");

    // Wiring: option changes go through AENDERUNG, typing in a geometry
    // field redraws, the other numeric fields count as option changes.
    connect(RadioGroup4, &RadioGroup::clicked, this, [this] { AENDERUNG(RadioGroup4); });
    connect(RadioGroup1, &RadioGroup::clicked, this, [this] { AENDERUNG(RadioGroup1); });
    for (QCheckBox* c : {Schaftja, Trichterja, vertunten})
        connect(c, &QCheckBox::toggled, this, [this, c] { AENDERUNG(c); });
    for (QRadioButton* b :
         {Rhokonst, Rhofunkt, Rhoanpass, RadioButton5, RadioButton6, RadioButton7, RadioButton1,
          boeschungsw, Auflast})
        connect(b, &QRadioButton::toggled, this, [this, b](bool on) {
            if (on) AENDERUNG(b);
        });
    for (QLineEdit* e : {Edit2, Edit4, Edit27, Edit6, Edit7, Hunttricht, boeschwinkel, Edit5})
        connect(e, &QLineEdit::textChanged, this, [this] { Zeichnen(); });
    for (QLineEdit* e : {Edit15, Edit17, Edit18, Edit19, Phixschaft, Phixtrichter, Phixunten,
                         PHIXTrichterStirnwand})
        connect(e, &QLineEdit::textChanged, this, [this, e] { AENDERUNG(e); });
    // Every change a user makes to a field, by key, paste, cut, undo or drop,
    // marks the parameters as changed (the fields' own handlers above only
    // know typing; the surcharge and K fields have none). Qt emits this
    // before textChanged, so the redraw that follows sees the edit.
    for (QLineEdit* e : findChildren<QLineEdit*>())
        connect(e, &QLineEdit::textEdited, this, [this] { markUserEdit(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { AbbruchClick(); });
    connect(WerteButton, &QPushButton::clicked, this, [this] { WerteButtonClick(); });

    // Kommafilter on every edit field and on the form: the first key typed
    // ends the showing phase (Anzeigestart).
    auto* kommafilter = new DecimalKeyFilter([](QObject*) { app().justShown = false; }, this);
    installEventFilter(kommafilter);
    for (QLineEdit* e : findChildren<QLineEdit*>()) e->installEventFilter(kommafilter);
    Edit31->installEventFilter(this);  // its click counts as an option change

    sizeNumberFields();
    fitToScreen();
    resize(sizeHint());
    const QRect avail = platform::primaryScreen().available;
    move(avail.center() - rect().center());
}

QSize ParameterForm::contentSize() const {
    if (!m_content || !layout()) return QDialog::sizeHint();
    const QMargins m = layout()->contentsMargins();
    const QSize c = m_content->sizeHint();
    const QSize b = Button1->sizeHint();
    return QSize(c.width() + m.left() + m.right(),
                 c.height() + m.top() + m.bottom() + layout()->spacing() + b.height());
}

QSize ParameterForm::maximumFormSize() {
    // Room for the window frame and the desktop's panels.
    const QRect avail = platform::primaryScreen().available;
    return QSize(avail.width() * 95 / 100, avail.height() * 90 / 100);
}

QSize ParameterForm::sizeHint() const {
    // The whole content where the screen has room for it; otherwise as much
    // as fits, with scroll bars for the rest.
    QSize s = contentSize();
    const QSize most = maximumFormSize();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    if (s.height() > most.height()) s.rwidth() += bar;
    if (s.width() > most.width()) s.rheight() += bar;
    return s.boundedTo(most);
}

// The form grows with the screen factor. Where it would then be larger than
// the free desktop, its font, fields and sketch shrink together, but the
// font never below the desktop's own: what still does not fit scrolls.
void ParameterForm::fitToScreen() {
    const QSize most = maximumFormSize();
    const double floorPt = QApplication::font().pointSizeF();
    const QSize sketchMin(kSketchWidth * 3 / 4, kSketchHeight * 3 / 4);
    for (int pass = 0; pass < 8; ++pass) {
        m_content->layout()->invalidate();
        m_content->layout()->activate();
        const QSize hint = contentSize();
        if (hint.width() <= most.width() && hint.height() <= most.height()) return;
        const double r = std::clamp(
            std::min(double(most.width()) / hint.width(), double(most.height()) / hint.height()),
            0.5, 0.97);
        QFont fnt = font();
        bool shrunk = false;
        if (fnt.pointSizeF() > 0 && fnt.pointSizeF() > floorPt) {
            fnt.setPointSizeF(std::max(floorPt, fnt.pointSizeF() * r));
            shrunk = true;
        }
        setFont(fnt);
        const QSize sketch(std::max(sketchMin.width(), int(std::lround(Image1->width() * r))),
                           std::max(sketchMin.height(), int(std::lround(Image1->height() * r))));
        // The sketch keeps its proportions.
        const double k = std::max(double(sketch.width()) / Image1->width(),
                                  double(sketch.height()) / Image1->height());
        if (k < 1) {
            Image1->setFixedSize(int(std::lround(Image1->width() * k)),
                                 int(std::lround(Image1->height() * k)));
            shrunk = true;
        }
        if (!shrunk) return;
        sizeNumberFields();
        // Size hints are cached per layout: drop them all before measuring again.
        for (QWidget* w : findChildren<QWidget*>()) w->updateGeometry();
        for (QLayout* l : findChildren<QLayout*>()) l->invalidate();
    }
}

ParameterForm* parameterForm(QWidget* parent) {
    static QPointer<ParameterForm> form;
    if (!form) form = new ParameterForm(parent);
    return form;
}

// ---- enable states ------------------------------------------------------------------

void ParameterForm::einstellungen1_0() {
    Edit27->setEnabled(false);
    PHIXTrichterStirnwand->setEnabled(false);
}
void ParameterForm::einstellungen1_1() {
    Edit27->setEnabled(true);
    PHIXTrichterStirnwand->setEnabled(true);
}
void ParameterForm::einstellungen2_0a() {
    vertunten->setEnabled(false);
    Edit6->setEnabled(false);
    Edit7->setEnabled(false);
    Phixtrichter->setEnabled(false);
    MFKFLabel->setText(QString());
}
void ParameterForm::einstellungen2_1a() {
    vertunten->setEnabled(true);
    Edit6->setEnabled(true);
    Edit7->setEnabled(true);
    Phixtrichter->setEnabled(true);
}
void ParameterForm::einstellungen3_1() {
    Edit1->setEnabled(false);
    boeschwinkel->setEnabled(false);
}
void ParameterForm::einstellungen3_2() {
    Edit1->setEnabled(false);
    boeschwinkel->setEnabled(true);
}
void ParameterForm::einstellungen3_3() {
    Edit1->setEnabled(true);
    boeschwinkel->setEnabled(false);
}
void ParameterForm::einstellungen4_1() {
    Hunttricht->setEnabled(true);
    Phixunten->setEnabled(true);
}
void ParameterForm::einstellungen4_2() {
    Hunttricht->setEnabled(false);
    Phixunten->setEnabled(false);
}
void ParameterForm::einstellungen5_0() {
    Edit2->setEnabled(false);
    Phixschaft->setEnabled(false);
}
void ParameterForm::einstellungen5_1() {
    Edit2->setEnabled(true);
    Phixschaft->setEnabled(true);
}
void ParameterForm::einstellungen6_0() {
    Edit17->setEnabled(true);
    Edit18->setEnabled(false);
    Edit19->setEnabled(false);
    WerteButton->setEnabled(false);
}
void ParameterForm::einstellungen6_1() {
    Edit17->setEnabled(true);
    Edit18->setEnabled(true);
    Edit19->setEnabled(true);
    WerteButton->setEnabled(false);
}
void ParameterForm::einstellungen6_2() {
    Edit17->setEnabled(false);
    Edit18->setEnabled(false);
    Edit19->setEnabled(false);
    WerteButton->setEnabled(true);
}
void ParameterForm::einstellungenG_5() { Edit31->setEnabled(false); }
void ParameterForm::einstellungenG_6() {
    Edit31->setEnabled(false);
    Label44->setText(" ");
}
void ParameterForm::einstellungenG_7() {
    Edit31->setEnabled(true);
    Label44->setText(" ");
}

void ParameterForm::reapplyEnableStates(bool withSurface) {
    if (RadioGroup1->itemIndex() == 0) einstellungen1_0();
    else einstellungen1_1();
    if (Trichterja->isChecked()) einstellungen2_1a();
    else einstellungen2_0a();
    if (Schaftja->isChecked()) einstellungen5_1();
    else einstellungen5_0();
    if (vertunten->isChecked()) einstellungen4_1();
    else einstellungen4_2();
    if (Rhokonst->isChecked()) einstellungen6_0();
    if (Rhofunkt->isChecked()) einstellungen6_1();
    if (Rhoanpass->isChecked()) einstellungen6_2();
    if (RadioButton5->isChecked()) einstellungenG_5();
    if (RadioButton6->isChecked()) einstellungenG_6();
    if (RadioButton7->isChecked()) einstellungenG_7();
    if (withSurface) {
        if (RadioButton1->isChecked()) einstellungen3_1();
        if (boeschungsw->isChecked()) einstellungen3_2();
        if (Auflast->isChecked()) einstellungen3_3();
    }
}

// ---- texts and captions ---------------------------------------------------------------

void ParameterForm::setLongCaption(int language) {
    setWindowTitle(T(tkonst::ParameterdateiCaption, language) + app().parameterFile + "]" +
                   "    " + T(tkonst::Geaendert, language));
}

void ParameterForm::Labelsprache() {
    setWindowTitle(T(tkonst::ParameterCaption));
    gDichte->setTitle(T(tkonst::Schuettgutdichte));
    Button2->setText(T(tkonst::Abbruch));
    Rhokonst->setText(T(tkonst::Rhokonst));
    Rhofunkt->setText(T(tkonst::Rhofunkt));
    Rhoanpass->setText(T(tkonst::Rhoanpass));
    WerteButton->setText(T(tkonst::WerteButton));
    gReibung->setTitle(T(tkonst::InnereReibung));
    gK->setTitle(T(tkonst::KLambda));
    RadioButton7->setText(T(tkonst::RadioButton7));
    RadioGroup4->setTitle(T(tkonst::RadioGroup4));
    RadioGroup4->setItems({T(tkonst::Spannungszustand0), T(tkonst::Spannungszustand1)});
    RadioGroup1->setTitle(T(tkonst::RadioGroup1));
    RadioGroup1->setItems({T(tkonst::Kreis), T(tkonst::Rechteck)});
    gOberfl->setTitle(T(tkonst::AuflastOberflaeche));
    RadioButton1->setText(T(tkonst::RadioButton1));
    boeschungsw->setText(T(tkonst::boeschungsw));
    lBoeschwinkel->setText(T(tkonst::Boeschungswinkel));
    Auflast->setText(T(tkonst::Auflast));
    gFuell->setTitle(T(tkonst::Fuellhoehe));
    lInkl->setText(T(tkonst::InklSchuettkegel));
    lOhne->setText(T(tkonst::OhneSchuettkegel));
    gSchaft->setTitle(T(tkonst::Siloschaft));
    Schaftja->setText(T(tkonst::Ja));
    Trichterja->setText(T(tkonst::Ja));
    lHoeheSchaft->setText(T(tkonst::HoeheSchaft));
    gQuer->setTitle(T(tkonst::SchaftOKTrichter));
    lDurchmesser->setText(T(tkonst::DurchmesserBreite));
    lLaenge->setText(T(tkonst::Laenge));
    gTrichter->setTitle(T(tkonst::Trichter));
    lWandneigung->setText(T(tkonst::Wandneigung));
    lAuslauf->setText(T(tkonst::Auslaufbreite));
    lStirnwand->setText(T(tkonst::PhixStirnwaende));
    gUnten->setTitle(T(tkonst::UnterTrichter));
    vertunten->setText(T(tkonst::Vertikalteil));
    lHoeheUnten->setText(T(tkonst::HoeheUnten));
    gBerechnet->setTitle(T(tkonst::Berechnet));
    lSilohoehe->setText(T(tkonst::Silohoehe));
    lTrichterhoehe->setText(T(tkonst::Trichterhoehe));
    lNetvol->setText(T(tkonst::Schuettgutvolumen));
    lBrutvol->setText(T(tkonst::Silovolumen));

    Rhokonst->setToolTip(T(tkonst::RhokonstHint));
    Edit17->setToolTip(T(tkonst::RhofunktHint));
    Edit18->setToolTip(T(tkonst::RhofunktHint));
    Edit19->setToolTip(T(tkonst::RhofunktHint));
    Rhofunkt->setToolTip(T(tkonst::RhofunktHint));
    Rhoanpass->setToolTip(T(tkonst::RhoanpassHint));
    Edit15->setToolTip(T(tkonst::Edit15Hint));
    gK->setToolTip(T(tkonst::KLambdaHint));
    RadioButton5->setToolTip(T(tkonst::RadioButton5Hint));
    Label44->setToolTip(T(tkonst::RadioButton5Hint));
    RadioButton6->setToolTip(T(tkonst::RadioButton6Hint));
    RadioGroup4->setToolTip(T(tkonst::RadioGroup4Hint));
    boeschungsw->setToolTip(T(tkonst::boeschungswHint));
    boeschwinkel->setToolTip(T(tkonst::boeschwinkelHint));
    Auflast->setToolTip(T(tkonst::AuflastHint));
    Edit1->setToolTip(T(tkonst::AuflastHint));
    Edit5->setToolTip(T(tkonst::Edit5Hint));
    Hohnekegel->setToolTip(T(tkonst::HohnekegelHint));
    Phixschaft->setToolTip(T(tkonst::PhixschaftHint));
    Edit4->setToolTip(T(tkonst::Edit4Hint));
    MFKFLabel->setToolTip(T(tkonst::MFKFLabelHint));
    Phixtrichter->setToolTip(T(tkonst::PhixtrichterHint));
    PHIXTrichterStirnwand->setToolTip(T(tkonst::PHIXTrichterStirnwandHint));
    vertunten->setToolTip(T(tkonst::vertuntenHint));
    Phixunten->setToolTip(T(tkonst::PhixuntenHint));
    Silonetvol->setToolTip(T(tkonst::SilonetvolHint));
    Silobrutvol->setToolTip(T(tkonst::SilobrutvolHint));
    Button1->setToolTip(T(tkonst::Button1Hint));
    Button2->setToolTip(T(tkonst::Button2Hint));
}

// ---- reading the controls -------------------------------------------------------------

FormInput ParameterForm::formInput() const {
    FormInput in;
    in.RadioGroup4 = RadioGroup4->itemIndex();
    in.RadioGroup1 = RadioGroup1->itemIndex();
    in.Rhokonst = Rhokonst->isChecked();
    in.Rhofunkt = Rhofunkt->isChecked();
    in.Rhoanpass = Rhoanpass->isChecked();
    in.Edit17 = txt(Edit17);
    in.Edit18 = txt(Edit18);
    in.Edit19 = txt(Edit19);
    in.Edit15 = txt(Edit15);
    in.RadioButton5 = RadioButton5->isChecked();
    in.RadioButton6 = RadioButton6->isChecked();
    in.RadioButton7 = RadioButton7->isChecked();
    in.Edit31 = txt(Edit31);
    in.Schaftja = Schaftja->isChecked();
    in.Edit2 = txt(Edit2);
    in.Phixschaft = txt(Phixschaft);
    in.Edit4 = txt(Edit4);
    in.Edit27 = txt(Edit27);
    in.Trichterja = Trichterja->isChecked();
    in.Edit6 = txt(Edit6);
    in.Edit7 = txt(Edit7);
    in.Phixtrichter = txt(Phixtrichter);
    in.PHIXTrichterStirnwand = txt(PHIXTrichterStirnwand);
    in.vertunten = vertunten->isChecked();
    in.Hunttricht = txt(Hunttricht);
    in.Phixunten = txt(Phixunten);
    in.RadioButton1 = RadioButton1->isChecked();
    in.boeschungsw = boeschungsw->isChecked();
    in.Auflast = Auflast->isChecked();
    in.boeschwinkel = txt(boeschwinkel);
    in.Edit1 = txt(Edit1);
    in.Edit5 = txt(Edit5);
    return in;
}

// ---- showing the model ------------------------------------------------------------------

void ParameterForm::ZEIGE_PARAMETER() {
    SiloModel& m = globalModel();
    // Each change below fires its handler as a click would; Anzeigestart is
    // set, so none of them marks the parameters as changed.
    if (m.Fuellzustand && !m.Entleerungszustand) RadioGroup4->setItemIndex(0);
    else if (m.Entleerungszustand && !m.Fuellzustand) RadioGroup4->setItemIndex(1);

    if (m.Rhokonstant) Rhokonst->setChecked(true);
    else if (m.Rhofunktion) Rhofunkt->setChecked(true);
    else Rhoanpass->setChecked(true);

    Edit17->setText(fmt(m.RHOMIN));
    Edit18->setText(fmt(m.RHOMAX));
    Edit19->setText(fmt(m.SIGMA0));
    Edit15->setText(fmtDeg(m.PHIE));
    Phixschaft->setText(fmtDeg(m.Phixschaft));
    Phixtrichter->setText(fmtDeg(m.Phixtrichter));
    Phixunten->setText(fmtDeg(m.Phixunten));
    PHIXTrichterStirnwand->setText(fmtDeg(m.PhixStirnwand));

    RadioGroup1->setItemIndex(m.Querschnitt == 1 ? 0 : 1);

    Edit4->setText(fmt(m.Durchmesser));
    Edit27->setText(fmt(m.Laenge));
    Edit7->setText(fmt(m.Auslauf));

    if (!m.vertunten) m.Hunttricht = 0;
    Trichterja->setChecked(m.Trichterja);
    Schaftja->setChecked(m.Schaftja);
    vertunten->setChecked(m.vertunten);
    Hunttricht->setText(fmt(m.Hunttricht));

    for (QRadioButton* b : {RadioButton1, boeschungsw, Auflast}) b->setAutoExclusive(false);
    for (QRadioButton* b : {RadioButton1, boeschungsw, Auflast}) b->setChecked(false);
    for (QRadioButton* b : {RadioButton1, boeschungsw, Auflast}) b->setAutoExclusive(true);
    if (m.Schuettkegel) {
        boeschungsw->setChecked(true);
    } else {
        m.boeschwinkel = 0;
        if (m.Auflastspannung > 0) {
            Auflast->setChecked(true);
        } else {
            m.Auflastspannung = 0;
            RadioButton1->setChecked(true);
        }
    }

    boeschwinkel->setText(fmtDeg(m.boeschwinkel));
    Edit1->setText(fmt(m.Auflastspannung));
    Edit6->setText(fmtDeg(m.Trichterwinkel));
    Edit5->setText(fmt(m.Fuellhoehe));
    Edit2->setText(fmt(m.Hschaft));

    if (m.Kwahl == 0) {
        RadioButton5->setChecked(true);
    } else if (m.Kwahl == 1) {
        RadioButton6->setChecked(true);
    } else {
        RadioButton7->setChecked(true);
        Edit31->setText(fmt(m.Kwert));
    }
    // A control already in the model's state fires nothing: bring every
    // dependent control into line with the options now shown.
    reapplyEnableStates(true);
    // A number longer than its field shows its leading digits.
    for (QLineEdit* e : findChildren<QLineEdit*>()) e->setCursorPosition(0);
}

// ---- handlers --------------------------------------------------------------------------

void ParameterForm::AENDERUNG(QObject* sender) {
    AppState& a = app();
    if (!a.justShown) a.modified = true;
    if (a.modified && !a.parameterFile.isEmpty()) setLongCaption(0);

    if (sender == RadioGroup1) {
        if (RadioGroup1->itemIndex() == 0) einstellungen1_0();
        else if (RadioGroup1->itemIndex() == 1) einstellungen1_1();
    } else if (sender == Trichterja) {
        if (Trichterja->isChecked()) {
            einstellungen2_1a();
        } else {
            einstellungen2_0a();
            vertunten->setChecked(false);
            if (!Schaftja->isChecked()) Schaftja->setChecked(true);
        }
    } else if (sender == Schaftja) {
        if (Schaftja->isChecked()) {
            einstellungen5_1();
        } else {
            einstellungen5_0();
            if (!Trichterja->isChecked()) Trichterja->setChecked(true);
        }
    } else if (sender == vertunten) {
        if (vertunten->isChecked()) einstellungen4_1();
        else einstellungen4_2();
    } else if (sender == Rhokonst && Rhokonst->isChecked()) {
        einstellungen6_0();
    } else if (sender == Rhofunkt && Rhofunkt->isChecked()) {
        einstellungen6_1();
    } else if (sender == Rhoanpass && Rhoanpass->isChecked()) {
        einstellungen6_2();
    } else if (sender == RadioButton5 && RadioButton5->isChecked()) {
        einstellungenG_5();
    } else if (sender == RadioButton6 && RadioButton6->isChecked()) {
        einstellungenG_6();
    } else if (sender == RadioButton7 && RadioButton7->isChecked()) {
        einstellungenG_7();
    } else if (sender == RadioButton1 && RadioButton1->isChecked()) {
        einstellungen3_1();
    } else if (sender == boeschungsw && boeschungsw->isChecked()) {
        einstellungen3_2();
    } else if (sender == Auflast && Auflast->isChecked()) {
        einstellungen3_3();
    }
    if (a.justShown) reapplyEnableStates(false);
    silo_zeichnen();
}

void ParameterForm::Zeichnen() {
    AppState& a = app();
    Labelsprache();
    // Shown with the fitted law: the committed measurements become the
    // working copy before the sketch checks for missing pairs.
    SiloModel& m = globalModel();
    if (a.justShown && m.Dichtemodus() == 2) committedToWorkingCopy(m, globalWorkingCopy());
    silo_zeichnen();
    if (!a.justShown) a.modified = true;
    if (a.modified && !a.parameterFile.isEmpty()) setLongCaption(tkonst::sprache());
}

void ParameterForm::silo_zeichnen() {
    AppState& a = app();
    a.pendingProblem = 0;
    m_problemAusUebernahme = false;
    for (QLabel* l : {Trichterhoehe, Silohoehe, Silobrutvol, Silonetvol}) l->setText(QString());
    if (!a.justShown) a.modified = true;
    if (a.modified && !a.parameterFile.isEmpty()) setLongCaption(tkonst::sprache());

    SketchResult r =
        siloSketch(globalModel(), formInput(), globalWorkingCopy(), Image1->width(), Image1->height());
    // Values so large that a derived volume or height overflows are a silo
    // geometry problem: nothing of them is drawn or shown.
    if (r.derivedValid && (isNonFiniteText(r.Trichterhoehe) || isNonFiniteText(r.Silohoehe) ||
                           isNonFiniteText(r.Silobrutvol) || isNonFiniteText(r.Silonetvol) ||
                           isNonFiniteText(r.Hohnekegel))) {
        r.derivedValid = false;
        r.badData = true;
        r.lines.clear();
        if (r.code == 0) r.code = kProblemGeometry;
        Hohnekegel->setText(QString());
    }
    if (isNonFiniteText(r.Label44)) r.Label44 = " ";
    a.pendingProblem = r.code;
    Image1->setResult(r);
    if (r.derivedValid) {
        Trichterhoehe->setText(QString::fromStdString(r.Trichterhoehe));
        Silohoehe->setText(QString::fromStdString(r.Silohoehe));
        Silobrutvol->setText(QString::fromStdString(r.Silobrutvol));
        Silonetvol->setText(QString::fromStdString(r.Silonetvol));
        Hohnekegel->setText(QString::fromStdString(r.Hohnekegel));
    }
    if (!r.Label44.empty()) Label44->setText(QString::fromStdString(r.Label44));
    switch (r.flowLabel) {
        case 1: MFKFLabel->setText(T(tkonst::MF)); break;
        case 2: MFKFLabel->setText(T(tkonst::KF)); break;
        case 3: MFKFLabel->setText(" "); break;
        case 4: MFKFLabel->setText(QString()); break;
        default: break;
    }
}

void ParameterForm::neue_par_uebernehmen() {
    app().pendingProblem = takeOver(globalModel(), formInput(), globalWorkingCopy());
}

void ParameterForm::Form2Aktiv() {
    AppState& a = app();
    a.justShown = true;
    m_geaendertBeimZeigen = a.modified;
    if (a.parameterFile.isEmpty()) {
        setWindowTitle("Parameter");
    } else {
        QString c = T(tkonst::ParameterdateiCaption, 0) + a.parameterFile + "]";
        if (a.modified) c += "    " + T(tkonst::Geaendert, 0);
        setWindowTitle(c);
    }
    ZEIGE_PARAMETER();
    if (a.viewOnly) {
        Button1->setEnabled(false);
        Button2->setFocus();
    } else {
        Button1->setEnabled(true);
        Button1->setFocus();
    }
}

void ParameterForm::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (e->spontaneous()) return;
    Form2Aktiv();
    Zeichnen();  // the activation that follows the showing
}

void ParameterForm::Button1Click() {
    AppState& a = app();
    SiloModel& m = globalModel();
    if (!a.viewOnly) {
        // A problem the take-over found is not kept by any live check (typing
        // K redraws nothing): the take-over judges the values again.
        if (m_problemAusUebernahme) a.pendingProblem = 0;
        if (a.pendingProblem == 0) {
            a.keepOpen = false;
            // The take-over writes the model step by step; a set it refuses
            // is not left half-written for the next calculation.
            const auto vorher = std::make_unique<SiloModel>(m);
            clearResults(m);
            neue_par_uebernehmen();
            m.Erststart = false;
            // A problem that only the take-over finds (K, or a density law
            // that the live check let pass) is reported at once and keeps the
            // form open, changed or not, with the model as it was.
            if (a.pendingProblem != 0) {
                m = *vorher;
                m_problemAusUebernahme = true;
                a.keepOpen = true;
                if (platform::messageOkCancel(this, tkonst::kProblemCaption,
                                              tkonst::problemText(a.pendingProblem),
                                              platform::Icon::Question))
                    m.Erststart = false;
            }
        } else {
            // The close that OK requests is refused once: the form stays open.
            a.keepOpen = true;
            if (platform::messageOkCancel(this, tkonst::kProblemCaption,
                                          tkonst::problemText(a.pendingProblem),
                                          platform::Icon::Question))
                m.Erststart = false;
        }
    }
    tryClose(QDialog::Accepted);
}

void ParameterForm::AbbruchClick() {
    // Cleared, the change mark lets the close query pass whatever problem is
    // pending. What the form discards is this showing's editing only: a change
    // taken over earlier and not yet saved keeps its mark, so the status
    // fields and printouts do not present the changed set as the file's.
    AppState& a = app();
    a.modified = false;
    tryClose(QDialog::Rejected);
    a.modified = m_geaendertBeimZeigen;
}

void ParameterForm::reject() { AbbruchClick(); }

void ParameterForm::WerteButtonClick() {
    app().justShown = false;
    showDensityWindow(this);
    Zeichnen();
}

bool ParameterForm::FormCloseQuery() {
    AppState& a = app();
    if (a.keepOpen) {
        a.keepOpen = false;
        return false;
    }
    if (a.pendingProblem != 0 && a.modified) return false;
    return true;
}

void ParameterForm::FormClose() { app().viewOnly = false; }

void ParameterForm::tryClose(int result) {
    if (!FormCloseQuery()) return;
    FormClose();
    done(result);
}

void ParameterForm::closeEvent(QCloseEvent* e) {
    // The window's close box: the close query decides; nothing is cleared.
    // A refused close says why: the pending problem's message.
    if (!FormCloseQuery()) {
        e->ignore();
        const int code = app().pendingProblem;
        if (code != 0)
            platform::message(this, tkonst::kProblemCaption, tkonst::problemText(code),
                              platform::Icon::Warning);
        return;
    }
    FormClose();
    e->accept();
    done(QDialog::Rejected);
}

void ParameterForm::markUserEdit() {
    AppState& a = app();
    a.justShown = false;
    a.modified = true;
    if (!a.parameterFile.isEmpty()) setLongCaption(tkonst::sprache());
}

void ParameterForm::hideEvent(QHideEvent* e) {
    QDialog::hideEvent(e);
    if (!e->spontaneous()) app().viewOnly = false;  // FormHide
}

bool ParameterForm::eventFilter(QObject* obj, QEvent* ev) {
    if (obj == Edit31 && ev->type() == QEvent::MouseButtonRelease) AENDERUNG(Edit31);
    return QDialog::eventFilter(obj, ev);
}

// One form for the whole run, created at its first use and shown modally;
// every showing fills it from the model.
int showParameterForm(QWidget* parent) { return parameterForm(parent)->exec(); }

}  // namespace korvane::ui
