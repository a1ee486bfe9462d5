// The parameter form (TForm2): modal editing of the silo model.
#pragma once

class QWidget;

namespace korvane::ui {

// Shows the parameter form modally over `parent` (view-only when the
// program-wide Nuransehen flag is set) and returns the dialog's result.
int showParameterForm(QWidget* parent);

}  // namespace korvane::ui
