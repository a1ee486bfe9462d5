#include "ui/density/keyfilter.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

namespace korvane::ui {

namespace {

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
bool isBlank(QChar c) { return c.isSpace(); }

}  // namespace

bool isTypeableNumber(const QString& text) {
    int points = 0;
    for (QChar c : text) {
        if (c == QLatin1Char('.')) ++points;
        else if (!isDigit(c)) return false;
    }
    return points <= 1;
}

QValidator::State DecimalValidator::validate(QString& input, int& pos) const {
    input.replace(QLatin1Char(','), QLatin1Char('.'));
    int lead = 0;
    while (lead < input.size() && isBlank(input.at(lead))) ++lead;
    int trail = input.size();
    while (trail > lead && isBlank(input.at(trail - 1))) --trail;
    if (lead > 0 || trail < input.size()) {
        input = input.mid(lead, trail - lead);
        pos = std::clamp(pos - lead, 0, static_cast<int>(input.size()));
    }
    return isTypeableNumber(input) ? Acceptable : Invalid;
}

void makeNumberField(QLineEdit* e) {
    e->setValidator(new DecimalValidator(e));
    QObject::connect(e, &QLineEdit::textEdited, e, [e](const QString& text) {
        if (isTypeableNumber(text)) return;
        QString kept;
        bool point = false;
        for (QChar c : text) {
            if (c == QLatin1Char(',')) c = QLatin1Char('.');
            if (isDigit(c) || (c == QLatin1Char('.') && !point)) {
                point = point || c == QLatin1Char('.');
                kept += c;
            }
        }
        const int cursor = std::min(e->cursorPosition(), static_cast<int>(kept.size()));
        e->setText(kept);
        e->setCursorPosition(cursor);
    });
}

DecimalKeyFilter::DecimalKeyFilter(std::function<void(QObject*)> onCharacter, QObject* parent)
    : QObject(parent), onCharacter_(std::move(onCharacter)) {}

QChar DecimalKeyFilter::filtered(QChar c) {
    if (c == QLatin1Char(',')) return QLatin1Char('.');
    if (!c.isPrint() || c == QLatin1Char('.') || isDigit(c)) return c;
    return QChar();
}

bool DecimalKeyFilter::eventFilter(QObject* obj, QEvent* ev) {
    if (ev->type() != QEvent::KeyPress) return false;
    auto* ke = static_cast<QKeyEvent*>(ev);
    const QString text = ke->text();
    // Keys without a character (arrows, Home, End, function keys) pass
    // untouched and do not count as typing.
    if (text.isEmpty()) return false;
    if (onCharacter_) onCharacter_(obj);
    // Shortcuts (Ctrl+A/C/X/V/Z, Alt+letter) belong to the field or the window.
    if (ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QChar c = text.at(0);
    const QChar out = filtered(c);
    if (out.isNull()) return true;
    if (out == c) return false;
    // The comma: type a point instead (the point passes this filter).
    QKeyEvent point(QEvent::KeyPress, Qt::Key_Period, ke->modifiers(), QStringLiteral("."),
                    ke->isAutoRepeat(), 1);
    QCoreApplication::sendEvent(obj, &point);
    return true;
}

}  // namespace korvane::ui
