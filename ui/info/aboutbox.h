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

    QLabel* productName() const { return m_productName; }
    QLabel* version() const { return m_version; }
    QLabel* copyright() const { return m_copyright; }
    LinkLabel* webLink() const { return m_webLink; }
    QLabel* clickHint() const { return m_clickHint; }
    QPushButton* okButton() const { return m_okButton; }

    // A click on the link opens the web address with the desktop.
    void openWebAddress();

protected:
    void showEvent(QShowEvent* e) override;

private:
    QFrame* m_textPanel = nullptr;     // sunken panel holding the lines below
    QLabel* m_productName = nullptr;
    QLabel* m_version = nullptr;
    QLabel* m_copyright = nullptr;
    LinkLabel* m_webLink = nullptr;
    QLabel* m_clickHint = nullptr;     // "(click to visit)" below the link
    QPushButton* m_okButton = nullptr;
};

}  // namespace korvane::ui
