#pragma once

#include "ScriptedDialogs.h"

#include "shell/FrmCheckPSW.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// The password prompt answered with the text.
inline ScriptedDialogs::DialogHandler password(const QString &typed)
{
    return [typed](QDialog *d) {
        auto *prompt = static_cast<FrmCheckPSW *>(d);
        prompt->TxtFileld->setText(typed);
        QTest::mouseClick(prompt->CmdCHPW, Qt::LeftButton);
        return int(QDialog::Accepted);
    };
}
