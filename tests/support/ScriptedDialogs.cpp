#include "ScriptedDialogs.h"

#include <QDialog>

#include <gtest/gtest.h>

namespace {
const char *kindName(int k)
{
    static const char *names[] = {"message box", "modal window", "folder dialog", "open-file dialog",
                                  "save-file dialog"};
    return names[k];
}
} // namespace

ScriptedDialogs::ScriptedDialogs() : m_replaced(&platform::dialogs())
{
    platform::setDialogs(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    platform::setDialogs(m_replaced);
    for (const Step &s : m_steps)
        ADD_FAILURE() << "expected " << kindName(static_cast<int>(s.kind)) << " never came: "
                      << s.text.toStdString();
}

ScriptedDialogs &ScriptedDialogs::expect(const QString &textPart, platform::Answer answer)
{
    m_steps.push_back({Kind::Message, textPart, false, answer, {}});
    return *this;
}

ScriptedDialogs &ScriptedDialogs::expectExact(const QString &text, platform::Answer answer)
{
    m_steps.push_back({Kind::Message, text, true, answer, {}});
    return *this;
}

ScriptedDialogs &ScriptedDialogs::expectDialog(const QString &objectName, DialogHandler handler)
{
    m_steps.push_back({Kind::Dialog, objectName, false, platform::Answer::Ok, std::move(handler)});
    return *this;
}

ScriptedDialogs &ScriptedDialogs::expectFolder(const QString &answer)
{
    m_steps.push_back({Kind::Folder, answer, false, platform::Answer::Ok, {}});
    return *this;
}

ScriptedDialogs &ScriptedDialogs::expectOpenFile(const QString &answer)
{
    m_steps.push_back({Kind::OpenFile, answer, false, platform::Answer::Ok, {}});
    return *this;
}

ScriptedDialogs &ScriptedDialogs::expectSaveFile(const QString &answer)
{
    m_steps.push_back({Kind::SaveFile, answer, false, platform::Answer::Ok, {}});
    return *this;
}

bool ScriptedDialogs::take(Kind kind, const QString &what, Step &out)
{
    if (m_steps.empty()) {
        ADD_FAILURE() << "unexpected " << kindName(static_cast<int>(kind)) << ": " << what.toStdString();
        return false;
    }
    Step s = m_steps.front();
    if (s.kind != kind) {
        ADD_FAILURE() << "expected " << kindName(static_cast<int>(s.kind)) << " (" << s.text.toStdString()
                      << ") but got " << kindName(static_cast<int>(kind)) << ": " << what.toStdString();
        return false;
    }
    m_steps.pop_front();
    out = s;
    return true;
}

platform::Answer ScriptedDialogs::message(const platform::MessageBoxSpec &spec)
{
    m_shown.append(spec);
    Step s;
    if (take(Kind::Message, spec.text, s)) {
        const bool match = s.exact ? spec.text == s.text : spec.text.contains(s.text);
        if (match)
            return s.answer;
        ADD_FAILURE() << "message box text\n  " << spec.text.toStdString() << "\nexpected "
                      << (s.exact ? "exactly" : "to contain") << "\n  " << s.text.toStdString();
    }
    switch (spec.buttons) {
    case platform::Buttons::Ok: return platform::Answer::Ok;
    case platform::Buttons::YesNo: return platform::Answer::No;
    default: return platform::Answer::Cancel;
    }
}

int ScriptedDialogs::exec(QDialog *dialog)
{
    Step s;
    if (!take(Kind::Dialog, dialog->objectName(), s))
        return QDialog::Rejected;
    if (!s.text.isEmpty() && s.text != dialog->objectName()) {
        ADD_FAILURE() << "expected modal window " << s.text.toStdString() << " but got "
                      << dialog->objectName().toStdString();
        return QDialog::Rejected;
    }
    dialog->setModal(true);
    dialog->show();
    const int result = s.handler ? s.handler(dialog) : QDialog::Rejected;
    if (dialog->isVisible())
        dialog->hide();
    return result;
}

QString ScriptedDialogs::browseFolder(QWidget *, const QString &title, const QString &)
{
    Step s;
    return take(Kind::Folder, title, s) ? s.text : QString();
}

QString ScriptedDialogs::openFileName(QWidget *, const QString &title, const QString &, const QString &)
{
    Step s;
    return take(Kind::OpenFile, title, s) ? s.text : QString();
}

QString ScriptedDialogs::saveFileName(QWidget *, const QString &title, const QString &, const QString &)
{
    Step s;
    return take(Kind::SaveFile, title, s) ? s.text : QString();
}
