#include "ui/info/infowidgets.h"

#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>

namespace korvane::ui {

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, QColor(0, 0, 255));
    setPalette(pal);
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit clicked();
    QLabel::mouseReleaseEvent(e);
}

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
}

bool PictureBox::load(const QString& path) {
    QImageReader reader(path);
    image_ = reader.read();
    update();
    return !image_.isNull();
}

QRect PictureBox::pictureRect() const {
    if (image_.isNull() || width() <= 0 || height() <= 0) return {};
    QSize s = image_.size().scaled(size(), Qt::KeepAspectRatio);
    return QRect((width() - s.width()) / 2, (height() - s.height()) / 2, s.width(), s.height());
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (image_.isNull()) return;
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(pictureRect(), image_);
}

}  // namespace korvane::ui
