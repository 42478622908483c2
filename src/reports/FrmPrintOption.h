#pragma once

#include "PageLayout.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace reports {

// The print dialog of the preview: page range, copies, then the job on the default printer.
class FrmPrintOption final : public QDialog {
    Q_OBJECT
public:
    FrmPrintOption(QWidget *preview, const PageReport &report, int currentPage);

    QRadioButton *Option2 = nullptr;
    QRadioButton *Option1 = nullptr;
    QComboBox *sPag = nullptr;
    QComboBox *ePag = nullptr;
    QLineEdit *CmbFS = nullptr;
    QSpinBox *UpDownFS = nullptr;
    QPushButton *CmdOK = nullptr;
    QPushButton *CmdCancel = nullptr;

private:
    void printPages();

    const PageReport &m_report;
    int m_currentPage;
};

} // namespace reports
