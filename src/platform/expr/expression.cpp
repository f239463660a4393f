#include "platform/expr/expression.h"

#include <array>
#include <cmath>
#include <vector>

#include "platform/expr/expr_operations.h"
#include "platform/expr/expr_program.h"

bool TExprContext::Variable(const QString&, TExprValue&) const
{
    return false;
}

bool TExprContext::Function(const QString&, std::span<const TExprValue>, TExprValue&) const
{
    return false;
}

bool TExprContext::WantsRawArguments(const QString&) const
{
    return false;
}

bool TExprCallbackContext::Variable(const QString& name, TExprValue& value) const
{
    return OnVariable && OnVariable(name, value);
}

bool TExprCallbackContext::Function(const QString& name, std::span<const TExprValue> arguments, TExprValue& result) const
{
    return OnFunction && OnFunction(name, arguments, result);
}

bool TExprCallbackContext::WantsRawArguments(const QString& name) const
{
    return RawArgumentFunctions.contains(name);
}

namespace {

// A context's NaN or infinity would make every comparison meaningless; refuse it at the door.
void CheckSupplied(const TExprValue& value)
{
    const auto kind = value.Kind();
    if ((kind == TExprValue::TKind::Number || kind == TExprValue::TKind::Date) && !std::isfinite(value.ToNumber()))
        throw TExprError(QStringLiteral("недопустимое число"));
}

class TMachine
{
public:
    TMachine(const TExprProgram& program, const TExprContext& context) : Program(program), Context(context)
    {
        if (program.MaxStack > static_cast<int>(Local.size())) {
            Heap.resize(program.MaxStack);
            Stack = Heap.data();
        }
    }

    TExprValue Run()
    {
        const auto& code = Program.Code;
        const int size = static_cast<int>(code.size());
        for (int pc = 0; pc < size; ++pc) {
            const TExprInstruction& in = code[pc];
            try {
                pc = Step(in, pc);
            } catch (const TExprError& e) {
                // Conversions and operators know no position; the instruction does.
                if (e.Position() >= 0)
                    throw;
                throw TExprError(e.Detail(), in.Position, Program.Text);
            }
        }
        return Top == 1 ? std::move(Stack[0]) : TExprValue();
    }

private:
    // Returns the instruction to continue after (a jump returns its target minus one).
    int Step(const TExprInstruction& in, int pc)
    {
        using namespace ExprOps;
        switch (in.Op) {
        case TExprOp::Constant: Stack[Top++] = Program.Constants[in.A]; break;
        case TExprOp::Name: PushName(Program.Names[in.A]); break;
        case TExprOp::BeginCall: {
            const TExprCall& call = Program.Calls[in.A];
            if (!Context.WantsRawArguments(call.Name))
                break;
            for (const TExprValue& text : call.RawArguments)
                Stack[Top++] = text;
            return in.B - 1;
        }
        case TExprOp::Call: CallFunction(Program.Calls[in.A]); break;
        case TExprOp::Negate: Stack[Top - 1] = Negate(Stack[Top - 1]); break;
        case TExprOp::Plus: Stack[Top - 1] = Plus(Stack[Top - 1]); break;
        case TExprOp::Not: Stack[Top - 1] = TExprValue(!Stack[Top - 1].ToBool()); break;
        case TExprOp::Add: Binary(Add); break;
        case TExprOp::Subtract: Binary(Subtract); break;
        case TExprOp::Multiply: Binary(Multiply); break;
        case TExprOp::Divide: Binary(Divide); break;
        case TExprOp::IntDivide: Binary(IntDivide); break;
        case TExprOp::Modulo: Binary(Modulo); break;
        case TExprOp::Equal: Comparison([](int c) { return c == 0; }); break;
        case TExprOp::NotEqual: Comparison([](int c) { return c != 0; }); break;
        case TExprOp::Less: Comparison([](int c) { return c < 0; }); break;
        case TExprOp::Greater: Comparison([](int c) { return c > 0; }); break;
        case TExprOp::LessEqual: Comparison([](int c) { return c <= 0; }); break;
        case TExprOp::GreaterEqual: Comparison([](int c) { return c >= 0; }); break;
        case TExprOp::AndJump:
        case TExprOp::OrJump: {
            const bool value = Stack[Top - 1].ToBool();
            const bool decided = in.Op == TExprOp::AndJump ? !value : value;
            if (decided) {
                Stack[Top - 1] = TExprValue(value);
                return in.B - 1;
            }
            Stack[--Top] = TExprValue();
            break;
        }
        case TExprOp::ToBoolean: Stack[Top - 1] = TExprValue(Stack[Top - 1].ToBool()); break;
        }
        return pc;
    }

    template <typename TOp>
    void Binary(TOp op)
    {
        Stack[Top - 2] = op(Stack[Top - 2], Stack[Top - 1]);
        Stack[--Top] = TExprValue();
    }

    template <typename TTest>
    void Comparison(TTest test)
    {
        Stack[Top - 2] = TExprValue(test(ExprOps::Compare(Stack[Top - 2], Stack[Top - 1])));
        Stack[--Top] = TExprValue();
    }

    void PushName(const TExprName& name)
    {
        TExprValue value;
        if (!Context.Variable(name.Name, value)
            && !Context.Function(name.Upper, std::span<const TExprValue>(), value))
            throw TExprError(QStringLiteral("неизвестная переменная '%1'").arg(name.Name));
        CheckSupplied(value);
        Stack[Top++] = std::move(value);
    }

    void CallFunction(const TExprCall& call)
    {
        const int first = Top - call.ArgumentCount;
        TExprValue result;
        if (!Context.Function(call.Name, std::span<const TExprValue>(Stack + first, call.ArgumentCount), result))
            throw TExprError(QStringLiteral("неизвестная функция '%1'").arg(call.Name));
        CheckSupplied(result);
        while (Top > first + 1)
            Stack[--Top] = TExprValue();
        Stack[first] = std::move(result);
        Top = first + 1;
    }

    const TExprProgram& Program;
    const TExprContext& Context;
    std::array<TExprValue, 16> Local;
    std::vector<TExprValue> Heap;
    TExprValue* Stack = Local.data();
    int Top = 0;
};

const TExprProgram EmptyProgram;

} // namespace

TExpression TExpression::Parse(const QString& text)
{
    TExpression expression;
    expression.Program = std::make_shared<const TExprProgram>(CompileExpression(text));
    return expression;
}

TExprValue TExpression::Evaluate(const TExprContext& context) const
{
    return TMachine(Program ? *Program : EmptyProgram, context).Run();
}

QString TExpression::Text() const
{
    return Program ? Program->Text : QString();
}

TExprValue EvaluateExpression(const QString& text, const TExprContext& context)
{
    return TExpression::Parse(text).Evaluate(context);
}

TExpression TExpressionCache::Get(const QString& text)
{
    const auto found = Compiled.constFind(text);
    if (found != Compiled.cend())
        return found.value();
    TExpression expression = TExpression::Parse(text);
    if (Compiled.size() >= Capacity)
        Compiled.clear();
    Compiled.insert(text, expression);
    return expression;
}
