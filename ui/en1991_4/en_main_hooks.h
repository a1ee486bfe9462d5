// What the main window needs for the EN 1991-4 loads, kept out of its own
// code: the View menu's "EN 1991-4 loads" switch (remembered between starts)
// and the item opening the EN 1991-4 window, and the curves the diagram adds
// while the switch is on.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "calc/model.h"

class QAction;
class QMenu;
class QWidget;

namespace korvane::ui {

struct EnOverlay;

class EnMainHooks : public QObject {
    Q_OBJECT
public:
    // The silo shown: its model, whether it holds the results of a confirmed
    // parameter set, and its parameter file with the change mark (printout).
    struct Source {
        const SiloModel* model = nullptr;
        bool resultsValid = false;
        QString parameterFile;
        bool changed = false;
    };
    struct Callbacks {
        std::function<Source()> source;
        // True while "Show both states" is on.
        std::function<bool()> bothStates;
        // Redraws the diagram where the window has results drawn.
        std::function<void()> redraw;
    };
    EnMainHooks(QWidget* window, QMenu* viewMenu, Callbacks callbacks);
    ~EnMainHooks() override;

    QAction* showLoadsAction() const { return showLoads_; }
    QAction* windowAction() const { return openWindow_; }
    void retranslate();
    // The switch as it was left at the last start (the program's start only;
    // a window made for a test starts with it off).
    void restoreSwitch();
    // After each calculation and when the states shown change: the curves of
    // the model's loads for its state (both states while they are shown).
    void update();
    // The curves to draw; nullptr while the switch is off or without results.
    const EnOverlay* overlay() const;
    // The EN 1991-4 window over the main window, modal.
    void showWindow();

private:
    QWidget* window_;
    QAction* showLoads_;
    QAction* openWindow_;
    Callbacks cb_;
    std::unique_ptr<EnOverlay> overlay_;
};

}  // namespace korvane::ui
