// The main window's desktop habits: shortcuts, the recent files, undo and
// redo of parameter changes, the question about unsaved parameters before
// they are left, and the unit of the stresses. The logic that needs no
// window is in desktop_habits.h.
#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QUndoCommand>
#include <QUndoStack>

#include "calc/model.h"
#include "files/parfile.h"
#include "ui/main/appstate.h"
#include "ui/main/desktop_habits.h"
#include "ui/main/mainwindow.h"
#include "ui/parameters/parameterform.h"
#include "ui/texts/texts.h"

namespace korvane::ui {

using texts::T;

struct ParameterState {
    SiloModel model;
    DensityWorkingCopy workingCopy;
    int loadedProblem = 0;
    int pendingProblem = 0;

    static std::shared_ptr<ParameterState> of(const MainWindow& w) {
        auto s = std::make_shared<ParameterState>();
        // The results are calculated afresh on every activation.
        const SiloDocument& d = w.document();
        copyAllButResults(s->model, d.model);
        s->workingCopy = d.workingCopy;
        s->loadedProblem = d.loadedProblem;
        s->pendingProblem = d.pendingProblem;
        return s;
    }
    void restore(MainWindow& w) const {
        SiloDocument& d = w.document();
        copyAllButResults(d.model, model);
        d.workingCopy = workingCopy;
        d.loadedProblem = loadedProblem;
        d.pendingProblem = pendingProblem;
    }
};

// One OK of the parameter form: undo puts the parameters before it back,
// redo those after it; either recalculates.
class ParameterChange : public QUndoCommand {
public:
    ParameterChange(MainWindow& w, std::shared_ptr<ParameterState> before,
                    std::shared_ptr<ParameterState> after)
        : QUndoCommand(T(texts::habits::parameterChange)), w_(w), before_(std::move(before)),
          after_(std::move(after)) {}
    void undo() override { apply(*before_); }
    void redo() override {
        if (first_) {  // pushed after the form has taken the values over
            first_ = false;
            return;
        }
        apply(*after_);
    }

private:
    void apply(const ParameterState& s) {
        s.restore(w_);
        w_.activate();
    }
    MainWindow& w_;
    std::shared_ptr<ParameterState> before_, after_;
    bool first_ = true;
};

// The form edits the document: it goes before the document does.
MainWindow::~MainWindow() {
    // The stack empties itself as it goes: the window must not hear of it.
    if (undoStack_) undoStack_->disconnect(this);
    delete parameterForm_;
}

std::shared_ptr<ParameterState> MainWindow::parameterSnapshot() const {
    return ParameterState::of(*this);
}

void MainWindow::recordParameterChange(const std::shared_ptr<ParameterState>& before) {
    // An OK that changed nothing is no step.
    if (parameterFileText(before->model) == parameterFileText(document_->model) &&
        before->loadedProblem == document_->loadedProblem)
        return;
    undoStack_->push(new ParameterChange(*this, before, parameterSnapshot()));
}

void MainWindow::buildDesktopHabits() {
    // Shortcuts of the commands every desktop program has.
    openAction_->setShortcut(QKeySequence::Open);
    saveAction_->setShortcut(QKeySequence::Save);
    saveAsAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    printDiagramAction_->setShortcut(QKeySequence::Print);
    exitAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    whatItCalculatesAction_->setShortcut(QKeySequence(Qt::Key_F1));
    editParametersAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));

    // Recent files right below "Open".
    recentFilesMenu_ = menu("recentFilesMenu");
    fileMenu_->insertMenu(saveAction_, recentFilesMenu_);
    fillRecentFilesMenu();

    // Undo and redo of parameter changes in the parameter menu.
    undoStack_ = new QUndoStack(this);
    undoStack_->setUndoLimit(50);
    parameterMenu_->addSeparator();
    undoAction_ = undoStack_->createUndoAction(this);
    undoAction_->setObjectName("undoAction");
    undoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoAction_ = undoStack_->createRedoAction(this);
    redoAction_->setObjectName("redoAction");
    redoAction_->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                               QKeySequence(Qt::CTRL | Qt::Key_Y)});
    parameterMenu_->addAction(undoAction_);
    parameterMenu_->addAction(redoAction_);
    // The stack's own texts ("Undo parameter change") follow the language.
    auto relabel = [this] {
        undoAction_->setText(T(texts::habits::undo));
        redoAction_->setText(T(texts::habits::redo));
    };
    connect(undoStack_, &QUndoStack::undoTextChanged, this, relabel);
    connect(undoStack_, &QUndoStack::redoTextChanged, this, relabel);
    // The change mark follows the stack: back at the state last loaded or
    // saved, the parameters count as unchanged. (The stack moves its index
    // after a step's undo or redo has run.)
    connect(undoStack_, &QUndoStack::indexChanged, this, [this] {
        document_->modified = !undoStack_->isClean();
        updateTextsAndTitle();
    });

    // The stress unit, remembered between starts.
    viewMenu_->addSeparator();
    stressUnitAction_ = action(viewMenu_, "stressUnitAction", &MainWindow::toggleStressUnit);
    stressUnitAction_->setCheckable(true);
    setStressUnit(loadStressUnit());
    stressUnitAction_->setChecked(stressUnit() == StressUnit::kPa);
}

void MainWindow::labelDesktopHabits() {
    if (!recentFilesMenu_) return;
    recentFilesMenu_->setTitle(T(texts::habits::recentFiles));
    undoAction_->setText(T(texts::habits::undo));
    redoAction_->setText(T(texts::habits::redo));
    stressUnitAction_->setText(T(texts::habits::stressesInKpa));
}

void MainWindow::fillRecentFilesMenu() {
    recentFilesMenu_->clear();
    const QStringList files = loadRecentFiles();
    int n = 0;
    for (const QString& path : files) {
        ++n;
        // "&1 name" for the keyboard; the whole path in the tool tip.
        QString name = QFileInfo(path).fileName();
        name.replace('&', QStringLiteral("&&"));
        QAction* a = recentFilesMenu_->addAction(QStringLiteral("&%1 %2").arg(n).arg(name));
        a->setObjectName(QStringLiteral("recentFile%1").arg(n));
        a->setToolTip(path);
        a->setData(path);
        connect(a, &QAction::triggered, this, [this, path] { openRecentFile(path); });
    }
    recentFilesMenu_->setToolTipsVisible(true);
    recentFilesMenu_->setEnabled(!files.isEmpty());
}

void MainWindow::rememberRecentFile(const QString& path) {
    saveRecentFiles(withRecentFile(loadRecentFiles(), path));
    fillRecentFilesMenu();
}

void MainWindow::parametersSaved(const QString& path) {
    undoStack_->setClean();
    rememberRecentFile(path);
}

void MainWindow::openRecentFile(const QString& path) {
    if (!mayLeaveParameters()) return;
    openPreset_ = path;
    openParameterFileAt(path);
}

bool MainWindow::mayLeaveParameters() {
    if (!document_->modified) return true;
    switch (askAboutUnsavedChanges(this, T(texts::habits::unsavedCaption),
                                   T(texts::habits::unsavedQuestion))) {
        case UnsavedAnswer::Discard: return true;
        case UnsavedAnswer::Cancel: return false;
        case UnsavedAnswer::Save:
            saveParameterFile();
            return !document_->modified;  // a cancelled or failed save keeps the window
    }
    return false;
}

void MainWindow::closeEvent(QCloseEvent* e) {
    if (!mayLeaveParameters()) {
        e->ignore();
        return;
    }
    QMainWindow::closeEvent(e);
}

void MainWindow::toggleStressUnit() {
    setStressUnit(stressUnitAction_->isChecked() ? StressUnit::kPa : StressUnit::Pa);
    saveStressUnit(stressUnit());
    // Texts and numbers only; nothing is calculated again.
    updateTextsAndTitle();
    if (activated_ && !inActivation_) {
        fillColumns(false);
        redrawDiagram();
    }
}

}  // namespace korvane::ui
