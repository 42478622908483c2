#include "Dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>

namespace platform {
namespace {

QMessageBox::StandardButton toStandard(Answer a)
{
    switch (a) {
    case Answer::Ok: return QMessageBox::Ok;
    case Answer::Cancel: return QMessageBox::Cancel;
    case Answer::Yes: return QMessageBox::Yes;
    case Answer::No: return QMessageBox::No;
    case Answer::Retry: return QMessageBox::Retry;
    }
    return QMessageBox::Ok;
}

Answer fromStandard(int b)
{
    switch (b) {
    case QMessageBox::Cancel: return Answer::Cancel;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Retry: return Answer::Retry;
    default: return Answer::Ok;
    }
}

// A short text under a long title: the box sizes itself to its text, and the window
// manager would cut the title. A spacer as wide as the title holds the box open.
void fitTitle(QMessageBox &box)
{
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    if (!grid)
        return;
    // Room for the title bar's icon and buttons beside the text.
    constexpr int kTitleBarExtras = 140;
    const QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
    const int width = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + kTitleBarExtras;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

// The folder a file dialog opens in: the given one, or the nearest folder above it that
// exists (a backup folder not made yet), always with an empty file name.
QString startFolder(const QString &path)
{
    if (path.isEmpty())
        return path;
    QString folder = QDir::cleanPath(path);
    while (!QFileInfo(folder).isDir()) {
        const QString up = QFileInfo(folder).absolutePath();
        if (up == folder)
            return QString();
        folder = up;
    }
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

class WidgetDialogs final : public Dialogs {
public:
    Answer message(const MessageBoxSpec &spec) override
    {
        QMessageBox box(spec.owner);
        box.setWindowTitle(spec.title.isEmpty() ? appTitle() : spec.title);
        box.setText(spec.text);
        switch (spec.icon) {
        case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
        case Icon::Information: box.setIcon(QMessageBox::Information); break;
        case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
        case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
        case Icon::Question: box.setIcon(QMessageBox::Question); break;
        }
        QList<Answer> answers;
        switch (spec.buttons) {
        case Buttons::Ok: answers = {Answer::Ok}; break;
        case Buttons::OkCancel: answers = {Answer::Ok, Answer::Cancel}; break;
        case Buttons::YesNo: answers = {Answer::Yes, Answer::No}; break;
        case Buttons::YesNoCancel: answers = {Answer::Yes, Answer::No, Answer::Cancel}; break;
        case Buttons::RetryCancel: answers = {Answer::Retry, Answer::Cancel}; break;
        }
        QMessageBox::StandardButtons set;
        for (Answer a : answers)
            set |= toStandard(a);
        box.setStandardButtons(set);
        const Answer def = answers.contains(spec.defaultButton) ? spec.defaultButton : answers.first();
        box.setDefaultButton(toStandard(def));
        if (answers.contains(Answer::Cancel))
            box.setEscapeButton(QMessageBox::Cancel);
        else if (answers.contains(Answer::No))
            box.setEscapeButton(QMessageBox::No);
        static const QHash<int, QString> labels = {
            {QMessageBox::Ok, QStringLiteral("确定")},   {QMessageBox::Cancel, QStringLiteral("取消")},
            {QMessageBox::Yes, QStringLiteral("是(&Y)")}, {QMessageBox::No, QStringLiteral("否(&N)")},
            {QMessageBox::Retry, QStringLiteral("重试(&R)")}};
        for (Answer a : answers)
            if (QAbstractButton *b = box.button(toStandard(a)))
                b->setText(labels.value(toStandard(a)));
        fitTitle(box);
        const int result = box.exec();
        // The close box of a box without Cancel or No counts as its only button.
        return fromStandard(result == QMessageBox::NoButton ? toStandard(def) : result);
    }

    int exec(QDialog *dialog) override { return dialog->exec(); }

    QString browseFolder(QWidget *owner, const QString &title, const QString &startDir) override
    {
        return QFileDialog::getExistingDirectory(owner, title, startDir);
    }

    QString openFileName(QWidget *owner, const QString &title, const QString &startDir,
                         const QString &filter) override
    {
        return QFileDialog::getOpenFileName(owner, title, startFolder(startDir), filter);
    }

    QString saveFileName(QWidget *owner, const QString &title, const QString &startPath,
                         const QString &filter) override
    {
        return QFileDialog::getSaveFileName(owner, title, startPath, filter);
    }
};

WidgetDialogs &widgetDialogs()
{
    static WidgetDialogs d;
    return d;
}

Dialogs *g_current = nullptr;
QString g_title;

} // namespace

Dialogs &dialogs()
{
    return g_current ? *g_current : widgetDialogs();
}

void setDialogs(Dialogs *impl)
{
    g_current = impl;
}

QString appTitle()
{
    return g_title.isEmpty() ? QApplication::applicationName() : g_title;
}

void setAppTitle(const QString &title)
{
    g_title = title;
}

Answer msgBox(const QString &text, Buttons buttons, Icon icon, const QString &title, QWidget *owner,
              Answer defaultButton)
{
    return dialogs().message({owner, text, title, icon, buttons, defaultButton});
}

int execModal(QDialog *dialog)
{
    return dialogs().exec(dialog);
}

} // namespace platform
