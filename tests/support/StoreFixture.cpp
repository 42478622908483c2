#include "StoreFixture.h"

#include "dao/Database.h"
#include "schema/DeliveredDatabase.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "shell/WindowRegistry.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>

void StoreFixture::SetUp()
{
    ModBase::ResetState();
    ModBase::SysDate = today();
    ModBase::IniFile = dir.file(ModBase::IniFileName);
    ModBase::HelpFile = dir.file(QStringLiteral("澜鉴帮助.chm"));
    QDir().mkpath(dir.file(QStringLiteral("Data")));
    ModBase::DBPath = dir.file(QStringLiteral("Data"));
    ModBase::DBFile = dir.file(QStringLiteral("Data/") + ModBase::DBFileName);
    schema::writeDeliveredDatabase(ModBase::DBFile, ModBase::DBPassword);
    ModData::OpenDB();
    shell::clearWindowRegistry();
    if (logInUser)
        logIn({.password = QStringLiteral("526")});
}

void StoreFixture::TearDown()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ModData::CloseAll();
    shell::clearWindowRegistry();
}

dao::Database &StoreFixture::db()
{
    ModData::OpenDB();
    return *ModData::Connection();
}

qint64 StoreFixture::count(const QString &table)
{
    return db().scalar(QStringLiteral("SELECT COUNT(*) FROM ") + table).toLongLong();
}

qint32 StoreFixture::logIn(const StoreBuilder::User &user)
{
    using namespace ModBase;
    UserID = store.user(user);
    UserName = user.name;
    UserPSW = user.password;
    SuperUser = user.super;
    UserQX = user.rights;
    LoginOK = true;
    return UserID;
}

void typeInto(QWidget *field, const QString &text)
{
    if (auto *combo = qobject_cast<QComboBox *>(field); combo && combo->lineEdit())
        field = combo->lineEdit();
    field->setFocus();
    if (auto *edit = qobject_cast<QLineEdit *>(field))
        edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Delete);
    for (const QChar ch : text) {
        if (ch.unicode() < 0x80) {
            QTest::keyClick(field, char(ch.unicode()));
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(QString(ch));
            QApplication::sendEvent(field, &commit);
        }
    }
}
