// Small widgets shared by the about box and the literature window.
#pragma once

#include <QImage>
#include <QLabel>
#include <QWidget>

namespace korvane::ui {

// An underlined label that acts as a web link: a click emits clicked().
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);
signals:
    void clicked();
protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
};

// A picture on a white ground, stretched proportionally into the widget and
// centred. Holds the decoded image; an undecodable file leaves it empty.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);
    bool load(const QString& path);
    const QImage& image() const { return image_; }
    // Where the picture is drawn inside the widget.
    QRect pictureRect() const;
protected:
    void paintEvent(QPaintEvent*) override;
private:
    QImage image_;
};

}  // namespace korvane::ui
