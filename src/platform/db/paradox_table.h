#pragma once

#include <QList>
#include <QString>
#include <QVariant>

// Reads a Paradox table file (.DB, with its .MB blob file beside it when there is one) through
// pxlib. Values come as QVariant: text (alpha, memo) as QString decoded from the table's code
// page, short, long and autoincrement as qint64, number and money as double, BCD as its decimal
// text, date as QDate, time as QTime, timestamp as QDateTime, logical as bool, blobs and bytes as
// QByteArray; a blank value of any type is a null QVariant.
class TParadoxTable
{
public:
    struct TField
    {
        QString Name;
        int Type = 0;     // pxlib's pxf* code
        int Length = 0;   // bytes in the record
        int Decimals = 0; // BCD places
        QString TypeName() const;
    };

    // Fails with TError naming the file when it is no readable Paradox table. `codepage` is used
    // when the header names none (0: Windows-1251).
    explicit TParadoxTable(const QString& path, int codepage = 0);
    ~TParadoxTable();
    TParadoxTable(const TParadoxTable&) = delete;
    TParadoxTable& operator=(const TParadoxTable&) = delete;

    const QList<TField>& Fields() const { return FieldList; }
    int RecordCount() const { return Records; }
    int CodePage() const { return Cp; }
    bool HeaderCodePage() const { return CpFromHeader; }
    bool Encrypted() const { return IsEncrypted; }
    // One record (0-based); fails with TError naming the file and record on a damaged block.
    QList<QVariant> Record(int recno);

    struct TImpl;

private:
    void Release();
    QString Decode(const char* data, int size) const;
    QVariant Value(int field, char* data);
    QByteArray BlobBytes(const TField& f, const char* data) const;

    QString Path;
    TImpl* Impl = nullptr;
    QList<TField> FieldList;
    QList<int> Offsets;
    int Records = 0;
    int Cp = 1251;
    bool CpFromHeader = false;
    bool IsEncrypted = false;
};
