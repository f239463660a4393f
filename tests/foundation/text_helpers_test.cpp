#include <gtest/gtest.h>

#include "foundation/text_helpers.h"

#include <QCoreApplication>

TEST(TextHelpers, TokensOfListWithEmptyToken)
{
    const QString text = QStringLiteral("a;b;;c");
    const QString sep = QStringLiteral(";");
    EXPECT_EQ(TokenCount(text, sep), 4);
    EXPECT_EQ(TokenCount(QString(), sep), 0);
    EXPECT_EQ(TokenCount(QStringLiteral(";"), sep), 2);

    const struct { int n; const char* token; } cases[] = {
        {0, ""}, {-1, ""}, {1, "a"}, {2, "b"}, {3, ""}, {4, "c"}, {5, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(Token(text, c.n, sep), QString::fromUtf8(c.token)) << c.n;
}

TEST(TextHelpers, TokenWithSeveralSeparatorsAndTrim)
{
    const QString text = QStringLiteral(" x , y; z ");
    EXPECT_EQ(TokenCount(text, QStringLiteral(",;")), 3);
    EXPECT_EQ(Token(text, 2, QStringLiteral(",;")), QStringLiteral(" y"));
    EXPECT_EQ(Token(text, 3, QStringLiteral(",;"), true), QStringLiteral("z"));
    EXPECT_TRUE(TokenIn(text, QStringLiteral("z"), QStringLiteral(",;")));
    EXPECT_FALSE(TokenIn(text, QStringLiteral(" z"), QStringLiteral(",;")));
    EXPECT_FALSE(TokenIn(text, QStringLiteral("Z"), QStringLiteral(",;")));
    EXPECT_FALSE(TokenIn(QString(), QString(), QStringLiteral(",")));
}

TEST(TextHelpers, AppendItem)
{
    const QString sep = QStringLiteral(",");
    EXPECT_EQ(AppendItem(QString(), QStringLiteral("a"), sep, true), QStringLiteral("a"));
    EXPECT_EQ(AppendItem(QStringLiteral("a"), QStringLiteral("b"), sep), QStringLiteral("a,b"));
    EXPECT_EQ(AppendItem(QStringLiteral("a, b"), QStringLiteral("b"), sep, true), QStringLiteral("a, b"));
    EXPECT_EQ(AppendItem(QStringLiteral("a, b"), QStringLiteral("b"), sep, false), QStringLiteral("a, b,b"));
    EXPECT_EQ(AppendItem(QStringLiteral("ab"), QStringLiteral("b"), sep, true), QStringLiteral("ab,b"));
}

TEST(TextHelpers, ReplaceText)
{
    const struct {
        const char* text; const char* from; const char* to; bool ignoreCase; bool firstOnly; const char* result;
    } cases[] = {
        {"abcabc", "b", "X", false, false, "aXcaXc"},
        {"abcabc", "b", "X", false, true, "aXcabc"},
        {"aBcAbC", "b", "x", true, false, "axcAxC"},
        {"aBc", "b", "x", false, false, "aBc"},
        {"aaa", "a", "aa", false, false, "aaaaaa"},  // search continues after the insert
        {"aaaa", "aa", "a", false, false, "aa"},
        {"abc", "abc", "", false, false, ""},
        {"ABC", "abc", "x", true, false, "x"},
        {"abc", "b", "b", false, false, "abc"},
        {"abc", "", "x", false, false, "abc"},
        {"Фурнитура", "УРА", "ура!", true, false, "Фурнитура!"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReplaceText(QString::fromUtf8(c.text), QString::fromUtf8(c.from), QString::fromUtf8(c.to),
                              c.ignoreCase, c.firstOnly),
                  QString::fromUtf8(c.result))
            << c.text << " " << c.from;
}

TEST(TextHelpers, RemoveBlanks)
{
    EXPECT_EQ(RemoveBlanks(QStringLiteral(" 1 234 ,5 ")), QStringLiteral("1234,5"));
    EXPECT_EQ(RemoveBlanks(QStringLiteral("   ")), QStringLiteral("0"));
    EXPECT_EQ(RemoveBlanks(QString()), QStringLiteral("0"));
}

TEST(TextHelpers, PaddingFillsAndCuts)
{
    const struct { const char* text; int width; bool trim; char fill; const char* right; const char* left; } cases[] = {
        {"ab", 4, false, ' ', "ab  ", "  ab"},
        {"abcdef", 3, false, ' ', "abc", "def"},
        {" ab ", 3, true, '0', "ab0", "0ab"},
        {" ab ", 3, false, '0', " ab", "ab "},
        {"ab", 0, false, ' ', "", ""},
        {"", 2, false, '*', "**", "**"},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(PadRight(text, c.width, c.trim, QChar(c.fill)), QString::fromUtf8(c.right)) << c.text;
        EXPECT_EQ(PadLeft(text, c.width, c.trim, QChar(c.fill)), QString::fromUtf8(c.left)) << c.text;
    }
    // Widths count characters, not Windows-1251 or UTF-8 bytes.
    EXPECT_EQ(PadRight(QStringLiteral("Окно"), 6), QStringLiteral("Окно  "));
    EXPECT_EQ(PadLeft(QStringLiteral("Окно"), 2), QStringLiteral("но"));
}

TEST(TextHelpers, ForbiddenFileNameCharacters)
{
    EXPECT_EQ(ForbiddenFileNameChars.size(), 21);
    const QString number = QStringLiteral("A\\/:*?,;\"`!(){}[]<>|%'.Б-1");
    EXPECT_EQ(ReplaceForbiddenChars(number), QStringLiteral("A_____________________.Б-1"));
    EXPECT_EQ(ReplaceForbiddenChars(number, u'_', true), QStringLiteral("A______________________Б-1"));
    EXPECT_EQ(ReplaceForbiddenChars(QStringLiteral("12/3.kfo"), u'-'), QStringLiteral("12-3.kfo"));
}

TEST(TextHelpers, NumbersFromText)
{
    const struct { const char* text; int value; } ints[] = {
        {"42", 42}, {" -7 ", -7}, {"+5", 5}, {"", 0}, {"12a", 0}, {"1.5", 0}, {"0x10", 0},
        {"2147483647", 2147483647}, {"2147483648", 0}};
    for (const auto& c : ints)
        EXPECT_EQ(StrToIntOrZero(QString::fromUtf8(c.text)), c.value) << c.text;

    const struct { const char* text; int value; } hex[] = {
        {"0", 0}, {"F", 15}, {"0a", 10}, {"FF", 255}, {"7f", 127}, {"", -1}, {"G1", -1}, {"100", -1}, {" 1", -1}};
    for (const auto& c : hex)
        EXPECT_EQ(HexToByte(QString::fromUtf8(c.text)), c.value) << c.text;
}

TEST(TextHelpers, SwitchesMatchAsCaseInsensitiveSubstrings)
{
    const QStringList args = {QStringLiteral("diravir"), QStringLiteral("-x/DEVELOPERmode")};
    EXPECT_TRUE(HasSwitch(args, QStringLiteral("/developer")));
    EXPECT_FALSE(HasSwitch(args, QStringLiteral("/nopresentation")));
    EXPECT_FALSE(HasSwitch(args, QString()));
    EXPECT_FALSE(HasSwitch({}, QStringLiteral("/developer")));
    // The program path is no parameter, though it holds this text.
    ASSERT_TRUE(QCoreApplication::arguments().constFirst().toUpper().contains(QStringLiteral("/TEST_FOUNDATION")));
    EXPECT_FALSE(HasSwitch(QStringLiteral("/test_foundation")));
}

TEST(TextHelpers, ExecutableVersionIsKnown)
{
    EXPECT_FALSE(ExecutableVersion().isEmpty());
}
