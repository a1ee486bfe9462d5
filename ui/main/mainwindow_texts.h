// Texts of the main window that the common text table does not hold: the
// messages for results that cannot be shown and the details of file errors.
#pragma once

#include "ui/texts/tkonst.h"

namespace korvane::ui::texts {

using korvane::tkonst::TextPair;

inline constexpr TextPair KeineErgebnisse{"Keine gültigen Ergebnisse", "No valid results"};
inline constexpr TextPair NichtEndlich{"Berechnung ergab ungültige Zahlen",
                                       "Calculation gave invalid numbers"};
inline constexpr TextPair AlleNull{"Alle Spannungen sind null", "All stresses are zero"};
inline constexpr TextPair Zeile{"Zeile", "line"};
inline constexpr TextPair Datei{"Datei", "File"};
inline constexpr TextPair NichtGespeichert{"Die Datei wurde nicht geschrieben.",
                                           "The file was not written."};

}  // namespace korvane::ui::texts
