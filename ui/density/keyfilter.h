// The number fields of the parameter form and the density grid: they take
// what a user can type into a decimal number, digits and one point, and
// nothing else, however the text arrives (keys, paste, drag and drop, undo).
#pragma once

#include <QObject>
#include <QValidator>
#include <functional>

class QLineEdit;

namespace korvane::ui {

// Judges the whole text of a number field after every change: a comma (typed
// or pasted, e.g. from a German spreadsheet) becomes a point and blanks at
// the ends of a pasted text are dropped; then only digits and at most one
// point are acceptable. A change that would leave anything else is refused
// whole, so a pasted "-1" or "1e3" leaves the field as it was.
class DecimalValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

// True when `text` is what typing can produce: digits and at most one point.
bool isTypeableNumber(const QString& text);

// Makes `e` a number field: the validator above, and a guard for the one way
// around it. A field that shows a number the program wrote with a sign or an
// exponent (a value read from a file) is not valid to the validator, and Qt
// then takes an edit of it unchecked; such an edited text is cut down to its
// digits and first point at once.
void makeNumberField(QLineEdit* e);

// Key filter of the number fields: notices every key that carries a
// character (the parameter form ends its showing phase with it, the density
// window disables OK) and swallows printable characters that cannot belong
// to a number before they reach the field. Control characters pass: Backspace,
// Delete (U+007F on X11), Return, and the shortcuts Ctrl+A/C/X/V/Z.
class DecimalKeyFilter : public QObject {
    Q_OBJECT
public:
    explicit DecimalKeyFilter(std::function<void(QObject*)> onCharacter, QObject* parent = nullptr);

    // The judgement of a typed character alone: 0 = swallow, else the
    // character to type (a comma is typed as a point).
    static QChar filtered(QChar c);

protected:
    bool eventFilter(QObject* obj, QEvent* ev) override;

private:
    std::function<void(QObject*)> onCharacter_;
};

}  // namespace korvane::ui
