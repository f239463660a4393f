#pragma once

#include <QLineEdit>

enum TNumStyle { nsInteger, nsFloat };

// The edit of every numeric field. Typing lets through digits, a leading minus and, in the float
// style, one decimal separator; leaving the field completes the text ("" -> "0", exactly
// `Decimals` places in the float style).
class TNumEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit TNumEdit(QWidget* parent = nullptr);

    TNumStyle NumStyle() const { return Style; }
    void SetNumStyle(TNumStyle style);
    int Decimals() const { return DecimalPlaces; }
    void SetDecimals(int decimals);
    // Digits before the decimal separator; 0 means no limit.
    int Digits() const { return IntegerDigits; }
    void SetDigits(int digits);

    // The separator typed and shown: the process-wide formats' one.
    static QChar DecimalSeparator();

    double Value() const;
    void SetValue(double value);
    int IntValue() const;

    // The completion done on leaving the field; public so that dialogs can apply it before
    // reading a field that still has the focus.
    void Complete();
    static QString CompleteText(const QString& text, TNumStyle style, int decimals, QChar separator);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool AcceptsDigit() const;
    void UpdateValidator();

    TNumStyle Style = nsInteger;
    int DecimalPlaces = 2;
    int IntegerDigits = 0;
};
