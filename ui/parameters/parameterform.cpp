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
#include "ui/parameters/en1991_4_group.h"
#include "ui/main/appstate.h"
#include "ui/main/platform.h"
#include "ui/texts/en1991_4_texts.h"
#include "ui/texts/texts.h"

namespace korvane::ui {

using texts::T;

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
std::string textOf(const QLineEdit* e) { return e->text().toStdString(); }

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

SiloSketch::SiloSketch(QWidget* parent) : QWidget(parent) { setObjectName("sketch"); }

void SiloSketch::setResult(const SketchResult& r) {
    result_ = r;
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
    paintSketch(p, width(), height(), result_);
    return img;
}

void SiloSketch::paintEvent(QPaintEvent*) {
    // Painted straight onto the widget, in logical pixels: Qt maps them to the
    // device pixels of the screen, so lines and text stay sharp at any scale.
    QPainter p(this);
    paintSketch(p, width(), height(), result_);
}

// ---- construction -------------------------------------------------------------------

QLineEdit* ParameterForm::addNumberField(const char* name) {
    auto* e = new QLineEdit(this);
    e->setObjectName(name);
    makeNumberField(e);
    return e;
}

// Number fields and output fields as wide as the widest 8-digit value in the
// form's font, so that no leading digit is ever cut off.
void ParameterForm::sizeNumberFields() {
    for (QLineEdit* e : findChildren<QLineEdit*>()) e->setFixedWidth(numberFieldWidth(font(), e));
    // The EN 1991-4 factors and the angle are short numbers ("1.2", "35"):
    // their fields take two thirds of the width.
    for (QLineEdit* e : enGroup_->findChildren<QLineEdit*>())
        e->setFixedWidth(numberFieldWidth(font(), e) * 2 / 3);
    for (QLabel* l : {kFromFrictionOutput_, fillHeightWithoutHeapOutput_, siloHeightOutput_,
                      hopperHeightOutput_, netVolumeOutput_, grossVolumeOutput_})
        l->setMinimumWidth(QFontMetrics(font()).horizontalAdvance(kWidestNumber) +
                           2 * l->frameWidth() + 2 * l->margin() + 4);
}

QLabel* ParameterForm::addOutputField(const char* name) {
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

ParameterForm::ParameterForm(SiloDocument& document, QWidget* parent)
    : QDialog(parent), document_(document) {
    setObjectName("parameterForm");
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
    stressStateGroup_ =
        new RadioGroup("stressStateGroup", {u("Füllzustand"), u("Entleerungszust.")}, this);
    stressStateGroup_->setTitle("Spannungszustand");
    crossSectionGroup_ = new RadioGroup("crossSectionGroup", {"Kreis", "Rechteck"}, this);
    crossSectionGroup_->setTitle("Siloquerschnitt");

    // Bulk density.
    densityBox_ = group(u("Schüttgutdichte"), "densityBox");
    constantDensityOption_ = radio("konstant", "constantDensityOption");
    densityFunctionOption_ = radio("Funktion", "densityFunctionOption");
    fittedDensityOption_ = radio("Anpassung", "fittedDensityOption");
    rhoMinField_ = addNumberField("rhoMinField");
    rhoMaxField_ = addNumberField("rhoMaxField");
    sigma0Field_ = addNumberField("sigma0Field");
    measuredValuesButton_ = new QPushButton("Werte", this);
    measuredValuesButton_->setObjectName("measuredValuesButton");
    {
        auto* g = new QGridLayout(densityBox_);
        g->addWidget(constantDensityOption_, 0, 0);
        g->addWidget(densityFunctionOption_, 1, 0);
        g->addWidget(fittedDensityOption_, 2, 0);
        g->addWidget(measuredValuesButton_, 3, 0);
        g->addWidget(label("RHOMIN [kg/m3]"), 0, 1);
        g->addWidget(rhoMinField_, 0, 2);
        g->addWidget(label("RHOMAX [kg/m3]"), 1, 1);
        g->addWidget(rhoMaxField_, 1, 2);
        g->addWidget(label("SIGMA0 [Pa]"), 2, 1);
        g->addWidget(sigma0Field_, 2, 2);
    }

    // Internal friction and K.
    frictionBox_ = group("Innere Reibung", "frictionBox");
    internalFrictionField_ = addNumberField("internalFrictionField");
    {
        auto* h = new QHBoxLayout(frictionBox_);
        h->addWidget(label(u("PHIE [°]")));
        h->addWidget(internalFrictionField_);
        h->addStretch(1);
    }
    kBox_ = group("K (LAMBDA)", "kBox");
    kFromFrictionOption_ = radio("1.2(1-sinPHIE)", "kFromFrictionOption");
    kFixedOption_ = radio("0.4", "kFixedOption");
    kValueOption_ = radio("Wert:", "kValueOption");
    kFromFrictionOutput_ = addOutputField("kFromFrictionOutput");
    kValueField_ = addNumberField("kValueField");
    {
        auto* g = new QGridLayout(kBox_);
        g->addWidget(kFromFrictionOption_, 0, 0);
        g->addWidget(kFromFrictionOutput_, 0, 1);
        g->addWidget(kFixedOption_, 1, 0);
        g->addWidget(kValueOption_, 2, 0);
        g->addWidget(kValueField_, 2, 1);
    }

    // Shaft and its cross-section.
    shaftBox_ = group("Siloschaft", "shaftBox");
    shaftCheckBox_ = check("Ja", "shaftCheckBox");
    shaftHeightField_ = addNumberField("shaftHeightField");
    shaftWallFrictionField_ = addNumberField("shaftWallFrictionField");
    shaftHeightLabel_ = label(u("Höhe [m]:"));
    {
        auto* g = new QGridLayout(shaftBox_);
        g->addWidget(shaftCheckBox_, 0, 0);
        g->addWidget(shaftHeightLabel_, 1, 0);
        g->addWidget(shaftHeightField_, 1, 1);
        g->addWidget(label(u("PHIX [°]")), 2, 0);
        g->addWidget(shaftWallFrictionField_, 2, 1);
    }
    crossSectionSizeBox_ = group("Schaft/OK Trichter", "crossSectionSizeBox");
    diameterField_ = addNumberField("diameterField");
    lengthField_ = addNumberField("lengthField");
    diameterLabel_ = label("Durchmesser/ Breite [m]");
    lengthLabel_ = label(u("Länge [m]"));
    {
        auto* g = new QGridLayout(crossSectionSizeBox_);
        g->addWidget(diameterLabel_, 0, 0);
        g->addWidget(diameterField_, 0, 1);
        g->addWidget(lengthLabel_, 1, 0);
        g->addWidget(lengthField_, 1, 1);
    }

    // Hopper and the part below it.
    hopperBox_ = group("Trichter", "hopperBox");
    hopperCheckBox_ = check("Ja", "hopperCheckBox");
    flowPatternOutput_ = addOutputField("flowPatternOutput");
    flowPatternOutput_->setMinimumWidth(static_cast<int>(std::lround(28 * f)));
    hopperAngleField_ = addNumberField("hopperAngleField");
    outletWidthField_ = addNumberField("outletWidthField");
    hopperWallFrictionField_ = addNumberField("hopperWallFrictionField");
    endWallFrictionField_ = addNumberField("endWallFrictionField");
    hopperAngleLabel_ = label(u("Wandneigung geg. die Vertikale [°]"));
    outletWidthLabel_ = label("Auslaufbreite/ -durchmesser [m]");
    endWallFrictionLabel_ = label(u("PHIX [°] Stirnwand"));
    {
        auto* g = new QGridLayout(hopperBox_);
        auto* h = new QHBoxLayout;
        h->addWidget(hopperCheckBox_);
        h->addWidget(flowPatternOutput_);
        h->addStretch(1);
        g->addLayout(h, 0, 0, 1, 2);
        g->addWidget(hopperAngleLabel_, 1, 0);
        g->addWidget(hopperAngleField_, 1, 1);
        g->addWidget(outletWidthLabel_, 2, 0);
        g->addWidget(outletWidthField_, 2, 1);
        g->addWidget(label(u("PHIX [°]")), 3, 0);
        g->addWidget(hopperWallFrictionField_, 3, 1);
        g->addWidget(endWallFrictionLabel_, 4, 0);
        g->addWidget(endWallFrictionField_, 4, 1);
    }
    lowerPartBox_ = group("unter Trichter", "lowerPartBox");
    lowerPartCheckBox_ = check("Vertikalteil", "lowerPartCheckBox");
    lowerPartHeightField_ = addNumberField("lowerPartHeightField");
    lowerPartWallFrictionField_ = addNumberField("lowerPartWallFrictionField");
    lowerPartHeightLabel_ = label(u("Höhe [m]:"));
    {
        auto* g = new QGridLayout(lowerPartBox_);
        g->addWidget(lowerPartCheckBox_, 0, 0);
        g->addWidget(lowerPartHeightLabel_, 1, 0);
        g->addWidget(lowerPartHeightField_, 1, 1);
        g->addWidget(label(u("PHIX [°]")), 2, 0);
        g->addWidget(lowerPartWallFrictionField_, 2, 1);
    }

    // Surface, fill height, derived values.
    surfaceBox_ = group(u("Auflast/Oberfläche"), "surfaceBox");
    flatSurfaceOption_ = radio("keine", "flatSurfaceOption");
    heapOption_ = radio(u("Schüttkegel"), "heapOption");
    surchargeOption_ = radio("Druckspang.", "surchargeOption");
    reposeAngleField_ = addNumberField("reposeAngleField");
    surchargeField_ = addNumberField("surchargeField");
    reposeAngleLabel_ = label(u("Böschungs- winkel [°]:"));
    {
        auto* g = new QGridLayout(surfaceBox_);
        g->addWidget(flatSurfaceOption_, 0, 0);
        g->addWidget(heapOption_, 1, 0);
        g->addWidget(reposeAngleLabel_, 2, 0);
        g->addWidget(reposeAngleField_, 2, 1);
        g->addWidget(surchargeOption_, 3, 0);
        g->addWidget(label("in [Pa]"), 4, 0);
        g->addWidget(surchargeField_, 4, 1);
    }
    fillHeightBox_ = group(u("Füllhöhe"), "fillHeightBox");
    fillHeightField_ = addNumberField("fillHeightField");
    fillHeightWithoutHeapOutput_ = addOutputField("fillHeightWithoutHeapOutput");
    fillHeightLabel_ = label(u("ab Silounterkante inkl. Schüttkegel [m]"));
    fillHeightWithoutHeapLabel_ = label(u("ab Silounterkante ohne Schüttkegel [m]"));
    for (QLabel* l : {fillHeightLabel_, fillHeightWithoutHeapLabel_}) l->setWordWrap(true);
    {
        auto* g = new QGridLayout(fillHeightBox_);
        g->addWidget(fillHeightLabel_, 0, 0);
        g->addWidget(fillHeightField_, 0, 1);
        g->addWidget(fillHeightWithoutHeapLabel_, 1, 0);
        g->addWidget(fillHeightWithoutHeapOutput_, 1, 1);
    }
    derivedValuesBox_ = group("Berechnet:", "derivedValuesBox");
    siloHeightOutput_ = addOutputField("siloHeightOutput");
    hopperHeightOutput_ = addOutputField("hopperHeightOutput");
    netVolumeOutput_ = addOutputField("netVolumeOutput");
    grossVolumeOutput_ = addOutputField("grossVolumeOutput");
    siloHeightLabel_ = label(u("Silohöhe [m]"));
    hopperHeightLabel_ = label(u("Trichterhöhe [m]"));
    netVolumeLabel_ = label(u("Schüttgutvolumen (netto) [m3]"));
    grossVolumeLabel_ = label(u("Silovolumen (brutto) [m3]"));
    {
        auto* g = new QGridLayout(derivedValuesBox_);
        g->addWidget(siloHeightLabel_, 0, 0);
        g->addWidget(siloHeightOutput_, 0, 1);
        g->addWidget(hopperHeightLabel_, 1, 0);
        g->addWidget(hopperHeightOutput_, 1, 1);
        g->addWidget(netVolumeLabel_, 2, 0);
        g->addWidget(netVolumeOutput_, 2, 1);
        g->addWidget(grossVolumeLabel_, 3, 0);
        g->addWidget(grossVolumeOutput_, 3, 1);
    }

    enGroup_ = new EnInputGroup(this);
    connect(enGroup_, &EnInputGroup::edited, this, [this] { markUserEdit(); });

    sketch_ = new SiloSketch(this);
    sketch_->setFixedSize(static_cast<int>(std::lround(kSketchWidth * f)),
                          static_cast<int>(std::lround(kSketchHeight * f)));
    okButton_ = new QPushButton("OK", this);
    okButton_->setObjectName("okButton");
    cancelButton_ = new QPushButton("Abbrechen", this);
    cancelButton_->setObjectName("cancelButton");
    // Return confirms with OK from any field (the default button); a
    // focused button takes Return itself, as in every Qt dialog.
    okButton_->setDefault(true);
    // Back from the density window the focus is on "Werte": Return then
    // still means OK, not the density window once more.
    measuredValuesButton_->setAutoDefault(false);

    // Layout: options at the left, the sections in the middle, surface and
    // results next, the sketch at the right; OK and Abbrechen below them all.
    auto* col1 = new QVBoxLayout;
    col1->addWidget(stressStateGroup_);
    col1->addWidget(crossSectionGroup_);
    col1->addWidget(densityBox_);
    col1->addWidget(frictionBox_);
    col1->addWidget(kBox_);
    col1->addStretch(1);
    auto* col2 = new QVBoxLayout;
    col2->addWidget(shaftBox_);
    col2->addWidget(crossSectionSizeBox_);
    col2->addWidget(hopperBox_);
    col2->addWidget(lowerPartBox_);
    col2->addWidget(enGroup_);  // the EN 1991-4 inputs, self-contained
    col2->addStretch(1);
    auto* col3 = new QVBoxLayout;
    col3->addWidget(surfaceBox_);
    col3->addWidget(fillHeightBox_);
    col3->addWidget(derivedValuesBox_);
    col3->addStretch(1);
    auto* col4 = new QVBoxLayout;
    col4->addWidget(sketch_, 0, Qt::AlignTop | Qt::AlignHCenter);
    col4->addStretch(1);
    // The controls scroll where the screen is too small for them at a
    // readable size; OK and Abbrechen stay in view below them.
    content_ = new QWidget;
    content_->setObjectName("formContent");
    auto* columns = new QHBoxLayout(content_);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->addLayout(col1);
    columns->addLayout(col2);
    columns->addLayout(col3);
    columns->addLayout(col4);
    scrollArea_ = new QScrollArea(this);
    scrollArea_->setObjectName("scrollArea");
    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setWidgetResizable(true);
    // Tab goes from control to control; the area scrolls to the one focused.
    scrollArea_->setFocusPolicy(Qt::NoFocus);
    scrollArea_->setWidget(content_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(12, 12, 12, 12);
    top->addWidget(scrollArea_, 1);
    top->addLayout(buttons);

    // Default contents of the controls.
    stressStateGroup_->setItemIndex(0);
    crossSectionGroup_->setItemIndex(1);
    constantDensityOption_->setChecked(true);
    flatSurfaceOption_->setChecked(true);
    rhoMinField_->setText("2400");
    rhoMaxField_->setText("2800");
    sigma0Field_->setText("50000");
    internalFrictionField_->setText("40");
    shaftHeightField_->setText("0");
    shaftWallFrictionField_->setText("30");
    diameterField_->setText("6");
    lengthField_->setText("6");
    hopperAngleField_->setText("30");
    outletWidthField_->setText("1.0");
    hopperWallFrictionField_->setText("30");
    endWallFrictionField_->setText("30");
    lowerPartHeightField_->setText("0");
    lowerPartWallFrictionField_->setText("30");
    reposeAngleField_->setText("0");
    surchargeField_->setText("0");
    fillHeightField_->setText("12");

    // Wiring: option changes go through onInputChanged, typing in a geometry
    // field redraws, the other numeric fields count as option changes.
    connect(stressStateGroup_, &RadioGroup::clicked, this,
            [this] { onInputChanged(stressStateGroup_); });
    connect(crossSectionGroup_, &RadioGroup::clicked, this,
            [this] { onInputChanged(crossSectionGroup_); });
    for (QCheckBox* c : {shaftCheckBox_, hopperCheckBox_, lowerPartCheckBox_})
        connect(c, &QCheckBox::toggled, this, [this, c] { onInputChanged(c); });
    for (QRadioButton* b : {constantDensityOption_, densityFunctionOption_, fittedDensityOption_,
                            kFromFrictionOption_, kFixedOption_, kValueOption_, flatSurfaceOption_,
                            heapOption_, surchargeOption_})
        connect(b, &QRadioButton::toggled, this, [this, b](bool on) {
            if (on) onInputChanged(b);
        });
    for (QLineEdit* e :
         {shaftHeightField_, diameterField_, lengthField_, hopperAngleField_, outletWidthField_,
          lowerPartHeightField_, reposeAngleField_, fillHeightField_})
        connect(e, &QLineEdit::textChanged, this, [this] { refresh(); });
    for (QLineEdit* e :
         {internalFrictionField_, rhoMinField_, rhoMaxField_, sigma0Field_, shaftWallFrictionField_,
          hopperWallFrictionField_, lowerPartWallFrictionField_, endWallFrictionField_})
        connect(e, &QLineEdit::textChanged, this, [this, e] { onInputChanged(e); });
    // Every change a user makes to a field, by key, paste, cut, undo or drop,
    // marks the parameters as changed (the fields' own handlers above only
    // know typing; the surcharge and K fields have none). Qt emits this
    // before textChanged, so the redraw that follows sees the edit.
    for (QLineEdit* e : findChildren<QLineEdit*>())
        connect(e, &QLineEdit::textEdited, this, [this] { markUserEdit(); });
    connect(okButton_, &QPushButton::clicked, this, [this] { okClicked(); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { cancel(); });
    connect(measuredValuesButton_, &QPushButton::clicked, this, [this] { editMeasuredValues(); });

    // The decimal key filter on every edit field and on the form: the first
    // key typed ends the showing phase (justShown).
    auto* keyFilter = new DecimalKeyFilter([this](QObject*) { justShown_ = false; }, this);
    installEventFilter(keyFilter);
    for (QLineEdit* e : findChildren<QLineEdit*>()) e->installEventFilter(keyFilter);
    kValueField_->installEventFilter(this);  // its click counts as an option change

    sizeNumberFields();
    // A screen too narrow for four columns (1024 x 768, German texts) gets
    // three: the sketch moves under the results, where it stays in view
    // without scrolling sideways.
    content_->layout()->activate();
    if (contentSize().width() > maximumFormSize().width()) {
        col4->removeWidget(sketch_);
        col3->insertWidget(col3->count() - 1, sketch_, 0, Qt::AlignHCenter);
        // The EN 1991-4 inputs go under the bulk solid, where the first
        // column has room once the sketch has left the fourth.
        col2->removeWidget(enGroup_);
        col1->insertWidget(col1->count() - 1, enGroup_);
        top->setContentsMargins(8, 8, 8, 8);
    }
    fitToScreen();
    // Narrower still (a 1920 x 1080 screen at scale 2 leaves 960 pixels):
    // two columns, surface, fill height, results and sketch under the
    // sections. The form then scrolls up and down only, never sideways.
    if (contentSize().width() > maximumFormSize().width()) {
        for (QWidget* w : {surfaceBox_, fillHeightBox_, derivedValuesBox_}) {
            col3->removeWidget(w);
            col2->insertWidget(col2->count() - 1, w);
        }
        col3->removeWidget(sketch_);
        col4->removeWidget(sketch_);
        col2->insertWidget(col2->count() - 1, sketch_, 0, Qt::AlignHCenter);
        fitToScreen();
    }
    resize(sizeHint());
    const QRect avail = platform::primaryScreen().available;
    move(avail.center() - rect().center());
}

QSize ParameterForm::contentSize() const {
    if (!content_ || !layout()) return QDialog::sizeHint();
    const QMargins m = layout()->contentsMargins();
    const QSize c = content_->sizeHint();
    const QSize b = okButton_->sizeHint();
    return QSize(c.width() + m.left() + m.right(),
                 c.height() + m.top() + m.bottom() + layout()->spacing() + b.height());
}

QSize ParameterForm::maximumFormSize() {
    // Room for the window frame and the desktop's panels.
    const QRect avail = platform::primaryScreen().available;
    // (The frame of a window is a few pixels wide: 12 leave room for any.)
    return QSize(std::min(avail.width() - 12, avail.width() * 98 / 100), avail.height() * 90 / 100);
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
    // (Half its size at least: under the results on a small screen it still
    // shows the silo's outline and the fill level.)
    const QSize sketchMin(kSketchWidth / 2, kSketchHeight / 2);
    for (int pass = 0; pass < 8; ++pass) {
        content_->layout()->invalidate();
        content_->layout()->activate();
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
        const QSize sketch(std::max(sketchMin.width(), int(std::lround(sketch_->width() * r))),
                           std::max(sketchMin.height(), int(std::lround(sketch_->height() * r))));
        // The sketch keeps its proportions.
        const double k = std::max(double(sketch.width()) / sketch_->width(),
                                  double(sketch.height()) / sketch_->height());
        if (k < 1) {
            sketch_->setFixedSize(int(std::lround(sketch_->width() * k)),
                                  int(std::lround(sketch_->height() * k)));
            shrunk = true;
        }
        if (!shrunk) return;
        sizeNumberFields();
        // Size hints are cached per layout: drop them all before measuring again.
        for (QWidget* w : findChildren<QWidget*>()) w->updateGeometry();
        for (QLayout* l : findChildren<QLayout*>()) l->invalidate();
    }
}

// ---- option rules ------------------------------------------------------------------
// A control that an option makes meaningless is disabled, so that nobody
// types a value the calculation would not use.

// Only a rectangular silo has a length and end walls with their own friction.
void ParameterForm::applyCrossSectionRule(bool rectangular) {
    lengthField_->setEnabled(rectangular);
    endWallFrictionField_->setEnabled(rectangular);
}
// Without a hopper there is no hopper angle, outlet, hopper friction, part
// below the hopper or flow pattern.
void ParameterForm::applyHopperRule(bool present) {
    lowerPartCheckBox_->setEnabled(present);
    hopperAngleField_->setEnabled(present);
    outletWidthField_->setEnabled(present);
    hopperWallFrictionField_->setEnabled(present);
    if (!present) flowPatternOutput_->setText(QString());
}
void ParameterForm::applyLowerPartRule(bool present) {
    lowerPartHeightField_->setEnabled(present);
    lowerPartWallFrictionField_->setEnabled(present);
}
void ParameterForm::applyShaftRule(bool present) {
    shaftHeightField_->setEnabled(present);
    shaftWallFrictionField_->setEnabled(present);
}
// What lies on the fill: nothing to enter for a flat surface, the angle of
// repose for a heap, the pressure of a surcharge.
void ParameterForm::applySurfaceRule(Surface surface) {
    surchargeField_->setEnabled(surface == Surface::Surcharge);
    reposeAngleField_->setEnabled(surface == Surface::Heap);
}
// A constant density is RHOMIN alone; the density function needs RHOMIN,
// RHOMAX and SIGMA0; the fitted law comes from the measured pairs.
void ParameterForm::applyDensityRule(DensityLaw law) {
    rhoMinField_->setEnabled(law != DensityLaw::Fitted);
    rhoMaxField_->setEnabled(law == DensityLaw::Function);
    sigma0Field_->setEnabled(law == DensityLaw::Function);
    measuredValuesButton_->setEnabled(law == DensityLaw::Fitted);
    showDensityFields();
}
// With the fitted law the greyed RHOMIN, RHOMAX and SIGMA0 show the law the
// calculation will use and the file will keep (the density window's working
// copy, which OK commits); the values typed for the density function wait
// aside, are taken over unchanged and come back with the function's option.
void ParameterForm::showDensityFields() {
    const std::array<QLineEdit*, 3> fields{rhoMinField_, rhoMaxField_, sigma0Field_};
    const bool fitted = fittedDensityOption_->isChecked();
    if (fitted && !fieldsShowFit_)
        for (size_t i = 0; i < fields.size(); ++i) densityFunctionTexts_[i] = fields[i]->text();
    if (fitted || fieldsShowFit_) {
        const std::array<QString, 3> shown =
            fitted ? fittedLawFieldTexts(document_.workingCopy) : densityFunctionTexts_;
        for (size_t i = 0; i < fields.size(); ++i) {
            // Shown, not typed: no change mark, no redraw of the sketch.
            const QSignalBlocker block(fields[i]);
            fields[i]->setText(shown[i]);
            fields[i]->setCursorPosition(0);
            fields[i]->setToolTip(fitted ? T(texts::densityFit::formFieldsHint)
                                         : T(texts::parameterHint::densityFunction));
        }
    }
    fieldsShowFit_ = fitted;
}
// Only a typed K has a field; K from PHIE shows its value next to its
// option, which the other two choices blank.
void ParameterForm::applyKRule(KChoice choice) {
    kValueField_->setEnabled(choice == KChoice::Value);
    if (choice != KChoice::FromFriction) kFromFrictionOutput_->setText(" ");
}

void ParameterForm::applyOptionRules(bool withSurface) {
    applyCrossSectionRule(crossSectionGroup_->itemIndex() != 0);
    applyHopperRule(hopperCheckBox_->isChecked());
    applyShaftRule(shaftCheckBox_->isChecked());
    applyLowerPartRule(lowerPartCheckBox_->isChecked());
    if (constantDensityOption_->isChecked()) applyDensityRule(DensityLaw::Constant);
    if (densityFunctionOption_->isChecked()) applyDensityRule(DensityLaw::Function);
    if (fittedDensityOption_->isChecked()) applyDensityRule(DensityLaw::Fitted);
    if (kFromFrictionOption_->isChecked()) applyKRule(KChoice::FromFriction);
    if (kFixedOption_->isChecked()) applyKRule(KChoice::Fixed);
    if (kValueOption_->isChecked()) applyKRule(KChoice::Value);
    if (withSurface) {
        if (flatSurfaceOption_->isChecked()) applySurfaceRule(Surface::Flat);
        if (heapOption_->isChecked()) applySurfaceRule(Surface::Heap);
        if (surchargeOption_->isChecked()) applySurfaceRule(Surface::Surcharge);
    }
}

// ---- texts and captions ---------------------------------------------------------------

void ParameterForm::setLongCaption(int language) {
    setWindowTitle(T(texts::parameters::captionWithFile, language) + document_.parameterFile + "]" +
                   "    " + T(texts::mainWindow::modifiedMark, language));
}

void ParameterForm::retranslate() {
    setWindowTitle(T(texts::parameters::caption));
    densityBox_->setTitle(T(texts::parameters::densityGroup));
    cancelButton_->setText(T(texts::parameters::cancelButton));
    constantDensityOption_->setText(T(texts::parameters::constantDensity));
    densityFunctionOption_->setText(T(texts::parameters::densityFunction));
    fittedDensityOption_->setText(T(texts::parameters::densityFit));
    measuredValuesButton_->setText(T(texts::parameters::densityDataButton));
    frictionBox_->setTitle(T(texts::parameters::internalFrictionGroup));
    kBox_->setTitle(T(texts::parameters::ratioKGroup));
    kValueOption_->setText(T(texts::parameters::ownRatioK));
    stressStateGroup_->setTitle(T(texts::parameters::stressStateGroup));
    stressStateGroup_->setItems(
        {T(texts::parameters::fillingStateItem), T(texts::parameters::dischargeStateItem)});
    crossSectionGroup_->setTitle(T(texts::parameters::crossSectionGroup));
    crossSectionGroup_->setItems(
        {T(texts::parameters::circularItem), T(texts::parameters::rectangularItem)});
    surfaceBox_->setTitle(T(texts::parameters::surfaceGroup));
    flatSurfaceOption_->setText(T(texts::parameters::flatSurface));
    heapOption_->setText(T(texts::parameters::heap));
    reposeAngleLabel_->setText(T(texts::parameters::angleOfReposeLabel));
    surchargeOption_->setText(T(texts::parameters::surfaceStress));
    fillHeightBox_->setTitle(T(texts::parameters::fillHeightGroup));
    fillHeightLabel_->setText(T(texts::parameters::fillHeightWithHeapLabel));
    fillHeightWithoutHeapLabel_->setText(T(texts::parameters::fillHeightWithoutHeapLabel));
    shaftBox_->setTitle(T(texts::parameters::shaftGroup));
    shaftCheckBox_->setText(T(texts::parameters::presentBox));
    hopperCheckBox_->setText(T(texts::parameters::presentBox));
    shaftHeightLabel_->setText(T(texts::parameters::shaftHeightLabel));
    crossSectionSizeBox_->setTitle(T(texts::parameters::crossSectionSizeGroup));
    diameterLabel_->setText(T(texts::parameters::diameterWidthLabel));
    lengthLabel_->setText(T(texts::parameters::lengthLabel));
    hopperBox_->setTitle(T(texts::parameters::hopperGroup));
    hopperAngleLabel_->setText(T(texts::parameters::wallSlopeLabel));
    outletWidthLabel_->setText(T(texts::parameters::outletWidthLabel));
    endWallFrictionLabel_->setText(T(texts::parameters::endWallFrictionLabel));
    lowerPartBox_->setTitle(T(texts::parameters::belowHopperGroup));
    lowerPartCheckBox_->setText(T(texts::parameters::belowHopperSectionBox));
    lowerPartHeightLabel_->setText(T(texts::parameters::belowHopperHeightLabel));
    derivedValuesBox_->setTitle(T(texts::parameters::calculatedGroup));
    siloHeightLabel_->setText(T(texts::parameters::siloHeightLabel));
    hopperHeightLabel_->setText(T(texts::parameters::hopperHeightLabel));
    netVolumeLabel_->setText(T(texts::parameters::bulkSolidVolumeLabel));
    grossVolumeLabel_->setText(T(texts::parameters::siloVolumeLabel));

    constantDensityOption_->setToolTip(T(texts::parameterHint::constantDensity));
    rhoMinField_->setToolTip(T(texts::parameterHint::densityFunction));
    rhoMaxField_->setToolTip(T(texts::parameterHint::densityFunction));
    sigma0Field_->setToolTip(T(texts::parameterHint::densityFunction));
    densityFunctionOption_->setToolTip(T(texts::parameterHint::densityFunction));
    fittedDensityOption_->setToolTip(T(texts::parameterHint::densityFit));
    internalFrictionField_->setToolTip(T(texts::parameterHint::effectiveFrictionAngle));
    kBox_->setToolTip(T(texts::parameterHint::ratioK));
    kFromFrictionOption_->setToolTip(T(texts::parameterHint::ratioKFromFriction));
    kFromFrictionOutput_->setToolTip(T(texts::parameterHint::ratioKFromFriction));
    kFixedOption_->setToolTip(T(texts::parameterHint::ratioKEstimate));
    stressStateGroup_->setToolTip(T(texts::parameterHint::stressState));
    heapOption_->setToolTip(T(texts::parameterHint::heap));
    reposeAngleField_->setToolTip(T(texts::parameterHint::angleOfRepose));
    surchargeOption_->setToolTip(T(texts::parameterHint::surfaceStress));
    surchargeField_->setToolTip(T(texts::parameterHint::surfaceStress));
    fillHeightField_->setToolTip(T(texts::parameterHint::fillHeightWithHeap));
    fillHeightWithoutHeapOutput_->setToolTip(T(texts::parameterHint::fillHeightWithoutHeap));
    shaftWallFrictionField_->setToolTip(T(texts::parameterHint::shaftWallFriction));
    diameterField_->setToolTip(T(texts::parameterHint::crossSectionSize));
    flowPatternOutput_->setToolTip(T(texts::parameterHint::flowMark));
    hopperWallFrictionField_->setToolTip(T(texts::parameterHint::hopperWallFriction));
    endWallFrictionField_->setToolTip(T(texts::parameterHint::endWallFriction));
    lowerPartCheckBox_->setToolTip(T(texts::parameterHint::belowHopperSection));
    lowerPartWallFrictionField_->setToolTip(T(texts::parameterHint::belowHopperWallFriction));
    netVolumeOutput_->setToolTip(T(texts::parameterHint::bulkSolidVolume));
    grossVolumeOutput_->setToolTip(T(texts::parameterHint::siloVolume));
    okButton_->setToolTip(T(texts::parameterHint::okButton));
    cancelButton_->setToolTip(T(texts::parameterHint::cancelButton));
    enGroup_->retranslate();
}

// ---- reading the controls -------------------------------------------------------------

FormInput ParameterForm::formInput() const {
    FormInput in;
    in.stressState = stressStateGroup_->itemIndex();
    in.crossSection = crossSectionGroup_->itemIndex();
    in.constantDensity = constantDensityOption_->isChecked();
    in.densityFunction = densityFunctionOption_->isChecked();
    in.fittedDensity = fittedDensityOption_->isChecked();
    // Showing the fitted law, the fields hold its values: the density
    // function's own wait aside.
    in.rhoMin = fieldsShowFit_ ? densityFunctionTexts_[0].toStdString() : textOf(rhoMinField_);
    in.rhoMax = fieldsShowFit_ ? densityFunctionTexts_[1].toStdString() : textOf(rhoMaxField_);
    in.sigma0 = fieldsShowFit_ ? densityFunctionTexts_[2].toStdString() : textOf(sigma0Field_);
    in.internalFriction = textOf(internalFrictionField_);
    in.kFromFriction = kFromFrictionOption_->isChecked();
    in.kFixed = kFixedOption_->isChecked();
    in.kOwnValue = kValueOption_->isChecked();
    in.kValue = textOf(kValueField_);
    in.Schaftja = shaftCheckBox_->isChecked();
    in.shaftHeight = textOf(shaftHeightField_);
    in.Phixschaft = textOf(shaftWallFrictionField_);
    in.diameterOrWidth = textOf(diameterField_);
    in.rectangleLength = textOf(lengthField_);
    in.Trichterja = hopperCheckBox_->isChecked();
    in.hopperAngle = textOf(hopperAngleField_);
    in.outletWidth = textOf(outletWidthField_);
    in.Phixtrichter = textOf(hopperWallFrictionField_);
    in.PHIXTrichterStirnwand = textOf(endWallFrictionField_);
    in.vertunten = lowerPartCheckBox_->isChecked();
    in.Hunttricht = textOf(lowerPartHeightField_);
    in.Phixunten = textOf(lowerPartWallFrictionField_);
    in.flatSurface = flatSurfaceOption_->isChecked();
    in.heap = heapOption_->isChecked();
    in.surcharge = surchargeOption_->isChecked();
    in.boeschwinkel = textOf(reposeAngleField_);
    in.surchargeStress = textOf(surchargeField_);
    in.fillHeight = textOf(fillHeightField_);
    return in;
}

// ---- showing the model ------------------------------------------------------------------

void ParameterForm::showParameters() {
    SiloModel& m = document_.model;
    // Each change below fires its handler as a click would; the form is
    // still in its showing phase (justShown), so none of them marks the
    // parameters as changed.
    if (m.Fuellzustand && !m.Entleerungszustand) stressStateGroup_->setItemIndex(0);
    else if (m.Entleerungszustand && !m.Fuellzustand) stressStateGroup_->setItemIndex(1);

    if (m.Rhokonstant) constantDensityOption_->setChecked(true);
    else if (m.Rhofunktion) densityFunctionOption_->setChecked(true);
    else fittedDensityOption_->setChecked(true);

    // The model's density function values; refresh() shows the fitted law
    // over them once the working copy holds the committed fit.
    fieldsShowFit_ = false;
    for (const auto& [field, value] : {std::pair{rhoMinField_, m.RHOMIN}, std::pair{rhoMaxField_, m.RHOMAX},
                                       std::pair{sigma0Field_, m.SIGMA0}}) {
        const QSignalBlocker block(field);
        field->setText(fmt(value));
        field->setToolTip(T(texts::parameterHint::densityFunction));
    }
    internalFrictionField_->setText(fmtDeg(m.PHIE));
    shaftWallFrictionField_->setText(fmtDeg(m.Phixschaft));
    hopperWallFrictionField_->setText(fmtDeg(m.Phixtrichter));
    lowerPartWallFrictionField_->setText(fmtDeg(m.Phixunten));
    endWallFrictionField_->setText(fmtDeg(m.PhixStirnwand));

    crossSectionGroup_->setItemIndex(m.Querschnitt == 1 ? 0 : 1);

    diameterField_->setText(fmt(m.Durchmesser));
    lengthField_->setText(fmt(m.Laenge));
    outletWidthField_->setText(fmt(m.Auslauf));

    if (!m.vertunten) m.Hunttricht = 0;
    hopperCheckBox_->setChecked(m.Trichterja);
    shaftCheckBox_->setChecked(m.Schaftja);
    lowerPartCheckBox_->setChecked(m.vertunten);
    lowerPartHeightField_->setText(fmt(m.Hunttricht));

    for (QRadioButton* b : {flatSurfaceOption_, heapOption_, surchargeOption_})
        b->setAutoExclusive(false);
    for (QRadioButton* b : {flatSurfaceOption_, heapOption_, surchargeOption_})
        b->setChecked(false);
    for (QRadioButton* b : {flatSurfaceOption_, heapOption_, surchargeOption_})
        b->setAutoExclusive(true);
    if (m.Schuettkegel) {
        heapOption_->setChecked(true);
    } else {
        m.boeschwinkel = 0;
        if (m.Auflastspannung > 0) {
            surchargeOption_->setChecked(true);
        } else {
            m.Auflastspannung = 0;
            flatSurfaceOption_->setChecked(true);
        }
    }

    reposeAngleField_->setText(fmtDeg(m.boeschwinkel));
    surchargeField_->setText(fmt(m.Auflastspannung));
    hopperAngleField_->setText(fmtDeg(m.Trichterwinkel));
    fillHeightField_->setText(fmt(m.Fuellhoehe));
    shaftHeightField_->setText(fmt(m.Hschaft));

    if (m.Kwahl == 0) {
        kFromFrictionOption_->setChecked(true);
    } else if (m.Kwahl == 1) {
        kFixedOption_->setChecked(true);
    } else {
        kValueOption_->setChecked(true);
        kValueField_->setText(fmt(m.Kwert));
    }
    enGroup_->showInputs(m);
    // A control already in the model's state fires nothing: bring every
    // dependent control into line with the options now shown.
    applyOptionRules(true);
    // A number longer than its field shows its leading digits.
    for (QLineEdit* e : findChildren<QLineEdit*>()) e->setCursorPosition(0);
}

// ---- handlers --------------------------------------------------------------------------

void ParameterForm::onInputChanged(QObject* sender) {
    if (!justShown_) document_.modified = true;
    if (document_.modified && !document_.parameterFile.isEmpty()) setLongCaption(0);

    if (sender == crossSectionGroup_) {
        if (crossSectionGroup_->itemIndex() == 0) applyCrossSectionRule(false);
        else if (crossSectionGroup_->itemIndex() == 1) applyCrossSectionRule(true);
    } else if (sender == hopperCheckBox_) {
        if (hopperCheckBox_->isChecked()) {
            applyHopperRule(true);
        } else {
            applyHopperRule(false);
            lowerPartCheckBox_->setChecked(false);
            if (!shaftCheckBox_->isChecked()) shaftCheckBox_->setChecked(true);
        }
    } else if (sender == shaftCheckBox_) {
        if (shaftCheckBox_->isChecked()) {
            applyShaftRule(true);
        } else {
            applyShaftRule(false);
            if (!hopperCheckBox_->isChecked()) hopperCheckBox_->setChecked(true);
        }
    } else if (sender == lowerPartCheckBox_) {
        applyLowerPartRule(lowerPartCheckBox_->isChecked());
    } else if (sender == constantDensityOption_ && constantDensityOption_->isChecked()) {
        applyDensityRule(DensityLaw::Constant);
    } else if (sender == densityFunctionOption_ && densityFunctionOption_->isChecked()) {
        applyDensityRule(DensityLaw::Function);
    } else if (sender == fittedDensityOption_ && fittedDensityOption_->isChecked()) {
        applyDensityRule(DensityLaw::Fitted);
    } else if (sender == kFromFrictionOption_ && kFromFrictionOption_->isChecked()) {
        applyKRule(KChoice::FromFriction);
    } else if (sender == kFixedOption_ && kFixedOption_->isChecked()) {
        applyKRule(KChoice::Fixed);
    } else if (sender == kValueOption_ && kValueOption_->isChecked()) {
        applyKRule(KChoice::Value);
    } else if (sender == flatSurfaceOption_ && flatSurfaceOption_->isChecked()) {
        applySurfaceRule(Surface::Flat);
    } else if (sender == heapOption_ && heapOption_->isChecked()) {
        applySurfaceRule(Surface::Heap);
    } else if (sender == surchargeOption_ && surchargeOption_->isChecked()) {
        applySurfaceRule(Surface::Surcharge);
    }
    if (justShown_) applyOptionRules(false);
    drawSketch();
}

void ParameterForm::refresh() {
    retranslate();
    // Shown with the fitted law: the committed measurements become the
    // working copy before the sketch checks for missing pairs.
    SiloModel& m = document_.model;
    if (justShown_ && m.Dichtemodus() == 2) committedToWorkingCopy(m, document_.workingCopy);
    showDensityFields();
    drawSketch();
    if (!justShown_) document_.modified = true;
    if (document_.modified && !document_.parameterFile.isEmpty()) setLongCaption(texts::language());
}

void ParameterForm::drawSketch() {
    document_.pendingProblem = 0;
    problemFromTakeOver_ = false;
    for (QLabel* l : {hopperHeightOutput_, siloHeightOutput_, grossVolumeOutput_, netVolumeOutput_})
        l->setText(QString());
    if (!justShown_) document_.modified = true;
    if (document_.modified && !document_.parameterFile.isEmpty()) setLongCaption(texts::language());

    SketchResult r = siloSketch(document_.model, formInput(), document_.workingCopy, sketch_->width(),
                                sketch_->height());
    // Values so large that a derived volume or height overflows are a silo
    // geometry problem: nothing of them is drawn or shown.
    if (r.derivedValid &&
        (isNonFiniteText(r.hopperHeightText) || isNonFiniteText(r.siloHeightText) ||
         isNonFiniteText(r.grossVolumeText) || isNonFiniteText(r.netVolumeText) ||
         isNonFiniteText(r.fillHeightWithoutHeapText))) {
        r.derivedValid = false;
        r.badData = true;
        r.lines.clear();
        if (r.code == 0) r.code = kProblemGeometry;
        fillHeightWithoutHeapOutput_->setText(QString());
    }
    // (assign, not = " ": GCC 12 sees a false overlap in the inlined copy, -Wrestrict)
    if (isNonFiniteText(r.kFromFrictionText)) r.kFromFrictionText.assign(1, ' ');
    document_.pendingProblem = r.code;
    sketch_->setResult(r);
    if (r.derivedValid) {
        hopperHeightOutput_->setText(QString::fromStdString(r.hopperHeightText));
        siloHeightOutput_->setText(QString::fromStdString(r.siloHeightText));
        grossVolumeOutput_->setText(QString::fromStdString(r.grossVolumeText));
        netVolumeOutput_->setText(QString::fromStdString(r.netVolumeText));
        fillHeightWithoutHeapOutput_->setText(QString::fromStdString(r.fillHeightWithoutHeapText));
    }
    if (!r.kFromFrictionText.empty())
        kFromFrictionOutput_->setText(QString::fromStdString(r.kFromFrictionText));
    switch (r.flowLabel) {
        case 1: flowPatternOutput_->setText(T(texts::parameters::massFlowMark)); break;
        case 2: flowPatternOutput_->setText(T(texts::parameters::funnelFlowMark)); break;
        case 3: flowPatternOutput_->setText(" "); break;
        case 4: flowPatternOutput_->setText(QString()); break;
        default: break;
    }
}

void ParameterForm::takeOverParameters() {
    document_.pendingProblem = takeOver(document_.model, formInput(), document_.workingCopy);
    // The EN 1991-4 inputs go with every set the take-over accepts.
    if (document_.pendingProblem == 0) setEnInputs(document_.model, enGroup_->inputs());
}

void ParameterForm::activate() {
    justShown_ = true;
    modifiedWhenShown_ = document_.modified;
    if (document_.parameterFile.isEmpty()) {
        setWindowTitle("Parameter");
    } else {
        QString c = T(texts::parameters::captionWithFile, 0) + document_.parameterFile + "]";
        if (document_.modified) c += "    " + T(texts::mainWindow::modifiedMark, 0);
        setWindowTitle(c);
    }
    showParameters();
    if (viewOnly_) {
        okButton_->setEnabled(false);
        cancelButton_->setFocus();
    } else {
        okButton_->setEnabled(true);
        okButton_->setFocus();
    }
}

void ParameterForm::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (e->spontaneous()) return;
    activate();
    refresh();  // the activation that follows the showing
}

void ParameterForm::okClicked() {
    SiloModel& m = document_.model;
    // An EN 1991-4 input out of range is said at once; the form stays open.
    if (!viewOnly_ && enGroup_->problem() != EnInputProblem::None) {
        platform::message(this, texts::kProblemCaption,
                          texts::en1991_4::inputProblemText(enGroup_->problem(), texts::language()),
                          platform::Icon::Warning);
        return;
    }
    if (!viewOnly_) {
        // A problem the take-over found is not kept by any live check (typing
        // K redraws nothing): the take-over judges the values again.
        if (problemFromTakeOver_) document_.pendingProblem = 0;
        if (document_.pendingProblem == 0) {
            keepOpen_ = false;
            // The take-over writes the model step by step; a set it refuses
            // is not left half-written for the next calculation.
            const auto before = std::make_unique<SiloModel>(m);
            clearResults(m);
            takeOverParameters();
            m.Erststart = false;
            // A problem that only the take-over finds (K, or a density law
            // that the live check let pass) is reported at once and keeps the
            // form open, changed or not, with the model as it was.
            if (document_.pendingProblem != 0) {
                m = *before;
                problemFromTakeOver_ = true;
                keepOpen_ = true;
                if (platform::messageOkCancel(this, texts::kProblemCaption,
                                              texts::problemText(document_.pendingProblem),
                                              platform::Icon::Question))
                    m.Erststart = false;
            }
        } else {
            // The close that OK requests is refused once: the form stays open.
            keepOpen_ = true;
            if (platform::messageOkCancel(this, texts::kProblemCaption,
                                          texts::problemText(document_.pendingProblem),
                                          platform::Icon::Question))
                m.Erststart = false;
        }
    }
    tryClose(QDialog::Accepted);
}

void ParameterForm::cancel() {
    // Cleared, the change mark lets the close query pass whatever problem is
    // pending. What the form discards is this showing's editing only: a change
    // taken over earlier and not yet saved keeps its mark, so the status
    // fields and printouts do not present the changed set as the file's.
    document_.modified = false;
    tryClose(QDialog::Rejected);
    document_.modified = modifiedWhenShown_;
}

void ParameterForm::reject() { cancel(); }

void ParameterForm::editMeasuredValues() {
    justShown_ = false;
    if (!densityWindow_) densityWindow_ = new DensityWindow(document_, this);
    densityWindow_->exec();
    refresh();
}

bool ParameterForm::canClose() {
    if (keepOpen_) {
        keepOpen_ = false;
        return false;
    }
    if (document_.pendingProblem != 0 && document_.modified) return false;
    return true;
}

void ParameterForm::finishClosing() { viewOnly_ = false; }

void ParameterForm::tryClose(int result) {
    if (!canClose()) return;
    finishClosing();
    done(result);
}

void ParameterForm::closeEvent(QCloseEvent* e) {
    // The window's close box: the close query decides; nothing is cleared.
    // A refused close says why: the pending problem's message.
    if (!canClose()) {
        e->ignore();
        const int code = document_.pendingProblem;
        if (code != 0)
            platform::message(this, texts::kProblemCaption, texts::problemText(code),
                              platform::Icon::Warning);
        return;
    }
    finishClosing();
    e->accept();
    done(QDialog::Rejected);
}

void ParameterForm::markUserEdit() {
    justShown_ = false;
    document_.modified = true;
    if (!document_.parameterFile.isEmpty()) setLongCaption(texts::language());
}

void ParameterForm::hideEvent(QHideEvent* e) {
    QDialog::hideEvent(e);
    // Hidden by the program, not minimised by the window system: the
    // view-only showing ends here.
    if (!e->spontaneous()) viewOnly_ = false;
}

bool ParameterForm::eventFilter(QObject* obj, QEvent* ev) {
    if (obj == kValueField_ && ev->type() == QEvent::MouseButtonRelease)
        onInputChanged(kValueField_);
    return QDialog::eventFilter(obj, ev);
}

int ParameterForm::showModal(bool viewOnly) {
    viewOnly_ = viewOnly;
    return exec();
}

}  // namespace korvane::ui
