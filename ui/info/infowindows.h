// The help menu's windows: six text windows, the about box, the literature
// window, and the licence document.
#pragma once

class QWidget;

namespace korvane::ui {

enum class InfoWindow {
    Wasberechnetwird,     // "What this program can do"
    Dateneinaus,          // "Data input and output"
    Vorgabewerteinfo,     // bulk solid properties
    VorgabeSiloInfo,      // silo parameters
    Berechnungsmethoden,  // methods of calculation
    SGEigenschaften,      // how to obtain flow properties
    About,                // about box
    Buch,                 // literature window
};

// Shows the window modally; returns the dialog result (QDialog::Accepted when
// closed with OK / Close).
int showInfoWindow(QWidget* parent, InfoWindow which);

// Opens KORVANE_EULA.pdf from the program folder with the desktop.
void openEula();

}  // namespace korvane::ui
