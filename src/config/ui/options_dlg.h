#pragma once

#include <QDialog>

class QCheckBox;

// The five behaviour options of the settings.
struct TOptionValues
{
    bool AlertIfNotFull = true;
    bool AutoReg = true;
    bool AutoOpenReg = true;
    bool MoveToRecycled = true;
    bool AutoLoadCurrency = true;
};

class TOptionsDlg : public QDialog
{
    Q_OBJECT
public:
    explicit TOptionsDlg(QWidget* parent = nullptr);
    void SetValues(const TOptionValues& values);
    TOptionValues Values() const;

    // Shows the options; on OK they are copied back and true is returned, on Cancel nothing changes.
    static bool Run(TOptionValues& values, QWidget* parent = nullptr);

    QCheckBox* AlertIfNotFullCheck;
    QCheckBox* AutoLoadCurrencyCheck;
    QCheckBox* AutoRegCheck;
    QCheckBox* AutoOpenRegCheck;
    QCheckBox* MoveToRecycledCheck;
};
