# Carries the parameter form's and the density window's new names into the
# files that use them from other folders.
#
#   perl -pi tools/rename/parameters.pl FILE...
#
# Whole identifiers only, each of which names nothing but these two windows;
# an objectName that other windows use as well is rewritten only in the files
# where it means a widget of these windows. Running it twice, or over the
# windows' own files, changes nothing more.

# The parameter form's handlers.
s/\bForm2Aktiv\b/activate/g;
s/\bZEIGE_PARAMETER\b/showParameters/g;
s/\bsilo_zeichnen\b/drawSketch/g;
s/\bneue_par_uebernehmen\b/takeOverParameters/g;
s/\bAENDERUNG\b/onInputChanged/g;
s/\bWerteButtonClick\b/editMeasuredValues/g;

# The density window's handlers and the logic callable without it.
s/\bTestButtonClick\b/testFit/g;
s/\bRhoSigmaDiagrammClick\b/testFit/g;
s/\banpassgroupClick\b/fitKindChanged/g;
s/\bOKButton1Clic\b/okClicked/g;
s/\bAbbrButton1Click\b/cancel/g;
s/\bAnpassunggueltig\b/fitIsUsable/g;
s/\bMesswerte_pruefen\b/checkMeasurements/g;
s/\bdichteGitterschritt\b/densityGridStep/g;
s/\bdichteSkala\b/densityScale/g;
s/\bzeichneDichteDiagramm\b/drawDensityDiagram/g;
s/\bsigmaSchritt\b/sigmaStep/g;
s/\brhoSchritt\b/rhoStep/g;

# Widgets found by objectName from other folders' tests.
if ($ARGV =~ m{(?:^|/)tests/ui_main/mainwindow_test\.cpp$}) {
    # The parameter form's OK, pressed on the modal form after opening a file.
    s/(\bd->findChild<QPushButton\*>\()"Button1"(\))/$1"okButton"$2/g;
}
