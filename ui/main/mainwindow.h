// The main window MainWindow: menu, status fields, the five result columns and
// the result diagram. Every activation (at start and after each modal window
// opened from the menu) clears the displays, prepares the silo model, runs
// the calculation off the window thread and shows the results when they
// come back; there is no cache.
#pragma once

#include <QImage>
#include <QLockFile>
#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>

#include "calc/model.h"
#include "files/recovery.h"
#include "ui/document/asynctask.h"
#include "ui/document/silodocument.h"
#include "ui/main/diagram.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QUndoStack;

namespace korvane::ui {

class ParameterForm;
class EnMainHooks;
struct DocumentCalculation;

// Drawing surface of the diagram: keeps the last drawing as an image and
// shows it; the window draws into image() and calls update().
class DiagramView : public QWidget {
    Q_OBJECT
public:
    explicit DiagramView(QWidget* parent = nullptr);
    QImage& image() { return image_; }
    void clearWhite();  // image of the widget's size, all white
    // The hover read-out: the mapping of the last drawing and the text of
    // the values at a height (empty: no read-out). A click pins the read-out
    // at its height, a double click or a new drawing lets it go.
    void setReadout(const DiagramMapping& map, double zTop, std::function<QString(double)> text);
    QString readoutAt(int y) const;
    QString pinnedText() const { return pinned_; }
    // The mapping of the drawing shown.
    const DiagramMapping& mapping() const { return map_; }

signals:
    // The wheel, a drag over a height range or a double click (0, 0: the
    // whole height) asks for another height range.
    void zoomRequested(double from, double to);

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    bool event(QEvent* e) override;

private:
    QImage image_;
    DiagramMapping map_;
    double zTop_ = 0;
    std::function<QString(double)> readout_;
    QString pinned_;
    int pinnedY_ = -1;
    int pressY_ = -1;  // where a left button press started, while held
};

// The parameters of one undo step (defined in mainwindow_habits.cpp).
struct ParameterState;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Creation step: screen factors, window size, data folders. False when
    // the data folder marker holds something else (the program must end).
    bool initialize();
    bool initialize(const QString& programDir, const QString& documentsDir);

    // Clears the displays, prepares the silo model and starts its
    // calculation on the thread pool; the results are shown when they
    // arrive. Runs after the window first shows and after every modal
    // window from the menu; a request during a run starts the run again
    // once the one on its way is back (its results, of older inputs, are
    // not shown).
    void activate();
    // An activation is on its way: its results are not shown yet.
    bool calculating() const { return inActivation_; }

    // ---- menu commands ---------------------------------------------------
    // File menu. Opening loads a parameter file, shows the parameter form on
    // it and activates; "save" writes to the current file and asks for a name
    // only when there is none, "save as" always asks. Printing and export of
    // a set with a pending parameter problem are refused with its text.
    void openParameterFile();
    void saveParameterFile();
    void saveParameterFileAs();
    void saveResults();
    void saveResultsAs();
    void setUpPrinter();
    void printTable();
    void printDiagram();
    void exitProgram();
    // Parameter menu: the parameter form, for editing or for viewing only.
    void editParameters();
    void viewParameters();
    // Language menu: texts switch at once, the numbers stay.
    void switchToGerman();
    void switchToEnglish();
    // Help menu: the information windows, the licence and the about box.
    void showWhatItCalculates();
    void showDataInputOutput();
    void showBulkSolidDefaults();
    void showSiloDefaults();
    void showCalculationMethods();
    void showFlowPropertySources();
    void showLiterature();
    void showEula();
    void showAbout();

    // ---- unsaved changes kept over a crash -----------------------------------
    // Kept in `folder` (the program turns this on; windows made by tests keep
    // nothing); a second program running at the same time keeps nothing.
    // offerRecovery asks at start whether the changes a previous run left are
    // restored.
    void enableRecovery(const QString& folder);
    void offerRecovery();
    static QString defaultRecoveryFolder();  // "recovery" in the user's data folder

    // ---- displays ----------------------------------------------------------
    // Every text of the window in the current language.
    void retranslate();
    // The texts, and the caption with the parameter file and its change mark.
    void updateTextsAndTitle();
    // Columns and status fields from the model, with the warnings' beeps.
    void showResults();
    // The diagram drawn anew from the model at the size of its area.
    void redrawDiagram();

    // ---- view options, comparison, export (all off at start) -------------
    // "Show both states" switched: calculates or drops the other state and redraws.
    void toggleBothStates();
    // Loads a second parameter file read-only and draws its curves.
    void compareWithParameterFile();
    void endComparison();
    void exportDiagram();
    // Every slice of the result as tab-separated text on the clipboard.
    void copyTable();
    // The table copyTable() puts on the clipboard.
    QString resultTableText() const;
    // The other state and the comparison silo, while shown (else nullptr).
    const SiloModel* otherStateModel() const { return otherState_.get(); }
    const SiloModel* comparisonModel() const { return comparison_.get(); }

    // ---- desktop habits (mainwindow_habits.cpp) ----------------------------
    // Each OK of the parameter form is one step; undo brings back the
    // parameters before it and recalculates.
    QUndoStack* undoStack() const { return undoStack_; }
    // Opens a file of the "Recent files" list (after the unsaved question).
    void openRecentFile(const QString& path);
    // Changed parameters not saved: asks Save / Discard / Cancel. True when
    // the caller may go on (saved, discarded, or nothing to ask).
    bool mayLeaveParameters();
    // View menu: stresses in kPa instead of Pa (remembered in the settings).
    void toggleStressUnit();

    // ---- for tests and the other windows --------------------------------
    // The silo the window shows (its model, files, change mark, problem).
    SiloDocument& document() { return *document_; }
    const SiloDocument& document() const { return *document_; }
    // The parameter form that edits the document (made at the first use;
    // the program's start makes it early, as it always has).
    ParameterForm& parameterForm();
    double formScale() const { return formScale_; }
    // Pixel pitch of one line in the result columns.
    int lineHeight() const;
    // Height of the part of a column that shows lines (inside frame and margin).
    int columnContentHeight() const;
    // Folder the last file dialog was started in (a file path when preset).
    QString lastDialogFolder() const { return lastDialogFolder_; }
    int activationCount() const { return activations_; }

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // One activation: the displays cleared, the model prepared, its
    // calculation started; showActivationResults takes the results over
    // and shows them.
    void startActivation();
    void showActivationResults(DocumentCalculation run);
    // Waits until the results of a calculation on its way are shown.
    void awaitResults();
    // Empties the columns, the status fields and the diagram.
    void clearDisplays();
    // The diagram takes the client area right of the columns and below the
    // status fields; the columns reach down as far as the diagram.
    void fitDisplaysToWindow();
    void buildControls();
    // Creates the data folders outside the program folder on first use and
    // puts the example files into the parameter folder.
    void prepareUserDataFolders();
    // Smallest window in which the columns, the message lines and the
    // diagram with its legend stay usable (at the current scale).
    void updateMinimumSize();
    void buildMenu();
    void applyScale();
    // Fills the columns and status fields; the language switch and a resize
    // refill without beeping again.
    void fillColumns(bool withBeeps);
    void switchLanguage(int language);  // 0 German, 1 English
    // Opens an information window (an InfoWindow value); OK in it activates.
    void showInfo(int which);
    bool writeParameterFile(const QString& path);
    bool writeResultFile(const QString& path);
    bool refusePrintWithProblem();
    QString askSaveName(QString& preset, const QString& folder, const QAction* item,
                        const QString& filter, const QString& suffix);
    void processPendingMessages();

    // The parameter file at `path` read, shown in the form, calculated.
    void openParameterFileAt(const QString& path);
    void buildDesktopHabits();
    void labelDesktopHabits();
    void rememberRecentFile(const QString& path);
    void fillRecentFilesMenu();
    // After a save or an open: the undo stack's clean state follows the file.
    void parametersSaved(const QString& path);
    // The parameters before a showing of the form; after an OK that changed
    // them, one undo step from that state to the new one.
    std::shared_ptr<ParameterState> parameterSnapshot() const;
    void recordParameterChange(const std::shared_ptr<ParameterState>& before);
    friend struct ParameterState;
    friend class ParameterChange;

    void buildViewAndExportMenus();
    void labelViewAndExportMenus();
    // The other stress state of the model just calculated, on a copy.
    void calculateOtherState();
    DiagramExtras diagramExtras() const;
    // What the diagram shows: the screen, the printout and the export draw it.
    ResultPicture diagramPicture() const;

    // The five result columns, left to right.
    std::array<QPlainTextEdit*, 5> columns() const;

    QMenu* menu(const char* name);
    QAction* action(QMenu* into, const char* name, void (MainWindow::*handler)());

    void keepRecovery();
    std::unique_ptr<QLockFile> recoveryLock_;  // one running program keeps changes
    std::unique_ptr<RecoveryStore> recovery_;

    double formScale_ = 1.0;
    bool firstShowSeen_ = false;
    bool activated_ = false;      // the first activation has run
    bool inActivation_ = false;
    bool activationPending_ = false;
    // The client area changed size while the run was drawing its results.
    bool resizedDuringActivation_ = false;
    int activations_ = 0;
    // The silo this window shows; the parameter form edits it.
    std::unique_ptr<SiloDocument> document_;
    AsyncTask calculation_;  // the activation's calculation on the thread pool
    ParameterForm* parameterForm_ = nullptr;  // made at its first use, lives with the window
    // File name each dialog offers next: the last file chosen in it (the
    // open dialog also the last name saved with "save as"); empty at start,
    // when the dialog starts in its data folder.
    QString openPreset_;          // parameter files, open
    QString savePreset_;          // parameter files, save and save as
    QString resultPreset_;        // result files
    QString lastDialogFolder_;

    // Status fields, each under its label: the stress state calculated
    // (filling or discharging), the mass of the contents in kg and the
    // vertical stress at the outlet in Pa.
    QLabel *stateLabel_, *contentsLabel_, *outletStressLabel_;
    QLineEdit *stateField_, *contentsField_, *outletStressField_;
    // Two message lines under one label: a measuring range exceeded or "no
    // valid results" in the first; the funnel-flow warning, or what keeps the
    // results from being shown, in the second.
    QLabel* messageLabel_;
    QLineEdit *messageField_, *secondMessageField_;
    // The result columns, one line per selected slice, each under its head:
    // position label (fill top, section bottoms, outlet), height z, bulk
    // density RHOB, vertical stress SIGMAV and wall normal stress SIGMAW.
    QLabel *positionHead_, *zHead_, *densityHead_, *verticalStressHead_, *wallStressHead_;
    QPlainTextEdit *positionColumn_, *zColumn_, *densityColumn_, *verticalStressColumn_,
        *wallStressColumn_;
    DiagramView* diagram_;  // SIGMAV and SIGMAW over z, right of the columns
    QWidget* client_;       // the central widget that holds all of the above

    // Menus and their commands.
    QMenu *fileMenu_, *printMenu_, *parameterMenu_, *languageMenu_, *helpMenu_;
    QAction *openAction_, *saveAction_, *saveAsAction_, *saveResultsAction_, *saveResultsAsAction_,
        *printerSetupAction_, *printTableAction_, *printDiagramAction_, *exitAction_;
    QAction* printSeparator_;  // after the result file commands
    QAction *editParametersAction_, *viewParametersAction_;
    QAction* studyAction_ = nullptr;  // opens the parameter study window
    QAction *germanAction_, *englishAction_;
    QAction *whatItCalculatesAction_, *dataInputOutputAction_, *bulkSolidDefaultsAction_,
        *siloDefaultsAction_, *calculationMethodsAction_, *flowPropertySourcesAction_,
        *literatureAction_, *eulaAction_, *aboutAction_;

    // view menu, export and table copy
    QMenu* viewMenu_ = nullptr;
    QAction *showBothStatesAction_ = nullptr, *compareAction_ = nullptr,
            *endComparisonAction_ = nullptr, *exportDiagramAction_ = nullptr,
            *copyTableAction_ = nullptr;
    std::unique_ptr<SiloModel> otherState_;  // while "Show both states" is on
    std::unique_ptr<SiloModel> comparison_;  // while a comparison is shown
    QString comparisonPath_;
    QString comparePreset_;  // file names the comparison and export dialogs offer next
    QString exportPreset_;

    // desktop habits
    QUndoStack* undoStack_ = nullptr;
    QMenu* recentFilesMenu_ = nullptr;
    QAction *undoAction_ = nullptr, *redoAction_ = nullptr, *stressUnitAction_ = nullptr;
    double zoomFrom_ = 0, zoomTo_ = 0;  // the diagram's height range (0, 0: whole height)
    // View menu: the EN 1991-4 loads in the diagram and their window.
    EnMainHooks* en_ = nullptr;
};

}  // namespace korvane::ui
