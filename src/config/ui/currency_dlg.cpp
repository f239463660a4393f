#include "config/ui/currency_dlg.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

#include "windows/data_grid.h"
#include "windows/table_model.h"

TCurrencyDlg::TCurrencyDlg(TTable& currency, QWidget* parent)
    : QDialog(parent), RateGrid(new TDataGrid),
      Model(new TTableModel(currency,
                            {{QStringLiteral("Name"), QStringLiteral("Валюта"), 12, true},
                             {QStringLiteral("Value"), QStringLiteral("Курс"), 15, false}},
                            this))
{
    setObjectName(QStringLiteral("CurrencyDlg"));
    setWindowTitle(QStringLiteral("Курсы валют"));
    RateGrid->setObjectName(QStringLiteral("Grid"));
    RateGrid->SetTableModel(Model);
    RateGrid->KeyCommands = false; // rates only: rows are neither added nor removed here
    RateGrid->horizontalHeader()->setStretchLastSection(true);
    // The rate is what is edited here: start on it.
    if (RateGrid->currentIndex().isValid())
        RateGrid->setCurrentIndex(Model->index(RateGrid->currentIndex().row(), 1));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RateGrid);
    layout->addWidget(buttons);
    resize(360, 280);
}

void TCurrencyDlg::done(int result)
{
    RateGrid->CommitEdit();
    if (!Model->PostPending())
        return; // the error is shown and the row stays in edit: nothing typed is lost
    QDialog::done(result);
}

bool TCurrencyDlg::Run(TTable& currency, const QString& caption, QWidget* parent)
{
    TCurrencyDlg dialog(currency, parent);
    if (!caption.isEmpty())
        dialog.setWindowTitle(caption);
    return dialog.exec() == QDialog::Accepted;
}
