// The about box: product name, version line, the maker's notice and the
// maker's web address as a link. The same in both languages.
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace korvane::ui {

class LinkLabel;

class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);

    QLabel* productName() const { return productName_; }
    QLabel* version() const { return version_; }
    QLabel* copyright() const { return copyright_; }
    LinkLabel* webLink() const { return webLink_; }
    QLabel* clickHint() const { return clickHint_; }
    QPushButton* okButton() const { return okButton_; }

    // A click on the link opens the web address with the desktop.
    void openWebAddress();

protected:
    void showEvent(QShowEvent* e) override;

private:
    QFrame* textPanel_ = nullptr;     // sunken panel holding the lines below
    QLabel* productName_ = nullptr;
    QLabel* version_ = nullptr;
    QLabel* copyright_ = nullptr;
    LinkLabel* webLink_ = nullptr;
    QLabel* clickHint_ = nullptr;     // "(click to visit)" below the link
    QPushButton* okButton_ = nullptr;
};

}  // namespace korvane::ui
