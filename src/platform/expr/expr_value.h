#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>
#include <concepts>

// A value of the expression language: what a variable, a function or an expression yields.
//
// Conversions follow what report templates of the Delphi era expect:
// - numbers print like FloatToStr under the system's format: at most 15 significant digits,
//   no trailing zeros, "," as decimal separator ("2,5", "500", "1E15");
// - text converts to a number when it is one, with "." or "," as separator, surrounding blanks
//   ignored; empty text counts as 0 (an empty catalogue field in a sum); other text is a type error;
// - booleans are 1 and 0 as numbers and "True" and "False" as text; a number is true when it
//   is not zero, a text when it reads "True" (any case) or a non-zero number;
// - dates are day counts since 30.12.1899 with the time as fraction (the TDateTime of the stored
//   files) and print as "dd.MM.yyyy", with " hh:mm:ss" when the time is not midnight;
// - the empty value (no value at all, e.g. a function that only acts) is 0, "" and false.
// A conversion that cannot be made throws TExprError.
class TExprValue
{
public:
    enum class TKind { Empty, Number, String, Boolean, Date };

    TExprValue() = default;
    TExprValue(double number) : Type(TKind::Number), Num(number) {}
    template <std::integral T>
        requires(!std::same_as<T, bool>)
    TExprValue(T number) : Type(TKind::Number), Num(static_cast<double>(number)) {}
    TExprValue(bool flag) : Type(TKind::Boolean), Num(flag ? 1 : 0) {}
    TExprValue(QString text) : Type(TKind::String), Str(std::move(text)) {}
    // A string literal must not silently become a boolean.
    TExprValue(const char*) = delete;

    static TExprValue FromDays(double days);
    static TExprValue FromDate(const QDate& date);
    static TExprValue FromDateTime(const QDateTime& dateTime);

    TKind Kind() const { return Type; }
    bool IsEmpty() const { return Type == TKind::Empty; }
    bool IsString() const { return Type == TKind::String; }

    double ToNumber() const;
    QString ToString() const;
    bool ToBool() const;
    // Rounded half to even, as Delphi converts a real to an integer; fails outside 64 bits.
    qint64 ToInteger() const;
    // Invalid when the value is no date and no number, or out of the calendar's range.
    QDateTime ToDateTime() const;

    // Same kind and same content; for tests and caches, not the language's "=".
    bool operator==(const TExprValue& other) const;

private:
    TExprValue(TKind kind, double number) : Type(kind), Num(number) {}

    TKind Type = TKind::Empty;
    double Num = 0;
    QString Str;
};

// Formats a number the way ToString does.
QString ExprNumberText(double number);
// Reads a number written with "." or "," as decimal separator; false when the text is none.
bool ExprParseNumber(const QString& text, double& number);
// The kind's name for messages ("число", "строка", ...).
QString ExprKindName(TExprValue::TKind kind);
