#include "platform/QtTranslations.h"

#include <QCoreApplication>
#include <QTranslator>

#include <gtest/gtest.h>

// Qt's own texts as the store keeper meets them: dialog buttons, the folder and file
// dialogs, the edit menu of a field.
TEST(QtTranslations, QtsOwnTextsAreChineseWhateverTheLocale)
{
    ASSERT_TRUE(platform::installQtTranslations(*QCoreApplication::instance()));
    const struct {
        const char *context;
        const char *text;
        const char16_t *chinese;
    } cases[] = {
        {"QPlatformTheme", "OK", u"确定"},
        {"QPlatformTheme", "Cancel", u"取消"},
        {"QFileDialog", "Look in:", u"查找范围："},
        {"QFileDialog", "File &name:", u"文件名称(&N)："},
        {"QLineEdit", "Select All", u"全选"},
        {"QLineEdit", "&Undo", u"撤消(&U)"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(QCoreApplication::translate(c.context, c.text), QString::fromUtf16(c.chinese)) << c.text;
    for (QTranslator *t : QCoreApplication::instance()->findChildren<QTranslator *>())
        QCoreApplication::removeTranslator(t);
}
