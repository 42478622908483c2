#pragma once

struct sqlite3;

namespace dao {

// The functions of Jet's SQL that the program's statements call: CSng(x), x as a
// single-precision number (null stays null), for the rules that compare in single precision.
void registerJetFunctions(sqlite3 *db);

} // namespace dao
