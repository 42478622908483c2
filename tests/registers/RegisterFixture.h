#pragma once

#include "StoreFixture.h"

#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "widgets/FlexGrid.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

// The store fixture with nobody logged in, and the register window under test.
class RegisterFixture : public StoreFixture {
protected:
    RegisterFixture() { logInUser = false; }

    void TearDown() override
    {
        EXPECT_TRUE(dialogs.done());
        window.reset();
        StoreFixture::TearDown();
    }

    // Shows the window the way the dispatcher would, without blocking.
    template <typename W>
    W *open()
    {
        auto *w = new W;
        window.reset(w);
        w->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w));
        return w;
    }

    template <typename T = QWidget>
    T *child(const QString &name) const
    {
        T *c = window->findChild<T *>(name);
        EXPECT_NE(c, nullptr) << name.toStdString();
        return c;
    }
    QComboBox *combo(const QString &name) const { return child<QComboBox>(name); }
    QPushButton *button(const QString &name) const { return child<QPushButton>(name); }
    FlexGrid *grid() const { return child<FlexGrid>(QStringLiteral("GridShow")); }

    QPoint cellCentre(int row, int col) const
    {
        return grid()->visualRect(grid()->model()->index(row - 1, col)).center();
    }
    // The first data row that shows text in the given column.
    int rowOf(int col, const QString &text) const
    {
        for (int r = 1; r < grid()->Rows(); ++r)
            if (grid()->TextMatrix(r, col) == text)
                return r;
        return -1;
    }
    void clickRow(int row, int col = 2) { QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cellCentre(row, col)); }
    // A double-click, with the click that comes first.
    void doubleClickRow(int row, int col = 2)
    {
        clickRow(row, col);
        QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, cellCentre(row, col));
    }

    std::unique_ptr<QDialog> window;
};
