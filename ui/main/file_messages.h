// The text a window shows for a file that cannot be loaded or saved: in the
// window's language, naming the line and the value as the parameter form
// labels it, never the file's raw bytes.
#pragma once

#include <QString>

#include "files/file_error.h"

namespace korvane::ui {

// The parameter form's words for a value of the parameter file (0 German,
// 1 English); `pair` numbers a measured pair.
QString parameterFieldWords(ParField field, int pair, int language);

// "Fehler 13" / "Error 13" for a refusal of the operating system, the file's
// name, then the reason. Content faults name line, value and a short excerpt.
QString fileErrorText(const FileError& err, const QString& path, int language);

}  // namespace korvane::ui
