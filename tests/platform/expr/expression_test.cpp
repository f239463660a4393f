#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

#include "platform/expr/expression.h"

void PrintTo(const TExprValue& value, std::ostream* os)
{
    *os << ExprKindName(value.Kind()).toStdString() << " " << value.ToString().toStdString();
}

namespace {

// A sash-like context: a few variables, side lengths, and a function that wants its texts.
class TTestContext : public TExprContext
{
public:
    bool Variable(const QString& name, TExprValue& value) const override
    {
        if (name == QStringLiteral("FFB")) {
            value = Width;
        } else if (name == QStringLiteral("FFН")) { // Cyrillic Н
            value = 1400;
        } else if (name == QStringLiteral("Name")) {
            value = QStringLiteral("Окно");
        } else if (name == QStringLiteral("Flag")) {
            value = true;
        } else if (name == QStringLiteral("Day")) {
            value = TExprValue::FromDate(QDate(2024, 1, 1));
        } else if (name == QStringLiteral("Bad")) {
            value = std::numeric_limits<double>::quiet_NaN();
        } else {
            return false;
        }
        return true;
    }

    bool Function(const QString& name, std::span<const TExprValue> args, TExprValue& result) const override
    {
        if (name == QStringLiteral("FL") && args.size() == 1) {
            const qint64 n = args[0].ToInteger();
            result = n >= 1 && n <= 4 ? 100.0 * static_cast<double>(n) : 0.0;
        } else if (name == QStringLiteral("MAX") && args.size() == 2) {
            result = std::max(args[0].ToNumber(), args[1].ToNumber());
        } else if (name == QStringLiteral("PI") && args.empty()) {
            result = 3.5;
        } else if (name == QStringLiteral("_ECHO")) {
            QStringList texts;
            for (const TExprValue& a : args)
                texts << a.ToString();
            result = texts.join(QLatin1Char('|'));
        } else if (name == QStringLiteral("FAIL")) {
            throw TError(QStringLiteral("В каталоге отсутствуют данные"));
        } else {
            return false;
        }
        return true;
    }

    bool WantsRawArguments(const QString& name) const override { return name == QStringLiteral("_ECHO"); }

    double Width = 1000;
};

struct TValueCase
{
    const char* Text;
    TExprValue Expected;
};

TEST(Expression, EvaluatesToExpectedValues)
{
    const TValueCase cases[] = {
        {"1 + 2 * 3", 7},
        {"(1 + 2) * 3", 9},
        {"7 / 2", 3.5},
        {"10 - 4 - 3", 3},
        {"7 div 2", 7 / 2},
        {"-7 DIV 2", -3},
        {"7.9 div 2", 3},
        {"7 mod 3", 1},
        {"-7 Mod 3", -1},
        {"2 - -3", 5},
        {"-2 * +3", -6},
        {"FFB / 2", 500},
        {"FFН - 400", 1000},
        {"FL(2) + fl(1)", 300},
        {"FL(5)", 0},
        {"max(FFB, FFН) / 2", 700},
        {"pi * 2", 7},
        {"PI() * 2", 7},
        {"'it''s'", QStringLiteral("it's")},
        {"'Длина: ' + 2.5", QStringLiteral("Длина: 2,5")},
        {"Name + ' ' + 1", QStringLiteral("Окно 1")},
        {"1 + '2'", QStringLiteral("12")},
        {"'5' * 2", 10},
        {"' 2,5 ' * 2", 5},
        {"'' - 1", -1},
        {"1 = 1", true},
        {"1 <> 1", false},
        {"2 >= 2.0", true},
        {"'a' < 'b'", true},
        {"'a' < 'B'", false},
        {"'Я' < 'а'", true},
        {"'ё' < 'а'", true}, // Windows-1251 order, not Unicode order
        {"'ab' < 'abc'", true},
        {"'10' = 10", true},
        {"'abc' = 1", false},
        {"'True' = True", true},
        {"1 < 2 and 2 < 3", true},
        {"not 1 = 2", true},
        {"NOT not true", true},
        {"true or 1 / 0", true},
        {"false and 1 / 0 = 1", false},
        {"1 + 2 = 3 and 'a' <> 'b' or false", true},
        {"Flag + 1", 2},
        {"(Day + 1) - Day", 1},
        {"Day - 1 < Day", true},
        {"_ECHO( FFB + 1 , 'x''y', nosuch(1) )", QStringLiteral("FFB + 1|'x''y'|nosuch(1)")},
        {"_ECHO()", QString()},
        {"0.1 + 0.2", 0.30000000000000004},
        {"(((((((((((1)))))))))))", 1},
        {"[FFB] / [2 * 5]", 100},
    };
    TTestContext context;
    for (const TValueCase& c : cases) {
        const QString text = QString::fromUtf8(c.Text);
        SCOPED_TRACE(c.Text);
        try {
            EXPECT_EQ(EvaluateExpression(text, context), c.Expected);
        } catch (const TError& e) {
            ADD_FAILURE() << e.what();
        }
    }
}

struct TErrorCase
{
    const char* Text;
    const char* Detail; // the start of the detail
    int Position;       // 1-based
};

TEST(Expression, FailsWithDetailAndPosition)
{
    const QString tooDeep = QString(TExpression::MaxNesting + 1, QLatin1Char('(')) + QLatin1Char('1');
    const QString hugeNumber = QLatin1Char('1') + QString(400, QLatin1Char('0'));
    const TErrorCase cases[] = {
        {"", "пустое выражение", 1},
        {"   ", "пустое выражение", 1},
        {"1 +", "ожидается значение", 4},
        {"(1", "ожидается ')'", 3},
        {"[1)", "ожидается ']'", 3},
        {"1 2", "лишний текст '2'", 3},
        {"1.", "недопустимый символ '.'", 2},
        {"'abc", "не закрыта строка", 1},
        {"1 # 2", "недопустимый символ '#'", 3},
        {"max(1,", "ожидается значение", 7},
        {"max(1 2)", "ожидается ')' или ','", 7},
        {"FFH", "неизвестная переменная 'FFH'", 1}, // Latin H
        {"ffb", "неизвестная переменная 'ffb'", 1},
        {"1 + nosuch(2)", "неизвестная функция 'NOSUCH'", 5},
        {"FFB / 0", "деление на ноль", 5},
        {"5 mod 0.5", "деление на ноль", 3},
        {"'x' * 2", "текст 'x' не является числом", 5},
        {"Name and true", "текст 'Окно' не является логическим значением", 6},
        {"Day + Day", "даты нельзя складывать", 5},
        {"Bad", "недопустимое число", 1},
        {"1.5E3", "лишний текст 'E3'", 4}, // no exponents: E3 is a name
        {"FL('x')", "текст 'x' не является числом", 1},
    };
    TTestContext context;
    for (const TErrorCase& c : cases) {
        SCOPED_TRACE(c.Text);
        try {
            EvaluateExpression(QString::fromUtf8(c.Text), context);
            ADD_FAILURE() << "no error";
        } catch (const TExprError& e) {
            EXPECT_TRUE(e.Detail().startsWith(QString::fromUtf8(c.Detail))) << e.what();
            EXPECT_EQ(e.Position() + 1, c.Position) << e.what();
        }
    }
    try {
        EvaluateExpression(tooDeep);
        ADD_FAILURE() << "no error";
    } catch (const TExprError& e) {
        EXPECT_EQ(e.Detail(), QStringLiteral("слишком глубокая вложенность"));
    }
    EXPECT_THROW(EvaluateExpression(hugeNumber), TExprError);
    EXPECT_THROW(EvaluateExpression(QString(20, QLatin1Char('9')) + QStringLiteral("0000000000 * ") + QString(300, QLatin1Char('9')) +
                                    QStringLiteral(" * ") + QString(300, QLatin1Char('9'))),
                 TExprError);
}

TEST(Expression, MessageNamesExpressionAndPosition)
{
    try {
        EvaluateExpression(QStringLiteral("FFB / 0"), TTestContext());
        FAIL();
    } catch (const TExprError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Ошибка в выражении [FFB / 0]:\r\nделение на ноль (позиция 5)"));
    }
}

TEST(Expression, ContextFailurePassesThroughUnchanged)
{
    try {
        EvaluateExpression(QStringLiteral("1 + fail()"), TTestContext());
        FAIL();
    } catch (const TExprError&) {
        FAIL() << "wrapped";
    } catch (const TError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("В каталоге отсутствуют данные"));
    }
}

TEST(Expression, CompiledOnceEvaluatedWithChangingValues)
{
    const TExpression formula = TExpression::Parse(QStringLiteral("FFB / 2 - 15"));
    TTestContext context;
    for (int width = 400; width <= 2000; width += 400) {
        context.Width = width;
        EXPECT_EQ(formula.Evaluate(context), TExprValue(width / 2.0 - 15));
    }
    TExpressionCache cache;
    EXPECT_EQ(cache.Evaluate(QStringLiteral("FFB + 1"), context), TExprValue(2001));
    EXPECT_EQ(cache.Get(QStringLiteral("FFB + 1")).Text(), QStringLiteral("FFB + 1"));
    EXPECT_THROW(cache.Get(QStringLiteral("FFB +")), TExprError);
    EXPECT_TRUE(TExpression().Evaluate(context).IsEmpty());
}

TEST(Expression, LongFlatExpressionsNeedNoDeepStack)
{
    QString sum = QStringLiteral("1");
    QString conjunction = QStringLiteral("true");
    for (int i = 0; i < 50000; ++i) {
        sum += QStringLiteral("+1");
        conjunction += QStringLiteral(" and true");
    }
    EXPECT_EQ(EvaluateExpression(sum), TExprValue(50001));
    EXPECT_EQ(EvaluateExpression(conjunction), TExprValue(true));
    EXPECT_THROW(EvaluateExpression(QString(100000, QLatin1Char('-')) + QLatin1Char('1')), TExprError);
    QString calls;
    for (int i = 0; i < 30; ++i)
        calls += QStringLiteral("max(1, ");
    calls += QLatin1Char('2') + QString(30, QLatin1Char(')'));
    EXPECT_EQ(EvaluateExpression(calls, TTestContext()), TExprValue(2));
}

TEST(ExprValue, Conversions)
{
    EXPECT_EQ(TExprValue(2.5).ToInteger(), 2); // half to even, as Delphi rounds
    EXPECT_EQ(TExprValue(3.5).ToInteger(), 4);
    EXPECT_EQ(TExprValue(-2.5).ToInteger(), -2);
    EXPECT_THROW(TExprValue(1e19).ToInteger(), TExprError);

    EXPECT_EQ(TExprValue(true).ToString(), QStringLiteral("True"));
    EXPECT_EQ(TExprValue(false).ToNumber(), 0);
    EXPECT_TRUE(TExprValue(QStringLiteral(" TRUE ")).ToBool());
    EXPECT_FALSE(TExprValue(QStringLiteral("0")).ToBool());
    EXPECT_FALSE(TExprValue(QString()).ToBool());
    EXPECT_THROW(TExprValue(QStringLiteral("да")).ToBool(), TExprError);
    EXPECT_THROW(TExprValue(QStringLiteral("1e5")).ToNumber(), TExprError);
    EXPECT_THROW(TExprValue(QStringLiteral("nan")).ToNumber(), TExprError);

    EXPECT_EQ(TExprValue().ToString(), QString());
    EXPECT_EQ(TExprValue().ToNumber(), 0);

    const struct {
        double Number;
        const char* Text;
    } numbers[] = {{0, "0"},      {-0.0, "0"},         {500, "500"},       {-2.5, "-2,5"}, {0.1 + 0.2, "0,3"},
                   {1e15, "1E15"}, {1.5e-7, "1,5E-7"}, {123456.789, "123456,789"}};
    for (const auto& n : numbers)
        EXPECT_EQ(ExprNumberText(n.Number), QString::fromUtf8(n.Text)) << n.Number;

    const QDateTime moment(QDate(2019, 12, 26), QTime(6, 30));
    const TExprValue date = TExprValue::FromDateTime(moment);
    EXPECT_DOUBLE_EQ(date.ToNumber(), 43825.2708333333333);
    EXPECT_EQ(date.ToDateTime(), moment);
    EXPECT_EQ(date.ToString(), QStringLiteral("26.12.2019 06:30:00"));
    EXPECT_EQ(TExprValue::FromDate(QDate(2019, 12, 26)).ToString(), QStringLiteral("26.12.2019"));
    EXPECT_EQ(TExprValue::FromDays(-1.25).ToDateTime(), QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
    EXPECT_EQ(TExprValue::FromDays(1e300).ToString(), QStringLiteral("1E300"));
}

} // namespace
