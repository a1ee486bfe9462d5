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

std::map<InfoWindow, QPointer<QDialog>>& registry() {
    static std::map<InfoWindow, QPointer<QDialog>> windows;
    return windows;
}

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

}  // namespace

QDialog* createInfoWindow(InfoWindow which) {
    if (madeForEachUse(which)) return nullptr;
    QPointer<QDialog>& slot = registry()[which];
    if (!slot) slot = makeWindow(which, nullptr);
    return slot;
}

QDialog* existingInfoWindow(InfoWindow which) {
    auto it = registry().find(which);
    return it == registry().end() ? nullptr : it->second.data();
}

void destroyInfoWindows() {
    for (auto& [which, w] : registry()) delete w.data();
    registry().clear();
}

int showInfoWindow(QWidget* parent, InfoWindow which) {
    if (madeForEachUse(which)) {
        std::unique_ptr<QDialog> w(makeWindow(which, parent));
        return w->exec();
    }
    QDialog* w = createInfoWindow(which);
    // The window stays with the program, but while it is shown it belongs to
    // the calling window so that it stays in front of it.
    if (parent && w->parentWidget() != parent) w->setParent(parent, w->windowFlags());
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
