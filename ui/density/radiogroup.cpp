#include "ui/density/radiogroup.h"

#include <QVBoxLayout>

namespace korvane::ui {

RadioGroup::RadioGroup(const QString& name, const QStringList& items, QWidget* parent)
    : QGroupBox(parent), m_group(new QButtonGroup(this)) {
    setObjectName(name);
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(6, 2, 6, 2);
    lay->setSpacing(1);
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], this);
        b->setObjectName(QStringLiteral("%1_%2").arg(name).arg(i));
        m_group->addButton(b, i);
        lay->addWidget(b);
        m_items << b;
        // A newly checked item is a change of the choice, by mouse or by program.
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on) emit clicked();
        });
    }
}

int RadioGroup::itemIndex() const { return m_group->checkedId(); }

void RadioGroup::setItemIndex(int index) {
    if (index < 0 || index >= m_items.size()) {
        m_group->setExclusive(false);
        for (auto* b : m_items) b->setChecked(false);
        m_group->setExclusive(true);
        return;
    }
    m_items[index]->setChecked(true);
}

void RadioGroup::setItems(const QStringList& items) {
    for (int i = 0; i < m_items.size() && i < items.size(); ++i) m_items[i]->setText(items[i]);
}

}  // namespace korvane::ui
