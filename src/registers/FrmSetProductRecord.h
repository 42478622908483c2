#pragma once

#include "shell/Refusal.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace dao {
class Database;
}

// One reagent of the catalogue as the entry frame holds it: the checks of a save in
// screen order, and the writes.
namespace registers {

struct ProductEntry {
    // The entry fields by their index in the frame.
    enum Field { Name, Pinyin, Barcode, Spec, Unit, Group, Maker, Approval, Low, High, FieldCount };

    std::array<QString, FieldCount> text; // as typed, untrimmed
    bool disabled = false;
    qint32 makerId = 0; // the manufacturer chosen for the name the maker field shows
    bool addMode = true;
    qint32 editId = 0; // the reagent being edited when not in add mode

    QString trimmed(Field f) const { return text.at(f).trimmed(); }
};

// The first check (steps 1 to 12) from step `from` on that the entry fails, or nothing when
// it may be saved; fields are ProductEntry::Field values.
std::optional<Refusal> firstRefusal(dao::Database &db, const ProductEntry &entry, int from = 1);

// Adds the reagent; returns its key.
qint64 addProduct(dao::Database &db, const ProductEntry &entry);
// Writes the entry over the reagent entry.editId.
void updateProduct(dao::Database &db, const ProductEntry &entry);

// Why the reagent may not be deleted, or nothing.
std::optional<QString> deleteRefusal(dao::Database &db, qint32 id);
void deleteProduct(dao::Database &db, qint32 id);

} // namespace registers
