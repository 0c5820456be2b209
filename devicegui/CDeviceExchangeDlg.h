#pragma once

#include <QDialog>
#include <QTimer>

class QLabel;
class QProgressBar;
class QPushButton;

// The modal dialog shown while an instrument command runs: the seconds left
// to wait (counted by its own one-second tick) or the files done, and Cancel
// while the command can stop. It has no title-bar buttons; it goes away only
// when the command ends.
class CDeviceExchangeDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CDeviceExchangeDlg(QWidget* parent = nullptr);

    // Before every command: no bar, no Cancel, no tick, and show the dialog.
    void Reset();

    QProgressBar* ProgressBar() const { return m_pProgress; }
    QPushButton* CancelButton() const { return m_pCancel; }
    bool IsTicking() const { return m_timer.isActive(); }

signals:
    void sigCancel();

public slots:
    // About `sec` more seconds to wait; the seconds of one command add up.
    void SetWaiting(int sec, bool bCanCancelled = false);
    // `cur` of `all` files done.
    void SetProgress(int cur, int all, bool bCanCancelled = false);
    // One second passed.
    void tick();
    void OnCancelled();
    // Escape and the window's close: cancel the command where Cancel is
    // offered, otherwise nothing. The dialog never goes before the command
    // ends (the controller hides it then).
    void reject() override;

private:
    QLabel* m_pLabel = nullptr;
    QProgressBar* m_pProgress = nullptr;
    QPushButton* m_pCancel = nullptr;
    QTimer m_timer;
};
