#include "TempFolder.h"
#include "platform/SingleInstance.h"

#include <QTest>

#include <gtest/gtest.h>

TEST(SingleInstance, LookingWhetherItRunsDoesNotRaiseIt)
{
    TempFolder dir;
    EXPECT_FALSE(platform::SingleInstance::isRunning(dir.path()));

    platform::SingleInstance first(dir.path());
    int raised = 0;
    ASSERT_TRUE(first.listen([&raised] { ++raised; }));
    EXPECT_TRUE(platform::SingleInstance::isRunning(dir.path()));
    platform::SingleInstance second(dir.path());
    EXPECT_TRUE(second.raiseRunning());
    EXPECT_TRUE(QTest::qWaitFor([&raised] { return raised > 0; }, 5000));
    // Both connections wait in the socket's queue: a few more rounds answer every one.
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(raised, 1);
}
