// The six text windows of the help menu. Each shows one long text from the
// text table in the current language, re-read at every showing, in a
// borderless read-only text view above a small OK button.
#pragma once

#include <QDialog>

#include "ui/texts/texts.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace korvane::ui {

class HelpTextWindow : public QDialog {
    Q_OBJECT
public:
    struct Design {
        QSize baseClient;       // client size on the 800 x 600 design screen
        int margin;             // inner margin of the window
        bool scrollBar;         // text view with a vertical scroll bar
        bool fixedSize;         // dialog border: not resizable
        const texts::TextPair* heading;  // heading label above the text, or null
    };

    // windowName becomes the window's object name (the subclass's name).
    HelpTextWindow(const char* windowName, const texts::TextPair& caption,
                   const texts::TextPair& text, const Design& design, QWidget* parent);

    // Caption, text (and heading) from the table in the current language.
    void retranslate();

    QPlainTextEdit* textView() const { return textView_; }
    QPushButton* okButton() const { return okButton_; }
    QLabel* headingLabel() const { return headingLabel_; }
    double factor() const { return factor_; }

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void layoutControls();
    void fitHeightToText();

    const texts::TextPair& caption_;
    const texts::TextPair& text_;
    Design design_;
    double factor_ = 1.0;  // controls and fonts grow with the screen by this
    QPlainTextEdit* textView_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QLabel* headingLabel_ = nullptr;
};

// "Was dieses Programm berechnet": created for each opening.
class WhatItCalculatesWindow : public HelpTextWindow {
    Q_OBJECT
public:
    explicit WhatItCalculatesWindow(QWidget* parent = nullptr);
};

// "Dateneingabe und -ausgabe"
class DataInputOutputWindow : public HelpTextWindow {
    Q_OBJECT
public:
    explicit DataInputOutputWindow(QWidget* parent = nullptr);
};

// "Vorgabewerte Schüttgut": the bulk solid properties.
class BulkSolidDefaultsWindow : public HelpTextWindow {
    Q_OBJECT
public:
    explicit BulkSolidDefaultsWindow(QWidget* parent = nullptr);
};

// "Vorgabewerte Silo": the silo shapes and their dimensions.
class SiloDefaultsWindow : public HelpTextWindow {
    Q_OBJECT
public:
    explicit SiloDefaultsWindow(QWidget* parent = nullptr);
};

// "Berechnungsmethoden": Janssen, Motzkus, the radial stress field.
class CalculationMethodsWindow : public HelpTextWindow {
    Q_OBJECT
public:
    explicit CalculationMethodsWindow(QWidget* parent = nullptr);
};

// "Woher bekomme ich Schüttgutkennwerte?": shear testers; a navy heading
// label above a text view without scroll bar.
class FlowPropertiesWindow : public HelpTextWindow {
    Q_OBJECT
public:
    explicit FlowPropertiesWindow(QWidget* parent = nullptr);
};

// Long texts in the table carry Windows line breaks; the text views want '\n'.
QString normalisedLineBreaks(const QString& tableText);

}  // namespace korvane::ui
