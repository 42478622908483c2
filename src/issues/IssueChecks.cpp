#include "IssueChecks.h"

#include "stock/LineChecks.h"


namespace issues {

namespace {

using E = IssueEntry;

constexpr int kStockStep = 8;
constexpr int kPriceStep = 9;
constexpr int kExpiredStep = 12;
constexpr int kNumberQuestionStep = 13;

std::optional<Refusal> expiredQuestion(const IssueEntry &entry)
{
    if (!entry.expiry.isValid() || entry.expiry > entry.today)
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

std::optional<Refusal> firstIssueRefusal(const IssueEntry &entry, int from)
{
    const auto &t = entry.text;
    // Each check with the first step it covers.
    const stock::StepCheck checks[] = {
        {1, [&] { return stock::requiredRefusal(1, t[E::Number], E::Number, QStringLiteral("出库单号不能为空！")); }},
        {2,
         [&] {
             return stock::requiredRefusal(
                 2, t[E::Department], E::Department,
                 QStringLiteral("认领部门不能为空！\n\n请输入代码检索认领部门，或点击右侧选择按钮选定"), true);
         }},
        {3,
         [&] {
             return stock::requiredRefusal(3, t[E::Claimant], E::Claimant,
                                           QStringLiteral("认领人不能为空！\n\n请输入代码检索认领人，或点击右侧选择按钮选定"),
                                           true);
         }},
        {4,
         [&] {
             return stock::requiredRefusal(4, t[E::Reagent], E::Reagent,
                                           QStringLiteral("试剂名称不能为空！\n\n请输入代码检索，或点击右侧选择按钮选定"),
                                           true);
         }},
        {5, [&] { return stock::quantityRefusal(5, t[E::Quantity], E::Quantity, stock::Issue); }},
        {kStockStep,
         [&] { return stock::stockRefusal(kStockStep, entry.lotQuantity, t[E::Quantity], E::Quantity, stock::Issue); }},
        {kPriceStep,
         [&] { return stock::priceRefusal(kPriceStep, t[E::Price], E::Price, QStringLiteral("出库价不能为空！")); }},
        {kExpiredStep, [&] { return expiredQuestion(entry); }},
        {kNumberQuestionStep,
         [&] { return stock::documentNumberQuestion(kNumberQuestionStep, t[E::Number], E::Number, stock::Issue); }},
    };
    std::optional<Refusal> r = stock::firstRefusalFrom(checks, from, kNumberQuestionStep);
    if (r && r->step >= kStockStep)
        r->rewritten.append({E::Quantity, stock::standardText(t[E::Quantity])});
    if (r && r->step >= kExpiredStep)
        r->rewritten.append({E::Price, stock::standardText(t[E::Price])});
    return r;
}

} // namespace issues
