#include <span>

#include "model/flugel.h"
#include "platform/expr/expression.h"

namespace {

// The names the catalogue's length formulas use. "FН" and "FFН" end in the Cyrillic Н, as the
// catalogue writes them; "FRH" is Latin. Variable names are exact, function names upper-cased.
bool IsHeightName(const QString& name)
{
    return name == QStringLiteral(u"F\u041D") || name == QStringLiteral(u"FF\u041D") || name == QStringLiteral(u"FRH");
}

bool IsWidthName(const QString& name)
{
    return name == QStringLiteral(u"FB") || name == QStringLiteral(u"FFB") || name == QStringLiteral(u"FRB");
}

// The side index of a function's 1-based side number; -1 outside the sash (numbers above 255
// never name a side).
int SideIndex(const TokfFlugel* flugel, std::span<const TExprValue> arguments)
{
    if (!flugel || arguments.empty())
        return -1;
    qint64 n = 0;
    try {
        n = arguments[0].ToInteger();
    } catch (const TError&) {
        return -1;
    }
    if (n < 1 || n > 255 || n > flugel->SideCount())
        return -1;
    return static_cast<int>(n - 1);
}

class TFlugelFormulaContext final : public TExprContext
{
public:
    explicit TFlugelFormulaContext(const TokfFlugel& flugel) : Flugel(flugel) {}

    bool Variable(const QString& name, TExprValue& value) const override
    {
        if (IsHeightName(name))
            value = Size().Height;
        else if (IsWidthName(name))
            value = Size().Width;
        else
            value = 0;
        return true;
    }

    bool Function(const QString& name, std::span<const TExprValue> arguments, TExprValue& result) const override
    {
        result = 0;
        if (name == QStringLiteral("FL") || name == QStringLiteral("FFL")) {
            const int side = SideIndex(&Flugel, arguments);
            if (side >= 0) {
                const double length = Flugel.SideLength(side);
                result = length < 0 ? 0.0 : length;
            }
        } else if (name == QStringLiteral("FG") || name == QStringLiteral("FFG")) {
            const int side = SideIndex(&Flugel, arguments);
            if (side >= 0)
                result = Flugel.Side(side).HandleHeight;
        } else if (name == QStringLiteral("FGA") || name == QStringLiteral("FFGA")) {
            const TokfFlugel* other = Flugel.OtherFlugel();
            const int side = SideIndex(other, arguments);
            if (side >= 0)
                result = other->Side(side).HandleHeight;
        }
        return true;
    }

private:
    const TFalzSize& Size() const
    {
        if (!SizeKnown) {
            CachedSize = Flugel.FalzSize();
            SizeKnown = true;
        }
        return CachedSize;
    }

    const TokfFlugel& Flugel;
    mutable TFalzSize CachedSize;
    mutable bool SizeKnown = false;
};

} // namespace

double TokfFlugel::Evaluate(const QString& formula) const
{
    // The same few formulas come back for every sash of every position.
    static TExpressionCache cache;
    return cache.Evaluate(formula, TFlugelFormulaContext(*this)).ToNumber();
}
