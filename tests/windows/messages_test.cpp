#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "support/scripted_messages.h"
#include "windows/btn_dlg2.h"
#include "windows/modal_helper.h"
#include "windows/qt_messages.h"

namespace {

// Installs the real boxes for one test and puts the scripted ones back afterwards.
class QtMessagesTest : public ::testing::Test
{
protected:
    void SetUp() override { InstallMessageHandler(&Boxes); }
    void TearDown() override
    {
        Boxes.EndWait();
        InstallMessageHandler(&TScriptedMessages::Current());
    }
    TQtMessages Boxes;
};

struct TSeen
{
    QString Title;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QList<QMessageBox::StandardButton> Buttons;
    Qt::CursorShape Cursor = Qt::ArrowCursor;
    bool HadOverride = false;
};

void Press(QMessageBox::StandardButton which, TSeen& seen)
{
    OnNextModal([which, &seen](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        seen.Title = box->windowTitle();
        seen.Text = box->text();
        seen.Icon = box->icon();
        for (QAbstractButton* b : box->buttons())
            seen.Buttons << box->standardButton(b);
        seen.HadOverride = QApplication::overrideCursor() != nullptr;
        if (seen.HadOverride)
            seen.Cursor = QApplication::overrideCursor()->shape();
        box->button(which)->click();
    });
}

TEST_F(QtMessagesTest, BoxesHaveTheirCaptionsIconsButtonsAndResults)
{
    struct TCase
    {
        std::function<bool()> Show;
        QMessageBox::StandardButton Press;
        const char* Title;
        QMessageBox::Icon Icon;
        int ButtonCount;
        bool Result;
    };
    const std::vector<TCase> cases = {
        {[] { ShowError(QStringLiteral("Сбой\r\nвторая строка")); return true; }, QMessageBox::Ok, "Error",
         QMessageBox::Critical, 1, true},
        {[] { ShowWarning(QStringLiteral("Сбой")); return true; }, QMessageBox::Ok, "Warning", QMessageBox::Warning, 1,
         true},
        {[] { ShowInformation(QStringLiteral("Сбой")); return true; }, QMessageBox::Ok, "Information",
         QMessageBox::Information, 1, true},
        {[] { return ShowConfirm(QStringLiteral("Сбой")); }, QMessageBox::Ok, "Confirm", QMessageBox::Question, 2, true},
        {[] { return ShowConfirm(QStringLiteral("Сбой")); }, QMessageBox::Cancel, "Confirm", QMessageBox::Question, 2,
         false},
        {[] { return ShowConfirmOrAbort(QStringLiteral("Сбой")); }, QMessageBox::Ok, "Confirm", QMessageBox::Question, 2,
         true},
        {[] { return ShowConfirmOrAbort(QStringLiteral("Сбой")); }, QMessageBox::Abort, "Confirm",
         QMessageBox::Question, 2, false},
    };
    for (const TCase& c : cases) {
        TSeen seen;
        Press(c.Press, seen);
        EXPECT_EQ(c.Show(), c.Result) << c.Title;
        EXPECT_EQ(seen.Title, QString::fromLatin1(c.Title));
        EXPECT_EQ(seen.Icon, c.Icon) << c.Title;
        EXPECT_EQ(seen.Buttons.size(), c.ButtonCount) << c.Title;
        EXPECT_TRUE(seen.Buttons.contains(c.Press));
    }
}

TEST_F(QtMessagesTest, LineBreaksAndDetailAreShown)
{
    TSeen seen;
    Press(QMessageBox::Ok, seen);
    ShowErrorDetail(QStringLiteral("Ошибка сохранения заказа!"), QStringLiteral("диск полон"));
    EXPECT_EQ(seen.Text, QStringLiteral("Ошибка сохранения заказа!\n[диск полон]"));
}

TEST_F(QtMessagesTest, WaitCursorGivesWayToTheArrowWhileABoxIsUp)
{
    BeginWait();
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    TSeen seen;
    Press(QMessageBox::Ok, seen);
    ShowWarning(QStringLiteral("x"));
    EXPECT_TRUE(seen.HadOverride);
    EXPECT_EQ(seen.Cursor, Qt::ArrowCursor);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    EndWait();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(QtMessagesTest, WaitIsNotCountedSoOneEndRestores)
{
    BeginWait();
    BeginDbWait();
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::BusyCursor);
    EndWait();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EndWait(); // an unmatched end does nothing
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(QtMessagesTest, BtnDlg2ReturnsTheButtonNumberOrZero)
{
    for (int which : {1, 2, 0}) {
        QString title, text, first, second;
        OnNextModal([&, which](QWidget* w) {
            auto* dlg = qobject_cast<TBtnDlg2*>(w);
            ASSERT_NE(dlg, nullptr);
            title = dlg->windowTitle();
            text = dlg->findChild<QLabel*>(QStringLiteral("TextLabel"))->text();
            first = dlg->Button1()->text();
            second = dlg->Button2()->text();
            if (which == 1)
                dlg->Button1()->click();
            else if (which == 2)
                dlg->Button2()->click();
            else
                QTest::keyClick(dlg, Qt::Key_Escape);
        });
        EXPECT_EQ(BtnDlg2(QStringLiteral("Сохранить изменения?"), QStringLiteral("Да"), QStringLiteral("Нет"),
                          QStringLiteral("Заказ")),
                  which);
        EXPECT_EQ(title, QStringLiteral("Заказ"));
        EXPECT_EQ(text, QStringLiteral("Сохранить изменения?"));
        EXPECT_EQ(first, QStringLiteral("Да"));
        EXPECT_EQ(second, QStringLiteral("Нет"));
    }
}

} // namespace
