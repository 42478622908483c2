#include "PrintJob.h"

#include "PageLayout.h"
#include "PaperForms.h"
#include "widgets/WaitCursor.h"
#include "shell/ModBase.h"

#include <QPrinter>

#include <stdexcept>

namespace reports {
namespace {

constexpr int kTwipsPerInch = 1440;

std::runtime_error printerError(const QString &text)
{
    return std::runtime_error(text.toLocal8Bit().toStdString());
}

} // namespace

PrintJob::PrintJob(QPrinter &printer, QWidget *owner) : m_printer(printer), m_owner(owner) {}

PrintJob::~PrintJob()
{
    end();
}

bool PrintJob::PrintOut(const PageReport &report, int page)
{
    WaitCursor wait;
    try {
        SelectPaperForm(m_printer, ReportForm, m_owner);
        if (m_sheets == 0) {
            if (!m_painter.begin(&m_printer))
                throw printerError(QStringLiteral("打印机无法开始打印：") + m_printer.printerName());
        } else if (!m_printer.newPage()) {
            throw printerError(QStringLiteral("打印机无法开始新的一页：") + m_printer.printerName());
        }
        ++m_sheets;
        const double pixelsPerTwip = m_printer.resolution() / static_cast<double>(kTwipsPerInch);
        const QRectF printable = m_printer.pageRect(QPrinter::DevicePixel);
        const QRectF paper = m_printer.paperRect(QPrinter::DevicePixel);
        PainterSurface surface(m_painter, pixelsPerTwip, qRound(printable.width() / pixelsPerTwip),
                               qRound(paper.width() / pixelsPerTwip));
        drawPage(surface, report, page);
        return true;
    } catch (const std::exception &e) {
        if (m_painter.isActive())
            m_printer.abort();
        m_painter.end();
        wait.restore();
        ModBase::SetStatus(QString(), false);
        ModBase::ShowErr(e);
        return false;
    }
}

void PrintJob::end()
{
    if (m_painter.isActive())
        m_painter.end();
}

} // namespace reports
