#include <cmath>

#include "platform/expr/expr_error.h"
#include "platform/expr/expr_program.h"
#include "platform/expr/expression.h"

namespace {

enum class TTok {
    End,
    Number,
    String,
    Name,
    True,
    False,
    And,
    Or,
    Not,
    Div,
    Mod,
    Plus,
    Minus,
    Star,
    Slash,
    Equal,
    NotEqual,
    Less,
    Greater,
    LessEqual,
    GreaterEqual,
    Open,
    Close,
    OpenBracket,
    CloseBracket,
    Comma,
};

struct TToken
{
    TTok Kind = TTok::End;
    int Start = 0;
    int End = 0;
    QString Text;    // a name or the content of a string
    double Number = 0;
};

bool IsNameStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_');
}

bool IsNamePart(QChar c)
{
    return c.isLetterOrNumber() || c.isMark() || c == QLatin1Char('_');
}

bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

class TLexer
{
public:
    explicit TLexer(const QString& text) : Text(text) {}

    TToken Next()
    {
        while (Pos < Text.size() && Text.at(Pos).isSpace())
            ++Pos;
        TToken t;
        t.Start = static_cast<int>(Pos);
        if (Pos >= Text.size()) {
            t.End = t.Start;
            return t;
        }
        const QChar c = Text.at(Pos);
        if (IsDigit(c))
            ReadNumber(t);
        else if (c == QLatin1Char('\''))
            ReadString(t);
        else if (IsNameStart(c))
            ReadName(t);
        else
            ReadSymbol(t, c);
        t.End = static_cast<int>(Pos);
        return t;
    }

    [[noreturn]] void Fail(const QString& detail, qsizetype position) const
    {
        throw TExprError(detail, static_cast<int>(position), Text);
    }

private:
    void ReadNumber(TToken& t)
    {
        const qsizetype start = Pos;
        while (Pos < Text.size() && IsDigit(Text.at(Pos)))
            ++Pos;
        if (Pos + 1 < Text.size() && Text.at(Pos) == QLatin1Char('.') && IsDigit(Text.at(Pos + 1))) {
            ++Pos;
            while (Pos < Text.size() && IsDigit(Text.at(Pos)))
                ++Pos;
        }
        bool ok = false;
        t.Number = Text.mid(start, Pos - start).toDouble(&ok);
        if (!ok || !std::isfinite(t.Number))
            Fail(QStringLiteral("число вне допустимого диапазона"), start);
        t.Kind = TTok::Number;
    }

    void ReadString(TToken& t)
    {
        const qsizetype start = Pos++;
        for (;;) {
            if (Pos >= Text.size())
                Fail(QStringLiteral("не закрыта строка"), start);
            const QChar c = Text.at(Pos++);
            if (c != QLatin1Char('\'')) {
                t.Text.append(c);
            } else if (Pos < Text.size() && Text.at(Pos) == QLatin1Char('\'')) {
                t.Text.append(c);
                ++Pos;
            } else {
                break;
            }
        }
        t.Kind = TTok::String;
    }

    void ReadName(TToken& t)
    {
        const qsizetype start = Pos;
        while (Pos < Text.size() && IsNamePart(Text.at(Pos)))
            ++Pos;
        t.Text = Text.mid(start, Pos - start);
        t.Kind = KeywordOr(t.Text);
    }

    static TTok KeywordOr(const QString& name)
    {
        static const std::pair<const char*, TTok> keywords[] = {
            {"and", TTok::And}, {"or", TTok::Or},     {"not", TTok::Not},     {"div", TTok::Div},
            {"mod", TTok::Mod}, {"true", TTok::True}, {"false", TTok::False},
        };
        if (name.size() > 5)
            return TTok::Name;
        for (const auto& [word, kind] : keywords)
            if (name.compare(QLatin1String(word), Qt::CaseInsensitive) == 0)
                return kind;
        return TTok::Name;
    }

    void ReadSymbol(TToken& t, QChar c)
    {
        const QChar next = Pos + 1 < Text.size() ? Text.at(Pos + 1) : QChar();
        ++Pos;
        switch (c.unicode()) {
        case '+': t.Kind = TTok::Plus; return;
        case '-': t.Kind = TTok::Minus; return;
        case '*': t.Kind = TTok::Star; return;
        case '/': t.Kind = TTok::Slash; return;
        case '=': t.Kind = TTok::Equal; return;
        case '(': t.Kind = TTok::Open; return;
        case ')': t.Kind = TTok::Close; return;
        case '[': t.Kind = TTok::OpenBracket; return;
        case ']': t.Kind = TTok::CloseBracket; return;
        case ',': t.Kind = TTok::Comma; return;
        case '<':
            if (next == QLatin1Char('>')) {
                ++Pos;
                t.Kind = TTok::NotEqual;
            } else if (next == QLatin1Char('=')) {
                ++Pos;
                t.Kind = TTok::LessEqual;
            } else {
                t.Kind = TTok::Less;
            }
            return;
        case '>':
            if (next == QLatin1Char('=')) {
                ++Pos;
                t.Kind = TTok::GreaterEqual;
            } else {
                t.Kind = TTok::Greater;
            }
            return;
        default:
            Fail(QStringLiteral("недопустимый символ '%1'").arg(c), Pos - 1);
        }
    }

    const QString& Text;
    qsizetype Pos = 0;
};

class TParser
{
public:
    explicit TParser(const QString& text) : Lexer(text) { Program.Text = text; }

    TExprProgram Run()
    {
        Advance();
        if (Tok.Kind == TTok::End)
            Lexer.Fail(QStringLiteral("пустое выражение"), 0);
        ParseExpression();
        if (Tok.Kind != TTok::End)
            Lexer.Fail(QStringLiteral("лишний текст '%1'").arg(Describe(Tok)), Tok.Start);
        return std::move(Program);
    }

private:
    // Counts nesting on the way down so that no input can exhaust the call stack.
    class TNest
    {
    public:
        explicit TNest(TParser& parser) : Parser(parser)
        {
            if (++Parser.Depth > TExpression::MaxNesting)
                Parser.Lexer.Fail(QStringLiteral("слишком глубокая вложенность"), Parser.Tok.Start);
        }
        ~TNest() { --Parser.Depth; }
        TNest(const TNest&) = delete;
        TNest& operator=(const TNest&) = delete;

    private:
        TParser& Parser;
    };

    void Advance() { Tok = Lexer.Next(); }

    QString Describe(const TToken& t) const
    {
        if (t.Kind == TTok::End)
            return QStringLiteral("конец выражения");
        return Program.Text.mid(t.Start, std::min(t.End - t.Start, 40));
    }

    int Emit(TExprOp op, int position, int stackEffect, int a = 0, int b = 0)
    {
        Program.Code.push_back({op, a, b, position});
        Stack += stackEffect;
        Program.MaxStack = std::max(Program.MaxStack, Stack);
        return static_cast<int>(Program.Code.size()) - 1;
    }

    int Here() const { return static_cast<int>(Program.Code.size()); }

    void ParseExpression()
    {
        TNest nest(*this);
        ParseOr();
    }

    void ParseOr()
    {
        ParseAnd();
        while (Tok.Kind == TTok::Or) {
            const int position = Tok.Start;
            Advance();
            const int jump = Emit(TExprOp::OrJump, position, -1);
            ParseAnd();
            Emit(TExprOp::ToBoolean, position, 0);
            Program.Code[jump].B = Here();
        }
    }

    void ParseAnd()
    {
        ParseNot();
        while (Tok.Kind == TTok::And) {
            const int position = Tok.Start;
            Advance();
            const int jump = Emit(TExprOp::AndJump, position, -1);
            ParseNot();
            Emit(TExprOp::ToBoolean, position, 0);
            Program.Code[jump].B = Here();
        }
    }

    void ParseNot()
    {
        if (Tok.Kind != TTok::Not) {
            ParseComparison();
            return;
        }
        TNest nest(*this);
        const int position = Tok.Start;
        Advance();
        ParseNot();
        Emit(TExprOp::Not, position, 0);
    }

    void ParseComparison()
    {
        ParseAdditive();
        for (;;) {
            TExprOp op;
            switch (Tok.Kind) {
            case TTok::Equal: op = TExprOp::Equal; break;
            case TTok::NotEqual: op = TExprOp::NotEqual; break;
            case TTok::Less: op = TExprOp::Less; break;
            case TTok::Greater: op = TExprOp::Greater; break;
            case TTok::LessEqual: op = TExprOp::LessEqual; break;
            case TTok::GreaterEqual: op = TExprOp::GreaterEqual; break;
            default: return;
            }
            const int position = Tok.Start;
            Advance();
            ParseAdditive();
            Emit(op, position, -1);
        }
    }

    void ParseAdditive()
    {
        ParseTerm();
        while (Tok.Kind == TTok::Plus || Tok.Kind == TTok::Minus) {
            const TExprOp op = Tok.Kind == TTok::Plus ? TExprOp::Add : TExprOp::Subtract;
            const int position = Tok.Start;
            Advance();
            ParseTerm();
            Emit(op, position, -1);
        }
    }

    void ParseTerm()
    {
        ParseUnary();
        for (;;) {
            TExprOp op;
            switch (Tok.Kind) {
            case TTok::Star: op = TExprOp::Multiply; break;
            case TTok::Slash: op = TExprOp::Divide; break;
            case TTok::Div: op = TExprOp::IntDivide; break;
            case TTok::Mod: op = TExprOp::Modulo; break;
            default: return;
            }
            const int position = Tok.Start;
            Advance();
            ParseUnary();
            Emit(op, position, -1);
        }
    }

    void ParseUnary()
    {
        if (Tok.Kind != TTok::Minus && Tok.Kind != TTok::Plus) {
            ParsePrimary();
            return;
        }
        TNest nest(*this);
        const TExprOp op = Tok.Kind == TTok::Minus ? TExprOp::Negate : TExprOp::Plus;
        const int position = Tok.Start;
        Advance();
        ParseUnary();
        Emit(op, position, 0);
    }

    void ParsePrimary()
    {
        switch (Tok.Kind) {
        case TTok::Number: PushConstant(TExprValue(Tok.Number)); return;
        case TTok::String: PushConstant(TExprValue(Tok.Text)); return;
        case TTok::True: PushConstant(TExprValue(true)); return;
        case TTok::False: PushConstant(TExprValue(false)); return;
        case TTok::Open: {
            Advance();
            ParseExpression();
            Expect(TTok::Close, QStringLiteral("ожидается ')'"));
            return;
        }
        case TTok::OpenBracket: {
            // Templates write a name or an expression in brackets; inside an expression the
            // brackets simply group.
            Advance();
            ParseExpression();
            Expect(TTok::CloseBracket, QStringLiteral("ожидается ']'"));
            return;
        }
        case TTok::Name: ParseName(); return;
        default:
            Lexer.Fail(QStringLiteral("ожидается значение, а не '%1'").arg(Describe(Tok)), Tok.Start);
        }
    }

    void PushConstant(TExprValue value)
    {
        Program.Constants.push_back(std::move(value));
        Emit(TExprOp::Constant, Tok.Start, 1, static_cast<int>(Program.Constants.size()) - 1);
        Advance();
    }

    void Expect(TTok kind, const QString& detail)
    {
        if (Tok.Kind != kind)
            Lexer.Fail(detail, Tok.Start);
        Advance();
    }

    void ParseName()
    {
        const TToken name = Tok;
        Advance();
        if (Tok.Kind != TTok::Open) {
            Program.Names.push_back({name.Text, name.Text.toUpper()});
            Emit(TExprOp::Name, name.Start, 1, static_cast<int>(Program.Names.size()) - 1);
            return;
        }
        Advance();
        const int callIndex = static_cast<int>(Program.Calls.size());
        Program.Calls.push_back({name.Text.toUpper(), 0, {}});
        const int stackBefore = Stack;
        const int begin = Emit(TExprOp::BeginCall, name.Start, 0, callIndex);
        std::vector<TExprValue> raw;
        if (Tok.Kind != TTok::Close) {
            for (;;) {
                const int start = Tok.Start;
                ParseExpression();
                raw.emplace_back(Program.Text.mid(start, Tok.Start - start).trimmed());
                if (Tok.Kind != TTok::Comma)
                    break;
                Advance();
            }
        }
        Expect(TTok::Close, QStringLiteral("ожидается ')' или ','"));
        const int count = static_cast<int>(raw.size());
        Program.Calls[callIndex].ArgumentCount = count;
        Program.Calls[callIndex].RawArguments = std::move(raw);
        Program.MaxStack = std::max(Program.MaxStack, stackBefore + count);
        Program.Code[begin].B = Emit(TExprOp::Call, name.Start, 1 - count, callIndex);
    }

    TLexer Lexer;
    TToken Tok;
    TExprProgram Program;
    int Stack = 0;
    int Depth = 0;
};

} // namespace

TExprProgram CompileExpression(const QString& text)
{
    return TParser(text).Run();
}
