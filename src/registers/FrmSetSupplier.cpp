#include "FrmSetSupplier.h"

#include "shell/ModBase.h"

using namespace registers;

namespace {

RegisterKind kind()
{
    CardTexts t;
    t.objectName = QStringLiteral("FrmSetSupplier");
    t.caption = QStringLiteral("供应商设置");
    t.searchLabel = QStringLiteral("供 应 商:");
    t.table = QStringLiteral("gongyingshang");
    t.keyField = QStringLiteral("供应商ID");
    t.nameField = QStringLiteral("供应商");
    t.fullNameField = QStringLiteral("供应商全称");
    t.emptyNameMessage = QStringLiteral("供应商不能为空");
    t.exportTitle = QStringLiteral("供应商");
    t.references = {{QStringLiteral("shijibiandongdengji"), QStringLiteral("供应商ID")},
                    {QStringLiteral("shijikucun"), QStringLiteral("供应商ID")}};
    t.inUseMessage = QStringLiteral("供应商“%1”仍被入库、出库或库存记录使用，不能删除。");
    t.pickId = &ModBase::PickGYSID;
    t.pickName = &ModBase::PickGYS;
    t.helpTopic = QStringLiteral("::/3.htm#35");
    t.helpPage = QStringLiteral("/Demo/49.htm");
    return cardRegister(t);
}

} // namespace

FrmSetSupplier::FrmSetSupplier(QWidget *parent) : RegisterWindow(kind(), parent) {}
