#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <functional>
#include <vector>

class FlexGrid;
class QComboBox;
class QWidget;

// Which query a look-up field's text asks for.
enum class LookUpSearch { None, All, Barcode, Pinyin, Name };

struct LookUpKey {
    LookUpSearch search = LookUpSearch::None;
    QString key; // the text trimmed and in upper case
};

// The rule every look-up field follows: an empty text (or blanks only) asks for nothing, a
// single blank for every record, five or more digits for a barcode where the kind has
// barcodes, a single-byte first character for the pinyin code, a double-byte one for the
// name.
LookUpKey lookUpKey(const QString &text, bool barcodes);

// One kind of record that a pick list shows, as the window that searches it describes it.
// Every query takes its one value as a bound parameter: the LIKE queries a pattern for
// "LIKE ? ESCAPE '\'", the barcode query the key itself.
struct LookUpKind {
    // What leaving the field does when the list holds no record and the field holds text.
    enum class Missing {
        Keep,  // the text stays as typed
        Empty, // the field is emptied
        Offer, // asks to add the text to its register
    };

    QString tag;        // the list's Tag while it shows this kind
    QList<int> widths;  // twips per column; 0 hides a column
    QString allSql;     // a single blank: every record
    QString pinyinSql;  // the pinyin code contains the key
    QString nameSql;    // the name contains the key
    QString barcodeSql; // the barcode equals the key; empty when the kind has none
    bool blankEmptiesField = true; // a single blank is cleared from the field as it lists all
    int takeColumn = 2;            // the column a take writes into the field

    Missing missing = Missing::Keep;
    QString offerQuestion; // %1 stands for the trimmed text
    QString addTable;      // the register that "Yes" adds the name to, with its two fields
    QString addPinyinField;
    QString addNameField;
    bool noEmptiesField = false; // what "No" does to the field

    // The current record was taken into the field; row holds every column of it.
    std::function<void(const QStringList &row)> taken;
    // A record was added on the spot; key is the one the database gave it.
    std::function<void(qint64 key)> added;
    // The field's text ran a query (a typed key or a single blank).
    std::function<void()> searched;
    // Where the focus goes after a press on the list took a record; null: it stays.
    QWidget *nextAfterPress = nullptr;
};

// A kind that searches one register: `select` names its columns and its table; every
// record comes in the order of `allOrder`, a pinyin search in pinyin order, a name search
// (in `nameField`) in name order, all in Chinese order.
LookUpKind registerSearches(const QString &tag, const QString &select, const QString &nameField,
                            const QString &allOrder);
// Leaving the field with a name its register lacks asks `question` (%1 the name) and Yes
// adds the name with its pinyin code to `table`.
void offerToAdd(LookUpKind &kind, const QString &question, const QString &table, const QString &nameField);

// The look-up fields of one window and the one pick list they share. A field searches its
// kind as the user types; Up and Down move through the list; leaving the field, or a press
// on the list, takes the list's current record when the list shows the field's kind.
class LookUp : public QObject {
    Q_OBJECT

public:
    explicit LookUp(FlexGrid *grid);

    void addField(QComboBox *field, LookUpKind kind);

    // Takes the list's current record into the field of the list's kind, or deals with a
    // typed text that the list does not hold. Failures show the common error box.
    void TipGet();
    // Runs the field's search on its current text.
    void search(QComboBox *field);
    // Fills the list with the rows of sql as the kind tagged tag (its widths), the current
    // row on the first record. Failures reach the caller.
    void showList(const QString &tag, const QString &sql, const QVariantList &params = {});
    // Row 1 exists and holds a key.
    bool hasRecord() const;
    // What a list button does: the list as showList fills it, then its first record taken.
    void listAndTakeFirst(const QString &tag, const QString &sql, const QVariantList &params = {});

    FlexGrid *grid() const { return m_grid; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Entry {
        QComboBox *field;
        LookUpKind kind;
    };

    const Entry *entryOf(const QObject *field) const;
    const Entry *entryOfTag(const QString &tag) const;
    void fill(const LookUpKind &kind, const QString &sql, const QVariantList &params);
    void take(const Entry &e);
    void missing(const Entry &e);
    void move(int delta);
    void widenSelection();
    void pressed();

    FlexGrid *m_grid;
    std::vector<Entry> m_entries;
};
