#include "QueriesFixture.h"

#include "queries/FrmQScrap.h"
#include "widgets/DropDownCombo.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace {

class FrmQScrapTest : public QueriesFixture {
protected:
    void SetUp() override
    {
        QueriesFixture::SetUp();
        store.line({.flag = 3, .number = 20260101001, .date = {2026, 1, 1}, .reagent = serum, .price = 10,
                    .department = u"只报损科"_s, .supplier = beijing, .reason = u"过期"_s});
        store.line({.flag = 3, .number = 20260102001, .date = {2026, 1, 2}, .reagent = serum, .price = 10,
                    .department = u"检验科"_s, .supplier = beijing});
        store.line({.flag = 2, .reagent = serum, .department = u"检验科"_s, .supplier = beijing});
        store.line({.flag = 2, .reagent = serum, .department = u"急诊科"_s, .supplier = beijing});
    }
    void TearDown() override
    {
        delete w.data();
        QueriesFixture::TearDown();
    }

    FrmQScrap *open()
    {
        w = new FrmQScrap;
        w->resize(1300, 700);
        w->show();
        return w;
    }
    QStringList listed(QComboBox *combo) const
    {
        QStringList out;
        for (int i = 0; i < combo->count(); ++i)
            out << combo->itemText(i);
        return out;
    }

    QPointer<FrmQScrap> w;
};

TEST_F(FrmQScrapTest, DetailOnlyWithTheScrapReason)
{
    open();
    EXPECT_FALSE(w->OptKind[0]->isVisible());
    EXPECT_FALSE(w->OptKind[1]->isVisible());
    EXPECT_FALSE(w->CmbFPH);
    QTest::mouseClick(w->CmdQ, Qt::LeftButton);
    EXPECT_EQ(w->GridQ->Cols(), 21);
    EXPECT_EQ(w->GridQ->TextMatrix(0, 17), u"报损原因"_s);
    EXPECT_EQ(w->LabTip->text(), u"本月（1月份）试剂报损报表－共 2 条记录，总金额：20.00"_s);
    EXPECT_EQ(w->report().kind, u"RegBS"_s);

    typeInto(w->CmbDH, u"20260102001"_s);
    EXPECT_EQ(w->GridQ->Rows(), 2);
    EXPECT_EQ(w->report().kind, u"RegBS"_s);
}

TEST_F(FrmQScrapTest, DepartmentsListedFromIssueLinesButTypedStillFilter)
{
    open();
    auto *departments = w->filter(u"CmbRLBM"_s);
    Q_EMIT departments->DropDown();
    EXPECT_EQ(listed(departments), (QStringList{QString(), u"急诊科"_s, u"检验科"_s}));

    departments->setEditText(u"只报损科"_s);
    QTest::mouseClick(w->CmdQ, Qt::LeftButton);
    EXPECT_EQ(column(w->GridQ, 18), QStringList{u"只报损科"_s});
    departments->setEditText(QString());

    typeInto(w->filter(u"CmbSJDM"_s), u"血清样本 "_s);
    QTest::mouseClick(w->CmdQ, Qt::LeftButton);
    EXPECT_EQ(w->GridQ->Rows(), 1);
    EXPECT_EQ(w->report().title, u"本月（1月份）血清样本试剂报损报表"_s);
}

TEST_F(FrmQScrapTest, FiltersCompareLatinLettersWithoutCase)
{
    latinLine(3);
    open();
    searchEach(w, {
        {"CmbRLBM", u"Icu"_s, u"本月（1月份）Icu试剂报损报表"_s, 1},
        {"CmbZB", u"pcr组"_s, u"本月（1月份）pcr组试剂报损报表"_s, 1},
        {"CmbSJDM", u"HBSAG试剂"_s, u"本月（1月份）HBSAG试剂试剂报损报表"_s, 1},
        {"CmbGYS", u"Abc Pharma"_s, u"本月（1月份）Abc Pharma供试剂报损报表"_s, 1},
    });
}

} // namespace
