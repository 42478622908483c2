#pragma once

#include <QString>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

// What every benchmark shares: the large store and a program folder whose settings point
// at it.
namespace bench {

// The store file: $VIALDESK_BENCH_STORE, else bench/store-<size>.dat in the build folder,
// made by the generator when missing; $VIALDESK_BENCH_SIZE is small (the CI-sized one),
// medium (the default) or large.
QString storePath();

// A temporary program folder with a settings file naming the store's folder, set as the
// program folder and as the shared state's paths, with the store's connection open.
class ProgramFolder {
public:
    // copyStore: work on a private copy of the store (for cases that change the file).
    explicit ProgramFolder(bool copyStore = false);
    ~ProgramFolder();
    QString path() const { return m_dir.path(); }
    QString databaseFile() const { return m_database; }

private:
    QTemporaryDir m_dir;
    QString m_database;
};

// The resident set's peak, in MB.
double peakMemoryMb();
// The resident set now, in MB.
double residentMemoryMb();

} // namespace bench
