// Program-wide state of the user interface, one instance each.
#pragma once

#include <QString>

namespace korvane::ui {

struct AppState {
    QString Parameterdatei;   // current parameter file, empty when none
    QString Ergebnisdatei;    // current result file, empty when none
    bool Geaendert = false;   // parameters changed since the last load or save
    bool Nuransehen = false;  // parameter form opened for viewing only
    bool Anzeigestart = true; // form just shown, no key typed yet
    bool Offenhalten = false; // refuse the next close request of the form
    int Parameterfehler = 0;  // pending parameter problem code
    double Skalierung = 1.0;  // screen factor (fonts scale with it)
    double Breitbildfaktor = 1.0;
    // Data folders, each ending with '/'.
    QString Programmordner, Datenordner, Parameterordner, Ergebnisordner, Flyerordner;
};

AppState& app();

}  // namespace korvane::ui
