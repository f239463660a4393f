#include "config/ui/firm_info_dlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

#include "foundation/messages.h"
#include "windows/file_filters.h"

QString LogoFilter()
{
    return QStringLiteral("Windows Bitmap Files (*.bmp)|*.bmp|Windows Metafile (*.wmf)|*.wmf|"
                          "Рисунки PNG (*.png)|*.png|Рисунки JPEG (*.jpg;*.jpeg)|*.jpg;*.jpeg|"
                          "Рисунки GIF (*.gif)|*.gif|Все рисунки|*.bmp;*.wmf;*.png;*.jpg;*.jpeg;*.gif");
}

QLineEdit* TFirmInfoDlg::Add(const char* name)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

QLineEdit* TFirmInfoDlg::Edit(const char* name) const { return findChild<QLineEdit*>(QString::fromLatin1(name)); }

TFirmInfoDlg::TFirmInfoDlg(QWidget* parent) : QDialog(parent), Image(new QLabel)
{
    setObjectName(QStringLiteral("FirmInfoDlg"));
    setWindowTitle(QStringLiteral("Реквизиты фирмы"));
    RunFileDialog = [](QFileDialog& dialog) { return dialog.exec() == QDialog::Accepted; };

    auto* grid = new QGridLayout;
    int row = 0;
    const auto line = [&](const QString& caption, QWidget* field) {
        auto* label = new QLabel(caption);
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        ++row;
    };
    line(QStringLiteral("Наименование (*)"), Add("NameEdit"));

    auto* logoRow = new QWidget;
    auto* logoLayout = new QHBoxLayout(logoRow);
    logoLayout->setContentsMargins(0, 0, 0, 0);
    QLineEdit* logo = Add("LogoEdit");
    auto* browse = new QToolButton;
    browse->setObjectName(QStringLiteral("LogoBrowse"));
    browse->setText(QStringLiteral("..."));
    connect(browse, &QToolButton::clicked, this, &TFirmInfoDlg::BrowseLogo);
    logoLayout->addWidget(logo, 1);
    logoLayout->addWidget(browse);
    line(QStringLiteral("Логотип"), logoRow);
    Image->setObjectName(QStringLiteral("Image"));
    Image->setFixedSize(160, 80);
    Image->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    Image->setAlignment(Qt::AlignCenter);
    grid->addWidget(Image, row++, 1, Qt::AlignLeft);

    line(QStringLiteral("Адрес"), Add("AddressEdit"));
    line(QStringLiteral("Юридический адрес"), Add("JustAddressEdit"));
    line(QStringLiteral("Код города"), Add("ZipCodeEdit"));
    auto* phones = new QWidget;
    auto* phonesLayout = new QHBoxLayout(phones);
    phonesLayout->setContentsMargins(0, 0, 0, 0);
    phonesLayout->addWidget(Add("Phone1Edit"));
    phonesLayout->addWidget(Add("Phone2Edit"));
    phonesLayout->addWidget(Add("Phone3Edit"));
    line(QStringLiteral("Телефон (*)"), phones);
    line(QStringLiteral("Факс"), Add("FaxEdit"));
    line(QStringLiteral("E-Mail (*)"), Add("EMailEdit"));
    line(QStringLiteral("Internet"), Add("InternetEdit"));
    line(QStringLiteral("ИНН"), Add("INNEdit"));
    line(QStringLiteral("Счет"), Add("AccountEdit"));
    line(QStringLiteral("Директор"), Add("DirectorEdit"));
    line(QStringLiteral("Гл. бухгалтер"), Add("BookKeeperEdit"));
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(1, 360);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

void TFirmInfoDlg::SetDetails(const TFirmDetails& d)
{
    const std::pair<const char*, const QString*> fields[] = {
        {"NameEdit", &d.Name},         {"LogoEdit", &d.Logo},       {"AddressEdit", &d.Address},
        {"JustAddressEdit", &d.JustAddress}, {"ZipCodeEdit", &d.ZipCode}, {"Phone1Edit", &d.Phone1},
        {"Phone2Edit", &d.Phone2},     {"Phone3Edit", &d.Phone3},   {"FaxEdit", &d.Fax},
        {"EMailEdit", &d.EMail},       {"InternetEdit", &d.Internet}, {"INNEdit", &d.INN},
        {"AccountEdit", &d.Account},   {"DirectorEdit", &d.Director}, {"BookKeeperEdit", &d.BookKeeper}};
    for (const auto& [name, value] : fields)
        Edit(name)->setText(*value);
    Image->clear();
    if (!d.Logo.isEmpty() && QFileInfo::exists(d.Logo))
        LoadPreview(d.Logo);
}

TFirmDetails TFirmInfoDlg::Details() const
{
    TFirmDetails d;
    d.Name = Edit("NameEdit")->text();
    d.Logo = Edit("LogoEdit")->text();
    d.Address = Edit("AddressEdit")->text();
    d.JustAddress = Edit("JustAddressEdit")->text();
    d.ZipCode = Edit("ZipCodeEdit")->text();
    d.Phone1 = Edit("Phone1Edit")->text();
    d.Phone2 = Edit("Phone2Edit")->text();
    d.Phone3 = Edit("Phone3Edit")->text();
    d.Fax = Edit("FaxEdit")->text();
    d.EMail = Edit("EMailEdit")->text();
    d.Internet = Edit("InternetEdit")->text();
    d.INN = Edit("INNEdit")->text();
    d.Account = Edit("AccountEdit")->text();
    d.Director = Edit("DirectorEdit")->text();
    d.BookKeeper = Edit("BookKeeperEdit")->text();
    return d;
}

bool TFirmInfoDlg::LoadPreview(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage picture = reader.read();
    if (picture.isNull()) {
        Image->clear();
        ShowError(QStringLiteral("%1\r\n(%2)").arg(reader.errorString(), path));
        return false;
    }
    Image->setPixmap(QPixmap::fromImage(picture).scaled(Image->size() - QSize(4, 4), Qt::KeepAspectRatio,
                                                        Qt::SmoothTransformation));
    return true;
}

void TFirmInfoDlg::BrowseLogo()
{
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(DefaultSuffix(QStringLiteral("*.bmp")));
    dialog.setNameFilters(DialogFilters(LogoFilter()));
    const QString current = Edit("LogoEdit")->text();
    if (!current.isEmpty())
        dialog.selectFile(current);
    if (!RunFileDialog(dialog) || dialog.selectedFiles().isEmpty())
        return;
    const QString chosen = dialog.selectedFiles().first();
    Edit("LogoEdit")->setText(chosen);
    LoadPreview(chosen);
}

bool TFirmInfoDlg::Run(TFirmDetails& details, QWidget* parent)
{
    TFirmInfoDlg dialog(parent);
    dialog.SetDetails(details);
    if (const QScreen* screen = QApplication::primaryScreen()) {
        dialog.adjustSize();
        dialog.move(screen->availableGeometry().center() - dialog.rect().center());
    }
    if (dialog.exec() != QDialog::Accepted)
        return false;
    details = dialog.Details();
    return true;
}
