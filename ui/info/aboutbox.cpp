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
    const double f = controlFactor(currentSkalierung());

    QSize client = screenScaledClient(QSize(263, 169), screenSize());
    client = fitClient(client, typicalFrameExtra(), availableArea().size());
    setFixedSize(client);
    const int w = client.width(), h = client.height();

    // Panel with the lines centred one below the other; below it the OK button.
    const int margin = sc(8, f);
    const int bw = sc(75, f), bh = sc(25, f);
    const int buttonTop = h - margin - bh;
    m_panel = new QFrame(this);
    m_panel->setObjectName("Panel1");
    m_panel->setFrameShape(QFrame::Panel);
    m_panel->setFrameShadow(QFrame::Sunken);
    m_panel->setGeometry(margin, margin, w - 2 * margin, buttonTop - 2 * margin);
    const int pw = m_panel->width(), ph = m_panel->height();

    auto line = [&](QLabel* l, const char* name, int px, bool bold) {
        l->setObjectName(name);
        l->setParent(m_panel);
        l->setFont(arialPx(px, f, bold));
        l->setAlignment(Qt::AlignCenter);
        return l;
    };
    m_product = line(new QLabel(QString::fromUtf8(tkonst::kProductName)), "ProductName", 13, true);
    m_version = line(new QLabel(QString::fromUtf8(tkonst::kVersionLine)), "Version", 11, false);
    m_copyright = line(new QLabel(QString::fromUtf8(tkonst::kMakerNotice)), "Copyright", 11, false);
    m_link = new LinkLabel(QString::fromUtf8(tkonst::kWebAddress));
    QFont linkFont = arialPx(11, f);
    linkFont.setUnderline(true);
    line(m_link, "Comments", 11, false);
    m_link->setFont(linkFont);
    m_click = line(new QLabel(QString::fromUtf8(tkonst::kClickToVisit)), "Label1", 11, false);

    const int lh = sc(18, f);
    const int top = sc(10, f);
    m_product->setGeometry(0, top, pw, sc(22, f));
    m_version->setGeometry(0, top + sc(28, f), pw, lh);
    m_copyright->setGeometry(0, top + sc(28, f) + lh, pw, lh);
    // The link sits at the panel's bottom with its hint below it.
    const int bottom = ph - sc(6, f);
    m_click->setGeometry(0, bottom - lh, pw, lh);
    m_link->setGeometry(0, bottom - 2 * lh, pw, lh);
    connect(m_link, &LinkLabel::clicked, this, &AboutBox::LinkClick);

    m_ok = new QPushButton("OK", this);
    m_ok->setObjectName("OKButton");
    m_ok->setFont(arialPx(11, f));
    m_ok->setGeometry((w - bw) / 2, buttonTop, bw, bh);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    centreOnDesktop(this);
}

void AboutBox::LinkClick() { platform::openUrl(m_link->text()); }

void AboutBox::showEvent(QShowEvent* e) {
    m_ok->setFocus();
    if (!e->spontaneous()) centreOnDesktop(this);
    QDialog::showEvent(e);
}

}  // namespace korvane::ui
