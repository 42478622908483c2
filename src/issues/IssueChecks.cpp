#include "IssueChecks.h"

#include "platform/Convert.h"
#include "stock/LineChecks.h"

namespace issues {

namespace {

using E = IssueEntry;

constexpr int kStockStep = 8;
constexpr int kPriceStep = 9;
constexpr int kExpiredStep = 12;
constexpr int kNumberQuestionStep = 13;

// A scrap quantity is tested as typed: a positive one below 0.005 passes and is saved as 0.00.
std::optional<Refusal> quantityRefusal(const IssueEntry &entry)
{
    const QString &typed = entry.text[E::Quantity];
    std::optional<Refusal> r = stock::quantityRefusal(5, typed, E::Quantity, entry.kind);
    if (r && r->step == 7 && entry.kind == stock::Scrap
        && platform::convert::parseNumber(typed.trimmed()).value_or(0) > 0)
        return std::nullopt;
    return r;
}

std::optional<Refusal> expiredQuestion(const IssueEntry &entry)
{
    if (entry.kind != stock::Issue || !entry.expiry.isValid() || entry.expiry > entry.today)
        return std::nullopt;
    Refusal r;
    r.step = kExpiredStep;
    r.message = QStringLiteral("试剂已过期！\n\n请勿使用过期试剂，建议使用“试剂报损”功能报损本条试剂\n\n确定出库？");
    r.title = QStringLiteral("出库日期：") + entry.date.toString(QStringLiteral("yyyy-MM-dd"));
    r.icon = platform::Icon::Exclamation;
    r.question = true;
    r.stopOn = platform::Answer::No;
    r.defaultAnswer = platform::Answer::No;
    r.focus = E::Reagent;
    return r;
}

} // namespace

std::optional<Refusal> claimRefusal(int step, const QString &text, int field)
{
    return stock::requiredRefusal(
        step, text, field,
        field == E::Department ? QStringLiteral("认领部门不能为空！\n\n请输入代码检索认领部门，或点击右侧选择按钮选定")
                               : QStringLiteral("认领人不能为空！\n\n请输入代码检索认领人，或点击右侧选择按钮选定"),
        true);
}

std::optional<Refusal> firstIssueRefusal(const IssueEntry &entry, int from)
{
    const auto &t = entry.text;
    const QString word = stock::kindWord(entry.kind);
    // Each check with the first step it covers.
    const stock::StepCheck checks[] = {
        {1, [&] { return stock::requiredRefusal(1, t[E::Number], E::Number, word + QStringLiteral("单号不能为空！")); }},
        {2, [&] { return claimRefusal(2, t[E::Department], E::Department); }},
        {3, [&] { return claimRefusal(3, t[E::Claimant], E::Claimant); }},
        {4,
         [&] {
             return stock::requiredRefusal(4, t[E::Reagent], E::Reagent,
                                           QStringLiteral("试剂名称不能为空！\n\n请输入代码检索，或点击右侧选择按钮选定"),
                                           entry.kind == stock::Issue);
         }},
        {5, [&] { return quantityRefusal(entry); }},
        {kStockStep,
         [&] { return stock::stockRefusal(kStockStep, entry.lotQuantity, t[E::Quantity], E::Quantity, entry.kind); }},
        {kPriceStep,
         [&] { return stock::priceRefusal(kPriceStep, t[E::Price], E::Price, word + QStringLiteral("价不能为空！")); }},
        {kExpiredStep, [&] { return expiredQuestion(entry); }},
        {kNumberQuestionStep,
         [&] { return stock::documentNumberQuestion(kNumberQuestionStep, t[E::Number], E::Number, entry.kind); }},
    };
    std::optional<Refusal> r = stock::firstRefusalFrom(checks, from, kNumberQuestionStep);
    if (r && r->step >= kStockStep)
        r->rewritten.append({E::Quantity, stock::standardText(t[E::Quantity])});
    if (r && r->step >= kExpiredStep)
        r->rewritten.append({E::Price, stock::standardText(t[E::Price])});
    return r;
}

} // namespace issues
