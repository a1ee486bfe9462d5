#include "ui/info/startup.h"

#include <QApplication>
#include <QEventLoop>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "ui/info/infoscaling.h"
#include "ui/info/infowindows.h"
#include "ui/info/startwindow.h"
#include "ui/main/platform.h"
#include "ui/texts/texts.h"

namespace korvane::ui {

QRect normalMainWindowGeometry(const QRect& available, QSize minimum) {
    // The window with its frame (title bar and borders) inside the desktop
    // that panels and task bars leave free.
    const QSize frame = typicalFrameExtra();
    QSize client = available.size() - frame;
    client = client.expandedTo(minimum).boundedTo(available.size());
    const QPoint topLeft =
        available.topLeft() + QPoint(frame.width() / 2, frame.height() - frame.width() / 2);
    return QRect(topLeft, client.expandedTo(QSize(1, 1)));
}

void showMainWindowMaximised(QWidget& w) {
    // Without a window manager "maximised" means nothing, so the window is
    // first given the available desktop itself; un-maximised it keeps a
    // size whose frame still fits on the desktop.
    w.setGeometry(normalMainWindowGeometry(availableArea(), w.minimumSize()));
    w.showMaximized();
}

int runProgram(QApplication& application, const StartHooks& hooks) {
    QApplication::setApplicationName(QString::fromUtf8(texts::kApplicationTitle));
    QGuiApplication::setDesktopFileName(QStringLiteral("korvane"));
    platform::installProgramIcon();
    // Every start begins in the current (German) language, Qt's own texts too.
    texts::setLanguage(texts::language());

    // The main window first: its creation step works out the screen scale
    // and the data folders that every other window uses.
    // Guarded: should the window ever delete itself on closing, the end of
    // the program must not delete it a second time.
    QPointer<QWidget> mainWindow = hooks.createMainWindow ? hooks.createMainWindow() : nullptr;
    if (!mainWindow) return 1;

    // The long-lived help windows, in the order the program has always made
    // them; they belong to the main window and go with it.
    createInfoWindow(*mainWindow, InfoWindow::BulkSolidDefaults);
    createInfoWindow(*mainWindow, InfoWindow::CalculationMethods);
    createInfoWindow(*mainWindow, InfoWindow::SiloDefaults);
    createInfoWindow(*mainWindow, InfoWindow::DataInputOutput);
    auto startWindow = std::make_unique<StartWindow>();
    createInfoWindow(*mainWindow, InfoWindow::About);
    createInfoWindow(*mainWindow, InfoWindow::FlowProperties);
    if (hooks.createEditorWindows) hooks.createEditorWindows(*mainWindow);

    // The start window, waited for until it is hidden again.
    const bool quitOnLast = QGuiApplication::quitOnLastWindowClosed();
    QGuiApplication::setQuitOnLastWindowClosed(false);
    conditionsAccepted = false;
    startWindow->show();
    startWindow->repaint();
    {
        QEventLoop wait;
        QObject::connect(startWindow.get(), &StartWindow::hidden, &wait, &QEventLoop::quit);
        if (hooks.startWindowShown) hooks.startWindowShown(*startWindow);
        if (startWindow->isVisible()) wait.exec();
    }
    QGuiApplication::setQuitOnLastWindowClosed(quitOnLast);

    int code = 0;
    if (conditionsAccepted) {
        showMainWindowMaximised(*mainWindow);
        if (hooks.mainWindowShown) hooks.mainWindowShown(*mainWindow);
        if (mainWindow && mainWindow->isVisible()) code = application.exec();
    }
    startWindow.reset();
    delete mainWindow.data();
    return code;
}

}  // namespace korvane::ui
