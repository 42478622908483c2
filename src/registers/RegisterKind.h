#pragma once

#include <QList>
#include <QString>

namespace registers {

// One entry field of a register (`CmbField(i)`): where its text is stored and shown.
struct RegisterField {
    QString label;
    int tablePos = 0; // field position in the table (1 is the pinyin code)
    int gridCol = 0;  // list column it is filled from on a row click
    bool required = false;
};

// A table whose rows may name a register row by its key; such a row is not deleted.
struct RegisterReference {
    QString table;
    QString field;
};

// Everything one register window does differently from the others.
struct RegisterKind {
    QString objectName;
    QString caption;
    QString searchLabel;
    QString showAllCaption;
    QString frameCaption; // followed by the mode: "（添加模式）" / "（修改模式）"

    QString table;
    QString keyField;
    QString nameField;
    QString listColumns; // the list query's columns, in grid order: key, pinyin code, name, ...
    QList<int> colWidths; // twips per list column; columns past the list keep the default

    QList<RegisterField> fields; // CmbField(0) .. CmbField(n-1)
    int nameIndex = 1;
    int pinyinIndex = 0;
    QList<int> layoutOrder; // the order of the fields on screen and for Enter
    QString emptyNameMessage;
    bool trimOnSave = true;
    bool rowFromDatabase = false; // a row click reads the row again by its key

    QString exportTitle; // not empty: the window has the export button
    QList<RegisterReference> references;
    QString inUseMessage; // %1 is the row's name

    QString *pickName = nullptr;
    qint32 *pickId = nullptr; // also the key, for registers named by key elsewhere

    QString helpTopic;
    QString helpPage;
};

// The width above which a register name asks whether it should be shortened.
inline constexpr float NameWidthLimit = 4.0f;

} // namespace registers

namespace registers {

// A register of three columns (key, pinyin code, name) with two entry fields.
struct LookupTexts {
    QString objectName, caption, label, table, keyField, nameField, emptyNameMessage;
    int nameIndex = 1; // the other entry field is the pinyin code
    QString *pickName = nullptr;
    QString helpTopic, helpPage;
};
RegisterKind lookupRegister(const LookupTexts &t);

// A register of contact cards: key, pinyin code, short name and eight further texts.
struct CardTexts {
    QString objectName, caption, searchLabel, table, keyField, nameField, fullNameField, emptyNameMessage;
    QString exportTitle;
    QList<RegisterReference> references;
    QString inUseMessage;
    qint32 *pickId = nullptr;
    QString *pickName = nullptr;
    QString helpTopic, helpPage;
};
RegisterKind cardRegister(const CardTexts &t);

} // namespace registers
