#pragma once

#include <QDialog>

#include <array>

class FlexGrid;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

// The users who may log in and their rights: a list beside an editor for one user with
// a box per position of the rights string. The logged-in user's own record cannot be
// deleted, and saving it always keeps the super-user flag, the active flag and the right
// to this window.
class FrmSetUser : public QDialog {
    Q_OBJECT

public:
    static constexpr int RightsCount = 26;
    static constexpr int UsersRight = 24; // the box of this window's own right

    explicit FrmSetUser(QWidget *parent = nullptr);

    // Reloads the list and returns the editor to add mode.
    void RefreshShow();
    void QxAllSel(bool flag);

protected:
    bool event(QEvent *e) override;

private:
    void setMode(bool add);
    void textChanged();
    void gridClicked();
    void newUser();
    void save();
    void deleteUser();
    QString rightsFromBoxes() const;
    // True (after the refusal was shown) when another active user has the name.
    bool nameTaken(const QString &name, qint32 exceptId);

    bool AddMode = true;
    qint32 m_selectedId = 0;
    QString m_rights;

    FlexGrid *GridShow = nullptr;
    std::array<QLineEdit *, 3> TxtUserSet{};
    QCheckBox *CheSuper = nullptr;
    QCheckBox *CheEnable = nullptr;
    std::array<QCheckBox *, RightsCount> CheQX{};
    QGroupBox *FamSet = nullptr;
    std::array<QPushButton *, 6> CmdSet{};
    QPushButton *CmdHelp = nullptr;
};
