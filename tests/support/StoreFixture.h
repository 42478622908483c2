#pragma once

#include "ScriptedDialogs.h"
#include "StoreBuilder.h"
#include "TempFolder.h"
#include "dao/Database.h"

#include <QDate>
#include <QString>

#include <gtest/gtest.h>

class QWidget;

// The fixture every store test starts from. Before each test:
//  - a temporary program folder, set as the program folder, with the settings file path
//    (Vialdesk.ini, not written until something writes it), the help file path and the
//    delivered database in Data/MarloSJGL.dat, open as the shared connection;
//  - SysDate fixed at today() and every other global at its start value;
//  - scripted dialogs: queue each message box or modal window the test expects on
//    `dialogs`; one nobody expected, or one left over at the end, fails the test;
//  - a super user "管理员" (password "526", every right) logged in, unless the derived
//    fixture cleared `logInUser` in its constructor;
//  - `store` writes registers, reagents, lots and movement lines (see StoreBuilder).
// After it: windows still waiting for deletion are deleted, the connection closed and the
// window registry emptied.
class StoreFixture : public ::testing::Test {
protected:
    static QDate today() { return QDate(2026, 1, 15); }

    void SetUp() override;
    void TearDown() override;

    // The shared connection, opened again when an operation left it closed.
    static dao::Database &db();
    static qint64 count(const QString &table);

    // Makes the user the logged-in one, as the login window does; returns its 用户ID.
    qint32 logIn(const StoreBuilder::User &user);

    TempFolder dir;
    ScriptedDialogs dialogs;
    StoreBuilder store;
    bool logInUser = true;
};

// Types into a field as a user does: the field (the editor of a combo box) takes the focus
// and its text is replaced; Latin characters are key presses, Chinese ones come committed
// by the input method.
void typeInto(QWidget *field, const QString &text);
