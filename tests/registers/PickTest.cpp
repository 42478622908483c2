#include "RegisterFixture.h"

#include "registers/FrmSetCategory.h"
#include "registers/FrmSetDepartment.h"
#include "registers/FrmSetHandling.h"
#include "registers/FrmSetLocation.h"
#include "registers/FrmSetManufacturer.h"
#include "registers/FrmSetSupplier.h"
#include "registers/FrmSetUnit.h"

#include <QGroupBox>

namespace {

struct Picker {
    const char *window;
    QDialog *(*make)();
    const char *table;
    const char *name;
    QString *slot;
    qint32 *idSlot;
};

template <typename W>
QDialog *make()
{
    return new W;
}

const Picker kPickers[] = {
    {"FrmSetDepartment", make<FrmSetDepartment>, "renlingbumen", "认领部门", &ModBase::PickDepartment, nullptr},
    {"FrmSetLocation", make<FrmSetLocation>, "cunfangdidian", "存放地点", &ModBase::PickLocation, nullptr},
    {"FrmSetUnit", make<FrmSetUnit>, "danwei", "单位", &ModBase::PickUnit, nullptr},
    {"FrmSetHandling", make<FrmSetHandling>, "renlingren", "认领人", &ModBase::PickClaimant, nullptr},
    {"FrmSetCategory", make<FrmSetCategory>, "zubie", "组别", &ModBase::PickGroup, nullptr},
    {"FrmSetManufacturer", make<FrmSetManufacturer>, "changshang", "厂商", &ModBase::PickCS, &ModBase::PickCSID},
    {"FrmSetSupplier", make<FrmSetSupplier>, "gongyingshang", "供应商", &ModBase::PickGYS, &ModBase::PickGYSID},
};

class Pick : public RegisterFixture, public ::testing::WithParamInterface<Picker> {
protected:
    qint64 insert(const QString &name)
    {
        db().exec(QStringLiteral("INSERT INTO %1(拼音码, %2) VALUES(?, ?)")
                      .arg(QString::fromUtf8(GetParam().table), QString::fromUtf8(GetParam().name)),
                  {ModData::GetPY(name), name});
        return db().lastInsertId();
    }
    void openRegister(bool pickMode)
    {
        ModBase::PickMode = pickMode;
        *GetParam().slot = QStringLiteral("原来的");
        if (GetParam().idSlot)
            *GetParam().idSlot = 7;
        window.reset(GetParam().make());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void expectSlotUntouched() const
    {
        EXPECT_EQ(*GetParam().slot, QStringLiteral("原来的"));
        if (GetParam().idSlot) {
            EXPECT_EQ(*GetParam().idSlot, 7);
        }
    }
};

} // namespace

TEST_P(Pick, ADoubleClickHandsTheRowBackAndCloses)
{
    insert(QString::fromUtf8("甲组"));
    const qint64 key = insert(QString::fromUtf8("乙组"));
    openRegister(true);
    doubleClickRow(rowOf(2, QString::fromUtf8("乙组")));
    EXPECT_EQ(*GetParam().slot, QString::fromUtf8("乙组"));
    if (GetParam().idSlot) {
        EXPECT_EQ(*GetParam().idSlot, key);
    }
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_TRUE(ModBase::PickMode); // the caller clears it
}

TEST_P(Pick, ClosingWithoutAPickLeavesTheSlot)
{
    insert(QString::fromUtf8("甲组"));
    openRegister(true);
    clickRow(1);
    button(QStringLiteral("CmdSet_3"))->click();
    EXPECT_FALSE(window->isVisible());
    expectSlotUntouched();

    openRegister(true);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    expectSlotUntouched();
}

TEST_P(Pick, AnEmptyListPicksNothing)
{
    openRegister(true);
    QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_TRUE(window->isVisible());
    expectSlotUntouched();
}

TEST_P(Pick, OutsidePickModeADoubleClickOnlyEdits)
{
    insert(QString::fromUtf8("甲组"));
    openRegister(false);
    doubleClickRow(1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(child<QGroupBox>(QStringLiteral("FamSet"))->title().endsWith(QString::fromUtf8("（修改模式）")));
    EXPECT_TRUE(button(QStringLiteral("CmdSet_2"))->isEnabled());
    expectSlotUntouched();
}

INSTANTIATE_TEST_SUITE_P(All, Pick, ::testing::ValuesIn(kPickers),
                         [](const auto &info) { return std::string(info.param.window); });
