#include "foundation/text_helpers.h"

#include <QCoreApplication>

namespace {

bool IsSeparator(QChar c, const QString& separators)
{
    return separators.contains(c);
}

} // namespace

int TokenCount(const QString& text, const QString& separators)
{
    if (text.isEmpty())
        return 0;
    int count = 1;
    for (const QChar c : text)
        if (IsSeparator(c, separators))
            ++count;
    return count;
}

QString Token(const QString& text, int n, const QString& separators, bool trim)
{
    if (n < 1)
        return {};
    int current = 1;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i == text.size() || IsSeparator(text[i], separators)) {
            if (current == n) {
                const QString token = text.mid(start, i - start);
                return trim ? token.trimmed() : token;
            }
            ++current;
            start = i + 1;
        }
    }
    return {};
}

bool TokenIn(const QString& text, const QString& item, const QString& separators)
{
    const int count = TokenCount(text, separators);
    for (int i = 1; i <= count; ++i)
        if (Token(text, i, separators, true) == item)
            return true;
    return false;
}

QString AppendItem(const QString& list, const QString& item, const QString& separator, bool unique)
{
    if (list.isEmpty())
        return item;
    if (unique && TokenIn(list, item, separator))
        return list;
    return list + separator + item;
}

QString ReplaceText(const QString& text, const QString& oldText, const QString& newText,
                    bool ignoreCase, bool firstOnly)
{
    if (oldText.isEmpty() || oldText == newText)
        return text;
    const Qt::CaseSensitivity cs = ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
    QString result;
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = text.indexOf(oldText, from, cs);
        if (at < 0)
            break;
        result += QStringView(text).mid(from, at - from);
        result += newText;
        from = at + oldText.size();
        if (firstOnly)
            break;
    }
    if (from == 0)
        return text;
    result += QStringView(text).mid(from);
    return result;
}

QString RemoveBlanks(const QString& text)
{
    QString result = text;
    result.remove(u' ');
    return result.isEmpty() ? QStringLiteral("0") : result;
}

QString PadRight(const QString& text, int width, bool trim, QChar fill)
{
    if (width < 1)
        return {};
    const QString source = trim ? text.trimmed() : text;
    return source.leftJustified(width, fill, true);
}

QString PadLeft(const QString& text, int width, bool trim, QChar fill)
{
    if (width < 1)
        return {};
    const QString source = trim ? text.trimmed() : text;
    if (source.size() >= width)
        return source.right(width);
    return source.rightJustified(width, fill);
}

const QString ForbiddenFileNameChars = QStringLiteral("\\/:*?,;\"`!(){}[]<>|%'");

QString ReplaceForbiddenChars(const QString& text, QChar replacement, bool alsoFullStop)
{
    QString result = text;
    for (QChar& c : result)
        if (ForbiddenFileNameChars.contains(c) || (alsoFullStop && c == u'.'))
            c = replacement;
    return result;
}

int StrToIntOrZero(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? value : 0;
}

int HexToByte(const QString& pair)
{
    if (pair.isEmpty() || pair.size() > 2)
        return -1;
    int value = 0;
    for (const QChar c : pair) {
        const char16_t u = c.unicode();
        int digit;
        if (u >= u'0' && u <= u'9')
            digit = u - u'0';
        else if (u >= u'A' && u <= u'F')
            digit = u - u'A' + 10;
        else if (u >= u'a' && u <= u'f')
            digit = u - u'a' + 10;
        else
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

bool HasSwitch(const QStringList& arguments, const QString& commandSwitch)
{
    if (commandSwitch.isEmpty())
        return false;
    const QString wanted = commandSwitch.toUpper();
    for (const QString& argument : arguments)
        if (argument.toUpper().contains(wanted))
            return true;
    return false;
}

bool HasSwitch(const QString& commandSwitch)
{
    if (!QCoreApplication::instance())
        return false;
    return HasSwitch(QCoreApplication::arguments().mid(1), commandSwitch);
}

QString ExecutableVersion()
{
    if (QCoreApplication::instance()) {
        const QString version = QCoreApplication::applicationVersion();
        if (!version.isEmpty())
            return version;
    }
#ifdef DIRAVIR_VERSION
    return QStringLiteral(DIRAVIR_VERSION);
#else
    return {};
#endif
}
