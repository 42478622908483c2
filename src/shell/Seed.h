#pragma once

namespace dao {
class Database;
}

namespace ModBase {

// The first login on a database without users: the administrator ("管理员", password
// "526", every right) and the starter rows of each register that is still empty, all in
// one transaction. Does nothing while the user table holds a row.
void SeedEmptyDatabase(dao::Database &db);

} // namespace ModBase
