#include "FrmPrint.h"

#include "ExportGrid.h"
#include "FrmPrintOption.h"
#include "ReportFiles.h"
#include "SaveGIF.h"
#include "widgets/WaitCursor.h"
#include "platform/Dialogs.h"
#include "platform/Printers.h"
#include "platform/Shell.h"
#include "shell/ModBase.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QWheelEvent>

namespace reports {

void ShowPreview(QWidget *owner)
{
    FrmPrint preview(owner ? owner->window() : nullptr);
    platform::execModal(&preview);
}

FrmPrint::FrmPrint(QWidget *owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("FrmPrint"));
    setWindowTitle(platform::appTitle() + QStringLiteral("——预览报表（Enter打印，Esc关闭）"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);

    PicToolsBar = new QWidget(this);
    PicToolsBar->setObjectName(QStringLiteral("PicToolsBar"));
    auto *bar = new QHBoxLayout(PicToolsBar);
    bar->setContentsMargins(4, 3, 4, 3);
    struct Button {
        const char16_t *caption;
        const char16_t *tip;
    };
    static constexpr Button buttons[] = {{u"<<", u"第一页"},
                                         {u"<", u"上一页"},
                                         {u">", u"下一页"},
                                         {u">>", u"最后一页"},
                                         {u"导出为Excel", u"导出为Excel文档"},
                                         {u"导出为网页", u"导出为HTML文档"},
                                         {u"存为图片", u""},
                                         {u"自定义标头", u""},
                                         {u"打印(&P)", u"打印"}};
    for (int i = 0; i < 9; ++i) {
        auto *b = new QPushButton(QString::fromUtf16(buttons[i].caption), PicToolsBar);
        b->setObjectName(QStringLiteral("CmdPrint_%1").arg(i));
        b->setToolTip(QString::fromUtf16(buttons[i].tip));
        b->setAutoDefault(false);
        if (i < 4)
            b->setMaximumWidth(b->fontMetrics().horizontalAdvance(b->text()) + 24);
        CmdPrint[i] = b;
    }
    CombPage = new QComboBox(PicToolsBar);
    CombPage->setObjectName(QStringLiteral("CombPage"));
    CombPage->setToolTip(QStringLiteral("页码"));
    CombPage->setMinimumContentsLength(4);
    cmdClose = new QPushButton(QStringLiteral("返回(&B)"), PicToolsBar);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setToolTip(QStringLiteral("返回"));
    cmdClose->setAutoDefault(false);
    CmdHelp = new QPushButton(QStringLiteral("？"), PicToolsBar);
    CmdHelp->setObjectName(QStringLiteral("CmdHelp"));
    CmdHelp->setAutoDefault(false);
    bar->addWidget(CmdPrint[0]);
    bar->addWidget(CmdPrint[1]);
    bar->addWidget(CombPage);
    bar->addWidget(CmdPrint[2]);
    bar->addWidget(CmdPrint[3]);
    bar->addSpacing(12);
    for (int i = 4; i < 9; ++i)
        bar->addWidget(CmdPrint[i]);
    bar->addWidget(cmdClose);
    bar->addWidget(CmdHelp);
    bar->addStretch();
    CmdPrint[8]->setDefault(true);

    PicBox = new QWidget(this);
    PicBox->setObjectName(QStringLiteral("PicBox"));
    PicBox->setAutoFillBackground(true);
    QPalette grey = PicBox->palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    PicBox->setPalette(grey);
    PicTmpShow = new QLabel(PicBox);
    PicTmpShow->setObjectName(QStringLiteral("PicTmpShow"));
    PicTmpShow->setToolTip(QStringLiteral("报表预览区"));
    VSol = new QScrollBar(Qt::Vertical, this);
    VSol->setObjectName(QStringLiteral("VSol"));
    HSol = new QScrollBar(Qt::Horizontal, this);
    HSol->setObjectName(QStringLiteral("HSol"));

    connect(CombPage, &QComboBox::currentIndexChanged, this, [this] { showPage(); });
    connect(CmdPrint[0], &QPushButton::clicked, this, [this] {
        if (CombPage->count() > 0)
            CombPage->setCurrentIndex(0);
    });
    connect(CmdPrint[1], &QPushButton::clicked, this, [this] {
        if (CombPage->currentIndex() - 1 >= 0)
            CombPage->setCurrentIndex(CombPage->currentIndex() - 1);
    });
    connect(CmdPrint[2], &QPushButton::clicked, this, [this] {
        if (CombPage->currentIndex() + 1 < CombPage->count())
            CombPage->setCurrentIndex(CombPage->currentIndex() + 1);
    });
    connect(CmdPrint[3], &QPushButton::clicked, this, [this] { CombPage->setCurrentIndex(CombPage->count() - 1); });
    connect(CmdPrint[4], &QPushButton::clicked, this,
            [this] { ModData::ExportGrid(this, ModBase::PrintGrid, ModBase::PrintTitle, 1, true); });
    connect(CmdPrint[5], &QPushButton::clicked, this,
            [this] { ModData::ExportGrid(this, ModBase::PrintGrid, ModBase::PrintTitle, 1, false); });
    connect(CmdPrint[6], &QPushButton::clicked, this, [this] { savePicture(); });
    connect(CmdPrint[7], &QPushButton::clicked, this, [this] { askTitle(); });
    connect(CmdPrint[8], &QPushButton::clicked, this, [this] { print(); });
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(CmdHelp, &QPushButton::clicked, this,
            [] { platform::shell().showHelp(ModBase::HelpFile, QStringLiteral("::/5.htm#57")); });
    connect(VSol, &QScrollBar::valueChanged, this, [this] { placePicture(); });
    connect(HSol, &QScrollBar::valueChanged, this, [this] { placePicture(); });

    ModBase::PageCount = pagesFor(ModBase::PrintGrid.rowCount());
    SetColWide();
    m_report = PageReport::fromHandOff(QDate::currentDate());
    const bool hasPages = ModBase::PageCount > 0;
    CmdPrint[6]->setEnabled(hasPages);
    CmdPrint[8]->setEnabled(hasPages);
    {
        const QSignalBlocker block(CombPage);
        for (int p = 1; p <= ModBase::PageCount; ++p)
            CombPage->addItem(QString::number(p));
    }
    if (hasPages)
        CombPage->setCurrentIndex(0);
    showPage();
    setMinimumWidth(PicToolsBar->sizeHint().width());
    resize(std::max(920, minimumWidth()), 800);
}

int FrmPrint::currentPage() const
{
    return CombPage->currentIndex() < 0 ? 0 : CombPage->currentText().toInt();
}

void FrmPrint::showPage()
{
    WaitCursor wait;
    m_report.title = ModBase::PrintTitle;
    m_picture = renderPage(m_report, currentPage());
    PicTmpShow->setPixmap(QPixmap::fromImage(m_picture));
    PicTmpShow->resize(m_picture.size());
    placePicture();
}

void FrmPrint::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (isMinimized())
        return;
    const int barHeight = PicToolsBar->sizeHint().height();
    const int vWidth = VSol->sizeHint().width();
    const int hHeight = HSol->sizeHint().height();
    PicToolsBar->setGeometry(0, 0, width(), barHeight);
    PicBox->setGeometry(0, barHeight, std::max(0, width() - vWidth), std::max(0, height() - barHeight - hHeight));
    VSol->setGeometry(PicBox->width(), barHeight, vWidth, PicBox->height());
    HSol->setGeometry(0, barHeight + PicBox->height(), PicBox->width(), hHeight);
    const auto fit = [](QScrollBar *bar, int picture, int view) {
        const int d = picture - view;
        if (d < 1) {
            bar->setRange(0, 0);
            bar->setEnabled(false);
            return;
        }
        bar->setMaximum(d);
        bar->setPageStep(view);
        bar->setSingleStep(std::max(1, view / 10));
        bar->setEnabled(true);
    };
    fit(VSol, PicTmpShow->height(), PicBox->height());
    fit(HSol, PicTmpShow->width(), PicBox->width());
    placePicture();
}

void FrmPrint::placePicture()
{
    const int left =
        PicTmpShow->width() < PicBox->width() ? (PicBox->width() - PicTmpShow->width()) / 2 : -HSol->value();
    PicTmpShow->move(left, -VSol->value());
}

void FrmPrint::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && CmdPrint[8]->isEnabled())
        CmdPrint[8]->setFocus();
}

void FrmPrint::wheelEvent(QWheelEvent *event)
{
    QCoreApplication::sendEvent(VSol, event);
}

void FrmPrint::savePicture()
{
    if (currentPage() == 0)
        return;
    QString file;
    bool saved = false;
    {
        WaitCursor wait;
        try {
            file = reportFolder() + u'/' + fileNamePart(ModBase::PrintTitle) + QStringLiteral("第")
                   + CombPage->currentText() + QStringLiteral("页.gif");
        } catch (const std::exception &e) {
            wait.restore();
            ModBase::ShowErr(e);
            return;
        }
        saved = SaveGIF(m_picture, file);
        if (!saved) {
            file = file.chopped(3) + QStringLiteral("bmp");
            QSaveFile bmp(file);
            saved = bmp.open(QIODevice::WriteOnly) && m_picture.save(&bmp, "BMP") && bmp.commit();
        }
    }
    if (!saved) {
        platform::msgBox(QStringLiteral("当前页不能存为图片：\n\n") + file, platform::Buttons::Ok,
                         platform::Icon::Exclamation, QString(), this);
        return;
    }
    if (platform::msgBox(QStringLiteral("当前页已存为图片：\n\n") + file + QStringLiteral("\n\n打开吗？"),
                         platform::Buttons::YesNo, platform::Icon::Question, QString(), this)
        == platform::Answer::Yes)
        platform::shell().open(this, file);
}

void FrmPrint::askTitle()
{
    QInputDialog box(this);
    box.setObjectName(QStringLiteral("InputBox"));
    box.setWindowTitle(QStringLiteral("自定义标头"));
    box.setLabelText(QStringLiteral("请输入新的打印标题："));
    box.setTextValue(ModBase::PrintTitle);
    if (platform::execModal(&box) != QDialog::Accepted || box.textValue().isEmpty())
        return;
    ModBase::PrintTitle = box.textValue();
    showPage();
}

void FrmPrint::print()
{
    if (!platform::printers().installed()) {
        platform::msgBox(QStringLiteral("没有安装打印机！不能打印报表。"), platform::Buttons::Ok,
                         platform::Icon::Exclamation, QStringLiteral("提示"), this);
        return;
    }
    m_report.title = ModBase::PrintTitle;
    FrmPrintOption options(this, m_report, currentPage());
    platform::execModal(&options);
}

} // namespace reports
