#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;

// One running instance per program folder: a local socket named after the folder. A second
// start asks the first to bring its main window to the front and then stops; other
// programs of the folder may only look whether it runs.
namespace platform {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString &programFolder, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when another instance of this folder runs; it has been asked to come forward.
    bool raiseRunning();
    // Starts answering later starts; onRaise is called when one asks.
    bool listen(std::function<void()> onRaise);

    static QString socketName(const QString &programFolder);
    // True when an instance of that folder runs; it is not disturbed.
    static bool isRunning(const QString &programFolder);

private:
    QString m_name;
    QLocalServer *m_server = nullptr;
    std::function<void()> m_onRaise;
};

} // namespace platform
