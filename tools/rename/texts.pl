# Renames every use of the old text table (korvane::tkonst in ui/texts/tkonst.h
# and the two small tables korvane::ui::texts in ui/main/view_texts.h and
# ui/main/mainwindow_texts.h) to the table korvane::texts in ui/texts/texts.h.
#
# Run it line by line, in place, over the files that use the table:
#
#     perl -pi tools/rename/texts.pl $(git ls-files ui tests cli bench fuzz docs)
#
# It is written for -p (one line at a time) and keeps per-file state keyed on
# $ARGV, so several files can be given at once; it needs perl 5.28 or later,
# whose -i keeps the original readable under its name until the file is done
# (the include rule looks at the whole file once). It is idempotent: a second
# run finds nothing left to change, and it leaves the new table's own files
# alone. Run it before the windows' rename scripts: then their rules for
# widget and handler names never meet the old entry names (tkonst::Auflast,
# tkonst::Edit5Hint, ...), which share words with those widgets.
#
# What it rewrites:
#   - the includes of the three old headers become one include of
#     "ui/texts/texts.h" (at the place of the old tkonst.h include, so the
#     include block stays in order; a file with two of them gets one line);
#   - qualified entries: tkonst::X, korvane::tkonst::X, tk::X (where a file
#     declares `namespace tk = korvane::tkonst;`) and texts::X of the old
#     korvane::ui::texts tables become texts::group::name;
#   - the language functions: sprache() -> texts::language(),
#     setSprache(i) -> texts::setLanguage(i), also unqualified (the only
#     functions of these names are the table's); their using-declarations go;
#   - the one test that pulled the whole old namespace in
#     (tests/ui_info/test_help_texts.cpp) gets its entries qualified.
# Short entry names that are also ordinary words in the windows (Auslauf, Ja,
# MF, Trichter, Laenge, ...) are only ever replaced in their qualified form.

use strict;
use warnings;

our (%ENTRY, %UI_TEXTS, %FUNCTION, $file, $hasTkonstInclude, $includeDone, $tkAlias);

BEGIN {
    # Old entry of korvane::tkonst -> its place in korvane::texts.
    %ENTRY = (
        # main window menus
        Datei1                       => 'menu::file',
        Dateioeffnen1                => 'menu::openParameterFile',
        Speichern3                   => 'menu::saveParameterFile',
        Speichernunter1              => 'menu::saveParameterFileAs',
        ErgebnisseSpeichern          => 'menu::saveResults',
        Ergebnisdateispeichernunter1 => 'menu::saveResultsAs',
        Ergebnissedrucken1           => 'menu::print',
        Tabelle1                     => 'menu::printTable',
        Diagramm1                    => 'menu::printDiagram',
        Druckereinrichten1           => 'menu::printerSetup',
        Beenden1                     => 'menu::exit',
        Einstellungen1               => 'menu::parameters',
        Parameter1                   => 'menu::editParameters',
        Ansehen1                     => 'menu::viewParameters',
        About1                       => 'menu::help',
        WasdiesesProgrammberechnet1  => 'menu::whatItCalculates',
        Daten1                       => 'menu::dataInputOutput',
        Vorgabewerte1                => 'menu::bulkSolidDefaults',
        VorgabeSiloInfo1             => 'menu::siloDefaults',
        Berechnungsmethoden1         => 'menu::calculationMethods',
        Woher                        => 'menu::flowProperties',
        Literatur1                   => 'menu::book',
        Info1                        => 'menu::about',
        # main window labels and status
        Label1                 => 'mainWindow::positionColumn',
        Label2                 => 'mainWindow::zColumn',
        Label4                 => 'mainWindow::densityColumn',
        Label6                 => 'mainWindow::verticalStressColumn',
        Label7                 => 'mainWindow::wallStressColumn',
        StaticText1            => 'mainWindow::messagesLabel',
        Labelvertsp            => 'mainWindow::outletStressLabel',
        Label10                => 'mainWindow::contentsLabel',
        Label24                => 'mainWindow::stateLabel',
        AktuelleParameterdatei => 'mainWindow::currentParameterFile',
        Geaendert              => 'mainWindow::modifiedMark',
        Fuellzustand           => 'mainWindow::fillingState',
        Entleerungszust        => 'mainWindow::dischargeState',
        # messages about the results
        Messbereich => 'results::densityRangeExceeded',
        Kernfluss   => 'results::funnelFlow',
        # main window hints
        Form1Hint      => 'hint::mainWindow',
        Edit11Hint     => 'hint::stateField',
        Edit3Hint      => 'hint::contentsField',
        VertspauslHint => 'hint::outletStressField',
        PositionHint   => 'hint::positionColumn',
        Label2Hint     => 'hint::zColumn',
        Label4Hint     => 'hint::densityColumn',
        Label6Hint     => 'hint::verticalStressColumn',
        Label7Hint     => 'hint::wallStressColumn',
        # level lines of the diagram, rows of the result table
        OKTrichter     => 'position::hopperTopLevel',
        UKTrichter     => 'position::hopperBottomLevel',
        OKSilo         => 'position::siloTopLevel',
        OKFuellung     => 'position::fillingTopLevel',
        UKSchuettkegel => 'position::heapBottomLevel',
        Auslauf        => 'position::outlet',
        UKKegel        => 'position::heapBottomRow',
        OKFuellg       => 'position::fillingTopRow',
        UKSchaft       => 'position::shaftBottomRow',
        UKTricht       => 'position::hopperBottomRow',
        # printouts
        Parameterdatei      => 'printout::parameterFile',
        Zustand             => 'printout::state',
        Fuellmenge          => 'printout::contents',
        Vertspannungauslauf => 'printout::outletStress',
        # parameter form
        ParameterCaption      => 'parameters::caption',
        ParameterdateiCaption => 'parameters::captionWithFile',
        Schuettgutdichte      => 'parameters::densityGroup',
        Abbruch               => 'parameters::cancelButton',
        Rhokonst              => 'parameters::constantDensity',
        Rhofunkt              => 'parameters::densityFunction',
        Rhoanpass             => 'parameters::densityFit',
        WerteButton           => 'parameters::densityDataButton',
        InnereReibung         => 'parameters::internalFrictionGroup',
        KLambda               => 'parameters::ratioKGroup',
        RadioButton7          => 'parameters::ownRatioK',
        RadioGroup4           => 'parameters::stressStateGroup',
        Spannungszustand0     => 'parameters::fillingStateItem',
        Spannungszustand1     => 'parameters::dischargeStateItem',
        RadioGroup1           => 'parameters::crossSectionGroup',
        Kreis                 => 'parameters::circularItem',
        Rechteck              => 'parameters::rectangularItem',
        AuflastOberflaeche    => 'parameters::surfaceGroup',
        RadioButton1          => 'parameters::flatSurface',
        boeschungsw           => 'parameters::heap',
        Boeschungswinkel      => 'parameters::angleOfReposeLabel',
        Auflast               => 'parameters::surfaceStress',
        Fuellhoehe            => 'parameters::fillHeightGroup',
        InklSchuettkegel      => 'parameters::fillHeightWithHeapLabel',
        OhneSchuettkegel      => 'parameters::fillHeightWithoutHeapLabel',
        Siloschaft            => 'parameters::shaftGroup',
        Ja                    => 'parameters::presentBox',
        HoeheSchaft           => 'parameters::shaftHeightLabel',
        SchaftOKTrichter      => 'parameters::crossSectionSizeGroup',
        DurchmesserBreite     => 'parameters::diameterWidthLabel',
        Laenge                => 'parameters::lengthLabel',
        Trichter              => 'parameters::hopperGroup',
        Wandneigung           => 'parameters::wallSlopeLabel',
        Auslaufbreite         => 'parameters::outletWidthLabel',
        PhixStirnwaende       => 'parameters::endWallFrictionLabel',
        UnterTrichter         => 'parameters::belowHopperGroup',
        Vertikalteil          => 'parameters::belowHopperSectionBox',
        HoeheUnten            => 'parameters::belowHopperHeightLabel',
        Berechnet             => 'parameters::calculatedGroup',
        Silohoehe             => 'parameters::siloHeightLabel',
        Trichterhoehe         => 'parameters::hopperHeightLabel',
        Schuettgutvolumen     => 'parameters::bulkSolidVolumeLabel',
        Silovolumen           => 'parameters::siloVolumeLabel',
        MF                    => 'parameters::massFlowMark',
        KF                    => 'parameters::funnelFlowMark',
        # parameter form hints
        RhokonstHint              => 'parameterHint::constantDensity',
        RhofunktHint              => 'parameterHint::densityFunction',
        RhoanpassHint             => 'parameterHint::densityFit',
        Edit15Hint                => 'parameterHint::effectiveFrictionAngle',
        KLambdaHint               => 'parameterHint::ratioK',
        RadioButton5Hint          => 'parameterHint::ratioKFromFriction',
        RadioButton6Hint          => 'parameterHint::ratioKEstimate',
        RadioGroup4Hint           => 'parameterHint::stressState',
        boeschungswHint           => 'parameterHint::heap',
        boeschwinkelHint          => 'parameterHint::angleOfRepose',
        AuflastHint               => 'parameterHint::surfaceStress',
        Edit5Hint                 => 'parameterHint::fillHeightWithHeap',
        HohnekegelHint            => 'parameterHint::fillHeightWithoutHeap',
        PhixschaftHint            => 'parameterHint::shaftWallFriction',
        Edit4Hint                 => 'parameterHint::crossSectionSize',
        MFKFLabelHint             => 'parameterHint::flowMark',
        PhixtrichterHint          => 'parameterHint::hopperWallFriction',
        PHIXTrichterStirnwandHint => 'parameterHint::endWallFriction',
        vertuntenHint             => 'parameterHint::belowHopperSection',
        PhixuntenHint             => 'parameterHint::belowHopperWallFriction',
        SilonetvolHint            => 'parameterHint::bulkSolidVolume',
        SilobrutvolHint           => 'parameterHint::siloVolume',
        Button1Hint               => 'parameterHint::okButton',
        Button2Hint               => 'parameterHint::cancelButton',
        # parameter problems, errors
        Problem03 => 'problem::fillHeightAboveSilo',
        Problem06 => 'problem::densityParameters',
        Problem09 => 'problem::siloGeometry',
        Problem10 => 'problem::frictionAngles',
        Problem13 => 'problem::ratioKNotPositive',
        Problem20 => 'problem::angleOfRepose',
        Problem21 => 'problem::missingDensityPairs',
        Fehler    => 'error::caption',
        # density window
        Form6Caption              => 'density::caption',
        Eingabetext               => 'density::instructions',
        TestButton                => 'density::checkButton',
        anpassgroup               => 'density::fitModeGroup',
        Anpassart0                => 'density::linearRegression',
        Anpassart1                => 'density::logarithmicFit',
        Anpassart2                => 'density::exponentialFit',
        Anpassart3                => 'density::linearInterpolation',
        AnpassungNichtBerechenbar => 'density::fitNotComputable',
        HalbeZeile                => 'density::incompleteRow',
        # start window
        Nutzungsbedingungen => 'start::conditionsCaption',
        AcceptButton        => 'start::accept',
        CancelButton        => 'start::cancel',
        Bedingungen         => 'start::conditionsText',
        # literature window
        BuchCaption          => 'literature::caption',
        WeitereInformationen => 'literature::moreInformation',
        # help text windows
        WasberechnetwirdCaption    => 'help::whatItCalculatesCaption',
        DateneinausCaption         => 'help::dataInputOutputCaption',
        VorgabewerteinfoCaption    => 'help::bulkSolidDefaultsCaption',
        VorgabeSiloInfoCaption     => 'help::siloDefaultsCaption',
        BerechnungsmethodenCaption => 'help::calculationMethodsCaption',
        SGEigenschaftenCaption     => 'help::flowPropertiesCaption',
        SGEigenschaftenLabel       => 'help::flowPropertiesHeading',
        WasberechnetwirdText       => 'help::whatItCalculatesText',
        DateneinausText            => 'help::dataInputOutputText',
        VorgabewerteinfoText       => 'help::bulkSolidDefaultsText',
        VorgabeSiloInfoText        => 'help::siloDefaultsText',
        BerechnungsmethodenText    => 'help::calculationMethodsText',
        SGEigenschaftenText        => 'help::flowPropertiesText',
        # texts that are the same in both languages
        kSpracheLanguage => 'kLanguageMenu',
        kDeutsch         => 'kGerman',
        kSprachwahl      => 'kChooseLanguage',
        kSchliessen      => 'kCloseButton',
    );

    # Old entry of korvane::ui::texts (view_texts.h, mainwindow_texts.h).
    %UI_TEXTS = (
        Ansicht1              => 'view::menuTitle',
        BeideZustaende        => 'view::showBothStates',
        Vergleichen           => 'view::compareWithFile',
        VergleichBeenden      => 'view::endComparison',
        DiagrammExportieren   => 'view::exportDiagram',
        TabelleKopieren       => 'view::copyTable',
        FuellenDurchgezogen   => 'view::fillingSolidLegend',
        EntleerenDurchgezogen => 'view::dischargingSolidLegend',
        VergleichLegende      => 'view::comparisonLegend',
        VergleichUngueltig    => 'view::comparisonInvalid',
        ErgebnisseUngueltig   => 'view::comparisonNotFinite',
        ExportFilter          => 'view::exportFileTypes',
        ExportBreite          => 'view::exportImageWidth',
        ExportFehler          => 'view::exportFailed',
        KeineErgebnisse       => 'results::noValidResults',
        NichtEndlich          => 'results::invalidNumbers',
        AlleNull              => 'results::allStressesZero',
        Zeile                 => 'error::line',
        Datei                 => 'error::file',
        NichtGespeichert      => 'error::fileNotWritten',
    );

    # Functions and names that change; everything else of the old namespace
    # (T, TextPair, problemText, kAllPairs, kProductName, ...) keeps its name.
    %FUNCTION = (
        sprache    => 'language',
        setSprache => 'setLanguage',
    );
}

# Per-file state: reset when perl moves on to the next file.
if (!defined $file || $file ne $ARGV) {
    $file = $ARGV;
    $includeDone = 0;
    $tkAlias = 0;
    # Does the file include the old main table? Then the includes of the two
    # small tables just go and tkonst.h's line becomes texts.h's. With -i the
    # original stays readable under its name until perl has finished it.
    $hasTkonstInclude = 0;
    if (open(my $in, '<', $ARGV)) {
        local $/;
        my $all = <$in>;
        $hasTkonstInclude = 1 if defined $all && $all =~ m{#include "ui/texts/(?:tkonst|texts)\.h"};
        close $in;
    }
}

my $newName = sub {
    my ($old) = @_;
    return $ENTRY{$old} // $FUNCTION{$old} // $old;
};

# ---- includes ----
if (m{^\s*#include "ui/(?:texts/tkonst|texts/texts|main/view_texts|main/mainwindow_texts)\.h"}) {
    my $isMainTable = m{"ui/texts/(?:tkonst|texts)\.h"};
    if ($includeDone || ($hasTkonstInclude && !$isMainTable)) {
        $_ = '';
    } else {
        s{"ui/(?:texts/tkonst|main/view_texts|main/mainwindow_texts)\.h"}{"ui/texts/texts.h"};
        $includeDone = 1;
    }
}

# ---- using-declarations of the language functions: the calls get qualified ----
$_ = '' if m{^\s*using\s+(?:korvane::)?tkonst::(?:sprache|setSprache)\s*;\s*$};

# ---- namespace alias and the one file that pulled the whole namespace in ----
$tkAlias = 1 if s{\bnamespace\s+tk\s*=\s*korvane::tkonst\s*;}{namespace texts = korvane::texts;};
if ($ARGV =~ m{tests/ui_info/test_help_texts\.cpp$}) {
    s{^using namespace korvane::tkonst;\s*$}{using korvane::texts::T;\nusing korvane::texts::TextPair;\n};
    s{(?<![\w:.>])(\w+Text)\b}{exists $ENTRY{$1} ? "texts::$ENTRY{$1}" : $1}ge;
}

# ---- qualified entries of the old main table ----
s{\b(korvane::)?tkonst::(\w+)}{($1 // '') . "texts::" . $newName->($2)}ge;
s{(?<![\w:])tk::(\w+)}{"texts::" . $newName->($1)}ge if $tkAlias;
s{\bkorvane::tkonst\b}{korvane::texts}g;

# ---- qualified entries of the old small tables (korvane::ui::texts) ----
s{\b(korvane::)?(?:ui::)?texts::(\w+)\b(?!::)}{exists $UI_TEXTS{$2} ? ($1 // '') . "texts::$UI_TEXTS{$2}" : $&}ge;

# ---- the language functions, also unqualified ----
s{(?<![\w:.>])sprache\s*\(}{texts::language(}g;
s{(?<![\w:.>])setSprache\s*\(}{texts::setLanguage(}g;
