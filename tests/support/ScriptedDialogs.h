#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <QString>

#include <deque>
#include <functional>

// Answers the program's message boxes and modal windows in the order a test expects them.
// A box nobody expected fails the test (and is answered with Cancel, No or OK); an
// expectation left over when the object dies fails it too. Installs itself while alive and
// gives the place back to the dialogs it replaced, so a test's own script can sit inside
// its fixture's.
class ScriptedDialogs final : public platform::Dialogs {
public:
    using DialogHandler = std::function<int(QDialog *)>;

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    // A message box whose text contains the given text.
    ScriptedDialogs &expect(const QString &textPart, platform::Answer answer = platform::Answer::Ok);
    // A message box with exactly this text.
    ScriptedDialogs &expectExact(const QString &text, platform::Answer answer = platform::Answer::Ok);
    // A modal window whose objectName is given (empty: any); the handler plays the user
    // (fill fields, click buttons) and returns the dialog's result.
    ScriptedDialogs &expectDialog(const QString &objectName, DialogHandler handler);
    ScriptedDialogs &expectFolder(const QString &answer);
    ScriptedDialogs &expectOpenFile(const QString &answer);
    ScriptedDialogs &expectSaveFile(const QString &answer);

    bool done() const { return m_steps.empty(); }
    // Every box shown, expected or not.
    const QList<platform::MessageBoxSpec> &shown() const { return m_shown; }
    QString lastText() const { return m_shown.isEmpty() ? QString() : m_shown.last().text; }

    platform::Answer message(const platform::MessageBoxSpec &spec) override;
    int exec(QDialog *dialog) override;
    QString browseFolder(QWidget *owner, const QString &title, const QString &startDir) override;
    QString openFileName(QWidget *owner, const QString &title, const QString &startDir,
                         const QString &filter) override;
    QString saveFileName(QWidget *owner, const QString &title, const QString &startPath,
                         const QString &filter) override;

private:
    enum class Kind { Message, Dialog, Folder, OpenFile, SaveFile };
    struct Step {
        Kind kind;
        QString text;
        bool exact = false;
        platform::Answer answer = platform::Answer::Ok;
        DialogHandler handler;
    };
    bool take(Kind kind, const QString &what, Step &out);

    platform::Dialogs *m_replaced;
    std::deque<Step> m_steps;
    QList<platform::MessageBoxSpec> m_shown;
};
