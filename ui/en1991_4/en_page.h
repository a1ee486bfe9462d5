// The EN 1991-4 window's printed page: header, classification, factors and
// characteristic values in two columns, the unverified notes and the load
// table, all on one page (the line pitch shrinks where the rows need it).
#pragma once

#include <QString>

#include "calc/en1991_4.h"
#include "calc/model.h"
#include "ui/en1991_4/en_loads_display.h"

class QPainter;

namespace korvane::ui {

void paintEnPage(QPainter& p, const SiloModel& m, const EnResult& r, EnUnit unit,
                 const QString& parameterFile, bool changed, int language);

}  // namespace korvane::ui
