// The start window: the user picks the language and must accept the
// conditions of use before the program runs.
#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace korvane::ui {

// Set false before the start window is waited for, true by its accept button.
extern bool Bedingungenakzeptiert;

class StartWindow : public QDialog {
    Q_OBJECT
public:
    explicit StartWindow(QWidget* parent = nullptr);

    // Caption, buttons and the conditions text in the current language; the
    // conditions then cover the language choice.
    void Labelsprache();

    void EnglishClick();
    void DeutschClick();
    void AcceptButtonClick();
    void CancelButtonClick();

    double factor() const { return m_f; }

signals:
    // The window was hidden (accepted, cancelled or closed).
    void hidden();

protected:
    void hideEvent(QHideEvent* e) override;

private:
    double m_f = 1.0;
    QLabel* m_label = nullptr;
    QPushButton* m_english = nullptr;
    QPushButton* m_deutsch = nullptr;
    QPlainTextEdit* m_bedingungen = nullptr;
    QPushButton* m_accept = nullptr;
    QPushButton* m_cancel = nullptr;
};

}  // namespace korvane::ui
