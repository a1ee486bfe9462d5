// The EN 1991-4 block of the bilingual text table (see en1991_4_texts.h).
#include "ui/texts/en1991_4_texts.h"

namespace korvane::texts::en1991_4 {

// ---- parameter form ----
const TextPair group{"EN 1991-4", "EN 1991-4"};
const TextPair conversionK{"a_K", "a_K"};
const TextPair conversionMu{"a_μ", "a_μ"};
const TextPair conversionPhi{"a_φ", "a_φ"};
const TextPair dynamicSolid{"dynamisches Schüttgut (C_b)", "dynamic solid (C_b)"};
const TextPair reposeAngle{"φ_r ohne Schüttkegel [°]", "φ_r without heap [°]"};
const TextPair reposeAnglePlaceholder{"= PHIE", "= PHIE"};
const TextPair hintConversion{
    "Umrechnungsfaktoren nach EN 1991-4 Tabelle E.1 (≥ 1): oberer Wert = a·Mittelwert, "
    "unterer Wert = Mittelwert/a. Nur für die Lasten nach EN 1991-4.",
    "Conversion factors of EN 1991-4 Table E.1 (≥ 1): upper value = a·mean, lower value = "
    "mean/a. Used for the EN 1991-4 loads only."};
const TextPair hintDynamicSolid{
    "Schüttgut mit Neigung zu dynamischem Verhalten: Bodenlastvergrößerungsfaktor C_b = 1,2 "
    "(Anforderungsklasse 1: 1,6).",
    "Solid prone to dynamic behaviour: bottom load magnifier C_b = 1.2 (action assessment "
    "class 1: 1.6)."};
const TextPair hintReposeAngle{
    "Böschungswinkel φ_r für die Wandlasten gedrungener und mittelschlanker Silos, wenn die "
    "Oberfläche keinen Schüttkegel hat. Leer: PHIE.",
    "Angle of repose φ_r for the wall loads of squat and intermediate silos where the surface "
    "has no heap. Empty: PHIE."};
const TextPair problemConversionFactor{
    "EN 1991-4: Die Umrechnungsfaktoren a_K, a_μ und a_φ müssen mindestens 1 sein.",
    "EN 1991-4: The conversion factors a_K, a_μ and a_φ must be at least 1."};
const TextPair problemReposeAngle{
    "EN 1991-4: Der Böschungswinkel φ_r muss zwischen 0° und 90° liegen.",
    "EN 1991-4: The angle of repose φ_r must lie between 0° and 90°."};
const TextPair problemPatchFactor{
    "EN 1991-4: Der Beiwert C_op darf nicht negativ sein.",
    "EN 1991-4: The factor C_op must not be negative."};

// ---- main window ----
const TextPair showLoads{"&Lasten nach EN 1991-4", "EN 1991-4 &loads"};
const TextPair openWindow{"EN-1991-4-&Fenster …", "EN 1991-4 &window …"};
const TextPair fillingLegend{"EN 1991-4 Füllen: ", "EN 1991-4 filling: "};
const TextPair dischargeLegend{"EN 1991-4 Entleeren: ", "EN 1991-4 discharge: "};
const TextPair diagramOutsideScope{
    "EN 1991-4: außerhalb des Anwendungsbereichs (Gründe im Fenster EN 1991-4)",
    "EN 1991-4: outside the standard's scope (reasons in the EN 1991-4 window)"};

// ---- the EN 1991-4 window ----
const TextPair windowCaption{"EN 1991-4", "EN 1991-4"};
const TextPair classificationHeading{"Einstufung", "Classification"};
const TextPair slendernessLabel{"Schlankheitsklasse", "Slenderness class"};
const TextPair slender{"schlank", "slender"};
const TextPair intermediate{"mittelschlank", "intermediate slenderness"};
const TextPair squat{"gedrungen", "squat"};
const TextPair retaining{"Stützwandsilo", "retaining silo"};
const TextPair undefinedClass{"nicht bestimmt", "not determined"};
const TextPair bottomLabel{"Boden", "Bottom"};
const TextPair flatBottom{"ebener Boden", "flat bottom"};
const TextPair steepHopper{"steiler Trichter", "steep hopper"};
const TextPair shallowHopper{"flacher Trichter", "shallow hopper"};
const TextPair actionClassLabel{"Anforderungsklasse (AAC)", "Action assessment class (AAC)"};
const TextPair massLabel{"Füllmasse", "filled mass"};
const TextPair geometryHeading{"Geometrie", "Geometry"};
const TextPair factorsHeading{"Beiwerte", "Factors"};
const TextPair valuesHeading{"Charakteristische Werte je Last (Tabelle 3.1)",
                             "Characteristic values per load (Table 3.1)"};
const TextPair unitWeight{"γ (oberer Wert)", "γ (upper value)"};
const TextPair setWallNormal{"Horizontallast p_h", "Horizontal load p_h"};
const TextPair setWallFriction{"Wandreibungslast p_w", "Wall friction load p_w"};
const TextPair setVertical{"Vertikallast p_v, p_vft", "Vertical load p_v, p_vft"};
const TextPair setHopperFilling{"Trichter, Füllen", "Hopper, filling"};
const TextPair setHopperDischarge{"Trichter, Entleeren", "Hopper, discharge"};
const TextPair conversionFactors{"Umrechnungsfaktoren", "Conversion factors"};
const TextPair dynamicYes{"dynamisches Schüttgut", "dynamic solid"};
const TextPair unverifiedHeading{"Nicht geprüfte Teile", "Unverified parts"};
const TextPair notVerified{"nicht an einem veröffentlichten Beispiel geprüft",
                           "not verified against a published example"};
const TextPair noUnverified{"Alle Werte sind an veröffentlichten Beispielen geprüft.",
                            "Every value is checked against published examples."};
const TextPair assumption{
    "Die Lasten gelten nur für frei fließende Schüttgüter und zentrisches Füllen und "
    "Entleeren; Schüttgüter mit Kohäsion sowie exzentrisches Füllen oder Entleeren liegen "
    "außerhalb dieser Berechnung.",
    "The loads hold for free-flowing solids with concentric filling and discharge only; "
    "cohesive solids and eccentric filling or discharge are outside this calculation."};
const TextPair outsideScopeHeading{
    "Dieser Silo liegt außerhalb des Anwendungsbereichs von EN 1991-4. Gründe:",
    "This silo lies outside the scope of EN 1991-4. Reasons:"};
const TextPair noResults{
    "Keine gültigen Ergebnisse: Die Parameter müssen zuerst mit OK übernommen werden.",
    "No valid results: the parameters must be confirmed with OK first."};
const TextPair loadsHeading{"Lasten", "Loads"};
const TextPair unitLabel{"Einheit:", "Unit:"};
const TextPair copyButton{"&Kopieren", "&Copy"};
const TextPair printButton{"&Drucken", "&Print"};
const TextPair closeButton{"&Schließen", "C&lose"};
const TextPair transitionWall{"Übergang W.", "trans. wall"};
const TextPair transitionHopper{"Übergang T.", "trans. hop."};
const TextPair pageTitle{"Lasten nach EN 1991-4", "EN 1991-4 loads"};

namespace {

// Slenderness classes, bottoms, scope reasons and notes in the order of
// their enumerations.
const TextPair kScope[] = {
    {"Schlankheit h_b/d_c ≥ 10 (EN 1991-4, 1.1.2(3))",
     "slenderness h_b/d_c ≥ 10 (EN 1991-4, 1.1.2(3))"},
    {"Silohöhe h_b ≥ 100 m", "silo height h_b ≥ 100 m"},
    {"Abmessung d_c ≥ 60 m", "dimension d_c ≥ 60 m"},
    {"Vertikalteil unter dem Trichter (zwei Übergänge)",
     "a vertical section below the hopper (two transitions)"},
    {"kein Siloschaft (keine senkrechten Wände)", "no vertical section (no vertical walls)"},
    {"Schüttgutoberfläche unter dem Übergang (im Trichter)",
     "the surface lies below the transition (in the hopper)"},
    {"Auflast auf der Oberfläche", "a surcharge on the surface"},
    {"Stützwandsilo (h_c/d_c ≤ 0,4 mit ebenem Boden)",
     "retaining silo (h_c/d_c ≤ 0.4 with a flat bottom)"},
    {"Trichterneigung β > 85°", "hopper inclination β > 85°"},
    {"Wandreibungswinkel 0° (z_o nicht endlich)", "wall friction angle 0° (z_o not finite)"},
    {"die Formeln geben für diesen Silo keine endlichen Lasten",
     "the formulas give no finite loads for this silo"},
};

const TextPair kNotes[] = {
    {"φ_im = PHIE (Mittelwert des inneren Reibungswinkels)",
     "φ_im = PHIE (mean angle of internal friction)"},
    {"K-, μ- und φ_i-Werte der Trichterlasten (Tabelle 3.1)",
     "K, μ and φ_i values of the hopper loads (Table 3.1)"},
    {"γ aus der größten gemessenen Dichte des angepassten Dichtegesetzes",
     "γ from the largest measured density of the fitted density law"},
    {"Anforderungsklasse aus der Füllmasse (Tabelle 2.1)",
     "action assessment class from the filled mass (Table 2.1)"},
    {"Entleerungsfaktoren C_h, C_w mittelschlanker und gedrungener Silos",
     "discharge factors C_h, C_w of intermediate and squat silos"},
    {"Bodenlastvergrößerungsfaktor C_b ≠ 1,0", "bottom load magnifier C_b ≠ 1.0"},
    {"Formbeiwert S = 1 des keilförmigen Trichters", "shape factor S = 1 of a wedge hopper"},
    {"Entleeren eines steilen Trichters: F_e, φ_wh, p_vft,e",
     "discharge of a steep hopper: F_e, φ_wh, p_vft,e"},
    {"Entleeren eines flachen Trichters wie Füllen", "discharge of a shallow hopper as filling"},
    {"Trichterwandreibungswinkel φ_wh > φ_i, auf φ_i begrenzt",
     "hopper wall friction angle φ_wh > φ_i, capped at φ_i"},
    {"ebener Boden: gleichmäßiges p_vft, ungleichmäßige Bodenlast (6.2.2) nicht angesetzt",
     "flat bottom: uniform p_vft, the non-uniform bottom load (6.2.2) is not applied"},
    {"Teilflächenlasten C_pf, C_pe", "patch loads C_pf, C_pe"},
};

template <class E, std::size_t N>
QString pick(const TextPair (&table)[N], E e, int language) {
    const auto i = static_cast<std::size_t>(e);
    return i < N ? T(table[i], language) : QString();
}

}  // namespace

QString slendernessText(EnSlenderness s, int language) {
    switch (s) {
        case EnSlenderness::Slender: return T(slender, language);
        case EnSlenderness::Intermediate: return T(intermediate, language);
        case EnSlenderness::Squat: return T(squat, language);
        case EnSlenderness::Retaining: return T(retaining, language);
        case EnSlenderness::Undefined: break;
    }
    return T(undefinedClass, language);
}

QString bottomText(EnBottom b, int language) {
    switch (b) {
        case EnBottom::Flat: return T(flatBottom, language);
        case EnBottom::Steep: return T(steepHopper, language);
        case EnBottom::Shallow: return T(shallowHopper, language);
    }
    return {};
}

QString scopeText(EnScope s, int language) { return pick(kScope, s, language); }
QString noteText(EnNote n, int language) { return pick(kNotes, n, language); }

QString inputProblemText(EnInputProblem p, int language) {
    switch (p) {
        case EnInputProblem::ConversionFactor: return T(problemConversionFactor, language);
        case EnInputProblem::ReposeAngle: return T(problemReposeAngle, language);
        case EnInputProblem::PatchFactor: return T(problemPatchFactor, language);
        case EnInputProblem::None: break;
    }
    return {};
}

const TextPair* const kAllPairs[] = {
    &group, &conversionK, &conversionMu, &conversionPhi, &dynamicSolid, &reposeAngle,
    &reposeAnglePlaceholder, &hintConversion, &hintDynamicSolid, &hintReposeAngle,
    &problemConversionFactor, &problemReposeAngle, &problemPatchFactor, &showLoads, &openWindow,
    &fillingLegend, &dischargeLegend, &diagramOutsideScope, &windowCaption,
    &classificationHeading, &slendernessLabel, &slender, &intermediate, &squat, &retaining,
    &undefinedClass, &bottomLabel, &flatBottom, &steepHopper, &shallowHopper, &actionClassLabel,
    &massLabel, &geometryHeading, &factorsHeading, &valuesHeading, &unitWeight, &setWallNormal,
    &setWallFriction, &setVertical, &setHopperFilling, &setHopperDischarge, &conversionFactors,
    &dynamicYes, &unverifiedHeading, &notVerified, &noUnverified, &assumption,
    &outsideScopeHeading, &noResults, &loadsHeading, &unitLabel, &copyButton, &printButton,
    &closeButton, &transitionWall, &transitionHopper, &pageTitle,
    &kScope[0], &kScope[1], &kScope[2], &kScope[3], &kScope[4], &kScope[5], &kScope[6],
    &kScope[7], &kScope[8], &kScope[9], &kScope[10],
    &kNotes[0], &kNotes[1], &kNotes[2], &kNotes[3], &kNotes[4], &kNotes[5], &kNotes[6],
    &kNotes[7], &kNotes[8], &kNotes[9], &kNotes[10], &kNotes[11],
};
const int kAllPairsCount = static_cast<int>(sizeof(kAllPairs) / sizeof(kAllPairs[0]));

static_assert(sizeof(kScope) / sizeof(kScope[0]) ==
                  static_cast<std::size_t>(EnScope::LoadsNotFinite) + 1,
              "one text per scope reason");
static_assert(sizeof(kNotes) / sizeof(kNotes[0]) ==
                  static_cast<std::size_t>(EnNote::PatchLoads) + 1,
              "one text per unverified note");

}  // namespace korvane::texts::en1991_4
