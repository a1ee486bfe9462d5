#include "ui/density/keyfilter.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace korvane::ui {

DecimalKeyFilter::DecimalKeyFilter(std::function<void(QObject*)> onCharacter, QObject* parent)
    : QObject(parent), m_onCharacter(std::move(onCharacter)) {}

QChar DecimalKeyFilter::filtered(QChar c) {
    if (c == QLatin1Char(',')) return QLatin1Char('.');
    if (c.unicode() < 32 || c == QLatin1Char('.') || (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
        return c;
    return QChar();
}

bool DecimalKeyFilter::eventFilter(QObject* obj, QEvent* ev) {
    if (ev->type() != QEvent::KeyPress) return false;
    auto* ke = static_cast<QKeyEvent*>(ev);
    const QString text = ke->text();
    // Keys without a character (arrows, Delete, function keys) and shortcuts
    // such as Ctrl+C pass untouched: only typed characters are filtered.
    if (text.isEmpty()) return false;
    if (m_onCharacter) m_onCharacter(obj);
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
