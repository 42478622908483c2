#pragma once

#include "shell/Refusal.h"

#include <QString>

#include <array>
#include <optional>

namespace receipts {

// The texts of the receipt window's entry fields (CmbField), as typed.
struct ReceiptEntry {
    enum Field { Number, Supplier, Invoice, Reagent, Batch, Quantity, Price, Place, FieldCount };
    std::array<QString, FieldCount> text;
};

// The checks of a receipt line in screen order, steps 1 to 11: number, supplier (its list
// follows the box), invoice, reagent (its list follows), batch, quantity (3 steps), price
// (2 steps), the question on a number that is not eleven characters long. Once a field has
// passed, the quantity and then the price are shown "Standard".
std::optional<Refusal> firstReceiptRefusal(const ReceiptEntry &entry, int from);

} // namespace receipts
