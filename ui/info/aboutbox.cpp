#include "ui/info/aboutbox.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include "ui/info/infoscaling.h"
#include "ui/info/infowidgets.h"
#include "ui/main/platform.h"
#include "ui/texts/texts.h"

namespace korvane::ui {

using texts::T;
using texts::TextPair;

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutBox");
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setWindowTitle(QString::fromUtf8(texts::kAboutCaption));
    const double f = controlFactor(currentScreenScale());

    QSize client = screenScaledClient(QSize(263, 169), screenSize());
    client = fitClient(client, typicalFrameExtra(), availableArea().size());
    setFixedSize(client);
    const int w = client.width(), h = client.height();

    // Panel with the lines centred one below the other; below it the OK button.
    const int margin = scaled(8, f);
    const int buttonW = scaled(75, f), buttonH = scaled(25, f);
    const int buttonTop = h - margin - buttonH;
    textPanel_ = new QFrame(this);
    textPanel_->setObjectName("textPanel");
    textPanel_->setFrameShape(QFrame::Panel);
    textPanel_->setFrameShadow(QFrame::Sunken);
    textPanel_->setGeometry(margin, margin, w - 2 * margin, buttonTop - 2 * margin);
    const int pw = textPanel_->width(), ph = textPanel_->height();

    auto line = [&](QLabel* l, const char* name, int px, bool bold) {
        l->setObjectName(name);
        l->setParent(textPanel_);
        l->setFont(arialPx(px, f, bold));
        l->setAlignment(Qt::AlignCenter);
        return l;
    };
    productName_ =
        line(new QLabel(QString::fromUtf8(texts::kProductName)), "productName", 13, true);
    version_ = line(new QLabel(QString::fromUtf8(texts::kVersionLine)), "version", 11, false);
    copyright_ = line(new QLabel(QString::fromUtf8(texts::kMakerNotice)), "copyright", 11, false);
    webLink_ = new LinkLabel(QString::fromUtf8(texts::kWebAddress));
    QFont linkFont = arialPx(11, f);
    linkFont.setUnderline(true);
    line(webLink_, "webLink", 11, false);
    webLink_->setFont(linkFont);
    clickHint_ =
        line(new QLabel(QString::fromUtf8(texts::kClickToVisit)), "clickHint", 11, false);

    const int lineH = scaled(18, f);
    const int top = scaled(10, f);
    productName_->setGeometry(0, top, pw, scaled(22, f));
    version_->setGeometry(0, top + scaled(28, f), pw, lineH);
    copyright_->setGeometry(0, top + scaled(28, f) + lineH, pw, lineH);
    // The link sits at the panel's bottom with its hint below it.
    const int bottom = ph - scaled(6, f);
    clickHint_->setGeometry(0, bottom - lineH, pw, lineH);
    webLink_->setGeometry(0, bottom - 2 * lineH, pw, lineH);
    connect(webLink_, &LinkLabel::clicked, this, &AboutBox::openWebAddress);

    okButton_ = new QPushButton("OK", this);
    okButton_->setObjectName("okButton");
    okButton_->setFont(arialPx(11, f));
    okButton_->setGeometry((w - buttonW) / 2, buttonTop, buttonW, buttonH);
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    centreOnDesktop(this);
}

void AboutBox::openWebAddress() { platform::openUrl(webLink_->text()); }

void AboutBox::showEvent(QShowEvent* e) {
    okButton_->setFocus();
    if (!e->spontaneous()) centreOnDesktop(this);
    QDialog::showEvent(e);
}

}  // namespace korvane::ui
