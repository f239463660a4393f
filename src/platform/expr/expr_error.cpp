#include "platform/expr/expr_error.h"

namespace {

QString ComposeMessage(const QString& detail, int position, const QString& expression)
{
    if (position < 0)
        return detail;
    // A whole report template line in a message box helps nobody.
    constexpr int shownLength = 200;
    const QString shown = expression.size() > shownLength
        ? expression.left(shownLength) + QStringLiteral("...")
        : expression;
    return QStringLiteral("Ошибка в выражении [%1]:\r\n%2 (позиция %3)")
        .arg(shown, detail, QString::number(position + 1));
}

} // namespace

TExprError::TExprError(const QString& detail, int position, const QString& expression)
    : TError(ComposeMessage(detail, position, expression)), DetailText(detail), Offset(position)
{
}
