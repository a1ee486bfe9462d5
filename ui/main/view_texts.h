// Texts of the view menu (both states, comparison with another parameter
// file), the diagram export and the table copy, German and English.
#pragma once

#include "ui/texts/tkonst.h"

namespace korvane::ui::texts {

using korvane::tkonst::TextPair;

inline constexpr TextPair Ansicht1{"&Ansicht", "&View"};
inline constexpr TextPair BeideZustaende{"Beide Zustände zeigen", "Show both states"};
inline constexpr TextPair Vergleichen{"Vergleichen mit Parameterdatei…",
                                      "Compare with parameter file…"};
inline constexpr TextPair VergleichBeenden{"Vergleich beenden", "End comparison"};
inline constexpr TextPair DiagrammExportieren{"Diagramm exportieren…", "Export diagram…"};
inline constexpr TextPair TabelleKopieren{"Tabelle kopieren", "Copy table"};

// Legend lines of the diagram.
inline constexpr TextPair FuellenDurchgezogen{"Füllzustand durchgezogen, Entleerung gestrichelt",
                                              "Filling solid, discharging dashed"};
inline constexpr TextPair EntleerenDurchgezogen{
    "Entleerung durchgezogen, Füllzustand gestrichelt", "Discharging solid, filling dashed"};
inline constexpr TextPair VergleichLegende{"Vergleich (grau gestrichelt): ",
                                           "Comparison (grey dashed): "};

// Comparison file that gives no valid calculation.
inline constexpr TextPair VergleichUngueltig{
    "Die Vergleichsdatei ergibt keine gültige Berechnung:",
    "The comparison file gives no valid calculation:"};
inline constexpr TextPair ErgebnisseUngueltig{"Ergebnisse nicht endlich", "Results not finite"};

// Export.
inline constexpr TextPair ExportFilter{
    "PNG-Bild (*.png);;SVG-Grafik (*.svg);;PDF-Dokument (*.pdf)",
    "PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)"};
inline constexpr TextPair ExportBreite{"Breite des Bildes in Pixel:",
                                       "Width of the image in pixels:"};
inline constexpr TextPair ExportFehler{"Das Diagramm konnte nicht exportiert werden:\n",
                                       "The diagram could not be exported:\n"};

}  // namespace korvane::ui::texts
