// The start window: the user picks the language and must accept the
// conditions of use before the program runs.
#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace korvane::ui {

// Set false before the start window is waited for, true by its accept button.
extern bool conditionsAccepted;

class StartWindow : public QDialog {
    Q_OBJECT
public:
    explicit StartWindow(QWidget* parent = nullptr);

    // Caption, buttons and the conditions text in the current language; the
    // conditions then cover the language choice.
    void showConditions();

    // The language buttons: switch the program's language and show the
    // conditions in it.
    void chooseEnglish();
    void chooseGerman();
    // The buttons below the conditions.
    void acceptConditions();
    void declineConditions();

    double factor() const { return factor_; }

signals:
    // The window was hidden (accepted, cancelled or closed).
    void hidden();

protected:
    void hideEvent(QHideEvent* e) override;

private:
    double factor_ = 1.0;  // controls and fonts grow with the screen by this
    QLabel* languagePrompt_ = nullptr;
    QPushButton* englishButton_ = nullptr;
    QPushButton* germanButton_ = nullptr;
    QPlainTextEdit* conditionsView_ = nullptr;
    QPushButton* acceptButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

}  // namespace korvane::ui
