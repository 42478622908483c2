#include "JetFunctions.h"

#include <sqlcipher/sqlite3.h>

namespace dao {
namespace {

void csng(sqlite3_context *context, int, sqlite3_value **args)
{
    if (sqlite3_value_type(args[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    sqlite3_result_double(context, static_cast<double>(static_cast<float>(sqlite3_value_double(args[0]))));
}

} // namespace

void registerJetFunctions(sqlite3 *db)
{
    sqlite3_create_function(db, "CSng", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, csng, nullptr, nullptr);
}

} // namespace dao
