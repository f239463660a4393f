#include "engine/fittings_engine.h"
#include "engine_fixture.h"
#include "model/construction.h"
#include "model/currency_list.h"
#include "model/order.h"
#include "model/pricing.h"

namespace {

class ModelTest : public EngineTest
{
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        RegisterFittingsEngine();
        Previous = PricingContext();
        TakeSnapshot(Rates);
        SetPricingContext({1, 0, &Rates});
    }
    void TearDown() override
    {
        SetPricingContext(Previous);
        RegisterFittingsCalculator(nullptr);
        EngineTest::TearDown();
    }
    static TFittingsChoice Choice()
    {
        TFittingsChoice c;
        c.FurnSys = QStringLiteral("100");
        c.ProfSys = QStringLiteral("K1");
        c.Color = QStringLiteral("BR");
        c.FalzType = 101;
        c.StulpType = 301;
        c.OpenType = 401;
        c.ProfWidth = 68;
        c.ProfThickness = 70;
        c.First.DornType = 201;
        c.Second.DornType = 201;
        return c;
    }
    static QStringList Lines(const TokfFlugel& f)
    {
        QStringList lines;
        if (!f.Complect)
            return lines;
        for (int i = 0; i < f.Complect->ItemCount(); ++i) {
            const TokfFurnItem& item = f.Complect->Item(i);
            lines << QStringLiteral("%1 x%2 s%3 %4").arg(item.ID).arg(item.Count).arg(item.SideNo).arg(item.ParentComplect);
        }
        return lines;
    }

    TokfCurrencyList Rates;
    TPricingContext Previous;
};

} // namespace

TEST_F(ModelTest, SingleSashThroughTheModel)
{
    TokfOrder order;
    TokfConstruction pos(&order);
    pos.Arrangement = arSingle;
    pos.BuildOutline(TOutlineShape{1000, 1400, 0, 0, 0, 0, 0}, 201);
    TFittingsChoice choice = Choice();
    choice.First.MainComplect = QStringLiteral("MAIN");
    choice.First.HandleComplect = QStringLiteral("HANDLE");
    pos.SetFittings(choice);
    ASSERT_TRUE(pos.Flugel1.Complect);
    EXPECT_EQ(Lines(pos.Flugel1), (QStringList{QStringLiteral("ART-HND2 x1 s2 HANDLE"), QStringLiteral("ART-NC x1 s3 MAIN"),
                                               QStringLiteral("ART-PLAIN x1 s1 MAIN")}));
    // The handle side from the side roles gets the article's height.
    EXPECT_TRUE(pos.Flugel1.Side(1).HandleSide);
    EXPECT_EQ(pos.Flugel1.Side(1).HandleHeight, 1050);
    EXPECT_TRUE(pos.Flugel1.Side(0).OpenSide);
    EXPECT_EQ(pos.Flugel1.Complect->MainImage, 1);
    EXPECT_EQ(pos.Price, TMoney::FromDouble(3)); // three pieces at 1.00 each
}

TEST_F(ModelTest, TwoSashesSeeEachOther)
{
    TokfOrder order;
    TokfConstruction pos(&order);
    pos.Arrangement = arLeftMain;
    pos.BuildOutline(TOutlineShape{1300, 1400, 1, 600, 700, 0, 0}, 201);
    TFittingsChoice choice = Choice();
    choice.First.MainComplect = QStringLiteral("XSRC");
    choice.Second.MainComplect = QStringLiteral("USEIF");
    pos.SetFittings(choice);
    // Both rows of USEIF: the one that needs ART-X on the adjacent sash, and the unconditional one.
    EXPECT_EQ(Lines(pos.Flugel2), (QStringList{QStringLiteral("ART-PLAIN x1 s0 USEIF"), QStringLiteral("ART-PLAIN x1 s0 USEIF")}));

    // A failing calculation leaves the sash without the complect it was to get, and no table filtered.
    choice.Second.MainComplect = QStringLiteral("BAD-REQ");
    TokfConstruction other(&order);
    other.Arrangement = arSingle;
    other.BuildOutline(TOutlineShape{1000, 1400, 0, 0, 0, 0, 0}, 201);
    choice.First.MainComplect = QStringLiteral("BAD-REQ");
    EXPECT_FALSE(Raised([&] { other.SetFittings(choice); }).isEmpty());
    EXPECT_FALSE(other.Flugel1.Complect);
}
