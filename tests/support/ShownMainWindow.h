#pragma once

#include "shell/FrmMain.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

// The real main window as a store keeper meets it after logging in: the user's rights
// applied, shown at a desk-sized size and active, so focus and shortcuts behave.
inline void showMainWindow(FrmMain &main)
{
    main.ApplyLoginState();
    main.resize(1280, 800);
    main.show();
    QApplication::setActiveWindow(&main);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
}
