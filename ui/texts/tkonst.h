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
// END TABLE

}  // namespace korvane::tkonst
