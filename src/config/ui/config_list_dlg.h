#pragma once

#include <QDialog>

class QComboBox;

// The chooser of the database configuration registered for this user.
class TConfigListDlg : public QDialog
{
    Q_OBJECT
public:
    explicit TConfigListDlg(QWidget* parent = nullptr);

    // Fills the list and preselects `preferred` (letter case ignored), else the first entry.
    void SetConfigs(const QStringList& names, const QString& preferred);
    QString Chosen() const;
    QComboBox* Combo() const { return ConfigCombo; }

    // Shows the chooser modally; true with the chosen name when closed with OK.
    static bool Choose(const QStringList& names, const QString& preferred, QString& chosen);

private:
    QComboBox* ConfigCombo;
};
