// What the main window does as any desktop program does, kept apart from the
// window so that tests reach it without one: the program's settings, the
// list of recent files, menu access keys, the question about unsaved
// parameters and the unit of the stresses.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class QSettings;
class QWidget;

namespace korvane::ui {

// The program's settings (recent files, stress unit). Test seam: with a
// file set, the settings live in that INI file instead of the user's.
std::unique_ptr<QSettings> openSettings();
void setSettingsFileForTests(const QString& iniPath);

// ---- recent files ----------------------------------------------------------
inline constexpr int kRecentFilesMax = 8;
// `path` at the head of `list`, an earlier entry of the same file dropped,
// at most kRecentFilesMax entries.
QStringList withRecentFile(QStringList list, const QString& path);
QStringList loadRecentFiles();
void saveRecentFiles(const QStringList& list);

// ---- access keys -------------------------------------------------------------
// The access key of a caption ('&' before it, "&&" is a literal '&'),
// lower-case; a null QChar when it has none.
QChar accessKey(const QString& caption);
// Captions of one menu whose access key another caption of it already has.
QStringList accessKeyClashes(const QStringList& captions);

// ---- unsaved parameters ------------------------------------------------------
enum class UnsavedAnswer { Save, Discard, Cancel };
// Asks Save / Discard / Cancel about changed parameters. Test seam: the
// next question answers without showing; the question's text is recorded
// in platform::shownMessages().
UnsavedAnswer askAboutUnsavedChanges(QWidget* parent, const QString& caption,
                                     const QString& text);
void setNextUnsavedAnswer(UnsavedAnswer answer);
void clearNextUnsavedAnswer();

// ---- unit of the stresses ----------------------------------------------------
// Stresses are calculated in Pa; the window shows them in Pa or kPa.
enum class StressUnit { Pa, kPa };
StressUnit loadStressUnit();
void saveStressUnit(StressUnit unit);
// The current unit of the displays (columns, axes, copy, print); the main
// window sets it from the settings and the View menu.
StressUnit stressUnit();
void setStressUnit(StressUnit unit);
// "Pa" or "kPa"; the divisor from Pa; decimals of a stress in the columns.
QString stressUnitName(StressUnit unit);
double stressUnitDivisor(StressUnit unit);
int stressDecimals(StressUnit unit);
// A heading or label with "[Pa]" in the current unit.
QString inStressUnit(QString text);

}  // namespace korvane::ui
