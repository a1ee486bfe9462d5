#include "ui/main/desktop_habits.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <optional>

#include "ui/main/platform.h"

namespace korvane::ui {

namespace {
QString g_settingsFile;
std::optional<UnsavedAnswer> g_nextUnsaved;
StressUnit g_unit = StressUnit::Pa;
const char* const kRecentKey = "recentFiles";
const char* const kUnitKey = "stressUnit";
}  // namespace

std::unique_ptr<QSettings> openSettings() {
    if (!g_settingsFile.isEmpty())
        return std::make_unique<QSettings>(g_settingsFile, QSettings::IniFormat);
    return std::make_unique<QSettings>(QStringLiteral("Korvane"), QStringLiteral("Korvane"));
}

void setSettingsFileForTests(const QString& iniPath) { g_settingsFile = iniPath; }

QStringList withRecentFile(QStringList list, const QString& path) {
    if (path.isEmpty()) return list;
    const QString canonical = QFileInfo(path).absoluteFilePath();
    list.removeIf([&](const QString& p) { return QFileInfo(p).absoluteFilePath() == canonical; });
    list.prepend(canonical);
    while (list.size() > kRecentFilesMax) list.removeLast();
    return list;
}

QStringList loadRecentFiles() {
    QStringList list = openSettings()->value(kRecentKey).toStringList();
    while (list.size() > kRecentFilesMax) list.removeLast();
    return list;
}

void saveRecentFiles(const QStringList& list) { openSettings()->setValue(kRecentKey, list); }

QChar accessKey(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;  // "&&" is the ampersand itself
            continue;
        }
        return caption[i + 1].toLower();
    }
    return QChar();
}

QStringList accessKeyClashes(const QStringList& captions) {
    QStringList clashes;
    QString seen;
    for (const QString& c : captions) {
        const QChar k = accessKey(c);
        if (k.isNull()) continue;
        if (seen.contains(k))
            clashes << c;
        else
            seen += k;
    }
    return clashes;
}

UnsavedAnswer askAboutUnsavedChanges(QWidget* parent, const QString& caption,
                                     const QString& text) {
    platform::shownMessages() << text;
    if (g_nextUnsaved) {
        const UnsavedAnswer a = *g_nextUnsaved;
        g_nextUnsaved.reset();
        return a;
    }
    QMessageBox box(parent);
    box.setObjectName("unsavedChangesQuestion");
    box.setWindowTitle(caption);
    box.setText(text);
    box.setIcon(QMessageBox::Question);
    box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
        case QMessageBox::Save: return UnsavedAnswer::Save;
        case QMessageBox::Discard: return UnsavedAnswer::Discard;
        default: return UnsavedAnswer::Cancel;
    }
}

void setNextUnsavedAnswer(UnsavedAnswer answer) { g_nextUnsaved = answer; }
void clearNextUnsavedAnswer() { g_nextUnsaved.reset(); }

StressUnit loadStressUnit() {
    return openSettings()->value(kUnitKey).toString() == QStringLiteral("kPa") ? StressUnit::kPa
                                                                              : StressUnit::Pa;
}

void saveStressUnit(StressUnit unit) {
    openSettings()->setValue(kUnitKey, stressUnitName(unit));
}

StressUnit stressUnit() { return g_unit; }
void setStressUnit(StressUnit unit) { g_unit = unit; }

QString stressUnitName(StressUnit unit) {
    return unit == StressUnit::kPa ? QStringLiteral("kPa") : QStringLiteral("Pa");
}
double stressUnitDivisor(StressUnit unit) { return unit == StressUnit::kPa ? 1000.0 : 1.0; }
int stressDecimals(StressUnit unit) { return unit == StressUnit::kPa ? 3 : 0; }

QString inStressUnit(QString text) {
    if (g_unit == StressUnit::kPa) text.replace(QStringLiteral("[Pa]"), QStringLiteral("[kPa]"));
    return text;
}

}  // namespace korvane::ui
