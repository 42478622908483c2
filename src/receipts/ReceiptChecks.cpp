#include "ReceiptChecks.h"

#include "stock/LineChecks.h"


namespace receipts {

namespace {

using E = ReceiptEntry;

constexpr int kPriceStep = 9;
constexpr int kNumberQuestionStep = 11;

} // namespace

std::optional<Refusal> firstReceiptRefusal(const ReceiptEntry &entry, int from)
{
    const auto &t = entry.text;
    // Each check with the first step it covers.
    const stock::StepCheck checks[] = {
        {1, [&] { return stock::requiredRefusal(1, t[E::Number], E::Number, QStringLiteral("入库单号不能为空！")); }},
        {2,
         [&] {
             return stock::requiredRefusal(2, t[E::Supplier], E::Supplier,
                                           QStringLiteral("供应商不能为空！\n\n请输入代码检索供应商，或点击右侧选择按钮选定"),
                                           true);
         }},
        {3,
         [&] {
             return stock::requiredRefusal(3, t[E::Invoice], E::Invoice,
                                           QStringLiteral("发票号不能为空！\n\n发票号可以是任意字符"));
         }},
        {4,
         [&] {
             return stock::requiredRefusal(4, t[E::Reagent], E::Reagent,
                                           QStringLiteral("试剂名称不能为空！\n\n请输入代码检索，或点击右侧选择按钮选定"),
                                           true);
         }},
        {5, [&] { return stock::requiredRefusal(5, t[E::Batch], E::Batch, QStringLiteral("批号不能为空！")); }},
        {6, [&] { return stock::quantityRefusal(6, t[E::Quantity], E::Quantity, stock::Receipt); }},
        {kPriceStep,
         [&] { return stock::priceRefusal(kPriceStep, t[E::Price], E::Price, QStringLiteral("单价不能为空！")); }},
        {kNumberQuestionStep,
         [&] { return stock::documentNumberQuestion(kNumberQuestionStep, t[E::Number], E::Number, stock::Receipt); }},
    };
    std::optional<Refusal> r = stock::firstRefusalFrom(checks, from, kNumberQuestionStep);
    if (r && r->step >= kPriceStep)
        r->rewritten.append({E::Quantity, stock::standardText(t[E::Quantity])});
    if (r && r->step >= kNumberQuestionStep)
        r->rewritten.append({E::Price, stock::standardText(t[E::Price])});
    return r;
}

} // namespace receipts
