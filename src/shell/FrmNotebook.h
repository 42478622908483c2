#pragma once

#include <QDialog>

#include <array>

class FlexGrid;
class QComboBox;
class QGroupBox;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// Short notes shared by every user of the database: a list beside an editor for one note.
class FrmNotebook : public QDialog {
    Q_OBJECT
public:
    explicit FrmNotebook(QWidget *parent = nullptr);

    // Reloads the list and empties the editor in add mode.
    void RefreshShow();

    FlexGrid *GridShow;
    std::array<QRadioButton *, 2> Opt{};
    std::array<QComboBox *, 1> CmbField{};
    QPlainTextEdit *TxtCNT;
    QGroupBox *FamSet;
    std::array<QPushButton *, 4> CmdSet{};
    QPushButton *CmdHelp;

private:
    void takeRow(int row);
    void startNew();
    void save();
    void remove();

    bool m_addMode = true;
    qint64 m_editID = 0;
};
