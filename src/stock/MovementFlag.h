#pragma once

#include <QString>

namespace stock {

// 变动标志 of a movement record: each flag numbers its documents in a series of its own.
enum MovementFlag : int { Receipt = 1, Issue = 2, Scrap = 3 };

// The kind's word in questions and titles: "入库", "出库", "报损".
QString kindWord(MovementFlag flag);

} // namespace stock
