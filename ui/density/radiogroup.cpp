#include "ui/density/radiogroup.h"

#include <QVBoxLayout>

namespace korvane::ui {

RadioGroup::RadioGroup(const QString& name, const QStringList& items, QWidget* parent)
    : QGroupBox(parent), group_(new QButtonGroup(this)) {
    setObjectName(name);
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(6, 2, 6, 2);
    lay->setSpacing(1);
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], this);
        b->setObjectName(QStringLiteral("%1_%2").arg(name).arg(i));
        group_->addButton(b, i);
        lay->addWidget(b);
        items_ << b;
        // A newly checked item is a change of the choice, by mouse or by program.
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on) emit clicked();
        });
    }
}

int RadioGroup::itemIndex() const { return group_->checkedId(); }

void RadioGroup::setItemIndex(int index) {
    if (index < 0 || index >= items_.size()) {
        group_->setExclusive(false);
        for (auto* b : items_) b->setChecked(false);
        group_->setExclusive(true);
        return;
    }
    items_[index]->setChecked(true);
}

void RadioGroup::setItems(const QStringList& items) {
    for (int i = 0; i < items_.size() && i < items.size(); ++i) items_[i]->setText(items[i]);
}

}  // namespace korvane::ui
