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

    QLabel* productName() const { return m_product; }
    QLabel* version() const { return m_version; }
    QLabel* copyright() const { return m_copyright; }
    LinkLabel* webLink() const { return m_link; }
    QLabel* clickHint() const { return m_click; }
    QPushButton* okButton() const { return m_ok; }

    // A click on the link opens the web address with the desktop.
    void LinkClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    QFrame* m_panel = nullptr;
    QLabel* m_product = nullptr;
    QLabel* m_version = nullptr;
    QLabel* m_copyright = nullptr;
    LinkLabel* m_link = nullptr;
    QLabel* m_click = nullptr;
    QPushButton* m_ok = nullptr;
};

}  // namespace korvane::ui
