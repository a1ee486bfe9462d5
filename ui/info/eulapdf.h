// Typesetting of the licence document KORVANE_EULA.pdf from its text source.
//
// The source is plain UTF-8 text: "# " starts a heading (a heading that does
// not begin with a section number is a document title and starts a new
// page), blank lines separate paragraphs, and the lines of a paragraph are
// joined. The PDF is A4 with a page number at the foot of every page.
#pragma once

#include <QString>

namespace korvane::ui {

// Writes the PDF; false (with a reason in *error) when the file cannot be
// written. Needs a QGuiApplication for the fonts.
bool writeEulaPdf(const QString& sourceText, const QString& pdfPath, QString* error = nullptr);

// Number of pages the text takes (same layout as the PDF).
int eulaPageCount(const QString& sourceText);

// True when, in the PDF's page layout, no section heading is left at the
// foot of a page with its paragraph on the next page.
bool eulaHeadingsKeptWithText(const QString& sourceText);

}  // namespace korvane::ui
