#include "windows/rec_clipboard.h"

#include <QApplication>
#include <QInputDialog>
#include <QRandomGenerator>

#include "platform/db/table.h"
#include "windows/data_grid.h"

TRecClipBoard& TRecClipBoard::Instance()
{
    static TRecClipBoard clipboard;
    return clipboard;
}

TRecClipBoard::TRecClipBoard()
{
    Ask = [](const QString& prompt, QString& answer) {
        bool ok = false;
        answer = QInputDialog::getText(QApplication::activeWindow(), QString(), prompt, QLineEdit::Normal, QString(), &ok);
        return ok;
    };
}

void TRecClipBoard::Clear()
{
    Recs.clear();
    SourceTable = nullptr;
}

qint64 TRecClipBoard::RandomKey()
{
    auto* random = QRandomGenerator::global();
    return static_cast<qint64>(random->bounded(213000)) * 10000 + random->bounded(9999);
}

void TRecClipBoard::Copy(TTable& table, const QStringList& fields, const QString& prompt, const QString& askedField,
                         const QString& randomKeyField, TDataGrid* grid, bool excluding)
{
    if (!table.Active() || table.IsEmpty())
        return;
    Recs.clear();
    SourceTable = &table;
    Prompt = prompt;
    AskedField = askedField;
    RandomKeyField = randomKeyField;

    QList<TField*> copied;
    if (fields.isEmpty() || excluding) {
        for (int i = 0; i < table.FieldCount(); ++i) {
            TField& f = table.Fields(i);
            if (f.Kind() == TField::Data && !(excluding && fields.contains(f.FieldName(), Qt::CaseInsensitive)))
                copied << &f;
        }
    } else {
        for (const QString& name : fields)
            if (TField* f = table.FindField(name); f && f->Kind() == TField::Data)
                copied << f;
    }
    const auto copyCurrent = [&] {
        TCustomRec rec;
        rec.Source = &table;
        for (TField* f : copied)
            rec.Fields << TRecField{f->FieldName(), f->Value()};
        Recs << rec;
    };

    const QList<int> marked = grid ? grid->MarkedRows() : QList<int>();
    if (marked.isEmpty()) {
        copyCurrent();
        return;
    }
    const qint64 back = table.Bookmark();
    table.DisableControls();
    for (int row : marked) {
        table.SetRecNo(row + 1);
        copyCurrent();
    }
    table.GotoBookmark(back);
    table.EnableControls();
    grid->ClearMarks();
}

int TRecClipBoard::Paste(TTable& table, bool postSingle, int startNumber, const QString& numberField, TPasteMode mode)
{
    if (Recs.isEmpty() || SourceTable.data() != &table || !table.Active())
        return 0;
    int pasted = 0;
    int number = startNumber;
    const bool postEach = Recs.size() > 1 || postSingle;
    for (const TCustomRec& rec : Recs) {
        QString asked;
        if (!AskedField.isEmpty() && (!Ask(Prompt, asked) || asked.isEmpty()))
            break;
        if (mode == pmOverwrite)
            table.Edit();
        else
            table.Append(); // rows are placed by the table's order either way
        for (const TRecField& f : rec.Fields) {
            TField* target = table.FindField(f.Name);
            if (target && !target->ReadOnly())
                target->SetValue(f.Value);
        }
        if (!AskedField.isEmpty())
            table.FieldByName(AskedField).SetValue(asked);
        if (!RandomKeyField.isEmpty())
            table.FieldByName(RandomKeyField).SetValue(RandomKey());
        if (!numberField.isEmpty())
            table.FieldByName(numberField).SetValue(number++);
        if (postEach)
            table.Post();
        ++pasted;
    }
    return pasted;
}
