#include "engine/calculate_complect.h"
#include "engine_fixture.h"

namespace {

class CalculateTest : public EngineTest
{
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        Sash = TFakeSash::Rectangle(1000, 1400);
        Complect = std::make_unique<TFakeComplect>(*Sash);
    }
    QStringList Run(const char* main)
    {
        Sash->Items.clear();
        Complect->Slots[0] = QString::fromUtf8(main);
        EXPECT_TRUE(CalculateComplect(Complect.get()));
        return Sash->Lines();
    }
    QString Fails(const char* main)
    {
        return Raised([&] { Run(main); });
    }

    std::unique_ptr<TFakeSash> Sash;
    std::unique_ptr<TFakeComplect> Complect;
};

QStringList L(std::initializer_list<const char*> items)
{
    QStringList out;
    for (const char* s : items)
        out << QString::fromUtf8(s);
    return out;
}

} // namespace

TEST_F(CalculateTest, NoComplectDoesNothing)
{
    EXPECT_FALSE(CalculateComplect(nullptr));
}

TEST_F(CalculateTest, SashSizeInCentimetresByTwoRoundings)
{
    Sash->Width = 1234;
    EXPECT_EQ(Run("SIZE"), L({"ART-PLAIN x1 s0 SIZE 'any'", "ART-PLAIN x1 s0 SIZE 'le123'", "ART-PLAIN x1 s0 SIZE 'h100-140'"}));
    Sash->Width = 1235;
    EXPECT_EQ(Run("SIZE"), L({"ART-PLAIN x1 s0 SIZE 'any'", "ART-PLAIN x1 s0 SIZE 'ge124'", "ART-PLAIN x1 s0 SIZE 'h100-140'"}));
}

TEST_F(CalculateTest, SlotsInOrderThenAdditionalComplects)
{
    Complect->Decor = QStringLiteral("BR");
    Complect->Slots[1] = QStringLiteral("HANDLE");
    Complect->Slots[6] = QStringLiteral("STULP");
    Complect->Extra = {QString(), QStringLiteral("LENGTH")};
    Sash->SidesList[1].HandleSide = true;
    Debug = true;
    Run("MAIN");
    QStringList parents;
    for (const TEngineItem& i : Sash->Items)
        parents << i.ParentComplect + QLatin1Char(':') + i.ID;
    // Sorted by article; the slot order shows in the handle: HANDLE, expanded after MAIN, sets it.
    EXPECT_EQ(parents, L({"HANDLE:ART-HND2", "LENGTH:ART-LEN", "LENGTH:ART-LEN", "MAIN:ART-NC", "MAIN:ART-PLAIN",
                          "STULP:ART-PLAIN", "STULP:ART-PLAIN"}));
    EXPECT_EQ(Sash->HandleCalls, (std::vector<std::tuple<int, int, int>>{{1, 1050, 0}})); // HANDLE has no side rows

    // The user's handle height is passed to the main complect only.
    Sash->HandleCalls.clear();
    Complect->UserHeight = true;
    Run("MAIN");
    EXPECT_EQ(Sash->HandleCalls.size(), 1u);
}

TEST_F(CalculateTest, EqualLinesMergeOutsideDebugMode)
{
    EXPECT_EQ(Run("TWIN"), L({"ART-PLAIN x5 s1 TWIN 'n'"}));
    EXPECT_TRUE(Sash->Items[0].History.isEmpty());
    Debug = true;
    EXPECT_EQ(Run("TWIN"), L({"ART-PLAIN x2 s1 TWIN 'n'", "ART-PLAIN x3 s1 TWIN 'n'"}));
    EXPECT_EQ(Sash->Items[0].History, QStringLiteral("Комплект:TWIN -> Элемент:EPLAIN -> Артикул:ART-PLAIN"));
}

TEST_F(CalculateTest, KeepersBySideComplectMullionAndProperty)
{
    Debug = true;
    Complect->Extra = {QStringLiteral("KEEP2")};
    Run("KEEP");
    // KEEP's source on side 2 (2 pieces): EKA for any side, EKB for side 2 and EKB with key 5; not
    // EKC (KEEP2 only) nor the mullion-3 row. KEEP2's source on side 3: EKA, EKC and EKB with key 5. Colour
    // accessories come for keepers too (ACC-KA), but keepers are not looked up for keepers.
    EXPECT_EQ(Sash->Lines(), L({"ACC-KA x2 s2 KEEP", "ACC-KA x1 s3 KEEP2", "ART-KA x2 s2 KEEP", "ART-KA x1 s3 KEEP2",
                                "ART-KB x2 s2 KEEP", "ART-KB x2 s2 KEEP", "ART-KB x1 s3 KEEP2", "ART-KC x3 s3 KEEP2", "ART-KSRC x2 s2 KEEP",
                                "ART-KSRC x1 s3 KEEP2"}));
    EXPECT_EQ(Sash->Items[2].History,
              QStringLiteral("Комплект:KEEP -> Элемент:EKSRC -> Артикул:ART-KSRC -> Элемент:EKA -> Артикул:ART-KA"));
    EXPECT_EQ(Sash->Items[0].History, Sash->Items[2].History + QStringLiteral(" -> Артикул:ACC-KA"));

    Sash->Props = {QStringLiteral("0=123")};
    Complect->Extra.clear();
    Debug = false;
    EXPECT_EQ(Run("KEEP"), L({"ACC-KA x2 s2 KEEP", "ART-KA x2 s2 KEEP", "ART-KB x2 s2 KEEP", "ART-KSRC x2 s2 KEEP"}));

    // The mullion type of a two-sash construction selects the StulpType rows.
    Complect->Arrange = 0;
    Sash->Props.clear();
    EXPECT_TRUE(Run("KEEP").contains(QStringLiteral("ART-KB x6 s2 KEEP")));

    Sash->Keeper.clear();
    EXPECT_EQ(Fails("KEEP"), QStringLiteral("Для комплекта фурнитуры [Подбор ответных планок]\r\nне указана система ответных планок!"));
}

TEST_F(CalculateTest, KeeperSystemRule)
{
    struct TCase
    {
        const char* FurnSys;
        QStringList Keepers;
    } cases[] = {
        {"100", L({"ART-K100"})}, {"110", L({"ART-K100", "ART-K110"})}, {"150", L({"ART-K100"})},
        {"ABC", L({"ART-K100", "ART-K110"})}, {"200", L({})},
    };
    for (const auto& c : cases) {
        Complect->Furn = QString::fromUtf8(c.FurnSys);
        Run("SYS");
        QStringList keepers;
        for (const TEngineItem& i : Sash->Items)
            if (i.ID != QStringLiteral("ART-SYS"))
                keepers << i.ID;
        EXPECT_EQ(keepers, c.Keepers) << c.FurnSys;
    }
}

TEST_F(CalculateTest, ColourAccessoriesAndAccessories)
{
    Complect->Decor = QStringLiteral("W");
    // White: only the white colour accessory (not its own colour accessory), the accessories of
    // the article (the virtual one ignored), none for the colour accessory.
    EXPECT_EQ(Run("ACC"), L({"ACC-D x4 s1 ACC", "ACC-DP x2 s1 ACC", "ACC-W x2 s1 ACC", "ART-ACC x2 s1 ACC"}));
    Complect->Decor = QStringLiteral("BR");
    EXPECT_EQ(Run("ACC"), L({"ACC-D x4 s1 ACC", "ACC-DP x2 s1 ACC", "ACC-FROMABD x2 s1 ACC", "ACC-NC x2 s1 ACC",
                             "ART-ACC x2 s1 ACC"}));
    Sash->Props = {QStringLiteral("0=123")};
    EXPECT_FALSE(Run("ACC").contains(QStringLiteral("ACC-DP x2 s1 ACC")));
}

TEST_F(CalculateTest, FailuresInTheirOrder)
{
    // An empty main complect with a handle complect fails after the backset and rebate checks.
    Complect->Slots[1] = QStringLiteral("HANDLE");
    EXPECT_EQ(Fails(""), QStringLiteral("Комплект фурнитуры [] не найден в документации!"));
    Sash->Dorn = 202;
    EXPECT_EQ(Fails(""), QStringLiteral("Не определена величина 'Дормасс'!"));
    Sash->Dorn = 201;
    // A single sash calculates with a mullion code the catalogue lacks.
    Complect->Slots[1].clear();
    Complect->Stulp = 999;
    EXPECT_EQ(Run("TWIN").size(), 1);
    Complect->Arrange = 1;
    EXPECT_EQ(Fails("TWIN"), QStringLiteral("В БД типов штульпа отсутствуют данные для кода [999]!"));
    // A failure deep inside a composite element leaves every table unfiltered (checked on tear-down).
    Complect->Arrange = 2;
    EXPECT_FALSE(Fails("BAD-COMPOSITE").isEmpty());
    EXPECT_FALSE(Fails("BAD-REQ").isEmpty());
}

TEST_F(CalculateTest, ComplectFitsSash)
{
    EXPECT_TRUE(ComplectFitsSash(*Sash, QStringLiteral("MAIN")));
    EXPECT_FALSE(ComplectFitsSash(*Sash, QStringLiteral("SIZE"))); // three rows for four sides
    EXPECT_FALSE(ComplectFitsSash(*Sash, QStringLiteral("L1")));   // MaxAngle 0 against 90
    EXPECT_FALSE(ComplectFitsSash(*Sash, QStringLiteral("NONE")));
    Sash->SidesList[1].Length = 299.4; // rounds to 299, below MinSize 300
    EXPECT_FALSE(ComplectFitsSash(*Sash, QStringLiteral("MAIN")));
    Sash->SidesList[1].Length = 299.5;
    EXPECT_TRUE(ComplectFitsSash(*Sash, QStringLiteral("MAIN")));
    Sash->SidesList[1].Full = true; // FullRadius 0: no arc allowed
    EXPECT_FALSE(ComplectFitsSash(*Sash, QStringLiteral("MAIN")));
}

// Whether an article has keepers or accessories is remembered between sashes; a row added to
// or taken from the accessory table shows in the next calculation.
TEST_F(CalculateTest, AccessoriesFollowEditsOfTheirTable)
{
    Complect->Decor = QStringLiteral("W");
    const QStringList before = Run("ACC");
    ASSERT_FALSE(before.contains(QStringLiteral("ACC-FROMABD x2 s1 ACC")));
    TTable& dop = Dm().T_FrnDop;
    dop.Append();
    dop.FieldByName(QStringLiteral("CatalogID")).SetAsString(QStringLiteral("ACC-W"));
    dop.FieldByName(QStringLiteral("AccessoryID")).SetAsString(QStringLiteral("ACC-FROMABD"));
    dop.FieldByName(QStringLiteral("Number")).SetAsInteger(1);
    dop.Post();
    EXPECT_TRUE(Run("ACC").contains(QStringLiteral("ACC-FROMABD x2 s1 ACC")));
    ASSERT_TRUE(dop.Locate(QStringLiteral("CatalogID"), QStringLiteral("ACC-W")));
    dop.Delete();
    EXPECT_EQ(Run("ACC"), before);
}
