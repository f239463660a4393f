#include "windows/num_edit.h"

#include <QKeyEvent>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include "foundation/formats.h"

QChar TNumEdit::DecimalSeparator() { return Formats().DecimalSeparator(); }

TNumEdit::TNumEdit(QWidget* parent) : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    UpdateValidator();
}

void TNumEdit::SetNumStyle(TNumStyle style)
{
    Style = style;
    UpdateValidator();
}

void TNumEdit::SetDecimals(int decimals)
{
    DecimalPlaces = qMax(0, decimals);
    UpdateValidator();
}

void TNumEdit::SetDigits(int digits)
{
    IntegerDigits = qMax(0, digits);
    UpdateValidator();
}

// Typing is filtered key by key below; the validator guards what arrives otherwise (paste,
// drag and drop), so the field never holds something that is not a number.
void TNumEdit::UpdateValidator()
{
    const QString intPart = IntegerDigits > 0 ? QStringLiteral("\\d{0,%1}").arg(IntegerDigits) : QStringLiteral("\\d*");
    QString pattern = QStringLiteral("-?") + intPart;
    if (Style == nsFloat && DecimalPlaces > 0)
        pattern += QStringLiteral("(%1\\d{0,%2})?")
                       .arg(QRegularExpression::escape(QString(DecimalSeparator())))
                       .arg(DecimalPlaces);
    setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), this));
}

bool TNumEdit::AcceptsDigit() const
{
    if (hasSelectedText())
        return true;
    const QString current = text();
    const int separatorAt = current.indexOf(DecimalSeparator());
    const int caret = cursorPosition();
    if (separatorAt >= 0 && caret > separatorAt) {
        const int decimals = static_cast<int>(current.size()) - separatorAt - 1;
        return decimals < DecimalPlaces;
    }
    if (IntegerDigits <= 0)
        return true;
    const QString intPart = separatorAt >= 0 ? current.left(separatorAt) : current;
    int digits = 0;
    for (QChar c : intPart)
        digits += c.isDigit() ? 1 : 0;
    return digits < IntegerDigits;
}

void TNumEdit::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    const bool plainChar = typed.size() == 1 && typed.at(0).isPrint() &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (!plainChar) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QChar c = typed.at(0);
    if (c.isDigit()) {
        if (AcceptsDigit())
            QLineEdit::keyPressEvent(event);
        return;
    }
    if (c == QLatin1Char('-')) {
        const int start = hasSelectedText() ? selectionStart() : cursorPosition();
        const QString rest = hasSelectedText() ? text().remove(selectionStart(), selectedText().size()) : text();
        if (start == 0 && !rest.startsWith(QLatin1Char('-')))
            insert(QStringLiteral("-"));
        return;
    }
    // Both the point and the comma keys type the separator, whichever the formats use.
    if (Style == nsFloat && DecimalPlaces > 0 && (c == DecimalSeparator() || c == QLatin1Char('.') || c == QLatin1Char(','))) {
        const int existing = text().indexOf(DecimalSeparator());
        const bool existingSelected =
            hasSelectedText() && existing >= selectionStart() && existing < selectionStart() + selectedText().size();
        if (existing >= 0 && !existingSelected)
            setCursorPosition(existing + 1);
        else
            insert(QString(DecimalSeparator()));
        return;
    }
    event->accept();
}

void TNumEdit::focusOutEvent(QFocusEvent* event)
{
    Complete();
    QLineEdit::focusOutEvent(event);
}

void TNumEdit::Complete()
{
    const QString completed = CompleteText(text(), Style, DecimalPlaces, DecimalSeparator());
    if (completed != text())
        setText(completed);
}

QString TNumEdit::CompleteText(const QString& text, TNumStyle style, int decimals, QChar separator)
{
    QString result = text;
    if (result.isEmpty() || result == QStringLiteral("-"))
        result = QStringLiteral("0");
    if (style != nsFloat)
        return result;
    const bool negative = result.startsWith(QLatin1Char('-'));
    if (negative)
        result.remove(0, 1);
    int at = result.indexOf(separator);
    if (at < 0) {
        result += separator;
        at = static_cast<int>(result.size()) - 1;
    }
    if (at == 0) {
        result.prepend(QLatin1Char('0'));
        ++at;
    }
    QString fraction = result.mid(at + 1).left(decimals);
    fraction = fraction.leftJustified(decimals, QLatin1Char('0'));
    result = result.left(at);
    if (decimals > 0)
        result += separator + fraction;
    return negative ? QLatin1Char('-') + result : result;
}

double TNumEdit::Value() const
{
    QString plain = CompleteText(text(), Style, DecimalPlaces, DecimalSeparator());
    plain.replace(DecimalSeparator(), QLatin1Char('.'));
    return plain.toDouble();
}

int TNumEdit::IntValue() const { return qRound(Value()); }

void TNumEdit::SetValue(double value)
{
    if (Style == nsFloat) {
        QString shown = QString::number(value, 'f', DecimalPlaces);
        shown.replace(QLatin1Char('.'), DecimalSeparator());
        setText(shown);
    } else {
        setText(QString::number(qRound64(value)));
    }
}
