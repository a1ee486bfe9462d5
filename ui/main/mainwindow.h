// The main window MainWindow: menu, status fields, the five result columns and
// the result diagram. Every activation (at start and after each modal window
// opened from the menu) clears the displays, prepares the silo model, runs
// the calculation and shows the results; there is no cache.
#pragma once

#include <QImage>
#include <QLockFile>
#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>

#include "calc/model.h"
#include "files/recovery.h"
#include "ui/main/diagram.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;

namespace korvane::ui {

// Drawing surface of the diagram: keeps the last drawing as an image and
// shows it; the window draws into image() and calls update().
class DiagramView : public QWidget {
    Q_OBJECT
public:
    explicit DiagramView(QWidget* parent = nullptr);
    QImage& image() { return image_; }
    void clearWhite();  // image of the widget's size, all white

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QImage image_;
};

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

    // Creation step: screen factors, window size, data folders. False when
    // the data folder marker holds something else (the program must end).
    bool initialize();
    bool initialize(const QString& programDir, const QString& documentsDir);

    // Clears the displays, prepares the silo model, calculates and shows the
    // results. Runs after the window first shows and after every modal
    // window from the menu; a request during a run repeats the run.
    void activate();

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

    // ---- for tests and the other windows --------------------------------
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
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // The calculation of one activation and the displays of its results.
    void calculateAndShow();
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

    void buildViewAndExportMenus();
    void labelViewAndExportMenus();
    // The other stress state of the model just calculated, on a copy.
    void calculateOtherState();
    DiagramExtras diagramExtras() const;

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
    // Parameter problem of the opened set, until a take-over resolves it
    // (0 none): the displays show its text instead of results.
    int loadedProblem_ = 0;
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
};

}  // namespace korvane::ui
