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
#include "model/order_json.h"
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
    const QJsonObject expected = ReadJson(dir + GetParam() + QStringLiteral(".expected.json"));
    QFile file(dir + GetParam() + QStringLiteral(".json"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const TOrderInput input = ReadOrderInput(file.readAll(), {});
    TokfOrder order;
    ApplyOrderHeader(order, input, {});
    const QJsonArray wanted = expected[QStringLiteral("Positions")].toArray();
    ASSERT_EQ(input.Positions.size(), static_cast<size_t>(wanted.size()));
    for (qsizetype p = 0; p < wanted.size(); ++p) {
        TokfConstruction& c = order.AddPosition();
        try {
            BuildPosition(c, input.Positions[static_cast<size_t>(p)]);
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
