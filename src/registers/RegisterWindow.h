#pragma once

#include "RegisterKind.h"

#include <QDialog>
#include <QList>

#include <array>

class FlexGrid;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace registers {

// The register window that every simple register and both contact-card registers are:
// a searchable list beside an entry frame that adds or edits one row. In pick mode a
// double-click on a row hands it back through the register's pick slot and closes.
class RegisterWindow : public QDialog {
    Q_OBJECT

public:
    explicit RegisterWindow(RegisterKind kind, QWidget *parent = nullptr);

    // Lists the rows for the search text, empties the fields and returns to add mode.
    void RefreshShow();

protected:
    bool event(QEvent *e) override;

private:
    void buildControls();
    void buildLayout();
    QComboBox *nameField() const { return CmbField.at(m_kind.nameIndex); }
    QComboBox *pinyinField() const { return CmbField.at(m_kind.pinyinIndex); }
    void setMode(bool add);
    void applyColumnWidths();
    void fieldChanged(int index);
    void gridClicked();
    void gridDoubleClicked();
    void newRecord();
    void SaveRecord();
    void DeleteRecord();
    void exportList();
    // The fields' texts by table position (element k for position k + 1).
    QStringList valuesByPosition() const;
    void fill(const QStringList &textsByField);

    const RegisterKind m_kind;
    bool AddMode = true;
    qint32 EditID = 0;

    QLabel *lblLab = nullptr;
    QComboBox *CmbJS = nullptr;
    QPushButton *CmdShowAll = nullptr;
    QPushButton *CmdDC = nullptr;
    FlexGrid *GridShow = nullptr;
    QGroupBox *FamSet = nullptr;
    QList<QComboBox *> CmbField;
    QList<QLabel *> lblLabels;
    QList<QLabel *> Label1;
    std::array<QPushButton *, 4> CmdSet{};
    QPushButton *CmdHelp = nullptr;
};

} // namespace registers
