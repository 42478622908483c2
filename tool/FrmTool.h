#pragma once

#include <QString>
#include <QWidget>

#include <array>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The repair tool's only window: a column of numbered commands on the settings file of
// Vialdesk's program folder.
class FrmTool : public QWidget {
    Q_OBJECT
public:
    FrmTool(const QString &programFolder, const QString &desktopFolder, QWidget *parent = nullptr);

    // Buttons top to bottom.
    enum Command { CopyToDesktop, ResetDatabaseFolder, OpenProgramFolder, OpenBackupFolder,
                   SetBackupFolder, Close, CommandCount };

private:
    void Cmd_Click(int index);

    QString m_programFolder;
    QString m_desktopFolder;
    std::array<QPushButton *, CommandCount> Cmd{};
    std::array<QLabel *, CommandCount> Image1{};
    QGroupBox *Frame1 = nullptr;
    QLabel *Label1 = nullptr;
    QPlainTextEdit *Text1 = nullptr;
};
