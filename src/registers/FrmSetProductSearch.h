#pragma once

#include <QString>
#include <QVariantList>

// The catalogue's list and export queries and the searches of its two search boxes.
namespace registers {

// The part of a catalogue query after its select: condition, order and the bound values.
struct CatalogueFilter {
    QString tail; // " WHERE ... ORDER BY ..."
    QVariantList params;
};

// The list's columns: 试剂ID, 拼音码, 品名, 规格, 单位, 组别, 厂商ID, 厂商, 批准文号, 停用,
// 条形码, 库存低限, 库存高限. A reagent whose manufacturer is missing is listed with an
// empty manufacturer, so it can still be opened and mended.
QString listSql(const CatalogueFilter &filter);
// The same columns without 厂商ID.
QString exportSql(const CatalogueFilter &filter);

// Every reagent (only the active ones when hideDisabled), by group and pinyin code.
CatalogueFilter wholeList(bool hideDisabled);
// The name box: 13 digits search the barcode, a single-byte first character the pinyin
// code, a double-byte one the name; an empty text lists every reagent by pinyin code.
CatalogueFilter nameBoxSearch(const QString &text, bool hideDisabled);
// The group box: the group contains the text; an empty text lists every reagent.
CatalogueFilter groupBoxSearch(const QString &text, bool hideDisabled);

} // namespace registers
