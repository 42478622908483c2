#include "TempFolder.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

// The widget-based dialogs as the user meets them; each test looks at the dialog while it
// is open and then closes it.
namespace {

template <typename Dialog, typename Look>
void whenOpen(Look look)
{
    QTimer::singleShot(0, [look] {
        auto *d = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        look(d);
        d->reject();
    });
}

} // namespace

TEST(WidgetDialogs, TheOpenFileDialogStartsInTheNearestFolderThatExistsWithNoName)
{
    TempFolder dir;
    QDir().mkpath(dir.file(QStringLiteral("备份")));
    const struct {
        const char *start;
        const char *shown;
    } cases[] = {
        {"备份", "备份"},
        {"备份数据库", ""},          // made only at the first exit backup
        {"备份数据库/旧/更旧", ""},
    };
    for (const auto &c : cases) {
        QString folder, name;
        whenOpen<QFileDialog>([&](QFileDialog *d) {
            folder = d->directory().absolutePath();
            name = d->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->text();
        });
        const QString start = dir.file(QString::fromUtf8(c.start));
        EXPECT_EQ(platform::dialogs().openFileName(nullptr, QStringLiteral("选择已备份的数据库"), start, QString()),
                  QString());
        const QString shown = QString::fromUtf8(c.shown);
        EXPECT_EQ(folder, shown.isEmpty() ? dir.path() : dir.file(shown)) << c.start;
        EXPECT_EQ(name, QString()) << c.start;
    }
}

TEST(WidgetDialogs, AShortMessageShowsItsWholeTitle)
{
    const QString title = QStringLiteral("提示：密码已经更改，请记住新的密码");
    int width = 0;
    whenOpen<QMessageBox>([&](QMessageBox *box) { width = box->width(); });
    platform::msgBox(QStringLiteral("密码更改成功！"), platform::Buttons::Ok, platform::Icon::None, title);
    EXPECT_GT(width, QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(title));
}
