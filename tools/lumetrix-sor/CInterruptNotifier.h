#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGINT and SIGTERM into a Qt signal on the thread that created it.
// The handler only writes one byte into a pipe (which is safe inside a signal
// handler); a socket notifier on the other end emits sigInterrupted from the
// event loop. The previous handlers come back on destruction. One instance at
// a time.
class CInterruptNotifier : public QObject
{
    Q_OBJECT

public:
    explicit CInterruptNotifier(QObject* parent = nullptr);
    ~CInterruptNotifier() override;

    // Whether the handlers are in place.
    bool IsActive() const { return m_pNotifier != nullptr; }

signals:
    void sigInterrupted();

private:
    void OnReadable();

    QSocketNotifier* m_pNotifier = nullptr;
};
