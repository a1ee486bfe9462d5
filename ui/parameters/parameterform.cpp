#include "ui/parameters/parameterform.h"

#include <QDialog>

namespace korvane::ui {

// Placeholder until the form is built.
int showParameterForm(QWidget*) { return QDialog::Accepted; }

}  // namespace korvane::ui
