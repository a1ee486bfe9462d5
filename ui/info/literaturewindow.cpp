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
#include "ui/texts/texts.h"

namespace korvane::ui {

using texts::T;
using texts::TextPair;

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
    cover_ = new PictureBox(coverPanel);
    cover_->setObjectName("cover");
    pages_ = new PictureBox(pagesPanel);
    pages_->setObjectName("pages");
    for (auto [panel, picture, w] :
         {std::tuple{coverPanel, cover_, 361}, std::tuple{pagesPanel, pages_, 369}}) {
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
    infoLabel_ = new QLabel(linkPanel);
    infoLabel_->setObjectName("infoLabel");
    infoLabel_->setFont(arialPx(19, f));
    webLink_ = new LinkLabel(QString::fromUtf8(texts::kWebAddress), linkPanel);
    webLink_->setObjectName("webLink");
    QFont linkFont = arialPx(19, f);
    linkFont.setUnderline(true);
    webLink_->setFont(linkFont);
    closeButton_ = new QPushButton(QString::fromUtf8(texts::kCloseButton), linkPanel);
    closeButton_->setObjectName("closeButton");
    closeButton_->setFont(arialPx(13, f));
    closeButton_->setFixedSize(scaled(80, f), scaled(28, f));
    closeButton_->setDefault(true);
    bottom->addWidget(infoLabel_);
    bottom->addSpacing(scaled(8, f));
    bottom->addWidget(webLink_);
    bottom->addStretch(1);
    bottom->addWidget(closeButton_);
    top->addWidget(linkPanel);

    connect(webLink_, &LinkLabel::clicked, this, &LiteratureWindow::openBookPage);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);

    const QString dir = pictureFolder();
    cover_->load(dir + kCoverFile);
    pages_->load(dir + kPagesFile);

    retranslate();
    QSize client = screenScaledClient(QSize(913, 647), screenSize());
    client = fitClient(client, typicalFrameExtra(), availableArea().size());
    resize(client);
    centreOnDesktop(this);
}

void LiteratureWindow::retranslate() {
    setWindowTitle(T(texts::literature::caption));
    infoLabel_->setText(T(texts::literature::moreInformation));
}

void LiteratureWindow::openBookPage() { platform::openUrl(QString::fromUtf8(texts::kBookPage)); }

}  // namespace korvane::ui
