// Parses and evaluates arbitrary text: nothing may crash, hang or leak; failures are TError only.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/expr/expression.h"

namespace {

class TFuzzContext : public TExprContext
{
public:
    bool Variable(const QString& name, TExprValue& value) const override
    {
        if (name == QStringLiteral("FFB"))
            value = 1000;
        else if (name == QStringLiteral("FFН"))
            value = 1400;
        else if (name == QStringLiteral("S"))
            value = QStringLiteral("Окно");
        else if (name == QStringLiteral("D"))
            value = TExprValue::FromDays(43825.5);
        else if (name == QStringLiteral("B"))
            value = true;
        else if (name == QStringLiteral("E"))
            value = TExprValue();
        else
            return false;
        return true;
    }

    bool Function(const QString& name, std::span<const TExprValue> args, TExprValue& result) const override
    {
        if (name == QStringLiteral("FL")) {
            const qint64 n = args.empty() ? 0 : args[0].ToInteger();
            result = n >= 1 && n <= 4 ? 1000.0 : 0.0;
        } else if (name == QStringLiteral("LEN")) {
            result = static_cast<qint64>(args.empty() ? 0 : args[0].ToString().size());
        } else if (name == QStringLiteral("EVAL")) {
            // Evaluates its texts in this context, as the report functions do.
            result = args.empty() ? TExprValue() : EvaluateExpression(args[0].ToString(), *this);
        } else {
            return false;
        }
        return true;
    }

    bool WantsRawArguments(const QString& name) const override { return name == QStringLiteral("EVAL"); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 4096)
        return 0;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const TFuzzContext context;
    try {
        const TExpression expression = TExpression::Parse(text);
        const TExprValue value = expression.Evaluate(context);
        (void)value.ToString();
        // A compiled expression evaluates the same way twice.
        if (!(expression.Evaluate(context) == value))
            std::abort();
    } catch (const TError& e) {
        if (e.Message().isEmpty())
            std::abort();
    }
    return 0;
}
