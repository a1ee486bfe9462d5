#include "ui/main/platform.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QIcon>
#include <QGuiApplication>
#include <QHeaderView>
#include <QTreeView>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>
#include <algorithm>
#include <optional>

namespace korvane::ui::platform {
namespace {
std::optional<QString> g_nextFile;
std::optional<bool> g_nextAnswer;
QStringList g_messages;
int g_beeps = 0;
int g_busyMessages = 0;
bool g_recordOpens = false;
QStringList g_opened;
std::optional<ScreenInfo> g_screen;

// File dialogs open large enough for long names and several columns, in
// the font of the window they belong to, and never larger than the desktop.
void prepareFileDialog(QFileDialog& dlg, QWidget* parent) {
    const QFont font = parent ? parent->window()->font() : QApplication::font();
    dlg.setFont(font);
    const QFontMetrics fm(font);
    // Wide enough that a name of about 30 characters stays whole beside the
    // size, type ("Einfaches Textdokument") and date columns.
    QSize size(std::max(1040, 85 * fm.averageCharWidth()), std::max(520, 26 * fm.height()));
    const QRect avail = primaryScreen().available;
    if (avail.isValid())
        size = size.boundedTo(QSize(avail.width() * 9 / 10, avail.height() * 9 / 10));
    dlg.resize(size);
    // Size, type and date columns as wide as their contents, the name
    // column takes the rest.
    if (auto* details = dlg.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = details->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(QHeaderView::ResizeToContents);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
    }
}

QString withSuffix(const QString& path, const QString& suffix) {
    if (path.isEmpty() || suffix.isEmpty()) return path;
    if (!QFileInfo(path).suffix().isEmpty()) return path;
    return path + "." + suffix;
}
}  // namespace

QString getOpenFileName(QWidget* parent, const QString& caption, const QString& dir,
                        const QString& filter) {
    if (g_nextFile) {
        QString p = *g_nextFile;
        g_nextFile.reset();
        return p;
    }
    QFileDialog dlg(parent, caption, dir, filter);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    prepareFileDialog(dlg, parent);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    return dlg.selectedFiles().first();
}

QString getSaveFileName(QWidget* parent, const QString& caption, const QString& dir,
                        const QString& filter, const QString& defaultSuffix) {
    if (g_nextFile) {
        QString p = *g_nextFile;
        g_nextFile.reset();
        return withSuffix(p, defaultSuffix);
    }
    QFileDialog dlg(parent, caption, dir, filter);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setDefaultSuffix(defaultSuffix);
    prepareFileDialog(dlg, parent);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    return dlg.selectedFiles().first();
}

void setNextFileName(const QString& path) { g_nextFile = path; }
void clearNextFileName() { g_nextFile.reset(); }

bool messageOkCancel(QWidget* parent, const QString& caption, const QString& text, Icon icon) {
    if (QApplication::overrideCursor()) ++g_busyMessages;
    if (g_nextAnswer) {
        bool a = *g_nextAnswer;
        g_nextAnswer.reset();
        g_messages << text;
        return a;
    }
    QMessageBox box(parent);
    box.setWindowTitle(caption);
    box.setText(text);
    box.setIcon(icon == Icon::Question    ? QMessageBox::Question
                : icon == Icon::Warning   ? QMessageBox::Warning
                : icon == Icon::Critical  ? QMessageBox::Critical
                                          : QMessageBox::Information);
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Ok);
    g_messages << text;
    return box.exec() == QMessageBox::Ok;
}

bool askTwoWay(QWidget* parent, const QString& caption, const QString& text,
               const QString& firstButton, const QString& secondButton) {
    g_messages << text;
    if (g_nextAnswer) {
        const bool a = *g_nextAnswer;
        g_nextAnswer.reset();
        return a;
    }
    QMessageBox box(parent);
    box.setWindowTitle(caption);
    box.setText(text);
    box.setIcon(QMessageBox::Question);
    QPushButton* first = box.addButton(firstButton, QMessageBox::AcceptRole);
    box.addButton(secondButton, QMessageBox::RejectRole);
    box.setDefaultButton(first);
    box.exec();
    return box.clickedButton() == first;
}

void message(QWidget* parent, const QString& caption, const QString& text, Icon icon) {
    if (QApplication::overrideCursor()) ++g_busyMessages;
    g_messages << text;
    if (g_nextAnswer) {
        g_nextAnswer.reset();
        return;
    }
    QMessageBox box(parent);
    box.setWindowTitle(caption);
    box.setText(text);
    box.setIcon(icon == Icon::Question    ? QMessageBox::Question
                : icon == Icon::Warning   ? QMessageBox::Warning
                : icon == Icon::Critical  ? QMessageBox::Critical
                                          : QMessageBox::Information);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

void setNextAnswer(bool ok) { g_nextAnswer = ok; }
void clearNextAnswer() { g_nextAnswer.reset(); }
QStringList& shownMessages() { return g_messages; }
int messagesUnderBusyCursor() { return g_busyMessages; }

void beep() {
    ++g_beeps;
    QApplication::beep();
}
int beepCount() { return g_beeps; }
void resetBeepCount() { g_beeps = 0; }

bool openDocument(const QString& path) {
    if (g_recordOpens) {
        g_opened << path;
        return true;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool openUrl(const QString& url) {
    if (g_recordOpens) {
        g_opened << url;
        return true;
    }
    return QDesktopServices::openUrl(QUrl(url));
}

void setRecordOpens(bool record) { g_recordOpens = record; }
QStringList& openedTargets() { return g_opened; }

ScreenInfo primaryScreen() {
    if (g_screen) return *g_screen;
    ScreenInfo info;
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        info.geometry = s->geometry();
        info.available = s->availableGeometry();
    } else {
        info.geometry = info.available = QRect(0, 0, 1024, 768);
    }
    return info;
}

void setScreenOverride(const ScreenInfo* info) {
    if (info) g_screen = *info;
    else g_screen.reset();
}

QString programFolder() {
    QString dir = QCoreApplication::applicationDirPath();
    if (!dir.endsWith('/')) dir += '/';
    return dir;
}

QString documentsFolder() {
    QString d = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (d.isEmpty()) d = QDir::homePath();
    return d;
}

bool folderWritable(const QString& folder) {
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

QString existingFolder(const QString& folder) {
    if (folder.isEmpty()) return folder;
    QDir().mkpath(folder);
    QString dir = QDir::cleanPath(folder);
    while (!QFileInfo(dir).isDir()) {
        const QString up = QFileInfo(dir).absolutePath();
        if (up == dir) return documentsFolder();
        dir = up;
    }
    return dir.endsWith('/') ? dir : dir + '/';
}

int copyMissingFiles(const QString& from, const QString& to) {
    const QDir source(from);
    if (!source.exists() || !QDir().mkpath(to)) return 0;
    int copied = 0;
    for (const QFileInfo& f : source.entryInfoList(QDir::Files | QDir::Readable)) {
        const QString target = QDir(to).filePath(f.fileName());
        if (QFileInfo::exists(target)) continue;
        if (!QFile::copy(f.absoluteFilePath(), target)) continue;
        // A copy of a read-only installed file is the user's own file now.
        QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner |
                                          QFileDevice::ReadOwner);
        ++copied;
    }
    return copied;
}

void installProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/korvane/icons/korvane_%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
}

}  // namespace korvane::ui::platform
