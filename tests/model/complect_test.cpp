#include <gtest/gtest.h>

#include "fake_catalogue.h"
#include "model/construction.h"
#include "model/currency_list.h"
#include "model/pricing.h"

namespace {

TComplectChoice Choice(const char* main, const char* handle = "", const char* hinge = "")
{
    TComplectChoice c;
    c.MainComplect = QString::fromLatin1(main);
    c.HandleComplect = QString::fromLatin1(handle);
    c.HingeComplect = QString::fromLatin1(hinge);
    return c;
}

class Complect : public ::testing::Test
{
protected:
    Complect()
    {
        construction.BuildOutline({1000, 1400, 0, 0, 0, 0, 0}, 0);
        catalogue.AddArticle(QStringLiteral("A"), "1");
        catalogue.AddArticle(QStringLiteral("V"), "1");
        catalogue.Articles[QStringLiteral("V")].Virtual = true;
        // The window complect W: opens about the left side, handle on the right, hinges left.
        catalogue.Images.insert(QStringLiteral("W"), 3);
        catalogue.Images.insert(QStringLiteral("D"), 9);
        catalogue.Colors.insert(QStringLiteral("W"), 0x0000FF);
        catalogue.Colors.insert(QStringLiteral("HG"), 0x00FF00);
        catalogue.Images.insert(QStringLiteral("HG"), 11);
        const QList<TSideRole> roles{{1, 1, 3, 0, 1, 0, 0}, {3, 0, 0, 1, 0, 1, 1}, {5, 1, 1, 1, 1, 1, 0}};
        catalogue.Sides.insert(QStringLiteral("W"), roles);
        catalogue.Sides.insert(QStringLiteral("D"), roles);
        catalogue.Expansions.insert(QStringLiteral("W"), {{QStringLiteral("A"), 0, 2, 1, {}}, {QStringLiteral("V"), 0, 1, 1, {}}});
    }

    TFakeCatalogue catalogue;
    TokfConstruction construction;
    TokfFlugel& sash = construction.Flugel1;
};

} // namespace

TEST_F(Complect, AddItemMergesEqualLines)
{
    TokfFurnComp comp(&sash);
    comp.AddItem(QStringLiteral("A"), QStringLiteral("M"), QStringLiteral("h1"), false, 0, {}, 2, 1);
    comp.AddItem(QStringLiteral("A"), QStringLiteral("M"), QStringLiteral("h2"), false, 0, {}, 3, 1);
    ASSERT_EQ(comp.ItemCount(), 1);
    EXPECT_EQ(comp.Item(0).Count, 5);
    EXPECT_TRUE(comp.Item(0).History.isEmpty());

    comp.AddItem(QStringLiteral("A"), QStringLiteral("M"), {}, false, 1250.3, {}, 1, 1); // other length
    comp.AddItem(QStringLiteral("A"), QStringLiteral("M"), {}, false, 1250.3, {}, 1, 1); // same single length
    comp.AddItem(QStringLiteral("A"), QStringLiteral("M"), {}, false, 0, {}, 1, 2);      // other side
    comp.AddItem(QStringLiteral("A"), QStringLiteral("M"), {}, false, 0, QStringLiteral("x"), 1, 1);
    comp.AddItem(QStringLiteral("A"), QStringLiteral("K"), {}, false, 0, {}, 1, 1);
    ASSERT_EQ(comp.ItemCount(), 5);
    EXPECT_EQ(comp.Item(1).Count, 2);

    comp.AddItem(QStringLiteral("A"), QStringLiteral("M"), QStringLiteral("debug"), true, 0, {}, 2, 1);
    ASSERT_EQ(comp.ItemCount(), 6);
    EXPECT_EQ(comp.Item(5).History, QStringLiteral("debug"));

    comp.AddItem({}, QStringLiteral("M"), {}, true, 0, {}, 1, 1);
    comp.AddItem(QStringLiteral("A"), QStringLiteral("M"), {}, true, 0, {}, 0, 1);
    comp.AddItem(QStringLiteral("V"), QStringLiteral("M"), {}, true, 0, {}, 1, 1);
    EXPECT_EQ(comp.ItemCount(), 6);
    EXPECT_EQ(comp.FindItem(QStringLiteral("A"), QStringLiteral("M"), 0, 2, {}), 2);
    EXPECT_EQ(comp.FindItem(QStringLiteral("A"), QStringLiteral("M"), 0, 3, {}), -1);
    EXPECT_EQ(comp.FindArticle(QStringLiteral("A")), 0);
    EXPECT_EQ(comp.FindArticle(QStringLiteral("B")), -1);
}

TEST_F(Complect, SideRolesOfAWindowComplect)
{
    sash.Complect = std::make_unique<TokfFurnComp>(&sash);
    sash.Complect->SetCodes(Choice("W"));
    const TokfFurnComp& comp = *sash.Complect;
    EXPECT_EQ(comp.MainImage, 3);
    EXPECT_EQ(comp.HingeImage, 20);           // no hinge complect
    EXPECT_EQ(comp.HingeColor, 0x0000FF);     // the main complect's colour
    EXPECT_EQ(comp.HandleColor, 0xFFFFFF);    // unknown: white
    EXPECT_EQ(comp.HandleImage, 0);
    const TokfLine& left = sash.Side(0);
    EXPECT_TRUE(left.OpenSide);
    EXPECT_EQ(left.RotSide, 2);
    EXPECT_TRUE(left.Banded);
    EXPECT_FALSE(left.HandleSide);
    const TokfLine& right = sash.Side(2); // runs down from (10000, 0) to (10000, 14000)
    EXPECT_TRUE(right.HandleSide);        // window kind: a handle without a handle complect
    EXPECT_TRUE(right.Drived);
    EXPECT_EQ(right.RotSide, -1);
    EXPECT_EQ(right.HandleHeight, 700);   // half the side
    EXPECT_EQ(right.HandleMark, (TPoint{9990, 7000}));
    EXPECT_EQ(sash.FirstHandleSide(), 2);
    EXPECT_EQ(sash.FirstBandedSide(), 0);
    EXPECT_EQ(sash.HandleHeightOfSash(), 700);
    EXPECT_FALSE(sash.Side(1).OpenSide); // not listed: keeps its roles
    EXPECT_EQ(catalogue.Calculations, 0);  // codes only, no expansion

    TComplectChoice user = Choice("W", "", "HG");
    user.UserHeightSet = true;
    user.UserHandleHeight = 1050;
    sash.Complect->SetCodes(user);
    EXPECT_EQ(sash.Side(2).HandleHeight, 1050);
    EXPECT_EQ(comp.HingeImage, 11);
    EXPECT_EQ(comp.HingeColor, 0x00FF00);
}

TEST_F(Complect, DoorWithoutHandleComplectHasNoHandleSide)
{
    sash.Complect = std::make_unique<TokfFurnComp>(&sash);
    sash.Complect->SetCodes(Choice("D"));
    EXPECT_FALSE(sash.Side(2).HandleSide);
    EXPECT_EQ(sash.Side(2).HandleHeight, 0);
    sash.Complect->SetCodes(Choice("D", "G"));
    EXPECT_TRUE(sash.Side(2).HandleSide);
    // Without a main complect every side loses its roles.
    sash.Complect->SetCodes(Choice("", "G"));
    EXPECT_FALSE(sash.Side(0).OpenSide);
    EXPECT_FALSE(sash.Side(2).HandleSide);
    EXPECT_EQ(sash.Side(0).RotSide, -1);
    // Nothing chosen at all clears the complect.
    sash.Complect->SetCodes(Choice(""));
    EXPECT_EQ(sash.Complect->MainImage, -1);
    EXPECT_TRUE(sash.Complect->HandleComplect.isEmpty());
}

TEST_F(Complect, SetFittingsCalculatesAndPrices)
{
    TokfCurrencyList rates;
    rates.Add({1, 1.0f});
    SetPricingContext({1, 0, &rates});
    TFittingsChoice choice;
    choice.FurnSys = QStringLiteral("110");
    choice.First = Choice("W");
    choice.First.DornType = 215;
    construction.SetFittings(choice);
    SetPricingContext({});
    ASSERT_TRUE(sash.Complect);
    EXPECT_EQ(sash.DornType, 215);
    EXPECT_EQ(sash.Complect->FurnSys, QStringLiteral("110"));
    ASSERT_EQ(sash.Complect->ItemCount(), 1); // the virtual article is left out
    EXPECT_EQ(sash.Complect->Item(0).ParentComplect, QStringLiteral("W"));
    EXPECT_EQ(sash.MatList.Count(), 1);
    EXPECT_EQ(construction.Price, TMoney::Parse(QStringLiteral("2")));
    EXPECT_FALSE(construction.Flugel2.Complect);
}

TEST_F(Complect, FailedCalculationRemovesANewComplectOnly)
{
    catalogue.FailingComplect = QStringLiteral("W");
    EXPECT_THROW(sash.SetComplect({}, {}, {}, Choice("W")), TError);
    EXPECT_FALSE(sash.Complect);
    EXPECT_FALSE(sash.Side(0).OpenSide); // roles of the removed complect are gone

    catalogue.FailingComplect.clear();
    sash.SetComplect({}, {}, {}, Choice("W"));
    ASSERT_TRUE(sash.Complect);
    const TokfFurnComp* kept = sash.Complect.get();
    catalogue.FailingComplect = QStringLiteral("W");
    EXPECT_THROW(sash.SetComplect({}, {}, {}, Choice("W")), TError);
    EXPECT_EQ(sash.Complect.get(), kept);
    EXPECT_EQ(kept->ItemCount(), 0); // a failed calculation leaves no lines
}

TEST_F(Complect, SecondarySashFollowsTheMainSystem)
{
    TokfConstruction two;
    two.Arrangement = arLeftMain;
    two.BuildOutline({1300, 1400, 1, 600, 700, 0, 0}, 0);
    two.Flugel1.SetComplect(QStringLiteral("110"), {}, {}, Choice("W"));
    two.Flugel2.SetComplect(QStringLiteral("110"), {}, {}, Choice("W"));
    ASSERT_TRUE(two.Flugel2.Complect);
    two.Flugel1.SetComplect(QStringLiteral("120"), {}, {}, Choice("W"));
    EXPECT_FALSE(two.Flugel2.Complect); // another system on the main sash
    two.Flugel2.SetComplect(QStringLiteral("120"), {}, {}, Choice("W"));
    two.Flugel1.RemoveComplect();
    EXPECT_FALSE(two.Flugel2.Complect);

    two.Flugel1.SetComplect(QStringLiteral("120"), {}, {}, Choice("W"));
    two.Flugel2.SetComplect(QStringLiteral("120"), {}, {}, Choice("W"));
    EXPECT_EQ(two.FirstComplect(), two.Flugel1.Complect.get());
    EXPECT_EQ(two.NextComplect(), two.Flugel2.Complect.get());
    EXPECT_EQ(two.NextComplect(), nullptr);
    two.DropComplect(1);
    EXPECT_FALSE(two.Flugel1.Complect);
    EXPECT_TRUE(two.Flugel2.Complect);
    two.DropComplect(0);
    EXPECT_FALSE(two.Flugel2.Complect);
}

TEST_F(Complect, NoRecalcSetsCodesOnly)
{
    TokfConstruction two;
    two.BuildOutline({1000, 1400, 0, 0, 0, 0, 0}, 0);
    two.Flugel2.Complect = std::make_unique<TokfFurnComp>(&two.Flugel2);
    two.SetFittingsNoRecalc(Choice("W"), Choice("W"));
    ASSERT_TRUE(two.Flugel1.Complect);
    EXPECT_FALSE(two.Flugel2.Complect); // a single sash drops the second complect
    EXPECT_EQ(catalogue.Calculations, 0);
    EXPECT_TRUE(two.Flugel1.Side(0).OpenSide);
    two.SetFittingsNoRecalc(Choice(""), Choice(""));
    EXPECT_FALSE(two.Flugel1.Complect);
    EXPECT_FALSE(two.Flugel1.Side(0).OpenSide);
}

TEST_F(Complect, ComplectNamesListsFiveKinds)
{
    catalogue.ComplectNames.insert(QStringLiteral("W"), QStringLiteral("Поворотно-откидной"));
    catalogue.ComplectNames.insert(QStringLiteral("G"), QStringLiteral("Ручка"));
    sash.Complect = std::make_unique<TokfFurnComp>(&sash);
    sash.Complect->MainComplect = QStringLiteral("W");
    sash.Complect->HandleComplect = QStringLiteral("G");
    sash.Complect->LockComplect = QStringLiteral("L");
    QStringList names;
    construction.ComplectNames(names);
    EXPECT_EQ(names, (QStringList{QStringLiteral("Поворотно-откидной"), QStringLiteral("Ручка")}));
}
