#include "platform/db/dataset_routines.h"

#include "foundation/error.h"
#include "foundation/messages.h"
#include "platform/db/query.h"
#include "platform/db/table.h"

bool OpenDataSet(TTable& table)
{
    try {
        table.Open();
        return true;
    } catch (const std::exception& e) {
        if (const auto* query = dynamic_cast<const TQuery*>(&table))
            ShowError(QStringLiteral("Ошибка открытия SQL-запроса:\r\n(%1)\r\nSQL:\r\n(%2)").arg(ErrorText(e), query->SQLText()));
        else
            ShowError(QStringLiteral("Ошибка открытия файла [%1]\r\n(%2)").arg(table.TableName(), ErrorText(e)));
        return false;
    }
}

bool CloseDataSet(TTable& table)
{
    try {
        table.Cancel();
        table.Close();
        return true;
    } catch (const std::exception& e) {
        if (const auto* query = dynamic_cast<const TQuery*>(&table))
            ShowError(QStringLiteral("Ошибка закрытия SQL-запроса:\r\n(%1)\r\nSQL:\r\n(%2)").arg(ErrorText(e), query->SQLText()));
        else
            ShowError(QStringLiteral("Ошибка закрытия файла [%1]\r\n(%2)").arg(table.TableName(), ErrorText(e)));
        return false;
    }
}
