#pragma once

#include <QDialog>
#include <QVariantList>

class EntryFilter;
class FlexGrid;
class QCheckBox;
class QComboBox;
class QPushButton;

// Adds reagents to an order by hand: found by pinyin code or name, by group or all, each
// completed to a full order line with quantity 1 and copied into the order grid.
class FrmProductPOAdd : public QDialog {
    Q_OBJECT

public:
    // order: the order grid the chosen lines go into.
    FrmProductPOAdd(FlexGrid *order, QWidget *parent = nullptr);
    ~FrmProductPOAdd() override;

    // Lists the reagents that satisfy condition (over shijijibenxinxi and changshang) as
    // complete candidate lines.
    void AddMore(const QString &condition, const QVariantList &params);
    // Selects the whole current candidate.
    void TipGet();

    QComboBox *CmbSJDM = nullptr;
    QPushButton *CmbGZBSJ = nullptr;
    QPushButton *CmdQBSJ = nullptr;
    QCheckBox *CheTY = nullptr;
    FlexGrid *GridTip = nullptr;
    QPushButton *CmdOK = nullptr;
    QPushButton *CmdCancel = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build();
    void loadGroups();
    void CmbSJDM_Change(const QString &text);
    void CmbGZBSJ_Click();
    void CmdQBSJ_Click();
    void CopyToOrder();
    bool CmbSJDM_Key(int key);

    FlexGrid *m_order;
    EntryFilter *m_entry = nullptr;
};
