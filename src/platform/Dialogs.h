#pragma once

#include <QString>

class QWidget;
class QDialog;

// Every message box and every modal window of both programs goes through here, so tests
// can install a scripted implementation that answers them.
namespace platform {

enum class Icon { None, Information, Exclamation, Critical, Question };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Answer { Ok, Cancel, Yes, No, Retry };

struct MessageBoxSpec {
    QWidget *owner = nullptr;
    QString text;
    QString title; // empty: the program's title
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    Answer defaultButton = Answer::Ok; // the first button when it is not one of the box's
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual Answer message(const MessageBoxSpec &spec) = 0;
    // Shows the dialog modally; returns its result (QDialog::Accepted/Rejected or done()'s code).
    virtual int exec(QDialog *dialog) = 0;
    // The folder dialog; empty text when cancelled.
    virtual QString browseFolder(QWidget *owner, const QString &title, const QString &startDir) = 0;
    // The file dialogs; empty text when cancelled. filter as QFileDialog takes it.
    virtual QString openFileName(QWidget *owner, const QString &title, const QString &startDir,
                                 const QString &filter) = 0;
    virtual QString saveFileName(QWidget *owner, const QString &title, const QString &startPath,
                                 const QString &filter) = 0;
};

// The implementation in use; the widget-based one unless a test installed its own.
Dialogs &dialogs();
// Installs an implementation (not owned); nullptr restores the widget-based one.
void setDialogs(Dialogs *impl);

// The title a box without a title of its own shows.
QString appTitle();
void setAppTitle(const QString &title);

// The usual call: a box with the given text, buttons and icon.
Answer msgBox(const QString &text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
              const QString &title = QString(), QWidget *owner = nullptr,
              Answer defaultButton = Answer::Ok);
int execModal(QDialog *dialog);

} // namespace platform
