// Key filter of the numeric input fields: digits, the point and control keys
// pass, a comma is typed as a point, every other character is swallowed.
// Minus signs and exponent letters therefore cannot be typed.
#pragma once

#include <QObject>
#include <functional>

namespace korvane::ui {

class DecimalKeyFilter : public QObject {
    Q_OBJECT
public:
    // `onCharacter` runs for every character key that reaches a filtered
    // widget, before the key is judged (keys without a character, such as the
    // arrows, do not count).
    explicit DecimalKeyFilter(std::function<void(QObject*)> onCharacter, QObject* parent = nullptr);

    // The judgement alone: 0 = swallow, the character to type otherwise.
    static QChar filtered(QChar c);

protected:
    bool eventFilter(QObject* obj, QEvent* ev) override;

private:
    std::function<void(QObject*)> m_onCharacter;
};

}  // namespace korvane::ui
