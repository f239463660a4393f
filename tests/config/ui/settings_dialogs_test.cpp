#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include "config/ui/currency_dlg.h"
#include "config/ui/firm_info_dlg.h"
#include "config/ui/options_dlg.h"
#include "config/ui/price_group_dlg.h"
#include "support/catalog_fixture.h"
#include "windows/data_grid.h"
#include "windows/navigator.h"
#include "windows/num_edit.h"
#include "windows/rec_clipboard.h"
#include <QClipboard>
#include <QItemSelectionModel>

namespace {

// Runs `act` on the dialog once it is up, then closes it with the button of `role`.
template <typename D>
void WhenShown(std::function<void(D&)> act, QDialogButtonBox::ButtonRole role)
{
    QTimer::singleShot(0, [act, role] {
        auto* dlg = qobject_cast<D*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        act(*dlg);
        for (QDialogButtonBox* box : dlg->template findChildren<QDialogButtonBox*>())
            for (QAbstractButton* b : box->buttons())
                if (box->buttonRole(b) == role) {
                    b->click();
                    return;
                }
        dlg->reject();
    });
}

TEST(OptionsDlg, OkCopiesTheChecksBackCancelChangesNothing)
{
    TOptionValues values;
    values.AutoReg = false;
    WhenShown<TOptionsDlg>(
        [](TOptionsDlg& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("Параметры"));
            EXPECT_TRUE(d.AlertIfNotFullCheck->isChecked());
            EXPECT_FALSE(d.AutoRegCheck->isChecked()); // shows what the settings hold
            d.AutoRegCheck->setChecked(true);
            d.AutoLoadCurrencyCheck->setChecked(false);
        },
        QDialogButtonBox::RejectRole);
    EXPECT_FALSE(TOptionsDlg::Run(values));
    EXPECT_FALSE(values.AutoReg);
    EXPECT_TRUE(values.AutoLoadCurrency);

    WhenShown<TOptionsDlg>(
        [](TOptionsDlg& d) {
            d.AutoRegCheck->setChecked(true);
            d.AutoLoadCurrencyCheck->setChecked(false);
            d.MoveToRecycledCheck->setChecked(false);
        },
        QDialogButtonBox::AcceptRole);
    EXPECT_TRUE(TOptionsDlg::Run(values));
    EXPECT_TRUE(values.AutoReg);
    EXPECT_FALSE(values.AutoLoadCurrency);
    EXPECT_FALSE(values.MoveToRecycled);
    EXPECT_TRUE(values.AutoOpenReg);
}

TEST(FirmInfoDlg, OnlyOkCopiesTheTextsAsTyped)
{
    TFirmDetails details;
    details.Name = QStringLiteral("ООО \"Окна\"");
    details.Phone2 = QStringLiteral("222");
    WhenShown<TFirmInfoDlg>(
        [](TFirmInfoDlg& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("Реквизиты фирмы"));
            EXPECT_EQ(d.Edit("NameEdit")->text(), QStringLiteral("ООО \"Окна\""));
            EXPECT_EQ(d.Edit("Phone2Edit")->text(), QStringLiteral("222"));
            d.Edit("NameEdit")->setText(QStringLiteral("Другая"));
        },
        QDialogButtonBox::RejectRole);
    EXPECT_FALSE(TFirmInfoDlg::Run(details));
    EXPECT_EQ(details.Name, QStringLiteral("ООО \"Окна\""));

    WhenShown<TFirmInfoDlg>(
        [](TFirmInfoDlg& d) {
            d.Edit("NameEdit")->setText(QStringLiteral("  Другая  "));
            d.Edit("BookKeeperEdit")->setText(QStringLiteral("Иванова"));
            d.Edit("Phone2Edit")->clear();
        },
        QDialogButtonBox::AcceptRole);
    EXPECT_TRUE(TFirmInfoDlg::Run(details));
    EXPECT_EQ(details.Name, QStringLiteral("  Другая  "));
    EXPECT_EQ(details.BookKeeper, QStringLiteral("Иванова"));
    EXPECT_TRUE(details.Phone2.isEmpty());
}

TEST(FirmInfoDlg, BrowsedLogoIsShownAtOnceAndTheDialogOffersBitmapsAndMetafiles)
{
    QTemporaryDir dir;
    const QString bmp = dir.filePath(QStringLiteral("logo.bmp"));
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(bmp, "BMP"));

    TFirmInfoDlg dialog;
    QStringList filters;
    QString suffix;
    dialog.RunFileDialog = [&](QFileDialog& d) {
        filters = d.nameFilters();
        suffix = d.defaultSuffix();
        d.selectFile(bmp);
        return true;
    };
    dialog.BrowseLogo();
    EXPECT_EQ(filters.value(0), QStringLiteral("Windows Bitmap Files (*.bmp)"));
    EXPECT_EQ(filters.value(1), QStringLiteral("Windows Metafile (*.wmf)"));
    EXPECT_EQ(suffix, QStringLiteral("bmp"));
    EXPECT_EQ(dialog.Edit("LogoEdit")->text(), bmp);
    EXPECT_FALSE(dialog.Preview()->pixmap().isNull());

    // A file that is no picture: the loader's complaint, no preview.
    const QString bad = dir.filePath(QStringLiteral("bad.bmp"));
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a picture");
    f.close();
    TScriptedMessages::Current().Clear();
    EXPECT_FALSE(dialog.LoadPreview(bad));
    EXPECT_EQ(TScriptedMessages::Current().Shown().size(), 1u);
    EXPECT_TRUE(dialog.Preview()->pixmap().isNull());
}

class TableDialogs : public TCatalogFixture
{
};

// Types into the grid's cell as a user would: start editing, type, and leave the editor open.
void TypeInto(TDataGrid& grid, int row, int column, const QString& text)
{
    grid.setCurrentIndex(grid.model()->index(row, column));
    grid.edit(grid.currentIndex());
    QWidget* editor = grid.CellEditor();
    ASSERT_NE(editor, nullptr);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        line->selectAll();
        bool ascii = true;
        for (QChar c : text)
            ascii = ascii && c.unicode() < 128;
        if (ascii)
            QTest::keyClicks(line, text); // through the numeric edit's typing rules
        else
            line->insert(text); // QTest types ASCII only
    }
}

TEST_F(TableDialogs, CurrencyRateTypedIsStoredOnOkAndOnCancel)
{
    for (QDialogButtonBox::ButtonRole role : {QDialogButtonBox::RejectRole, QDialogButtonBox::AcceptRole}) {
        const QString rate = role == QDialogButtonBox::AcceptRole ? QStringLiteral("101,25") : QStringLiteral("99,5");
        WhenShown<TCurrencyDlg>(
            [rate](TCurrencyDlg& d) {
                EXPECT_EQ(d.windowTitle(), QStringLiteral("Курсы валют на 11.12.2026"));
                EXPECT_EQ(d.Grid()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Валюта"));
                EXPECT_EQ(d.Grid()->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Курс"));
                EXPECT_FALSE(d.Grid()->model()->flags(d.Grid()->model()->index(0, 0)) & Qt::ItemIsEditable);
                TypeInto(*d.Grid(), 1, 1, rate);
                EXPECT_TRUE(d.Grid()->Editing());
            },
            role);
        EXPECT_EQ(TCurrencyDlg::Run(Dm.T_Currency, QStringLiteral("Курсы валют на 11.12.2026")),
                  role == QDialogButtonBox::AcceptRole);
        EXPECT_EQ(Stored(Dm.T_Currency, QStringLiteral("Value")).value(1),
                  role == QDialogButtonBox::AcceptRole ? QStringLiteral("101.25") : QStringLiteral("99.5"));
    }
}

TEST_F(TableDialogs, PriceGroupsAreEditedInPlace)
{
    TPriceGroupDlg dialog(Dm.T_PriceGrp);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Справочник ценновых групп (скидки)"));
    EXPECT_EQ(dialog.Pages()->count(), 1);
    EXPECT_EQ(dialog.Pages()->tabText(0), QStringLiteral("Группы скидок"));
    QStringList hints;
    for (TNavButton b : dialog.Navigator()->Shown())
        hints << dialog.Navigator()->Button(b)->toolTip();
    EXPECT_EQ(hints, (QStringList{QStringLiteral("Первая"), QStringLiteral("Предыдущая"), QStringLiteral("Следующая"),
                                  QStringLiteral("Последняя"), QStringLiteral("Новая"), QStringLiteral("Редактировать"),
                                  QStringLiteral("Записать изменения"), QStringLiteral("Отказаться от изменений"),
                                  QStringLiteral("Обновить экран")}));

    TDataGrid& grid = *dialog.Grid();
    grid.setFocus();
    grid.setCurrentIndex(grid.model()->index(0, 0));
    QTest::keyClick(&grid, Qt::Key_Insert);
    ASSERT_EQ(grid.model()->rowCount(), 3);
    TypeInto(grid, 2, 0, QStringLiteral("3"));
    TypeInto(grid, 2, 1, QStringLiteral("Оптовая"));
    TypeInto(grid, 2, 2, QStringLiteral("12,5"));
    dialog.accept(); // OK posts the row still open
    EXPECT_EQ(Stored(Dm.T_PriceGrp, QStringLiteral("Name")),
              (QStringList{QStringLiteral("Основная"), QStringLiteral("Скидка 5"), QStringLiteral("Оптовая")}));
    EXPECT_EQ(Stored(Dm.T_PriceGrp, QStringLiteral("Reduce_1")).value(2), QStringLiteral("12.5"));
}

TEST_F(TableDialogs, GridKeyboardCommandsCopyPasteAndDelete)
{
    TPriceGroupDlg dialog(Dm.T_PriceGrp);
    dialog.show();
    TDataGrid& grid = *dialog.Grid();
    grid.setFocus();

    // Ctrl+C copies the row into the record clipboard, Ctrl+V inserts it open for editing.
    grid.setCurrentIndex(grid.model()->index(1, 1));
    QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(&grid, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Dm.T_PriceGrp.State(), TDataSetState::Insert);
    ASSERT_EQ(grid.model()->rowCount(), 3);
    EXPECT_EQ(grid.model()->index(2, 1).data().toString(), QStringLiteral("Скидка 5"));
    TypeInto(grid, 2, 1, QStringLiteral("Скидка 5 копия"));
    grid.CommitEdit();

    // Ctrl+Insert copies the cell's text, Shift+Insert pastes it into another cell.
    grid.setCurrentIndex(grid.model()->index(0, 1)); // leaving the row posts it
    EXPECT_EQ(Dm.T_PriceGrp.State(), TDataSetState::Browse);
    QTest::keyClick(&grid, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Основная"));
    grid.setCurrentIndex(grid.model()->index(1, 1));
    QTest::keyClick(&grid, Qt::Key_Insert, Qt::ShiftModifier);
    grid.setCurrentIndex(grid.model()->index(0, 1));
    EXPECT_EQ(Stored(Dm.T_PriceGrp, QStringLiteral("Name")),
              (QStringList{QStringLiteral("Основная"), QStringLiteral("Основная"), QStringLiteral("Скидка 5 копия")}));

    // Ctrl+Delete asks first; a refusal keeps the row.
    grid.setCurrentIndex(grid.model()->index(2, 0));
    TScriptedMessages::Current().Answer(0);
    QTest::keyClick(&grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(Stored(Dm.T_PriceGrp, QStringLiteral("Name")).size(), 3);
    TScriptedMessages::Current().Answer(1);
    grid.setCurrentIndex(grid.model()->index(2, 0));
    QTest::keyClick(&grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(TScriptedMessages::Current().Texts(),
              (QStringList{QStringLiteral("Удалить запись?"), QStringLiteral("Удалить запись?")}));
    EXPECT_EQ(Stored(Dm.T_PriceGrp, QStringLiteral("Name")).size(), 2);

    // Ctrl+Shift+Delete empties the table after its own question.
    TScriptedMessages::Current().Clear();
    QTest::keyClick(&grid, Qt::Key_Delete, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(TScriptedMessages::Current().Texts(), QStringList{QStringLiteral("Удалить все записи?")});
    EXPECT_TRUE(Stored(Dm.T_PriceGrp, QStringLiteral("Name")).isEmpty());
}

TEST_F(TableDialogs, MarkedRowsAreDeletedTogetherAfterOneQuestion)
{
    TPriceGroupDlg dialog(Dm.T_PriceGrp);
    dialog.show();
    TDataGrid& grid = *dialog.Grid();
    grid.setCurrentIndex(grid.model()->index(0, 0));
    QTest::keyClick(&grid, Qt::Key_Insert);
    TypeInto(grid, 2, 1, QStringLiteral("Третья"));
    grid.CommitEdit();
    grid.setCurrentIndex(grid.model()->index(0, 1));
    ASSERT_EQ(Stored(Dm.T_PriceGrp, QStringLiteral("Name")).size(), 3);

    grid.selectionModel()->select(grid.model()->index(0, 1), QItemSelectionModel::Select);
    grid.selectionModel()->select(grid.model()->index(2, 1), QItemSelectionModel::Select);
    EXPECT_EQ(grid.MarkedRows(), (QList<int>{0, 2}));
    // Ctrl+Insert while a cell is being edited is the editor's business.
    grid.setCurrentIndex(grid.model()->index(1, 1));
    grid.edit(grid.currentIndex());
    auto* editor = qobject_cast<QLineEdit*>(grid.CellEditor());
    ASSERT_NE(editor, nullptr);
    editor->deselect();
    QApplication::clipboard()->setText(QStringLiteral("unchanged"));
    QTest::keyClick(editor, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("unchanged"));
    grid.CommitEdit();
    grid.selectionModel()->select(grid.model()->index(0, 1), QItemSelectionModel::ClearAndSelect);
    grid.selectionModel()->select(grid.model()->index(2, 1), QItemSelectionModel::Select);

    TScriptedMessages::Current().Clear();
    QTest::keyClick(&grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(TScriptedMessages::Current().Texts(), QStringList{QStringLiteral("Удалить 2 записей?")});
    EXPECT_EQ(Stored(Dm.T_PriceGrp, QStringLiteral("Name")), QStringList{QStringLiteral("Скидка 5")});
    EXPECT_TRUE(grid.MarkedRows().isEmpty());
}

TEST_F(TableDialogs, PastingIntoAnotherTableDoesNothing)
{
    Dm.T_Currency.First();
    TRecClipBoard::Instance().Copy(Dm.T_Currency);
    EXPECT_EQ(TRecClipBoard::Instance().Records().size(), 1);
    EXPECT_EQ(TRecClipBoard::Instance().Paste(Dm.T_PriceGrp), 0);
    EXPECT_EQ(Dm.T_PriceGrp.State(), TDataSetState::Browse);
    // The same table: one record, not posted, stays open.
    EXPECT_EQ(TRecClipBoard::Instance().Paste(Dm.T_Currency), 1);
    EXPECT_EQ(Dm.T_Currency.State(), TDataSetState::Insert);
    EXPECT_EQ(Dm.T_Currency.FieldByName(QStringLiteral("Name")).AsString(), QStringLiteral("руб."));
    Dm.T_Currency.Cancel();
}

} // namespace
