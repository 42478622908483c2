#include "BenchSupport.h"

#include "dao/Database.h"
#include "platform/SingleInstance.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "shell/Organisation.h"
#include "shell/Shutdown.h"
#include "shell/Startup.h"

#include <QDir>
#include <QFile>

// Start-up to the login: settings, the database check and first opening, the schema
// version check, the organisation's name.
static void StartUp_program(benchmark::State &state)
{
    bench::ProgramFolder folder;
    for (auto _ : state) {
        ModData::CloseAll();
        platform::SingleInstance instance(folder.path());
        if (!ModBase::StartUp(instance)) {
            state.SkipWithError("start-up refused");
            break;
        }
        ModBase::LoadOrganisation();
    }
    state.counters["peak_MB"] = bench::peakMemoryMb();
}
BENCHMARK(StartUp_program)->Name("startup/program")->Unit(benchmark::kMillisecond);

static void StartUp_bare(benchmark::State &state)
{
    bench::ProgramFolder folder;
    ModData::CloseAll();
    for (auto _ : state) {
        auto db = dao::Database::open(folder.databaseFile(), ModBase::DBPassword);
        benchmark::DoNotOptimize(db->scalar(QStringLiteral("SELECT DBVer FROM DBVersion")));
        benchmark::DoNotOptimize(db->scalar(QStringLiteral("SELECT 单位名称 FROM danweixinxi")));
    }
}
BENCHMARK(StartUp_bare)->Name("startup/bare")->Unit(benchmark::kMillisecond);

// The exit backup into the auto-backup folder, against a plain file copy.
static void Backup_program(benchmark::State &state)
{
    bench::ProgramFolder folder;
    ModBase::AutoBackup = true;
    for (auto _ : state) {
        state.PauseTiming();
        QDir(folder.path() + QStringLiteral("/备份")).removeRecursively();
        ModBase::BackupPath = folder.path() + QStringLiteral("/备份");
        state.ResumeTiming();
        ModBase::BackupAtExit();
    }
}
BENCHMARK(Backup_program)->Name("backup/program")->Unit(benchmark::kMillisecond)->Iterations(3);

static void Backup_bare(benchmark::State &state)
{
    bench::ProgramFolder folder;
    const QString target = folder.path() + QStringLiteral("/copy.dat");
    for (auto _ : state) {
        QFile::remove(target);
        QFile::copy(folder.databaseFile(), target);
    }
}
BENCHMARK(Backup_bare)->Name("backup/bare")->Unit(benchmark::kMillisecond)->Iterations(3);

// Compaction of a private copy of the store, against VACUUM on an open connection.
static void Compact_program(benchmark::State &state)
{
    bench::ProgramFolder folder(true);
    for (auto _ : state) {
        if (!ModData::CompactDB()) {
            state.SkipWithError("compaction refused");
            break;
        }
    }
}
BENCHMARK(Compact_program)->Name("compact/program")->Unit(benchmark::kMillisecond)->Iterations(2);

static void Compact_bare(benchmark::State &state)
{
    bench::ProgramFolder folder(true);
    ModData::CloseAll();
    auto db = dao::Database::open(folder.databaseFile(), ModBase::DBPassword);
    for (auto _ : state)
        db->exec(QStringLiteral("VACUUM"));
}
BENCHMARK(Compact_bare)->Name("compact/bare")->Unit(benchmark::kMillisecond)->Iterations(2);
