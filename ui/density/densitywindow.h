// The density measurement window (TForm6): measured (SIGMA, RHOB) pairs,
// the kind of fit and its check diagram, on the working copy.
#pragma once

class QWidget;

namespace korvane::ui {

int showDensityWindow(QWidget* parent);

}  // namespace korvane::ui
