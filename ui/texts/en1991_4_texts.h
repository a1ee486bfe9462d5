// The texts of the EN 1991-4 loads: the parameter form's EN group, the View
// menu's overlay and window commands, the diagram's legend and note, and the
// EN 1991-4 window with its printout. A block of the bilingual text table of
// its own (German first, English second, UTF-8), with the same rules as the
// rest of the table (texts.h).
#pragma once

#include "calc/en1991_4.h"
#include "ui/texts/texts.h"

namespace korvane::texts::en1991_4 {

// ---- parameter form: the "EN 1991-4" group ----
extern const TextPair group;               // group title "EN 1991-4"
extern const TextPair conversionK;         // "a_K" label
extern const TextPair conversionMu;        // "a_μ" label
extern const TextPair conversionPhi;       // "a_φ" label
extern const TextPair dynamicSolid;        // check box: dynamic solid (C_b)
extern const TextPair reposeAngle;         // φ_r where there is no heap
extern const TextPair reposeAnglePlaceholder;  // shown in the empty φ_r field: "= PHIE"
extern const TextPair hintConversion;      // hint of the three conversion factors
extern const TextPair hintDynamicSolid;
extern const TextPair hintReposeAngle;
// The input problems of the group (a message on OK).
extern const TextPair problemConversionFactor;
extern const TextPair problemReposeAngle;
extern const TextPair problemPatchFactor;

// ---- main window: View menu and diagram ----
extern const TextPair showLoads;           // "Lasten nach EN 1991-4" (checkable)
extern const TextPair openWindow;          // opens the EN 1991-4 window
// Legend names of the EN curves (the state's name precedes them).
extern const TextPair fillingLegend;       // "EN 1991-4 Füllen: "
extern const TextPair dischargeLegend;     // "EN 1991-4 Entleeren: "
extern const TextPair diagramOutsideScope; // note in the diagram instead of curves

// ---- the EN 1991-4 window ----
extern const TextPair windowCaption;       // "EN 1991-4"
extern const TextPair classificationHeading;
extern const TextPair slendernessLabel;    // "Schlankheitsklasse"
extern const TextPair slender;
extern const TextPair intermediate;
extern const TextPair squat;
extern const TextPair retaining;
extern const TextPair undefinedClass;
extern const TextPair bottomLabel;         // "Boden"
extern const TextPair flatBottom;
extern const TextPair steepHopper;
extern const TextPair shallowHopper;
extern const TextPair actionClassLabel;    // "Anforderungsklasse (AAC)"
extern const TextPair massLabel;           // "Füllmasse"
extern const TextPair geometryHeading;
extern const TextPair factorsHeading;
extern const TextPair valuesHeading;       // characteristic values per load
extern const TextPair unitWeight;          // "γ (oberer Wert)"
extern const TextPair setWallNormal;       // "p_h"
extern const TextPair setWallFriction;     // "p_w"
extern const TextPair setVertical;         // "p_v, p_vft"
extern const TextPair setHopperFilling;
extern const TextPair setHopperDischarge;
extern const TextPair conversionFactors;   // "Umrechnungsfaktoren"
extern const TextPair dynamicYes;          // "dynamisches Schüttgut"
extern const TextPair unverifiedHeading;
extern const TextPair notVerified;         // "not verified against a published example"
extern const TextPair noUnverified;        // every value shown checks against a published example
extern const TextPair assumption;          // free-flowing, concentric: always said
extern const TextPair outsideScopeHeading; // "Außerhalb des Anwendungsbereichs ..."
extern const TextPair noResults;           // no valid results of the silo
extern const TextPair loadsHeading;        // "Lasten"
extern const TextPair unitLabel;           // "Einheit:"
extern const TextPair copyButton;
extern const TextPair printButton;
extern const TextPair closeButton;
extern const TextPair transitionWall;      // row label: transition, wall side
extern const TextPair transitionHopper;    // row label: transition, hopper side
extern const TextPair pageTitle;           // title of the printed page

// The words of a classification, a scope reason and an unverified note in
// the given language (0 German, 1 English).
QString slendernessText(EnSlenderness s, int language);
QString bottomText(EnBottom b, int language);
QString scopeText(EnScope s, int language);
QString noteText(EnNote n, int language);
QString inputProblemText(EnInputProblem p, int language);

// Every pair of this block, for iteration (tests); scope reasons and notes
// included.
extern const TextPair* const kAllPairs[];
extern const int kAllPairsCount;

}  // namespace korvane::texts::en1991_4
