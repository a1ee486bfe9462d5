// The bilingual text table: every text of the user interface as a pair of a
// German and an English string (UTF-8), picked by the language index.
#pragma once

#include <QString>

namespace korvane::tkonst {

struct TextPair {
    const char* de;
    const char* en;
};

// Language index: 0 German, 1 English; 0 at program start.
int sprache();
void setSprache(int index);  // only 0 or 1

// The pair's text in the current language / in a given language.
QString T(const TextPair& p);
QString T(const TextPair& p, int language);

// ---- the table (definitions in tkonst.cpp) ----
// Naming: menu items and controls by their designer names (Datei1,
// Dateioeffnen1, Label2, ...), other texts by their role in German
// (Fehler, Geaendert, Kernfluss, Problem03 ... Problem21, ...).
// BEGIN TABLE (filled in by the texts work)

// ---- main window: menus (captions keep their '&' access letters) ----
extern const TextPair Datei1;                        // "&Datei"
extern const TextPair Dateioeffnen1;                 // open parameter file
extern const TextPair Speichern3;                    // save parameter file
extern const TextPair Speichernunter1;               // save parameter file as
extern const TextPair ErgebnisseSpeichern;           // save result file
extern const TextPair Ergebnisdateispeichernunter1;  // save result file as
extern const TextPair Ergebnissedrucken1;            // print submenu "&Drucken"
extern const TextPair Tabelle1;                      // print table
extern const TextPair Diagramm1;                     // print diagram
extern const TextPair Druckereinrichten1;            // printer set-up
extern const TextPair Beenden1;                      // exit
extern const TextPair Einstellungen1;                // parameter submenu "&Parameter"
extern const TextPair Parameter1;                    // "&Bearbeiten" (edit parameters)
extern const TextPair Ansehen1;                      // "&Ansehen" (view parameters)
extern const TextPair About1;                        // help submenu "&Hilfe"
extern const TextPair WasdiesesProgrammberechnet1;
extern const TextPair Daten1;
extern const TextPair Vorgabewerte1;
extern const TextPair VorgabeSiloInfo1;              // menu item VorgabewerteSilo1
extern const TextPair Berechnungsmethoden1;
extern const TextPair Woher;
extern const TextPair Literatur1;
extern const TextPair Info1;                         // "&Über " with a trailing blank

// ---- main window: labels, status fields, hints ----
extern const TextPair Label1;        // "Position"
extern const TextPair Label2;        // "z [m]"
extern const TextPair Label4;        // "RHOB [kg/m3]"
extern const TextPair Label6;        // "SIGMAV [Pa]"
extern const TextPair Label7;        // "SIGMAW [Pa]"
extern const TextPair StaticText1;   // "Meldungen:"
extern const TextPair Labelvertsp;   // "SIGMAV,Auslauf [Pa]"
extern const TextPair Label10;       // "Füllmenge [kg]:"
extern const TextPair Label24;       // "Zustand:"
extern const TextPair AktuelleParameterdatei;  // caption part with the current file
extern const TextPair Geaendert;     // change mark "Geändert!"
extern const TextPair Fuellzustand;  // state value / state item 0
extern const TextPair Entleerungszust;  // state value / state item 1
extern const TextPair Messbereich;   // fitted density law used beyond the measurements
extern const TextPair Kernfluss;     // discharge state without mass flow
extern const TextPair Form1Hint;     // hint of the main window
extern const TextPair Edit11Hint;    // state field
extern const TextPair Edit3Hint;     // mass field
extern const TextPair VertspauslHint;  // outlet stress field
extern const TextPair PositionHint;  // Image2, Memo2
extern const TextPair Label2Hint;
extern const TextPair Label4Hint;    // "Schüttgutdichte"
extern const TextPair Label6Hint;
extern const TextPair Label7Hint;

// ---- position marks: result columns, diagram, printouts ----
extern const TextPair OKTrichter;     // diagram level labels
extern const TextPair UKTrichter;
extern const TextPair OKSilo;
extern const TextPair OKFuellung;
extern const TextPair UKSchuettkegel;
extern const TextPair Auslauf;        // columns, diagram, printouts
extern const TextPair UKKegel;        // row labels of columns and printed table
extern const TextPair OKFuellg;
extern const TextPair UKSchaft;
extern const TextPair UKTricht;
extern const TextPair Parameterdatei;       // printout header
extern const TextPair Zustand;              // printed table
extern const TextPair Fuellmenge;           // printed table
extern const TextPair Vertspannungauslauf;  // printed table

// ---- parameter form: captions and items ----
extern const TextPair ParameterCaption;        // "Parameter" / "Parameters"
extern const TextPair ParameterdateiCaption;   // "Parameter      [Aktuelle Parameterdatei: "
extern const TextPair Schuettgutdichte;        // density group
extern const TextPair Abbruch;                 // "ABBRUCH" (parameter, density, start window)
extern const TextPair Rhokonst;                // "konstant"
extern const TextPair Rhofunkt;                // "Funktion"
extern const TextPair Rhoanpass;               // "Anpassung"
extern const TextPair WerteButton;             // "Werte"
extern const TextPair InnereReibung;           // PHIE group
extern const TextPair KLambda;                 // K group
extern const TextPair RadioButton7;            // "Wert:"
extern const TextPair RadioGroup4;             // "Spannungszustand"
extern const TextPair Spannungszustand0;       // item 0 "Füllzustand"
extern const TextPair Spannungszustand1;       // item 1 "Entleerungszust."
extern const TextPair RadioGroup1;             // "Siloquerschnitt"
extern const TextPair Kreis;                   // cross-section item 0
extern const TextPair Rechteck;                // cross-section item 1
extern const TextPair AuflastOberflaeche;      // surface group
extern const TextPair RadioButton1;            // "keine"
extern const TextPair boeschungsw;             // "Schüttkegel"
extern const TextPair Boeschungswinkel;        // "Böschungs- winkel [°]:"
extern const TextPair Auflast;                 // "Druckspang."
extern const TextPair Fuellhoehe;              // fill height group
extern const TextPair InklSchuettkegel;        // label of Edit5
extern const TextPair OhneSchuettkegel;        // label of Hohnekegel
extern const TextPair Siloschaft;              // shaft group
extern const TextPair Ja;                      // shaft and hopper check boxes
extern const TextPair HoeheSchaft;             // "Höhe [m]"
extern const TextPair SchaftOKTrichter;        // cross-section dimensions group
extern const TextPair DurchmesserBreite;       // label of Edit4
extern const TextPair Laenge;                  // label of Edit27
extern const TextPair Trichter;                // hopper group
extern const TextPair Wandneigung;             // label of Edit6
extern const TextPair Auslaufbreite;           // label of Edit7
extern const TextPair PhixStirnwaende;         // label of PHIXTrichterStirnwand
extern const TextPair UnterTrichter;           // group below the hopper
extern const TextPair Vertikalteil;            // check box vertunten
extern const TextPair HoeheUnten;              // "Höhe [m]" of Hunttricht
extern const TextPair Berechnet;               // derived values group
extern const TextPair Silohoehe;
extern const TextPair Trichterhoehe;
extern const TextPair Schuettgutvolumen;
extern const TextPair Silovolumen;
extern const TextPair MF;                      // mass flow label
extern const TextPair KF;                      // funnel flow label ("FF")

// ---- parameter form: hints ----
extern const TextPair RhokonstHint;
extern const TextPair RhofunktHint;            // "Angepasster Wert für Glg.: ..."
extern const TextPair RhoanpassHint;           // "Angepasste Glg.: ..."
extern const TextPair Edit15Hint;              // PHIE
extern const TextPair KLambdaHint;             // "Horizontallastverhältnis"
extern const TextPair RadioButton5Hint;        // K = 1.2*(1-sin(PHIE))
extern const TextPair RadioButton6Hint;        // 0.4
extern const TextPair RadioGroup4Hint;         // stress state
extern const TextPair boeschungswHint;         // heap shape
extern const TextPair boeschwinkelHint;        // angle of repose
extern const TextPair AuflastHint;             // surcharge
extern const TextPair Edit5Hint;               // fill height incl. heap
extern const TextPair HohnekegelHint;          // fill height excl. heap
extern const TextPair PhixschaftHint;          // "Wandreibungswinkel im schaft"
extern const TextPair Edit4Hint;               // cross-section dimensions
extern const TextPair MFKFLabelHint;
extern const TextPair PhixtrichterHint;        // "... Trichterände"
extern const TextPair PHIXTrichterStirnwandHint;
extern const TextPair vertuntenHint;
extern const TextPair PhixuntenHint;
extern const TextPair SilonetvolHint;
extern const TextPair SilobrutvolHint;
extern const TextPair Button1Hint;             // OK
extern const TextPair Button2Hint;             // cancel

// ---- parameter problems and the load error ----
extern const TextPair Problem03;   // fill height above the silo
extern const TextPair Problem06;   // density law parameters
extern const TextPair Problem09;   // silo geometry ("Invalid silo gemetry")
extern const TextPair Problem10;   // PHIX / PHIE
extern const TextPair Problem13;   // K <= 0
extern const TextPair Problem20;   // angle of repose
extern const TextPair Problem21;   // fewer than 2 measured pairs
extern const TextPair Fehler;      // "Fehler" / "Error"

// ---- density window ----
extern const TextPair Form6Caption;      // "Schüttgutdichte RHOB"
extern const TextPair Eingabetext;       // text above the grid
extern const TextPair TestButton;        // "Testen"
extern const TextPair anpassgroup;       // "Art der Anpassung"
extern const TextPair Anpassart0;        // linear regression
extern const TextPair Anpassart1;        // logarithmic
extern const TextPair Anpassart2;        // exponential law
extern const TextPair Anpassart3;        // linear interpolation
extern const TextPair AnpassungNichtBerechenbar;  // the fit gives no finite law
extern const TextPair HalbeZeile;        // a row with one of its two cells filled; %1 = row

// ---- start window ----
extern const TextPair Nutzungsbedingungen;  // caption suffix "Nutzungsbedingungen" / "LICENCE"
extern const TextPair AcceptButton;         // "Ich stimme zu."
extern const TextPair CancelButton;         // "ABBRUCH"
extern const TextPair Bedingungen;          // the conditions of use (long text)

// ---- literature window ----
extern const TextPair BuchCaption;            // "Buch" / "Book"
extern const TextPair WeitereInformationen;   // "Weitere Informationen: " (trailing blank)

// ---- information windows: captions, heading, long texts ----
extern const TextPair WasberechnetwirdCaption;
extern const TextPair DateneinausCaption;
extern const TextPair VorgabewerteinfoCaption;
extern const TextPair VorgabeSiloInfoCaption;
extern const TextPair BerechnungsmethodenCaption;
extern const TextPair SGEigenschaftenCaption;
extern const TextPair SGEigenschaftenLabel;   // heading "Schüttgutkennwerte"
extern const TextPair WasberechnetwirdText;
extern const TextPair DateneinausText;
extern const TextPair VorgabewerteinfoText;
extern const TextPair VorgabeSiloInfoText;
extern const TextPair BerechnungsmethodenText;
extern const TextPair SGEigenschaftenText;

// ---- texts that are the same in both languages ----
extern const char* const kProductName;       // "KORVANE"
extern const char* const kMakerNotice;       // "© 2026 Korvane developers"
extern const char* const kWebAddress;        // "https://www.example.org/korvane"
extern const char* const kBookPage;          // web address + "/book.html"
extern const char* const kVersionLine;       // "Version 1.2.0.4"
extern const char* const kApplicationTitle;  // "Korvane"
extern const char* const kEulaFile;          // "KORVANE_EULA.pdf" in the program folder
extern const char* const kEulaMenu;          // "EULA"
extern const char* const kSpracheLanguage;   // language submenu "Sprache/Language"
extern const char* const kDeutsch;           // "Deutsch"
extern const char* const kEnglish;           // "English"
extern const char* const kSprachwahl;        // "Bitte Sprache wählen / Please select language:"
extern const char* const kAboutCaption;      // "Info"
extern const char* const kClickToVisit;      // "(click to visit)"
extern const char* const kProblemCaption;    // "PROBLEM"
extern const char* const kSchliessen;        // literature window button "Close"

// Every pair of the table, for iteration (tests, checks).
extern const TextPair* const kAllPairs[];
extern const int kAllPairsCount;

// The message of a parameter problem code (3, 6, 9, 10, 13, 20, 21);
// empty for any other code.
QString problemText(int code);                // current language
QString problemText(int code, int language);

// END TABLE

}  // namespace korvane::tkonst
