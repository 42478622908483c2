#pragma once

#include "ShellFixture.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QTest>

// The shell fixture with one logged-in super user.
class StoreFixture : public ShellFixture {
protected:
    void SetUp() override
    {
        using namespace ModBase;
        ShellFixture::SetUp();
        db().exec(QStringLiteral("INSERT INTO yonghu (代码, 用户名, 密码, 超级用户, 权限, 在职显示) VALUES (?, ?, ?, ?, ?, ?)"),
                  {QStringLiteral("01"), QStringLiteral("管理员"), QStringLiteral("526"), true, QString(26, u'1'), true});
        UserID = qint32(db().lastInsertId());
        UserName = QStringLiteral("管理员");
        UserPSW = QStringLiteral("526");
        SuperUser = true;
        LoginOK = true;
    }

    // The shared connection, opened again when an operation left it closed.
    dao::Database &db()
    {
        ModData::OpenDB();
        return ShellFixture::db();
    }
};

// Types as a user does: Latin keys one by one, Chinese text committed by the input method.
inline void typeText(QWidget *w, const QString &text)
{
    for (const QChar ch : text) {
        if (ch.unicode() < 0x80) {
            QTest::keyClick(w, char(ch.unicode()));
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(QString(ch));
            QApplication::sendEvent(w, &commit);
        }
    }
}
