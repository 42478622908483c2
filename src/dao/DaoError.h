#pragma once

#include <QString>

#include <stdexcept>

namespace dao {

// The Jet error numbers that the windows test, mapped from the engine's result codes.
enum JetError : int {
    ErrGeneric = 3000,
    ErrNoCurrentRecord = 3021,
    ErrDuplicate = 3022,
    ErrFileNotFound = 3024,
    ErrExclusiveUse = 3045,
    ErrDamaged = 3049,
    ErrFieldTooSmall = 3163,
    ErrLocked = 3218,
    ErrUnrecognized = 3343,
    ErrRequired = 3314,
    ErrZeroLength = 3315,
    ErrValidation = 3317,
    ErrHeldExclusively = 3356,
};

// A failure of the data layer: the Jet number, a Chinese description for the error box,
// the engine's own message and, where known, the database file it concerns.
class DaoError : public std::runtime_error {
public:
    DaoError(int number, const QString &engineMessage, int engineCode = 0, const QString &file = QString());

    int number() const { return m_number; }
    int engineCode() const { return m_engineCode; }
    QString engineMessage() const { return m_engineMessage; }
    QString file() const { return m_file; }
    // What the common error box shows; a damaged file is named by its full path.
    QString description() const;

    static QString describe(int number, const QString &file = QString());

private:
    int m_number;
    int m_engineCode;
    QString m_engineMessage;
    QString m_file;
};

} // namespace dao
