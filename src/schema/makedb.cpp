// Build step: puts the empty database file into the program folder when none is there.
#include "DeliveredDatabase.h"

#include "dao/DaoError.h"

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: makedb <database file>\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    try {
        if (schema::writeDeliveredDatabase(path, schema::DatabasePassword))
            std::printf("wrote %s\n", argv[1]);
    } catch (const dao::DaoError &e) {
        std::fprintf(stderr, "makedb: %s\n", e.description().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
