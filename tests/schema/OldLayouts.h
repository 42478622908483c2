#pragma once

#include "schema/Schema.h"

#include <QList>
#include <QPair>
#include <QVariant>

#include <memory>

namespace dao {
class Database;
}

// Database files of earlier layouts, made from the same description as the current file,
// holding a few rows of every kind.
namespace oldlayouts {

using Values = QList<QPair<QString, QVariant>>;

struct Sample {
    QString table; // current name
    Values values; // current field names, plus fields that later steps delete
};

// The rows every fixture holds, as far as its layout has the fields. The users' rights
// strings are as long as the fixture's version had them, all "1".
QList<Sample> samples(schema::Version v);
int rightsLength(schema::Version v);

// Writes a row into the table as it is named at v, skipping fields the layout lacks.
void insertAt(dao::Database &db, schema::Version v, const QString &table, const Values &values);

// A new keyed file at path with the layout of v and the sample rows; one movement line
// was added and deleted again, so the counter stands above the highest key.
std::unique_ptr<dao::Database> create(const QString &path, schema::Version v);

} // namespace oldlayouts
