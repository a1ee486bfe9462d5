// Printing the result table and the result diagram, one page each.
#pragma once

#include <QString>

class QWidget;

namespace korvane::ui {

// Texts of the main window's status fields, printed as the window shows them.
struct PrintStatus {
    QString zustand;      // Edit11
    QString fuellmenge;   // Edit3
    QString vertspausl;   // Vertspausl
};

void Tabelle_Drucken(QWidget* parent, const PrintStatus& status);
void Diagramm_Drucken(QWidget* parent);
// The printer set-up dialog; its choice is used by the print commands.
void Druckereinrichten(QWidget* parent);

}  // namespace korvane::ui
