#include "FrmAbout.h"

#include "Maker.h"
#include "ModBase.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <functional>

namespace {

QLabel *named(const QString &name, QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    return l;
}

// A label that acts on a click, as the two links of the contact block do.
class LinkLabel : public QLabel {
public:
    LinkLabel(const QString &name, const QString &text, QWidget *parent, std::function<void()> action)
        : QLabel(text, parent), m_action(std::move(action))
    {
        setObjectName(name);
        setCursor(Qt::PointingHandCursor);
        setStyleSheet(QStringLiteral("color: blue; text-decoration: underline"));
    }

protected:
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        QLabel::mouseReleaseEvent(event);
        m_action();
    }

private:
    std::function<void()> m_action;
};

} // namespace

FrmAbout::FrmAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmAbout"));
    const QString title = platform::appTitle();
    setWindowTitle(title);

    Image1 = named(QStringLiteral("Image1"), this);
    const QIcon icon = QApplication::windowIcon().isNull() ? style()->standardIcon(QStyle::SP_ComputerIcon)
                                                           : QApplication::windowIcon();
    Image1->setPixmap(icon.pixmap(48, 48));
    Image1->setAlignment(Qt::AlignTop);

    lblTitle = named(QStringLiteral("lblTitle"), this);
    lblTitle->setText(title);
    lblVersion = named(QStringLiteral("lblVersion"), this);
    lblVersion->setText(QStringLiteral("版 本 号：V%1.%2.%3")
                            .arg(VIALDESK_VERSION_MAJOR)
                            .arg(VIALDESK_VERSION_MINOR)
                            .arg(VIALDESK_VERSION_PATCH));
    lblDescription = named(QStringLiteral("lblDescription"), this);
    lblDescription->setText(QStringLiteral("版权声明：") + Maker::Notice);
    lblDescription->setWordWrap(true);
    LblLince = named(QStringLiteral("LblLince"), this);
    LblLince->setText(QStringLiteral("部门名称：") + ModBase::UnitName);
    Label2 = named(QStringLiteral("Label2"), this);
    Label2->setText(Maker::Warning);
    Label2->setWordWrap(true);

    auto *product = new QGridLayout;
    product->addWidget(new QLabel(QStringLiteral("产品名称："), this), 0, 0);
    product->addWidget(lblTitle, 0, 1);
    product->addWidget(lblVersion, 1, 0, 1, 2);
    product->addWidget(new QLabel(QStringLiteral("用户信息："), this), 2, 0);
    product->addWidget(LblLince, 2, 1);
    product->setColumnStretch(1, 1);

    Label8 = named(QStringLiteral("Label8"), this);
    Label8->setText(QStringLiteral("联系电话："));
    Label6 = named(QStringLiteral("Label6"), this);
    Label6->setText(QStringLiteral("联 系 人："));
    Label4 = named(QStringLiteral("Label4"), this);
    Label4->setText(QStringLiteral("通讯地址："));
    Label9 = new LinkLabel(QStringLiteral("Label9"), Maker::Email, this, [this, title] {
        platform::shell().open(this, QStringLiteral("MailTo:") + Maker::Email + QStringLiteral("?subject=") + title);
    });
    LabWeb = new LinkLabel(QStringLiteral("LabWeb"), Maker::Web, this,
                           [this] { platform::shell().open(this, Maker::Web); });
    auto *contact = new QGridLayout;
    const std::array<std::pair<QLabel *, QLabel *>, 5> rows = {{
        {Label8, new QLabel(Maker::Telephone, this)},
        {Label6, new QLabel(Maker::Contact, this)},
        {Label4, new QLabel(Maker::Address, this)},
        {new QLabel(QStringLiteral("Email："), this), Label9},
        {new QLabel(QStringLiteral("官方网站："), this), LabWeb},
    }};
    for (int i = 0; i < int(rows.size()); ++i) {
        contact->addWidget(rows[i].first, i, 0);
        contact->addWidget(rows[i].second, i, 1, Qt::AlignLeft);
    }
    contact->setColumnStretch(1, 1);

    CmdOK = new QPushButton(QStringLiteral("确定(&O)"), this);
    CmdOK->setObjectName(QStringLiteral("CmdOK"));
    CmdOK->setDefault(true);
    connect(CmdOK, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CmdOK);

    auto *text = new QVBoxLayout;
    text->addLayout(product);
    text->addWidget(lblDescription);
    text->addWidget(Label2);
    text->addSpacing(6);
    text->addLayout(contact);
    auto *top = new QHBoxLayout;
    top->addWidget(Image1);
    top->addLayout(text, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    setFixedWidth(440);
}
