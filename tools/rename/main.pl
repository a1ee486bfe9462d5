# Renames the main window's names where other folders use them.
#
#   perl -pi tools/rename/main.pl FILE...
#
# Run over every file under ui/ tests/ cli/ bench/ fuzz/ docs/ once the
# branches are merged. Only whole identifiers that belong to the main window
# alone are replaced everywhere; object names that other windows use too
# ("Edit3", "Memo2", ...) are replaced only in the files named below, where
# they stand for the main window's widgets. Running it twice, or over files
# that already use the new names, changes nothing.

# Methods of MainWindow (no other class has these names).
s/\bFormCreate\b/initialize/g;
s/\bForm1AKTIV\b/activate/g;
s/\bHAUPTPROGRAMM\b/calculateAndShow/g;
s/\bDAUERANZEIGE\b/updateTextsAndTitle/g;
s/\bAusDatei1Click\b/openParameterFile/g;
s/\bSpeichern2Click\b/saveParameterFile/g;
s/\bSpeichern1Click\b/saveParameterFileAs/g;
s/\bErgebnisseSpeichernClick\b/saveResults/g;
s/\bErgebnisdateispeichernunter1Click\b/saveResultsAs/g;
s/\bDruckereinrichten1Click\b/setUpPrinter/g;
s/\bTabelle1Click\b/printTable/g;
s/\bDiagramm1Click\b/printDiagram/g;
s/\bParameter1Click\b/editParameters/g;
s/\bAnsehen1Click\b/viewParameters/g;
s/\bWasdiesesProgrammberechnet1Click\b/showWhatItCalculates/g;
s/\bDaten1Click\b/showDataInputOutput/g;
s/\bVorgabewerte1Click\b/showBulkSolidDefaults/g;
s/\bVorgabewerteSilo1Click\b/showSiloDefaults/g;
s/\bBerechnungsmethoden1Click\b/showCalculationMethods/g;
s/\bWoherClick\b/showFlowPropertySources/g;
s/\bLiteratur1Click\b/showLiterature/g;
s/\bEULA1Click\b/showEula/g;
s/\bAbout1Click\b/showAbout/g;

# The diagram, the display logic and the print commands of ui/main.
s/\bResultImage\b/DiagramView/g;
s/\bRasterschritt\b/gridStep/g;
s/\bXpixel\b/stressToX/g;
s/\bYpixel\b/heightToY/g;
s/\bTabelle_Drucken\b/printResultTable/g;
s/\bDiagramm_Drucken\b/printResultDiagram/g;

# Object names of the main window's widgets, in the tests of other folders
# that find them.
if ($ARGV =~ m{tests/ui_parameters/end_to_end_test\.cpp$}) {
    s/"Vertspausl"/"outletStressField"/g;
    s/"Edit3"/"contentsField"/g;
    s/"Memo2"/"positionColumn"/g;
    s/"Memo3"/"zColumn"/g;
    s/"Memo5"/"densityColumn"/g;
    s/"Memo7"/"verticalStressColumn"/g;
    s/"Memo8"/"wallStressColumn"/g;
}
