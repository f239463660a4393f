#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <algorithm>

#include "catalog/catalog_import.h"
#include "catalog/data_module.h"
#include "engine/engine_hooks.h"
#include "engine/fittings_engine.h"
#include "foundation/error.h"
#include "model/construction.h"
#include "model/currency_list.h"
#include "model/order.h"
#include "model/pricing.h"
#include "qt_print.h"

// The reference positions shipped with the demo catalogue, calculated through the model and the
// engine, against the lists worked out by hand beside them.
namespace {

QJsonObject ReadJson(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw TError(QStringLiteral("cannot read ") + path);
    return QJsonDocument::fromJson(f.readAll()).object();
}

QStringList Strings(const QJsonValue& v)
{
    QStringList out;
    for (const QJsonValue& s : v.toArray())
        out << s.toString();
    return out;
}

TComplectChoice SashChoice(const QJsonObject& s)
{
    TComplectChoice c;
    c.MainComplect = s[QStringLiteral("MainComplect")].toString();
    c.HingeComplect = s[QStringLiteral("HingeComplect")].toString();
    c.HandleComplect = s[QStringLiteral("HandleComplect")].toString();
    c.LockComplect = s[QStringLiteral("LockComplect")].toString();
    c.CylinderComplect = s[QStringLiteral("CylinderComplect")].toString();
    c.CloserComplect = s[QStringLiteral("CloserComplect")].toString();
    c.LatchComplect = s[QStringLiteral("LatchComplect")].toString();
    c.UserHeightSet = s[QStringLiteral("UserHeightSet")].toBool();
    c.UserHandleHeight = s[QStringLiteral("UserHandleHeight")].toInt();
    c.DornType = s[QStringLiteral("DornType")].toInt();
    c.Properties = Strings(s[QStringLiteral("Properties")]);
    c.ExtraComplects = Strings(s[QStringLiteral("ExtraComplects")]);
    return c;
}

QString Line(const QString& id, int count, double length, int side, const QString& parent, const QString& comment)
{
    return QStringLiteral("%1 x%2 L%3 s%4 %5 '%6'").arg(id).arg(count).arg(length).arg(side).arg(parent, comment);
}

class FirstRowCounter final : public TArticleChooser
{
public:
    int Questions = 0;
    bool Choose(TTable&, const QString&, const QStringList&, const QString&, const QString&) override
    {
        ++Questions;
        return true;
    }
};

class DemoReferenceTest : public ::testing::TestWithParam<QString>
{
protected:
    static void SetUpTestSuite()
    {
        Dir = new QTemporaryDir;
        ImportCatalog(QStringLiteral(DIRAVIR_DATA_DIR "/catalog"), Dir->filePath(QStringLiteral("cat")));
        Dm = new TDM;
        Dm->ConnectCatalog(Dir->filePath(QStringLiteral("cat")));
        Dm->OpenCatalogTables();
    }
    static void TearDownTestSuite()
    {
        delete Dm;
        delete Dir;
    }
    static inline QTemporaryDir* Dir = nullptr;
    static inline TDM* Dm = nullptr;
};

TEST_P(DemoReferenceTest, ListsMatchTheWorkedOutOnes)
{
    RegisterFittingsEngine();
    FirstRowCounter chooser;
    SetArticleChooser(&chooser);
    SetDebugModeSource([] { return false; });
    TokfCurrencyList rates;
    TakeSnapshot(rates);
    const TPricingContext previous = PricingContext();
    SetPricingContext({1, 0, &rates});

    const QString dir = QStringLiteral(DIRAVIR_DATA_DIR "/orders/");
    const QJsonObject input = ReadJson(dir + GetParam() + QStringLiteral(".json"));
    const QJsonObject expected = ReadJson(dir + GetParam() + QStringLiteral(".expected.json"));
    TokfOrder order;
    order.InnerProfColor = input[QStringLiteral("InnerProfColor")].toString();
    order.OuterProfColor = input[QStringLiteral("OuterProfColor")].toString();
    const QJsonArray positions = input[QStringLiteral("Positions")].toArray();
    const QJsonArray wanted = expected[QStringLiteral("Positions")].toArray();
    ASSERT_EQ(positions.size(), wanted.size());
    for (qsizetype p = 0; p < positions.size(); ++p) {
        const QJsonObject pos = positions[p].toObject();
        const QJsonObject fit = pos[QStringLiteral("Fittings")].toObject();
        TokfConstruction c(&order);
        const int figure = pos[QStringLiteral("Figure")].toInt();
        c.Arrangement = figure == 1 ? arRightMain : figure == 2 ? arLeftMain : arSingle;
        const float r = static_cast<float>(pos[QStringLiteral("R")].toDouble());
        c.BuildOutline(TOutlineShape{pos[QStringLiteral("B")].toInt(), pos[QStringLiteral("H")].toInt(),
                                     static_cast<std::uint8_t>(figure), pos[QStringLiteral("X")].toInt(),
                                     pos[QStringLiteral("Y")].toInt(), r, r},
                       input[QStringLiteral("DornType")].toInt());
        TFittingsChoice choice;
        choice.FurnSys = fit[QStringLiteral("FurnSys")].toString();
        choice.ProfSys = fit[QStringLiteral("ProfSys")].toString();
        choice.Color = fit[QStringLiteral("Color")].toString();
        choice.FalzType = fit[QStringLiteral("FalzType")].toInt();
        choice.StulpType = fit[QStringLiteral("StulpType")].toInt();
        choice.OpenType = fit[QStringLiteral("OpenType")].toInt();
        choice.ProfWidth = static_cast<float>(fit[QStringLiteral("ProfWidth")].toDouble());
        choice.ProfThickness = static_cast<float>(fit[QStringLiteral("ProfThickness")].toDouble());
        const QJsonArray sashes = fit[QStringLiteral("Sashes")].toArray();
        choice.First = SashChoice(sashes[0].toObject());
        if (sashes.size() > 1)
            choice.Second = SashChoice(sashes[1].toObject());
        try {
            c.SetFittings(choice);
        } catch (const TError& e) {
            ADD_FAILURE() << GetParam().toStdString() << ": " << e.Message().toStdString();
            continue;
        }

        const QJsonArray wantSashes = wanted[p].toObject()[QStringLiteral("Sashes")].toArray();
        for (qsizetype s = 0; s < wantSashes.size(); ++s) {
            QStringList want;
            for (const QJsonValue& v : wantSashes[s].toObject()[QStringLiteral("Items")].toArray()) {
                const QJsonObject i = v.toObject();
                want << Line(i[QStringLiteral("ID")].toString(), i[QStringLiteral("Count")].toInt(),
                             i[QStringLiteral("Length")].toDouble(), i[QStringLiteral("SideNo")].toInt(),
                             i[QStringLiteral("ParentComplect")].toString(), i[QStringLiteral("Comment")].toString());
            }
            const TokfFlugel& f = s == 0 ? c.Flugel1 : c.Flugel2;
            QStringList got;
            for (int i = 0; f.Complect && i < f.Complect->ItemCount(); ++i) {
                const TokfFurnItem& item = f.Complect->Item(i);
                got << Line(item.ID, item.Count, item.Length, item.SideNo, item.ParentComplect, item.Comment);
            }
            // Lines of one article may come in any order.
            std::sort(want.begin(), want.end());
            std::sort(got.begin(), got.end());
            EXPECT_EQ(got, want) << GetParam().toStdString() << " sash " << s + 1;
        }
    }
    EXPECT_EQ(chooser.Questions, 0);
    for (TTable* t : Dm->CatalogTables())
        EXPECT_FALSE(t->Filtered()) << t->TableName().toStdString();

    SetPricingContext(previous);
    SetDebugModeSource({});
    SetArticleChooser(nullptr);
    RegisterFittingsCalculator(nullptr);
}

QStringList ReferenceOrders()
{
    QStringList names;
    const QDir dir(QStringLiteral(DIRAVIR_DATA_DIR "/orders"));
    for (const QString& f : dir.entryList({QStringLiteral("ref-*.expected.json")}, QDir::Files, QDir::Name))
        names << f.left(f.size() - int(sizeof(".expected.json")) + 1);
    return names;
}

INSTANTIATE_TEST_SUITE_P(Demo, DemoReferenceTest, ::testing::ValuesIn(ReferenceOrders()),
                         [](const ::testing::TestParamInfo<QString>& p) {
                             return p.param.left(6).replace(QLatin1Char('-'), QLatin1Char('_')).toStdString();
                         });

} // namespace
