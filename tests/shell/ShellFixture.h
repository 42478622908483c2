#pragma once

#include "TempFolder.h"
#include "dao/Database.h"
#include "schema/DeliveredDatabase.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "shell/WindowRegistry.h"

#include <QCoreApplication>
#include <QDir>

#include <gtest/gtest.h>

// A temporary program folder with its settings file path and a fresh database of the
// current layout, opened as the shared connection; a fixed day; an empty window registry.
class ShellFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ModBase::ResetState();
        ModBase::IniFile = dir.file(QStringLiteral("Vialdesk.ini"));
        ModBase::HelpFile = dir.file(QStringLiteral("澜鉴帮助.chm"));
        ModBase::SysDate = QDate(2024, 3, 5);
        QDir().mkpath(dir.file(QStringLiteral("Data")));
        ModBase::DBPath = dir.file(QStringLiteral("Data"));
        ModBase::DBFile = dir.file(QStringLiteral("Data/MarloSJGL.dat"));
        schema::writeDeliveredDatabase(ModBase::DBFile, ModBase::DBPassword);
        ModData::OpenDB();
        shell::clearWindowRegistry();
    }
    void TearDown() override
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ModData::CloseAll();
        shell::clearWindowRegistry();
    }

    dao::Database &db() { return *ModBase::DB(); }
    int count(const QString &table) { return db().scalar(QStringLiteral("SELECT count(*) FROM ") + table).toInt(); }

    TempFolder dir;
};
