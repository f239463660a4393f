#include "engine/expand_complect.h"
#include "engine/param_lookups.h"
#include "engine_fixture.h"

namespace {

class ExpandTest : public EngineTest
{
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        Sash = TFakeSash::Rectangle(1000, 1400);
        Context.FFB = 100;
        Context.FFH = 140;
        Context.Direction = 1;
        Context.MullionType = 6;
        Context.Params.FalzLuft = 12;
        Context.Params.FalzSize = 20;
        Context.Params.FalzPos = 9;
        Context.Params.DornMass = 37.5f;
        Context.Params.OpenType = 1;
    }
    // Expands and returns the notes of the lines (or the message raised).
    QStringList Notes(const char* complect, int slot = 0)
    {
        Sash->Items.clear();
        Context.Sash = Sash.get();
        ExpandComplect(QString::fromUtf8(complect), slot, Context);
        QStringList notes;
        for (const TEngineItem& i : Sash->Items)
            notes << i.Comment;
        return notes;
    }
    QString Fails(const char* complect)
    {
        return Raised([&] { Notes(complect); });
    }

    std::unique_ptr<TFakeSash> Sash;
    TExpansionContext Context;
};

QStringList L(std::initializer_list<const char*> items)
{
    QStringList out;
    for (const char* s : items)
        out << QString::fromUtf8(s);
    return out;
}

} // namespace

TEST_F(ExpandTest, SizeWindows)
{
    Context.FFB = 123;
    EXPECT_EQ(Notes("SIZE"), L({"any", "le123", "h100-140"}));
    Context.FFB = 124;
    Context.FFH = 141;
    EXPECT_EQ(Notes("SIZE"), L({"any", "ge124"}));
}

TEST_F(ExpandTest, SideLengthAngleAndAdjacentWindows)
{
    auto other = TFakeSash::Rectangle(700, 1400);
    Context.Adjacent = other.get();
    Sash->SidesList[1].Length = 812.5;
    // No window without limits; 812.5 is above 800; side 1 (1400) within 1000..2000; the corner
    // of 90 degrees outside 80..85; the adjacent sash's side 1 of 1400 at least 1000.
    EXPECT_EQ(Notes("L1"), L({"nowindow", "min800", "l2", "adjacent"}));
    other->SidesList[0].Length = 999;
    Sash->SidesList[1].Length = 800;
    Sash->SidesList[0].Angle = 82.5;
    EXPECT_EQ(Notes("L1"), L({"nowindow", "max800", "min800", "l2", "angle80-85"}));
}

TEST_F(ExpandTest, RadiusWindowsAndKinds)
{
    EXPECT_EQ(Notes("RAD"), L({"t1"})); // straight top side: not a full semicircle, radius 0
    Sash->SidesList[1].Radius1 = 6495; // 649.5 mm rounds to 650
    Sash->SidesList[1].Full = true;
    EXPECT_EQ(Notes("RAD"), L({"t1", "t2", "r600-700"}));
    Sash->SidesList[1].Full = false;
    Sash->SidesList[1].Partial = true;
    EXPECT_EQ(Notes("RAD"), L({"t1", "r600-700"}));
}

TEST_F(ExpandTest, MullionRestriction)
{
    for (auto [mullion, want] : {std::pair{6, L({"s0", "s1"})}, {3, L({"s0", "s1", "s8"})}, {0, L({"s0", "s1"})}}) {
        Context.MullionType = mullion;
        EXPECT_EQ(Notes("STULP"), want) << mullion;
    }
}

TEST_F(ExpandTest, CountRules)
{
    Context.FFB = 85;
    Context.FFH = 110;
    Sash->SidesList[1].Length = 850;
    Notes("SCALE");
    QStringList counts;
    for (const TEngineItem& i : Sash->Items)
        counts << QStringLiteral("%1=%2").arg(i.Comment).arg(i.Count);
    // scheme: 2 entries of 60;80;x;100 times 3 plus 1; step: ((85-40) div 30 + 1 + 1) * 1;
    // height scheme with a zero step: 1 + 2; side 2 of 850: ((850-500) div 250 + 0 + 1) * 2.
    EXPECT_EQ(counts, L({"scheme=7", "step=3", "height=3", "side=4"}));
}

TEST_F(ExpandTest, CompositeElementsAndVirtualParents)
{
    Debug = true;
    Context.InnerColor = QStringLiteral("BR");
    Notes("VIRT");
    // The virtual parent adds only its parts: 3 x 2 of EPART1 on the caller's side 4, EPART8 left
    // out for mullion type 6, ENOART silently absent; ECOMP has its own article and parts.
    // (The rows of a complect come in the catalogue's key order: ECOMP before EVIRT.)
    EXPECT_EQ(Sash->Lines(), L({"ART-COMP x1 s0 VIRT", "ART-PCBR x4 s0 VIRT", "ART-P1 x1 s1 VIRT",
                                "ART-P1 x6 s4 VIRT 'part'"}));
    EXPECT_EQ(Sash->Items[3].History, QStringLiteral("Комплект:VIRT -> Элемент:EVIRT -> Элемент:EPART1 -> Артикул:ART-P1"));
    EXPECT_EQ(Sash->Items[0].History, QStringLiteral("Комплект:VIRT -> Элемент:ECOMP -> Артикул:ART-COMP"));

    Context.MullionType = 3;
    Sash->Props = {QStringLiteral("0=135")}; // excludes the EPART1 part of ECOMP (key 7)
    Notes("VIRT");
    EXPECT_EQ(Sash->Lines(), L({"ART-COMP x1 s0 VIRT", "ART-PCBR x4 s0 VIRT", "ART-P1 x6 s4 VIRT 'part'",
                                "ART-P8 x3 s2 VIRT"}));
    // Parts are not expanded further in another slot either: the property key test uses the slot.
    Notes("VIRT", 1);
    EXPECT_EQ(Sash->Items.size(), 5u);
}

TEST_F(ExpandTest, ReferenceToTheAdjacentSashArticle)
{
    auto other = TFakeSash::Rectangle(700, 1400);
    Context.Adjacent = other.get();
    EXPECT_EQ(Notes("USEIF"), L({"always"}));
    other->Items.push_back(TEngineItem{QStringLiteral("ART-X"), 0, 1, {}, {}, 0, {}});
    EXPECT_EQ(Notes("USEIF"), L({"useif", "always"}));
    other->Complect = false;
    EXPECT_TRUE(Fails("USEIF").contains(QStringLiteral("Комплект для смежной створки еще не определен")));
}

TEST_F(ExpandTest, HandleHeightSetByRowsAndSeenByLaterRows)
{
    Context.FFH = 141;
    Sash->SidesList[1].HandleSide = true;
    Sash->SidesList[1].HandleHeight = 700;
    Notes("HANDLEH");
    // A rod before the handle rows sees the side's height; by-height sets 71 on side 2 with
    // HandleDirect 1 of the side table and the next rod reads it; the angle row's article brings
    // 1050, its side number 9 is invalid so the first handle side takes it.
    EXPECT_EQ(Sash->HandleCalls, (std::vector<std::tuple<int, int, int>>{{1, 71, 1}, {1, 1050, 1}}));
    EXPECT_EQ(Sash->Lines(), L({"ART-AROD x1 s0 HANDLEH 'before' L700", "ART-HND x1 s0 HANDLEH 'by-height'",
                                "ART-ROD1 x1 s0 HANDLEH 'rod' L71", "ART-HND2 x1 s0 HANDLEH 'by-angle'",
                                "ART-LEN x1 s0 HANDLEH 'rod2' L1050"}));

    // With the user's handle height the rows do not move the handle.
    Sash->HandleCalls.clear();
    Sash->SidesList[1].HandleHeight = 700;
    Context.UserHandleHeight = true;
    Notes("HANDLEH");
    EXPECT_TRUE(Sash->HandleCalls.empty());
    EXPECT_EQ(Sash->Items[2].Length, 700);
    EXPECT_EQ(Sash->Items[4].Length, 700);
}

TEST_F(ExpandTest, PropertiesColoursAndLengths)
{
    Sash->Props = {QStringLiteral("0=123")};
    EXPECT_EQ(Notes("PROPS"), L({"nokey"}));
    EXPECT_EQ(Notes("PROPS", 1), L({"key5", "nokey"}));

    Context.OuterColor = QStringLiteral("BR");
    Context.InnerColor = QStringLiteral("W");
    Context.DecorColor = QStringLiteral("BR");
    Chooser.Script = {{2, true}};
    Notes("COLORS");
    EXPECT_EQ(Sash->Lines(), L({"ART-NC x1 s0 COLORS 'outer'", "ART-W2 x1 s0 COLORS 'inner'",
                                "ART-NC x1 s0 COLORS 'byopen'", "ART-NC x1 s0 COLORS 'decor'"}));
    Context.Params.OpenType = 0; // rule 3 then takes the inner colour
    Notes("COLORS");
    EXPECT_EQ(Chooser.Asked.size(), 3u);

    EXPECT_EQ(Notes("LENGTH"), L({"half", "unused"}));
    EXPECT_EQ(Sash->Items[0].Length, 500);
    EXPECT_EQ(Sash->Items[1].Length, 0);
}

TEST_F(ExpandTest, TShapedSashAndUnknownComplect)
{
    Context.Params.OpenType = 2;
    EXPECT_EQ(Fails("MAIN"), QStringLiteral("Не допускается установка комплекта [MAIN] на T-образную створку!"));
    EXPECT_EQ(Notes("COLORS").size(), 4);
    EXPECT_EQ(Fails("NONE"), QStringLiteral("Комплект фурнитуры [NONE] не найден в документации!"));
}

TEST_F(ExpandTest, MalformedRowsRaiseTheirMessages)
{
    const QString intro = QStringLiteral("В БД наборов фурнитуры в комплекте [%1]\r\nсодержится элемент фурнитуры [Простой элемент],\r\n");
    const QString install = QStringLiteral("для которого определены условия установки, зависящие от\r\n");
    const QString principle = QStringLiteral("который использует принцип расчета, зависящий от\r\n");
    auto other = TFakeSash::Rectangle(700, 1400);
    struct TCase
    {
        const char* Complect;
        QString Tail;
        bool WithAdjacent;
    } cases[] = {
        {"BAD-L1", install + QStringLiteral("длины стороны, на которую он устанавливается.\r\nНомер 1-ой расчетной стороны в условиях определен неверно!"), false},
        {"BAD-L2", install + QStringLiteral("длины стороны, на которую он устанавливается.\r\nНомер 2-ой расчетной стороны в условиях определен неверно!"), false},
        {"BAD-R1", install + QStringLiteral("радиуса стороны, на которую он устанавливается.\r\nНомер 1-ой расчетной стороны в условиях определен неверно!"), false},
        {"BAD-R2", install + QStringLiteral("радиуса стороны, на которую он устанавливается.\r\nНомер 2-ой расчетной стороны в условиях определен неверно!"), false},
        {"BAD-A", install + QStringLiteral("параметров угла, на который он устанавливается.\r\nНомер расчетного угла в условиях определен неверно!"), false},
        {"BAD-ADJ", install + QStringLiteral("длины стороны смежной створки.\r\nНомер стороны смежной створки в условиях определен неверно!"), true},
        {"BAD-NOADJ", install + QStringLiteral("длины стороны смежной створки.\r\nСмежная створка не установлена. Установите сначала створку."), false},
        {"BAD-S1", principle + QStringLiteral("параметров стороны, на которую он устанавливается.\r\nНомер 1-ой расчетной стороны определен неверно!"), false},
        {"BAD-S2", principle + QStringLiteral("параметров стороны, на которую он устанавливается.\r\nНомер 2-ой расчетной стороны определен неверно!"), false},
        {"BAD-C", principle + QStringLiteral("угла, на котором он устанавливается.\r\nНомер расчетного угла определен неверно!"), false},
        {"BAD-STEP", QStringLiteral("имеющий масштабирование и шаг равный нулю!"), false},
        // The reference to the adjacent sash is checked before the size window that would skip the row.
        {"BAD-USEIF", QStringLiteral("для которого определена ссылка на артикул смежной штульповой створки.\r\nКомплект для "
                                     "смежной створки еще не определен. Установите сначала комплект на соседнюю створку!"), false},
    };
    for (const auto& c : cases) {
        Context.Adjacent = c.WithAdjacent ? other.get() : nullptr;
        const QString name = ComplectName(QString::fromUtf8(c.Complect));
        EXPECT_EQ(Fails(c.Complect), intro.arg(name) + c.Tail) << c.Complect;
    }
    Context.Adjacent = nullptr;
    EXPECT_EQ(Fails("BAD-EMPTY"), QStringLiteral("В БД наборов фурнитуры в комплекте\r\n[Пустой элемент] содержится пустой элемент!"));
    EXPECT_EQ(Fails("BAD-MINLEN"),
              QStringLiteral("В БД наборов фурнитуры в комплекте [Короткая тяга]\r\nсодержится элемент фурнитуры [Тяга],\r\n"
                             "имеющий недопустимое расчетное значение длины 0,0 (Мин. допустимая длина = 10)!\r\n"
                             "(Одна из возможных причин - установлена недопустимая высота ручки при расчете тяги)"));
    EXPECT_EQ(Fails("BAD-ALERT"), QStringLiteral("Нет подходящего артикула!"));
    EXPECT_TRUE(Fails("BAD-REQ").startsWith(QStringLiteral("В БД артикулов фурнитуры не найден подходящий")));
    EXPECT_TRUE(Notes("BAD-NOITEM").isEmpty()); // an element without articles adds nothing
    EXPECT_EQ(Fails("BAD-COMPOSITE"), QStringLiteral("В составе составного элемента [Пустая часть] содержится пустой элемент!"));
}

// A complect's rows are read once for all sashes; an edit of FrnSet shows in the next expansion.
TEST_F(ExpandTest, RowsFollowEditsOfTheComplectTable)
{
    Context.FFB = 123;
    ASSERT_EQ(Notes("SIZE").value(0), QStringLiteral("any"));
    TTable& set = Dm().T_FrnSet;
    auto setNote = [&](const char* from, const char* to) {
        ASSERT_TRUE(set.Locate(QStringLiteral("ID;Note"), QVariantList{QStringLiteral("SIZE"), QString::fromUtf8(from)}));
        set.Edit();
        set.FieldByName(QStringLiteral("Note")).SetAsString(QString::fromUtf8(to));
        set.Post();
    };
    setNote("any", "edited");
    EXPECT_EQ(Notes("SIZE"), L({"edited", "le123", "h100-140"}));
    setNote("edited", "any");
    EXPECT_EQ(Notes("SIZE"), L({"any", "le123", "h100-140"}));
}
