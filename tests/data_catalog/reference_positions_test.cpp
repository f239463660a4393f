#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

#include "catalog/catalog_import.h"
#include "catalog/data_module.h"
#include "engine/engine_hooks.h"
#include "engine/fittings_engine.h"
#include "foundation/error.h"
#include "model/construction.h"
#include "model/currency_list.h"
#include "model/order.h"
#include "model/pricing.h"
#include "data_catalog/demo_engine_fixture.h"

// The reference positions of data/orders, calculated by the model and the engine on the demo
// catalogue, must give the lists that were worked out by hand beside them.
namespace {

QJsonObject ReadJson(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

QStringList Strings(const QJsonValue& v)
{
    QStringList list;
    for (const QJsonValue& s : v.toArray())
        list << s.toString();
    return list;
}

TComplectChoice Choice(const QJsonObject& s)
{
    TComplectChoice c;
    c.MainComplect = s.value(QStringLiteral("MainComplect")).toString();
    c.HingeComplect = s.value(QStringLiteral("HingeComplect")).toString();
    c.HandleComplect = s.value(QStringLiteral("HandleComplect")).toString();
    c.LockComplect = s.value(QStringLiteral("LockComplect")).toString();
    c.CylinderComplect = s.value(QStringLiteral("CylinderComplect")).toString();
    c.CloserComplect = s.value(QStringLiteral("CloserComplect")).toString();
    c.LatchComplect = s.value(QStringLiteral("LatchComplect")).toString();
    c.UserHeightSet = s.value(QStringLiteral("UserHeightSet")).toBool();
    c.UserHandleHeight = s.value(QStringLiteral("UserHandleHeight")).toInt();
    c.DornType = s.value(QStringLiteral("DornType")).toInt();
    c.Properties = Strings(s.value(QStringLiteral("Properties")));
    c.ExtraComplects = Strings(s.value(QStringLiteral("ExtraComplects")));
    return c;
}

QString Line(const QString& id, int count, double length, int side, const QString& parent, const QString& comment)
{
    return QStringLiteral("%1 x%2 L%3 s%4 %5 '%6'").arg(id).arg(count).arg(length, 0, 'f', 1).arg(side).arg(parent, comment);
}

QStringList Lines(const TokfFlugel& f)
{
    QStringList lines;
    if (f.Complect)
        for (int i = 0; i < f.Complect->ItemCount(); ++i) {
            const TokfFurnItem& it = f.Complect->Item(i);
            lines << Line(it.ID, it.Count, it.Length, it.SideNo, it.ParentComplect, it.Comment);
        }
    lines.sort();
    return lines;
}

QStringList Expected(const QJsonObject& sash)
{
    QStringList lines;
    for (const QJsonValue& v : sash.value(QStringLiteral("Items")).toArray()) {
        const QJsonObject it = v.toObject();
        lines << Line(it.value(QStringLiteral("ID")).toString(), it.value(QStringLiteral("Count")).toInt(),
                      it.value(QStringLiteral("Length")).toDouble(), it.value(QStringLiteral("SideNo")).toInt(),
                      it.value(QStringLiteral("ParentComplect")).toString(), it.value(QStringLiteral("Comment")).toString());
    }
    lines.sort();
    return lines;
}

class ReferencePositions : public TDemoEngineTest, public ::testing::WithParamInterface<QString>
{
};

QStringList ReferenceOrders()
{
    QStringList names = QDir(QStringLiteral(DIRAVIR_DATA_DIR "/orders"))
                            .entryList({QStringLiteral("ref-*.json")}, QDir::Files, QDir::Name);
    names.removeIf([](const QString& n) { return n.endsWith(QLatin1String(".expected.json")); });
    return names;
}

} // namespace

TEST_P(ReferencePositions, GiveTheirWorkedOutLists)
{
    const QString dir = QStringLiteral(DIRAVIR_DATA_DIR "/orders/");
    const QJsonObject input = ReadJson(dir + GetParam());
    const QJsonArray expected =
        ReadJson(dir + QString(GetParam()).replace(QStringLiteral(".json"), QStringLiteral(".expected.json")))
            .value(QStringLiteral("Positions")).toArray();
    const QJsonArray positions = input.value(QStringLiteral("Positions")).toArray();
    ASSERT_FALSE(positions.isEmpty());
    ASSERT_EQ(positions.size(), expected.size());

    TokfOrder order;
    order.InnerProfColor = input.value(QStringLiteral("InnerProfColor")).toString();
    order.OuterProfColor = input.value(QStringLiteral("OuterProfColor")).toString();
    for (qsizetype p = 0; p < positions.size(); ++p) {
        const QJsonObject pos = positions.at(p).toObject();
        const QJsonObject fit = pos.value(QStringLiteral("Fittings")).toObject();
        const QJsonArray sashes = fit.value(QStringLiteral("Sashes")).toArray();
        TokfConstruction c(&order);
        c.Number = pos.value(QStringLiteral("Number")).toInt(1);
        c.ObjectType = static_cast<std::uint8_t>(pos.value(QStringLiteral("ObjectType")).toInt());
        const int figure = pos.value(QStringLiteral("Figure")).toInt();
        c.Arrangement = figure == 1 ? arRightMain : figure == 2 ? arLeftMain : arSingle;
        const float r = static_cast<float>(pos.value(QStringLiteral("R")).toDouble());
        c.BuildOutline(TOutlineShape{pos.value(QStringLiteral("B")).toInt(), pos.value(QStringLiteral("H")).toInt(),
                                     static_cast<std::uint8_t>(figure), pos.value(QStringLiteral("X")).toInt(),
                                     pos.value(QStringLiteral("Y")).toInt(), r, r},
                       input.value(QStringLiteral("DornType")).toInt());
        TFittingsChoice choice;
        choice.FurnSys = fit.value(QStringLiteral("FurnSys")).toString();
        choice.ProfSys = fit.value(QStringLiteral("ProfSys")).toString();
        choice.Color = fit.value(QStringLiteral("Color")).toString();
        choice.FalzType = fit.value(QStringLiteral("FalzType")).toInt();
        choice.StulpType = fit.value(QStringLiteral("StulpType")).toInt();
        choice.OpenType = fit.value(QStringLiteral("OpenType")).toInt();
        choice.ProfWidth = static_cast<float>(fit.value(QStringLiteral("ProfWidth")).toDouble());
        choice.ProfThickness = static_cast<float>(fit.value(QStringLiteral("ProfThickness")).toDouble());
        choice.First = Choice(sashes.at(0).toObject());
        if (sashes.size() > 1)
            choice.Second = Choice(sashes.at(1).toObject());
        try {
            c.SetFittings(choice);
        } catch (const std::exception& e) {
            FAIL() << "position " << p + 1 << ": " << ErrorText(e).toStdString();
        }
        const QJsonArray exp = expected.at(p).toObject().value(QStringLiteral("Sashes")).toArray();
        EXPECT_EQ(Lines(c.Flugel1), Expected(exp.at(0).toObject())) << "left sash";
        if (exp.size() > 1) {
            EXPECT_EQ(Lines(c.Flugel2), Expected(exp.at(1).toObject())) << "right sash";
        }
        EXPECT_GT(c.Price.ToDouble(), 0.0);
    }
}

INSTANTIATE_TEST_SUITE_P(DemoCatalog, ReferencePositions, ::testing::ValuesIn(ReferenceOrders()),
                         [](const ::testing::TestParamInfo<QString>& param) {
                             return QString(param.param).remove(QStringLiteral(".json")).replace(QLatin1Char('-'), QLatin1Char('_')).toStdString();
                         });
