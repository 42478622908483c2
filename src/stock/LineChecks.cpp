#include "LineChecks.h"

#include "platform/Convert.h"

namespace stock {

namespace convert = platform::convert;

namespace {

Refusal refusal(int step, const QString &message, int field)
{
    Refusal r;
    r.step = step;
    r.message = message;
    r.focus = field;
    return r;
}

Refusal emptying(int step, const QString &message, int field)
{
    Refusal r = refusal(step, message, field);
    r.emptied = {field};
    return r;
}

} // namespace

std::optional<Refusal> requiredRefusal(int step, const QString &text, int field, const QString &message,
                                       bool listChoices)
{
    if (!text.trimmed().isEmpty())
        return std::nullopt;
    Refusal r = refusal(step, message, field);
    r.listChoices = listChoices;
    return r;
}

std::optional<Refusal> quantityRefusal(int step, const QString &text, int field, MovementFlag kind)
{
    if (text.trimmed().isEmpty())
        return refusal(step, QStringLiteral("数量不能为空！"), field);
    if (!convert::parseNumber(text.trimmed()))
        return emptying(step + 1, QStringLiteral("请输入阿拉伯数字！"), field);
    if (convert::parseNumber(standardText(text)).value_or(0) <= 0)
        return emptying(step + 2, kindWord(kind) + QStringLiteral("数量必须大于零！"), field);
    return std::nullopt;
}

std::optional<Refusal> stockRefusal(int step, double lotQuantity, const QString &quantityText, int field,
                                    MovementFlag kind)
{
    const double quantity = convert::parseNumber(standardText(quantityText)).value_or(0);
    if (convert::roundTo(lotQuantity - quantity, 4) >= 0)
        return std::nullopt;
    Refusal r = emptying(step,
                         QStringLiteral("当前库存数量为：") + convert::doubleText(lotQuantity) + QStringLiteral("，") +
                             kindWord(kind) + QStringLiteral("数量不能大于库存数量！"),
                         field);
    r.icon = platform::Icon::Exclamation;
    return r;
}

std::optional<Refusal> priceRefusal(int step, const QString &text, int field, const QString &emptyMessage)
{
    if (text.trimmed().isEmpty())
        return refusal(step, emptyMessage, field);
    if (!convert::parseNumber(text.trimmed()))
        return emptying(step + 1, QStringLiteral("请输入阿拉伯数字！"), field);
    return std::nullopt;
}

std::optional<Refusal> documentNumberQuestion(int step, const QString &untrimmed, int field, MovementFlag kind)
{
    if (untrimmed.size() == 11)
        return std::nullopt;
    const QString word = kindWord(kind);
    Refusal r = refusal(step,
                        QStringLiteral("检测到不标准的") + word + QStringLiteral("单号！\n\n标准") + word +
                            QStringLiteral("单号是4位年＋2位月＋2位日＋3位编号，共11位，修改？"),
                        field);
    r.question = true;
    r.icon = platform::Icon::Question;
    r.title = QStringLiteral("提示");
    return r;
}

std::optional<Refusal> firstRefusalFrom(std::span<const StepCheck> checks, int from, int lastStep)
{
    for (std::size_t i = 0; i < checks.size(); ++i) {
        const int last = i + 1 < checks.size() ? checks[i + 1].first - 1 : lastStep;
        if (last < from)
            continue;
        std::optional<Refusal> r = checks[i].second();
        if (r && r->step >= from)
            return r;
    }
    return std::nullopt;
}

QString standardText(const QString &typed)
{
    return convert::standard(convert::parseNumber(typed.trimmed()).value_or(0));
}

} // namespace stock
