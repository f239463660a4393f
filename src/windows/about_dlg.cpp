#include "windows/about_dlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "config/ui/splash_form.h"

#ifndef DIRAVIR_VERSION
#define DIRAVIR_VERSION "3.81.5.400"
#endif

namespace {

QLabel* Heading(const QString& text, int points)
{
    auto* label = new QLabel(text);
    QFont f = label->font();
    f.setPointSize(points);
    f.setBold(true);
    label->setFont(f);
    return label;
}

} // namespace

QString TAboutDlg::BuildNumber() { return QStringLiteral(DIRAVIR_VERSION).section(QLatin1Char('.'), 3, 3); }

TAboutDlg::TAboutDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutDlg"));
    setWindowTitle(QStringLiteral("О программе"));

    auto* logo = new QLabel;
    logo->setPixmap(ProductLogo(72));
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignLeft);
    const auto add = [form](const QString& caption, const QString& value, const char* name) {
        auto* field = new QLabel(value);
        field->setObjectName(QString::fromLatin1(name));
        field->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(caption, field);
    };
    add(QStringLiteral("Версия:"), QStringLiteral("3.81"), "Version");
    add(QStringLiteral("Сборка:"), BuildNumber(), "Build");
    add(QStringLiteral("Редакция:"), QStringLiteral("Русская"), "Edition");
    add(QStringLiteral("Формат файлов заказов:"), QStringLiteral("26.12.2019"), "OrderFormat");
    add(QStringLiteral("Формат файлов выборок:"), QStringLiteral("06.10.2015"), "SelectionFormat");
    add(QStringLiteral("Модификация:"), QStringLiteral("3.81.5.400"), "Modification");

    auto* texts = new QVBoxLayout;
    texts->addWidget(Heading(QStringLiteral("Diravir ФУРНИТУРА"), 14));
    texts->addWidget(new QLabel(QStringLiteral("Подбор фурнитуры для окон и дверей")));
    texts->addSpacing(8);
    texts->addLayout(form);
    auto* top = new QHBoxLayout;
    top->addWidget(logo, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

TPresentationRotoDlg::TPresentationRotoDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("PresentationRotoDlg"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);

    auto* frame = new QFrame;
    frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    frame->setStyleSheet(QStringLiteral("QFrame#Border { border: 2px solid #1F4E8C; }"));
    frame->setObjectName(QStringLiteral("Border"));

    auto* logo = new QLabel;
    logo->setPixmap(ProductLogo(80));
    auto* title = Heading(QStringLiteral("Diravir ФУРНИТУРА"), 18);
    title->setStyleSheet(QStringLiteral("color: #1F4E8C;"));
    auto* subtitle = new QLabel(QStringLiteral("Подбор и расчёт фурнитуры для окон и дверей"));

    auto* contacts = new QLabel(QStringLiteral(
        "<p><b>Разработчик программы</b><br>"
        "Студия «Ризуве»<br>"
        "Россия, 000000, г. Новоград, ул. Оконная, д. 1, офис 10<br>"
        "Телефон: +7 (000) 000-00-00<br>"
        "E-mail: support@example.org</p>"
        "<p><b>Консультации по фурнитуре</b><br>"
        "Отдел технической поддержки дилеров<br>"
        "Телефон: +7 (000) 000-00-01<br>"
        "E-mail: dealers@example.org</p>"
        "<p><b>Обучение и внедрение</b><br>"
        "Курсы для технологов и менеджеров оконных цехов: подготовка заказов, подбор фурнитуры, "
        "печать спецификаций.</p>"));
    contacts->setObjectName(QStringLiteral("Contacts"));
    contacts->setWordWrap(true);
    contacts->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* head = new QHBoxLayout;
    head->addWidget(logo, 0, Qt::AlignTop);
    head->addSpacing(12);
    auto* headTexts = new QVBoxLayout;
    headTexts->addWidget(title);
    headTexts->addWidget(subtitle);
    headTexts->addStretch();
    head->addLayout(headTexts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);

    auto* inner = new QVBoxLayout(frame);
    inner->setContentsMargins(20, 20, 20, 16);
    inner->addLayout(head);
    inner->addSpacing(10);
    inner->addWidget(contacts);
    inner->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(frame);
    setFixedWidth(520);
}
