#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>
#include <utility>

class QComboBox;
class QWidget;

// A check of a save that the entry failed, as plain data: the box it shows and what
// happens around it. Fields are the window's entry fields by their index.
struct Refusal {
    int step = 0; // the check's place in screen order
    QString message;
    QString title; // empty: the program's title
    platform::Icon icon = platform::Icon::Information;
    // A question (Yes/No): the answer `stopOn` ends the save at the field, the other one goes
    // on with the next check.
    bool question = false;
    platform::Answer stopOn = platform::Answer::Yes;
    platform::Answer defaultAnswer = platform::Answer::Ok;
    int focus = 0;
    QList<std::pair<int, QString>> rewritten; // fields given these texts before the box shows
    QList<int> emptied;                       // fields emptied before the box shows
    bool listChoices = false;                 // after the box the field's pick list lists everything
};

// The first check from step `from` on that the entry fails, or nothing when it may be saved.
using RefusalSource = std::function<std::optional<Refusal>(int from)>;

// Shows the refusals of a save one at a time in screen order, as every entry window does:
// a refusal's box, then `listChoices` for its field when it asks for it, then the focus on
// its field. True when every check passed (questions answered to go on).
bool passChecks(const RefusalSource &firstRefusal, const QList<QComboBox *> &fields, QWidget *owner,
                const std::function<void(int field)> &listChoices = {});
