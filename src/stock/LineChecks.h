#pragma once

#include "MovementFlag.h"
#include "shell/Refusal.h"

#include <QString>

#include <functional>
#include <optional>
#include <span>
#include <utility>

// The checks the document windows share for their lines, as plain functions: each gives
// its refusal (step, message, field to focus) or nothing. `field` is the window's index of
// the entry field checked.
namespace stock {

// Empty after trimming: `message`; `listChoices` lists the field's choices after the box.
std::optional<Refusal> requiredRefusal(int step, const QString &text, int field, const QString &message,
                                       bool listChoices = false);

// The quantity, steps `step` to `step` + 2: empty ("数量不能为空！"), not a number (emptied,
// "请输入阿拉伯数字！"), not above zero once written "Standard" (emptied, "入库数量必须大于零！"
// with the kind's word): a quantity that shows as 0.00 would move nothing.
std::optional<Refusal> quantityRefusal(int step, const QString &text, int field, MovementFlag kind);

// More taken from a lot than it holds: "当前库存数量为：<lot>，出库数量不能大于库存数量！", emptied.
std::optional<Refusal> stockRefusal(int step, double lotQuantity, const QString &quantityText, int field,
                                    MovementFlag kind);

// The price, steps `step` and `step` + 1: empty (`emptyMessage`), not a number (emptied,
// "请输入阿拉伯数字！"). Zero and negative prices pass.
std::optional<Refusal> priceRefusal(int step, const QString &text, int field, const QString &emptyMessage);

// A document number that is not eleven characters long (untrimmed): the question whether to
// correct it ("检测到不标准的入库单号！..."); Yes stops at the field, No saves it as typed.
std::optional<Refusal> documentNumberQuestion(int step, const QString &untrimmed, int field, MovementFlag kind);

// A line's checks in screen order: the first step each covers, and the check.
using StepCheck = std::pair<int, std::function<std::optional<Refusal>()>>;

// The first refusal at step `from` or later (a save resumed after a question); a check
// whose steps all lie before `from` is not run. `lastStep` is the last check's last step.
std::optional<Refusal> firstRefusalFrom(std::span<const StepCheck> checks, int from, int lastStep);

// A typed number written "Standard" ("1,234.50"), as the fields show it once checked.
QString standardText(const QString &typed);

} // namespace stock
