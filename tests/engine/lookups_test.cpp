#include "engine/article_lookups.h"
#include "engine/element_facts.h"
#include "engine/param_lookups.h"
#include "engine_fixture.h"

using LookupTest = EngineTest;

TEST_F(LookupTest, ParameterReadersFindOnlyTheirRange)
{
    TSelectionParams p;
    ReadFalzParams(101, false, p);
    EXPECT_EQ(std::tuple(p.FalzLuft, p.FalzSize, p.FalzPos), std::tuple(12, 20, 9));
    ReadDornMass(250, false, p);
    EXPECT_FLOAT_EQ(p.DornMass, 15);

    // 250 is a backset: the rebate view does not see it, and a quiet miss leaves zeros.
    EXPECT_EQ(Raised([&] { ReadFalzParams(250, false, p); }),
              QStringLiteral("В БД параметров фальца отсутствуют данные для кода [250]!"));
    ReadFalzParams(101, false, p);
    ReadFalzParams(250, true, p);
    EXPECT_EQ(std::tuple(p.FalzLuft, p.FalzSize, p.FalzPos), std::tuple(0, 0, 0));

    quint8 mullion = 9;
    EXPECT_EQ(Raised([&] { ReadDornMass(101, false, p); }),
              QStringLiteral("В БД параметров дорнмасса отсутствуют данные для кода [101]!"));
    EXPECT_EQ(Raised([&] { ReadStulpType(401, false, mullion); }),
              QStringLiteral("В БД типов штульпа отсутствуют данные для кода [401]!"));
    EXPECT_EQ(mullion, 0);
    EXPECT_EQ(Raised([&] { ReadOpenType(301, false, p); }),
              QStringLiteral("В БД типов открываний створок отсутствуют данные для кода [301]!"));
    ReadStulpType(301, false, mullion);
    EXPECT_EQ(mullion, 3);
    ReadOpenType(402, false, p);
    EXPECT_EQ(p.OpenType, 2);

    EXPECT_EQ(FalzName(101), QStringLiteral("Фальц 12/20-9"));
    EXPECT_EQ(FalzName(250), QString());
    EXPECT_EQ(DornName(250), QStringLiteral("Дорнмасс 15"));
    EXPECT_EQ(StulpName(301), QStringLiteral("Штульп 3"));
    EXPECT_EQ(OpenTypeName(402), QStringLiteral("Т-образная"));
    EXPECT_EQ(OpenTypeName(9999), QString());
}

TEST_F(LookupTest, SelectionParametersCheckBacksetAndRebateAfterTheLookUps)
{
    auto sash = TFakeSash::Rectangle(1000, 1400);
    TFakeComplect c(*sash);
    TSelectionParams p = ResolveSelectionParams(c);
    EXPECT_FLOAT_EQ(p.ProfWidth, 68);
    EXPECT_FLOAT_EQ(p.Thickness, 70);
    EXPECT_FLOAT_EQ(p.DornMass, 37.5f);
    EXPECT_EQ(p.OpenType, 1);

    sash->Dorn = 202; // DornMass 0
    EXPECT_EQ(Raised([&] { ResolveSelectionParams(c); }), QStringLiteral("Не определена величина 'Дормасс'!"));
    c.Open = 999; // the look-ups come before the checks
    EXPECT_EQ(Raised([&] { ResolveSelectionParams(c); }),
              QStringLiteral("В БД типов открываний створок отсутствуют данные для кода [999]!"));
    sash->Dorn = 201;
    c.Open = 401;
    c.Falz = 102;
    EXPECT_EQ(Raised([&] { ResolveSelectionParams(c); }),
              QStringLiteral("В документации не установлены\r\nпараметры фальца 12/0-9!"));

    c.Stulp = 999;
    c.Arrange = 2;
    EXPECT_EQ(ResolveMullionType(c), 6); // a single sash needs no mullion code
    c.Arrange = 0;
    EXPECT_EQ(Raised([&] { ResolveMullionType(c); }),
              QStringLiteral("В БД типов штульпа отсутствуют данные для кода [999]!"));
    c.Stulp = 301;
    c.Arrange = 1;
    EXPECT_EQ(ResolveMullionType(c), 3);
}

TEST_F(LookupTest, SystemAndComplectLookUps)
{
    EXPECT_EQ(SystemCommonGroup(QStringLiteral("100"), false), 10);
    EXPECT_EQ(SystemCommonGroup(QStringLiteral("999"), true), 0);
    EXPECT_EQ(Raised([] { SystemCommonGroup(QStringLiteral("999"), false); }),
              QStringLiteral("В БД отсутствуют данные для системы [999]!"));
    EXPECT_EQ(SystemName(QStringLiteral("110")), QStringLiteral("Roto NT Designo"));
    EXPECT_EQ(SystemName(QStringLiteral("999")), QString());
    EXPECT_EQ(SystemBaseColor(QStringLiteral("110")), QStringLiteral("BR"));
    EXPECT_EQ(KeeperSystemName(QStringLiteral("K'2")), QStringLiteral("Планки с кавычкой"));
    EXPECT_EQ(KeeperSystemName(QStringLiteral("K9")), QString());
    EXPECT_EQ(ColorName(QStringLiteral("BR")), QStringLiteral("Коричневый"));
    EXPECT_EQ(ColorName(QString()), QString());
    EXPECT_EQ(ColorName(QStringLiteral("X")), QString());

    EXPECT_TRUE(ComplectExists(QStringLiteral("MAIN")));
    EXPECT_EQ(Dm().T_FrnComp.FieldByName(QStringLiteral("ID")).AsString(), QStringLiteral("MAIN"));
    EXPECT_FALSE(ComplectExists(QStringLiteral("NONE")));
    EXPECT_EQ(ComplectName(QStringLiteral("HANDLE")), QStringLiteral("Ручка"));
    EXPECT_EQ(Raised([] { ComplectName(QStringLiteral("NONE")); }),
              QStringLiteral("В БД комплектов фурнитур отсутствуют\r\nданные для комплекта [NONE]"));
    QString name = QStringLiteral("x");
    EXPECT_FALSE(TryComplectName(QStringLiteral("NONE"), name));
    EXPECT_TRUE(name.isEmpty());
    EXPECT_TRUE(TryComplectName(QStringLiteral("Q'UOTE"), name));
    EXPECT_EQ(name, QStringLiteral("Комплект с кавычкой"));
    EXPECT_EQ(ComplectGroup(QStringLiteral("HANDLE")), 2);
    EXPECT_EQ(ComplectGroup(QStringLiteral("NONE")), 0);
    EXPECT_EQ(ComplectScreenColor(QStringLiteral("MAIN")), 255);
    EXPECT_EQ(ComplectScreenColor(QStringLiteral("NONE")), 16777215);
    EXPECT_EQ(ComplectImage(QStringLiteral("HANDLE")), 7);
    EXPECT_EQ(ComplectImage(QStringLiteral("NONE")), 0);
    bool printable = false;
    EXPECT_EQ(ComplectPrintName(QStringLiteral("MAIN"), printable), QStringLiteral("Основной (печать)"));
    EXPECT_TRUE(printable);
    EXPECT_EQ(ComplectPrintName(QStringLiteral("HANDLE"), printable), QStringLiteral("Ручка (печать)"));
    EXPECT_FALSE(printable);
    EXPECT_EQ(ComplectPrintName(QStringLiteral("NONE"), printable), QString());
    EXPECT_EQ(HandleDirection(QStringLiteral("MAIN"), 2), 1);
    EXPECT_EQ(HandleDirection(QStringLiteral("MAIN"), 1), 0);
    EXPECT_EQ(HandleDirection(QStringLiteral("MAIN"), 7), 0);
}

TEST_F(LookupTest, PropertyKeyTest)
{
    struct TCase
    {
        int Key;
        QStringList Choices;
        int Slot;
        bool Allowed;
    } cases[] = {
        {99, {QStringLiteral("0=123")}, 0, true},  // no rows for the key
        {5, {QStringLiteral("0=123")}, 0, false},  // another value of a property the key lists
        {5, {QStringLiteral("1=123")}, 0, true},   // another slot
        {5, {QStringLiteral("1=123")}, 1, false},
        {5, {QStringLiteral("0=135")}, 0, true},   // a property the key does not mention
        {5, {QStringLiteral("0=121")}, 0, true},
        {5, {QStringLiteral("0x122")}, 0, true},   // the separator is not read
        {5, {QStringLiteral("0=121"), QStringLiteral("0=123")}, 0, false},
        {5, {}, 0, true},
        {7, {QStringLiteral("0=135")}, 0, false},
        {7, {QStringLiteral("0=121")}, 0, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PropKeyAllowed(c.Key, c.Choices, c.Slot), c.Allowed) << c.Key << " " << c.Choices.join(QLatin1Char(',')).toStdString();
    // A choice without a number fails in the number conversion, and the filter is gone afterwards.
    EXPECT_FALSE(Raised([] { PropKeyAllowed(5, {QStringLiteral("0=")}, 0); }).isEmpty());
}

TEST_F(LookupTest, ArticleLookUps)
{
    struct TCase
    {
        const char* Id;
        int Kind;
        const char* Result;
    } cases[] = {{"U2", 0, "P2-U2"}, {"U2", 1, "P1-U2"}, {"U2", 2, "P2-U2"}, {"U2", 3, ""},
                 {"U0", 0, "P1-U0"}, {"ART-KA", 0, "P-ART-KA"}, {"U0", -1, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(ProducerArticle(QString::fromUtf8(c.Id), c.Kind, false), QString::fromUtf8(c.Result)) << c.Id << c.Kind;
    EXPECT_EQ(ProducerArticle(QStringLiteral("NONE"), 0, true), QString());
    EXPECT_EQ(Raised([] { ProducerArticle(QStringLiteral("NONE"), 0, false); }),
              QStringLiteral("В каталоге отсутствуют данные для [NONE]!\r\n(Поиск [Артикул производителя] через [Код])"));

    TArticleInfo info;
    ASSERT_TRUE(ArticleInfo(QStringLiteral("U2"), false, info));
    EXPECT_EQ(info.ProdArticle2, QStringLiteral("P2-U2"));
    EXPECT_EQ(info.Name, QStringLiteral("Два номера"));
    EXPECT_EQ(info.Unit, QStringLiteral("шт"));
    EXPECT_FALSE(ArticleInfo(QStringLiteral("NONE"), true, info));
    EXPECT_TRUE(info.Name.isEmpty());

    EXPECT_EQ(ArticleUnit(QStringLiteral("U0")), QStringLiteral("м"));
    EXPECT_EQ(Raised([] { ArticleUnit(QStringLiteral("NONE")); }),
              QStringLiteral("В каталоге отсутствуют данные для [NONE]!\r\n(Поиск [Ед.изм] через [Код])"));
    EXPECT_EQ(ArticleName(QStringLiteral("NONE"), true), QString());
    EXPECT_EQ(Raised([] { ArticleName(QStringLiteral("NONE"), false); }),
              QStringLiteral("В каталоге отсутствуют данные для [NONE]!\r\n(Поиск [Наименование] через [Код])"));

    EXPECT_EQ(ArticleField(QStringLiteral("U2"), QStringLiteral("ProdArticle2"), false).toString(), QStringLiteral("P2-U2"));
    EXPECT_FALSE(ArticleField(QStringLiteral("U2"), QStringLiteral("NoSuchField"), false).isValid());
    EXPECT_FALSE(ArticleField(QString(), QStringLiteral("Name"), false).isValid());
    EXPECT_FALSE(ArticleField(QStringLiteral("NONE"), QStringLiteral("Name"), true).isValid());
    EXPECT_EQ(Raised([] { ArticleField(QStringLiteral("NONE"), QStringLiteral("Name"), false); }),
              QStringLiteral("В каталоге не найден материал с кодом [NONE]!"));

    EXPECT_FALSE(IsVirtualArticle(QString()));
    EXPECT_TRUE(IsVirtualArticle(QStringLiteral("ACC-DV")));
    EXPECT_FALSE(IsVirtualArticle(QStringLiteral("ACC-D")));
    EXPECT_FALSE(IsVirtualArticle(QStringLiteral("NONE")));
}

TEST_F(LookupTest, CurrencyLookUps)
{
    EXPECT_EQ(CurrencyName(2), QStringLiteral("EUR"));
    EXPECT_EQ(CurrencyName(9), QString());
    EXPECT_EQ(CurrencyDecimals(2), 3);
    EXPECT_EQ(CurrencyDecimals(9), 2);
    TCurrencyWords words;
    words.Nominative = QStringLiteral("keep");
    EXPECT_FALSE(CurrencyWords(9, words));
    EXPECT_EQ(words.Nominative, QStringLiteral("keep"));
    ASSERT_TRUE(CurrencyWords(1, words));
    EXPECT_EQ(words.Nominative, QStringLiteral("рубль"));
    EXPECT_EQ(words.Genitive, QStringLiteral("рубля"));
    EXPECT_EQ(words.GenitivePlural, QStringLiteral("рублей"));
    EXPECT_EQ(words.Gender, 1);
    EXPECT_EQ(words.Decimals, 2);
}

// Articles, elements and property keys are remembered between sashes; an edit of their tables
// must show in the next answer.
TEST_F(LookupTest, RememberedLookUpsFollowCatalogueEdits)
{
    auto setField = [](TTable& t, const QString& id, const char* field, const QVariant& to) {
        ASSERT_TRUE(t.Locate(QStringLiteral("ID"), id));
        t.Edit();
        t.FieldByName(QString::fromLatin1(field)).SetValue(to);
        t.Post();
    };
    TTable& catalog = Dm().T_Catalog;
    EXPECT_FALSE(IsVirtualArticle(QStringLiteral("ACC-D")));
    setField(catalog, QStringLiteral("ACC-D"), "Virtual", 1);
    EXPECT_TRUE(IsVirtualArticle(QStringLiteral("ACC-D")));
    setField(catalog, QStringLiteral("ACC-D"), "Virtual", 0);
    EXPECT_FALSE(IsVirtualArticle(QStringLiteral("ACC-D")));

    // What is read while a filter hides an article holds only as long as that filter.
    EXPECT_TRUE(IsVirtualArticle(QStringLiteral("ACC-DV")));
    catalog.SetFilter(QStringLiteral("ID <> 'ACC-DV'"));
    catalog.SetFiltered(true);
    EXPECT_FALSE(IsVirtualArticle(QStringLiteral("ACC-DV")));
    catalog.SetFiltered(false);
    catalog.SetFilter(QString());
    EXPECT_TRUE(IsVirtualArticle(QStringLiteral("ACC-DV")));

    TTable& items = Dm().T_FrnItem;
    EXPECT_EQ(ElementFacts(QStringLiteral("EPLAIN")).Name, QStringLiteral("Простой элемент"));
    setField(items, QStringLiteral("EPLAIN"), "Name", QStringLiteral("Другое имя"));
    EXPECT_EQ(ElementFacts(QStringLiteral("EPLAIN")).Name, QStringLiteral("Другое имя"));
    setField(items, QStringLiteral("EPLAIN"), "Name", QStringLiteral("Простой элемент"));

    // Key 7 lists property 131 only, so another property of that ten is allowed until listed.
    TTable& props = Dm().T_FrnProp;
    EXPECT_TRUE(PropKeyAllowed(7, {QStringLiteral("0=125")}, 0));
    props.Append();
    props.FieldByName(QStringLiteral("ID")).SetAsInteger(126);
    props.FieldByName(QStringLiteral("PropKey")).SetAsInteger(7);
    props.Post();
    EXPECT_FALSE(PropKeyAllowed(7, {QStringLiteral("0=125")}, 0));
    ASSERT_TRUE(props.Locate(QStringLiteral("ID"), 126));
    props.Delete();
    EXPECT_TRUE(PropKeyAllowed(7, {QStringLiteral("0=125")}, 0));

    // A key without rows allows everything until it gets some.
    EXPECT_TRUE(PropKeyAllowed(99, {QStringLiteral("0=123")}, 0));
    props.Append();
    props.FieldByName(QStringLiteral("ID")).SetAsInteger(124);
    props.FieldByName(QStringLiteral("PropKey")).SetAsInteger(99);
    props.Post();
    EXPECT_FALSE(PropKeyAllowed(99, {QStringLiteral("0=123")}, 0));
    ASSERT_TRUE(props.Locate(QStringLiteral("ID"), 124));
    props.Delete();
    EXPECT_TRUE(PropKeyAllowed(99, {QStringLiteral("0=123")}, 0));
}
