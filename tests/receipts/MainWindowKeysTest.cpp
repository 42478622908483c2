#include "MainWindowFixture.h"

#include "registers/FrmSetProduct.h"
#include "widgets/FlexGrid.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace {

class MainWindowKeysTest : public MainWindowFixture {
protected:
    FrmProductIn *openReceipt()
    {
        main->DoIt(7);
        FrmProductIn *w = child<FrmProductIn>(QStringLiteral("FrmProductIn"));
        EXPECT_NE(w, nullptr);
        return w;
    }
    void press(Qt::Key key)
    {
        QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
    }
    // The main menu that a key opened, or empty.
    QString openMenu() const
    {
        QWidget *popup = QApplication::activePopupWidget();
        const QString name = popup ? popup->objectName() : QString();
        if (popup)
            popup->close();
        return name;
    }
};

TEST_F(MainWindowKeysTest, TheReceiptWindowsAccessKeysWinOverTheMainMenu)
{
    FrmProductIn *w = openReceipt();
    ASSERT_NE(w, nullptr);
    fillReceiptLine(w);
    w->CmbField[7]->setFocus();
    press(Qt::Key_S); // 入库(&S) against 基础数据设置(&S)
    EXPECT_EQ(openMenu(), QString());
    EXPECT_EQ(count(QStringLiteral("shijibiandongdengji")), 1);
    EXPECT_EQ(w->CmbField[7]->currentText(), QStringLiteral("一号冰箱")); // no "s" typed anywhere
    EXPECT_EQ(focused(), QStringLiteral("CmbField_3"));

    // Letters the window does not use still open the menu.
    const std::pair<Qt::Key, const char *> menus[] = {{Qt::Key_D, "mnuDB"}, {Qt::Key_Q, "mnuQy"}};
    for (const auto &[key, menu] : menus) {
        w->CmbField[4]->setFocus();
        press(key);
        EXPECT_EQ(openMenu(), QString::fromLatin1(menu));
    }
    // A disabled button leaves its key to the menu.
    w->CmdNewDH->setEnabled(false);
    w->CmbField[4]->setFocus();
    press(Qt::Key_N);
    EXPECT_EQ(w->CmbField[0]->currentText(), QStringLiteral("20260115001"));
}

TEST_F(MainWindowKeysTest, TheCatalogueSavesWithItsAccessKey)
{
    main->DoIt(19);
    auto *w = child<FrmSetProduct>(QStringLiteral("FrmSetProduct"));
    ASSERT_NE(w, nullptr);
    w->CmbField[0]->setEditText(QStringLiteral("新试剂"));
    const std::pair<int, const char *> texts[] = {{3, "5ml"}, {4, "盒"}, {5, "生化"}, {6, "兰州生物"}};
    for (const auto &[f, text] : texts)
        w->CmbField[static_cast<size_t>(f)]->setEditText(QString::fromUtf8(text));
    ModBase::PickCSID = 1;
    w->CmbField[3]->setFocus();
    press(Qt::Key_S); // 保存(&S)
    EXPECT_EQ(openMenu(), QString());
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT count(*) FROM shijijibenxinxi WHERE 品名 = '新试剂'")).toInt(), 1);

    // With 复制(&C) enabled beside 关闭(&C) the letter presses neither.
    w->CmdSet[4]->setEnabled(true);
    const qint64 reagents = count(QStringLiteral("shijijibenxinxi"));
    w->CmbField[3]->setFocus();
    press(Qt::Key_C);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(child<FrmSetProduct>(QStringLiteral("FrmSetProduct")), w);
    EXPECT_EQ(count(QStringLiteral("shijijibenxinxi")), reagents);
}

TEST_F(MainWindowKeysTest, AReagentPickedInTheCatalogueLeavesTheFocusOnTheBatch)
{
    FrmProductIn *w = openReceipt();
    ASSERT_NE(w, nullptr);
    w->CmdAdd[0]->click();
    auto *catalogue = child<FrmSetProduct>(QStringLiteral("FrmSetProduct"));
    ASSERT_NE(catalogue, nullptr);
    FlexGrid *list = catalogue->GridShow;
    const auto rowOf = [list] {
        for (int r = 1; r < list->Rows() && list->Cols() > 2; ++r)
            if (list->TextMatrix(r, 2) == QStringLiteral("谷丙转氨酶"))
                return r;
        return 0;
    };
    QTRY_VERIFY(rowOf() > 0);
    const int row = rowOf();
    const QRect cell = list->visualRect(list->model()->index(row - 1, 2));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    EXPECT_EQ(child<FrmSetProduct>(QStringLiteral("FrmSetProduct")), nullptr);
    EXPECT_EQ(w->CmbField[3]->currentText(), QStringLiteral("谷丙转氨酶"));
    EXPECT_EQ(main->mdiArea->activeSubWindow()->widget(), w);
    EXPECT_EQ(focused(), QStringLiteral("CmbField_4"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("L7"));
    EXPECT_EQ(w->CmbField[4]->currentText(), QStringLiteral("L7"));
}

} // namespace
