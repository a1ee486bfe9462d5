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

    PictureBox* cover() const { return cover_; }
    PictureBox* pages() const { return pages_; }
    QLabel* infoLabel() const { return infoLabel_; }
    LinkLabel* webLink() const { return webLink_; }
    QPushButton* closeButton() const { return closeButton_; }

    // Opens the book's page on the maker's web site.
    void openBookPage();

    // File names of the two pictures beside the program.
    static const char* const kCoverFile;
    static const char* const kPagesFile;

private:
    // Caption and "More information:" in the current language.
    void retranslate();

    PictureBox* cover_ = nullptr;
    PictureBox* pages_ = nullptr;        // a page spread from inside the book
    QLabel* infoLabel_ = nullptr;        // "More information:" before the link
    LinkLabel* webLink_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};

}  // namespace korvane::ui
