#include "config/ui/config_list_dlg.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TConfigListDlg::TConfigListDlg(QWidget* parent) : QDialog(parent), ConfigCombo(new QComboBox)
{
    setObjectName(QStringLiteral("ConfigListDlg"));
    setWindowTitle(QStringLiteral("Конфигурация"));
    ConfigCombo->setObjectName(QStringLiteral("ConfigCombo"));
    ConfigCombo->setEditable(false);
    ConfigCombo->setMaxVisibleItems(15);
    ConfigCombo->setMinimumWidth(260);
    ConfigCombo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* label = new QLabel(QStringLiteral("Конфигурация"));
    label->setBuddy(ConfigCombo);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(ConfigCombo);
    layout->addSpacing(8);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TConfigListDlg::SetConfigs(const QStringList& names, const QString& preferred)
{
    ConfigCombo->clear();
    ConfigCombo->addItems(names);
    int index = 0;
    for (int i = 0; i < names.size(); ++i)
        if (names[i].compare(preferred, Qt::CaseInsensitive) == 0) {
            index = i;
            break;
        }
    ConfigCombo->setCurrentIndex(names.isEmpty() ? -1 : index);
    adjustSize();
    if (const QScreen* screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

QString TConfigListDlg::Chosen() const { return ConfigCombo->currentText(); }

bool TConfigListDlg::Choose(const QStringList& names, const QString& preferred, QString& chosen)
{
    TConfigListDlg dialog;
    dialog.SetConfigs(names, preferred);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    chosen = dialog.Chosen();
    return true;
}
