#include "StoreGenerator.h"

#include "shell/ModBase.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>

#include <cstdio>

// genstore FILE [--small | --large] [--seed N]: writes a store for the benchmarks.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: genstore FILE [--small | --large] [--seed N]\n");
        return 2;
    }
    bench::StoreSize size;
    std::uint64_t seed = 20261210;
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--small"))
            size = bench::StoreSize::small();
        else if (args[i] == QStringLiteral("--large"))
            size = bench::StoreSize::large();
        else if (args[i] == QStringLiteral("--seed") && i + 1 < args.size())
            seed = args[++i].toULongLong();
    }
    QElapsedTimer timer;
    timer.start();
    try {
        const auto facts = bench::generateStore(args.first(), ModBase::DBPassword, size, seed);
        std::printf("%lld reagents, %lld movement lines, %lld lots in %.1f s\n",
                    static_cast<long long>(facts.reagents), static_cast<long long>(facts.movementLines),
                    static_cast<long long>(facts.lots), static_cast<double>(timer.elapsed()) / 1000.0);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "genstore: %s\n", e.what());
        return 1;
    }
    return 0;
}
