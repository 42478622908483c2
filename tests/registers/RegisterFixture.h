#pragma once

#include "ScriptedDialogs.h"
#include "TempFolder.h"

#include "dao/Database.h"
#include "schema/DeliveredDatabase.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "widgets/FlexGrid.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// A program folder with a fresh database, opened as the shared connection.
class RegisterFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ModBase::ResetState();
        ModBase::SysDate = QDate(2026, 1, 15);
        ModBase::DBFile = dir.file(QStringLiteral("MarloSJGL.dat"));
        schema::writeDeliveredDatabase(ModBase::DBFile, ModBase::DBPassword);
        ModData::OpenDB();
    }
    void TearDown() override
    {
        EXPECT_TRUE(dialogs.done());
        window.reset();
        ModData::CloseAll();
        ModBase::ResetState();
    }

    dao::Database &db() { return *ModData::Connection(); }

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

    // Key presses carrying each character, Chinese ones too.
    static void keys(QWidget *w, const QString &text)
    {
        for (const QChar ch : text)
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
    // Replaces the field's text by typing.
    static void type(QComboBox *c, const QString &text)
    {
        c->setFocus();
        c->lineEdit()->selectAll();
        if (text.isEmpty())
            QTest::keyClick(c->lineEdit(), Qt::Key_Delete);
        keys(c->lineEdit(), text);
    }
    QPoint cellCentre(int row, int col) const
    {
        return grid()->visualRect(grid()->model()->index(row - 1, col)).center();
    }
    // Clicks the first data row that shows text in the given column.
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

    TempFolder dir;
    ScriptedDialogs dialogs; // a box nobody expected fails the test instead of waiting
    std::unique_ptr<QDialog> window;
};
