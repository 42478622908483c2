#include "FrmPopMenu.h"

#include "ModBase.h"
#include "platform/Shell.h"
#include "platform/System.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

#include <stdexcept>

namespace {

QMenu *makeMenu(QWidget *parent, const char *name, const QString &title)
{
    auto *menu = new QMenu(title, parent);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

} // namespace

FrmPopMenu &FrmPopMenu::instance()
{
    // Lives for the whole process, like the loaded form it stands for.
    static FrmPopMenu *form = new FrmPopMenu;
    return *form;
}

FrmPopMenu::FrmPopMenu()
{
    setObjectName(QStringLiteral("FrmPopMenu"));
    mnuHelpKind = makeMenu(this, "mnuHelpKind", QStringLiteral("帮助类型"));
    const QStringList kinds{QString(), QStringLiteral("文字帮助"), QStringLiteral("视频帮助")};
    for (qint16 i = 1; i <= 2; ++i) {
        QAction *item = mnuHelpKind->addAction(kinds[i]);
        item->setObjectName(QStringLiteral("aHelpKind_%1").arg(i));
        connect(item, &QAction::triggered, this, [i] { ModBase::HelpKind = i; });
        aHelpKind[i] = item;
    }
    mnuRK = makeMenu(this, "mnuRK", QStringLiteral("各组别入库"));
    mnuH = makeMenu(this, "mnuH", QStringLiteral("汇总"));
    mnuQstore = makeMenu(this, "mnuQstore", QStringLiteral("各组别库存"));
    loadItem(mnuRKZB, 0, QString());
    loadItem(mnuHZ, 0, QString());
    loadItem(mnuQstoreZB, 0, QString());
}

QMenu *FrmPopMenu::menuOf(const QList<QAction *> &items) const
{
    if (&items == &mnuRKZB)
        return mnuRK;
    if (&items == &mnuHZ)
        return mnuH;
    return mnuQstore;
}

QAction *FrmPopMenu::loadItem(QList<QAction *> &items, int index, const QString &caption)
{
    QMenu *menu = menuOf(items);
    while (items.size() <= index) {
        QAction *item = menu->addAction(QString());
        const QString array = &items == &mnuRKZB ? QStringLiteral("mnuRKZB")
                              : &items == &mnuHZ ? QStringLiteral("mnuHZ")
                                                 : QStringLiteral("mnuQstoreZB");
        item->setObjectName(array + u'_' + QString::number(items.size()));
        if (&items != &mnuQstoreZB)
            connect(item, &QAction::triggered, this, [item] { ModBase::SQL = item->text(); });
        items.append(item);
    }
    items[index]->setText(caption);
    return items[index];
}

void FrmPopMenu::unloadItems()
{
    for (QList<QAction *> *items : {&mnuRKZB, &mnuHZ, &mnuQstoreZB}) {
        while (items->size() > 1)
            delete items->takeLast();
        items->first()->setText(QString());
    }
}

void FrmPopMenu::popUp(QMenu *menu)
{
    menu->exec(QCursor::pos());
}

void FrmPopMenu::helpButton(QWidget *owner, const QString &topic, const QString &page)
{
    ModBase::HelpKind = 3;
    popUp(instance().mnuHelpKind);
    const qint16 kind = ModBase::HelpKind;
    ModBase::HelpKind = 3;
    if (kind == 1) {
        if (!platform::shell().showHelp(ModBase::HelpFile, topic))
            ModBase::ShowErr(std::runtime_error("无法启动帮助程序，请检查帮助文件“" + ModBase::HelpFile.toStdString() + "”。"));
    } else if (kind == 2) {
        platform::shell().open(owner, platform::programFolder() + page);
    }
}
