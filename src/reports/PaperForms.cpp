#include "PaperForms.h"

#include "platform/Dialogs.h"
#include "platform/PrinterForms.h"

#include <QPrinter>

namespace reports {

namespace forms = platform::forms;

QSize formSize(const QString &formName)
{
    struct Known {
        const char16_t *name;
        int height;
    };
    static constexpr Known known[] = {{u"岚舟医疗软件80列报表", 280000},
                                      {u"岚舟医疗软件40列报表", 140000},
                                      {u"岚舟医疗软件27列报表", 93300},
                                      {u"岚舟医疗软件20列报表", 70000}};
    for (const Known &k : known) {
        if (formName == QString::fromUtf16(k.name))
            return {210000, k.height};
    }
    return {0, 0};
}

int FindFormBySize(const QString &device, QSize size, QString &name)
{
    const QList<forms::Form> all = forms::enumerate(device);
    for (int i = 0; i < all.size(); ++i) {
        if (all[i].size == size) {
            name = all[i].name;
            return i + 1;
        }
    }
    return 0;
}

QString AddCustomForm(const QString &device, QSize size, const QString &name, QWidget *owner)
{
    const forms::Form form{forms::FormUser, name, size, {0, 0, size.width(), size.height()}};
    int error = 0;
    if (forms::add(device, form, &error))
        return name;
    if (error == forms::ErrorAccessDenied)
        platform::msgBox(QStringLiteral("You do not have permissions to add a form to ") + device,
                         platform::Buttons::Ok, platform::Icon::Exclamation, QStringLiteral("Access Denied!"), owner);
    else
        platform::msgBox(QStringLiteral("Error: ") + QString::number(error), platform::Buttons::Ok,
                         platform::Icon::None, QStringLiteral("Error Adding Form"), owner);
    return QStringLiteral("none");
}

qint16 SelectPaperForm(QPrinter &printer, const QString &formName, QWidget *owner)
{
    const QSize size = formSize(formName);
    if (size.isEmpty()) // an unknown name would add a form of no size
        return 0;
    const QString device = forms::deviceName(printer);
    if (!forms::exists(device))
        return 0;
    qint16 result = 1;
    QString found;
    int index = FindFormBySize(device, size, found);
    if (index == 0) {
        AddCustomForm(device, size, formName, owner);
        index = FindFormBySize(device, size, found);
        if (index == 0)
            return 0;
        result = 2;
    }
    if (!forms::select(printer, forms::enumerate(device).at(index - 1)))
        return 0;
    return result;
}

} // namespace reports
