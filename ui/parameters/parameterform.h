// The parameter form: edits the silo model's inputs, keeps a live
// sketch of the silo and its derived values, checks the values and takes
// them over into the model on OK.
#pragma once

#include <QDialog>
#include <QImage>

#include "calc/form_logic.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPainter;
class QPushButton;
class QRadioButton;
class QScrollArea;

namespace korvane::ui {

class RadioGroup;

// Paints the sketch result onto a W x H area: white, then the outline in
// black and the surface in red, or "Bad Data" centred.
void paintSketch(QPainter& p, int width, int height, const SketchResult& r);

// The image `Image1` that shows the sketch.
class SiloSketch : public QWidget {
public:
    explicit SiloSketch(QWidget* parent);
    void setResult(const SketchResult& r);
    const SketchResult& result() const { return m_result; }
    QImage render() const;  // the sketch as it is shown

protected:
    void paintEvent(QPaintEvent*) override;

private:
    SketchResult m_result;
};

class ParameterForm : public QDialog {
    Q_OBJECT
public:
    explicit ParameterForm(QWidget* parent = nullptr);

    // Handlers and operations under their program names.
    void Form2Aktiv();
    void Zeichnen();
    void AENDERUNG(QObject* sender);
    void ZEIGE_PARAMETER();
    void silo_zeichnen();
    void neue_par_uebernehmen();
    void Button1Click();
    void AbbruchClick();
    void WerteButtonClick();
    bool FormCloseQuery();
    void FormClose();
    void Labelsprache();

    // What the controls hold, as the logic reads it.
    FormInput formInput() const;

    void reject() override;  // Escape: Abbrechen
    QSize sizeHint() const override;

protected:
    void showEvent(QShowEvent* e) override;
    void fitToScreen();
    void hideEvent(QHideEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* obj, QEvent* ev) override;

private:
    // Enable states of the options.
    void einstellungen1_0();
    void einstellungen1_1();
    void einstellungen2_0a();
    void einstellungen2_1a();
    void einstellungen3_1();
    void einstellungen3_2();
    void einstellungen3_3();
    void einstellungen4_1();
    void einstellungen4_2();
    void einstellungen5_0();
    void einstellungen5_1();
    void einstellungen6_0();
    void einstellungen6_1();
    void einstellungen6_2();
    void einstellungenG_5();
    void einstellungenG_6();
    void einstellungenG_7();
    void reapplyEnableStates(bool withSurface);

    void tryClose(int result);
    void markUserEdit();
    void sizeNumberFields();
    QSize contentSize() const;
    static QSize maximumFormSize();
    void setLongCaption(int language);
    QLineEdit* makeEdit(const char* name);
    QLabel* makeOutput(const char* name);

    RadioGroup *RadioGroup4, *RadioGroup1;
    QRadioButton *Rhokonst, *Rhofunkt, *Rhoanpass;
    QLineEdit *Edit17, *Edit18, *Edit19, *Edit15, *Edit31;
    QPushButton* WerteButton;
    QRadioButton *RadioButton5, *RadioButton6, *RadioButton7;
    QLabel* Label44;
    QCheckBox *Schaftja, *Trichterja, *vertunten;
    QLineEdit *Edit2, *Phixschaft, *Edit4, *Edit27, *Edit6, *Edit7, *Phixtrichter,
        *PHIXTrichterStirnwand, *Hunttricht, *Phixunten, *boeschwinkel, *Edit1, *Edit5;
    QLabel* MFKFLabel;
    QRadioButton *RadioButton1, *boeschungsw, *Auflast;
    QLabel *Hohnekegel, *Silohoehe, *Trichterhoehe, *Silonetvol, *Silobrutvol;
    SiloSketch* Image1;
    QWidget* m_content = nullptr;     // everything above the buttons
    QScrollArea* m_scroll = nullptr;  // scrolls m_content on small screens
    QPushButton *Button1, *Button2;

    // The pending problem was found by the take-over on OK, not by the live
    // check: the next OK takes over again instead of repeating the message.
    bool m_problemAusUebernahme = false;
    // The change mark as it was when the form was shown; Abbrechen returns to it.
    bool m_geaendertBeimZeigen = false;

    // Group boxes and captions that Labelsprache relabels.
    QGroupBox *gDichte, *gReibung, *gK, *gSchaft, *gQuer, *gTrichter, *gUnten, *gOberfl,
        *gFuell, *gBerechnet;
    QLabel *lHoeheSchaft, *lDurchmesser, *lLaenge, *lWandneigung, *lAuslauf, *lStirnwand,
        *lHoeheUnten, *lBoeschwinkel, *lInkl, *lOhne, *lSilohoehe, *lTrichterhoehe,
        *lNetvol, *lBrutvol;
};

// The one parameter form of the program (created at the first use).
ParameterForm* parameterForm(QWidget* parent = nullptr);

// Shows the parameter form modally over `parent` (view-only while the
// program-wide viewOnly flag is set) and returns the dialog's result.
int showParameterForm(QWidget* parent);

}  // namespace korvane::ui
