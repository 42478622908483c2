#include "DocumentFields.h"

#include "IssueLookUps.h"
#include "dao/Database.h"
#include "platform/Convert.h"
#include "platform/Dialogs.h"
#include "stock/DocumentNumber.h"
#include "shell/FrmMain.h"
#include "shell/LookUp.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "shell/Refusal.h"
#include "stock/LineChecks.h"
#include "shell/WindowRegistry.h"
#include "widgets/DatePicker.h"
#include "widgets/FieldLeave.h"
#include "widgets/FlexGrid.h"
#include "widgets/WaitCursor.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>

#include <cmath>
#include <memory>
#include <stdexcept>

using platform::Answer;
using platform::Buttons;

namespace {

// The rights of the department and claimant registers, which the pickers open.
constexpr int kDepartmentsRight = 23;
constexpr int kClaimantsRight = 24;

void showPicker(const QString &name)
{
    std::unique_ptr<QWidget> window(shell::createWindow(name, nullptr));
    if (auto *dialog = qobject_cast<QDialog *>(window.get()))
        platform::execModal(dialog);
}

} // namespace

DocumentFields::DocumentFields(const Controls &controls)
    : QObject(controls.window)
    , m_c(controls)
{
    m_lookUp = new LookUp(m_c.pickList);

    LookUpKind department = issues::departmentKind();
    department.nextAfterPress = m_c.claimant;
    m_lookUp->addField(m_c.department, std::move(department));
    LookUpKind claimant = issues::claimantKind();
    claimant.nextAfterPress = m_c.afterClaimantPress ? m_c.afterClaimantPress : m_c.afterClaimant;
    m_lookUp->addField(m_c.claimant, std::move(claimant));

    for (int i = 0; i < 2; ++i)
        connect(m_c.pickers[static_cast<size_t>(i)], &QPushButton::clicked, this, [this, i] { CmdAdd_Click(i); });
    m_c.date->installEventFilter(this);

    // F5 and F6 only as bare keys: Shift+F5 and the like stay free.
    auto *f5 = new QShortcut(QKeySequence(Qt::Key_F5), m_c.window, m_c.window, [this] { m_c.date->setFocus(); });
    auto *f6 = new QShortcut(QKeySequence(Qt::Key_F6), m_c.window, m_c.window, [this] {
        if (m_c.f6)
            m_c.f6->setFocus();
    });
    f5->setContext(Qt::WidgetWithChildrenShortcut);
    f6->setContext(Qt::WidgetWithChildrenShortcut);
}

void DocumentFields::addLots(const LotControls &lots)
{
    m_lots = lots;
    LookUpKind inventory = issues::inventoryKind();
    inventory.taken = [this](const QStringList &row) { takeLot(row); };
    inventory.searched = [this] {
        m_lots.tip->hide();
        clearProposal();
    };
    inventory.nextAfterPress = m_lots.quantity;
    m_lookUp->addField(m_lots.reagent, std::move(inventory));

    m_lots.spinner->setRange(1, 1);
    connect(m_lots.spinner, &QSpinBox::valueChanged, this, [this](int value) {
        m_lots.quantity->setEditText(QString::number(value));
        m_lots.quantity->setFocus();
    });
}

qint64 DocumentFields::GetDH(bool newNumber)
{
    const qint64 number = stock::documentNumber(ModData::database(), m_c.flag, ModBase::SysDate, newNumber);
    m_c.number->setEditText(QString::number(number));
    return number;
}

void DocumentFields::GetPreRLXX()
{
    dao::Database &db = ModData::database();
    const qint64 id =
        db.scalar(QStringLiteral("SELECT MAX(登记ID) FROM shijibiandongdengji WHERE 变动标志=?"), {int(m_c.flag)})
            .toLongLong();
    if (id <= 0)
        return;
    const dao::Result r =
        db.select(QStringLiteral("SELECT 认领部门, 认领人 FROM shijibiandongdengji WHERE 登记ID=?"), {id});
    if (r.empty())
        return;
    m_c.department->setEditText(r[0].text(0));
    m_c.claimant->setEditText(r[0].text(1));
}

void DocumentFields::enablePickers()
{
    m_c.pickers[0]->setEnabled(FrmMain::commandEnabled(kDepartmentsRight));
    m_c.pickers[1]->setEnabled(FrmMain::commandEnabled(kClaimantsRight));
}

void DocumentFields::CmdAdd_Click(int index)
{
    ModBase::PickMode = true;
    if (index == 0) {
        ModBase::PickDepartment = m_c.department->currentText();
        if (FrmMain::commandEnabled(kDepartmentsRight))
            showPicker(QStringLiteral("FrmSetDepartment"));
        m_c.department->setEditText(ModBase::PickDepartment);
        m_c.claimant->setFocus();
    } else {
        ModBase::PickClaimant = m_c.claimant->currentText();
        if (FrmMain::commandEnabled(kClaimantsRight))
            showPicker(QStringLiteral("FrmSetHandling"));
        m_c.claimant->setEditText(ModBase::PickClaimant);
        if (m_c.afterClaimant)
            m_c.afterClaimant->setFocus();
    }
    ModBase::PickMode = false;
}

void DocumentFields::listRegister(QComboBox *field, const QString &tag, const QString &sql)
{
    try {
        field->setEditText(QString());
        m_lookUp->showList(tag, sql);
        if (m_lookUp->hasRecord())
            m_lookUp->TipGet();
        field->setFocus();
    } catch (...) {
        ModBase::ShowErr();
    }
}

void DocumentFields::CmdRLBM_Click()
{
    listRegister(m_c.department, QStringLiteral("Department"), issues::DepartmentsByNameSql);
}

void DocumentFields::CmdRLR_Click()
{
    listRegister(m_c.claimant, QStringLiteral("Handling"), issues::ClaimantsByNameSql);
}

void DocumentFields::listLots(const QString &sql, const QVariantList &params)
{
    try {
        m_lots.tip->hide();
        clearLotFields();
        m_lookUp->showList(QStringLiteral("Inventory"), sql, params);
        if (m_lookUp->hasRecord())
            m_lookUp->TipGet();
        m_lots.reagent->setFocus();
    } catch (...) {
        ModBase::ShowErr();
    }
}

void DocumentFields::clearLotFields()
{
    m_lots.reagent->setEditText(QString());
    clearProposal();
}

void DocumentFields::showLotLeft(double remaining)
{
    FlexGrid *list = m_c.pickList;
    if (list->Tag() != QStringLiteral("Inventory"))
        return;
    const QString key = QString::number(m_lot.lotId);
    for (int r = 1; r < list->Rows(); ++r) {
        if (list->TextMatrix(r, 0) == key) {
            list->setTextMatrix(r, 9, remaining == 0 ? QStringLiteral("0") : platform::convert::doubleText(remaining));
            return;
        }
    }
}

qint64 DocumentFields::typedNumber() const
{
    const QString text = m_c.number->currentText().trimmed();
    const std::optional<double> n = platform::convert::parseNumber(text);
    if (!n || *n != std::floor(*n) || *n < 1 || *n > 9.0e15)
        throw std::runtime_error(
            (stock::kindWord(m_c.flag) + QStringLiteral("单号“%1”不是数字。").arg(text)).toStdString());
    return static_cast<qint64>(*n);
}

std::optional<issues::IssueResult> DocumentFields::saveLine(issues::IssueLine line, double &current)
{
    std::exception_ptr failure;
    issues::IssueResult result;
    {
        WaitCursor wait;
        ModBase::SetStatus(QStringLiteral("系统正在进行数据登入工作"), true);
        try {
            // The checked numbers are saved as the fields show them, with two decimals.
            m_lots.quantity->setEditText(stock::standardText(m_lots.quantity->currentText()));
            m_lots.price->setEditText(stock::standardText(m_lots.price->currentText()));
            line.number = typedNumber();
            current = static_cast<double>(line.number);
            line.flag = m_c.flag;
            line.date = m_c.date->date();
            line.lotId = m_lot.lotId;
            line.quantity = platform::convert::parseNumber(m_lots.quantity->currentText().trimmed()).value_or(0);
            line.price = platform::convert::parseNumber(m_lots.price->currentText().trimmed()).value_or(0);
            line.department = m_c.department->currentText().trimmed();
            line.claimant = m_c.claimant->currentText().trimmed();
            line.userId = ModBase::UserID;
            result = issues::saveIssueLine(ModData::database(), line);
        } catch (...) {
            failure = std::current_exception();
        }
    }
    ModBase::SetStatus(QString());
    if (failure) {
        try {
            std::rethrow_exception(failure);
        } catch (...) {
            ModBase::ShowErr();
        }
        return std::nullopt;
    }
    if (!result.saved) {
        // Another workstation took from the lot since it was listed.
        const QString typed = m_lots.quantity->currentText();
        passChecks([&](int from) {
            return from == 1 ? stock::stockRefusal(1, result.stored, typed, 0, m_c.flag) : std::nullopt;
        }, {m_lots.quantity}, m_c.window);
        return std::nullopt;
    }
    showLotLeft(result.remaining);
    return result;
}

void DocumentFields::clearProposal()
{
    m_lots.quantity->setEditText(QString());
    m_lots.price->setEditText(QString());
    m_lots.unit->clear();
}

void DocumentFields::takeLot(const QStringList &row)
{
    m_lot = issues::chosenLotOf(row);
    ModBase::CurSJID = m_lot.reagentId;
    ModBase::PickGYSID = m_lot.supplierId;
    m_lots.unit->setText(m_lot.unit);
    const issues::LotProposal p = m_lots.take(m_lot);
    m_lots.price->setEditText(p.price);
    {
        // Setting the bounds is no step of the user's: the quantity is proposed below.
        const QSignalBlocker quiet(m_lots.spinner);
        m_lots.spinner->setRange(1, p.spinMax);
        m_lots.spinner->setValue(p.spinValue);
    }
    m_lots.quantity->setEditText(p.quantity);
}

void DocumentFields::dateLeft()
{
    if (m_c.date->date().year() == ModBase::SysDate.year())
        return;
    if (platform::msgBox(QStringLiteral("您输入的年份可能有误！请检查...") + QString(11, u' ')
                             + QStringLiteral("\n\n返回修改？"),
                         Buttons::OkCancel)
        == Answer::Ok)
        m_c.date->setFocus();
}

bool DocumentFields::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_c.date && leftForAnotherControl(m_c.date, event))
        dateLeft();
    return QObject::eventFilter(watched, event);
}
