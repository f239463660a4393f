#include "platform/db/filter_cache.h"

#include <vector>

namespace {

// Marks a literal's place in a shape; the filter language rejects the character itself, and a
// text that holds it gets no shape.
constexpr QChar Mark(u'\x01');

// Splits a text into its shape and its literals with the same token boundaries as the parser;
// false when the text is one the parser would reject on reading (it is then compiled for its
// error message).
bool SplitShape(const QString& src, QString& shape, std::vector<TFilter::TLiteral>& literals)
{
    const qsizetype n = src.size();
    shape.reserve(n);
    qsizetype copied = 0; // the text before this is in the shape already
    auto literal = [&](qsizetype from, qsizetype to, TFilter::TLiteral lit) {
        shape += QStringView(src).mid(copied, from - copied);
        shape += Mark;
        shape += QLatin1Char(lit.Quoted ? 's' : 'n');
        literals.push_back(std::move(lit));
        copied = to;
    };
    qsizetype i = 0;
    while (i < n) {
        const QChar c = src[i];
        if (c == Mark)
            return false;
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype start = i++;
            bool closed = false, doubled = false;
            while (i < n) {
                if (src[i] == c) {
                    if (i + 1 < n && src[i + 1] == c) {
                        doubled = true;
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                if (src[i] == Mark)
                    return false;
                ++i;
            }
            if (!closed)
                return false;
            if (c == QLatin1Char('"'))
                continue; // a quoted field name is part of the shape
            QString text = src.mid(start + 1, i - start - 2);
            if (doubled)
                text.replace(QStringLiteral("''"), QStringLiteral("'"));
            literal(start, i, {true, std::move(text)});
        } else if (c.isDigit() || ((c == QLatin1Char('-') || c == QLatin1Char('+') || c == QLatin1Char('.')) &&
                                   i + 1 < n && (src[i + 1].isDigit() || src[i + 1] == QLatin1Char('.')))) {
            qsizetype j = i;
            if (src[j] == QLatin1Char('-') || src[j] == QLatin1Char('+'))
                ++j;
            while (j < n && (src[j].isDigit() || src[j] == QLatin1Char('.')))
                ++j;
            if (j < n && (src[j].isLetter() || src[j] == QLatin1Char('_')))
                return false;
            literal(i, j, {false, src.mid(i, j - i)});
            i = j;
        } else if (c.isLetter() || c == QLatin1Char('_')) {
            // A name, digits included, stays part of the shape.
            while (i < n && (src[i].isLetterOrNumber() || src[i] == QLatin1Char('_')))
                ++i;
        } else {
            ++i;
        }
    }
    shape += QStringView(src).mid(copied);
    return true;
}

} // namespace

std::shared_ptr<const TFilter> TFilterCache::Get(const QString& text, const TTableDef& def)
{
    QString shape;
    std::vector<TFilter::TLiteral> literals;
    if (!SplitShape(text, shape, literals))
        return TFilter::Compile(text, def);
    if (auto it = Shapes.constFind(shape); it != Shapes.constEnd())
        if (auto bound = (*it)->Bound(text, literals, def))
            return bound;
    auto filter = TFilter::Compile(text, def);
    if (Shapes.size() > 1024) // shapes typed by users in the filter dialogs come and go
        Shapes.clear();
    Shapes.insert(shape, filter);
    return filter;
}
