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
    setObjectName("LiteratureWindow");
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    const double f = bookFactor(currentScreenScale());

    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);

    // The two pictures, each on its own white panel, side by side.
    auto* pictures = new QHBoxLayout;
    pictures->setSpacing(0);
    QFrame* coverPanel = whitePanel(this, "coverPanel");
    QFrame* pagesPanel = whitePanel(this, "pagesPanel");
    m_cover = new PictureBox(coverPanel);
    m_cover->setObjectName("cover");
    m_pages = new PictureBox(pagesPanel);
    m_pages->setObjectName("pages");
    for (auto [panel, picture, w] :
         {std::tuple{coverPanel, m_cover, 361}, std::tuple{pagesPanel, m_pages, 369}}) {
        auto* l = new QHBoxLayout(panel);
        l->setContentsMargins(scaled(40, f), scaled(10, f), scaled(40, f), scaled(10, f));
        l->addWidget(picture);
        picture->setMinimumSize(scaled(w, f) / 4, scaled(500, f) / 4);
        pictures->addWidget(panel, 1);
    }
    top->addLayout(pictures, 1);

    // Bottom panel: "More information:", the link to the book page, Close.
    QFrame* linkPanel = whitePanel(this, "linkPanel");
    auto* bottom = new QHBoxLayout(linkPanel);
    bottom->setContentsMargins(scaled(40, f), scaled(14, f), scaled(40, f), scaled(18, f));
    m_infoLabel = new QLabel(linkPanel);
    m_infoLabel->setObjectName("infoLabel");
    m_infoLabel->setFont(arialPx(19, f));
    m_webLink = new LinkLabel(QString::fromUtf8(tkonst::kWebAddress), linkPanel);
    m_webLink->setObjectName("webLink");
    QFont linkFont = arialPx(19, f);
    linkFont.setUnderline(true);
    m_webLink->setFont(linkFont);
    m_closeButton = new QPushButton(QString::fromUtf8(tkonst::kSchliessen), linkPanel);
    m_closeButton->setObjectName("closeButton");
    m_closeButton->setFont(arialPx(13, f));
    m_closeButton->setFixedSize(scaled(80, f), scaled(28, f));
    m_closeButton->setDefault(true);
    bottom->addWidget(m_infoLabel);
    bottom->addSpacing(scaled(8, f));
    bottom->addWidget(m_webLink);
    bottom->addStretch(1);
    bottom->addWidget(m_closeButton);
    top->addWidget(linkPanel);

    connect(m_webLink, &LinkLabel::clicked, this, &LiteratureWindow::openBookPage);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::accept);

    const QString dir = pictureFolder();
    m_cover->load(dir + kCoverFile);
    m_pages->load(dir + kPagesFile);

    retranslate();
    QSize client = screenScaledClient(QSize(913, 647), screenSize());
    client = fitClient(client, typicalFrameExtra(), availableArea().size());
    resize(client);
    centreOnDesktop(this);
}

void LiteratureWindow::retranslate() {
    setWindowTitle(T(tkonst::BuchCaption));
    m_infoLabel->setText(T(tkonst::WeitereInformationen));
}

void LiteratureWindow::openBookPage() { platform::openUrl(QString::fromUtf8(tkonst::kBookPage)); }

}  // namespace korvane::ui
