#pragma once

#include <QString>

#include <optional>

namespace stock {

// The user a reversal acts for.
struct Actor {
    QString name;
    bool super = false;
};

// What the storage step of a reversal decided about one line. It shows nothing itself:
// the reversal run shows the refusal, or asks the question and calls the step again.
struct ReversalResult {
    enum Outcome { Reversed, Refused, Ask };
    Outcome outcome = Refused;
    QString message; // the refusal or the question
    QString title;   // the box's title; empty for the program's own

    static ReversalResult reversed() { return {Reversed, {}, {}}; }
    static ReversalResult refused(const QString &message, const QString &title = QString())
    {
        return {Refused, message, title};
    }
    static ReversalResult ask(const QString &question) { return {Ask, question, {}}; }
};

// Only the line's own user or a super user may take a line back: the refusal naming both
// users, or nothing when the actor may. Names compare exactly.
std::optional<ReversalResult> ownershipRefusal(const Actor &actor, const QString &owner);

} // namespace stock
