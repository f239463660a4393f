#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <functional>
#include <memory>
#include <span>

#include "platform/expr/expr_error.h"
#include "platform/expr/expr_value.h"

// What an expression can see: its variables and functions. The defaults know nothing.
//
// A name written without parentheses is first asked for as a variable, exactly as written
// (case-sensitive: "FFН" with a Cyrillic Н is not "FFH"); when the context does not know it, it
// is asked for as a function without arguments (so "_LOADLOGO" and "_LOADLOGO()" are the same);
// when that fails too, evaluation fails with "неизвестная переменная". Function names reach the
// context upper-cased. Returning false means "no such name"; a context may also throw, and its
// exception leaves Evaluate unchanged.
class TExprContext
{
public:
    virtual ~TExprContext() = default;

    virtual bool Variable(const QString& name, TExprValue& value) const;
    // With WantsRawArguments(name) the arguments are strings holding each argument's text as
    // written (blanks around it trimmed), not evaluated; the function evaluates what it needs.
    virtual bool Function(const QString& name, std::span<const TExprValue> arguments, TExprValue& result) const;
    virtual bool WantsRawArguments(const QString& name) const;
};

// A context made of callbacks, for callers that need no class of their own.
class TExprCallbackContext : public TExprContext
{
public:
    std::function<bool(const QString& name, TExprValue& value)> OnVariable;
    std::function<bool(const QString& name, std::span<const TExprValue> arguments, TExprValue& result)> OnFunction;
    QSet<QString> RawArgumentFunctions; // upper-cased names

    bool Variable(const QString& name, TExprValue& value) const override;
    bool Function(const QString& name, std::span<const TExprValue> arguments, TExprValue& result) const override;
    bool WantsRawArguments(const QString& name) const override;
};

struct TExprProgram;

// A compiled expression: parse once, evaluate many times with different contexts.
//
// Language: decimal numbers with a point ("2.5"); text in single quotes ('it''s'); True and False;
// names of letters of any alphabet, digits and "_", not starting with a digit; calls NAME(a, b);
// parentheses, and square brackets that group the same way (a template's "[_POS_NO]" inside an
// expression reads the name); operators from the loosest binding: "or"; "and"; "not"; "= <> < > <= >="; "+ -";
// "* / div mod"; unary "-" and "+". Keywords are case-insensitive. "and" and "or" evaluate their
// right side only when needed. Value conversions: see TExprValue and expr_operations.h.
//
// Copies share the compiled form; a TExpression is cheap to copy and to keep in caches.
class TExpression
{
public:
    TExpression() = default; // evaluates to the empty value

    // Throws TExprError on a syntax error or nesting deeper than MaxNesting.
    static TExpression Parse(const QString& text);

    // Throws TExprError on an unknown name, a type error, a division by zero or an overflow;
    // whatever the context throws passes through.
    TExprValue Evaluate(const TExprContext& context) const;

    QString Text() const;

    static constexpr int MaxNesting = 100;

private:
    std::shared_ptr<const TExprProgram> Program;
};

// Parses and evaluates in one step.
TExprValue EvaluateExpression(const QString& text, const TExprContext& context = TExprContext());

// Compiled expressions by their text, for callers that evaluate the same few formulas over and
// over (the catalogue's length formulas for every sash). Texts that fail to parse are not kept.
class TExpressionCache
{
public:
    TExpression Get(const QString& text);
    TExprValue Evaluate(const QString& text, const TExprContext& context) { return Get(text).Evaluate(context); }
    void Clear() { Compiled.clear(); }

    // Beyond this many texts the cache starts afresh, so generated texts cannot grow it forever.
    static constexpr int Capacity = 4096;

private:
    QHash<QString, TExpression> Compiled;
};
