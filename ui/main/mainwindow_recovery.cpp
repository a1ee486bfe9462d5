// The main window's part in keeping unsaved parameter changes over a crash:
// whenever the change mark is shown, the model's parameters are kept with the
// file they belong to (or removed once saved); at start the changes a
// previous run left behind are offered back.
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStandardPaths>

#include "calc/form_logic.h"
#include "ui/main/appstate.h"
#include "ui/main/file_messages.h"
#include "ui/main/mainwindow.h"
#include "ui/main/platform.h"
#include "ui/texts/texts.h"

namespace korvane::ui {

using texts::T;

QString MainWindow::defaultRecoveryFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           QStringLiteral("/recovery");
}

void MainWindow::enableRecovery(const QString& folder) {
    // The folder belongs to one running program: a second one started beside
    // it would replace its changes, or offer them while they are still in use.
    // A lock left by a program that was killed is taken over (its process is
    // gone); how long a program runs does not matter.
    QDir().mkpath(folder);
    recoveryLock_ = std::make_unique<QLockFile>(folder + QStringLiteral("/running.lock"));
    recoveryLock_->setStaleLockTime(0);
    if (!recoveryLock_->tryLock(0)) {
        recoveryLock_.reset();
        return;
    }
    recovery_ = std::make_unique<RecoveryStore>(QFile::encodeName(folder).toStdString());
    recovery_->setAsidePrevious();
    // A clean exit keeps nothing: what was not saved then was let go.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
        if (recovery_) recovery_->discard();
    });
}

void MainWindow::keepRecovery() {
    if (!recovery_) return;
    if (!app().modified) {
        recovery_->discard();
        return;
    }
    FileError err;  // a set that cannot be kept is only not kept
    recovery_->keep(globalModel(), QFile::encodeName(app().parameterFile).toStdString(),
                    QDateTime::currentSecsSinceEpoch(), err);
}

void MainWindow::offerRecovery() {
    RecoveryInfo info;
    if (!recovery_ || !recovery_->pending(info)) return;
    const int language = texts::language();
    const QString file = info.originalPath.empty()
                             ? T(texts::recovery::noFile)
                             : QFile::decodeName(QByteArray::fromStdString(info.originalPath));
    const QLocale locale(language == 0 ? QLocale::German : QLocale::English);
    const QString when =
        locale.toString(QDateTime::fromSecsSinceEpoch(info.madeAt), QLocale::ShortFormat);
    const QString text = T(texts::recovery::question).arg(file, when);
    if (platform::askTwoWay(this, T(texts::recovery::caption), text,
                            T(texts::recovery::restoreButton), T(texts::recovery::discardButton))) {
        SiloModel& m = globalModel();
        FileError err;
        if (recovery_->restorePending(m, err)) {
            app().parameterFile = info.originalPath.empty() ? QString() : file;
            app().pendingProblem = 0;
            app().modified = true;
            loadedProblem_ = deriveLoadedModel(m);
            recovery_->dropPending();
            activate();  // recalculates and keeps the restored set as this run's
            return;
        }
        platform::message(this, T(texts::error::caption),
                          T(texts::recovery::notRestored) + "\n" +
                              fileErrorText(err, QString(), language),
                          platform::Icon::Critical);
    }
    recovery_->dropPending();
}

}  // namespace korvane::ui
