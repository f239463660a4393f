#pragma once

#include <QDialog>

class QTabWidget;
class TDataGrid;
class TNavigator;
class TTable;
class TTableModel;

// The customer price groups with their discounts, edited in PriceGrp.DB.
class TPriceGroupDlg : public QDialog
{
    Q_OBJECT
public:
    explicit TPriceGroupDlg(TTable& priceGroups, QWidget* parent = nullptr);
    TDataGrid* Grid() const { return GroupGrid; }
    TNavigator* Navigator() const { return Navy; }
    QTabWidget* Pages() const { return PageControl; }

    static void Run(TTable& priceGroups, QWidget* parent = nullptr);
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Navigate(int which);
    void UpdateNavigator();

    TTable& Table;
    QTabWidget* PageControl;
    TNavigator* Navy;
    TDataGrid* GroupGrid;
    TTableModel* Model;
};
