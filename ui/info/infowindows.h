// The help menu's windows: six text windows, the about box, the literature
// window, and the licence document.
#pragma once

class QDialog;
class QWidget;

namespace korvane::ui {

enum class InfoWindow {
    WhatItCalculates,    // "What this program can do"
    DataInputOutput,     // "Data input and output"
    BulkSolidDefaults,   // bulk solid properties
    SiloDefaults,        // silo parameters
    CalculationMethods,  // methods of calculation
    FlowProperties,      // how to obtain flow properties
    About,               // about box
    Literature,          // literature window
};

// The help windows belong to the window that opens them (the main window):
// the long-lived ones are made once as its children and destroyed with it,
// one window of each kind per owner, shown again when opened again.

// Shows the window modally in front of `owner`; returns the dialog result
// (QDialog::Accepted when closed with OK / Close, Rejected when closed with
// the title bar's close box). The literature window and "What this program
// can do" are created for this showing and destroyed after it; the others
// live as long as their owner.
int showInfoWindow(QWidget& owner, InfoWindow which);

// Creates a long-lived window of `owner` now (the program's start creates
// them in its own order); showInfoWindow creates any that is still missing.
// Returns the window; null for the two windows that are made for each use.
QDialog* createInfoWindow(QWidget& owner, InfoWindow which);
// The long-lived window of `owner` if it exists, else null.
QDialog* existingInfoWindow(const QWidget& owner, InfoWindow which);

// Opens KORVANE_EULA.pdf from the program folder with the desktop. A missing
// document or a desktop that cannot open it is reported in a message box.
// Returns true when the document was handed to the desktop.
bool openEula(QWidget* parent = nullptr);

}  // namespace korvane::ui
