#include "BenchSupport.h"

#include "dao/Database.h"
#include "issues/BatchIssue.h"
#include "issues/IssueLine.h"
#include "receipts/ReceiptLine.h"
#include "shell/ModBase.h"

#include <vector>

// Saving one issue line: the lot read, the movement record, the lot lowered and the
// low-stock figures, in one transaction. Each line takes a hundredth from another lot.
static std::vector<qint64> benchLots()
{
    std::vector<qint64> lots;
    const dao::Result r = ModBase::DB()->select(
        QStringLiteral("SELECT 库存ID FROM shijikucun WHERE 数量 >= 1 ORDER BY 库存ID LIMIT 200"));
    for (const dao::Row &row : r.rows)
        lots.push_back(row[0].toLongLong());
    return lots;
}

static issues::IssueLine benchLine(qint64 lotId)
{
    issues::IssueLine line;
    line.number = 20261210001;
    line.date = QDate(2026, 12, 10);
    line.lotId = lotId;
    line.quantity = 0.01;
    line.price = 12.5;
    line.department = QStringLiteral("检验科");
    line.claimant = QStringLiteral("张三");
    line.userId = 1;
    return line;
}

static void IssueSave_program(benchmark::State &state)
{
    bench::ProgramFolder folder(true);
    const std::vector<qint64> lots = benchLots();
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(issues::saveIssueLine(*ModBase::DB(), benchLine(lots.at(i++ % lots.size()))));
}
BENCHMARK(IssueSave_program)->Name("issue_save/program")->Unit(benchmark::kMillisecond)->Iterations(200);

static void IssueSave_bare(benchmark::State &state)
{
    bench::ProgramFolder folder(true);
    dao::Database &db = *ModBase::DB();
    const std::vector<qint64> lots = benchLots();
    size_t i = 0;
    for (auto _ : state) {
        const issues::IssueLine l = benchLine(lots.at(i++ % lots.size()));
        dao::Transaction t(db);
        const dao::Result lot = db.select(
            QStringLiteral("SELECT 试剂ID, 批号, 有效期, 数量, 存放地点, 供应商ID, 入库ID FROM shijikucun WHERE 库存ID=?"),
            {l.lotId});
        const dao::Row &r = lot[0];
        db.exec(QStringLiteral("INSERT INTO shijibiandongdengji (变动标志, 单号, 登记日期, 试剂ID, 批号, 有效期, 数量, 单价, "
                               "认领部门, 认领人, 供应商ID, 操作者ID, 存放地点, 入库ID) "
                               "VALUES (2, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                {l.number, l.date, r[0], r[1], r[2], l.quantity, l.price, l.department, l.claimant, r[5], l.userId,
                 r[4], r[6]});
        db.exec(QStringLiteral("UPDATE shijikucun SET 数量=? WHERE 库存ID=?"), {r[3].toDouble() - l.quantity, l.lotId});
        t.commit();
    }
}
BENCHMARK(IssueSave_bare)->Name("issue_save/bare")->Unit(benchmark::kMillisecond)->Iterations(200);

// Saving a batch issue of an 8-line receipt document: the whole-lot check of every line,
// then, in one transaction, the check again, each lot deleted and its issue record written.
// Each iteration issues another document, received just before the timing starts.
constexpr int kBatchDocuments = 100;
constexpr int kBatchLines = 8;

static std::vector<QList<qint64>> receiveBatchDocuments()
{
    dao::Database &db = *ModBase::DB();
    std::vector<QList<qint64>> documents;
    dao::Transaction t(db);
    for (int d = 0; d < kBatchDocuments; ++d) {
        QList<qint64> lines;
        for (int i = 0; i < kBatchLines; ++i) {
            receipts::ReceiptLine line;
            line.number = 20261210100 + d;
            line.date = QDate(2026, 12, 10);
            line.reagentId = 1 + (d * kBatchLines + i) % 500;
            line.batch = QStringLiteral("BATCH%1").arg(d * kBatchLines + i);
            line.expiry = QDate(2027, 12, 31);
            line.quantity = 5;
            line.price = 12.5;
            line.supplierId = 1;
            line.userId = 1;
            line.place = QStringLiteral("冷藏一");
            lines.append(receipts::writeReceiptLine(db, line));
        }
        documents.push_back(lines);
    }
    t.commit();
    return documents;
}

static void BatchSave_program(benchmark::State &state)
{
    bench::ProgramFolder folder(true);
    const std::vector<QList<qint64>> documents = receiveBatchDocuments();
    const issues::BatchIssue batch{20261210001, QDate(2026, 12, 10), QStringLiteral("检验科"), QStringLiteral("张三"), 1};
    size_t i = 0;
    for (auto _ : state) {
        const QList<qint64> &lines = documents.at(i++);
        if (issues::wholeLots(*ModBase::DB(), lines).missing >= 0 || issues::saveBatchIssue(*ModBase::DB(), batch, lines) >= 0)
            state.SkipWithError("a lot was not whole");
    }
}
BENCHMARK(BatchSave_program)->Name("batch_save/program")->Unit(benchmark::kMillisecond)->Iterations(kBatchDocuments);

static void BatchSave_bare(benchmark::State &state)
{
    bench::ProgramFolder folder(true);
    dao::Database &db = *ModBase::DB();
    const std::vector<QList<qint64>> documents = receiveBatchDocuments();
    const QString lotQuery = QStringLiteral(
        "SELECT k.库存ID FROM shijibiandongdengji r INNER JOIN shijikucun k ON k.试剂ID = r.试剂ID AND k.批号 = r.批号 "
        "AND k.有效期 = r.有效期 AND k.数量 = r.数量 AND k.单价 = r.单价 AND k.供应商ID = r.供应商ID "
        "WHERE r.登记ID = ? AND k.入库ID = ?");
    size_t i = 0;
    for (auto _ : state) {
        const QList<qint64> &lines = documents.at(i++);
        for (const qint64 line : lines)
            benchmark::DoNotOptimize(db.select(lotQuery, {line, QString::number(line)}));
        dao::Transaction t(db);
        for (const qint64 line : lines) {
            const qint64 lot = db.select(lotQuery, {line, QString::number(line)})[0][0].toLongLong();
            db.exec(QStringLiteral("DELETE FROM shijikucun WHERE 库存ID=?"), {lot});
            db.exec(QStringLiteral("INSERT INTO shijibiandongdengji (变动标志, 单号, 登记日期, 试剂ID, 批号, 有效期, 数量, 单价, "
                                   "认领部门, 认领人, 供应商ID, 操作者ID, 存放地点, 入库ID) "
                                   "SELECT 2, ?, ?, 试剂ID, 批号, 有效期, 数量, 单价, ?, ?, 供应商ID, ?, 存放地点, ? "
                                   "FROM shijibiandongdengji WHERE 登记ID=?"),
                    {20261210001LL, QDate(2026, 12, 10), QStringLiteral("检验科"), QStringLiteral("张三"), 1,
                     QString::number(line), line});
        }
        t.commit();
    }
}
BENCHMARK(BatchSave_bare)->Name("batch_save/bare")->Unit(benchmark::kMillisecond)->Iterations(kBatchDocuments);
