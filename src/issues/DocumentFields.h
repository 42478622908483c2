#pragma once

#include "IssueLine.h"
#include "LotTake.h"
#include "stock/MovementFlag.h"

#include <QObject>
#include <QVariantList>

#include <array>

class DatePicker;
class FlexGrid;
class LookUp;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QWidget;

// What the issue, batch issue and scrap windows share: the document number of their
// series, the date with its year question, department and claimant with their pick list,
// pickers and list buttons, the keys F5 and F6, and, in the windows that take from a lot,
// the reagent field with the lot taken and its spinner. The window makes the controls and
// hands them over; the take of a lot is the window's own.
class DocumentFields : public QObject {
    Q_OBJECT

public:
    struct Controls {
        QWidget *window = nullptr;
        stock::MovementFlag flag = stock::Issue; // the window's series
        QComboBox *number = nullptr;
        DatePicker *date = nullptr;
        QComboBox *department = nullptr;
        QComboBox *claimant = nullptr;
        std::array<QPushButton *, 2> pickers{}; // CmdAdd(0) departments, CmdAdd(1) claimants
        FlexGrid *pickList = nullptr;
        QWidget *afterClaimant = nullptr; // the focus after a claimant was picked; null: it stays
        QWidget *afterClaimantPress = nullptr; // after a press on the claimant list; null: as afterClaimant
        QWidget *f6 = nullptr;
    };
    struct LotControls {
        QComboBox *reagent = nullptr;
        QComboBox *quantity = nullptr;
        QComboBox *price = nullptr;
        QLineEdit *unit = nullptr;
        QSpinBox *spinner = nullptr;
        QLabel *tip = nullptr; // the low-stock tip, hidden by every new lot list
        issues::LotTake take;
    };

    explicit DocumentFields(const Controls &controls);
    // The lot look-up on the reagent field.
    void addLots(const LotControls &lots);

    LookUp *lookUp() const { return m_lookUp; }

    // The current number of the series into the number field; newNumber asks for the next.
    // Returns it for the window's global.
    qint64 GetDH(bool newNumber);
    // Department and claimant of the series' latest line.
    void GetPreRLXX();
    // The pickers are enabled as the main window's register items are.
    void enablePickers();
    void CmdAdd_Click(int index);
    void CmdRLBM_Click();
    void CmdRLR_Click();

    // A lot list of the window's buttons: the fields of the lot are cleared, the list shows
    // the rows of sql, its first lot is taken and the reagent field gets the focus.
    void listLots(const QString &sql, const QVariantList &params = {});
    // Reagent, quantity, price and unit emptied.
    void clearLotFields();
    // After a committed line: the chosen lot's quantity cell of a lot list shows what is
    // left ("0" once the lot is gone).
    void showLotLeft(double remaining);
    // The trimmed number field as a document number; throws, for the common error box,
    // when it is not a whole number.
    qint64 typedNumber() const;
    // Saves the checked line under the hourglass and the busy status, in one transaction:
    // `line` brings what is the window's own (its reason), the fields and the chosen lot the
    // rest, quantity and price as the fields show them "Standard". `current`, the window's
    // document number, becomes the typed one. The result once committed, the lot's cell in
    // the list showing what is left; otherwise nothing: a failure has shown the common
    // error box, a lot that no longer holds the quantity the stock refusal.
    std::optional<issues::IssueResult> saveLine(issues::IssueLine line, double &current);
    // The lot last taken; it stays until another is taken.
    const issues::ChosenLot &lot() const { return m_lot; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void listRegister(QComboBox *field, const QString &tag, const QString &sql);
    void takeLot(const QStringList &row);
    void clearProposal();
    void dateLeft();

    Controls m_c;
    LotControls m_lots;
    LookUp *m_lookUp = nullptr;
    issues::ChosenLot m_lot;
};
