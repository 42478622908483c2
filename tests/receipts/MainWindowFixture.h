#pragma once

#include "ReceiptsFixture.h"

#include "receipts/FrmCancelIn.h"
#include "receipts/FrmProductIn.h"
#include "receipts/FrmProductPO.h"
#include "shell/ModDataGrid.h"
#include "registers/Registration.h"
#include "ShownMainWindow.h"
#include "shell/FrmMain.h"
#include "shell/WindowRegistry.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include <memory>

// The small store of the receipt tests behind the real main window, with the windows
// registered as the program registers them and a user holding every right.
class MainWindowFixture : public ReceiptsFixture {
protected:
    MainWindowFixture() { clerk.super = true; }

    void SetUp() override
    {
        ReceiptsFixture::SetUp();
        shell::registerWindow(QStringLiteral("FrmProductIn"), [](QWidget *p) { return new FrmProductIn(p); });
        shell::registerWindow(QStringLiteral("FrmCancelIn"), [](QWidget *p) { return new FrmCancelIn(p); });
        shell::registerWindow(QStringLiteral("FrmProductPO"), [](QWidget *p) { return new FrmProductPO(p); });
        registers::registerWindows();
        main = std::make_unique<FrmMain>();
        showMainWindow(*main);
    }
    void TearDown() override
    {
        main.reset();
        ReceiptsFixture::TearDown();
    }

    // The business window the dispatcher opened under that name.
    template <typename W>
    W *child(const QString &name) const
    {
        return qobject_cast<W *>(main->loadedWindow(name));
    }
    // Every field of a valid receipt line, set without searching.
    void fillReceiptLine(FrmProductIn *w)
    {
        const QStringList values = {QStringLiteral("20260115001"), QStringLiteral("北京医药"), QStringLiteral("F1"),
                                    QStringLiteral("血清样本"),    QStringLiteral("B1"),       QStringLiteral("5"),
                                    QStringLiteral("12.34"),       QStringLiteral("一号冰箱")};
        w->CmdSave->setFocus();
        ModData::ResetGrid(w->GridTip);
        for (int i = 0; i < 8; ++i)
            w->CmbField[static_cast<size_t>(i)]->setEditText(values.at(i));
        ModBase::PickGYSID = 1;
        ModBase::CurSJID = 1;
    }
    QString focused() const
    {
        QWidget *f = QApplication::focusWidget();
        return f ? f->objectName() : QString();
    }

    std::unique_ptr<FrmMain> main;
};
