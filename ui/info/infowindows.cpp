#include "ui/info/infowindows.h"

#include <QDialog>
#include <QFileInfo>
#include <QPointer>
#include <map>
#include <memory>

#include "ui/info/aboutbox.h"
#include "ui/info/literaturewindow.h"
#include "ui/info/helptextwindows.h"
#include "ui/main/appstate.h"
#include "ui/main/platform.h"
#include "ui/texts/texts.h"

namespace korvane::ui {

namespace {

bool madeForEachUse(InfoWindow which) {
    return which == InfoWindow::WhatItCalculates || which == InfoWindow::Literature;
}

QDialog* makeWindow(InfoWindow which, QWidget* parent) {
    switch (which) {
        case InfoWindow::WhatItCalculates: return new WhatItCalculatesWindow(parent);
        case InfoWindow::DataInputOutput: return new DataInputOutputWindow(parent);
        case InfoWindow::BulkSolidDefaults: return new BulkSolidDefaultsWindow(parent);
        case InfoWindow::SiloDefaults: return new SiloDefaultsWindow(parent);
        case InfoWindow::CalculationMethods: return new CalculationMethodsWindow(parent);
        case InfoWindow::FlowProperties: return new FlowPropertiesWindow(parent);
        case InfoWindow::About: return new AboutBox(parent);
        case InfoWindow::Literature: return new LiteratureWindow(parent);
    }
    return nullptr;
}

// The long-lived help windows of one owner, kept beside them as the owner's
// child: the windows and this list go when the owner goes.
class OwnedInfoWindows : public QObject {
public:
    explicit OwnedInfoWindows(QWidget& owner) : QObject(&owner) {
        setObjectName(QStringLiteral("infoWindows"));
    }
    static OwnedInfoWindows* of(const QWidget& owner) {
        return owner.findChild<OwnedInfoWindows*>(QStringLiteral("infoWindows"),
                                                  Qt::FindDirectChildrenOnly);
    }
    std::map<InfoWindow, QPointer<QDialog>> windows;
};

}  // namespace

QDialog* createInfoWindow(QWidget& owner, InfoWindow which) {
    if (madeForEachUse(which)) return nullptr;
    OwnedInfoWindows* owned = OwnedInfoWindows::of(owner);
    if (!owned) owned = new OwnedInfoWindows(owner);
    QPointer<QDialog>& slot = owned->windows[which];
    if (!slot) slot = makeWindow(which, &owner);
    return slot;
}

QDialog* existingInfoWindow(const QWidget& owner, InfoWindow which) {
    const OwnedInfoWindows* owned = OwnedInfoWindows::of(owner);
    if (!owned) return nullptr;
    auto it = owned->windows.find(which);
    return it == owned->windows.end() ? nullptr : it->second.data();
}

int showInfoWindow(QWidget& owner, InfoWindow which) {
    if (madeForEachUse(which)) {
        std::unique_ptr<QDialog> w(makeWindow(which, &owner));
        return w->exec();
    }
    QDialog* w = createInfoWindow(owner, which);
    w->hide();
    return w->exec();
}

bool openEula(QWidget* parent) {
    QString dir = app().programFolder;
    if (dir.isEmpty()) dir = platform::programFolder();
    if (!dir.endsWith('/')) dir += '/';
    const QString path = dir + QString::fromUtf8(texts::kEulaFile);
    const bool german = texts::language() == 0;
    if (!QFileInfo(path).isFile()) {
        platform::message(parent, QString::fromUtf8(texts::kProductName),
                          (german ? QStringLiteral("Das Dokument wurde nicht gefunden:\n")
                                  : QStringLiteral("The document was not found:\n")) + path,
                          platform::Icon::Warning);
        return false;
    }
    if (!platform::openDocument(path)) {
        platform::message(parent, QString::fromUtf8(texts::kProductName),
                          (german ? QStringLiteral("Das Dokument konnte nicht geöffnet werden:\n")
                                  : QStringLiteral("The document could not be opened:\n")) + path,
                          platform::Icon::Warning);
        return false;
    }
    return true;
}

}  // namespace korvane::ui
