#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>

class TTable;
class TDataGrid;

struct TRecField
{
    QString Name;
    QVariant Value;
};

struct TCustomRec
{
    QList<TRecField> Fields;
    TTable* Source = nullptr;
};

// Whole records copied from a table object, to be pasted as new rows of the same table.
class TRecClipBoard
{
public:
    static TRecClipBoard& Instance();

    // Copies the grid's marked rows (clearing the marks) or else the current row. `fields` names
    // the columns to copy (all stored columns when empty; with `excluding`, all but those).
    // `askedField` is asked for with `prompt` on paste; `randomKeyField` gets a new random key.
    void Copy(TTable& table, const QStringList& fields = {}, const QString& prompt = {},
              const QString& askedField = {}, const QString& randomKeyField = {}, TDataGrid* grid = nullptr,
              bool excluding = false);

    enum TPasteMode { pmInsert = 0, pmAppend = 1, pmOverwrite = 2 };
    // Pastes into the table it was copied from (else nothing); more than one record, or
    // `postSingle`, posts each row, a single record otherwise stays open for editing.
    // `numberField` gets start, start + 1, ... ; returns the number of records pasted.
    int Paste(TTable& table, bool postSingle = false, int startNumber = 0, const QString& numberField = {},
              TPasteMode mode = pmInsert);

    const QList<TCustomRec>& Records() const { return Recs; }
    TTable* Source() const { return SourceTable.data(); }
    void Clear();

    // Asks for the value of the asked field; empty or cancelled ends the paste. Replaceable in tests.
    std::function<bool(const QString& prompt, QString& answer)> Ask;
    static qint64 RandomKey();

private:
    TRecClipBoard();
    QList<TCustomRec> Recs;
    QPointer<TTable> SourceTable;
    QString Prompt;
    QString AskedField;
    QString RandomKeyField;
};
