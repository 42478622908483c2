#pragma once

namespace dao {
class Database;
}

namespace stock {

// The line writes that join the caller's transaction start with this, so that a document
// written line by line commits or rolls back as a whole: throws when none is open.
void requireTransaction(dao::Database &db);

} // namespace stock
