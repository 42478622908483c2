#include "Refusal.h"

#include <QComboBox>

bool passChecks(const RefusalSource &firstRefusal, const QList<QComboBox *> &fields, QWidget *owner,
                const std::function<void(int field)> &listChoices)
{
    int from = 1;
    while (const std::optional<Refusal> r = firstRefusal(from)) {
        for (const auto &[field, text] : r->rewritten)
            fields.at(field)->setEditText(text);
        for (const int field : r->emptied)
            fields.at(field)->setEditText(QString());
        if (r->question) {
            const platform::Answer answer = platform::msgBox(r->message, platform::Buttons::YesNo, r->icon, r->title,
                                                             owner, r->defaultAnswer);
            if (answer != r->stopOn) {
                from = r->step + 1;
                continue;
            }
        } else {
            platform::msgBox(r->message, platform::Buttons::Ok, r->icon, r->title, owner);
            if (r->listChoices && listChoices)
                listChoices(r->focus);
        }
        fields.at(r->focus)->setFocus();
        return false;
    }
    return true;
}
