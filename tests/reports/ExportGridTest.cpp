#include "reports/ExportGrid.h"

#include "RecordingShell.h"
#include "ReportFixture.h"
#include "platform/CodePage936.h"
#include "platform/System.h"

#include <QDir>

namespace {

class ExportGrid : public ReportTest {
protected:
    GridSnapshot supplierGrid() const
    {
        GridSnapshot g;
        g.header = {QStringLiteral("ID"), QStringLiteral("简称"), QStringLiteral("规格"), QStringLiteral("备注")};
        g.rows = {{QStringLiteral("1"), QStringLiteral("A&B试剂"), QStringLiteral("<5ml"), QString()},
                  {QStringLiteral("2"), QStringLiteral(" "), QStringLiteral("  "), QStringLiteral("x>y")}};
        return g;
    }

    QStringList exported() const
    {
        return QDir(dir.file(QStringLiteral("报表"))).entryList(QDir::Files);
    }
};

TEST_F(ExportGrid, DocumentBytes)
{
    // 镕 is in code page 936 but beyond GB 2312: it goes as a reference, as the emoji does.
    const QString title = QStringLiteral("供应商🧪镕名单");
    const QByteArray date = platform::cp936::encode(platform::shortDate(ModBase::SysDate));
    const QByteArray expected =
        "<HTML><HEAD><META HTTP-EQUIV='Content-Type' CONTENT='text/html;charset=gb2312'><TITLE>"
        + platform::cp936::encode(QStringLiteral("供应商")) + "&#129514;&#38229;" + platform::cp936::encode(QStringLiteral("名单"))
        + "(" + date + ")</TITLE></HEAD><BODY>"
        "<TABLE BORDER=1 CELLSPACING=0 bordercolorlight=#000000 cellpadding=0 bordercolordark=#FFFFFF><CAPTION><B>"
        + platform::cp936::encode(QStringLiteral("供应商")) + "&#129514;&#38229;" + platform::cp936::encode(QStringLiteral("名单"))
        + "</B></CAPTION><THEAD><TR><TH>" + platform::cp936::encode(QStringLiteral("简称")) + "</TH><TH>"
        + platform::cp936::encode(QStringLiteral("规格")) + "</TH><TH>" + platform::cp936::encode(QStringLiteral("备注"))
        + "</TH></TR></THEAD><TBODY>\r\n"
          "<TR VALIGN=CENTER><TD>A&amp;B" + platform::cp936::encode(QStringLiteral("试剂"))
        + "</TD><TD>&lt;5ml</TD><TD><BR></TD></TR>\r\n"
          "<TR VALIGN=CENTER><TD><BR></TD><TD>  </TD><TD>x&gt;y</TD></TR>\r\n"
          "</TBODY><TFOOT></TFOOT></TABLE><p>" + platform::cp936::encode(QStringLiteral("报表生成日期：")) + date
        + "</p></BODY></HTML>\r\n";
    EXPECT_EQ(reports::exportDocument(supplierGrid(), title, 1, ModBase::SysDate), expected);
}

TEST_F(ExportGrid, WritesTellsAndOpensTheFile)
{
    RecordingShell shell;
    ScriptedDialogs dialogs;
    const QString title = QStringLiteral("入库/出库 汇总");
    const QString folderPath = dir.file(QStringLiteral("报表"));
    dialogs.expect(QStringLiteral("报表导出成功！路径：\n\n") + folderPath + QStringLiteral("/入库_出库 汇总(20260115"));
    const QTime before = QTime::currentTime();
    ModData::ExportGrid(nullptr, supplierGrid(), title, 0, true);
    const QTime after = QTime::currentTime();

    ASSERT_EQ(exported().size(), 1);
    const QString name = exported().first();
    const QTime stamp = QTime::fromString(name.mid(name.indexOf(u'(') + 9, 6), QStringLiteral("HHmmss"));
    EXPECT_TRUE(name.startsWith(QStringLiteral("入库_出库 汇总(20260115")) && name.endsWith(QStringLiteral(").xls")))
        << name.toStdString();
    EXPECT_GE(stamp, before.addMSecs(-before.msec()));
    EXPECT_LE(stamp, after);
    const QString path = folderPath + u'/' + name;
    EXPECT_EQ(dialogs.lastText(), QStringLiteral("报表导出成功！路径：\n\n") + path);
    EXPECT_EQ(shell.calls, QStringList{QStringLiteral("open ") + path});
    EXPECT_EQ(dir.read(QStringLiteral("报表/") + name),
              reports::exportDocument(supplierGrid(), title, 0, ModBase::SysDate));
    EXPECT_TRUE(dir.read(QStringLiteral("报表/") + name).contains("<TH>ID</TH>")); // from column 0
}

TEST_F(ExportGrid, HeaderOnlyWritesNothing)
{
    RecordingShell shell;
    ScriptedDialogs dialogs;
    GridSnapshot g = supplierGrid();
    g.rows.clear();
    ModData::ExportGrid(nullptr, g, QStringLiteral("空"), 1, false);
    EXPECT_FALSE(QDir(dir.file(QStringLiteral("报表"))).exists());
    EXPECT_TRUE(shell.calls.isEmpty());
}

TEST_F(ExportGrid, FailureShowsTheErrorBoxAndOpensNothing)
{
    RecordingShell shell;
    ScriptedDialogs dialogs;
    dir.write(QStringLiteral("报表"), "a file where the folder belongs");
    dialogs.expect(QStringLiteral("Dr. Watson 发现您的操作有误。\n\n"));
    ModData::ExportGrid(nullptr, supplierGrid(), QStringLiteral("名单"), 1, false);
    EXPECT_TRUE(shell.calls.isEmpty());
    EXPECT_TRUE(QFileInfo(dir.file(QStringLiteral("报表"))).isFile());
}

} // namespace
