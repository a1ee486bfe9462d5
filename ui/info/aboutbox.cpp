#include "ui/info/aboutbox.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include "ui/info/infoscaling.h"
#include "ui/info/infowidgets.h"
#include "ui/main/platform.h"
#include "ui/texts/tkonst.h"

namespace korvane::ui {

using tkonst::T;
using tkonst::TextPair;
using tkonst::sprache;

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutBox");
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setWindowTitle(QString::fromUtf8(tkonst::kAboutCaption));
    const double f = controlFactor(currentScreenScale());

    QSize client = screenScaledClient(QSize(263, 169), screenSize());
    client = fitClient(client, typicalFrameExtra(), availableArea().size());
    setFixedSize(client);
    const int w = client.width(), h = client.height();

    // Panel with the lines centred one below the other; below it the OK button.
    const int margin = scaled(8, f);
    const int buttonW = scaled(75, f), buttonH = scaled(25, f);
    const int buttonTop = h - margin - buttonH;
    m_textPanel = new QFrame(this);
    m_textPanel->setObjectName("textPanel");
    m_textPanel->setFrameShape(QFrame::Panel);
    m_textPanel->setFrameShadow(QFrame::Sunken);
    m_textPanel->setGeometry(margin, margin, w - 2 * margin, buttonTop - 2 * margin);
    const int pw = m_textPanel->width(), ph = m_textPanel->height();

    auto line = [&](QLabel* l, const char* name, int px, bool bold) {
        l->setObjectName(name);
        l->setParent(m_textPanel);
        l->setFont(arialPx(px, f, bold));
        l->setAlignment(Qt::AlignCenter);
        return l;
    };
    m_productName =
        line(new QLabel(QString::fromUtf8(tkonst::kProductName)), "productName", 13, true);
    m_version = line(new QLabel(QString::fromUtf8(tkonst::kVersionLine)), "version", 11, false);
    m_copyright = line(new QLabel(QString::fromUtf8(tkonst::kMakerNotice)), "copyright", 11, false);
    m_webLink = new LinkLabel(QString::fromUtf8(tkonst::kWebAddress));
    QFont linkFont = arialPx(11, f);
    linkFont.setUnderline(true);
    line(m_webLink, "webLink", 11, false);
    m_webLink->setFont(linkFont);
    m_clickHint =
        line(new QLabel(QString::fromUtf8(tkonst::kClickToVisit)), "clickHint", 11, false);

    const int lineH = scaled(18, f);
    const int top = scaled(10, f);
    m_productName->setGeometry(0, top, pw, scaled(22, f));
    m_version->setGeometry(0, top + scaled(28, f), pw, lineH);
    m_copyright->setGeometry(0, top + scaled(28, f) + lineH, pw, lineH);
    // The link sits at the panel's bottom with its hint below it.
    const int bottom = ph - scaled(6, f);
    m_clickHint->setGeometry(0, bottom - lineH, pw, lineH);
    m_webLink->setGeometry(0, bottom - 2 * lineH, pw, lineH);
    connect(m_webLink, &LinkLabel::clicked, this, &AboutBox::openWebAddress);

    m_okButton = new QPushButton("OK", this);
    m_okButton->setObjectName("okButton");
    m_okButton->setFont(arialPx(11, f));
    m_okButton->setGeometry((w - buttonW) / 2, buttonTop, buttonW, buttonH);
    m_okButton->setDefault(true);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    centreOnDesktop(this);
}

void AboutBox::openWebAddress() { platform::openUrl(m_webLink->text()); }

void AboutBox::showEvent(QShowEvent* e) {
    m_okButton->setFocus();
    if (!e->spontaneous()) centreOnDesktop(this);
    QDialog::showEvent(e);
}

}  // namespace korvane::ui
