#include "Stocktaking.h"

#include "dao/Database.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <vector>

namespace queries {
namespace {

constexpr int kFlags = 3; // receipt, issue, scrap

// One flag's movements of one reagent: before the period and within it.
struct FlagSums {
    Currency quantityBefore, amountBefore, quantity, amount;
};
using ReagentSums = std::array<FlagSums, kFlags>;

struct Lots {
    Currency quantity;
    double averagePrice = 0;
};

const QStringList kHeader{QStringLiteral("试剂ID"), QStringLiteral("品名"), QStringLiteral("规格"),
                          QStringLiteral("厂商"), QStringLiteral("组别"), QStringLiteral("期初库存"),
                          QStringLiteral("期初金额"), QStringLiteral("期间入库"), QStringLiteral("入库金额"),
                          QStringLiteral("期间出库"), QStringLiteral("出库金额"), QStringLiteral("期间报损"),
                          QStringLiteral("报损金额"), QStringLiteral("期末库存"), QStringLiteral("期末金额"),
                          QStringLiteral("当前库存"), QStringLiteral("库存金额"), QStringLiteral("单位"),
                          QStringLiteral("库存均价"), QStringLiteral("停用")};
const QList<int> kWidths{0, 2000, 1500, 1300, 800, 1200, 1200, 1200, 1200, 1200,
                         1200, 1200, 1200, 1200, 1200, 1200, 1200, 800, 1200, 600};
constexpr int kAmountCols[] = {6, 8, 10, 12, 14, 16};

dao::Result reagents(dao::Database &db, const QString &group)
{
    const bool all = group == AllGroups;
    return db.select(QStringLiteral("SELECT k.试剂ID, k.品名, k.规格, c.厂商, k.组别, k.单位, k.停用 "
                                    "FROM changshang c INNER JOIN shijijibenxinxi k ON c.厂商ID = k.厂商ID")
                         + (all ? QString() : QStringLiteral(" WHERE k.组别=?"))
                         + QStringLiteral(" ORDER BY k.组别 COLLATE ZH, k.品名 COLLATE ZH"),
                     all ? QVariantList{} : QVariantList{group});
}

// A quantity and an amount summed.
struct Sum {
    Currency quantity, amount;
    void add(Currency q, Currency a)
    {
        quantity += q;
        amount += a;
    }
};

// Every listed reagent's sums, found by its key two million times over. The engine numbers
// keys from 1 and never hands one out again, so the key itself is the place of a
// reagent's sums and is read without the probing of a hash, which the whole pass would
// wait on; a catalogue whose keys are far sparser than that goes through a hash instead.
// The sums lie by flag and by side of the period's start: nearly every line adds to its
// flag's opening sums, so the pass works in three arrays of 16 bytes a reagent, which stay
// in the processor's cache, where one block of every figure of a reagent would not.
class ReagentTable {
public:
    explicit ReagentTable(const dao::Result &list)
    {
        qint64 least = 0, most = 0;
        for (const dao::Row &r : list.rows) {
            least = std::min(least, r[0].toLongLong());
            most = std::max(most, r[0].toLongLong());
        }
        m_direct = least >= 0 && most < 2 * static_cast<qint64>(list.size()) + 65536;
        size_t places = static_cast<size_t>(most) + 1;
        if (!m_direct) {
            places = 0;
            for (const dao::Row &r : list.rows)
                m_slots.insert(r[0].toLongLong(), places++);
        }
        for (int f = 0; f < kFlags; ++f) {
            m_before[f].resize(places);
            m_within[f].resize(places);
        }
    }

    // Negative for a reagent that is not listed.
    qint64 placeOf(qint64 id) const
    {
        if (m_direct)
            return id >= 0 && id < static_cast<qint64>(m_before[0].size()) ? id : -1;
        const auto it = m_slots.constFind(id);
        return it == m_slots.constEnd() ? -1 : static_cast<qint64>(*it);
    }
    // flag 1 to 3.
    Sum &before(qint64 place, qint64 flag) { return m_before[flag - 1][static_cast<size_t>(place)]; }
    Sum &within(qint64 place, qint64 flag) { return m_within[flag - 1][static_cast<size_t>(place)]; }

    ReagentSums sumsOf(qint64 id) const
    {
        ReagentSums s;
        const auto at = static_cast<size_t>(placeOf(id));
        for (int f = 0; f < kFlags; ++f)
            s[f] = {m_before[f][at].quantity, m_before[f][at].amount, m_within[f][at].quantity,
                    m_within[f][at].amount};
        return s;
    }

private:
    bool m_direct = true;
    std::array<std::vector<Sum>, kFlags> m_before, m_within;
    QHash<qint64, size_t> m_slots;
};

// Every listed reagent's movements up to the period's end, per flag, the sums before the
// start and within the period side by side. The opening figures need the whole history:
// it is read once from the date index that carries flag, reagent, quantity and price
// (never the register's own rows) and summed here, since a GROUP BY would first sort every
// line.
void registerSums(dao::Database &db, const Period &period, ReagentTable &sums)
{
    // The lines come in date order, so each adds to sums anywhere in the tables, which the
    // engine's own reading keeps pushing out of the cache: a line's sums are fetched as it
    // is read and added to a few lines later, while the engine reads on.
    struct Add {
        Sum *sum;
        Currency quantity, amount;
    };
    constexpr size_t kAhead = 16;
    std::array<Add, kAhead> pending{};
    size_t lines = 0;
    const auto add = [&](const dao::StepRow &row) {
        // Read in place: two million lines would make ten million variants. An empty
        // quantity or price reads as 0, as it sums to 0 in the engine.
        const qint64 place = sums.placeOf(row.integer(0));
        if (place < 0)
            return;
        const double quantity = row.real(3);
        Sum &sum = row.integer(2) != 0 ? sums.before(place, row.integer(1)) : sums.within(place, row.integer(1));
        __builtin_prefetch(&sum, 1);
        Add &slot = pending[lines++ % kAhead];
        if (slot.sum)
            slot.sum->add(slot.quantity, slot.amount);
        slot = {&sum, units(quantity), units(quantity * row.real(4))};
    };
    db.each(StocktakingLinesSql, {period.start, period.end}, [](const QStringList &) {}, add);
    for (const Add &a : pending)
        if (a.sum)
            a.sum->add(a.quantity, a.amount);
}

// Each reagent's lots: the total quantity and the plain average of the unit prices, summed
// from one reading of the lots in storage order, which is also the order each reagent's
// lots have in its index, so the average is the engine's to the last bit; grouping in the
// engine would look every lot up through that index instead. Lots without any quantity
// give no figures, as the engine's empty sum gives none.
QHash<qint64, Lots> lotSums(dao::Database &db)
{
    struct Sums {
        Currency quantity;
        bool counted = false;
        double prices = 0;
        qint64 priced = 0;
    };
    QHash<qint64, Sums> sums;
    db.each(QStringLiteral("SELECT 试剂ID, 数量, 单价 FROM shijikucun ORDER BY rowid"), {}, [](const QStringList &) {},
            [&sums](const dao::StepRow &row) {
                Sums &s = sums[row.integer(0)];
                if (!row.isNull(1)) {
                    s.quantity += units(row.real(1));
                    s.counted = true;
                }
                if (!row.isNull(2)) {
                    s.prices += row.real(2);
                    ++s.priced;
                }
            });
    QHash<qint64, Lots> lots;
    for (auto it = sums.cbegin(); it != sums.cend(); ++it)
        if (it->counted)
            lots.insert(it.key(), {it->quantity, it->priced ? it->prices / static_cast<double>(it->priced) : 0});
    return lots;
}

// The figure columns 5 to 16 and 18 of one reagent, each rounded as shown: the opening
// amount from each flag's sum in cents, the closing figures from the shown cells, the
// stock amount as the total quantity times the plain average price of the lots.
void putFigures(QStringList &row, const ReagentSums &s, const Lots &lots)
{
    const auto text = [](Currency v) { return standardText(v); };
    row[5] = text(s[0].quantityBefore - s[1].quantityBefore - s[2].quantityBefore);
    row[6] = text(cents(s[0].amountBefore) - cents(s[1].amountBefore) - cents(s[2].amountBefore));
    for (int f = 0; f < kFlags; ++f) {
        row[7 + 2 * f] = text(s[f].quantity);
        row[8 + 2 * f] = text(s[f].amount);
    }
    for (int c : {13, 14})
        row[c] = text(cellValue(row[c - 8]) + cellValue(row[c - 6]) - cellValue(row[c - 4]) - cellValue(row[c - 2]));
    row[15] = text(lots.quantity);
    row[16] = text(Currency::fromDouble(lots.quantity.toDouble() * lots.averagePrice));
    row[18] = platform::convert::standard(lots.averagePrice);
}

bool dropped(const QStringList &row)
{
    if (row[19] == QStringLiteral("0"))
        return false;
    for (int c : {7, 9, 11, 13})
        if (cellValue(row[c]).units != 0)
            return false;
    return true;
}

} // namespace

const QString StocktakingLinesSql = QStringLiteral("SELECT 试剂ID, 变动标志, 登记日期<?1, 数量, 单价 FROM shijibiandongdengji "
                                                   "WHERE 登记日期<=?2 AND 变动标志 BETWEEN 1 AND 3");

GridSnapshot stocktaking(dao::Database &db, const Period &period, const QString &group,
                         const std::function<void(int, int)> &progress)
{
    const dao::Result list = reagents(db, group);
    ReagentTable sums(list);
    registerSums(db, period, sums);
    const QHash<qint64, Lots> lots = lotSums(db);

    GridSnapshot g;
    g.header = kHeader;
    g.colWidths = kWidths;
    std::array<Currency, std::size(kAmountCols)> totals{};
    const int count = list.size();
    for (int i = 0; i < count; ++i) {
        const dao::Row &reagent = list[i];
        const qint64 id = reagent[0].toLongLong();
        QStringList row(kHeader.size());
        for (int c = 0; c < 5; ++c)
            row[c] = reagent.text(c);
        row[17] = reagent.text(5);
        row[19] = reagent[6].toLongLong() != 0 ? QStringLiteral("-1") : QStringLiteral("0");
        putFigures(row, sums.sumsOf(id), lots.value(id));
        if (progress)
            progress(i + 1, count);
        if (dropped(row))
            continue;
        for (size_t k = 0; k < totals.size(); ++k)
            totals[k] += cellValue(row[kAmountCols[k]]);
        g.rows << row;
    }
    QStringList total(kHeader.size());
    total[4] = QStringLiteral("合计：");
    for (size_t k = 0; k < totals.size(); ++k)
        total[kAmountCols[k]] = standardText(totals[k]);
    g.rows << total;
    return g;
}

} // namespace queries
