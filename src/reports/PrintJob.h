#pragma once

#include <QPainter>

class QPrinter;
class QWidget;

namespace reports {

struct PageReport;

// One print job: every page on a sheet of its own, and no sheet after the last one.
class PrintJob {
public:
    // owner: the window the paper-form messages belong to.
    PrintJob(QPrinter &printer, QWidget *owner);
    ~PrintJob();
    PrintJob(const PrintJob &) = delete;
    PrintJob &operator=(const PrintJob &) = delete;

    // Draws the page (from 1) on a sheet of the report's paper form. False after a failure,
    // which was shown and ended the job.
    bool PrintOut(const PageReport &report, int page);
    // Ends the job; the printer then prints it.
    void end();

    int sheets() const { return m_sheets; }

private:
    QPrinter &m_printer;
    QWidget *m_owner;
    QPainter m_painter;
    int m_sheets = 0;
};

} // namespace reports
