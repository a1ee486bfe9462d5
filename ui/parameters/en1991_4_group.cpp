#include "ui/parameters/en1991_4_group.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <cmath>

#include "calc/engine.h"
#include "calc/form_logic.h"
#include "ui/density/keyfilter.h"
#include "ui/texts/en1991_4_texts.h"
#include "ui/texts/texts.h"

namespace korvane::ui {

namespace tx = texts::en1991_4;
using texts::T;

namespace {
QString fmt(double v) {
    return std::isfinite(v) ? QString::fromStdString(formatGeneral8(v)) : QString();
}
// The text of a number field as a number (what the decimal validator lets
// through: digits and one point); an empty field reads as 0.
double valueOf(const QLineEdit* e) { return e->text().trimmed().toDouble(); }
}  // namespace

EnInputGroup::EnInputGroup(QWidget* parent) : QGroupBox(parent) {
    setObjectName("en1991_4Box");
    auto field = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        makeNumberField(e);
        return e;
    };
    aKField_ = field("enAKField");
    aMuField_ = field("enAMuField");
    aPhiField_ = field("enAPhiField");
    reposeField_ = field("enReposeAngleField");
    aKLabel_ = new QLabel(this);
    aMuLabel_ = new QLabel(this);
    aPhiLabel_ = new QLabel(this);
    reposeLabel_ = new QLabel(this);
    reposeLabel_->setWordWrap(true);
    dynamicBox_ = new QCheckBox(this);
    dynamicBox_->setObjectName("enDynamicSolidBox");

    // a_K, a_mu and a_phi side by side, then the switch, then phi_r.
    auto* g = new QGridLayout(this);
    // Compact: the three factors in two rows beside each other, so that the
    // group fits under the bulk solid on a 1024 x 768 screen.
    g->addWidget(aKLabel_, 0, 0);
    g->addWidget(aKField_, 0, 1);
    g->addWidget(aMuLabel_, 0, 2);
    g->addWidget(aMuField_, 0, 3);
    g->addWidget(aPhiLabel_, 1, 0);
    g->addWidget(aPhiField_, 1, 1);
    g->addWidget(reposeLabel_, 1, 2);
    g->addWidget(reposeField_, 1, 3);
    g->addWidget(dynamicBox_, 2, 0, 1, 4);

    connect(dynamicBox_, &QCheckBox::clicked, this, [this] { emit edited(); });
    aKField_->setText("1");
    aMuField_->setText("1");
    aPhiField_->setText("1");
    retranslate();
}

void EnInputGroup::showInputs(const SiloModel& m) {
    shown_ = enInputsOf(m);
    aKField_->setText(fmt(shown_.aK));
    aMuField_->setText(fmt(shown_.amu));
    aPhiField_->setText(fmt(shown_.aphi));
    dynamicBox_->setChecked(shown_.dynamicSolid);
    reposeField_->setText(shown_.phirGiven ? fmt(radToDeg(shown_.phir)) : QString());
    for (QLineEdit* e : {aKField_, aMuField_, aPhiField_, reposeField_}) e->setCursorPosition(0);
}

EnInputs EnInputGroup::inputs() const {
    EnInputs in = shown_;
    in.aK = valueOf(aKField_);
    in.amu = valueOf(aMuField_);
    in.aphi = valueOf(aPhiField_);
    in.dynamicSolid = dynamicBox_->isChecked();
    // An empty phi_r field means: PHIE where there is no heap.
    in.phirGiven = !reposeField_->text().trimmed().isEmpty();
    in.phir = in.phirGiven ? degToRad(valueOf(reposeField_)) : 0.0;
    return in;
}

void EnInputGroup::retranslate() {
    setTitle(T(tx::group));
    aKLabel_->setText(T(tx::conversionK));
    aMuLabel_->setText(T(tx::conversionMu));
    aPhiLabel_->setText(T(tx::conversionPhi));
    dynamicBox_->setText(T(tx::dynamicSolid));
    reposeLabel_->setText(T(tx::reposeAngle));
    reposeField_->setPlaceholderText(T(tx::reposeAnglePlaceholder));
    for (QWidget* w : std::initializer_list<QWidget*>{aKField_, aMuField_, aPhiField_, aKLabel_,
                                                      aMuLabel_, aPhiLabel_})
        w->setToolTip(T(tx::hintConversion));
    dynamicBox_->setToolTip(T(tx::hintDynamicSolid));
    reposeField_->setToolTip(T(tx::hintReposeAngle));
    reposeLabel_->setToolTip(T(tx::hintReposeAngle));
}

}  // namespace korvane::ui
