#include "ExportGrid.h"

#include "ReportFiles.h"
#include "widgets/WaitCursor.h"
#include "platform/CodePage936.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "platform/System.h"
#include "shell/ModBase.h"
#include "widgets/GridSnapshot.h"

#include <QSaveFile>

#include <stdexcept>

namespace reports {
namespace {

// The GB 2312 part of code page 936: both bytes from A1 on. The document declares
// gb2312, the label every spreadsheet program reads; LibreOffice holds it to that set.
bool inGb2312(quint16 code)
{
    return (code >> 8) >= 0xA1 && (code & 0xFF) >= 0xA1;
}

// Text as the document holds it: escaped for HTML, in GB 2312, and every character
// beyond it as a character reference.
QByteArray html(const QString &text)
{
    QByteArray out;
    out.reserve(text.size() * 2);
    for (char32_t ch : text.toUcs4()) {
        switch (ch) {
        case U'&': out += "&amp;"; break;
        case U'<': out += "&lt;"; break;
        case U'>': out += "&gt;"; break;
        default:
            if (ch < 0x80) {
                out += static_cast<char>(ch);
            } else if (const quint16 code = platform::cp936::codeOf(ch); code && inGb2312(code)) {
                out += static_cast<char>(code >> 8);
                out += static_cast<char>(code & 0xFF);
            } else {
                out += "&#" + QByteArray::number(static_cast<quint32>(ch)) + ';';
            }
        }
    }
    return out;
}

QByteArray cell(const QString &text)
{
    return (text.isEmpty() || text == QStringLiteral(" ")) ? QByteArray("<BR>") : html(text);
}

} // namespace

QByteArray exportDocument(const GridSnapshot &grid, const QString &title, int firstCol, const QDate &workDate)
{
    const QByteArray date = html(platform::shortDate(workDate));
    const QByteArray caption = html(title);
    QByteArray doc;
    doc += "<HTML><HEAD><META HTTP-EQUIV='Content-Type' CONTENT='text/html;charset=gb2312'>";
    doc += "<TITLE>" + caption + "(" + date + ")</TITLE></HEAD><BODY>";
    doc += "<TABLE BORDER=1 CELLSPACING=0 bordercolorlight=#000000 cellpadding=0 bordercolordark=#FFFFFF>"
           "<CAPTION><B>"
           + caption + "</B></CAPTION>";
    doc += "<THEAD><TR>";
    for (int c = firstCol; c < grid.cols(); ++c)
        doc += "<TH>" + html(grid.header.value(c)) + "</TH>";
    doc += "</TR></THEAD><TBODY>\r\n";
    for (int r = 0; r < grid.rowCount(); ++r) {
        doc += "<TR VALIGN=CENTER>";
        for (int c = firstCol; c < grid.cols(); ++c)
            doc += "<TD>" + cell(grid.text(r, c)) + "</TD>";
        doc += "</TR>\r\n";
    }
    doc += "</TBODY><TFOOT></TFOOT></TABLE><p>" + html(QStringLiteral("报表生成日期：")) + date
           + "</p></BODY></HTML>\r\n";
    return doc;
}

QString exportFileName(const QString &title, const QDate &workDate, const QTime &time, bool asExcel)
{
    return fileNamePart(title) + u'(' + workDate.toString(QStringLiteral("yyyyMMdd"))
           + time.toString(QStringLiteral("HHmmss")) + (asExcel ? QStringLiteral(").xls") : QStringLiteral(").htm"));
}

} // namespace reports

namespace ModData {
namespace {

std::runtime_error exportError(const QString &text)
{
    return std::runtime_error(text.toLocal8Bit().toStdString());
}

} // namespace

void ExportGrid(QWidget *owner, const GridSnapshot &grid, const QString &title, int firstCol, bool asExcel)
{
    if (grid.rowCount() < 1)
        return;
    WaitCursor wait;
    ModBase::SetStatus(QStringLiteral("正在导出报表....."), true);
    QString path;
    try {
        path = reports::reportFolder() + u'/'
               + reports::exportFileName(title, ModBase::SysDate, QTime::currentTime(), asExcel);
        QSaveFile file(path);
        const QByteArray doc = reports::exportDocument(grid, title, firstCol, ModBase::SysDate);
        if (!file.open(QIODevice::WriteOnly) || file.write(doc) != doc.size() || !file.commit())
            throw exportError(QStringLiteral("无法写入文件 ") + path + QStringLiteral("：") + file.errorString());
    } catch (const std::exception &e) {
        wait.restore();
        ModBase::SetStatus(QString(), false);
        ModBase::ShowErr(e);
        return;
    }
    wait.restore();
    ModBase::SetStatus(QString(), false);
    platform::msgBox(QStringLiteral("报表导出成功！路径：\n\n") + path, platform::Buttons::Ok, platform::Icon::None,
                     QString(), owner);
    platform::shell().open(owner, path);
}

} // namespace ModData
