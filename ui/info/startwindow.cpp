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

bool conditionsAccepted = false;

namespace {
// Base layout on the 800 x 600 design screen.
constexpr int kClientW = 579, kClientH = 420;
const QRect kPromptRect(26, 22, 527, 28);
const QRect kEnglishRect(69, 92, 441, 73);
const QRect kGermanRect(69, 196, 441, 73);
const QRect kConditionsRect(26, 16, 527, 348);
const QRect kAcceptRect(120, 376, 150, 30);
const QRect kCancelRect(309, 376, 150, 30);
}  // namespace

StartWindow::StartWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("StartWindow");
    // A small tool window that stays in front of everything else.
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setWindowTitle(QString::fromUtf8(tkonst::kProductName));

    // The start window works out the screen scale again for itself.
    app().screenScale = computeScreenScale(screenSize());
    m_factor = controlFactor(app().screenScale);

    m_languagePrompt = new QLabel(QString::fromUtf8(tkonst::kSprachwahl), this);
    m_languagePrompt->setObjectName("languagePrompt");
    m_languagePrompt->setFont(arialPx(19, m_factor, true));
    m_languagePrompt->setAlignment(Qt::AlignCenter);
    m_languagePrompt->setGeometry(scaled(kPromptRect, m_factor));

    m_englishButton = new QPushButton(QString::fromUtf8(tkonst::kEnglish), this);
    m_englishButton->setObjectName("englishButton");
    m_germanButton = new QPushButton(QString::fromUtf8(tkonst::kDeutsch), this);
    m_germanButton->setObjectName("germanButton");
    for (QPushButton* b : {m_englishButton, m_germanButton}) {
        b->setFont(arialPx(21, m_factor, true));
        b->setAutoDefault(false);
    }
    m_englishButton->setGeometry(scaled(kEnglishRect, m_factor));
    m_germanButton->setGeometry(scaled(kGermanRect, m_factor));

    m_conditionsView = new QPlainTextEdit(this);
    m_conditionsView->setObjectName("conditionsView");
    m_conditionsView->setReadOnly(true);
    m_conditionsView->setFont(arialPx(13, m_factor));
    m_conditionsView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_conditionsView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_conditionsView->setGeometry(scaled(kConditionsRect, m_factor));

    m_acceptButton = new QPushButton(QString::fromUtf8("Ich stimme zu."), this);
    m_acceptButton->setObjectName("acceptButton");
    m_cancelButton = new QPushButton(QString::fromUtf8("Abbrechen"), this);
    m_cancelButton->setObjectName("cancelButton");
    for (QPushButton* b : {m_acceptButton, m_cancelButton}) {
        b->setFont(arialPx(13, m_factor));
        b->setAutoDefault(false);
    }
    m_acceptButton->setGeometry(scaled(kAcceptRect, m_factor));
    m_cancelButton->setGeometry(scaled(kCancelRect, m_factor));

    // Until a language is picked only the prompt and the two language buttons show.
    m_conditionsView->hide();
    m_acceptButton->hide();
    m_cancelButton->hide();

    connect(m_englishButton, &QPushButton::clicked, this, &StartWindow::chooseEnglish);
    connect(m_germanButton, &QPushButton::clicked, this, &StartWindow::chooseGerman);
    connect(m_acceptButton, &QPushButton::clicked, this, &StartWindow::acceptConditions);
    connect(m_cancelButton, &QPushButton::clicked, this, &StartWindow::declineConditions);

    QSize client(scaled(kClientW, m_factor), scaled(kClientH, m_factor));
    client = fitClient(client, typicalFrameExtra(), availableArea().size());
    setFixedSize(client);
    centreOnDesktop(this);
    m_englishButton->setFocus();
}

void StartWindow::showConditions() {
    setWindowTitle(QString::fromUtf8(tkonst::kProductName) + "  -  " + T(tkonst::Nutzungsbedingungen));
    m_acceptButton->setText(T(tkonst::AcceptButton));
    m_cancelButton->setText(T(tkonst::CancelButton));
    m_conditionsView->setPlainText(normalisedLineBreaks(T(tkonst::Bedingungen)));
    m_conditionsView->moveCursor(QTextCursor::Start);
    m_conditionsView->verticalScrollBar()->setValue(0);
    m_conditionsView->show();
    m_conditionsView->raise();
    m_acceptButton->show();
    m_cancelButton->show();
    // Accepting is the active control; Enter agrees.
    m_acceptButton->setDefault(true);
    m_acceptButton->setFocus();
}

void StartWindow::chooseEnglish() {
    tkonst::setSprache(1);
    showConditions();
}

void StartWindow::chooseGerman() {
    tkonst::setSprache(0);
    showConditions();
}

void StartWindow::acceptConditions() {
    conditionsAccepted = true;
    accept();
}

void StartWindow::declineConditions() {
    // Ending without acceptance: the program's start sees the hidden window
    // with the switch still false and ends.
    conditionsAccepted = false;
    reject();
}

void StartWindow::hideEvent(QHideEvent* e) {
    QDialog::hideEvent(e);
    if (!e->spontaneous()) emit hidden();
}

}  // namespace korvane::ui
