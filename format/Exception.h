#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>

// A failure of the file layer. It starts with the location code of the place
// that raised it and collects one more code at every layer it passes on its
// way out, so the list reads from the innermost site outwards.
class Exception
{
    Q_DECLARE_TR_FUNCTIONS(Exception)

public:
    // Module numbers of the location codes.
    enum tModule : quint8 { ModuleStream = 1, ModuleBlocks = 2 };

    Exception(quint8 module, int line) { AddLocation(module, line); }
    virtual ~Exception() = default;

    virtual QString Message() const;

    // A location code holds the module number in its low byte and the source
    // line in its high 16 bits.
    static quint32 Location(quint8 module, int line) { return quint32(module) | (quint32(quint16(line)) << 16); }
    static quint8 ModuleOf(quint32 code) { return quint8(code & 0xFF); }
    static quint16 LineOf(quint32 code) { return quint16(code >> 16); }

    void AddLocation(quint8 module, int line) { m_locations.append(Location(module, line)); }
    const QList<quint32>& Locations() const { return m_locations; }

    // What exactly went wrong, in words ("no such file"); shown on a line
    // of its own after the message.
    void SetCause(const QString& cause) { m_sCause = cause; }
    const QString& Cause() const { return m_sCause; }

    // "-1:120-2:310…": every location as "-module:line".
    QString LocationText() const;
    // The message, a blank line and "Error code is %1" with `prefix` followed
    // by the location text.
    QString FullText(const QString& prefix) const;

protected:
    // `message` followed by the cause, when there is one.
    QString WithCause(const QString& message) const;

private:
    QList<quint32> m_locations;
    QString m_sCause;
};

class EFileAccessError : public Exception
{
    Q_DECLARE_TR_FUNCTIONS(EFileAccessError)

public:
    using Exception::Exception;
    QString Message() const override;
};

class EFileLoadInvalidFormat : public Exception
{
    Q_DECLARE_TR_FUNCTIONS(EFileLoadInvalidFormat)

public:
    using Exception::Exception;
    QString Message() const override;
    // Set where the file was recognised as one of the later layout, whose
    // damage the message then names as such.
    void SetLaterLayout(bool later) { m_bLaterLayout = later; }

private:
    bool m_bLaterLayout = false;
};

class EInternalError : public Exception
{
    Q_DECLARE_TR_FUNCTIONS(EInternalError)

public:
    using Exception::Exception;
    QString Message() const override;
};

// Runs `statement`; an Exception passing through it collects this place's
// location code on its way out.
#define BC_LOCATED(module, statement)                                                                                  \
    do {                                                                                                               \
        try {                                                                                                          \
            statement;                                                                                                 \
        } catch (Exception & located_) {                                                                               \
            located_.AddLocation((module), __LINE__);                                                                  \
            throw;                                                                                                     \
        }                                                                                                              \
    } while (false)
