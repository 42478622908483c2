#include "LookUp.h"

#include "ModBase.h"
#include "ModData.h"
#include "dao/Collation.h"
#include "dao/Database.h"
#include "platform/CodePage936.h"
#include "platform/Convert.h"
#include "platform/Dialogs.h"
#include "widgets/FieldLeave.h"
#include "widgets/FlexGrid.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

LookUpKey lookUpKey(const QString &text, bool barcodes)
{
    if (text == QStringLiteral(" "))
        return {LookUpSearch::All, QString()};
    const QString key = text.trimmed().toUpper();
    if (key.isEmpty())
        return {};
    if (barcodes && key.size() >= 5 && platform::convert::isNumeric(key))
        return {LookUpSearch::Barcode, key};
    const char32_t first = key.toUcs4().value(0);
    if (platform::cp936::isDoubleByte(first))
        return {LookUpSearch::Name, key};
    return {LookUpSearch::Pinyin, key};
}

LookUp::LookUp(FlexGrid *grid)
    : QObject(grid)
    , m_grid(grid)
{
    // The list is for the mouse: the field being typed in keeps the focus.
    m_grid->setFocusPolicy(Qt::NoFocus);
    connect(m_grid, &FlexGrid::MouseDown, this, [this] { pressed(); });
}

void LookUp::addField(QComboBox *field, LookUpKind kind)
{
    field->setEditable(true);
    field->installEventFilter(this);
    // Typed text, pasted text and text an input method commits all search.
    connect(field->lineEdit(), &QLineEdit::textEdited, this, [this, field] { search(field); });
    m_entries.push_back({field, std::move(kind)});
}

const LookUp::Entry *LookUp::entryOf(const QObject *field) const
{
    for (const Entry &e : m_entries)
        if (e.field == field)
            return &e;
    return nullptr;
}

const LookUp::Entry *LookUp::entryOfTag(const QString &tag) const
{
    if (tag.isEmpty())
        return nullptr;
    for (const Entry &e : m_entries)
        if (e.kind.tag == tag)
            return &e;
    return nullptr;
}

void LookUp::listAndTakeFirst(const QString &tag, const QString &sql, const QVariantList &params)
{
    showList(tag, sql, params);
    if (hasRecord())
        TipGet();
}

bool LookUp::hasRecord() const
{
    return m_grid->Rows() >= 2 && m_grid->Cols() >= 2 && !m_grid->TextMatrix(1, 0).isEmpty();
}

void LookUp::fill(const LookUpKind &kind, const QString &sql, const QVariantList &params)
{
    ModData::OpenDB();
    dao::Database *db = ModBase::DB();
    if (!db)
        return;
    // Stepped into the grid: a list of every lot holds tens of thousands of rows.
    m_grid->setRedraw(false);
    try {
        m_grid->Fill(*db, sql, params);
    } catch (...) {
        m_grid->setRedraw(true);
        throw;
    }
    m_grid->setColWidths(kind.widths);
    m_grid->setRedraw(true);
    m_grid->setTag(kind.tag);
    widenSelection();
}

void LookUp::showList(const QString &tag, const QString &sql, const QVariantList &params)
{
    if (const Entry *e = entryOfTag(tag)) {
        fill(e->kind, sql, params);
        return;
    }
    LookUpKind bare;
    bare.tag = tag;
    fill(bare, sql, params);
}

void LookUp::search(QComboBox *field)
{
    const Entry *e = entryOf(field);
    if (!e)
        return;
    try {
        const LookUpKind &kind = e->kind;
        const LookUpKey k = lookUpKey(field->currentText(), !kind.barcodeSql.isEmpty());
        switch (k.search) {
        case LookUpSearch::None:
            return;
        case LookUpSearch::All:
            if (kind.blankEmptiesField)
                field->setEditText(QString());
            fill(kind, kind.allSql, {});
            break;
        case LookUpSearch::Barcode:
            fill(kind, kind.barcodeSql, {k.key});
            break;
        case LookUpSearch::Pinyin:
            fill(kind, kind.pinyinSql, {dao::likeContains(k.key)});
            break;
        case LookUpSearch::Name:
            fill(kind, kind.nameSql, {dao::likeContains(k.key)});
            break;
        }
        if (kind.searched)
            kind.searched();
    } catch (...) {
        ModBase::ShowErr();
    }
}

void LookUp::TipGet()
{
    try {
        const Entry *e = entryOfTag(m_grid->Tag());
        if (!e)
            return;
        if (hasRecord())
            take(*e);
        else
            missing(*e);
    } catch (...) {
        ModBase::ShowErr();
    }
}

void LookUp::take(const Entry &e)
{
    const int r = qMax(1, m_grid->Row());
    QStringList row;
    for (int c = 0; c < m_grid->Cols(); ++c)
        row.append(m_grid->TextMatrix(r, c));
    e.field->setEditText(row.value(e.kind.takeColumn));
    if (e.kind.taken)
        e.kind.taken(row);
}

void LookUp::missing(const Entry &e)
{
    const QString name = e.field->currentText().trimmed();
    if (name.isEmpty())
        return;
    const LookUpKind &kind = e.kind;
    switch (kind.missing) {
    case LookUpKind::Missing::Keep:
        return;
    case LookUpKind::Missing::Empty:
        e.field->setEditText(QString());
        return;
    case LookUpKind::Missing::Offer:
        break;
    }
    if (platform::msgBox(kind.offerQuestion.arg(name), platform::Buttons::YesNo, platform::Icon::Question)
        != platform::Answer::Yes) {
        if (kind.noEmptiesField)
            e.field->setEditText(QString());
        return;
    }
    ModBase::NewItemName = name;
    ModBase::NewItemPY = ModData::GetPY(name);
    ModData::OpenDB();
    dao::Database *db = ModBase::DB();
    if (!db)
        return;
    db->exec(QStringLiteral("INSERT INTO ") + kind.addTable + QStringLiteral(" (") + kind.addPinyinField
                 + QStringLiteral(", ") + kind.addNameField + QStringLiteral(") VALUES (?, ?)"),
             {ModBase::NewItemPY, ModBase::NewItemName});
    const qint64 key = db->lastInsertId();
    if (kind.added)
        kind.added(key);
    // The list shows the new record, so leaving the field again takes it instead of
    // offering the same name a second time.
    fill(kind, kind.nameSql, {dao::escapeLike(name)});
}

void LookUp::move(int delta)
{
    const int row = m_grid->Row() + delta;
    if (row >= 1 && row <= m_grid->Rows() - 1)
        m_grid->setRow(row);
    widenSelection();
}

void LookUp::widenSelection()
{
    if (m_grid->Rows() >= 2)
        m_grid->setColSel(m_grid->Cols() - 1);
}

void LookUp::pressed()
{
    if (!hasRecord())
        return;
    const Entry *e = entryOfTag(m_grid->Tag());
    TipGet();
    if (e && e->kind.nextAfterPress)
        e->kind.nextAfterPress->setFocus(Qt::MouseFocusReason);
}

bool LookUp::eventFilter(QObject *watched, QEvent *event)
{
    const Entry *e = entryOf(watched);
    if (!e)
        return false;
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            move(key->key() == Qt::Key_Up ? -1 : 1);
            return true;
        }
    } else if (m_grid->Tag() == e->kind.tag && leftForAnotherControl(e->field, event)) {
        TipGet();
    }
    return false;
}

LookUpKind registerSearches(const QString &tag, const QString &select, const QString &nameField,
                            const QString &allOrder)
{
    LookUpKind k;
    k.tag = tag;
    k.allSql = select + QStringLiteral(" ORDER BY ") + allOrder + QStringLiteral(" COLLATE ZH");
    k.pinyinSql = select + QStringLiteral(" WHERE 拼音码 LIKE ? ESCAPE '\\' ORDER BY 拼音码 COLLATE ZH");
    k.nameSql = select + QStringLiteral(" WHERE ") + nameField + QStringLiteral(" LIKE ? ESCAPE '\\' ORDER BY ") +
                nameField + QStringLiteral(" COLLATE ZH");
    return k;
}

void offerToAdd(LookUpKind &kind, const QString &question, const QString &table, const QString &nameField)
{
    kind.missing = LookUpKind::Missing::Offer;
    kind.offerQuestion = question;
    kind.addTable = table;
    kind.addPinyinField = QStringLiteral("拼音码");
    kind.addNameField = nameField;
}
