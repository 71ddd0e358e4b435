#include "app/controls/NumericEdit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

namespace kalvo {

namespace {

// Characters that may be typed: signs, ASCII digits, the decimal separator and control
// characters. Enter passes on to the dialog's default button.
bool acceptable(QChar c)
{
    if (c.unicode() < 0x20 || c.unicode() == 0x7F)
        return true;
    if ((c >= '0' && c <= '9') || c == '+' || c == '-')
        return true;
    const QString separator = QLocale().decimalPoint();
    return !separator.isEmpty() && c == separator.at(0);
}

} // namespace

TpxNumericEdit::TpxNumericEdit(QWidget* parent) : QLineEdit(parent)
{
    setText(QStringLiteral("0"));
    connect(this, &QLineEdit::textChanged, this, &TpxNumericEdit::Change);
}

void TpxNumericEdit::SetRange(int minValue, int maxValue)
{
    FMinValue = minValue;
    FMaxValue = maxValue;
}

void TpxNumericEdit::SetDecimals(int decimals)
{
    const int value = Value();
    FDecimals = std::clamp(decimals, 0, 6);
    SetValue(value);
}

bool TpxNumericEdit::parse(long long& value) const
{
    bool ok = false;
    const QString typed = text().trimmed();
    if (FDecimals == 0) {
        value = typed.toLongLong(&ok, 10);
        return ok;
    }
    QString plain = typed;
    const QString separator = QLocale().decimalPoint();
    if (!separator.isEmpty() && separator != QStringLiteral("."))
        plain.replace(separator, QStringLiteral("."));
    const double number = QLocale::c().toDouble(plain, &ok) * std::pow(10.0, FDecimals);
    if (!ok || !std::isfinite(number) || std::fabs(number) > 1e15)
        return false;
    value = std::llround(number);
    return true;
}

int TpxNumericEdit::Value() const
{
    long long v = 0;
    if (!parse(v) || v < INT_MIN || v > INT_MAX)
        return FMinValue;
    return int(v);
}

int TpxNumericEdit::limit(long long value) const
{
    if (FMinValue != FMaxValue) {
        if (value < FMinValue)
            value = FMinValue;
        if (value > FMaxValue)
            value = FMaxValue;
    }
    return int(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

void TpxNumericEdit::SetValue(int value)
{
    const int limited = limit(value);
    if (FDecimals == 0)
        setText(QString::number(limited));
    else
        setText(QString::number(limited / std::pow(10.0, FDecimals), 'f', FDecimals));
}

void TpxNumericEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Up) {
        SetValue(limit(static_cast<long long>(Value()) + 1));
        return;
    }
    if (event->key() == Qt::Key_Down) {
        SetValue(limit(static_cast<long long>(Value()) - 1));
        return;
    }
    const QString typed = event->text();
    if (!typed.isEmpty() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        && !std::all_of(typed.begin(), typed.end(), [](QChar c) { return acceptable(c); })) {
        QApplication::beep();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TpxNumericEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    const bool resumed = std::exchange(FFocusLostToDisable, false);
    if (FAutoSelect && !resumed && event->reason() != Qt::MouseFocusReason)
        QTimer::singleShot(0, this, &QLineEdit::selectAll);
}

void TpxNumericEdit::focusOutEvent(QFocusEvent* event)
{
    if (!isEnabled()) {
        FFocusLostToDisable = true;
        QLineEdit::focusOutEvent(event);
        return;
    }
    FFocusLostToDisable = false;
    const int read = Value();
    const int limited = limit(read);
    long long parsed = 0;
    if (limited != read || !parse(parsed))
        SetValue(limited);
    QLineEdit::focusOutEvent(event);
}

} // namespace kalvo
