#pragma once

#include "StoreFixture.h"

#include "platform/System.h"
#include "queries/FrmMovementQuery.h"
#include "shell/ModBase.h"
#include "widgets/DropDownCombo.h"
#include "widgets/FlexGrid.h"

#include <QPushButton>
#include <QTest>

// The store of the movement query tests: two makers, two suppliers and three reagents in
// groups whose pinyin order differs from their code order (生化 before 微生物).
class QueriesFixture : public StoreFixture {
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        platform::setProgramFolder(dir.path());
        const qint32 lanzhou = store.maker(QStringLiteral("兰州生物"));
        const qint32 some = store.maker(QStringLiteral("某厂"));
        beijing = store.supplier(QStringLiteral("北京医药"));
        shanghai = store.supplier(QStringLiteral("上海科技"));
        serum = store.reagent({.name = QStringLiteral("血清样本"), .maker = lanzhou});
        alt = store.reagent({.name = QStringLiteral("谷丙转氨酶"), .unit = QStringLiteral("瓶"),
                             .group = QStringLiteral("微生物"), .maker = lanzhou});
        quoted = store.reagent({.name = QStringLiteral("奥'布试剂"), .unit = QStringLiteral("支"),
                                .group = QStringLiteral("免疫"), .maker = some});
    }
    void TearDown() override
    {
        platform::setProgramFolder(QString());
        StoreFixture::TearDown();
    }

    static QStringList column(const FlexGrid *grid, int col)
    {
        QStringList out;
        for (int r = 1; r < grid->Rows(); ++r)
            out << grid->TextMatrix(r, col);
        return out;
    }

    // A line of the flag whose supplier, maker, group, reagent and department are written
    // in Latin letters ("ABC Pharma", "Roche", "PCR组", "HBsAg试剂", "ICU").
    void latinLine(int flag)
    {
        const qint32 roche = store.maker(QStringLiteral("Roche"));
        const qint32 abc = store.supplier(QStringLiteral("ABC Pharma"));
        const qint32 hbsag = store.reagent({.name = QStringLiteral("HBsAg试剂"), .group = QStringLiteral("PCR组"),
                                            .maker = roche});
        store.line({.flag = flag, .number = 20260108001, .date = {2026, 1, 8}, .reagent = hbsag, .price = 10,
                    .department = QStringLiteral("ICU"), .supplier = abc});
    }

    struct FilterCase {
        const char *combo;
        QString typed;
        QString title;
        int rows; // lines found
    };
    // Each case alone: typed into its filter, searched, checked, and the filter emptied again.
    static void searchEach(FrmMovementQuery *w, std::initializer_list<FilterCase> cases)
    {
        for (const FilterCase &c : cases) {
            auto *combo = w->filter(QString::fromLatin1(c.combo));
            typeInto(combo, c.typed);
            QTest::mouseClick(w->CmdQ, Qt::LeftButton);
            EXPECT_EQ(w->GridQ->Rows() - 1, c.rows) << c.combo << " " << c.typed.toStdString();
            EXPECT_EQ(w->report().title, c.title);
            typeInto(combo, QString());
        }
    }

    qint32 beijing = 0, shanghai = 0;
    qint32 serum = 0, alt = 0, quoted = 0;
};
