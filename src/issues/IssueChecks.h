#pragma once

#include "shell/Refusal.h"
#include "stock/MovementFlag.h"

#include <QDate>
#include <QString>

#include <array>
#include <optional>

namespace issues {

// What the checks of an issue or scrap line read: the texts of the entry fields (CmbField)
// as typed, and the lot last taken.
struct IssueEntry {
    enum Field { Number, Department, Claimant, Reagent, Quantity, Price, FieldCount };
    stock::MovementFlag kind = stock::Issue; // Issue or Scrap
    std::array<QString, FieldCount> text;
    double lotQuantity = 0; // 0 while no lot was taken
    QDate expiry;
    QDate today;
    QDate date; // the line's date, the title of the question on an expired lot
};

// An empty department (field Department) or claimant (field Claimant): the box asks for a
// code or the picker, and the field's choices are listed after it.
std::optional<Refusal> claimRefusal(int step, const QString &text, int field);

// The checks of a line in screen order, steps 1 to 13: number, department, claimant and
// reagent (each of the three lists its choices after the box), quantity (3 steps), the
// lot's stock, price (2 steps), the question on an expired lot, the question on a number
// that is not eleven characters long. Once a field has passed, the quantity and then the
// price are shown "Standard". A scrap line differs: an empty reagent lists nothing, a
// positive quantity passes as typed even when it shows as 0.00, and an expired lot is what
// it is there for, so nothing is asked about it.
std::optional<Refusal> firstIssueRefusal(const IssueEntry &entry, int from);

} // namespace issues
