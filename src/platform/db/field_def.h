#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The column kinds of the stored tables. In memory every kind is held either as text (Text, Memo)
// or as a number (all others: dates as Julian day numbers, logical values as 1 and 0).
enum class TFieldType { Text, Memo, Int16, Int32, AutoInc, Decimal, Money, Date, Logical };

struct TFieldDef
{
    QString Name;
    TFieldType Type = TFieldType::Text;
    int Size = 0;     // capacity of a text column
    int Decimals = 0; // places of a decimal column
};

struct TIndexDef
{
    QString Name; // empty for the primary index
    QStringList Fields;
    bool CaseInsensitive = false;
    bool Primary = false;
};

// One stored table: its store name (without ".DB"), the file name under which messages name it,
// its columns in field-list order and its indexes.
struct TTableDef
{
    QString Name;
    QString FileName;
    QList<TFieldDef> Fields;
    QList<TIndexDef> Indexes;

    int FieldIndex(const QString& name) const; // case-insensitive; -1 when absent
    const TIndexDef* Primary() const;
    const TIndexDef* Index(const QString& name) const; // case-insensitive
};

inline bool IsTextType(TFieldType t) { return t == TFieldType::Text || t == TFieldType::Memo; }

// A compact column list: blank-separated "Name:Type" items, Type being A<n> (text of n
// characters), M (memo), S (int16), I (int32), + (autoinc), N<d> (decimal with d places),
// $ (money), D (date), L (logical). Fails with TError on a malformed item.
QList<TFieldDef> ParseFieldList(const QString& fieldList);
