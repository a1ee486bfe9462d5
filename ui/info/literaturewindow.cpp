#include "ui/info/literaturewindow.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/info/infoscaling.h"
#include "ui/info/infowidgets.h"
#include "ui/main/appstate.h"
#include "ui/main/platform.h"
#include "ui/texts/tkonst.h"

namespace korvane::ui {

using tkonst::T;
using tkonst::TextPair;
using tkonst::sprache;

const char* const LiteratureWindow::kCoverFile = "buch_titel.jpg";
const char* const LiteratureWindow::kPagesFile = "buch_seiten.jpg";

namespace {

QFrame* whitePanel(QWidget* parent, const char* name) {
    auto* p = new QFrame(parent);
    p->setObjectName(name);
    p->setAutoFillBackground(true);
    QPalette pal = p->palette();
    pal.setColor(QPalette::Window, Qt::white);
    p->setPalette(pal);
    return p;
}

QString pictureFolder() {
    QString dir = app().programFolder;
    if (dir.isEmpty()) dir = platform::programFolder();
    if (!dir.endsWith('/')) dir += '/';
    return dir;
}

}  // namespace

LiteratureWindow::LiteratureWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("Buch");
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    const double f = bookFactor(currentSkalierung());

    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);

    // The two pictures, each on its own white panel, side by side.
    auto* pictures = new QHBoxLayout;
    pictures->setSpacing(0);
    QFrame* panel1 = whitePanel(this, "Panel1");
    QFrame* panel2 = whitePanel(this, "Panel2");
    m_image1 = new PictureBox(panel1);
    m_image1->setObjectName("Image1");
    m_image2 = new PictureBox(panel2);
    m_image2->setObjectName("Image2");
    for (auto [panel, image, w] : {std::tuple{panel1, m_image1, 361}, std::tuple{panel2, m_image2, 369}}) {
        auto* l = new QHBoxLayout(panel);
        l->setContentsMargins(sc(40, f), sc(10, f), sc(40, f), sc(10, f));
        l->addWidget(image);
        image->setMinimumSize(sc(w, f) / 4, sc(500, f) / 4);
        pictures->addWidget(panel, 1);
    }
    top->addLayout(pictures, 1);

    // Bottom panel: "More information:", the link to the book page, Close.
    QFrame* panel3 = whitePanel(this, "Panel3");
    auto* bottom = new QHBoxLayout(panel3);
    bottom->setContentsMargins(sc(40, f), sc(14, f), sc(40, f), sc(18, f));
    m_label = new QLabel(panel3);
    m_label->setObjectName("Label1");
    m_label->setFont(arialPx(19, f));
    m_link = new LinkLabel(QString::fromUtf8(tkonst::kWebAddress), panel3);
    m_link->setObjectName("Label2");
    QFont lf = arialPx(19, f);
    lf.setUnderline(true);
    m_link->setFont(lf);
    m_close = new QPushButton(QString::fromUtf8(tkonst::kSchliessen), panel3);
    m_close->setObjectName("Button1");
    m_close->setFont(arialPx(13, f));
    m_close->setFixedSize(sc(80, f), sc(28, f));
    m_close->setDefault(true);
    bottom->addWidget(m_label);
    bottom->addSpacing(sc(8, f));
    bottom->addWidget(m_link);
    bottom->addStretch(1);
    bottom->addWidget(m_close);
    top->addWidget(panel3);

    connect(m_link, &LinkLabel::clicked, this, &LiteratureWindow::LinkClick);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);

    const QString dir = pictureFolder();
    m_image1->load(dir + kCoverFile);
    m_image2->load(dir + kPagesFile);

    Labelsprache();
    QSize client = screenScaledClient(QSize(913, 647), screenSize());
    client = fitClient(client, typicalFrameExtra(), availableArea().size());
    resize(client);
    centreOnDesktop(this);
}

void LiteratureWindow::Labelsprache() {
    setWindowTitle(T(tkonst::BuchCaption));
    m_label->setText(T(tkonst::WeitereInformationen));
}

void LiteratureWindow::LinkClick() { platform::openUrl(QString::fromUtf8(tkonst::kBookPage)); }

}  // namespace korvane::ui
