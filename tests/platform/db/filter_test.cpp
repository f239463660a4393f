#include <gtest/gtest.h>

#include <random>

#include "foundation/error.h"
#include "platform/db/filter.h"
#include "platform/db/filter_cache.h"

namespace {
TTableDef Def()
{
    TTableDef def;
    def.Name = QStringLiteral("FrnArt");
    def.FileName = QStringLiteral("FrnArt.DB");
    def.Fields = ParseFieldList(QStringLiteral("ID:A30 Color:A10 FFHMin:S FFHMax:S DornMassMin:N2 Direct:S Name:A20"));
    return def;
}

struct TRowSet
{
    std::vector<TColumn> Columns;
    explicit TRowSet(const TTableDef& def)
    {
        for (const auto& f : def.Fields) {
            TColumn c;
            c.IsText = IsTextType(f.Type);
            Columns.push_back(c);
        }
    }
    void Add(const QStringList& cells)
    {
        for (size_t i = 0; i < Columns.size(); ++i) {
            TColumn& c = Columns[i];
            const QString& v = cells[static_cast<qsizetype>(i)];
            if (c.IsText) {
                c.Text.push_back(v);
            } else {
                c.Num.push_back(v.toDouble());
                c.Blank.push_back(v.isEmpty());
            }
        }
    }
};

QString Error(const QString& text)
{
    try {
        TFilter::Compile(text, Def());
    } catch (const TError& e) {
        return e.Message();
    }
    return QString();
}
} // namespace

TEST(Filter, LanguageOfTheEngine)
{
    const TTableDef def = Def();
    TRowSet rows(def);
    rows.Add({"E1", "W", "100", "200", "37.5", "3", "O'Neil"});
    rows.Add({"E1", "", "100", "200", "37.5", "1", ""});
    rows.Add({"e1", "W", "", "", "", "", "Ёлка"});
    struct TCase
    {
        const char* Text;
        std::vector<bool> Expected;
    } cases[] = {
        {"FFHMin <= 140 and FFHMax >= 140 and DornMassMin <= 37.50 and (Direct = 3 or Direct = 1) and ID='E1' and Color = 'W' ",
         {true, false, false}},
        {"ID='E1' and Color = '' ", {false, true, false}},
        {"  id  =  'E1'  ", {true, true, false}}, // field names ignore case, text does not
        {"\"Color\"='W'", {true, false, true}},
        {"FFHMin = 0 and Direct = 0", {false, false, true}}, // blank compares as 0
        {"not (Color = 'W') or Name = 'O''Neil'", {true, true, false}},
        {"DornMassMin > 37.4 and DornMassMin < 37.6", {true, true, false}},
        {"Direct <> 3", {false, true, true}},
        {"Name > 'Z'", {false, false, true}}, // text order by code page bytes
        {"Direct = -1 or FFHMax >= +200", {true, true, false}},
        {"", {true, true, true}},
    };
    for (const auto& c : cases) {
        const auto f = TFilter::Compile(QString::fromUtf8(c.Text), def);
        for (size_t r = 0; r < c.Expected.size(); ++r)
            EXPECT_EQ(f->Matches(rows.Columns, r), c.Expected[r]) << c.Text << " row " << r;
    }
}

TEST(Filter, TopLevelEqualitiesFeedNarrowing)
{
    const auto f = TFilter::Compile(QStringLiteral("ID='E1' and (Color='W' or Color='') and 5 = Direct"), Def());
    ASSERT_EQ(f->Equalities().size(), 2u);
    EXPECT_EQ(f->Equalities()[0].Text, QStringLiteral("E1"));
    EXPECT_EQ(f->Equalities()[1].Num, 5);
    EXPECT_TRUE(TFilter::Compile(QStringLiteral("not ID='E1'"), Def())->Equalities().empty());
    EXPECT_TRUE(TFilter::Compile(QStringLiteral("ID='E1' or ID='E2'"), Def())->Equalities().empty());
}

TEST(Filter, BadTextsRaiseErrorsThatSayWhereAndWhat)
{
    struct TCase
    {
        const char* Text;
        const char* Says;
    } cases[] = {
        {"Colour = 'W'", "Поле [Colour] не найдено в таблице FrnArt.DB (позиция 1)"},
        {"ID = 'E1", "позиции 6: не закрыта кавычка текста"},
        {"ID = 'E1' and", "в конце выражения"},
        {"(ID = 'E1'", "ожидается \")\""},
        {"ID 'E1'", "позиции 4: ожидается операция сравнения"},
        {"ID = 5", "поле [ID] текстовое"},
        {"Direct = 'x'", "не число"},
        {"ID = 'a' ID", "лишний текст"},
        {"ID ! 'a'", "неизвестная операция"},
        {"ID = 'a' # 1", "недопустимый символ \"#\""},
        {"'a' = 'a'", "без поля"},
        {"\"ID = 'a'", "не закрыта кавычка имени поля"},
        {"FFHMin = 12abc", "неверное число"},
    };
    for (const auto& c : cases) {
        const QString message = Error(QString::fromUtf8(c.Text));
        EXPECT_TRUE(message.contains(QString::fromUtf8(c.Says))) << c.Text << " -> " << message.toStdString();
    }
}

// Whatever the text, compiling either succeeds or raises TError, and evaluation never fails.
TEST(Filter, ArbitraryTextsNeverCrash)
{
    const TTableDef def = Def();
    TRowSet rows(def);
    rows.Add({"E1", "W", "100", "200", "37.5", "3", "x"});
    const QStringList pieces = {"ID", "color", "\"Name\"", "FFHMin", "=", "<>", "<", ">=", "!", "'", "''", "'E1'", "\"",
                                "12", "-3", "3.5", ".5", "1.2.3", "and", "or", "not", "(", ")", " ", "#", "Ё", "\n", "5e3"};
    std::mt19937 rng(99);
    int compiled = 0;
    for (int i = 0; i < 5000; ++i) {
        QString text;
        const int n = 1 + static_cast<int>(rng() % 9);
        for (int k = 0; k < n; ++k)
            text += pieces[static_cast<qsizetype>(rng() % static_cast<unsigned>(pieces.size()))] +
                    (rng() % 2 ? QStringLiteral(" ") : QString());
        try {
            const auto f = TFilter::Compile(text, def);
            f->Matches(rows.Columns, 0);
            ++compiled;
        } catch (const TError&) {
        }
    }
    EXPECT_GT(compiled, 0);
}

// Filters served from the shape cache select the same rows, narrow through the same equalities
// and fail with the same messages as filters compiled from their own texts.
TEST(Filter, CachedShapesBehaveLikeCompiledTexts)
{
    const TTableDef def = Def();
    TRowSet rows(def);
    rows.Add({"E1", "W", "100", "200", "37.5", "3", "x"});
    rows.Add({"E2", "", "120", "", "12", "1", "O'Neil"});
    rows.Add({"", "B", "", "90", "", "", ""});
    const QStringList fields = {"ID", "Color", "FFHMin", "\"FFHMax\"", "DornMassMin", "Direct", "Name"};
    const QStringList values = {"'E1'", "'E2'", "''", "'O''Neil'", "'W'", "100", "120", "-3", "37.5", "'37.5'",
                                "'12'", "'x'", "1.2.3", "0", "'B'", "200"};
    const QStringList ops = {"=", "<>", "<", ">=", "<="};
    const QStringList joins = {" and ", " or ", " and not "};
    std::mt19937 rng(7);
    auto pick = [&](const QStringList& from) { return from[static_cast<qsizetype>(rng() % static_cast<unsigned>(from.size()))]; };
    TFilterCache cache;
    int bound = 0;
    for (int i = 0; i < 4000; ++i) {
        QString text;
        const int n = 1 + static_cast<int>(rng() % 3);
        for (int k = 0; k < n; ++k) {
            if (k > 0)
                text += pick(joins);
            const QString cmp = pick(fields) + QLatin1Char(' ') + pick(ops) + QLatin1Char(' ') + pick(values);
            text += rng() % 3 == 0 ? QLatin1Char('(') + cmp + QLatin1Char(')') : cmp;
        }
        std::shared_ptr<const TFilter> direct, cached;
        QString directError, cachedError;
        try {
            direct = TFilter::Compile(text, def);
        } catch (const TError& e) {
            directError = e.Message();
        }
        try {
            cached = cache.Get(text, def);
        } catch (const TError& e) {
            cachedError = e.Message();
        }
        ASSERT_EQ(cachedError, directError) << text.toStdString();
        if (!direct)
            continue;
        ++bound;
        EXPECT_EQ(cached->Text(), text);
        for (size_t r = 0; r < 3; ++r)
            ASSERT_EQ(cached->Matches(rows.Columns, r), direct->Matches(rows.Columns, r)) << text.toStdString() << " row " << r;
        ASSERT_EQ(cached->Equalities().size(), direct->Equalities().size()) << text.toStdString();
        for (size_t e = 0; e < direct->Equalities().size(); ++e) {
            EXPECT_EQ(cached->Equalities()[e].Field, direct->Equalities()[e].Field);
            EXPECT_EQ(cached->Equalities()[e].IsText, direct->Equalities()[e].IsText);
            if (direct->Equalities()[e].IsText)
                EXPECT_EQ(cached->Equalities()[e].Text, direct->Equalities()[e].Text);
            else
                EXPECT_EQ(cached->Equalities()[e].Num, direct->Equalities()[e].Num);
        }
    }
    EXPECT_GT(bound, 500);
}
