// Parse and evaluation speed of the expression evaluator: the engine evaluates the same length
// formula for every sash of every order, the reports evaluate template expressions per line.
#include <benchmark/benchmark.h>

#include "platform/expr/expression.h"

namespace {

class TSashContext : public TExprContext
{
public:
    bool Variable(const QString& name, TExprValue& value) const override
    {
        if (name == QStringLiteral("FFB") || name == QStringLiteral("FB") || name == QStringLiteral("FRB"))
            value = Width;
        else if (name == QStringLiteral("FFН") || name == QStringLiteral("FН") || name == QStringLiteral("FRH"))
            value = Height;
        else
            value = 0;
        return true;
    }

    bool Function(const QString& name, std::span<const TExprValue> args, TExprValue& result) const override
    {
        const qint64 n = args.empty() ? 0 : args[0].ToInteger();
        if (name == QStringLiteral("FL") || name == QStringLiteral("FFL"))
            result = n >= 1 && n <= 4 ? (n % 2 ? Height : Width) : 0;
        else
            result = 0;
        return true;
    }

    int Width = 1000;
    int Height = 1400;
};

const QString Simple = QStringLiteral("FFB / 2");
const QString Typical = QStringLiteral("(FFН - 2 * 130) div 2 + FL(2) / 4 - 15.5");
const QString Template = QStringLiteral("'Створка ' + FFB + ' x ' + FFН + ' мм' + ' (' + (FFB * FFН / 1000000) + ' м2)'");

void BM_Parse(benchmark::State& state, const QString& text)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(TExpression::Parse(text));
}

void BM_Evaluate(benchmark::State& state, const QString& text)
{
    const TExpression expression = TExpression::Parse(text);
    TSashContext context;
    for (auto _ : state) {
        context.Width = 400 + static_cast<int>(state.iterations() % 1000);
        benchmark::DoNotOptimize(expression.Evaluate(context));
    }
}

void BM_EvaluateCached(benchmark::State& state, const QString& text)
{
    TExpressionCache cache;
    TSashContext context;
    for (auto _ : state)
        benchmark::DoNotOptimize(cache.Evaluate(text, context));
}

void BM_EvaluateOneShot(benchmark::State& state, const QString& text)
{
    TSashContext context;
    for (auto _ : state)
        benchmark::DoNotOptimize(EvaluateExpression(text, context));
}

} // namespace

BENCHMARK_CAPTURE(BM_Parse, simple, Simple);
BENCHMARK_CAPTURE(BM_Parse, typical, Typical);
BENCHMARK_CAPTURE(BM_Parse, template, Template);
BENCHMARK_CAPTURE(BM_Evaluate, simple, Simple);
BENCHMARK_CAPTURE(BM_Evaluate, typical, Typical);
BENCHMARK_CAPTURE(BM_Evaluate, template, Template);
BENCHMARK_CAPTURE(BM_EvaluateCached, typical, Typical);
BENCHMARK_CAPTURE(BM_EvaluateOneShot, typical, Typical);

BENCHMARK_MAIN();
