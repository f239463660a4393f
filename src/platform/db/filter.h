#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "platform/db/column_store.h"
#include "platform/db/field_def.h"

// A compiled filter expression of the language the Parts write: comparisons = <> < > <= >=
// between fields and literals ('text' with '' for a quote, integers, decimals with a point),
// and, or, not, parentheses. Field names are case-insensitive and may stand in double quotes.
// Text compares exactly and case-sensitively; a blank field compares as '' or 0.
class TFilter
{
public:
    // Fails with TError naming the problem and its position or the unknown field.
    static std::shared_ptr<const TFilter> Compile(const QString& text, const TTableDef& def);

    bool Matches(const std::vector<TColumn>& columns, size_t slot) const;
    bool IsEmpty() const { return Root < 0; }
    const QString& Text() const { return Source; }

    // Equalities field = literal that every matching row satisfies (and-ed at the top level);
    // the table narrows its candidates through them.
    struct TEquality
    {
        int Field;
        bool IsText;
        QString Text;
        double Num;
    };
    const std::vector<TEquality>& Equalities() const { return TopEqualities; }

    enum class TOp { Eq, Ne, Lt, Gt, Le, Ge };
    struct TOperand
    {
        int Field = -1; // -1 for a literal
        bool IsText = false;
        QString Text;
        double Num = 0;
        int Literal = -1; // a literal's place among the literals of the text
    };
    struct TNode
    {
        enum TKind { And, Or, Not, Cmp } Kind = Cmp;
        int Left = -1, Right = -1;
        TOperand A, B;
        TOp Op = TOp::Eq;
    };

    // A literal as written: a quoted text or a number.
    struct TLiteral
    {
        bool Quoted = false;
        QString Text;
    };
    // This filter with other values in place of its literals, for a text of the same shape; null
    // when a value does not fit its place (the text is then compiled for its error message).
    std::shared_ptr<const TFilter> Bound(const QString& text, const std::vector<TLiteral>& literals,
                                         const TTableDef& def) const;

private:
    friend class TFilterParser;
    bool Eval(int node, const std::vector<TColumn>& columns, size_t slot) const;
    void CollectEqualities(int node);

    QString Source;
    std::vector<TNode> Nodes;
    int Root = -1;
    std::vector<TEquality> TopEqualities;
    int LiteralCount = 0;
};
