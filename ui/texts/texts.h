// The bilingual text table: every text of the user interface as a pair of a
// German and an English string (UTF-8), picked by the current language.
//
// Entries are grouped by where they show (texts::menu, texts::parameters,
// texts::density, ...) and named by meaning, so a text is found from the
// window it appears in: the main window's "Save results as" item is
// texts::menu::saveResultsAs, the parameter form's density group box is
// texts::parameters::densityGroup. Texts keep their exact bytes: trailing
// blanks, odd spellings and the '&' access letters of menu captions are part
// of the text. New texts come in pairs too.
#pragma once

#include <QString>

namespace korvane::texts {

struct TextPair {
    const char* de;
    const char* en;
};

// The language of the windows: 0 German, 1 English; 0 at program start.
int language();
// Switches the language (only 0 or 1; anything else is ignored) and lets Qt's
// own dialogs and buttons follow.
void setLanguage(int index);

// T(pair): the pair's text in the current language; T(pair, language): in
// the given one. Short on purpose, like Qt's tr(), because nearly every
// caption and label of the windows goes through it.
QString T(const TextPair& p);
QString T(const TextPair& p, int language);

// ---- main window: the menu bar (captions keep their '&' access letters) ----
// The View menu's texts are in texts::view, the language menu's in the
// constants at the end (they are the same in both languages).
namespace menu {
extern const TextPair file;                 // "&Datei" menu
extern const TextPair openParameterFile;
extern const TextPair saveParameterFile;
extern const TextPair saveParameterFileAs;
extern const TextPair saveResults;          // result file
extern const TextPair saveResultsAs;
extern const TextPair print;                // "&Drucken" submenu
extern const TextPair printTable;
extern const TextPair printDiagram;
extern const TextPair printerSetup;         // also the printer set-up dialog's caption
extern const TextPair exit;
extern const TextPair parameters;           // "&Parameter" menu
extern const TextPair editParameters;       // opens the parameter form for editing
extern const TextPair viewParameters;       // opens it for looking only
extern const TextPair help;                 // "&Hilfe" menu
extern const TextPair whatItCalculates;     // the items that open the help text windows
extern const TextPair dataInputOutput;
extern const TextPair bulkSolidDefaults;
extern const TextPair siloDefaults;
extern const TextPair calculationMethods;
extern const TextPair flowProperties;       // "Wo&her bekomme ich Schüttgutkennwerte?"
extern const TextPair book;                 // opens the literature window
extern const TextPair about;                // "&Über " with a trailing blank
}  // namespace menu

// ---- the parameter study window (Parameters menu) ----
namespace study {
extern const TextPair menuItem;  // Parameters menu item that opens the window
extern const TextPair caption;  // window caption
extern const TextPair firstField;
extern const TextPair secondField;
extern const TextPair noSecondField;  // second field not used
extern const TextPair from;
extern const TextPair to;
extern const TextPair step;
extern const TextPair result;
extern const TextPair contents;  // the results to plot
extern const TextPair outletStress;
extern const TextPair largestWallStress;
extern const TextPair heightOfLargest;
extern const TextPair start;  // buttons
extern const TextPair cancel;
extern const TextPair exportCsv;
extern const TextPair exportPng;
extern const TextPair close;
extern const TextPair running;  // progress; %1 done, %2 all
extern const TextPair finished;
extern const TextPair cancelled;
extern const TextPair withoutResult;  // appended to finished/cancelled
extern const TextPair badNumber;  // messages
extern const TextPair badStep;
extern const TextPair tooManyRuns;
extern const TextPair sameField;
extern const TextPair noEffect;
extern const TextPair csvFileTypes;  // export dialogs
extern const TextPair pngFileTypes;
extern const TextPair exportFailed;
}  // namespace study

// ---- main window: the View menu and what its commands show ----
namespace view {
extern const TextPair menuTitle;            // "&Ansicht"
extern const TextPair showBothStates;
extern const TextPair compareWithFile;
extern const TextPair endComparison;
extern const TextPair exportDiagram;
extern const TextPair copyTable;
// A comparison file that gives no valid calculation: message and reason.
extern const TextPair comparisonInvalid;
extern const TextPair comparisonNotFinite;     // "Ergebnisse nicht endlich"
// Exporting the diagram: file dialog filter, width question, failure.
extern const TextPair exportFileTypes;
extern const TextPair exportImageWidth;
extern const TextPair exportFailed;
}  // namespace view

// ---- main window: column headings, status labels, caption, state field ----
namespace mainWindow {
extern const TextPair positionColumn;        // "Position"
extern const TextPair zColumn;               // "z [m]"
extern const TextPair densityColumn;         // "RHOB [kg/m3]"
extern const TextPair verticalStressColumn;  // "SIGMAV [Pa]"
extern const TextPair wallStressColumn;      // "SIGMAW [Pa]"
extern const TextPair messagesLabel;         // "Meldungen:"
extern const TextPair outletStressLabel;     // "SIGMAV,Auslauf [Pa]"
extern const TextPair contentsLabel;         // "Füllmenge [kg]:"
extern const TextPair stateLabel;            // "Zustand:"
extern const TextPair currentParameterFile;  // caption part before the file's path
// "Geändert!" after the path (also in the parameter form).
extern const TextPair modifiedMark;
extern const TextPair fillingState;          // values of the state field
extern const TextPair dischargeState;        // "Entleerungszust."
}  // namespace mainWindow

// ---- main window: tool tips (a column's tip is on its heading and on the column) ----
namespace hint {
extern const TextPair mainWindow;            // the window's client area: how to edit parameters
extern const TextPair stateField;
extern const TextPair contentsField;
extern const TextPair outletStressField;
extern const TextPair positionColumn;        // "OK: Oberkante; UK: Unterkante"
extern const TextPair zColumn;
extern const TextPair densityColumn;
extern const TextPair verticalStressColumn;
extern const TextPair wallStressColumn;
}  // namespace hint

// ---- messages about the results: the main window's message fields; the
// two warnings also in the diagram and on the printouts ----
namespace results {
extern const TextPair densityRangeExceeded;  // a fitted density law used beyond the measurements
extern const TextPair funnelFlow;            // discharge state without mass flow
extern const TextPair noValidResults;
extern const TextPair invalidNumbers;        // the calculation gave NaN or infinity
extern const TextPair allStressesZero;
}  // namespace results

// ---- position marks: level lines of the diagram (also the printed
// diagram) and row labels of the result table (also the printed table) ----
namespace position {
extern const TextPair hopperTopLevel;        // "OK Trichter"
extern const TextPair hopperBottomLevel;     // "UK Trichter"
extern const TextPair siloTopLevel;          // "OK Silo"
extern const TextPair fillingTopLevel;       // "OK Füllung"
extern const TextPair heapBottomLevel;       // "UK Schüttkegel"
extern const TextPair outlet;                // "Auslauf": last row and the diagram's bottom
extern const TextPair heapBottomRow;         // "UK Kegel"
extern const TextPair fillingTopRow;         // "OK Füllg."
extern const TextPair shaftBottomRow;        // "UK Schaft"
extern const TextPair hopperBottomRow;       // "UK Tricht."
}  // namespace position

// ---- printouts: header and the state lines of the printed table ----
namespace printout {
extern const TextPair parameterFile;         // "Parameterdatei" in the header
extern const TextPair state;
extern const TextPair contents;              // "Füllmenge"
extern const TextPair outletStress;          // "Vertikalspannung am Auslauf"
}  // namespace printout

// ---- errors: message box caption and the parts of file error messages ----
namespace error {
// "Fehler": error boxes' caption, a load error's first word.
extern const TextPair caption;
extern const TextPair line;                  // "Zeile" before a line number
extern const TextPair file;                  // "Datei" before a path
extern const TextPair fileNotWritten;        // after a failed save
}  // namespace error

// ---- parameter form: caption, group boxes, items, labels ----
namespace parameters {
extern const TextPair caption;               // "Parameter"
extern const TextPair captionWithFile;       // "Parameter      [Aktuelle Parameterdatei: " + path
extern const TextPair densityGroup;
extern const TextPair cancelButton;          // "ABBRUCH" (also the density window's)
extern const TextPair constantDensity;       // density options "konstant",
extern const TextPair densityFunction;       // "Funktion",
extern const TextPair densityFit;            // "Anpassung"
extern const TextPair densityDataButton;     // "Werte": opens the density window
extern const TextPair internalFrictionGroup; // PHIE
extern const TextPair ratioKGroup;           // "K (LAMBDA)"
extern const TextPair ownRatioK;             // "Wert:" option with its own field
extern const TextPair stressStateGroup;
extern const TextPair fillingStateItem;
extern const TextPair dischargeStateItem;
extern const TextPair crossSectionGroup;
extern const TextPair circularItem;
extern const TextPair rectangularItem;
extern const TextPair surfaceGroup;          // "Auflast/Oberfläche"
extern const TextPair flatSurface;           // "keine": neither heap nor surcharge
extern const TextPair heap;                  // "Schüttkegel"
extern const TextPair angleOfReposeLabel;
extern const TextPair surfaceStress;         // "Druckspang.": a surcharge on the surface
extern const TextPair fillHeightGroup;
extern const TextPair fillHeightWithHeapLabel;
extern const TextPair fillHeightWithoutHeapLabel;
extern const TextPair shaftGroup;            // "Siloschaft"
extern const TextPair presentBox;            // "Ja": check boxes "shaft present", "hopper present"
extern const TextPair shaftHeightLabel;
extern const TextPair crossSectionSizeGroup; // "Schaft/OK Trichter"
extern const TextPair diameterWidthLabel;
extern const TextPair lengthLabel;           // rectangle only
extern const TextPair hopperGroup;
extern const TextPair wallSlopeLabel;
extern const TextPair outletWidthLabel;
extern const TextPair endWallFrictionLabel;  // PHIX at the end walls of a wedge hopper
extern const TextPair belowHopperGroup;
extern const TextPair belowHopperSectionBox; // "Vertikalteil" check box
extern const TextPair belowHopperHeightLabel;
extern const TextPair calculatedGroup;       // "Berechnet:" derived values
extern const TextPair siloHeightLabel;
extern const TextPair hopperHeightLabel;
extern const TextPair bulkSolidVolumeLabel;
extern const TextPair siloVolumeLabel;
extern const TextPair massFlowMark;          // "MF" beside the stress state
extern const TextPair funnelFlowMark;        // "KF" / "FF"
}  // namespace parameters

// ---- parameter form: tool tips ----
namespace parameterHint {
extern const TextPair constantDensity;
extern const TextPair densityFunction;       // option and its three fields
extern const TextPair densityFit;
extern const TextPair effectiveFrictionAngle;  // PHIE
extern const TextPair ratioK;
extern const TextPair ratioKFromFriction;    // K = 1.2*(1-sin(PHIE))
extern const TextPair ratioKEstimate;        // K = 0.4
extern const TextPair stressState;
extern const TextPair heap;                  // cone or obelisk
extern const TextPair angleOfRepose;
extern const TextPair surfaceStress;         // option and field
extern const TextPair fillHeightWithHeap;
extern const TextPair fillHeightWithoutHeap;
extern const TextPair shaftWallFriction;
extern const TextPair crossSectionSize;
extern const TextPair flowMark;              // the MF / KF mark
extern const TextPair hopperWallFriction;
extern const TextPair endWallFriction;
extern const TextPair belowHopperSection;
extern const TextPair belowHopperWallFriction;
extern const TextPair bulkSolidVolume;
extern const TextPair siloVolume;
extern const TextPair okButton;
extern const TextPair cancelButton;
}  // namespace parameterHint

// ---- parameter problems (the code in brackets), shown under "PROBLEM" ----
namespace problem {
extern const TextPair fillHeightAboveSilo;   // (3)
extern const TextPair densityParameters;     // (6)
extern const TextPair siloGeometry;          // (9) "Invalid silo gemetry"
extern const TextPair frictionAngles;        // (10) PHIX / PHIE
extern const TextPair ratioKNotPositive;     // (13)
extern const TextPair angleOfRepose;         // (20)
extern const TextPair missingDensityPairs;   // (21) fewer than 2 measured pairs
}  // namespace problem

// ---- density window ----
namespace density {
extern const TextPair caption;
extern const TextPair instructions;          // text above the grid
extern const TextPair checkButton;           // "Testen"
extern const TextPair fitModeGroup;          // "Art der Anpassung" and its four items:
extern const TextPair linearRegression;
extern const TextPair logarithmicFit;
extern const TextPair exponentialFit;
extern const TextPair linearInterpolation;
extern const TextPair fitNotComputable;      // the fit gives no finite law
extern const TextPair incompleteRow;         // one of a row's two cells filled; %1 = row
}  // namespace density

// ---- density window: the fitted law's parameters and how well it fits;
// the parameter form's greyed fields that show them ----
namespace densityFit {
extern const TextPair resultGroup;           // group box under the fit kinds
extern const TextPair noFitYet;              // fewer than two pairs checked
extern const TextPair throughEveryPair;      // interpolation: no parameters
extern const TextPair largestDeviation;      // %1 kg/m3, %2 per cent, %3 SIGMA in Pa
extern const TextPair formFieldsHint;        // tool tip of the greyed form fields
}  // namespace densityFit

// ---- start window ----
namespace start {
// After the product name: "Nutzungsbedingungen" / "LICENCE".
extern const TextPair conditionsCaption;
extern const TextPair accept;                // "Ich stimme zu."
extern const TextPair cancel;                // "ABBRUCH"
extern const TextPair conditionsText;        // the conditions of use (long_texts.cpp)
}  // namespace start

// ---- literature window ----
namespace literature {
extern const TextPair caption;               // "Buch"
extern const TextPair moreInformation;       // "Weitere Informationen: " (trailing blank)
}  // namespace literature

// ---- help text windows: captions, heading, long texts (long_texts.cpp) ----
namespace help {
extern const TextPair whatItCalculatesCaption;
extern const TextPair dataInputOutputCaption;
extern const TextPair bulkSolidDefaultsCaption;
extern const TextPair siloDefaultsCaption;
extern const TextPair calculationMethodsCaption;
extern const TextPair flowPropertiesCaption;
extern const TextPair flowPropertiesHeading;  // "Schüttgutkennwerte" above the text
extern const TextPair whatItCalculatesText;
extern const TextPair dataInputOutputText;
extern const TextPair bulkSolidDefaultsText;
extern const TextPair siloDefaultsText;
extern const TextPair calculationMethodsText;
extern const TextPair flowPropertiesText;
}  // namespace help

// ---- printing: the printer set-up dialog and the print commands' messages ----
namespace printing {
extern const TextPair printerLabel;         // set-up: "Drucker:"
extern const TextPair pdfInsteadOfPrinter;  // set-up: the choice when no printer is known
extern const TextPair fileLabel;            // set-up: "Datei:" of the PDF target
extern const TextPair newFileInResultFolder;
extern const TextPair paperLabel;
extern const TextPair orientationLabel;
extern const TextPair portrait;
extern const TextPair landscape;
extern const TextPair choosePdfFile;        // caption of the PDF file dialog
extern const TextPair pageSavedAsPdf;       // followed by the PDF file's path
extern const TextPair printFailed;          // followed by the printer's name
extern const TextPair pdfNotWritten;        // followed by the PDF file's path
extern const TextPair chosenFileHoldsPage;  // a second page for the file chosen in the set-up
extern const TextPair replaceOrNewName;     // ... and what OK and Cancel then do
}  // namespace printing

// ---- desktop habits, the readable diagram and the exports that agree ----
// Recent files, undo, the unsaved-changes question and the stress unit;
// the diagram's legend names, funnel-flow note and hover read-out; the title
// line of exports and copies; the page number of printouts.
namespace habits {
extern const TextPair recentFiles;          // File menu: "Recent files" submenu
extern const TextPair undo;                 // Parameter menu
extern const TextPair redo;
extern const TextPair parameterChange;      // what undo and redo name
extern const TextPair unsavedCaption;
extern const TextPair unsavedQuestion;      // Save / Discard / Cancel
extern const TextPair stressesInKpa;        // View menu, checkable
extern const TextPair filling;              // legend: state of a curve
extern const TextPair discharging;
extern const TextPair comparison;           // legend and level labels of the compared silo
extern const TextPair funnelFlowDischarge;  // diagram note: the discharge state is not valid
extern const TextPair noParameterFile;      // title line without a file
extern const TextPair page;                 // printed pages: "Seite 1"
}  // namespace habits
// ---- unsaved parameter changes kept over a crash ----
namespace recovery {
extern const TextPair caption;        // caption of the question at start
// %1 the parameter file (or noFile), %2 date and time of the changes.
extern const TextPair question;
extern const TextPair noFile;         // changes to a set that has no file yet
extern const TextPair restoreButton;  // "Wiederherstellen" / "Restore"
extern const TextPair discardButton;  // "Verwerfen" / "Discard"
extern const TextPair notRestored;    // the kept set could not be read
}  // namespace recovery

// ---- texts that are the same in both languages ----
extern const char* const kProductName;       // "KORVANE"
extern const char* const kMakerNotice;       // "© 2026 Korvane developers"
extern const char* const kWebAddress;        // "https://www.example.org/korvane"
extern const char* const kBookPage;          // web address + "/book.html"
extern const char* const kVersionLine;       // "Version 1.2.0.4"
extern const char* const kApplicationTitle;  // "Korvane"
extern const char* const kEulaFile;          // "KORVANE_EULA.pdf" in the program folder
extern const char* const kEulaMenu;          // help menu item "EULA"
extern const char* const kLanguageMenu;      // "&Sprache/Language"
extern const char* const kGerman;            // "Deutsch": language menu item, start window button
extern const char* const kEnglish;           // "English": the same
// Start window: "Bitte Sprache wählen / Please select language:".
extern const char* const kChooseLanguage;
extern const char* const kAboutCaption;      // "Info"
extern const char* const kClickToVisit;      // "(click to visit)" under the web address
extern const char* const kProblemCaption;    // "PROBLEM": caption of parameter problem boxes
extern const char* const kCloseButton;       // literature window: "Close"

// Every pair of the table, for iteration (tests, checks).
extern const TextPair* const kAllPairs[];
extern const int kAllPairsCount;

// The message of a parameter problem code (3, 6, 9, 10, 13, 20, 21);
// empty for any other code.
QString problemText(int code);                // current language
QString problemText(int code, int language);

}  // namespace korvane::texts
