#pragma once

#include <QDialog>

class TDataGrid;
class TTable;
class TTableModel;

// The currency rates: the names and the editable rates of Currency.DB.
class TCurrencyDlg : public QDialog
{
    Q_OBJECT
public:
    explicit TCurrencyDlg(TTable& currency, QWidget* parent = nullptr);
    TDataGrid* Grid() const { return RateGrid; }

    // Shows the dialog with the caller's caption; true when closed with OK. A rate still being
    // edited is stored whichever way the dialog closes.
    static bool Run(TTable& currency, const QString& caption, QWidget* parent = nullptr);

    void done(int result) override;

private:
    TDataGrid* RateGrid;
    TTableModel* Model;
};
