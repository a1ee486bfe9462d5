#include "ui/info/infowindows.h"

#include <QDialog>

namespace korvane::ui {

// Placeholders until the windows are built.
int showInfoWindow(QWidget*, InfoWindow) { return QDialog::Rejected; }
void openEula() {}

}  // namespace korvane::ui
