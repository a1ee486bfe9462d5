// The thin layer between the program and the desktop: file dialogs, message
// boxes, the beep, opening documents and web pages, the screen. Each has a
// test seam so that widget tests never block on a native dialog.
#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

class QWidget;

namespace korvane::ui::platform {

// File dialogs. `filter` uses Qt's syntax ("Parameter-File (*.par);;Alle Dateien (*)").
// Returns the chosen path, or an empty string when cancelled. A default
// suffix is appended when the name has none.
QString getOpenFileName(QWidget* parent, const QString& caption, const QString& dir,
                        const QString& filter);
QString getSaveFileName(QWidget* parent, const QString& caption, const QString& dir,
                        const QString& filter, const QString& defaultSuffix);
// Test seam: the next dialog returns this path (empty = cancel) without showing.
void setNextFileName(const QString& path);
void clearNextFileName();

// Message boxes. Returns true for OK / Yes.
enum class Icon { Information, Warning, Critical, Question };
bool messageOkCancel(QWidget* parent, const QString& caption, const QString& text, Icon icon);
// A question with two answers named by their buttons; true for the first.
// Answered by setNextAnswer in tests like the other message boxes.
bool askTwoWay(QWidget* parent, const QString& caption, const QString& text,
               const QString& firstButton, const QString& secondButton);
void message(QWidget* parent, const QString& caption, const QString& text, Icon icon);
// Test seam: the next box answers without showing (true = OK); every text
// shown through a seam-answered box is recorded.
void setNextAnswer(bool ok);
void clearNextAnswer();
QStringList& shownMessages();
// How many boxes came up while the busy (hourglass) cursor was still set;
// a box must never appear under it.
int messagesUnderBusyCursor();

// The system beep, counted for tests.
void beep();
int beepCount();
void resetBeepCount();

// Open a document or a web address with the desktop's associated program.
// Returns false when the desktop refused. Test seam: when recording, nothing
// is opened and the targets are collected.
bool openDocument(const QString& path);
bool openUrl(const QString& url);
void setRecordOpens(bool record);
QStringList& openedTargets();

// Screen geometry: whole screen and the part not covered by panels / task bar.
struct ScreenInfo {
    QRect geometry;
    QRect available;
};
ScreenInfo primaryScreen();
// Test seam: pretend to have this screen.
void setScreenOverride(const ScreenInfo* info);

// The folder of the executable and the user's documents folder.
QString programFolder();
QString documentsFolder();
// True when the current user may create and change files in `folder`.
bool folderWritable(const QString& folder);

// A folder a file dialog can start in: `folder` itself, created when it is
// missing, or else the nearest folder above it that exists. Never a path
// whose last part a dialog would take for a file name.
QString existingFolder(const QString& folder);

// Copies every file of `from` into `to` that `to` does not hold yet (an
// existing file is never replaced). Returns the number of files copied.
int copyMissingFiles(const QString& from, const QString& to);

// The program's icon on every window (set once, program-wide).
void installProgramIcon();

}  // namespace korvane::ui::platform
