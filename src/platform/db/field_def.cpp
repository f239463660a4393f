#include "platform/db/field_def.h"

#include "foundation/error.h"

int TTableDef::FieldIndex(const QString& name) const
{
    for (qsizetype i = 0; i < Fields.size(); ++i)
        if (Fields[i].Name.compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

const TIndexDef* TTableDef::Primary() const
{
    for (const auto& index : Indexes)
        if (index.Primary)
            return &index;
    return nullptr;
}

const TIndexDef* TTableDef::Index(const QString& name) const
{
    for (const auto& index : Indexes)
        if (!index.Primary && index.Name.compare(name, Qt::CaseInsensitive) == 0)
            return &index;
    return nullptr;
}

QList<TFieldDef> ParseFieldList(const QString& fieldList)
{
    QList<TFieldDef> fields;
    const QStringList items = fieldList.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& item : items) {
        const qsizetype colon = item.lastIndexOf(QLatin1Char(':'));
        if (colon <= 0 || colon == item.size() - 1)
            throw TError(QStringLiteral("Неверное описание поля [%1]").arg(item));
        TFieldDef f;
        f.Name = item.left(colon);
        const QString type = item.mid(colon + 1);
        const QChar kind = type.at(0);
        const QString arg = type.mid(1);
        bool ok = true;
        switch (kind.unicode()) {
        case 'A': f.Type = TFieldType::Text; f.Size = arg.toInt(&ok); break;
        case 'M': f.Type = TFieldType::Memo; break;
        case 'S': f.Type = TFieldType::Int16; break;
        case 'I': f.Type = TFieldType::Int32; break;
        case '+': f.Type = TFieldType::AutoInc; break;
        case 'N': f.Type = TFieldType::Decimal; f.Decimals = arg.toInt(&ok); break;
        case '$': f.Type = TFieldType::Money; break;
        case 'D': f.Type = TFieldType::Date; break;
        case 'L': f.Type = TFieldType::Logical; break;
        default: ok = false;
        }
        if (!ok)
            throw TError(QStringLiteral("Неверное описание поля [%1]").arg(item));
        fields.append(f);
    }
    return fields;
}
