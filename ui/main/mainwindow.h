// The main window MainWindow: menu, status fields, the five result columns and
// the result diagram. Every activation (at start and after each modal window
// opened from the menu) clears the displays, prepares the silo model, runs
// the calculation and shows the results; there is no cache.
#pragma once

#include <QImage>
#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <memory>

#include "calc/model.h"
#include "ui/main/diagram.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;

namespace korvane::ui {

// Drawing surface of the diagram: keeps the last drawing as an image and
// shows it; the window draws into image() and calls update().
class ResultImage : public QWidget {
    Q_OBJECT
public:
    explicit ResultImage(QWidget* parent = nullptr);
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

    // ---- the published methods ------------------------------------------
    void Labelsprache();
    // Creation step: screen factors, window size, data folders. False when
    // the data folder marker holds something else (the program must end).
    bool FormCreate();
    bool FormCreate(const QString& programDir, const QString& documentsDir);
    void DIAGRAMM();
    void ANZEIGE();
    void DAUERANZEIGE();
    void HAUPTPROGRAMM();
    void BEENDEN();
    void Parameter1Click();
    void About1Click();
    void LOESCHEN();
    void AusDatei1Click();
    void Speichern1Click();
    void Form1AKTIV();
    void Speichern2Click();
    void Ansehen1Click();
    void ErgebnisseSpeichernClick();
    void Ergebnisdateispeichernunter1Click();
    void WoherClick();
    void Berechnungsmethoden1Click();
    void Vorgabewerte1Click();
    void VorgabewerteSilo1Click();
    void WasdiesesProgrammberechnet1Click();
    void Daten1Click();
    void Diagramm_Drucken();
    void Tabelle_Drucken();
    void Tabelle1Click();
    void Diagramm1Click();
    void DeutschClick();
    void EnglishClick();
    void Druckereinrichten1Click();
    void FormPaint();
    void Literatur1Click();
    void EULA1Click();

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

    QMenu* menu(const char* name);
    QAction* action(QMenu* into, const char* name, void (MainWindow::*handler)());

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

    // status fields and columns
    QLabel *Label24_, *Label10_, *Labelvertsp_, *StaticText1_;
    QLineEdit *Edit11_, *Edit3_, *Vertspausl_, *Meldung_, *Meldung2_;
    QLabel *Label1_, *Label2_, *Label4_, *Label6_, *Label7_;
    QPlainTextEdit *Memo2_, *Memo3_, *Memo5_, *Memo7_, *Memo8_;
    ResultImage* Image2_;
    QWidget* client_;

    // menus
    QMenu *Datei1_, *Ergebnissedrucken1_, *Einstellungen1_, *SpracheLanguage2_, *About1_;
    QAction *Dateioeffnen1_, *Speichern3_, *Speichernunter1_, *ErgebnisseSpeichern_,
        *Ergebnisdateispeichernunter1_, *Druckereinrichten1_, *Tabelle1_, *Diagramm1_,
        *Beenden1_, *Parameter1_, *Ansehen1_, *Deutsch_, *English_,
        *WasdiesesProgrammberechnet1_, *Daten1_, *Vorgabewerte1_, *VorgabewerteSilo1_,
        *Berechnungsmethoden1_, *Woher_, *Literatur1_, *EULA1_, *Info1_;

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
