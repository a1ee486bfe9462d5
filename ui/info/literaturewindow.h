// The literature window: the cover and a page spread of a book on bulk
// solids technology side by side, and a link to the book's web page.
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace korvane::ui {

class LinkLabel;
class PictureBox;

class LiteratureWindow : public QDialog {
    Q_OBJECT
public:
    explicit LiteratureWindow(QWidget* parent = nullptr);

    PictureBox* cover() const { return m_image1; }
    PictureBox* pages() const { return m_image2; }
    QLabel* infoLabel() const { return m_label; }
    LinkLabel* webLink() const { return m_link; }
    QPushButton* closeButton() const { return m_close; }

    // Opens the book's page on the maker's web site.
    void LinkClick();

    // File names of the two pictures beside the program.
    static const char* const kCoverFile;
    static const char* const kPagesFile;

private:
    void Labelsprache();

    PictureBox* m_image1 = nullptr;
    PictureBox* m_image2 = nullptr;
    QLabel* m_label = nullptr;
    LinkLabel* m_link = nullptr;
    QPushButton* m_close = nullptr;
};

}  // namespace korvane::ui
