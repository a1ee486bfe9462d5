#include "ui/parameters/parameterform.h"

#include "ui/parameters/tform2.h"

namespace korvane::ui {

// One form for the whole run, created at its first use and shown modally;
// every showing fills it from the model.
int showParameterForm(QWidget* parent) { return parameterForm(parent)->exec(); }

}  // namespace korvane::ui
