#include "ui/en1991_4/en_main_hooks.h"

#include <QAction>
#include <QMenu>
#include <QSettings>

#include "calc/en1991_4.h"
#include "ui/en1991_4/en_loads_display.h"
#include "ui/en1991_4/en_window.h"
#include "ui/texts/en1991_4_texts.h"
#include "ui/texts/texts.h"

namespace korvane::ui {

namespace {
const char* const kSwitchKey = "view/en1991_4Loads";
}

EnMainHooks::EnMainHooks(QWidget* window, QMenu* viewMenu, Callbacks callbacks)
    : QObject(window), window_(window), cb_(std::move(callbacks)) {
    viewMenu->addSeparator();
    showLoads_ = viewMenu->addAction(QString());
    showLoads_->setObjectName("showEn1991_4Action");
    showLoads_->setCheckable(true);
    openWindow_ = viewMenu->addAction(QString());
    openWindow_->setObjectName("en1991_4WindowAction");
    connect(showLoads_, &QAction::toggled, this, [this](bool on) {
        QSettings().setValue(kSwitchKey, on);
        update();
        cb_.redraw();
    });
    connect(openWindow_, &QAction::triggered, this, [this] { showWindow(); });
}

EnMainHooks::~EnMainHooks() = default;

void EnMainHooks::retranslate() {
    showLoads_->setText(texts::T(texts::en1991_4::showLoads));
    openWindow_->setText(texts::T(texts::en1991_4::openWindow));
}

void EnMainHooks::restoreSwitch() {
    const bool on = QSettings().value(kSwitchKey, false).toBool();
    if (on != showLoads_->isChecked()) showLoads_->setChecked(on);
}

void EnMainHooks::update() {
    overlay_.reset();
    const Source src = cb_.source();
    if (!showLoads_->isChecked() || !src.resultsValid || !src.model) return;
    const SiloModel& m = *src.model;
    const bool discharge = m.Spannungszustand() == 1;
    const bool both = cb_.bothStates();
    overlay_ = std::make_unique<EnOverlay>(
        enOverlay(enLoadsOfModel(m), both || !discharge, both || discharge));
}

const EnOverlay* EnMainHooks::overlay() const { return overlay_.get(); }

void EnMainHooks::showWindow() {
    const Source src = cb_.source();
    if (!src.model) return;
    EnWindow w(*src.model, src.resultsValid, src.parameterFile, src.changed, window_);
    w.exec();
}

}  // namespace korvane::ui
