#pragma once

#include "stock/MovementFlag.h"

#include <QList>
#include <QString>
#include <QVariantList>

// What sets the receipt, issue and scrap queries apart: one description per movement flag
// for the one window that all three are.
namespace queries {

// How a filter's text enters its condition; the title always takes the trimmed text.
enum class FilterText { Trimmed, AsTyped };
// How a filter's trimmed text t enters the report title.
enum class TitleWord { Plain, Supplier /* t + "供" */, Maker /* "厂商" + t */ };

struct QueryFilter {
    QString control; // the combo box's name
    QString label;
    QString column; // the compared column
    FilterText text;
    TitleWord title;
    QString listSql; // the drop-down list, read once; binds listParams
    QVariantList listParams;
    int slot; // position in the filter frame: row slot / 2, column pair slot % 2
};

struct MovementQueryKind {
    QString window;  // the class and object name
    QString caption; // the window title
    stock::MovementFlag flag; // the listed lines
    QString documentFrame;
    QString documentLabel;
    bool invoiceLookUp;
    QList<QueryFilter> filters; // in the order the search applies them
    QString reportName;         // ends every report title
    QList<int> detailWidths;
    QString detailKind;
    bool summary;
    QString summaryKind;
    QString helpTopic;
    QString helpPage;
};

const MovementQueryKind &receiptQuery();
const MovementQueryKind &issueQuery();
const MovementQueryKind &scrapQuery();

// The summary's columns: 试剂ID (hidden), 品名, 规格, 厂商, 数量, 单位, 单价, 金额.
inline const QList<int> SummaryWidths{0, 2800, 1800, 1100, 800, 600, 800, 1200};

} // namespace queries
