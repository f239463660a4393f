#include "config/ui/options_dlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
QCheckBox* Check(const char* name, const QString& caption)
{
    auto* box = new QCheckBox(caption);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}
} // namespace

TOptionsDlg::TOptionsDlg(QWidget* parent)
    : QDialog(parent),
      AlertIfNotFullCheck(Check("AlertIfNotFullCheck", QStringLiteral("Выдавать сообщение при расчете неполного заказа"))),
      AutoLoadCurrencyCheck(Check("AutoLoadCurrencyCheck", QStringLiteral("Автозагрузка курсов валют"))),
      AutoRegCheck(Check("AutoRegCheck", QStringLiteral("Авторегистрация и обновление при сохранении заказа"))),
      AutoOpenRegCheck(Check("AutoOpenRegCheck", QStringLiteral("Автоматическая загрузка реестра при загрузке"))),
      MoveToRecycledCheck(Check("MoveToRecycledCheck", QStringLiteral("Перемещать удаленные из реестра заказы в мусорку")))
{
    setObjectName(QStringLiteral("OptionsDlg"));
    setWindowTitle(QStringLiteral("Параметры"));
    auto* general = new QGroupBox(QStringLiteral("Общие"));
    auto* generalLayout = new QVBoxLayout(general);
    generalLayout->addWidget(AlertIfNotFullCheck);
    generalLayout->addWidget(AutoLoadCurrencyCheck);
    auto* registry = new QGroupBox(QStringLiteral("Реестр и файлы заказов"));
    auto* registryLayout = new QVBoxLayout(registry);
    registryLayout->addWidget(AutoRegCheck);
    registryLayout->addWidget(AutoOpenRegCheck);
    registryLayout->addWidget(MoveToRecycledCheck);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(general);
    layout->addWidget(registry);
    layout->addStretch();
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TOptionsDlg::SetValues(const TOptionValues& v)
{
    AlertIfNotFullCheck->setChecked(v.AlertIfNotFull);
    AutoLoadCurrencyCheck->setChecked(v.AutoLoadCurrency);
    AutoRegCheck->setChecked(v.AutoReg);
    AutoOpenRegCheck->setChecked(v.AutoOpenReg);
    MoveToRecycledCheck->setChecked(v.MoveToRecycled);
}

TOptionValues TOptionsDlg::Values() const
{
    TOptionValues v;
    v.AlertIfNotFull = AlertIfNotFullCheck->isChecked();
    v.AutoLoadCurrency = AutoLoadCurrencyCheck->isChecked();
    v.AutoReg = AutoRegCheck->isChecked();
    v.AutoOpenReg = AutoOpenRegCheck->isChecked();
    v.MoveToRecycled = MoveToRecycledCheck->isChecked();
    return v;
}

bool TOptionsDlg::Run(TOptionValues& values, QWidget* parent)
{
    TOptionsDlg dialog(parent);
    dialog.SetValues(values);
    if (const QScreen* screen = QApplication::primaryScreen()) {
        dialog.adjustSize();
        dialog.move(screen->availableGeometry().center() - dialog.rect().center());
    }
    if (dialog.exec() != QDialog::Accepted)
        return false;
    values = dialog.Values();
    return true;
}
