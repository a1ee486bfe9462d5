#include "ui/info/startwindow.h"

#include <QHideEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>

#include "ui/info/infoscaling.h"
#include "ui/info/helptextwindows.h"
#include "ui/main/appstate.h"
#include "ui/texts/tkonst.h"

namespace korvane::ui {

using tkonst::T;
using tkonst::TextPair;
using tkonst::sprache;

bool Bedingungenakzeptiert = false;

namespace {
// Base layout on the 800 x 600 design screen.
constexpr int kClientW = 579, kClientH = 420;
const QRect kLabelRect(26, 22, 527, 28);
const QRect kEnglishRect(69, 92, 441, 73);
const QRect kDeutschRect(69, 196, 441, 73);
const QRect kMemoRect(26, 16, 527, 348);
const QRect kAcceptRect(120, 376, 150, 30);
const QRect kCancelRect(309, 376, 150, 30);
}  // namespace

StartWindow::StartWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("SplashForm");
    // A small tool window that stays in front of everything else.
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setWindowTitle(QString::fromUtf8(tkonst::kProductName));

    // The start window works out the screen factor again for itself.
    app().screenScale = computeSkalierung(screenSize());
    m_f = controlFactor(app().screenScale);

    m_label = new QLabel(QString::fromUtf8(tkonst::kSprachwahl), this);
    m_label->setObjectName("Label1");
    m_label->setFont(arialPx(19, m_f, true));
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setGeometry(sc(kLabelRect, m_f));

    m_english = new QPushButton(QString::fromUtf8(tkonst::kEnglish), this);
    m_english->setObjectName("EnglishButton");
    m_deutsch = new QPushButton(QString::fromUtf8(tkonst::kDeutsch), this);
    m_deutsch->setObjectName("DeutschButton");
    for (QPushButton* b : {m_english, m_deutsch}) {
        b->setFont(arialPx(21, m_f, true));
        b->setAutoDefault(false);
    }
    m_english->setGeometry(sc(kEnglishRect, m_f));
    m_deutsch->setGeometry(sc(kDeutschRect, m_f));

    m_bedingungen = new QPlainTextEdit(this);
    m_bedingungen->setObjectName("Bedingungen");
    m_bedingungen->setReadOnly(true);
    m_bedingungen->setFont(arialPx(13, m_f));
    m_bedingungen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_bedingungen->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_bedingungen->setGeometry(sc(kMemoRect, m_f));

    m_accept = new QPushButton(QString::fromUtf8("Ich stimme zu."), this);
    m_accept->setObjectName("AcceptButton");
    m_cancel = new QPushButton(QString::fromUtf8("Abbrechen"), this);
    m_cancel->setObjectName("CancelButton");
    for (QPushButton* b : {m_accept, m_cancel}) {
        b->setFont(arialPx(13, m_f));
        b->setAutoDefault(false);
    }
    m_accept->setGeometry(sc(kAcceptRect, m_f));
    m_cancel->setGeometry(sc(kCancelRect, m_f));

    // Until a language is picked only the label and the two language buttons show.
    m_bedingungen->hide();
    m_accept->hide();
    m_cancel->hide();

    connect(m_english, &QPushButton::clicked, this, &StartWindow::EnglishClick);
    connect(m_deutsch, &QPushButton::clicked, this, &StartWindow::DeutschClick);
    connect(m_accept, &QPushButton::clicked, this, &StartWindow::AcceptButtonClick);
    connect(m_cancel, &QPushButton::clicked, this, &StartWindow::CancelButtonClick);

    QSize client(sc(kClientW, m_f), sc(kClientH, m_f));
    client = fitClient(client, typicalFrameExtra(), availableArea().size());
    setFixedSize(client);
    centreOnDesktop(this);
    m_english->setFocus();
}

void StartWindow::Labelsprache() {
    setWindowTitle(QString::fromUtf8(tkonst::kProductName) + "  -  " + T(tkonst::Nutzungsbedingungen));
    m_accept->setText(T(tkonst::AcceptButton));
    m_cancel->setText(T(tkonst::CancelButton));
    m_bedingungen->setPlainText(memoText(T(tkonst::Bedingungen)));
    m_bedingungen->moveCursor(QTextCursor::Start);
    m_bedingungen->verticalScrollBar()->setValue(0);
    m_bedingungen->show();
    m_bedingungen->raise();
    m_accept->show();
    m_cancel->show();
    // Accepting is the active control; Enter agrees.
    m_accept->setDefault(true);
    m_accept->setFocus();
}

void StartWindow::EnglishClick() {
    tkonst::setSprache(1);
    Labelsprache();
}

void StartWindow::DeutschClick() {
    tkonst::setSprache(0);
    Labelsprache();
}

void StartWindow::AcceptButtonClick() {
    Bedingungenakzeptiert = true;
    accept();
}

void StartWindow::CancelButtonClick() {
    // Ending without acceptance: the program's start sees the hidden window
    // with the switch still false and ends.
    Bedingungenakzeptiert = false;
    reject();
}

void StartWindow::hideEvent(QHideEvent* e) {
    QDialog::hideEvent(e);
    if (!e->spontaneous()) emit hidden();
}

}  // namespace korvane::ui
