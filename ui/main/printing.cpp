#include "ui/main/printing.h"

namespace korvane::ui {

// Placeholders until printing is built.
void Tabelle_Drucken(QWidget*, const PrintStatus&) {}
void Diagramm_Drucken(QWidget*) {}
void Druckereinrichten(QWidget*) {}

}  // namespace korvane::ui
