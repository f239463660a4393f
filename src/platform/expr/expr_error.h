#pragma once

#include "foundation/error.h"

// A formula or template expression that cannot be read or evaluated: a syntax error, an unknown
// name, a value of the wrong type, a division by zero or an overflow. The message names the
// expression and the 1-based position of the fault, e.g.
// "Ошибка в выражении [FFB / 0]:\r\nделение на ноль (позиция 5)".
class TExprError : public TError
{
public:
    // Without a position the message is the bare detail (a conversion outside any expression).
    explicit TExprError(const QString& detail, int position = -1, const QString& expression = {});

    const QString& Detail() const { return DetailText; }
    // 0-based offset into the expression text, -1 when unknown.
    int Position() const { return Offset; }

private:
    QString DetailText;
    int Offset;
};
