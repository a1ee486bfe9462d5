// Input that cannot go wrong in the parameter form and the density grid: the
// number fields take only what typing can produce, however the text arrives;
// editing keys work; every change is marked; keyboard use as in a Qt dialog;
// readable at every screen size.
#include <gtest/gtest.h>

#include <memory>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <string>

#include "calc/engine.h"
#include "ui/density/densitywindow.h"
#include "ui/document/silodocument.h"
#include "ui/density/radiogroup.h"
#include "ui/main/appstate.h"
#include "ui/main/platform.h"
#include "ui/parameters/parameterform.h"
#include "ui/texts/texts.h"
#include "form_test_support.h"

using namespace korvane;
using namespace korvane::ui;

namespace {

// The Delete key as X11 delivers it: with the character U+007F.
void pressDelete(QWidget* w) {
    QTest::sendKeyEvent(QTest::Click, w, Qt::Key_Delete, QString(QChar(0x7f)), Qt::NoModifier);
}

void pasteWithCtrlV(QLineEdit* e, const QString& clip) {
    QApplication::clipboard()->setText(clip);
    QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
}

bool showsNonFinite(const QString& t) {
    return t.contains("nan", Qt::CaseInsensitive) || t.contains("inf", Qt::CaseInsensitive);
}

class FormInputTest : public test_support::ParameterFormFixture {
protected:
    QLineEdit* focused(const char* name) {
        QLineEdit* e = edit(name);
        e->setFocus();
        return e;
    }
};

}  // namespace

// ---- 1: paste and every other way of text into a number field ----------------------

TEST_F(FormInputTest, PasteCannotBringInWhatTypingCannot) {
    open();
    // Ctrl+V of a negative shaft height over the selected field: refused whole.
    QLineEdit* shaft = focused("shaftHeightField");
    shaft->selectAll();
    pasteWithCtrlV(shaft, "-1");
    EXPECT_EQ(shaft->text(), "6");
    // The context menu's Paste: an exponent and letters are refused as well.
    QLineEdit* fill = focused("fillHeightField");
    fill->selectAll();
    QApplication::clipboard()->setText("1e3");
    fill->paste();
    EXPECT_EQ(fill->text(), "9");
    // A pasted comma becomes a point, as a typed one does.
    fill->selectAll();
    QApplication::clipboard()->setText("7,5");
    fill->paste();
    EXPECT_EQ(fill->text(), "7.5");
    // One point only.
    fill->end(false);
    QApplication::clipboard()->setText(".5");
    fill->paste();
    EXPECT_EQ(fill->text(), "7.5");
    // OK takes over what the fields show.
    click(get<QPushButton>("okButton"));
    ASSERT_FALSE(form->isVisible());
    EXPECT_DOUBLE_EQ(doc->model.Hschaft, 6);
    EXPECT_DOUBLE_EQ(doc->model.Fuellhoehe, 7.5);
}

TEST_F(FormInputTest, PastedHeightBelowTheHopperCannotSplitSketchAndModel) {
    open();
    click(get<QCheckBox>("lowerPartCheckBox"));
    QLineEdit* below = focused("lowerPartHeightField");
    below->selectAll();
    QApplication::clipboard()->setText("-2");
    below->paste();
    EXPECT_EQ(below->text(), "0");
    pasteWithCtrlV(below, "2");
    EXPECT_EQ(below->text(), "2");
}

TEST_F(FormInputTest, ANumberShownWithAnExponentEditsIntoTypeableText) {
    // A surcharge read from a file, too large for plain digits in 8 places:
    // shown as it is, and the first edit leaves only digits and a point.
    SiloModel& m = doc->model;
    m.Auflastspannung = 1.5e9;
    open();
    QLineEdit* e = focused("surchargeField");
    ASSERT_TRUE(e->text().contains('E')) << e->text().toStdString();
    e->end(false);
    QTest::keyClick(e, Qt::Key_Backspace);
    for (QChar c : e->text()) EXPECT_TRUE(c.isDigit() || c == '.') << e->text().toStdString();
}

// ---- 2: editing keys ---------------------------------------------------------------

TEST_F(FormInputTest, DeleteBackspaceAndShortcutsEditANumberField) {
    open();
    QLineEdit* e = focused("sigma0Field");  // "50000"
    QTest::keyClick(e, Qt::Key_Home);
    pressDelete(e);
    EXPECT_EQ(e->text(), "0000");
    QTest::keyClick(e, Qt::Key_End);
    QTest::keyClick(e, Qt::Key_Backspace);
    EXPECT_EQ(e->text(), "000");
    QTest::keyClick(e, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(e->text(), "0000");
    QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(e, Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(e->text().isEmpty());
    EXPECT_EQ(QApplication::clipboard()->text(), "0000");
    QTest::keyClicks(e, "4,5");
    QTest::keyClick(e, Qt::Key_Left);
    QTest::keyClick(e, Qt::Key_Left, Qt::ShiftModifier);
    pressDelete(e);
    EXPECT_EQ(e->text(), "45");
}

TEST_F(FormInputTest, DeleteKeyInTheDensityGrid) {
    DensityWindow win(*doc);
    auto* grid = win.findChild<QTableWidget*>("measurementGrid");
    win.show();
    QApplication::setActiveWindow(&win);
    grid->setCurrentCell(0, 1);
    grid->setFocus();
    // The first key opens the cell's editor, which then has the focus.
    QTest::keyClicks(QApplication::focusWidget(), "1234");
    auto* ed = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_TRUE(ed);
    QTest::keyClick(ed, Qt::Key_Home);
    pressDelete(ed);
    EXPECT_EQ(ed->text(), "234");
    // A paste into a cell is judged as typing is.
    QApplication::clipboard()->setText("-5");
    ed->paste();
    EXPECT_EQ(ed->text(), "234");
}

// ---- 3: every change is marked -------------------------------------------------------

TEST_F(FormInputTest, ChangesWithoutATypedCharacterAreMarked) {
    doc->parameterFile = "/p/a.par";
    open();
    // The context menu's Paste, no key at all.
    QLineEdit* fill = edit("fillHeightField");
    fill->selectAll();
    QApplication::clipboard()->setText("8");
    fill->paste();
    EXPECT_TRUE(doc->modified);
    EXPECT_TRUE(form->windowTitle().endsWith(QString::fromUtf8("Geändert!")));
}

TEST_F(FormInputTest, SurchargeAndKFieldsMarkAChange) {
    open();
    // Options right after opening mark nothing, as before.
    click(get<QRadioButton>("surchargeOption"));
    click(get<QRadioButton>("kValueOption"));
    EXPECT_FALSE(doc->modified);
    QLineEdit* surcharge = focused("surchargeField");
    surcharge->selectAll();
    QApplication::clipboard()->setText("5000");
    surcharge->paste();
    EXPECT_TRUE(doc->modified);
    // Cancelled, then opened again: typing K alone marks the change too.
    click(get<QPushButton>("cancelButton"));
    open();
    click(get<QRadioButton>("kValueOption"));
    EXPECT_FALSE(doc->modified);
    QTest::keyClicks(focused("kValueField"), "0.5");
    EXPECT_TRUE(doc->modified);
}

// ---- 4: no NAN or INF in the window ---------------------------------------------------

TEST_F(FormInputTest, NoFieldShowsNanOrInf) {
    open();
    QLineEdit* d = focused("diameterField");
    d->selectAll();
    QTest::keyClicks(d, "1" + QString(200, '0'));
    for (QLabel* l : form->findChildren<QLabel*>())
        EXPECT_FALSE(showsNonFinite(l->text())) << l->objectName().toStdString();
    for (QLineEdit* e : form->findChildren<QLineEdit*>())
        EXPECT_FALSE(showsNonFinite(e->text())) << e->objectName().toStdString();
    EXPECT_EQ(doc->pendingProblem, 9);
}

TEST_F(FormInputTest, NonFiniteFitIsRefusedWithItsOwnMessageAndNoCurve) {
    // Two pairs at the same stress: the straight line has no slope.
    DensityWorkingCopy& w = doc->workingCopy;
    w.Messpunktzahl = 2;
    w.Messtabelle[1][1] = 1000;
    w.Messtabelle[2][1] = 1500;
    w.Messtabelle[1][2] = 1000;
    w.Messtabelle[2][2] = 1600;
    w.Messanpassart = 0;
    DensityWindow win(*doc);
    win.show();
    win.findChild<QPushButton*>("testButton")->click();
    const QImage img = win.diagramImage();
    int coloured = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            if (qRed(c) > 200 && qGreen(c) < 80) ++coloured;
            if (qGreen(c) > 100 && qRed(c) < 80 && qBlue(c) < 80) ++coloured;
        }
    EXPECT_EQ(coloured, 0);
    platform::setNextAnswer(true);
    win.findChild<QPushButton*>("okButton")->click();
    EXPECT_TRUE(win.isVisible());
    ASSERT_EQ(platform::shownMessages().size(), 1);
    EXPECT_EQ(platform::shownMessages().first(), texts::T(texts::density::fitNotComputable));
    EXPECT_FALSE(platform::shownMessages().first().contains("zu kleine"));
}

// ---- 5: Tab and Return through the density grid --------------------------------------

class GridKeysTest : public ::testing::Test {
protected:
    void SetUp() override {
        texts::setLanguage(0);
        doc = std::make_unique<SiloDocument>();
        platform::clearNextAnswer();
        platform::shownMessages().clear();
        win = new DensityWindow(*doc);
        grid = win->findChild<QTableWidget*>("measurementGrid");
        win->show();
        QApplication::setActiveWindow(win);
        QCoreApplication::processEvents();
    }
    void TearDown() override { delete win; }
    QWidget* target() { return QApplication::focusWidget() ? QApplication::focusWidget() : grid; }
    // Types the keys into whatever has the focus; '\t' is Tab, '\n' Return.
    void type(const QString& keys) {
        for (QChar c : keys) {
            if (c == '\t') QTest::keyClick(target(), Qt::Key_Tab);
            else if (c == '\n') QTest::keyClick(target(), Qt::Key_Return);
            else QTest::keyClick(target(), c.toLatin1());
            QCoreApplication::processEvents();
        }
    }
    QString cell(int r, int c) { return grid->item(r, c)->text(); }

    std::unique_ptr<SiloDocument> doc;  // whose working copy the window edits
    DensityWindow* win = nullptr;
    QTableWidget* grid = nullptr;
};

TEST_F(GridKeysTest, TabMovesSigmaRhobNextRowAndLosesNothing) {
    grid->setCurrentCell(0, 1);
    QCoreApplication::processEvents();
    type("1000\t1500\t10000\t1800\t");
    EXPECT_EQ(cell(0, 1), "1000");
    EXPECT_EQ(cell(0, 2), "1500");
    EXPECT_EQ(cell(1, 1), "10000");
    EXPECT_EQ(cell(1, 2), "1800");
    EXPECT_EQ(grid->currentRow(), 2);
    EXPECT_EQ(grid->currentColumn(), 1);
    for (int r = 2; r < 50; ++r) EXPECT_TRUE(cell(r, 1).isEmpty() && cell(r, 2).isEmpty()) << r;
}

TEST_F(GridKeysTest, ReturnMovesLikeTabAndBacktabGoesBack) {
    grid->setCurrentCell(0, 1);
    QCoreApplication::processEvents();
    type("1000\n1500\n2000\n");
    EXPECT_EQ(cell(0, 2), "1500");
    EXPECT_EQ(cell(1, 1), "2000");
    EXPECT_EQ(grid->currentRow(), 1);
    EXPECT_EQ(grid->currentColumn(), 2);
    QTest::keyClick(target(), Qt::Key_Backtab, Qt::ShiftModifier);
    QTest::keyClick(target(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid->currentRow(), 0);
    EXPECT_EQ(grid->currentColumn(), 2);
}

TEST_F(GridKeysTest, NumberColumnTakesNoFocus) {
    grid->setCurrentCell(3, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid->currentColumn(), 1);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualItemRect(grid->item(5, 0)).center());
    QCoreApplication::processEvents();
    EXPECT_NE(grid->currentColumn(), 0);
    // No type-ahead search: digits go into the cell, not to row "1".
    type("7");
    EXPECT_EQ(grid->currentRow(), 5);
}

TEST_F(GridKeysTest, HalfFilledRowIsReported) {
    grid->setCurrentCell(0, 1);
    QCoreApplication::processEvents();
    type("1000\t1500\t2000\t1600\t3000\t");
    platform::setNextAnswer(true);
    win->findChild<QPushButton*>("testButton")->click();
    ASSERT_EQ(platform::shownMessages().size(), 1);
    EXPECT_TRUE(platform::shownMessages().first().contains("3")) << "names the row";
    EXPECT_FALSE(win->findChild<QPushButton*>("okButton")->isEnabled());
    // The cursor waits in the empty cell.
    EXPECT_EQ(grid->currentRow(), 2);
    EXPECT_EQ(grid->currentColumn(), 2);
}

// ---- 6: Return is OK, Escape is Abbrechen ---------------------------------------------

TEST_F(FormInputTest, ReturnInANumberFieldIsOk) {
    open();
    QLineEdit* fill = focused("fillHeightField");
    fill->selectAll();
    QTest::keyClicks(fill, "10");
    QTest::keyClick(fill, Qt::Key_Return);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(doc->model.Fuellhoehe, 10);
    EXPECT_TRUE(get<QPushButton>("okButton")->isDefault());
}

TEST_F(FormInputTest, DensityWindowReturnIsTestenThenOk) {
    DensityWorkingCopy& w = doc->workingCopy;
    w.Messpunktzahl = 2;
    w.Messtabelle[1][1] = 1000;
    w.Messtabelle[2][1] = 1500;
    w.Messtabelle[1][2] = 3000;
    w.Messtabelle[2][2] = 1600;
    DensityWindow win(*doc);
    win.show();
    QApplication::setActiveWindow(&win);
    auto* ok = win.findChild<QPushButton*>("okButton");
    auto* fitKind = win.findChild<RadioGroup*>("fitKindGroup");
    fitKind->item(0)->setFocus();
    QTest::keyClick(fitKind->item(0), Qt::Key_Return);  // OK disabled: Return tests
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_TRUE(ok->isDefault());
    QTest::keyClick(fitKind->item(0), Qt::Key_Return);
    EXPECT_FALSE(win.isVisible());
    EXPECT_EQ(win.result(), QDialog::Accepted);
}

// ---- 7: the close box tells why it does not close -------------------------------------

TEST_F(FormInputTest, CloseBoxWithAProblemSaysWhy) {
    open();
    QLineEdit* fill = focused("fillHeightField");
    fill->selectAll();
    QTest::keyClicks(fill, "100");
    platform::setNextAnswer(true);
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    ASSERT_EQ(platform::shownMessages().size(), 1);
    EXPECT_EQ(platform::shownMessages().first(), texts::problemText(3));
}

// ---- 9: message boxes with standard buttons, caption from the text table --------------

TEST_F(FormInputTest, ProblemBoxHasStandardButtonsAndTheTableCaption) {
    texts::setLanguage(1);
    open();
    QLineEdit* fill = focused("fillHeightField");
    fill->selectAll();
    QTest::keyClicks(fill, "100");
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        seen = true;
        EXPECT_EQ(box->windowTitle(), QString::fromUtf8(texts::kProblemCaption));
        EXPECT_EQ(box->text(), "Filling height > silo height.");
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok | QMessageBox::Cancel);
        box->button(QMessageBox::Cancel)->click();
    });
    click(get<QPushButton>("okButton"));
    EXPECT_TRUE(seen);
    EXPECT_TRUE(form->isVisible());
}

// ---- 8: readable at every screen size ---------------------------------------------------

namespace {

struct ScreenCase {
    int w, h;
    double screenScale;  // the screen factor the main window computes for it
};

class FormScreenTest : public ::testing::TestWithParam<ScreenCase> {};

}  // namespace

TEST_P(FormScreenTest, ReadableFontWholeNumbersAndScrollingInsteadOfShrinking) {
    const ScreenCase sc = GetParam();
    const platform::ScreenInfo screen{QRect(0, 0, sc.w, sc.h), QRect(0, 0, sc.w, sc.h - 40)};
    platform::setScreenOverride(&screen);
    app() = AppState{};
    app().screenScale = sc.screenScale;
    auto silo = std::make_unique<SiloDocument>();
    for (int lang : {0, 1}) {
        texts::setLanguage(lang);
        ParameterForm form(*silo);
        form.retranslate();
        EXPECT_GE(form.font().pointSizeF(), QApplication::font().pointSizeF());
        EXPECT_LE(form.sizeHint().width(), sc.w);
        EXPECT_LE(form.sizeHint().height(), sc.h - 40);
        ASSERT_TRUE(form.findChild<QScrollArea*>());
        // Every number field shows a whole 8-significant-digit value: with the
        // cursor at its end, its first digit is still in view.
        for (QLineEdit* e : form.findChildren<QLineEdit*>()) {
            e->setText("-0.012345678");
            e->end(false);
            const QRect cr = e->contentsRect();
            EXPECT_EQ(e->cursorPositionAt(QPoint(cr.left() + 3, cr.center().y())), 0)
                << e->objectName().toStdString();
        }
        for (const char* name :
             {"siloHeightOutput", "hopperHeightOutput", "netVolumeOutput", "grossVolumeOutput",
              "fillHeightWithoutHeapOutput", "kFromFrictionOutput"}) {
            QLabel* l = form.findChild<QLabel*>(name);
            ASSERT_TRUE(l);
            EXPECT_GE(l->minimumWidth(), l->fontMetrics().horizontalAdvance("-0.012345678"))
                << name;
        }
        DensityWindow density(*silo);
        EXPECT_GE(density.font().pointSizeF(), QApplication::font().pointSizeF());
    }
    texts::setLanguage(0);
    app() = AppState{};
    platform::setScreenOverride(nullptr);
}

INSTANTIATE_TEST_SUITE_P(Screens, FormScreenTest,
                         ::testing::Values(ScreenCase{1024, 768, 1.28}, ScreenCase{1280, 1024, 1.6},
                                           ScreenCase{1920, 1080, 1.71}, ScreenCase{800, 600, 1.0}));


TEST_F(FormInputTest, TabGoesFromFieldToFieldAndNeverToTheScrollArea) {
    open();
    edit("rhoMinField")->setFocus();
    QStringList chain;
    for (int i = 0; i < 24; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        chain << QApplication::focusWidget()->objectName();
    }
    EXPECT_FALSE(chain.contains("scrollArea")) << chain.join(' ').toStdString();
    const int e18 = chain.indexOf("rhoMaxField"), e4 = chain.indexOf("diameterField"),
              e5 = chain.indexOf("fillHeightField");
    EXPECT_TRUE(e18 >= 0 && e18 < e4 && e4 < e5) << chain.join(' ').toStdString();
    EXPECT_TRUE(chain.contains("okButton"));
}

TEST_F(GridKeysTest, EscapeInACellIsAbbrechen) {
    grid->setCurrentCell(0, 1);
    grid->setFocus();
    type("2000");
    ASSERT_TRUE(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_FALSE(win->isVisible());
    EXPECT_EQ(win->result(), QDialog::Rejected);
    EXPECT_EQ(doc->workingCopy.Messpunktzahl, 0);
}
