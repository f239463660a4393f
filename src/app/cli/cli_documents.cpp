#include "app/cli/cli_documents.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

#include "app/cli/command.h"
#include "catalog/data_module.h"
#include "catalog/demo_generator.h"
#include "config/setup.h"
#include "engine/param_lookups.h"
#include "foundation/error.h"
#include "foundation/messages.h"
#include "foundation/ole_date.h"
#include "foundation/typed_stream.h"
#include "model/order.h"
#include "model/pricing.h"
#include "model/selection.h"
#include "platform/db/table.h"

bool ReadInputFile(const QString& path, QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowError(QStringLiteral("Невозможно открыть файл %1!\r\n(%2)").arg(path, file.errorString()));
        return false;
    }
    bytes = file.readAll();
    return true;
}

TNewOrderDefaults NewOrderDefaults()
{
    const TokfSetup& s = Setup();
    TNewOrderDefaults d;
    d.ProfSys = s.DefProfSys;
    d.FurnSys = s.DefFurnSys;
    d.InnerProfColor = SystemBaseColor(d.ProfSys);
    d.OuterProfColor = d.InnerProfColor;
    d.FurnColor = SystemBaseColor(d.FurnSys);
    d.Handle = s.DefHandle;
    d.FalzType = s.DefFalzType;
    d.DornType = s.DefDornType;
    d.StulpType = s.DefStulpFalzType;
    d.OpenType = s.DefFlugelType;
    d.Material = s.DefMaterial;
    d.Currency = s.CurCurrency;
    d.PriceGroupNo = s.PriceGrpNo;
    d.NDSTax = s.NDSTax;
    d.TotalNDS = s.TotalNDS;
    d.ShowIncludingNDS = s.ShowIncludingNDS;
    d.ObjectType = s.DefFurnSysGroup == 0 ? 0 : 1;
    d.ProfWidth = s.DefProfWidth;
    d.ProfThickness = s.DefProfThickness;
    return d;
}

void MakePricingContext(const TokfOrder& order)
{
    SetPricingContext({order.Currency, order.NDSTax, &order.Currencies});
}

void MakePricingContext(const TokfOrderSelection& selection)
{
    SetPricingContext({selection.Currency, selection.NDSTax, &selection.Currencies});
}

bool LoadOrder(const QString& path, TokfOrder& order)
{
    if (!QFileInfo(path).isFile()) {
        ShowError(QStringLiteral("Ошибка загрузки заказа!\r\n(Файл %1 не найден)").arg(path));
        return false;
    }
    bool converted = false;
    if (!order.LoadFromFile(path, converted))
        return false;
    MakePricingContext(order);
    return true;
}

bool LoadSelection(const QString& path, TokfOrderSelection& selection)
{
    if (!QFileInfo(path).isFile()) {
        ShowError(QStringLiteral("Ошибка загрузки выборки!\r\n(Файл %1 не найден)").arg(path));
        return false;
    }
    bool converted = false;
    if (!selection.LoadFromFile(path, converted))
        return false;
    MakePricingContext(selection);
    return true;
}

bool BuildOrder(const TOrderInput& input, const TNewOrderDefaults& defaults, TokfOrder& order)
{
    TakeSnapshot(order.Currencies);
    ApplyOrderHeader(order, input, defaults);
    MakePricingContext(order);
    for (const TPositionInput& in : input.Positions) {
        TokfConstruction& position = order.AddPosition();
        try {
            BuildPosition(position, in);
        } catch (const std::exception& e) {
            ShowError(QStringLiteral("%1\r\n[Позиция: %2]").arg(ErrorText(e), in.PosNo));
            return false;
        }
    }
    return true;
}

void PrintJson(const QJsonObject& object)
{
    PrintOut(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented)));
}

namespace {

QString Money(TMoney value)
{
    return value.ToString(4);
}

QString Number(double value)
{
    return QString::number(value, 'g', 10);
}

QString SashText(const TokfFlugel& sash, int number)
{
    const TFalzSize size = sash.FalzSize();
    QString text = QStringLiteral("  Створка %1: FFB %2 x FFH %3 мм, дорнмасс %4\n")
                       .arg(number)
                       .arg(size.Width)
                       .arg(size.Height)
                       .arg(sash.DornType);
    const TokfFurnComp* c = sash.Complect.get();
    if (!c)
        return text + QStringLiteral("    без фурнитуры\n");
    const QStringList codes{c->MainComplect, c->HandleComplect, c->HingeComplect, c->LockComplect,
                            c->CylinderComplect, c->CloserComplect, c->LatchComplect};
    QStringList chosen;
    for (const QString& s : codes)
        if (!s.isEmpty())
            chosen << s;
    chosen << c->ExtraComplects;
    text += QStringLiteral("    Комплекты: %1\n").arg(chosen.join(QStringLiteral(", ")));
    if (!c->Properties.isEmpty())
        text += QStringLiteral("    Свойства: %1\n").arg(c->Properties.join(QStringLiteral(", ")));
    text += QStringLiteral("    Фурнитура:\n");
    for (int i = 0; i < c->ItemCount(); ++i) {
        const TokfFurnItem& item = c->Item(i);
        text += QStringLiteral("      %1  x%2").arg(item.ID, -14).arg(item.Count);
        if (item.Length > 0)
            text += QStringLiteral("  L=%1").arg(Number(item.Length));
        if (item.SideNo > 0)
            text += QStringLiteral("  сторона %1").arg(item.SideNo);
        text += QStringLiteral("  [%1]").arg(item.ParentComplect);
        if (!item.Comment.isEmpty())
            text += QStringLiteral("  %1").arg(item.Comment);
        text += QLatin1Char('\n');
    }
    text += QStringLiteral("    Спецификация створки: %1 строк, %2\n").arg(sash.MatList.Count()).arg(Money(sash.MatListCost()));
    return text;
}

} // namespace

QString OrderText(const TokfOrder& order)
{
    QString text = QStringLiteral("Заказ № %1 от %2 (версия файла %3)\n")
                       .arg(order.No, OleDateToDate(order.Date).toString(QStringLiteral("dd.MM.yyyy")), order.Version);
    const auto field = [&](const char* caption, const QString& value) {
        if (!value.isEmpty())
            text += QStringLiteral("%1: %2\n").arg(QString::fromUtf8(caption), value);
    };
    field("Заказчик", order.Customer);
    field("Объект", order.Object);
    field("Адрес", order.Address);
    field("Телефон", order.Phone);
    field("Примечание", order.Remark);
    text += QStringLiteral("Фурнитура %1, цвет %2, ответные планки %3; фальц %4, дорнмасс %5, штульп %6, тип створки %7\n")
                .arg(order.FurnSys, order.FurnColor, order.ProfSys)
                .arg(order.FalzType)
                .arg(order.DornType)
                .arg(order.StulpType)
                .arg(order.OpenType);
    text += QStringLiteral("Валюта %1, НДС %2%\n").arg(order.Currency).arg(Number(order.NDSTax));
    for (const QString& note : order.Notes)
        text += QStringLiteral("  %1\n").arg(note);
    for (int i = 0; i < order.PositionCount(); ++i) {
        const TokfConstruction& c = order.Position(i);
        const TOverallSize size = c.OverallSize();
        text += QStringLiteral("\nПозиция %1%2: %3, %4 x %5 мм, %6 шт., цена %7, стоимость %8\n")
                    .arg(c.PosNo, c.Included ? QString() : QStringLiteral(" (не включена)"), c.Name)
                    .arg(Number(size.Width))
                    .arg(Number(size.Height))
                    .arg(c.Number)
                    .arg(Money(c.Price), Money(c.Cost()));
        text += SashText(c.Flugel1, 1);
        if (c.Arrangement != arSingle)
            text += SashText(c.Flugel2, 2);
    }
    text += QStringLiteral("\nИтого: %1, НДС: %2, всего: %3\n")
                .arg(Money(order.TotalCost()), Money(order.TotalNDSSum()), Money(order.TotalWithNDS()));
    return text;
}

QString SelectionText(const TokfOrderSelection& s)
{
    QString text = QStringLiteral("Выборка № %1 от %2 (версия файла %3)\n")
                       .arg(s.No, OleDateToDate(s.Date).toString(QStringLiteral("dd.MM.yyyy")), s.Version);
    if (!s.Name.isEmpty())
        text += QStringLiteral("Наименование: %1\n").arg(s.Name);
    // The header dialog's captions of the two modes.
    const QString rounding = s.RoundMode == 1 ? QStringLiteral("До мин. торговой величины")
                             : s.RoundMode == 0 ? QStringLiteral("Нет")
                                                : QString::number(s.RoundMode);
    text += QStringLiteral("Валюта %1, НДС %2%, округление: %3\n").arg(s.Currency).arg(Number(s.NDSTax)).arg(rounding);
    for (const QString& note : s.Note)
        text += QStringLiteral("  %1\n").arg(note);
    for (int i = 0; i < s.Count(); ++i) {
        const TokfOrderSelectionItem& e = s.Entry(i);
        text += QStringLiteral("%1 Заказ %2, позиция %3: %4, %5 шт., файл %6\n")
                    .arg(e.Included ? QStringLiteral("[x]") : QStringLiteral("[ ]"), e.OrderNo, e.PosNo, e.PosName)
                    .arg(e.Number)
                    .arg(e.OrderFile);
    }
    return text;
}

void PrintMatList(const TokfMatList& source, const QString& sort, bool json, bool csv)
{
    TokfMatList list = source;
    if (sort == QLatin1String("name"))
        SortByName(list);
    else
        SortById(list);
    TTable& catalog = TDM::Current()->T_Catalog;
    const auto look = [&](const QString& id, const char* field) {
        return catalog.Lookup(QStringLiteral("ID"), id, QLatin1String(field)).toString();
    };
    const TMoney total = MatListCost(list);
    if (json) {
        QJsonArray lines;
        for (const TokfMatListItem& line : list)
            lines.append(QJsonObject{
                {QStringLiteral("ID"), line.ID},
                {QStringLiteral("Article"), look(line.ID, "Article")},
                {QStringLiteral("ProdArticle"), look(line.ID, "ProdArticle")},
                {QStringLiteral("ProdArticle2"), look(line.ID, "ProdArticle2")},
                {QStringLiteral("ProdArticle3"), look(line.ID, "ProdArticle3")},
                {QStringLiteral("Name"), look(line.ID, "Name")},
                {QStringLiteral("Unit"), look(line.ID, "Unit")},
                {QStringLiteral("Quantity"), QString::number(static_cast<double>(line.Quantity), 'g', 7).toDouble()},
                {QStringLiteral("Price"), MoneyNumber(line.Price)},
                {QStringLiteral("Cost"), MoneyNumber(line.Cost)},
            });
        PrintJson(QJsonObject{{QStringLiteral("Lines"), lines}, {QStringLiteral("Total"), MoneyNumber(total)}});
        return;
    }
    if (csv) {
        const auto quote = [](QString v) {
            if (v.contains(QLatin1Char(',')) || v.contains(QLatin1Char('"')) || v.contains(QLatin1Char('\n')))
                v = QLatin1Char('"') + v.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
            return v;
        };
        QString text = QStringLiteral("ID,Article,ProdArticle,ProdArticle2,ProdArticle3,Name,Unit,Quantity,Price,Cost\n");
        for (const TokfMatListItem& line : list) {
            QStringList cells{line.ID, look(line.ID, "Article"), look(line.ID, "ProdArticle"), look(line.ID, "ProdArticle2"),
                              look(line.ID, "ProdArticle3"), look(line.ID, "Name"), look(line.ID, "Unit"),
                              Number(line.Quantity), Money(line.Price), Money(line.Cost)};
            for (QString& cell : cells)
                cell = quote(cell);
            text += cells.join(QLatin1Char(',')) + QLatin1Char('\n');
        }
        text += QStringLiteral(",,,,,Итого,,,,%1\n").arg(Money(total));
        PrintOut(text);
        return;
    }
    QString text;
    for (const TokfMatListItem& line : list)
        text += QStringLiteral("%1  %2  %3  %4 %5 x %6 = %7\n")
                    .arg(line.ID, -14)
                    .arg(look(line.ID, "Article"), -12)
                    .arg(look(line.ID, "Name"))
                    .arg(Number(line.Quantity), look(line.ID, "Unit"), Money(line.Price), Money(line.Cost));
    text += QStringLiteral("Итого: %1\n").arg(Money(total));
    PrintOut(text);
}

QString FindReferenceOrdersDir()
{
    const QString catalog = FindDemoCatalogDir();
    if (catalog.isEmpty())
        return {};
    const QString orders = QDir::cleanPath(QDir(catalog).absoluteFilePath(QStringLiteral("../orders")));
    return QFileInfo(orders).isDir() ? orders : QString();
}

QStringList ReferenceOrderFiles(const QString& dir)
{
    if (dir.isEmpty())
        return {};
    QStringList files;
    for (const QString& name : QDir(dir).entryList({QStringLiteral("ref-*.json")}, QDir::Files, QDir::Name))
        if (!name.endsWith(QLatin1String(".expected.json")))
            files << QDir(dir).filePath(name);
    return files;
}
