#pragma once

#include "platform/Shell.h"

#include <QStringList>

// Records shell calls instead of starting programs; `succeed` decides what they report.
class RecordingShell final : public platform::Shell {
public:
    RecordingShell() { platform::setShell(this); }
    ~RecordingShell() override { platform::setShell(nullptr); }

    bool open(QWidget *, const QString &fileOrUrl) override { return record(QStringLiteral("open ") + fileOrUrl); }
    bool startCalculator() override { return record(QStringLiteral("calculator")); }
    bool explore(const QString &folder) override { return record(QStringLiteral("explore ") + folder); }
    bool showHelp(const QString &helpFile, const QString &topic) override
    {
        return record(QStringLiteral("help ") + helpFile + topic);
    }

    QStringList calls;
    bool succeed = true;

private:
    bool record(const QString &call)
    {
        calls.append(call);
        return succeed;
    }
};
