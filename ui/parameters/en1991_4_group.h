// The parameter form's "EN 1991-4" group: the inputs that only the EN 1991-4
// loads read (conversion factors a_K, a_mu, a_phi, the dynamic solid switch
// for C_b, and phi_r where the surface has no heap). Self-contained: the form
// places it, shows the model in it and takes its values over on OK.
#pragma once

#include <QGroupBox>

#include "calc/en1991_4.h"
#include "calc/model.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace korvane::ui {

class EnInputGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit EnInputGroup(QWidget* parent);

    // The model's EN inputs into the controls (phi_r empty: PHIE is used).
    void showInputs(const SiloModel& m);
    // The values the controls hold; inputs without a control (the patch
    // loads) keep the values last shown.
    EnInputs inputs() const;
    EnInputProblem problem() const { return checkEnInputs(inputs()); }
    void retranslate();

signals:
    // The user changed a control (typing is seen by the form's own fields).
    void edited();

private:
    QLineEdit *aKField_, *aMuField_, *aPhiField_, *reposeField_;
    QLabel *aKLabel_, *aMuLabel_, *aPhiLabel_, *reposeLabel_;
    QCheckBox* dynamicBox_;
    EnInputs shown_;
};

}  // namespace korvane::ui
