#include "config/ui/price_group_dlg.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "foundation/error.h"
#include "foundation/messages.h"
#include "windows/data_grid.h"
#include "windows/navigator.h"
#include "windows/rec_clipboard.h"
#include "windows/table_model.h"

TPriceGroupDlg::TPriceGroupDlg(TTable& priceGroups, QWidget* parent)
    : QDialog(parent), Table(priceGroups), PageControl(new QTabWidget),
      Navy(new TNavigator({{TNavButton::First, QStringLiteral("Первая")},
                           {TNavButton::Prior, QStringLiteral("Предыдущая")},
                           {TNavButton::Next, QStringLiteral("Следующая")},
                           {TNavButton::Last, QStringLiteral("Последняя")},
                           {TNavButton::Insert, QStringLiteral("Новая")},
                           {TNavButton::Edit, QStringLiteral("Редактировать")},
                           {TNavButton::Post, QStringLiteral("Записать изменения")},
                           {TNavButton::Cancel, QStringLiteral("Отказаться от изменений")},
                           {TNavButton::Refresh, QStringLiteral("Обновить экран")}})),
      GroupGrid(new TDataGrid),
      Model(new TTableModel(priceGroups,
                            {{QStringLiteral("GroupID"), QStringLiteral("Код группы"), 10, false},
                             {QStringLiteral("Name"), QStringLiteral("Наименование"), 28, false},
                             {QStringLiteral("Reduce_1"), QStringLiteral("Скидка, %"), 10, false}},
                            this))
{
    setObjectName(QStringLiteral("PriceGroupDlg"));
    setWindowTitle(QStringLiteral("Справочник ценновых групп (скидки)"));
    GroupGrid->setObjectName(QStringLiteral("Grid"));
    GroupGrid->SetTableModel(Model);
    GroupGrid->horizontalHeader()->setStretchLastSection(true);
    GroupGrid->CopyRecords = [this] { TRecClipBoard::Instance().Copy(Table, {}, {}, {}, {}, GroupGrid); };
    GroupGrid->PasteRecords = [this] {
        if (!Model->PostPending())
            return;
        if (TRecClipBoard::Instance().Paste(Table) > 0 && Model->InsertRow() >= 0)
            GroupGrid->setCurrentIndex(Model->index(Model->InsertRow(), 0));
    };
    Navy->setObjectName(QStringLiteral("Navigator"));
    connect(Navy, &TNavigator::Clicked, this, [this](TNavButton b) { Navigate(static_cast<int>(b)); });
    connect(&Table, &TTable::StateChanged, this, &TPriceGroupDlg::UpdateNavigator);
    connect(&Table, &TTable::DataReset, this, &TPriceGroupDlg::UpdateNavigator);

    auto* page = new QWidget;
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->addWidget(Navy, 0, Qt::AlignLeft);
    pageLayout->addWidget(GroupGrid, 1);
    PageControl->addTab(page, QStringLiteral("Группы скидок"));

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl, 1);
    layout->addWidget(buttons);
    resize(520, 360);
    UpdateNavigator();
}

void TPriceGroupDlg::showEvent(QShowEvent* event)
{
    PageControl->setCurrentIndex(0);
    QDialog::showEvent(event);
}

void TPriceGroupDlg::UpdateNavigator()
{
    const bool active = Table.Active();
    const bool editing = active && Table.State() != TDataSetState::Browse;
    const bool rows = active && !Table.IsEmpty();
    for (TNavButton b : {TNavButton::First, TNavButton::Prior, TNavButton::Next, TNavButton::Last})
        Navy->Button(b)->setEnabled(rows);
    Navy->Button(TNavButton::Insert)->setEnabled(active);
    Navy->Button(TNavButton::Edit)->setEnabled(rows && !editing);
    Navy->Button(TNavButton::Post)->setEnabled(editing);
    Navy->Button(TNavButton::Cancel)->setEnabled(editing);
    Navy->Button(TNavButton::Refresh)->setEnabled(active);
}

void TPriceGroupDlg::Navigate(int which)
{
    GroupGrid->CommitEdit();
    const int rows = Model->rowCount();
    const int current = GroupGrid->currentIndex().isValid() ? GroupGrid->currentIndex().row() : 0;
    const int column = qMax(0, GroupGrid->currentIndex().column());
    const auto go = [&](int row) {
        if (rows > 0)
            GroupGrid->setCurrentIndex(Model->index(qBound(0, row, rows - 1), column));
    };
    try {
        switch (static_cast<TNavButton>(which)) {
        case TNavButton::First: go(0); break;
        case TNavButton::Prior: go(current - 1); break;
        case TNavButton::Next: go(current + 1); break;
        case TNavButton::Last: go(rows - 1); break;
        case TNavButton::Insert: GroupGrid->InsertRow(); break;
        case TNavButton::Edit:
            if (Model->MoveTo(current) && Table.State() == TDataSetState::Browse)
                Table.Edit();
            break;
        case TNavButton::Post: Model->PostPending(); break;
        case TNavButton::Cancel: Table.Cancel(); break;
        case TNavButton::Refresh:
            if (Model->PostPending())
                Table.Refresh();
            break;
        }
    } catch (const std::exception& e) {
        ShowError(ErrorText(e));
    }
    UpdateNavigator();
}

void TPriceGroupDlg::done(int result)
{
    GroupGrid->CommitEdit();
    if (!Model->PostPending())
        return;
    QDialog::done(result);
}

void TPriceGroupDlg::Run(TTable& priceGroups, QWidget* parent)
{
    TPriceGroupDlg dialog(priceGroups, parent);
    dialog.exec();
}
