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

    PictureBox* cover() const { return m_cover; }
    PictureBox* pages() const { return m_pages; }
    QLabel* infoLabel() const { return m_infoLabel; }
    LinkLabel* webLink() const { return m_webLink; }
    QPushButton* closeButton() const { return m_closeButton; }

    // Opens the book's page on the maker's web site.
    void openBookPage();

    // File names of the two pictures beside the program.
    static const char* const kCoverFile;
    static const char* const kPagesFile;

private:
    // Caption and "More information:" in the current language.
    void retranslate();

    PictureBox* m_cover = nullptr;
    PictureBox* m_pages = nullptr;        // a page spread from inside the book
    QLabel* m_infoLabel = nullptr;        // "More information:" before the link
    LinkLabel* m_webLink = nullptr;
    QPushButton* m_closeButton = nullptr;
};

}  // namespace korvane::ui
