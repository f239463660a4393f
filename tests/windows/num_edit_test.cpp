#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include "windows/num_edit.h"

namespace {

struct TTyping
{
    TNumStyle Style;
    int Decimals;
    int Digits;
    const char* Typed;
    const char* Shown;
};

TEST(NumEdit, TypingRules)
{
    const TTyping cases[] = {
        {nsInteger, 2, 0, "12a3b", "123"},
        {nsInteger, 2, 0, "1,5", "15"},           // no separator in the integer style
        {nsInteger, 2, 0, "-12", "-12"},
        {nsInteger, 2, 0, "1-2", "12"},           // minus only in the first position
        {nsInteger, 2, 0, "--1", "-1"},           // and only once
        {nsInteger, 2, 3, "12345", "123"},        // the integer part is full
        {nsFloat, 2, 0, "12,345", "12,34"},       // the decimal part is full
        {nsFloat, 2, 0, "12.5", "12,5"},          // the point key types the separator
        {nsFloat, 2, 3, "1234,5", "123,5"},
        {nsFloat, 3, 0, "-0,125", "-0,125"},
        {nsFloat, 2, 0, "1,,2", "1,2"},
        {nsFloat, 0, 0, "1,2", "12"},             // no decimals, no separator
    };
    for (const TTyping& c : cases) {
        TNumEdit edit;
        edit.SetNumStyle(c.Style);
        edit.SetDecimals(c.Decimals);
        edit.SetDigits(c.Digits);
        QTest::keyClicks(&edit, QString::fromUtf8(c.Typed));
        EXPECT_EQ(edit.text(), QString::fromUtf8(c.Shown)) << c.Typed;
    }
}

TEST(NumEdit, SeparatorTypedAgainMovesTheCaretBehindTheExistingOne)
{
    TNumEdit edit;
    edit.SetNumStyle(nsFloat);
    edit.setText(QStringLiteral("125"));
    edit.setCursorPosition(3);
    QTest::keyClicks(&edit, QStringLiteral(",7"));
    EXPECT_EQ(edit.text(), QStringLiteral("125,7"));
    edit.setCursorPosition(1);
    QTest::keyClicks(&edit, QStringLiteral(",3"));
    EXPECT_EQ(edit.text(), QStringLiteral("125,37"));
}

TEST(NumEdit, FullPartAcceptsADigitOverASelection)
{
    TNumEdit edit;
    edit.SetDigits(2);
    QTest::keyClicks(&edit, QStringLiteral("12"));
    edit.setSelection(1, 1);
    QTest::keyClicks(&edit, QStringLiteral("9"));
    EXPECT_EQ(edit.text(), QStringLiteral("19"));
    edit.selectAll();
    QTest::keyClicks(&edit, QStringLiteral("-"));
    EXPECT_EQ(edit.text(), QStringLiteral("-"));
}

TEST(NumEdit, LeavingTheFieldCompletesTheText)
{
    struct TCase
    {
        TNumStyle Style;
        int Decimals;
        const char* Text;
        const char* Completed;
    };
    const TCase cases[] = {
        {nsInteger, 2, "", "0"},     {nsInteger, 2, "-", "0"},       {nsInteger, 2, "17", "17"},
        {nsFloat, 2, "", "0,00"},    {nsFloat, 2, "5", "5,00"},      {nsFloat, 2, "5,", "5,00"},
        {nsFloat, 3, "5,1", "5,100"}, {nsFloat, 2, "5,1234", "5,12"}, {nsFloat, 2, ",5", "0,50"},
        {nsFloat, 2, "-,5", "-0,50"}, {nsFloat, 0, "7", "7"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(TNumEdit::CompleteText(QString::fromUtf8(c.Text), c.Style, c.Decimals, QLatin1Char(',')),
                  QString::fromUtf8(c.Completed))
            << c.Text;

    QWidget window;
    auto* edit = new TNumEdit(&window);
    auto* other = new TNumEdit(&window);
    edit->SetNumStyle(nsFloat);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral(",5"));
    other->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(edit->text(), QStringLiteral("0,50"));
    EXPECT_DOUBLE_EQ(edit->Value(), 0.5);
}

TEST(NumEdit, PasteOfSomethingElseThanANumberIsRefused)
{
    TNumEdit edit;
    edit.SetNumStyle(nsFloat);
    edit.setText(QStringLiteral("1"));
    edit.setCursorPosition(1);
    edit.insert(QStringLiteral("x2"));
    EXPECT_EQ(edit.text(), QStringLiteral("1"));
    edit.insert(QStringLiteral(",25"));
    EXPECT_EQ(edit.text(), QStringLiteral("1,25"));
}

} // namespace
