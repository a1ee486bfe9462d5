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
#include "ui/texts/texts.h"

namespace korvane::ui {

using texts::T;
using texts::TextPair;

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
    setWindowTitle(QString::fromUtf8(texts::kProductName));

    // The start window works out the screen scale again for itself.
    app().screenScale = computeScreenScale(screenSize());
    factor_ = controlFactor(app().screenScale);

    languagePrompt_ = new QLabel(QString::fromUtf8(texts::kChooseLanguage), this);
    languagePrompt_->setObjectName("languagePrompt");
    languagePrompt_->setFont(arialPx(19, factor_, true));
    languagePrompt_->setAlignment(Qt::AlignCenter);
    languagePrompt_->setGeometry(scaled(kPromptRect, factor_));

    englishButton_ = new QPushButton(QString::fromUtf8(texts::kEnglish), this);
    englishButton_->setObjectName("englishButton");
    germanButton_ = new QPushButton(QString::fromUtf8(texts::kGerman), this);
    germanButton_->setObjectName("germanButton");
    for (QPushButton* b : {englishButton_, germanButton_}) {
        b->setFont(arialPx(21, factor_, true));
        b->setAutoDefault(false);
    }
    englishButton_->setGeometry(scaled(kEnglishRect, factor_));
    germanButton_->setGeometry(scaled(kGermanRect, factor_));

    conditionsView_ = new QPlainTextEdit(this);
    conditionsView_->setObjectName("conditionsView");
    conditionsView_->setReadOnly(true);
    conditionsView_->setFont(arialPx(13, factor_));
    conditionsView_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    conditionsView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    conditionsView_->setGeometry(scaled(kConditionsRect, factor_));

    acceptButton_ = new QPushButton(QString::fromUtf8("Ich stimme zu."), this);
    acceptButton_->setObjectName("acceptButton");
    cancelButton_ = new QPushButton(QString::fromUtf8("Abbrechen"), this);
    cancelButton_->setObjectName("cancelButton");
    for (QPushButton* b : {acceptButton_, cancelButton_}) {
        b->setFont(arialPx(13, factor_));
        b->setAutoDefault(false);
    }
    acceptButton_->setGeometry(scaled(kAcceptRect, factor_));
    cancelButton_->setGeometry(scaled(kCancelRect, factor_));

    // Until a language is picked only the prompt and the two language buttons show.
    conditionsView_->hide();
    acceptButton_->hide();
    cancelButton_->hide();

    connect(englishButton_, &QPushButton::clicked, this, &StartWindow::chooseEnglish);
    connect(germanButton_, &QPushButton::clicked, this, &StartWindow::chooseGerman);
    connect(acceptButton_, &QPushButton::clicked, this, &StartWindow::acceptConditions);
    connect(cancelButton_, &QPushButton::clicked, this, &StartWindow::declineConditions);

    QSize client(scaled(kClientW, factor_), scaled(kClientH, factor_));
    client = fitClient(client, typicalFrameExtra(), availableArea().size());
    setFixedSize(client);
    centreOnDesktop(this);
    englishButton_->setFocus();
}

void StartWindow::showConditions() {
    setWindowTitle(QString::fromUtf8(texts::kProductName) + "  -  " +
                   T(texts::start::conditionsCaption));
    acceptButton_->setText(T(texts::start::accept));
    cancelButton_->setText(T(texts::start::cancel));
    conditionsView_->setPlainText(normalisedLineBreaks(T(texts::start::conditionsText)));
    conditionsView_->moveCursor(QTextCursor::Start);
    conditionsView_->verticalScrollBar()->setValue(0);
    conditionsView_->show();
    conditionsView_->raise();
    acceptButton_->show();
    cancelButton_->show();
    // Accepting is the active control; Enter agrees.
    acceptButton_->setDefault(true);
    acceptButton_->setFocus();
}

void StartWindow::chooseEnglish() {
    texts::setLanguage(1);
    showConditions();
}

void StartWindow::chooseGerman() {
    texts::setLanguage(0);
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
