#include "LineWrite.h"

#include "dao/Database.h"

#include <stdexcept>

namespace stock {

void requireTransaction(dao::Database &db)
{
    if (!db.inTransaction())
        throw std::logic_error("a line write needs the caller's open transaction");
}

} // namespace stock
