#pragma once

#include "StoreFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

// A test of one document window over the fixture's store: the window `w`, opened shown and
// active at a fixed size, its entry fields CmbField_i by index. The window goes with the
// test.
template <typename Window, typename Fixture>
class DocumentWindowFixture : public Fixture {
protected:
    void TearDown() override
    {
        delete w.data();
        Fixture::TearDown();
    }

    // A new window in place of the one open.
    Window *open()
    {
        delete w.data();
        w = new Window;
        w->resize(1200, 700);
        w->show();
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
        return w;
    }

    QComboBox *field(int i) const { return w->CmbField[static_cast<size_t>(i)]; }
    QString text(int i) const { return field(i)->currentText(); }
    void type(int i, const QString &typed) { typeInto(field(i), typed); }
    // The name of the control with the focus: an editable field's, not its editor's.
    QString focused() const
    {
        QWidget *f = QApplication::focusWidget();
        if (f && f->parentWidget() && qobject_cast<QComboBox *>(f->parentWidget()))
            f = f->parentWidget();
        return f ? f->objectName() : QString();
    }

    QPointer<Window> w;
};
