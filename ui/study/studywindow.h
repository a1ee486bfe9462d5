// The parameter study window: one or two fields of the current silo varied
// from–to–step, the runs calculated off the window's thread with a progress
// bar and Cancel, the chosen result plotted over the first field (one curve
// per value of the second), exportable as CSV and PNG.
#pragma once

#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "calc/model.h"
#include "files/vary.h"
#include "ui/document/asynctask.h"
#include "ui/study/study_plot.h"
#include "ui/texts/texts.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace korvane::ui {

// The silo a study starts from; the window asks for it when a study starts.
using CurrentSilo = std::function<const SiloModel&()>;

// More runs than this in one window study is taken for a mistyped step.
constexpr long long kWindowStudyMaxRuns = 100000;

class StudyPlotView;

class StudyWindow : public QWidget {
    Q_OBJECT
public:
    StudyWindow(CurrentSilo currentSilo, QWidget* parent = nullptr);
    ~StudyWindow() override;

    void retranslate();
    // Starts the study of the fields and ranges set in the window; false
    // with a message in the status line when they make no study.
    bool startStudy();
    void cancelStudy();
    bool running() const;
    // The rows calculated so far (in the study's order) and the plot.
    const std::vector<VaryRow>& rows() const { return shownRows_; }
    const StudyPlot& plot() const;
    bool exportCsv(const QString& path) const;
    bool exportPng(const QString& path, int width = 1600, int height = 1000) const;
    // The fields offered: those that act on the current silo.
    void refreshFields();

signals:
    void studyFinished();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    struct Job;
    void showProgress();
    void finishStudy(std::vector<VaryRow> rows);
    void replot();
    void askCsv();
    void askPng();
    void fillDefaults(QComboBox* field, QLineEdit* from, QLineEdit* to, QLineEdit* step);
    QString fieldLabel(int which) const;

    CurrentSilo currentSilo_;
    QComboBox *field1_, *field2_, *result_;
    QLineEdit *from1_, *to1_, *step1_, *from2_, *to2_, *step2_;
    QLabel *field1Label_, *field2Label_, *resultLabel_, *status_;
    QLabel *fromLabel_, *toLabel_, *stepLabel_;
    QPushButton *start_, *cancel_, *csv_, *png_, *close_;
    QProgressBar* progress_;
    StudyPlotView* plotView_;
    QTimer* timer_;
    AsyncTask study_;  // the runs on the thread pool
    std::shared_ptr<Job> job_;
    std::vector<VaryRow> shownRows_;
    std::vector<std::string> shownNames_;
    // A refusal shown in the status line (a text of the table, with its
    // argument), or none.
    const texts::TextPair* messagePair_ = nullptr;
    QString messageArg_;
};

// The Parameters menu's item that opens the window (one window per main
// window, made on first use); its text follows the language.
QAction* addStudyMenuItem(QWidget* mainWindow, class QMenu* parameterMenu, CurrentSilo currentSilo);
void labelStudyMenuItem(QAction* item);

}  // namespace korvane::ui
