#pragma once

#include "PageLayout.h"

#include <QDialog>
#include <QImage>

#include <array>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollBar;

namespace reports {

// Opens the preview of the report handed off in PrintGrid, PrintTitle, PrintKind and
// PrintTotal, modal over the owner's main window; returns when the user closes it.
void ShowPreview(QWidget *owner);

// The report preview: pages the handed-off grid 35 rows a page, prints, exports and saves
// the shown page as a picture.
class FrmPrint final : public QDialog {
    Q_OBJECT
public:
    explicit FrmPrint(QWidget *owner);

    // The page shown (from 1); 0 when the report has no page.
    int currentPage() const;
    const PageReport &report() const { return m_report; }
    const QImage &picture() const { return m_picture; }

    std::array<QPushButton *, 9> CmdPrint{};
    QComboBox *CombPage = nullptr;
    QPushButton *cmdClose = nullptr;
    QPushButton *CmdHelp = nullptr;
    QWidget *PicToolsBar = nullptr;
    QWidget *PicBox = nullptr;
    QLabel *PicTmpShow = nullptr;
    QScrollBar *VSol = nullptr;
    QScrollBar *HSol = nullptr;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void showPage();
    void placePicture();
    void savePicture();
    void askTitle();
    void print();

    PageReport m_report;
    QImage m_picture;
};

} // namespace reports
