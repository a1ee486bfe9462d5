// The bilingual text table. Every text the user sees is one pair here:
// element 0 German, element 1 English, UTF-8. Texts that end with a blank
// keep it; menu captions keep their '&' access letters. The long help texts
// and the conditions of use live in tkonst_long.cpp.
#include "ui/texts/tkonst.h"

#include "ui/texts/qt_translation.h"

namespace korvane::tkonst {

namespace {
int g_sprache = 0;  // 0 German, 1 English; every start begins in German
}

int sprache() { return g_sprache; }

void setSprache(int index) {
    // Only the two language commands write the index; anything else is ignored
    // so that a look-up can never index outside the pair.
    if (index == 0 || index == 1) g_sprache = index;
    // Qt's own dialogs and buttons speak the same language.
    applyQtTranslation(g_sprache);
}

QString T(const TextPair& p, int language) {
    return QString::fromUtf8(language == 1 ? p.en : p.de);
}

QString T(const TextPair& p) { return T(p, g_sprache); }

// ---- main window: menus ----
const TextPair Datei1{"&Datei", "&File"};
const TextPair Dateioeffnen1{"Parameterdatei &öffnen", "&Open parameter file"};
const TextPair Speichern3{"Parameterdatei &speichern", "&Save parameter file"};
const TextPair Speichernunter1{"Parameterdatei speichern &unter", "Save parameter file &as"};
const TextPair ErgebnisseSpeichern{"&Ergebnisdatei speichern", "Save &results"};
const TextPair Ergebnisdateispeichernunter1{"&Ergebnisdatei s&peichern unter", "S&ave results as"};
const TextPair Ergebnissedrucken1{"&Drucken", "&Print"};
const TextPair Tabelle1{"&Tabelle", "&Table"};
const TextPair Diagramm1{"&Diagramm", "&Diagram"};
const TextPair Druckereinrichten1{"Drucker &einrichten", "Printer set&up"};
const TextPair Beenden1{"&Beenden", "E&xit"};
const TextPair Einstellungen1{"&Parameter", "&Parameters"};
const TextPair Parameter1{"&Bearbeiten", "&Edit"};
const TextPair Ansehen1{"&Ansehen", "&View"};
const TextPair About1{"&Hilfe", "&Help"};
const TextPair WasdiesesProgrammberechnet1{"&Was dieses Programm berechnet", "&What this program can do"};
const TextPair Daten1{"&Dateneingabe und -ausgabe", "&Data input and output"};
const TextPair Vorgabewerte1{"Vorgabewerte Sch&üttgut", "&Bulk solid properties"};
const TextPair VorgabeSiloInfo1{"Vorgabewerte S&ilo", "Silo parameters"};
const TextPair Berechnungsmethoden1{"&Berechnungsmethoden", "Methods of calculation"};
const TextPair Woher{"Wo&her bekomme ich Schüttgutkennwerte?", "&How to obtain flow properties of bulk solids"};
const TextPair Literatur1{"&Buch zur Schüttguttechnik", "&Book on bulk solids"};
const TextPair Info1{"&Über ", "&About ..."};

// ---- main window: labels, status fields, hints ----
const TextPair Label1{"Position", "Position"};
const TextPair Label2{"z [m]", "z [m]"};
const TextPair Label4{"RHOB [kg/m3]", "RHOB [kg/m3]"};
const TextPair Label6{"SIGMAV [Pa]", "SIGMAV [Pa]"};
const TextPair Label7{"SIGMAW [Pa]", "SIGMAW [Pa]"};
const TextPair StaticText1{"Meldungen:", "Messages:"};
const TextPair Labelvertsp{"SIGMAV,Auslauf [Pa]", "SIGMAV,outlet [Pa]"};
const TextPair Label10{"Füllmenge [kg]:", "Contents [kg]:"};
const TextPair Label24{"Zustand:", "State:"};
const TextPair AktuelleParameterdatei{"Aktuelle Parameterdatei", "Actual parameter file"};
const TextPair Geaendert{"Geändert!", "Data modified!"};
const TextPair Fuellzustand{"Füllzustand", "Filling"};
const TextPair Entleerungszust{"Entleerungszust.", "Discharging"};
const TextPair Messbereich{"Messbereich RHOB überschritten!", "RHOB data range exceeded!"};
const TextPair Kernfluss{"Kernfluss! Berechnung ungültig!", "Funnel flow! Results not valid!"};
const TextPair Form1Hint{
    "Zur Eingabe anderer Schüttgutkennwerte oder Siloabmessungen wählen Sie im Menü \"Parameter\" "
    "den Befehl \"Bearbeiten\".",
    "To edit parameters choose \"Edit\" in the menu \"Parameters\"."};
const TextPair Edit11Hint{
    "Füllzustand (nach dem Füllen des leeren Silos) oder Entleerungszustand (nachdem schon einmal "
    "etwas Schüttgut abgezogen wurde)",
    "Filling state (after filling the empty silo) or discharge state (after some bulk solid has "
    "been discharged)."};
const TextPair Edit3Hint{"Masse des Schüttgutes im Silo", "Mass of silo contents (bulk solid)"};
const TextPair VertspauslHint{"Vertikalspannung am Auslauf (UK Silo)",
                              "Vertical stress at the outlet (lower edge of silo)"};
const TextPair PositionHint{"OK: Oberkante; UK: Unterkante", "UE: upper edge; LE: lower edge"};
const TextPair Label2Hint{"Abstand von der Silounterkante (Auslauf)",
                          "Distance from the lower edge of the silo (outlet)"};
const TextPair Label4Hint{"Schüttgutdichte", "Bulk density"};
const TextPair Label6Hint{"Mittlere Vertikalspannung über dem Querschnitt",
                          "Mean vertical stress in this cross-section."};
const TextPair Label7Hint{"Wandnormalspannung", "Wall normal stress"};

// ---- position marks ----
const TextPair OKTrichter{"OK Trichter", "UE hopper"};
const TextPair UKTrichter{"UK Trichter", "LE hopper"};
const TextPair OKSilo{"OK Silo", "UE silo"};
const TextPair OKFuellung{"OK Füllung", "UE bulk solid"};
const TextPair UKSchuettkegel{"UK Schüttkegel", "LE heap"};
const TextPair Auslauf{"Auslauf", "outlet"};
const TextPair UKKegel{"UK Kegel", "LE heap"};
const TextPair OKFuellg{"OK Füllg.", "UE bulk s."};
const TextPair UKSchaft{"UK Schaft", "LE vert.s."};
const TextPair UKTricht{"UK Tricht.", "LE hopper"};
const TextPair Parameterdatei{"Parameterdatei", "Parameter file"};
const TextPair Zustand{"Zustand", "State"};
const TextPair Fuellmenge{"Füllmenge", "Contents"};
const TextPair Vertspannungauslauf{"Vertikalspannung am Auslauf", "Vertical stress at the outlet"};

// ---- parameter form: captions and items ----
const TextPair ParameterCaption{"Parameter", "Parameters"};
const TextPair ParameterdateiCaption{"Parameter      [Aktuelle Parameterdatei: ",
                                     "Parameter      [parameter file: "};
const TextPair Schuettgutdichte{"Schüttgutdichte", "Bulk density"};
const TextPair Abbruch{"ABBRUCH", "CANCEL"};
const TextPair Rhokonst{"konstant", "constant"};
const TextPair Rhofunkt{"Funktion", "Function"};
const TextPair Rhoanpass{"Anpassung", "Curve fit"};
const TextPair WerteButton{"Werte", "Data"};
const TextPair InnereReibung{"Innere Reibung", "Internal friction"};
const TextPair KLambda{"K (LAMBDA)", "Ratio K"};
const TextPair RadioButton7{"Wert:", "Value:"};
const TextPair RadioGroup4{"Spannungszustand", "Stress state"};
const TextPair Spannungszustand0{"Füllzustand", "Filling"};
const TextPair Spannungszustand1{"Entleerungszust.", "Discharging"};
const TextPair RadioGroup1{"Siloquerschnitt", "Silo cross-section"};
const TextPair Kreis{"Kreis", "circular"};
const TextPair Rechteck{"Rechteck", "rectangular"};
const TextPair AuflastOberflaeche{"Auflast/Oberfläche", "Load on top surface"};
const TextPair RadioButton1{"keine", "no"};
const TextPair boeschungsw{"Schüttkegel", "Heap"};
const TextPair Boeschungswinkel{"Böschungs- winkel [°]:", "Angle of repose [°]"};
const TextPair Auflast{"Druckspang.", "vert. stress"};
const TextPair Fuellhoehe{"Füllhöhe", "Filling height"};
const TextPair InklSchuettkegel{"ab Silounterkante inkl. Schüttkegel [m]", "meas. from outlet incl. heap [m]"};
const TextPair OhneSchuettkegel{"ab Silounterkante ohne Schüttkegel [m]", "meas. from outlet excl. heap [m]"};
const TextPair Siloschaft{"Siloschaft", "Vertical section"};
const TextPair Ja{"Ja", "Yes"};
const TextPair HoeheSchaft{"Höhe [m]", "Height [m]"};
const TextPair SchaftOKTrichter{"Schaft/OK Trichter", "Vert. sect./Trans."};
const TextPair DurchmesserBreite{"Durchmesser/ Breite [m]", "Diameter/ Width [m]"};
const TextPair Laenge{"Länge [m]", "Length [m]"};
const TextPair Trichter{"Trichter", "Hopper"};
const TextPair Wandneigung{"Wandneigung geg. die Vertikale [°]", "Wall slope against vertical [°]"};
const TextPair Auslaufbreite{"Auslaufbreite/ -durchmesser [m]", "Outlet width/ diameter [m]"};
const TextPair PhixStirnwaende{"PHIX [°] Stirnwände", "PHIX [°] at end walls"};
const TextPair UnterTrichter{"Unter Trichter", "Below hopper"};
const TextPair Vertikalteil{"Vertikalteil", "Vert. section"};
const TextPair HoeheUnten{"Höhe [m]", "Height [m]"};
const TextPair Berechnet{"Berechnet:", "Calculated:"};
const TextPair Silohoehe{"Silohöhe [m]", "Silo height [m]"};
const TextPair Trichterhoehe{"Trichterhöhe [m]", "Hopper height [m]"};
const TextPair Schuettgutvolumen{"Schüttgutvolumen [m3]", "Bulk solid volume [m3]"};
const TextPair Silovolumen{"Silovolumen [m3]", "Silo volume [m3]"};
const TextPair MF{"MF", "MF"};
const TextPair KF{"KF", "FF"};

// ---- parameter form: hints ----
const TextPair RhokonstHint{
    "Schüttgutdichte RHOB unabhängig von der Spannung SIGMA. Benutzt wird Wert RHOMIN.",
    "Bulk density RHOB independent of stress SIGMA. RHOB will be set equal to RHOMIN."};
const TextPair RhofunktHint{
    "Angepasster Wert für Glg.: RHOB = RHOMIN + (RHOMAX-RHOMIN)*[1-exp(-SIGMA/SIGMA0)]",
    "Value fitted to eq.: RHOB = RHOMIN + (RHOMAX-RHOMIN)*[1-exp(-SIGMA/SIGMA0)]"};
const TextPair RhoanpassHint{
    "Angepasste Glg.: RHOB = RHOMIN + (RHOMAX-RHOMIN)*[1-exp(-SIGMA/SIGMA0)]",
    "Curve fit: RHOB = RHOMIN + (RHOMAX-RHOMIN)*[1-exp(-SIGMA/SIGMA0)]"};
const TextPair Edit15Hint{
    "Effektiver Reibungswinkel. Maß für die innere Reibung des Schüttgutes beim stationären Fließen.",
    "Effective angle of internal friction. Measure for the internal friction at stationäry flow."};
const TextPair KLambdaHint{"Horizontallastverhältnis",
                           "Stress ratio K = (wall normal stress)/(mean vertical stress)"};
const TextPair RadioButton5Hint{"Berechnung: K = 1.2*(1-sin(PHIE))", "Calculation: K = 1.2*(1-sin(PHIE))"};
const TextPair RadioButton6Hint{"Üblicher Schätzwert", "Estimated value which is often used."};
const TextPair RadioGroup4Hint{
    "Zur Berechnung der Trichterspannungen: Füllzustand nach Motzkus, Entleerungszustand nach Jenike.",
    "Calculation of the hopper stresses: Filling state due to Motzkus´ theory, discharge state due "
    "to Jenike´s theory"};
const TextPair boeschungswHint{"Konus bei Kreisquerschnitt, Obelisk bei Rechteckquerschnitt",
                               "Conical heap for circular silos, obelisk for rectangular silos"};
const TextPair boeschwinkelHint{
    "Der Böschungswinkel ist der Winkel der Schüttgutoberfläche gegen die Horizontale",
    "The angle of repose is the slope of the bulk solid surface measured against the horizontal."};
const TextPair AuflastHint{"Von oben auf die horizontale Schüttgutoberfläche aufgeprägte Druckspannung",
                           "Vertical stress acting from the top on the bulk solid surface."};
const TextPair Edit5Hint{
    "Bei Schüttkegel ist dies die Füllhöhe bis zur Spitze des Schüttkegels",
    "If the surface is not horizontal, this value is the filling height up to the top of the heap."};
const TextPair HohnekegelHint{"Füllhöhe bis Unterkante Schüttkegel",
                              "Filling height up the lower edge of the heap"};
const TextPair PhixschaftHint{"Wandreibungswinkel im schaft", "Wall friction angle in the vertical section"};
const TextPair Edit4Hint{
    "Querschnittsmaße für den Schaft bzw. die Trichteroberkante",
    "Dimensions of the cross-section of the vertical section and the upper edge of the hopper."};
const TextPair MFKFLabelHint{"Nur bei Entleerungszustand: MF = Massenfluss, KF = Kernfluss",
                             "Only at discharge: MF = mass flow, FF = funnel flow."};
const TextPair PhixtrichterHint{"Wandreibungswinkel der geneigten Trichterände",
                                "Wall friction angle of inclined hopper walls"};
const TextPair PHIXTrichterStirnwandHint{
    "Wandreibungswinkel an den Stirnwänden des keilförmigen Trichters",
    "Wall friction angle at vertical end walls of wedge-shaped hopper"};
const TextPair vertuntenHint{"Bereich mit vertikalen Wänden unterhalb des Trichters",
                             "Section below the hopper with vertical walls."};
const TextPair PhixuntenHint{"Wandreibungswinkel im Vertikalteil unterhalb des Trichters.",
                             "Wall friction angle in the vertical section beow the hopper."};
const TextPair SilonetvolHint{"Bei gegebener Füllhöhe vom Schüttgut eingenommenes Volumen.",
                              "Volume of the bulk solid at given filling height."};
const TextPair SilobrutvolHint{"Vollständiges Siloinnenvolumen", "Total volume of the silo."};
const TextPair Button1Hint{"Änderungen übernehmen, Fenster schließen.", "Close window and keep changes."};
const TextPair Button2Hint{"Änderungen verwerfen, Fenster schließen.", "Close window and discard changes."};

// ---- parameter problems and the load error ----
const TextPair Problem03{"Füllhöhe höher als Silooberkante.", "Filling height > silo height."};
const TextPair Problem06{"Ungültige Parameter zur Berechnung der Schüttgutdichte rhob!",
                         "Invalid parameters for calculation of bulk density rhob"};
const TextPair Problem09{"Ungültige Siloform!", "Invalid silo gemetry"};
const TextPair Problem10{"Ungültige Werte von PHIX und/oder PHIE.", "Invalid values of PHIX and/or PHIE"};
const TextPair Problem13{"K muss größer Null sein.", "K must be greater than zero."};
const TextPair Problem20{"Ungültiger Wert für Böschungswinkel.", "Invalid value of the angle of repose."};
const TextPair Problem21{"Fehlende Wertepaare für Dichte-Spannungs-Funktion.",
                         "Missing data for density-stress-function."};
const TextPair Fehler{"Fehler", "Error"};

// ---- density window ----
const TextPair Form6Caption{"Schüttgutdichte RHOB", "Bulk density RHOB"};
const TextPair Eingabetext{"Eingabe von Wertepaaren: Spannung SIGMA und zugehörige Schüttgutdichte RHOB",
                           "Input of test points: Stress SIGMA and corresponding bulk density RHOB"};
const TextPair TestButton{"Testen", "Check"};
const TextPair anpassgroup{"Art der Anpassung", "Mode of approximation"};
const TextPair Anpassart0{"RHOB = m*SIGMA + b (lin. Regression)", "RHOB = m*SIGMA + b (lin. Regression)"};
const TextPair Anpassart1{"RHOB = RHO1*LN(SIGMA/Pa) + RHO0", "RHOB = RHO1*LN(SIGMA/Pa) + RHO0"};
const TextPair Anpassart2{"RHOB = RHOMIN + (RHOMAX-RHOMIN)*(1-EXP(SIGMA/SIGMA0))",
                          "RHOB = RHOMIN + (RHOMAX-RHOMIN)*(1-EXP(SIGMA/SIGMA0))"};
const TextPair Anpassart3{"Linear Interpolieren/Extrapolieren", "Interpolate/Extrapolate (linear)"};
const TextPair AnpassungNichtBerechenbar{
    "Die gewählte Anpassung lässt sich aus diesen Wertepaaren nicht berechnen.",
    "The chosen fit cannot be computed from these pairs."};
const TextPair HalbeZeile{"Zeile %1: bitte SIGMA und RHOB eingeben oder die Zeile leeren.",
                          "Row %1: please enter both SIGMA and RHOB or clear the row."};

// ---- start window ----
const TextPair Nutzungsbedingungen{"Nutzungsbedingungen", "LICENCE"};
const TextPair AcceptButton{"Ich stimme zu.", "I agree."};
const TextPair CancelButton{"ABBRUCH", "CANCEL"};

// ---- literature window ----
const TextPair BuchCaption{"Buch", "Book"};
const TextPair WeitereInformationen{"Weitere Informationen: ", "More information:"};

// ---- information windows: captions and heading ----
const TextPair WasberechnetwirdCaption{"Was dieses Programm berechnet", "What this program can do"};
const TextPair DateneinausCaption{"Dateneingabe und -ausgabe", "Data input and output"};
const TextPair VorgabewerteinfoCaption{"Vorgabewerte Schüttgut", "Bulk solid`s properties"};
const TextPair VorgabeSiloInfoCaption{"Vorgabewerte Silo", "Silo parameters"};
const TextPair BerechnungsmethodenCaption{"Berechnungsmethoden", "Methods of the stress calculation"};
const TextPair SGEigenschaftenCaption{"Woher bekomme ich Schüttgutkennwerte?",
                                      "How to obtain flow properties of bulk solids"};
const TextPair SGEigenschaftenLabel{"Schüttgutkennwerte", "Bulk solids flow properties"};

// ---- texts that are the same in both languages ----
const char* const kProductName = "KORVANE";
const char* const kMakerNotice = "© 2026 Korvane developers";
const char* const kWebAddress = "https://www.example.org/korvane";
const char* const kBookPage = "https://www.example.org/korvane/book.html";
const char* const kVersionLine = "Version 1.2.0.4";
const char* const kApplicationTitle = "Korvane";
const char* const kEulaFile = "KORVANE_EULA.pdf";
const char* const kEulaMenu = "EULA";
const char* const kSpracheLanguage = "Sprache/Language";
const char* const kDeutsch = "Deutsch";
const char* const kEnglish = "English";
const char* const kSprachwahl = "Bitte Sprache wählen / Please select language:";
const char* const kAboutCaption = "Info";
const char* const kClickToVisit = "(click to visit)";
const char* const kProblemCaption = "PROBLEM";
const char* const kSchliessen = "Close";

// ---- every pair, for iteration ----
const TextPair* const kAllPairs[] = {
    &Datei1, &Dateioeffnen1, &Speichern3, &Speichernunter1, &ErgebnisseSpeichern,
    &Ergebnisdateispeichernunter1, &Ergebnissedrucken1, &Tabelle1, &Diagramm1,
    &Druckereinrichten1, &Beenden1, &Einstellungen1, &Parameter1, &Ansehen1, &About1,
    &WasdiesesProgrammberechnet1, &Daten1, &Vorgabewerte1, &VorgabeSiloInfo1,
    &Berechnungsmethoden1, &Woher, &Literatur1, &Info1,
    &Label1, &Label2, &Label4, &Label6, &Label7, &StaticText1, &Labelvertsp, &Label10, &Label24,
    &AktuelleParameterdatei, &Geaendert, &Fuellzustand, &Entleerungszust, &Messbereich,
    &Kernfluss, &Form1Hint, &Edit11Hint, &Edit3Hint, &VertspauslHint, &PositionHint,
    &Label2Hint, &Label4Hint, &Label6Hint, &Label7Hint,
    &OKTrichter, &UKTrichter, &OKSilo, &OKFuellung, &UKSchuettkegel, &Auslauf, &UKKegel,
    &OKFuellg, &UKSchaft, &UKTricht, &Parameterdatei, &Zustand, &Fuellmenge,
    &Vertspannungauslauf,
    &ParameterCaption, &ParameterdateiCaption, &Schuettgutdichte, &Abbruch, &Rhokonst,
    &Rhofunkt, &Rhoanpass, &WerteButton, &InnereReibung, &KLambda, &RadioButton7,
    &RadioGroup4, &Spannungszustand0, &Spannungszustand1, &RadioGroup1, &Kreis, &Rechteck,
    &AuflastOberflaeche, &RadioButton1, &boeschungsw, &Boeschungswinkel, &Auflast,
    &Fuellhoehe, &InklSchuettkegel, &OhneSchuettkegel, &Siloschaft, &Ja, &HoeheSchaft,
    &SchaftOKTrichter, &DurchmesserBreite, &Laenge, &Trichter, &Wandneigung, &Auslaufbreite,
    &PhixStirnwaende, &UnterTrichter, &Vertikalteil, &HoeheUnten, &Berechnet, &Silohoehe,
    &Trichterhoehe, &Schuettgutvolumen, &Silovolumen, &MF, &KF,
    &RhokonstHint, &RhofunktHint, &RhoanpassHint, &Edit15Hint, &KLambdaHint,
    &RadioButton5Hint, &RadioButton6Hint, &RadioGroup4Hint, &boeschungswHint,
    &boeschwinkelHint, &AuflastHint, &Edit5Hint, &HohnekegelHint, &PhixschaftHint,
    &Edit4Hint, &MFKFLabelHint, &PhixtrichterHint, &PHIXTrichterStirnwandHint,
    &vertuntenHint, &PhixuntenHint, &SilonetvolHint, &SilobrutvolHint, &Button1Hint,
    &Button2Hint,
    &Problem03, &Problem06, &Problem09, &Problem10, &Problem13, &Problem20, &Problem21,
    &Fehler,
    &Form6Caption, &Eingabetext, &TestButton, &anpassgroup, &Anpassart0, &Anpassart1,
    &Anpassart2, &Anpassart3, &AnpassungNichtBerechenbar, &HalbeZeile,
    &Nutzungsbedingungen, &AcceptButton, &CancelButton, &Bedingungen,
    &BuchCaption, &WeitereInformationen,
    &WasberechnetwirdCaption, &DateneinausCaption, &VorgabewerteinfoCaption,
    &VorgabeSiloInfoCaption, &BerechnungsmethodenCaption, &SGEigenschaftenCaption,
    &SGEigenschaftenLabel, &WasberechnetwirdText, &DateneinausText, &VorgabewerteinfoText,
    &VorgabeSiloInfoText, &BerechnungsmethodenText, &SGEigenschaftenText,
};
const int kAllPairsCount = int(sizeof(kAllPairs) / sizeof(kAllPairs[0]));

QString problemText(int code, int language) {
    const TextPair* p = nullptr;
    switch (code) {
    case 3: p = &Problem03; break;
    case 6: p = &Problem06; break;
    case 9: p = &Problem09; break;
    case 10: p = &Problem10; break;
    case 13: p = &Problem13; break;
    case 20: p = &Problem20; break;
    case 21: p = &Problem21; break;
    default: return QString();
    }
    return T(*p, language);
}

QString problemText(int code) { return problemText(code, g_sprache); }

}  // namespace korvane::tkonst
