# Renames of the start window, help windows, about box and literature window
# (ui/info) as seen from the rest of the tree. Run over every source file:
#   perl -pi tools/rename/info.pl FILE...
# Every pattern is a whole, qualified or unique identifier, so the script is
# idempotent and leaves ui/info's own (already renamed) files as they are.

# Which help window showInfoWindow opens.
s/\bInfoWindow::Wasberechnetwird\b/InfoWindow::WhatItCalculates/g;
s/\bInfoWindow::Dateneinaus\b/InfoWindow::DataInputOutput/g;
s/\bInfoWindow::Vorgabewerteinfo\b/InfoWindow::BulkSolidDefaults/g;
s/\bInfoWindow::VorgabeSiloInfo\b/InfoWindow::SiloDefaults/g;
s/\bInfoWindow::Berechnungsmethoden\b/InfoWindow::CalculationMethods/g;
s/\bInfoWindow::SGEigenschaften\b/InfoWindow::FlowProperties/g;
s/\bInfoWindow::Buch\b/InfoWindow::Literature/g;

# Screen scale of the windows (ui/info/infoscaling.h).
s/\bcomputeSkalierung\b/computeScreenScale/g;
s/\bcurrentSkalierung\b/currentScreenScale/g;

# The start window's switch and the help texts' line-break helper.
s/\bBedingungenakzeptiert\b/conditionsAccepted/g;
s/\bmemoText\(/normalisedLineBreaks(/g;
