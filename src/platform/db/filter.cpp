#include "platform/db/filter.h"

#include <QDate>

#include "foundation/cp1251.h"
#include "foundation/error.h"

namespace {
// A quoted text set against a numeric field: a number, or a day number for a date field.
bool TextAsNumber(const TFieldDef& def, const QString& text, double& out)
{
    if (def.Type == TFieldType::Date) {
        QDate d = QDate::fromString(text, QStringLiteral("dd.MM.yyyy"));
        if (!d.isValid())
            d = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
        out = d.isValid() ? static_cast<double>(d.toJulianDay()) : 0;
        return d.isValid();
    }
    bool ok = false;
    out = text.trimmed().toDouble(&ok);
    return ok;
}

// A number as written in a filter; whole numbers, the engine's sizes and codes, are read
// directly, which gives the same value as the general conversion.
bool NumberLiteral(const QString& text, double& out)
{
    const qsizetype n = text.size();
    qsizetype i = n > 0 && (text[0] == QLatin1Char('-') || text[0] == QLatin1Char('+')) ? 1 : 0;
    if (n - i < 1 || n - i > 15) {
        bool ok = false;
        out = text.toDouble(&ok);
        return ok;
    }
    const bool negative = text[0] == QLatin1Char('-');
    qint64 v = 0;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9') {
            bool ok = false;
            out = text.toDouble(&ok);
            return ok;
        }
        v = v * 10 + (c - u'0');
    }
    out = negative ? -static_cast<double>(v) : static_cast<double>(v);
    return true;
}

enum class TTok { End, Name, QuotedName, String, Number, Op, LParen, RParen, And, Or, Not };

struct TToken
{
    TTok Kind = TTok::End;
    QString Text;
    qsizetype Pos = 0; // 1-based position in the filter text
};
} // namespace

// Recursive descent over the token list; every failure names the position in the text.
class TFilterParser
{
public:
    TFilterParser(const QString& text, const TTableDef& def, TFilter& out) : Src(text), Def(def), Out(out) {}

    void Run()
    {
        Tokenize();
        if (Tokens.front().Kind == TTok::End)
            return; // a blank filter lets every row through
        Out.Root = ParseOr();
        if (Cur().Kind != TTok::End)
            Fail(QStringLiteral("лишний текст"), Cur());
        Out.CollectEqualities(Out.Root);
    }

private:
    [[noreturn]] void Fail(const QString& what, const TToken& at) const
    {
        const QString where = at.Kind == TTok::End ? QStringLiteral("в конце выражения")
                                                   : QStringLiteral("в позиции %1").arg(at.Pos);
        throw TError(QStringLiteral("Ошибка в выражении фильтра %1: %2\r\nФильтр: %3").arg(where, what, Src));
    }

    void Tokenize()
    {
        qsizetype i = 0;
        const qsizetype n = Src.size();
        while (true) {
            while (i < n && Src[i].isSpace())
                ++i;
            TToken t;
            t.Pos = i + 1;
            if (i >= n) {
                Tokens.push_back(t);
                return;
            }
            const QChar c = Src[i];
            if (c == QLatin1Char('(') || c == QLatin1Char(')')) {
                t.Kind = c == QLatin1Char('(') ? TTok::LParen : TTok::RParen;
                ++i;
            } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
                t.Kind = c == QLatin1Char('\'') ? TTok::String : TTok::QuotedName;
                ++i;
                bool closed = false;
                while (i < n) {
                    if (Src[i] == c) {
                        if (i + 1 < n && Src[i + 1] == c) {
                            t.Text += c;
                            i += 2;
                            continue;
                        }
                        ++i;
                        closed = true;
                        break;
                    }
                    t.Text += Src[i++];
                }
                if (!closed)
                    Fail(c == QLatin1Char('\'') ? QStringLiteral("не закрыта кавычка текста")
                                                : QStringLiteral("не закрыта кавычка имени поля"),
                         t);
            } else if (c.isDigit() || ((c == QLatin1Char('-') || c == QLatin1Char('+') || c == QLatin1Char('.')) &&
                                       i + 1 < n && (Src[i + 1].isDigit() || Src[i + 1] == QLatin1Char('.')))) {
                t.Kind = TTok::Number;
                qsizetype j = i;
                if (Src[j] == QLatin1Char('-') || Src[j] == QLatin1Char('+'))
                    ++j;
                while (j < n && (Src[j].isDigit() || Src[j] == QLatin1Char('.')))
                    ++j;
                if (j < n && (Src[j].isLetter() || Src[j] == QLatin1Char('_')))
                    Fail(QStringLiteral("неверное число"), t);
                t.Text = Src.mid(i, j - i);
                i = j;
            } else if (c == QLatin1Char('=') || c == QLatin1Char('<') || c == QLatin1Char('>') || c == QLatin1Char('!')) {
                t.Kind = TTok::Op;
                t.Text = c;
                ++i;
                if (i < n && (Src[i] == QLatin1Char('=') || (c == QLatin1Char('<') && Src[i] == QLatin1Char('>')))) {
                    t.Text += Src[i];
                    ++i;
                }
                if (t.Text == QLatin1String("!"))
                    Fail(QStringLiteral("неизвестная операция \"!\""), t);
            } else if (c.isLetter() || c == QLatin1Char('_')) {
                qsizetype j = i;
                while (j < n && (Src[j].isLetterOrNumber() || Src[j] == QLatin1Char('_')))
                    ++j;
                t.Text = Src.mid(i, j - i);
                i = j;
                const QString low = t.Text.toLower();
                t.Kind = low == QLatin1String("and") ? TTok::And
                         : low == QLatin1String("or") ? TTok::Or
                         : low == QLatin1String("not") ? TTok::Not
                                                       : TTok::Name;
            } else {
                Fail(QStringLiteral("недопустимый символ \"%1\"").arg(c), t);
            }
            Tokens.push_back(t);
        }
    }

    const TToken& Cur() const { return Tokens[Pos]; }
    const TToken& Take() { return Tokens[Pos < Tokens.size() - 1 ? Pos++ : Pos]; }

    int Add(TFilter::TNode node)
    {
        Out.Nodes.push_back(std::move(node));
        return static_cast<int>(Out.Nodes.size() - 1);
    }

    int ParseOr()
    {
        int left = ParseAnd();
        while (Cur().Kind == TTok::Or) {
            Take();
            TFilter::TNode n;
            n.Kind = TFilter::TNode::Or;
            n.Left = left;
            n.Right = ParseAnd();
            left = Add(std::move(n));
        }
        return left;
    }

    int ParseAnd()
    {
        int left = ParseNot();
        while (Cur().Kind == TTok::And) {
            Take();
            TFilter::TNode n;
            n.Kind = TFilter::TNode::And;
            n.Left = left;
            n.Right = ParseNot();
            left = Add(std::move(n));
        }
        return left;
    }

    int ParseNot()
    {
        if (Cur().Kind == TTok::Not) {
            Take();
            TFilter::TNode n;
            n.Kind = TFilter::TNode::Not;
            n.Left = ParseNot();
            return Add(std::move(n));
        }
        if (Cur().Kind == TTok::LParen) {
            const TToken open = Take();
            const int inner = ParseOr();
            if (Cur().Kind != TTok::RParen)
                Fail(QStringLiteral("ожидается \")\" к скобке в позиции %1").arg(open.Pos), Cur());
            Take();
            return inner;
        }
        return ParseComparison();
    }

    TFilter::TOperand ParseOperand()
    {
        const TToken t = Take();
        TFilter::TOperand o;
        switch (t.Kind) {
        case TTok::Name:
        case TTok::QuotedName: {
            o.Field = Def.FieldIndex(t.Text);
            if (o.Field < 0)
                throw TError(QStringLiteral("Поле [%1] не найдено в таблице %2 (позиция %3)\r\nФильтр: %4")
                                 .arg(t.Text, Def.FileName)
                                 .arg(t.Pos)
                                 .arg(Src));
            o.IsText = IsTextType(Def.Fields[o.Field].Type);
            return o;
        }
        case TTok::String:
            o.IsText = true;
            o.Text = t.Text;
            o.Literal = Out.LiteralCount++;
            return o;
        case TTok::Number: {
            bool ok = false;
            o.Literal = Out.LiteralCount++;
            o.Num = t.Text.toDouble(&ok);
            if (!ok)
                Fail(QStringLiteral("неверное число \"%1\"").arg(t.Text), t);
            return o;
        }
        default:
            Fail(QStringLiteral("ожидается имя поля или значение"), t);
        }
    }

    // A literal set against a field takes the field's kind: text for text fields, a number
    // (dates as day numbers) for the others.
    void Coerce(const TFilter::TOperand& field, TFilter::TOperand& lit, const TToken& at)
    {
        if (field.Field < 0 || lit.Field >= 0 || field.IsText == lit.IsText)
            return;
        const TFieldDef& def = Def.Fields[field.Field];
        if (field.IsText)
            Fail(QStringLiteral("поле [%1] текстовое, а значение числовое").arg(def.Name), at);
        if (!TextAsNumber(def, lit.Text, lit.Num))
            Fail(def.Type == TFieldType::Date
                     ? QStringLiteral("неверная дата '%1' для поля [%2]").arg(lit.Text, def.Name)
                     : QStringLiteral("поле [%1] числовое, а значение '%2' не число").arg(def.Name, lit.Text),
                 at);
        lit.IsText = false;
    }

    int ParseComparison()
    {
        const TToken start = Cur();
        TFilter::TNode n;
        n.A = ParseOperand();
        const TToken op = Take();
        if (op.Kind != TTok::Op)
            Fail(QStringLiteral("ожидается операция сравнения"), op);
        static const std::pair<const char*, TFilter::TOp> ops[] = {
            {"=", TFilter::TOp::Eq},  {"==", TFilter::TOp::Eq}, {"<>", TFilter::TOp::Ne}, {"!=", TFilter::TOp::Ne},
            {"<", TFilter::TOp::Lt},  {">", TFilter::TOp::Gt},  {"<=", TFilter::TOp::Le}, {">=", TFilter::TOp::Ge}};
        bool known = false;
        for (const auto& [text, code] : ops)
            if (op.Text == QLatin1String(text)) {
                n.Op = code;
                known = true;
            }
        if (!known)
            Fail(QStringLiteral("неизвестная операция \"%1\"").arg(op.Text), op);
        const TToken second = Cur();
        n.B = ParseOperand();
        if (n.A.Field < 0 && n.B.Field < 0)
            Fail(QStringLiteral("сравнение двух значений без поля"), start);
        Coerce(n.A, n.B, second);
        Coerce(n.B, n.A, start);
        if (n.A.IsText != n.B.IsText)
            Fail(QStringLiteral("сравнение текста с числом"), start);
        return Add(std::move(n));
    }

    const QString& Src;
    const TTableDef& Def;
    TFilter& Out;
    std::vector<TToken> Tokens;
    size_t Pos = 0;
};

std::shared_ptr<const TFilter> TFilter::Compile(const QString& text, const TTableDef& def)
{
    auto filter = std::make_shared<TFilter>();
    filter->Source = text;
    TFilterParser(text, def, *filter).Run();
    return filter;
}

std::shared_ptr<const TFilter> TFilter::Bound(const QString& text, const std::vector<TLiteral>& literals,
                                              const TTableDef& def) const
{
    if (static_cast<int>(literals.size()) != LiteralCount)
        return nullptr;
    auto filter = std::make_shared<TFilter>(*this);
    filter->Source = text;
    for (TNode& n : filter->Nodes) {
        if (n.Kind != TNode::Cmp)
            continue;
        for (auto [lit, other] : {std::pair{&n.A, &n.B}, std::pair{&n.B, &n.A}}) {
            if (lit->Literal < 0)
                continue;
            const TLiteral& value = literals[static_cast<size_t>(lit->Literal)];
            if (!value.Quoted) {
                if (!NumberLiteral(value.Text, lit->Num))
                    return nullptr;
            } else {
                lit->Text = value.Text;
                if (!lit->IsText && !TextAsNumber(def.Fields[other->Field], value.Text, lit->Num))
                    return nullptr;
            }
        }
    }
    filter->TopEqualities.clear();
    if (filter->Root >= 0)
        filter->CollectEqualities(filter->Root);
    return filter;
}

void TFilter::CollectEqualities(int node)
{
    const TNode& n = Nodes[static_cast<size_t>(node)];
    if (n.Kind == TNode::And) {
        CollectEqualities(n.Left);
        CollectEqualities(n.Right);
    } else if (n.Kind == TNode::Cmp && n.Op == TOp::Eq && (n.A.Field < 0) != (n.B.Field < 0)) {
        const TOperand& field = n.A.Field >= 0 ? n.A : n.B;
        const TOperand& lit = n.A.Field >= 0 ? n.B : n.A;
        TopEqualities.push_back({field.Field, lit.IsText, lit.Text, lit.Num});
    }
}

bool TFilter::Matches(const std::vector<TColumn>& columns, size_t slot) const
{
    return Root < 0 || Eval(Root, columns, slot);
}

namespace {
template <typename T>
bool Compare(const T& a, const T& b, TFilter::TOp op)
{
    switch (op) {
    case TFilter::TOp::Eq: return a == b;
    case TFilter::TOp::Ne: return !(a == b);
    case TFilter::TOp::Lt: return a < b;
    case TFilter::TOp::Gt: return b < a;
    case TFilter::TOp::Le: return !(b < a);
    case TFilter::TOp::Ge: return !(a < b);
    }
    return false;
}
} // namespace

bool TFilter::Eval(int node, const std::vector<TColumn>& columns, size_t slot) const
{
    const TNode& n = Nodes[static_cast<size_t>(node)];
    switch (n.Kind) {
    case TNode::And: return Eval(n.Left, columns, slot) && Eval(n.Right, columns, slot);
    case TNode::Or: return Eval(n.Left, columns, slot) || Eval(n.Right, columns, slot);
    case TNode::Not: return !Eval(n.Left, columns, slot);
    case TNode::Cmp: break;
    }
    if (n.A.IsText) {
        const QString& a = n.A.Field >= 0 ? columns[static_cast<size_t>(n.A.Field)].Text[slot] : n.A.Text;
        const QString& b = n.B.Field >= 0 ? columns[static_cast<size_t>(n.B.Field)].Text[slot] : n.B.Text;
        if (n.Op == TOp::Eq)
            return a == b;
        if (n.Op == TOp::Ne)
            return a != b;
        // Order of text follows the bytes of the code page the catalogue is kept in.
        return Compare(ToCp1251(a), ToCp1251(b), n.Op);
    }
    const double a = n.A.Field >= 0 ? columns[static_cast<size_t>(n.A.Field)].Num[slot] : n.A.Num;
    const double b = n.B.Field >= 0 ? columns[static_cast<size_t>(n.B.Field)].Num[slot] : n.B.Num;
    return Compare(a, b, n.Op);
}
