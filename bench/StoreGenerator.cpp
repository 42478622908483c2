#include "StoreGenerator.h"

#include "dao/Database.h"
#include "schema/DeliveredDatabase.h"
#include "shell/ModData.h"

#include <sqlcipher/sqlite3.h>

#include <QDate>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <random>
#include <stdexcept>

namespace bench {
namespace {

// Syllables that make plausible reagent and company names.
const QStringList kSyllables = {
    QStringLiteral("血"), QStringLiteral("清"), QStringLiteral("蛋"), QStringLiteral("白"), QStringLiteral("葡"),
    QStringLiteral("萄"), QStringLiteral("糖"), QStringLiteral("肌"), QStringLiteral("酐"), QStringLiteral("尿"),
    QStringLiteral("素"), QStringLiteral("氮"), QStringLiteral("胆"), QStringLiteral("红"), QStringLiteral("固"),
    QStringLiteral("醇"), QStringLiteral("甘"), QStringLiteral("油"), QStringLiteral("酯"), QStringLiteral("转"),
    QStringLiteral("氨"), QStringLiteral("酶"), QStringLiteral("碱"), QStringLiteral("性"), QStringLiteral("磷"),
    QStringLiteral("酸"), QStringLiteral("钾"), QStringLiteral("钠"), QStringLiteral("氯"), QStringLiteral("钙"),
    QStringLiteral("乙"), QStringLiteral("肝"), QStringLiteral("表"), QStringLiteral("面"), QStringLiteral("抗"),
    QStringLiteral("原"), QStringLiteral("体"), QStringLiteral("梅"), QStringLiteral("毒"), QStringLiteral("免"),
    QStringLiteral("疫"), QStringLiteral("球"), QStringLiteral("凝"), QStringLiteral("血"), QStringLiteral("因"),
    QStringLiteral("子"), QStringLiteral("质"), QStringLiteral("控"), QStringLiteral("校"), QStringLiteral("准"),
    QStringLiteral("品"), QStringLiteral("缓"), QStringLiteral("冲"), QStringLiteral("液"), QStringLiteral("稀"),
    QStringLiteral("释"), QStringLiteral("洗"), QStringLiteral("涤"), QStringLiteral("试"), QStringLiteral("剂"),
    QStringLiteral("盒"), QStringLiteral("检"), QStringLiteral("测"), QStringLiteral("定"), QStringLiteral("量"),
};
const QStringList kGroups = {QStringLiteral("生化"), QStringLiteral("免疫"), QStringLiteral("临检"),
                             QStringLiteral("微生物"), QStringLiteral("血库"), QStringLiteral("分子"),
                             QStringLiteral("急诊"), QStringLiteral("门诊"), QStringLiteral("PCR"),
                             QStringLiteral("细胞"), QStringLiteral("质控"), QStringLiteral("耗材")};
const QStringList kUnits = {QStringLiteral("盒"), QStringLiteral("瓶"), QStringLiteral("支"), QStringLiteral("袋"),
                            QStringLiteral("桶"), QStringLiteral("包"), QStringLiteral("个"), QStringLiteral("套"),
                            QStringLiteral("卷"), QStringLiteral("板")};
const QStringList kPlaces = {QStringLiteral("冷藏一"), QStringLiteral("冷藏二"), QStringLiteral("冷冻柜"),
                             QStringLiteral("常温架A"), QStringLiteral("常温架B"), QStringLiteral("危化柜"),
                             QStringLiteral("二楼库房"), QStringLiteral("三楼库房")};
const QStringList kReasons = {QStringLiteral("过期"), QStringLiteral("破损"), QStringLiteral("污染"),
                              QStringLiteral("质控失控")};

class Inserter {
public:
    Inserter(sqlite3 *db, const char *sql) : m_db(db)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db));
    }
    ~Inserter() { sqlite3_finalize(m_stmt); }
    Inserter &text(int i, const QString &v)
    {
        const QByteArray b = v.toUtf8();
        sqlite3_bind_text(m_stmt, i, b.constData(), static_cast<int>(b.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Inserter &integer(int i, qint64 v)
    {
        sqlite3_bind_int64(m_stmt, i, v);
        return *this;
    }
    Inserter &real(int i, double v)
    {
        sqlite3_bind_double(m_stmt, i, v);
        return *this;
    }
    Inserter &null(int i)
    {
        sqlite3_bind_null(m_stmt, i);
        return *this;
    }
    qint64 run()
    {
        if (sqlite3_step(m_stmt) != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(m_db));
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
        return sqlite3_last_insert_rowid(m_db);
    }

private:
    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
};

struct Random {
    explicit Random(std::uint64_t seed) : engine(seed) {}
    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(engine); }
    double chance() { return std::uniform_real_distribution<double>(0, 1)(engine); }
    const QString &pick(const QStringList &list) { return list.at(between(0, static_cast<int>(list.size()) - 1)); }
    QString name(int lo, int hi)
    {
        QString n;
        for (int i = between(lo, hi); i > 0; --i)
            n += pick(kSyllables);
        return n;
    }
    std::mt19937_64 engine;
};

double round4(double v)
{
    return std::round(v * 10000.0) / 10000.0;
}

struct Reagent {
    qint64 id;
    double price;
};

} // namespace

StoreSize StoreSize::small()
{
    StoreSize s;
    s.reagents = 500;
    s.manufacturers = 30;
    s.suppliers = 30;
    s.departments = 20;
    s.claimants = 50;
    s.movementLines = 20000;
    s.stockLots = 1500;
    s.years = 2;
    return s;
}

StoreSize StoreSize::large()
{
    StoreSize s;
    s.reagents = 50000;
    s.manufacturers = 600;
    s.suppliers = 500;
    s.departments = 300;
    s.claimants = 1000;
    s.movementLines = 2000000;
    s.stockLots = 120000;
    s.years = 10;
    s.growth = 3;
    s.skew = 3;
    s.expiredLots = 0.5;
    return s;
}

StoreFacts generateStore(const QString &path, const QString &key, const StoreSize &size, std::uint64_t seed,
                         const QString &endDate)
{
    if (!schema::writeDeliveredDatabase(path, key))
        throw std::runtime_error("the store file exists already");
    auto db = dao::Database::open(path, key);
    sqlite3 *h = db->handle();
    Random rnd(seed);
    dao::Transaction t(*db);

    db->exec(QStringLiteral("INSERT INTO danweixinxi (单位名称) VALUES (?)"), {QStringLiteral("市第一人民医院检验科")});
    db->exec(QStringLiteral("INSERT INTO yonghu (代码, 用户名, 密码, 超级用户, 权限, 在职显示) VALUES (?, ?, ?, -1, ?, -1)"),
             {QStringLiteral("1"), QStringLiteral("管理员"), QStringLiteral("1"), QString(26, u'1')});
    for (int u = 2; u <= 6; ++u)
        db->exec(QStringLiteral("INSERT INTO yonghu (代码, 用户名, 密码, 超级用户, 权限, 在职显示) VALUES (?, ?, '1', 0, ?, -1)"),
                 {QString::number(u), QStringLiteral("库管员%1").arg(u), QStringLiteral("11111111111111111111111100")});

    const auto simpleRegister = [&](const char *sql, const QStringList &names) {
        Inserter ins(h, sql);
        for (const QString &n : names)
            ins.text(1, ModData::GetPY(n)).text(2, n).run();
    };
    simpleRegister("INSERT INTO zubie (拼音码, 组别) VALUES (?, ?)", kGroups);
    simpleRegister("INSERT INTO danwei (拼音码, 单位) VALUES (?, ?)", kUnits);
    {
        Inserter ins(h, "INSERT INTO cunfangdidian (拼音码, 存放地点) VALUES (?, ?)");
        for (int i = 0; i < kPlaces.size(); ++i)
            ins.text(1, ModData::GetPY(kPlaces.at(i)) + QString::number(i)).text(2, kPlaces.at(i)).run();
    }
    QStringList departments, claimants;
    for (int i = 0; i < size.departments; ++i)
        departments.append(rnd.name(2, 3) + QStringLiteral("科%1").arg(i));
    for (int i = 0; i < size.claimants; ++i)
        claimants.append(rnd.name(2, 3) + QString::number(i));
    simpleRegister("INSERT INTO renlingbumen (拼音码, 认领部门) VALUES (?, ?)", departments);
    simpleRegister("INSERT INTO renlingren (拼音码, 认领人) VALUES (?, ?)", claimants);

    const auto company = [&](const char *sql, int count, const QString &suffix) {
        Inserter ins(h, sql);
        for (int i = 0; i < count; ++i) {
            const QString name = rnd.name(2, 4) + suffix + QString::number(i);
            ins.text(1, ModData::GetPY(name)).text(2, name).text(3, QStringLiteral("工业路%1号").arg(i))
                .text(4, QStringLiteral("100000")).text(5, QStringLiteral("010-6000%1").arg(i, 4, 10, QLatin1Char('0')))
                .text(6, QString()).text(7, rnd.name(2, 3)).text(8, QString()).text(9, QString())
                .text(10, name + QStringLiteral("有限公司")).run();
        }
    };
    company("INSERT INTO changshang (拼音码, 厂商, 地址, 邮政编码, 电话, 传真, 联系人, Email, 主页, 厂商全称) "
            "VALUES (?,?,?,?,?,?,?,?,?,?)",
            size.manufacturers, QStringLiteral("生物"));
    company("INSERT INTO gongyingshang (拼音码, 供应商, 地址, 邮政编码, 电话, 传真, 联系人, Email, 主页, 供应商全称) "
            "VALUES (?,?,?,?,?,?,?,?,?,?)",
            size.suppliers, QStringLiteral("医贸"));

    std::vector<Reagent> reagents;
    reagents.reserve(static_cast<size_t>(size.reagents));
    {
        Inserter ins(h, "INSERT INTO shijijibenxinxi (拼音码, 品名, 规格, 单位, 组别, 厂商ID, 批准文号, 停用, 条形码, "
                        "库存低限, 库存高限, 储存条件, 开封有效日) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?)");
        for (int i = 0; i < size.reagents; ++i) {
            const QString name = rnd.name(2, 6) + QString::number(i);
            ins.text(1, ModData::GetPY(name).left(10)).text(2, name)
                .text(3, QStringLiteral("%1ml×%2").arg(rnd.between(1, 100)).arg(rnd.between(1, 20)))
                .text(4, rnd.pick(kUnits)).text(5, rnd.pick(kGroups)).integer(6, rnd.between(1, size.manufacturers))
                .text(7, QStringLiteral("国械注准%1").arg(20200000 + i)).integer(8, rnd.chance() < 0.05 ? -1 : 0);
            if (rnd.chance() < 0.6)
                ins.text(9, QStringLiteral("69%1").arg(10000000000LL + i, 11, 10, QLatin1Char('0')));
            else
                ins.null(9);
            if (rnd.chance() < 0.3)
                ins.real(10, rnd.between(1, 5)).real(11, rnd.between(10, 50));
            else
                ins.null(10).null(11);
            ins.text(12, rnd.chance() < 0.5 ? QStringLiteral("2-8℃") : QStringLiteral("常温")).text(13, QString());
            reagents.push_back({ins.run(), round4(rnd.between(500, 200000) / 100.0)});
        }
    }

    // The order of popularity; a flat store draws every reagent alike and needs none.
    std::vector<size_t> popular;
    if (size.skew != 1) {
        popular.resize(reagents.size());
        for (size_t i = 0; i < popular.size(); ++i)
            popular[i] = i;
        std::shuffle(popular.begin(), popular.end(), rnd.engine);
    }
    const auto drawReagent = [&]() -> const Reagent & {
        if (popular.empty())
            return reagents.at(static_cast<size_t>(rnd.between(0, size.reagents - 1)));
        const auto i = static_cast<size_t>(static_cast<double>(popular.size()) * std::pow(rnd.chance(), size.skew));
        return reagents.at(popular.at(std::min(i, popular.size() - 1)));
    };

    // Movement lines day by day: documents of a few lines, receipts ~30 %, issues ~65 %,
    // scrap ~5 %. The last receipts keep lots.
    const QDate end = QDate::fromString(endDate, QStringLiteral("yyyy-MM-dd"));
    const QDate start = end.addYears(-size.years).addDays(1);
    const qint64 days = start.daysTo(end) + 1;
    // The rate grows in a straight line from the first day to growth times it on the last.
    const double firstRate = 2.0 * static_cast<double>(size.movementLines) / (static_cast<double>(days) * (1 + size.growth));
    const auto rateOn = [&](qint64 d) {
        if (size.growth == 1)
            return static_cast<double>(size.movementLines) / static_cast<double>(days);
        return firstRate * (1 + (size.growth - 1) * static_cast<double>(d) / static_cast<double>(days - 1));
    };
    Inserter line(h, "INSERT INTO shijibiandongdengji (变动标志, 单号, 发票号, 登记日期, 试剂ID, 批号, 有效期, 数量, 单价, "
                     "认领部门, 认领人, 供应商ID, 操作者ID, 存放地点, 报损原因, 入库ID) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    struct Receipt {
        qint64 id, reagent, supplier;
        QDate day;
        QString batch, expiry, place;
        double quantity, price;
    };
    std::vector<Receipt> recent;
    StoreFacts facts;
    double carry = 0;
    for (qint64 d = 0; d < days && facts.movementLines < size.movementLines; ++d) {
        const QDate day = start.addDays(d);
        const QString dayText = day.toString(QStringLiteral("yyyy-MM-dd"));
        const qint64 base = day.toString(QStringLiteral("yyyyMMdd")).toLongLong() * 1000;
        carry += rateOn(d);
        int today = static_cast<int>(carry);
        carry -= today;
        int serial[4] = {0, 0, 0, 0};
        while (today > 0 && facts.movementLines < size.movementLines) {
            const double p = rnd.chance();
            const int flag = p < 0.30 ? 1 : (p < 0.95 ? 2 : 3);
            const int lines = std::min(today, rnd.between(1, 8));
            const qint64 dh = base + (++serial[flag]);
            const int supplier = rnd.between(1, size.suppliers);
            const QString department = rnd.pick(departments);
            for (int l = 0; l < lines; ++l) {
                const Reagent &r = drawReagent();
                const QString batch = QStringLiteral("B%1").arg(rnd.between(100000, 999999));
                const QString expiry = day.addDays(rnd.between(60, 720)).toString(QStringLiteral("yyyy-MM-dd"));
                const QString place = rnd.pick(kPlaces);
                const double quantity = rnd.between(1, 20);
                line.integer(1, flag).integer(2, dh).text(3, flag == 1 ? QStringLiteral("FP%1").arg(dh) : QString())
                    .text(4, dayText).integer(5, r.id).text(6, batch).text(7, expiry).real(8, quantity)
                    .real(9, r.price).text(10, flag == 2 ? department : QString())
                    .text(11, flag == 2 ? rnd.pick(claimants) : QString()).integer(12, supplier)
                    .integer(13, rnd.between(1, 6)).text(14, place)
                    .text(15, flag == 3 ? rnd.pick(kReasons) : QString()).text(16, QString());
                const qint64 id = line.run();
                if (flag == 1) {
                    recent.push_back({id, r.id, supplier, day, batch, expiry, place, quantity, r.price});
                    if (recent.size() > static_cast<size_t>(size.stockLots) * 2)
                        recent.erase(recent.begin(), recent.begin() + size.stockLots);
                }
                ++facts.movementLines;
                --today;
            }
        }
    }
    {
        db->exec(QStringLiteral("UPDATE shijibiandongdengji SET 入库ID = CAST(登记ID AS TEXT) WHERE 变动标志 = 1"));
        Inserter lot(h, "INSERT INTO shijikucun (试剂ID, 批号, 有效期, 数量, 单价, 存放地点, 供应商ID, 入库ID) "
                        "VALUES (?,?,?,?,?,?,?,?)");
        Inserter expire(h, "UPDATE shijibiandongdengji SET 有效期 = ? WHERE 登记ID = ?");
        const size_t first = recent.size() > static_cast<size_t>(size.stockLots) ? recent.size() - size.stockLots : 0;
        for (size_t i = first; i < recent.size(); ++i) {
            Receipt &r = recent[i];
            const qint64 beforeEnd = r.day.daysTo(end) - 1;
            if (size.expiredLots > 0 && beforeEnd >= 1 && rnd.chance() < size.expiredLots) {
                // The lot and its receipt line keep one expiry date.
                r.expiry = r.day.addDays(rnd.between(1, static_cast<int>(beforeEnd))).toString(QStringLiteral("yyyy-MM-dd"));
                expire.text(1, r.expiry).integer(2, r.id).run();
            }
            lot.integer(1, r.reagent).text(2, r.batch).text(3, r.expiry)
                .real(4, std::max(1.0, r.quantity - rnd.between(0, static_cast<int>(r.quantity) - 1)))
                .real(5, r.price).text(6, r.place).integer(7, r.supplier).text(8, QString::number(r.id)).run();
            ++facts.lots;
        }
    }
    t.commit();
    facts.reagents = static_cast<qint64>(reagents.size());
    return facts;
}

} // namespace bench
