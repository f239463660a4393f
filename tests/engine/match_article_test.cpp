#include "engine/match_article.h"
#include "engine_fixture.h"

namespace {

class MatchTest : public EngineTest
{
protected:
    TArticleRequest Request(const char* element)
    {
        TArticleRequest r;
        r.Query.ElementId = QString::fromUtf8(element);
        r.Query.KeeperSystem = QStringLiteral("K1");
        r.Query.Direction = 1;
        r.Query.MullionType = 6;
        r.Query.ProfWidth = 100;
        r.Query.Params.FalzLuft = 12;
        r.Query.Params.FalzSize = 20;
        r.Query.Params.FalzPos = 9;
        r.Query.Params.DornMass = 37.5f;
        r.OwnerName = QStringLiteral("Владелец");
        return r;
    }
    QString Match(const TArticleRequest& r, int* height = nullptr)
    {
        TArticleMatch m;
        m.Article = QStringLiteral("stale");
        const bool found = MatchArticle(r, m);
        if (height)
            *height = m.HandleHeight;
        return found ? m.Article : QStringLiteral("<none>");
    }
};

} // namespace

TEST_F(MatchTest, ElementClauseAloneAndTheChooser)
{
    EXPECT_EQ(Match(Request("EPLAIN")), QStringLiteral("ART-PLAIN"));
    EXPECT_TRUE(Chooser.Asked.empty());

    // Two rows: the chooser is asked; the row under the cursor is taken, also on Cancel.
    Chooser.Script = {{2, false}};
    EXPECT_EQ(Match(Request("ETWO")), QStringLiteral("ART-T2"));
    ASSERT_EQ(Chooser.Asked.size(), 1u);
    EXPECT_EQ(Chooser.Asked[0], (QStringList{QStringLiteral("ART-T1"), QStringLiteral("ART-T2")}));
    EXPECT_EQ(Chooser.Caption, QStringLiteral("Список артикулов"));
    EXPECT_EQ(Chooser.Prompt,
              QStringLiteral("В документации присутствует несколько альтернативных вариантов. Выберите нужный элемент."));
    // Asked again on the next search: the choice is not remembered.
    EXPECT_EQ(Match(Request("ETWO")), QStringLiteral("ART-T1"));
    EXPECT_EQ(Chooser.Asked.size(), 2u);

    // Tools without a user refuse to guess; the table's filter goes with the failure.
    TRefusingChooser refusing;
    SetArticleChooser(&refusing);
    EXPECT_EQ(Raised([&] { Match(Request("ETWO")); }),
              QStringLiteral("В документации присутствует несколько альтернативных вариантов (ART-T1, ART-T2).\r\n"
                             "Выбор артикула без пользователя невозможен!"));
    TFirstRowChooser first;
    SetArticleChooser(&first);
    EXPECT_EQ(Match(Request("ETWO")), QStringLiteral("ART-T1"));
}

TEST_F(MatchTest, ColourAndItsColourlessFallBack)
{
    auto r = Request("ECOL");
    r.Query.Color = QStringLiteral("BR"); // no brown rows: the colourless one, without a question
    EXPECT_EQ(Match(r), QStringLiteral("ART-NC"));
    EXPECT_TRUE(Chooser.Asked.empty());

    r.Query.Color = QStringLiteral("W"); // two white rows and a colourless one: only the white ones offered
    Chooser.Script = {{2, true}};
    EXPECT_EQ(Match(r), QStringLiteral("ART-W2"));
    ASSERT_EQ(Chooser.Asked.size(), 1u);
    EXPECT_EQ(Chooser.Asked[0], (QStringList{QStringLiteral("ART-W1"), QStringLiteral("ART-W2")}));

    // Quotes inside the element code and the colour select exactly.
    auto q = Request("EQ'UOTE");
    q.Query.Color = QStringLiteral("W'");
    EXPECT_EQ(Match(q), QStringLiteral("ART-Q'1"));
    q.Query.Color = QStringLiteral("W");
    EXPECT_EQ(Match(q), QStringLiteral("ART-Q2"));
}

TEST_F(MatchTest, WeightProfileWidthAndDirection)
{
    EXPECT_EQ(Match(Request("EWEIGHT")), QStringLiteral("ART-WT0")); // always compared with 0.00
    EXPECT_EQ(Match(Request("EPW")), QStringLiteral("ART-PW100"));
    auto keeper = Request("EPW");
    keeper.Query.ProfWidth = 0;
    EXPECT_EQ(Match(keeper), QStringLiteral("ART-PW0"));

    // Direction 3 suits both; FalzLuft 13 of the third row does not fit.
    EXPECT_EQ(Match(Request("EDIR")), QStringLiteral("ART-D3"));
    auto two = Request("EDIR");
    two.Query.Direction = 2;
    Chooser.Script = {{1, true}};
    EXPECT_EQ(Match(two), QStringLiteral("ART-D2"));
    EXPECT_EQ(Chooser.Asked.at(0), (QStringList{QStringLiteral("ART-D2"), QStringLiteral("ART-D3")}));
}

TEST_F(MatchTest, HandleHeight)
{
    int height = -1;
    auto r = Request("EHANDLE");
    r.Query.Principle = 2;
    r.Query.FFH = 141;
    r.DefineHandleHeight = true;
    EXPECT_EQ(Match(r, &height), QStringLiteral("ART-HND"));
    EXPECT_EQ(height, 71); // half of FFH, rounded half away from zero
    r.Query.Principle = 7;
    Match(r, &height);
    EXPECT_EQ(height, 0); // the angle principle has no dimension
    r.Query.Principle = 2;
    r.DefineHandleHeight = false;
    Match(r, &height);
    EXPECT_EQ(height, 0);
    auto own = Request("EHANDLE2");
    own.DefineHandleHeight = true;
    Match(own, &height);
    EXPECT_EQ(height, 1050);
}

TEST_F(MatchTest, MissingArticlesAndMessages)
{
    auto none = Request("ENOART");
    none.Required = true;
    EXPECT_EQ(Match(none), QStringLiteral("<none>")); // no FrnArt row at all: silently nothing

    auto req = Request("EREQ");
    EXPECT_EQ(Match(req), QStringLiteral("<none>"));
    req.Required = true;
    EXPECT_EQ(Raised([&] { Match(req); }),
              QStringLiteral("В БД артикулов фурнитуры не найден подходящий\r\nартикул для элемента фурнитуры "
                             "[Обязательный элемент]!\r\n\r\nИскомый запрос:\r\nFalzLuft = 12 and ID='EREQ' "));
    req.AlertText = QStringLiteral("Своё сообщение");
    EXPECT_EQ(Raised([&] { Match(req); }), QStringLiteral("Своё сообщение"));

    // The message shows the coloured filter, not the fall-back.
    auto col = Request("EPARTC");
    col.Required = true;
    col.Query.Color = QStringLiteral("X");
    EXPECT_EQ(Raised([&] { Match(col); }),
              QStringLiteral("В БД артикулов фурнитуры не найден подходящий\r\nартикул для элемента фурнитуры "
                             "[Цветная часть]!\r\n\r\nИскомый запрос:\r\nID='EPARTC' and Color = 'X' "));

    EXPECT_EQ(Raised([&] { Match(Request("EEMPTYART")); }),
              QStringLiteral("В БД артикулов фурнитуры найден пустой\r\nартикул для элемента фурнитуры "
                             "[Элемент с пустым артикулом]!"));
    EXPECT_EQ(Raised([&] { Match(Request("EGHOST")); }),
              QStringLiteral("Элемент фурнитуры [EGHOST] не найден в документации!"));
    auto keeper = Request("EKA");
    keeper.Query.KeeperSystem.clear();
    EXPECT_EQ(Raised([&] { Match(keeper); }),
              QStringLiteral("Для комплекта фурнитуры [Владелец]\r\nне указана система ответных планок!"));
    EXPECT_EQ(Match(Request("EKA")), QStringLiteral("ART-KA"));
}
