#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "platform/expr/expr_value.h"

// The compiled form of an expression: code for a small stack machine. Evaluating it needs no
// recursion, so however long an expression is, evaluation cannot exhaust the call stack.

enum class TExprOp : quint8 {
    Constant,    // push Constants[A]
    Name,        // push the variable (or argument-less function) Names[A]
    BeginCall,   // call Calls[A]: when its function wants raw texts, push them and jump to B
    Call,        // call Calls[A] with the top Calls[A].ArgumentCount values
    Negate,
    Plus,
    Not,
    Add,
    Subtract,
    Multiply,
    Divide,
    IntDivide,
    Modulo,
    Equal,
    NotEqual,
    Less,
    Greater,
    LessEqual,
    GreaterEqual,
    AndJump,     // top false: replace by False and jump to B; else pop
    OrJump,      // top true: replace by True and jump to B; else pop
    ToBoolean,   // top converted to a boolean
};

struct TExprInstruction
{
    TExprOp Op;
    int A = 0;
    int B = 0;
    int Position = 0; // offset into the text, for messages
};

struct TExprName
{
    QString Name;  // as written, for the variable look-up
    QString Upper; // for the function look-up
};

struct TExprCall
{
    QString Name; // upper-cased
    int ArgumentCount = 0;
    std::vector<TExprValue> RawArguments; // the argument texts as strings
};

struct TExprProgram
{
    QString Text;
    std::vector<TExprInstruction> Code;
    std::vector<TExprValue> Constants;
    std::vector<TExprName> Names;
    std::vector<TExprCall> Calls;
    int MaxStack = 0;
};

// Throws TExprError on a syntax error.
TExprProgram CompileExpression(const QString& text);
