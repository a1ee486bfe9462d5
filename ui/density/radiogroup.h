// A group box with a column of radio buttons that behaves as one choice:
// an item index, and a `clicked` signal whenever the chosen item changes,
// whether the user clicked it or the program set it.
#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QList>
#include <QRadioButton>
#include <QStringList>

namespace korvane::ui {

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    // Items get the object names <name>_0, <name>_1, ...
    RadioGroup(const QString& name, const QStringList& items, QWidget* parent = nullptr);

    int itemIndex() const;
    // Checks the item (-1 unchecks all). Fires `clicked` when the choice changes.
    void setItemIndex(int index);
    void setItems(const QStringList& items);  // relabels, keeps the choice
    QRadioButton* item(int i) const { return items_.value(i); }
    int count() const { return items_.size(); }

signals:
    void clicked();

private:
    QButtonGroup* group_;
    QList<QRadioButton*> items_;
};

}  // namespace korvane::ui
