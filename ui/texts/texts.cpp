// The bilingual text table. Every text the user sees is one pair here:
// German first, English second, UTF-8. Texts that end with a blank keep it;
// menu captions keep their '&' access letters. The long help texts and the
// conditions of use live in long_texts.cpp.
#include "ui/texts/texts.h"

#include "ui/texts/qt_translation.h"

namespace korvane::texts {

namespace {
int g_language = 0;  // 0 German, 1 English; every start begins in German
}

int language() { return g_language; }

void setLanguage(int index) {
    // Only the two language commands write the index; anything else is ignored
    // so that a look-up can never index outside the pair.
    if (index == 0 || index == 1) g_language = index;
    // Qt's own dialogs and buttons speak the same language.
    applyQtTranslation(g_language);
}

QString T(const TextPair& p, int language) {
    return QString::fromUtf8(language == 1 ? p.en : p.de);
}

QString T(const TextPair& p) { return T(p, g_language); }

// ---- main window: the menu bar ----
namespace menu {
const TextPair file{"&Datei", "&File"};
const TextPair openParameterFile{"Parameterdatei &öffnen", "&Open parameter file"};
const TextPair saveParameterFile{"Parameterdatei &speichern", "&Save parameter file"};
const TextPair saveParameterFileAs{"Parameterdatei speichern &unter", "Save parameter file &as"};
const TextPair saveResults{"&Ergebnisdatei speichern", "Save &results"};
const TextPair saveResultsAs{"Ergebnisdatei s&peichern unter", "Sa&ve results as"};
const TextPair print{"&Drucken", "&Print"};
const TextPair printTable{"&Tabelle", "&Table"};
const TextPair printDiagram{"&Diagramm", "&Diagram"};
const TextPair printerSetup{"Drucker ei&nrichten", "Printer set&up"};
const TextPair exit{"&Beenden", "E&xit"};
const TextPair parameters{"&Parameter", "&Parameters"};
const TextPair editParameters{"&Bearbeiten", "&Edit"};
const TextPair viewParameters{"&Ansehen", "&View"};
const TextPair help{"&Hilfe", "&Help"};
const TextPair whatItCalculates{"&Was dieses Programm berechnet", "&What this program can do"};
const TextPair dataInputOutput{"&Dateneingabe und -ausgabe", "&Data input and output"};
const TextPair bulkSolidDefaults{"Vorgabewerte &Schüttgut", "&Bulk solid properties"};
const TextPair siloDefaults{"Vorgabewerte S&ilo", "&Silo parameters"};
const TextPair calculationMethods{"&Berechnungsmethoden", "&Methods of calculation"};
const TextPair flowProperties{"Wo&her bekomme ich Schüttgutkennwerte?",
    "&How to obtain flow properties of bulk solids"};
const TextPair book{"Buch zur Schüttgu&ttechnik", "Boo&k on bulk solids"};
const TextPair about{"&Über ", "&About ..."};
}  // namespace menu

// ---- the parameter study window (Parameters menu) ----
namespace study {
const TextPair menuItem{"Parameter&studie…", "Parameter &study…"};
const TextPair caption{"Parameterstudie", "Parameter study"};
const TextPair firstField{"Variiertes Feld:", "Varied field:"};
const TextPair secondField{"Zweites Feld (eine Kurve je Wert):", "Second field (one curve per value):"};
const TextPair noSecondField{"(keines)", "(none)"};
const TextPair from{"von", "from"};
const TextPair to{"bis", "to"};
const TextPair step{"Schritt", "step"};
const TextPair result{"Ergebnis:", "Result:"};
const TextPair contents{"Füllmenge [kg]", "Contents [kg]"};
const TextPair outletStress{"SIGMAV am Auslauf [Pa]", "Outlet stress SIGMAV [Pa]"};
const TextPair largestWallStress{"Größte SIGMAW [Pa]", "Largest SIGMAW [Pa]"};
const TextPair heightOfLargest{"Höhe der größten SIGMAW über dem Auslauf [m]", "Height of the largest SIGMAW above the outlet [m]"};
const TextPair start{"Berechnen", "Calculate"};
const TextPair cancel{"Abbrechen", "Cancel"};
const TextPair exportCsv{"CSV exportieren…", "Export CSV…"};
const TextPair exportPng{"PNG exportieren…", "Export PNG…"};
const TextPair close{"Schließen", "Close"};
const TextPair running{"%1 von %2 Läufen berechnet", "%1 of %2 runs calculated"};
const TextPair finished{"%1 Läufe berechnet", "%1 runs calculated"};
const TextPair cancelled{"Abgebrochen nach %1 von %2 Läufen", "Cancelled after %1 of %2 runs"};
const TextPair withoutResult{"; %1 ohne Ergebnis (Parameterproblem)", "; %1 without result (parameter problem)"};
const TextPair badNumber{"Bitte Zahlen für von, bis und Schritt eingeben.", "Please enter numbers for from, to and step."};
const TextPair badStep{"Der Schritt darf nicht 0 sein, und „bis“ muss von „von“ aus in Schritten erreichbar sein.", "The step must not be 0, and “to” must be reachable from “from” in steps."};
const TextPair tooManyRuns{"Mehr als %1 Läufe: bitte einen größeren Schritt wählen.", "More than %1 runs: please choose a larger step."};
const TextPair sameField{"Bitte zwei verschiedene Felder wählen.", "Please choose two different fields."};
const TextPair noEffect{"Das Feld %1 wirkt auf diesen Silo nicht.", "The field %1 has no effect on this silo."};
const TextPair csvFileTypes{"CSV-Datei (*.csv)", "CSV file (*.csv)"};
const TextPair pngFileTypes{"PNG-Bild (*.png)", "PNG image (*.png)"};
const TextPair exportFailed{"Die Datei konnte nicht geschrieben werden:\n", "The file could not be written:\n"};
}  // namespace study

// ---- main window: the View menu and what its commands show ----
namespace view {
const TextPair menuTitle{"&Ansicht", "&View"};
const TextPair showBothStates{"&Beide Zustände zeigen", "Show &both states"};
const TextPair compareWithFile{"&Vergleichen mit Parameterdatei…",
    "&Compare with parameter file…"};
const TextPair endComparison{"Vergleich b&eenden", "&End comparison"};
const TextPair exportDiagram{"Diagramm e&xportieren…", "Export &diagram…"};
const TextPair copyTable{"Tabelle &kopieren", "&Copy table"};
const TextPair comparisonInvalid{
    "Die Vergleichsdatei ergibt keine gültige Berechnung:",
    "The comparison file gives no valid calculation:"};
const TextPair comparisonNotFinite{"Ergebnisse nicht endlich", "Results not finite"};
const TextPair exportFileTypes{
    "PNG-Bild (*.png);;SVG-Grafik (*.svg);;PDF-Dokument (*.pdf)",
    "PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)"};
const TextPair exportImageWidth{"Breite des Bildes in Pixel:",
    "Width of the image in pixels:"};
const TextPair exportFailed{"Das Diagramm konnte nicht exportiert werden:\n",
    "The diagram could not be exported:\n"};
}  // namespace view

// ---- main window: column headings, status labels, caption, state field ----
namespace mainWindow {
const TextPair positionColumn{"Position", "Position"};
const TextPair zColumn{"z [m]", "z [m]"};
const TextPair densityColumn{"RHOB [kg/m3]", "RHOB [kg/m3]"};
const TextPair verticalStressColumn{"SIGMAV [Pa]", "SIGMAV [Pa]"};
const TextPair wallStressColumn{"SIGMAW [Pa]", "SIGMAW [Pa]"};
const TextPair messagesLabel{"Meldungen:", "Messages:"};
const TextPair outletStressLabel{"SIGMAV,Auslauf [Pa]", "SIGMAV,outlet [Pa]"};
const TextPair contentsLabel{"Füllmenge [kg]:", "Contents [kg]:"};
const TextPair stateLabel{"Zustand:", "State:"};
const TextPair currentParameterFile{"Aktuelle Parameterdatei", "Actual parameter file"};
const TextPair modifiedMark{"Geändert!", "Data modified!"};
const TextPair fillingState{"Füllzustand", "Filling"};
const TextPair dischargeState{"Entleerungszust.", "Discharging"};
}  // namespace mainWindow

// ---- main window: tool tips ----
namespace hint {
const TextPair mainWindow{
    "Zur Eingabe anderer Schüttgutkennwerte oder Siloabmessungen wählen Sie im Menü \"Parameter\" "
    "den Befehl \"Bearbeiten\".",
    "To edit parameters choose \"Edit\" in the menu \"Parameters\"."};
const TextPair stateField{
    "Füllzustand (nach dem Füllen des leeren Silos) oder Entleerungszustand (nachdem schon einmal "
    "etwas Schüttgut abgezogen wurde)",
    "Filling state (after filling the empty silo) or discharge state (after some bulk solid has "
    "been discharged)."};
const TextPair contentsField{"Masse des Schüttgutes im Silo", "Mass of silo contents (bulk solid)"};
const TextPair outletStressField{"Vertikalspannung am Auslauf (UK Silo)",
    "Vertical stress at the outlet (lower edge of silo)"};
const TextPair positionColumn{"OK: Oberkante; UK: Unterkante", "UE: upper edge; LE: lower edge"};
const TextPair zColumn{"Abstand von der Silounterkante (Auslauf)",
    "Distance from the lower edge of the silo (outlet)"};
const TextPair densityColumn{"Schüttgutdichte", "Bulk density"};
const TextPair verticalStressColumn{"Mittlere Vertikalspannung über dem Querschnitt",
    "Mean vertical stress in this cross-section."};
const TextPair wallStressColumn{"Wandnormalspannung", "Wall normal stress"};
}  // namespace hint

// ---- messages about the results ----
namespace results {
const TextPair densityRangeExceeded{"Messbereich RHOB überschritten!", "RHOB data range exceeded!"};
const TextPair funnelFlow{"Kernfluss! Berechnung ungültig!", "Funnel flow! Results not valid!"};
const TextPair noValidResults{"Keine gültigen Ergebnisse", "No valid results"};
const TextPair invalidNumbers{"Berechnung ergab ungültige Zahlen",
    "Calculation gave invalid numbers"};
const TextPair allStressesZero{"Alle Spannungen sind null", "All stresses are zero"};
}  // namespace results

// ---- position marks: diagram level lines, result table rows ----
namespace position {
const TextPair hopperTopLevel{"OK Trichter", "UE hopper"};
const TextPair hopperBottomLevel{"UK Trichter", "LE hopper"};
const TextPair siloTopLevel{"OK Silo", "UE silo"};
const TextPair fillingTopLevel{"OK Füllung", "UE bulk solid"};
const TextPair heapBottomLevel{"UK Schüttkegel", "LE heap"};
const TextPair outlet{"Auslauf", "outlet"};
const TextPair heapBottomRow{"UK Kegel", "LE heap"};
const TextPair fillingTopRow{"OK Füllg.", "UE bulk s."};
const TextPair shaftBottomRow{"UK Schaft", "LE vert.s."};
const TextPair hopperBottomRow{"UK Tricht.", "LE hopper"};
}  // namespace position

// ---- printouts ----
namespace printout {
const TextPair parameterFile{"Parameterdatei", "Parameter file"};
const TextPair state{"Zustand", "State"};
const TextPair contents{"Füllmenge", "Contents"};
const TextPair outletStress{"Vertikalspannung am Auslauf", "Vertical stress at the outlet"};
}  // namespace printout

// ---- errors ----
namespace error {
const TextPair caption{"Fehler", "Error"};
const TextPair line{"Zeile", "line"};
const TextPair file{"Datei", "File"};
const TextPair fileNotWritten{"Die Datei wurde nicht geschrieben.",
    "The file was not written."};
}  // namespace error

// ---- parameter form: caption, group boxes, items, labels ----
namespace parameters {
const TextPair caption{"Parameter", "Parameters"};
const TextPair captionWithFile{"Parameter      [Aktuelle Parameterdatei: ",
    "Parameter      [parameter file: "};
const TextPair densityGroup{"Schüttgutdichte", "Bulk density"};
const TextPair cancelButton{"ABBRUCH", "CANCEL"};
const TextPair constantDensity{"konstant", "constant"};
const TextPair densityFunction{"Funktion", "Function"};
const TextPair densityFit{"Anpassung", "Curve fit"};
const TextPair densityDataButton{"Werte", "Data"};
const TextPair internalFrictionGroup{"Innere Reibung", "Internal friction"};
const TextPair ratioKGroup{"K (LAMBDA)", "Ratio K"};
const TextPair ownRatioK{"Wert:", "Value:"};
const TextPair stressStateGroup{"Spannungszustand", "Stress state"};
const TextPair fillingStateItem{"Füllzustand", "Filling"};
const TextPair dischargeStateItem{"Entleerungszust.", "Discharging"};
const TextPair crossSectionGroup{"Siloquerschnitt", "Silo cross-section"};
const TextPair circularItem{"Kreis", "circular"};
const TextPair rectangularItem{"Rechteck", "rectangular"};
const TextPair surfaceGroup{"Auflast/Oberfläche", "Load on top surface"};
const TextPair flatSurface{"keine", "no"};
const TextPair heap{"Schüttkegel", "Heap"};
const TextPair angleOfReposeLabel{"Böschungs- winkel [°]:", "Angle of repose [°]"};
const TextPair surfaceStress{"Druckspang.", "vert. stress"};
const TextPair fillHeightGroup{"Füllhöhe", "Filling height"};
const TextPair fillHeightWithHeapLabel{"ab Silounterkante inkl. Schüttkegel [m]",
    "meas. from outlet incl. heap [m]"};
const TextPair fillHeightWithoutHeapLabel{"ab Silounterkante ohne Schüttkegel [m]",
    "meas. from outlet excl. heap [m]"};
const TextPair shaftGroup{"Siloschaft", "Vertical section"};
const TextPair presentBox{"Ja", "Yes"};
const TextPair shaftHeightLabel{"Höhe [m]", "Height [m]"};
const TextPair crossSectionSizeGroup{"Schaft/OK Trichter", "Vert. sect./Trans."};
const TextPair diameterWidthLabel{"Durchmesser/ Breite [m]", "Diameter/ Width [m]"};
const TextPair lengthLabel{"Länge [m]", "Length [m]"};
const TextPair hopperGroup{"Trichter", "Hopper"};
const TextPair wallSlopeLabel{"Wandneigung geg. die Vertikale [°]",
    "Wall slope against vertical [°]"};
const TextPair outletWidthLabel{"Auslaufbreite/ -durchmesser [m]", "Outlet width/ diameter [m]"};
const TextPair endWallFrictionLabel{"PHIX [°] Stirnwände", "PHIX [°] at end walls"};
const TextPair belowHopperGroup{"Unter Trichter", "Below hopper"};
const TextPair belowHopperSectionBox{"Vertikalteil", "Vert. section"};
const TextPair belowHopperHeightLabel{"Höhe [m]", "Height [m]"};
const TextPair calculatedGroup{"Berechnet:", "Calculated:"};
const TextPair siloHeightLabel{"Silohöhe [m]", "Silo height [m]"};
const TextPair hopperHeightLabel{"Trichterhöhe [m]", "Hopper height [m]"};
const TextPair bulkSolidVolumeLabel{"Schüttgutvolumen [m3]", "Bulk solid volume [m3]"};
const TextPair siloVolumeLabel{"Silovolumen [m3]", "Silo volume [m3]"};
const TextPair massFlowMark{"MF", "MF"};
const TextPair funnelFlowMark{"KF", "FF"};
}  // namespace parameters

// ---- parameter form: tool tips ----
namespace parameterHint {
const TextPair constantDensity{
    "Schüttgutdichte RHOB unabhängig von der Spannung SIGMA. Benutzt wird Wert RHOMIN.",
    "Bulk density RHOB independent of stress SIGMA. RHOB will be set equal to RHOMIN."};
const TextPair densityFunction{
    "Angepasster Wert für Glg.: RHOB = RHOMIN + (RHOMAX-RHOMIN)*[1-exp(-SIGMA/SIGMA0)]",
    "Value fitted to eq.: RHOB = RHOMIN + (RHOMAX-RHOMIN)*[1-exp(-SIGMA/SIGMA0)]"};
const TextPair densityFit{
    "Angepasste Glg.: RHOB = RHOMIN + (RHOMAX-RHOMIN)*[1-exp(-SIGMA/SIGMA0)]",
    "Curve fit: RHOB = RHOMIN + (RHOMAX-RHOMIN)*[1-exp(-SIGMA/SIGMA0)]"};
const TextPair effectiveFrictionAngle{
    "Effektiver Reibungswinkel. Maß für die innere Reibung des Schüttgutes beim stationären "
    "Fließen.",
    "Effective angle of internal friction. Measure for the internal friction at stationäry flow."};
const TextPair ratioK{"Horizontallastverhältnis",
    "Stress ratio K = (wall normal stress)/(mean vertical stress)"};
const TextPair ratioKFromFriction{"Berechnung: K = 1.2*(1-sin(PHIE))",
    "Calculation: K = 1.2*(1-sin(PHIE))"};
const TextPair ratioKEstimate{"Üblicher Schätzwert", "Estimated value which is often used."};
const TextPair stressState{
    "Zur Berechnung der Trichterspannungen: Füllzustand nach Motzkus, Entleerungszustand nach "
    "Jenike.",
    "Calculation of the hopper stresses: Filling state due to Motzkus´ theory, discharge state due "
    "to Jenike´s theory"};
const TextPair heap{"Konus bei Kreisquerschnitt, Obelisk bei Rechteckquerschnitt",
    "Conical heap for circular silos, obelisk for rectangular silos"};
const TextPair angleOfRepose{
    "Der Böschungswinkel ist der Winkel der Schüttgutoberfläche gegen die Horizontale",
    "The angle of repose is the slope of the bulk solid surface measured against the horizontal."};
const TextPair surfaceStress{
    "Von oben auf die horizontale Schüttgutoberfläche aufgeprägte Druckspannung",
    "Vertical stress acting from the top on the bulk solid surface."};
const TextPair fillHeightWithHeap{
    "Bei Schüttkegel ist dies die Füllhöhe bis zur Spitze des Schüttkegels",
    "If the surface is not horizontal, this value is the filling height up to the top of the "
    "heap."};
const TextPair fillHeightWithoutHeap{"Füllhöhe bis Unterkante Schüttkegel",
    "Filling height up the lower edge of the heap"};
const TextPair shaftWallFriction{"Wandreibungswinkel im schaft",
    "Wall friction angle in the vertical section"};
const TextPair crossSectionSize{
    "Querschnittsmaße für den Schaft bzw. die Trichteroberkante",
    "Dimensions of the cross-section of the vertical section and the upper edge of the hopper."};
const TextPair flowMark{"Nur bei Entleerungszustand: MF = Massenfluss, KF = Kernfluss",
    "Only at discharge: MF = mass flow, FF = funnel flow."};
const TextPair hopperWallFriction{"Wandreibungswinkel der geneigten Trichterände",
    "Wall friction angle of inclined hopper walls"};
const TextPair endWallFriction{
    "Wandreibungswinkel an den Stirnwänden des keilförmigen Trichters",
    "Wall friction angle at vertical end walls of wedge-shaped hopper"};
const TextPair belowHopperSection{"Bereich mit vertikalen Wänden unterhalb des Trichters",
    "Section below the hopper with vertical walls."};
const TextPair belowHopperWallFriction{
    "Wandreibungswinkel im Vertikalteil unterhalb des Trichters.",
    "Wall friction angle in the vertical section beow the hopper."};
const TextPair bulkSolidVolume{"Bei gegebener Füllhöhe vom Schüttgut eingenommenes Volumen.",
    "Volume of the bulk solid at given filling height."};
const TextPair siloVolume{"Vollständiges Siloinnenvolumen", "Total volume of the silo."};
const TextPair okButton{"Änderungen übernehmen, Fenster schließen.",
    "Close window and keep changes."};
const TextPair cancelButton{"Änderungen verwerfen, Fenster schließen.",
    "Close window and discard changes."};
}  // namespace parameterHint

// ---- parameter problems ----
namespace problem {
const TextPair fillHeightAboveSilo{"Füllhöhe höher als Silooberkante.",
    "Filling height > silo height."};
const TextPair densityParameters{"Ungültige Parameter zur Berechnung der Schüttgutdichte rhob!",
    "Invalid parameters for calculation of bulk density rhob"};
const TextPair siloGeometry{"Ungültige Siloform!", "Invalid silo gemetry"};
const TextPair frictionAngles{"Ungültige Werte von PHIX und/oder PHIE.",
    "Invalid values of PHIX and/or PHIE"};
const TextPair ratioKNotPositive{"K muss größer Null sein.", "K must be greater than zero."};
const TextPair angleOfRepose{"Ungültiger Wert für Böschungswinkel.",
    "Invalid value of the angle of repose."};
const TextPair missingDensityPairs{"Fehlende Wertepaare für Dichte-Spannungs-Funktion.",
    "Missing data for density-stress-function."};
}  // namespace problem

// ---- density window ----
namespace density {
const TextPair caption{"Schüttgutdichte RHOB", "Bulk density RHOB"};
const TextPair instructions{
    "Eingabe von Wertepaaren: Spannung SIGMA und zugehörige Schüttgutdichte RHOB",
    "Input of test points: Stress SIGMA and corresponding bulk density RHOB"};
const TextPair checkButton{"Testen", "Check"};
const TextPair fitModeGroup{"Art der Anpassung", "Mode of approximation"};
const TextPair linearRegression{"RHOB = m*SIGMA + b (lin. Regression)",
    "RHOB = m*SIGMA + b (lin. Regression)"};
const TextPair logarithmicFit{"RHOB = RHO1*LN(SIGMA/Pa) + RHO0", "RHOB = RHO1*LN(SIGMA/Pa) + RHO0"};
const TextPair exponentialFit{"RHOB = RHOMIN + (RHOMAX-RHOMIN)*(1-EXP(SIGMA/SIGMA0))",
    "RHOB = RHOMIN + (RHOMAX-RHOMIN)*(1-EXP(SIGMA/SIGMA0))"};
const TextPair linearInterpolation{"Linear Interpolieren/Extrapolieren",
    "Interpolate/Extrapolate (linear)"};
const TextPair fitNotComputable{
    "Die gewählte Anpassung lässt sich aus diesen Wertepaaren nicht berechnen.",
    "The chosen fit cannot be computed from these pairs."};
const TextPair incompleteRow{"Zeile %1: bitte SIGMA und RHOB eingeben oder die Zeile leeren.",
    "Row %1: please enter both SIGMA and RHOB or clear the row."};
}  // namespace density

// ---- density window: the fitted law's parameters and how well it fits ----
namespace densityFit {
const TextPair resultGroup{"Ergebnis der Anpassung", "Result of the fit"};
const TextPair noFitYet{"Noch keine Anpassung: mindestens zwei Wertepaare eingeben und "
                        "\"Testen\" drücken.",
    "No fit yet: enter at least two pairs and press \"Check\"."};
const TextPair throughEveryPair{"Die Linie geht durch jedes Wertepaar.",
    "The line passes through every pair."};
const TextPair largestDeviation{"Größte Abweichung: %1 kg/m3 (%2 %) bei SIGMA = %3 Pa",
    "Largest deviation: %1 kg/m3 (%2 %) at SIGMA = %3 Pa"};
const TextPair formFieldsHint{
    "Werte der angepassten Dichtefunktion (Button \"Werte\"); RHOMAX und SIGMA0 hat nur die "
    "Exponentialfunktion, RHOMIN ist die Dichte ohne Spannung.",
    "Values of the fitted density law (button \"Data\"); only the exponential law has RHOMAX "
    "and SIGMA0, RHOMIN is the density without stress."};
}  // namespace densityFit

// ---- start window (the conditions of use are in long_texts.cpp) ----
namespace start {
const TextPair conditionsCaption{"Nutzungsbedingungen", "LICENCE"};
const TextPair accept{"Ich stimme zu.", "I agree."};
const TextPair cancel{"ABBRUCH", "CANCEL"};
}  // namespace start

// ---- literature window ----
namespace literature {
const TextPair caption{"Buch", "Book"};
const TextPair moreInformation{"Weitere Informationen: ", "More information:"};
}  // namespace literature

// ---- help text windows: captions and heading (the texts are in long_texts.cpp) ----
namespace help {
const TextPair whatItCalculatesCaption{"Was dieses Programm berechnet", "What this program can do"};
const TextPair dataInputOutputCaption{"Dateneingabe und -ausgabe", "Data input and output"};
const TextPair bulkSolidDefaultsCaption{"Vorgabewerte Schüttgut", "Bulk solid`s properties"};
const TextPair siloDefaultsCaption{"Vorgabewerte Silo", "Silo parameters"};
const TextPair calculationMethodsCaption{"Berechnungsmethoden",
    "Methods of the stress calculation"};
const TextPair flowPropertiesCaption{"Woher bekomme ich Schüttgutkennwerte?",
    "How to obtain flow properties of bulk solids"};
const TextPair flowPropertiesHeading{"Schüttgutkennwerte", "Bulk solids flow properties"};
}  // namespace help

// ---- printing ----
namespace printing {
const TextPair printerLabel{"Drucker:", "Printer:"};
const TextPair pdfInsteadOfPrinter{"PDF-Datei (ohne Drucker)", "PDF file (no printer)"};
const TextPair fileLabel{"Datei:", "File:"};
const TextPair newFileInResultFolder{"neue Datei im Ergebnisordner",
                                     "new file in the result folder"};
const TextPair paperLabel{"Papier:", "Paper:"};
const TextPair orientationLabel{"Ausrichtung:", "Orientation:"};
const TextPair portrait{"&Hochformat", "&Portrait"};
const TextPair landscape{"&Querformat", "&Landscape"};
const TextPair choosePdfFile{"PDF-Datei wählen", "Choose PDF file"};
const TextPair pageSavedAsPdf{"Die Seite wurde als PDF-Datei gespeichert:\n",
    "The page was saved as a PDF file:\n"};
const TextPair printFailed{"Die Seite konnte nicht gedruckt werden. Drucker: ",
    "The page could not be printed. Printer: "};
const TextPair pdfNotWritten{"Die PDF-Datei konnte nicht geschrieben werden:\n",
    "The PDF file could not be written:\n"};
const TextPair chosenFileHoldsPage{
    "Die beim Einrichten gewählte PDF-Datei enthält schon eine gedruckte Seite:\n",
    "The PDF file chosen in the printer set-up already holds a printed page:\n"};
const TextPair replaceOrNewName{
    "\n\nOK ersetzt sie, Abbrechen speichert die Seite unter einem neuen Namen daneben.",
    "\n\nOK replaces it, Cancel saves the page under a new name beside it."};
}  // namespace printing

// ---- unsaved parameter changes kept over a crash ----
namespace recovery {
const TextPair caption{"Nicht gespeicherte Änderungen", "Unsaved changes"};
const TextPair question{
    "Korvane wurde nicht ordnungsgemäß beendet. Nicht gespeicherte Änderungen der Parameter "
    "wurden aufbewahrt:\n\nDatei: %1\nGeändert: %2\n\nSollen sie wiederhergestellt werden?",
    "Korvane was not closed properly. Unsaved changes of the parameters were kept:\n\n"
    "File: %1\nChanged: %2\n\nRestore them?"};
const TextPair noFile{"(noch keine Datei)", "(no file yet)"};
const TextPair restoreButton{"Wiederherstellen", "Restore"};
const TextPair discardButton{"Verwerfen", "Discard"};
const TextPair notRestored{"Die aufbewahrten Änderungen konnten nicht gelesen werden.",
    "The kept changes could not be read."};
}  // namespace recovery

// ---- texts that are the same in both languages ----
const char* const kProductName = "KORVANE";
const char* const kMakerNotice = "© 2026 Korvane developers";
const char* const kWebAddress = "https://www.example.org/korvane";
const char* const kBookPage = "https://www.example.org/korvane/book.html";
const char* const kVersionLine = "Version 1.2.0.4";
const char* const kApplicationTitle = "Korvane";
const char* const kEulaFile = "KORVANE_EULA.pdf";
const char* const kEulaMenu = "&EULA";
const char* const kLanguageMenu = "&Sprache/Language";
const char* const kGerman = "Deutsch";
const char* const kEnglish = "English";
const char* const kChooseLanguage = "Bitte Sprache wählen / Please select language:";
const char* const kAboutCaption = "Info";
const char* const kClickToVisit = "(click to visit)";
const char* const kProblemCaption = "PROBLEM";
const char* const kCloseButton = "Close";

// ---- desktop habits, the readable diagram and the exports that agree ----
namespace habits {
const TextPair recentFiles{"&Zuletzt geöffnet", "Recent &files"};
const TextPair undo{"&Rückgängig", "&Undo"};
const TextPair redo{"&Wiederherstellen", "&Redo"};
const TextPair parameterChange{"Parameteränderung", "parameter change"};
const TextPair unsavedCaption{"Parameter geändert", "Parameters changed"};
const TextPair unsavedQuestion{
    "Die Parameter wurden geändert und noch nicht gespeichert. Änderungen speichern?",
    "The parameters have been changed and not saved yet. Save the changes?"};
const TextPair stressesInKpa{"Spannungen in &kPa", "Stresses in &kPa"};
const TextPair filling{"Füllen", "filling"};
const TextPair discharging{"Entleeren", "discharging"};
const TextPair comparison{"Vergleich", "comparison"};
const TextPair funnelFlowDischarge{
    "Kernfluss: Ergebnisse des Entleerungszustands ungültig!",
    "Funnel flow: discharge results not valid!"};
const TextPair noParameterFile{"(ohne Parameterdatei)", "(no parameter file)"};
const TextPair page{"Seite ", "Page "};
}  // namespace habits

// ---- every pair, for iteration ----
const TextPair* const kAllPairs[] = {
    &menu::file, &menu::openParameterFile, &menu::saveParameterFile, &menu::saveParameterFileAs,
    &menu::saveResults, &menu::saveResultsAs, &menu::print, &menu::printTable, &menu::printDiagram,
    &menu::printerSetup, &menu::exit, &menu::parameters, &menu::editParameters,
    &menu::viewParameters, &menu::help, &menu::whatItCalculates, &menu::dataInputOutput,
    &menu::bulkSolidDefaults, &menu::siloDefaults, &menu::calculationMethods, &menu::flowProperties,
    &menu::book, &menu::about,
    &view::menuTitle, &view::showBothStates, &view::compareWithFile, &view::endComparison,
    &view::exportDiagram, &view::copyTable, &view::comparisonInvalid,
    &view::comparisonNotFinite, &view::exportFileTypes, &view::exportImageWidth,
    &view::exportFailed,
    &study::menuItem, &study::caption, &study::firstField, &study::secondField,
    &study::noSecondField, &study::from, &study::to, &study::step, &study::result,
    &study::contents, &study::outletStress, &study::largestWallStress, &study::heightOfLargest,
    &study::start, &study::cancel, &study::exportCsv, &study::exportPng, &study::close,
    &study::running, &study::finished, &study::cancelled, &study::withoutResult,
    &study::badNumber, &study::badStep, &study::tooManyRuns, &study::sameField,
    &study::noEffect, &study::csvFileTypes, &study::pngFileTypes, &study::exportFailed,
    &mainWindow::positionColumn, &mainWindow::zColumn, &mainWindow::densityColumn,
    &mainWindow::verticalStressColumn, &mainWindow::wallStressColumn, &mainWindow::messagesLabel,
    &mainWindow::outletStressLabel, &mainWindow::contentsLabel, &mainWindow::stateLabel,
    &mainWindow::currentParameterFile, &mainWindow::modifiedMark, &mainWindow::fillingState,
    &mainWindow::dischargeState,
    &hint::mainWindow, &hint::stateField, &hint::contentsField, &hint::outletStressField,
    &hint::positionColumn, &hint::zColumn, &hint::densityColumn, &hint::verticalStressColumn,
    &hint::wallStressColumn,
    &results::densityRangeExceeded, &results::funnelFlow, &results::noValidResults,
    &results::invalidNumbers, &results::allStressesZero,
    &position::hopperTopLevel, &position::hopperBottomLevel, &position::siloTopLevel,
    &position::fillingTopLevel, &position::heapBottomLevel, &position::outlet,
    &position::heapBottomRow, &position::fillingTopRow, &position::shaftBottomRow,
    &position::hopperBottomRow,
    &printout::parameterFile, &printout::state, &printout::contents, &printout::outletStress,
    &error::caption, &error::line, &error::file, &error::fileNotWritten,
    &parameters::caption, &parameters::captionWithFile, &parameters::densityGroup,
    &parameters::cancelButton, &parameters::constantDensity, &parameters::densityFunction,
    &parameters::densityFit, &parameters::densityDataButton, &parameters::internalFrictionGroup,
    &parameters::ratioKGroup, &parameters::ownRatioK, &parameters::stressStateGroup,
    &parameters::fillingStateItem, &parameters::dischargeStateItem, &parameters::crossSectionGroup,
    &parameters::circularItem, &parameters::rectangularItem, &parameters::surfaceGroup,
    &parameters::flatSurface, &parameters::heap, &parameters::angleOfReposeLabel,
    &parameters::surfaceStress, &parameters::fillHeightGroup, &parameters::fillHeightWithHeapLabel,
    &parameters::fillHeightWithoutHeapLabel, &parameters::shaftGroup, &parameters::presentBox,
    &parameters::shaftHeightLabel, &parameters::crossSectionSizeGroup,
    &parameters::diameterWidthLabel, &parameters::lengthLabel, &parameters::hopperGroup,
    &parameters::wallSlopeLabel, &parameters::outletWidthLabel, &parameters::endWallFrictionLabel,
    &parameters::belowHopperGroup, &parameters::belowHopperSectionBox,
    &parameters::belowHopperHeightLabel, &parameters::calculatedGroup, &parameters::siloHeightLabel,
    &parameters::hopperHeightLabel, &parameters::bulkSolidVolumeLabel, &parameters::siloVolumeLabel,
    &parameters::massFlowMark, &parameters::funnelFlowMark,
    &parameterHint::constantDensity, &parameterHint::densityFunction, &parameterHint::densityFit,
    &parameterHint::effectiveFrictionAngle, &parameterHint::ratioK,
    &parameterHint::ratioKFromFriction, &parameterHint::ratioKEstimate, &parameterHint::stressState,
    &parameterHint::heap, &parameterHint::angleOfRepose, &parameterHint::surfaceStress,
    &parameterHint::fillHeightWithHeap, &parameterHint::fillHeightWithoutHeap,
    &parameterHint::shaftWallFriction, &parameterHint::crossSectionSize, &parameterHint::flowMark,
    &parameterHint::hopperWallFriction, &parameterHint::endWallFriction,
    &parameterHint::belowHopperSection, &parameterHint::belowHopperWallFriction,
    &parameterHint::bulkSolidVolume, &parameterHint::siloVolume, &parameterHint::okButton,
    &parameterHint::cancelButton,
    &problem::fillHeightAboveSilo, &problem::densityParameters, &problem::siloGeometry,
    &problem::frictionAngles, &problem::ratioKNotPositive, &problem::angleOfRepose,
    &problem::missingDensityPairs,
    &density::caption, &density::instructions, &density::checkButton, &density::fitModeGroup,
    &density::linearRegression, &density::logarithmicFit, &density::exponentialFit,
    &density::linearInterpolation, &density::fitNotComputable, &density::incompleteRow,
    &densityFit::resultGroup, &densityFit::noFitYet, &densityFit::throughEveryPair,
    &densityFit::largestDeviation, &densityFit::formFieldsHint,
    &start::conditionsCaption, &start::accept, &start::cancel, &start::conditionsText,
    &literature::caption, &literature::moreInformation,
    &help::whatItCalculatesCaption, &help::dataInputOutputCaption, &help::bulkSolidDefaultsCaption,
    &help::siloDefaultsCaption, &help::calculationMethodsCaption, &help::flowPropertiesCaption,
    &help::flowPropertiesHeading, &help::whatItCalculatesText, &help::dataInputOutputText,
    &help::bulkSolidDefaultsText, &help::siloDefaultsText, &help::calculationMethodsText,
    &help::flowPropertiesText,
    &printing::printerLabel, &printing::pdfInsteadOfPrinter, &printing::fileLabel,
    &printing::newFileInResultFolder, &printing::paperLabel, &printing::orientationLabel,
    &printing::portrait, &printing::landscape, &printing::choosePdfFile,
    &printing::pageSavedAsPdf, &printing::printFailed, &printing::pdfNotWritten,
    &printing::chosenFileHoldsPage, &printing::replaceOrNewName,
    &habits::recentFiles, &habits::undo, &habits::redo, &habits::parameterChange,
    &habits::unsavedCaption, &habits::unsavedQuestion, &habits::stressesInKpa, &habits::filling,
    &habits::discharging, &habits::comparison, &habits::funnelFlowDischarge,
    &habits::noParameterFile, &habits::page,
    &recovery::caption, &recovery::question, &recovery::noFile, &recovery::restoreButton,
    &recovery::discardButton, &recovery::notRestored,
};
const int kAllPairsCount = int(sizeof(kAllPairs) / sizeof(kAllPairs[0]));

QString problemText(int code, int language) {
    const TextPair* p = nullptr;
    switch (code) {
    case 3: p = &problem::fillHeightAboveSilo; break;
    case 6: p = &problem::densityParameters; break;
    case 9: p = &problem::siloGeometry; break;
    case 10: p = &problem::frictionAngles; break;
    case 13: p = &problem::ratioKNotPositive; break;
    case 20: p = &problem::angleOfRepose; break;
    case 21: p = &problem::missingDensityPairs; break;
    default: return QString();
    }
    return T(*p, language);
}

QString problemText(int code) { return problemText(code, g_language); }

}  // namespace korvane::texts
