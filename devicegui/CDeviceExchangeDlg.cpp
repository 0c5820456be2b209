#include "CDeviceExchangeDlg.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

namespace {

constexpr int kTickMs = 1000;

} // namespace

CDeviceExchangeDlg::CDeviceExchangeDlg(QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("CDeviceExchangeDlg"));
    setModal(true);
    m_pLabel = new QLabel(tr("Waiting for the instrument…"), this);
    m_pProgress = new QProgressBar(this);
    m_pProgress->setMinimum(0);
    m_pCancel = new QPushButton(tr("Cancel"), this);
    m_pCancel->setObjectName(QStringLiteral("cancel"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pLabel);
    layout->addWidget(m_pProgress);
    layout->addWidget(m_pCancel);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_pProgress->setMinimumWidth(260);

    m_timer.setSingleShot(true);
    m_timer.setInterval(kTickMs);
    connect(&m_timer, &QTimer::timeout, this, &CDeviceExchangeDlg::tick);
    connect(m_pCancel, &QPushButton::released, this, &CDeviceExchangeDlg::OnCancelled);
}

void CDeviceExchangeDlg::Reset()
{
    m_pProgress->hide();
    m_pCancel->hide();
    m_timer.stop();
    m_pProgress->setRange(0, 0);
    m_pProgress->setValue(0);
    show();
}

void CDeviceExchangeDlg::SetWaiting(int sec, bool bCanCancelled)
{
    if (sec != 0) {
        // The seconds of several calls add up; a sum beyond the bar's range
        // stays at its end.
        const qint64 maximum = qint64(m_pProgress->maximum()) + sec;
        m_pProgress->setMaximum(int(qBound(qint64(0), maximum, qint64(std::numeric_limits<int>::max()))));
        m_pProgress->setFormat(m_pProgress->maximum() > 2 ? tr("%v/%m sec") : QString());
        m_pProgress->show();
        if (!m_timer.isActive())
            m_timer.start();
    }
    m_pCancel->setVisible(bCanCancelled);
}

void CDeviceExchangeDlg::SetProgress(int cur, int all, bool bCanCancelled)
{
    m_timer.stop();
    if (all != 0) {
        m_pProgress->setMaximum(all);
        m_pProgress->setFormat(QStringLiteral("%v/%m"));
        m_pProgress->setValue(cur);
        m_pProgress->show();
    }
    m_pCancel->setVisible(bCanCancelled);
}

void CDeviceExchangeDlg::tick()
{
    // A slower instrument than announced raises the maximum rather than
    // letting the bar overflow.
    const int value = m_pProgress->value() + 1;
    if (value > m_pProgress->maximum())
        m_pProgress->setMaximum(value);
    m_pProgress->setValue(value);
    if (isVisible())
        m_timer.start();
}

void CDeviceExchangeDlg::OnCancelled()
{
    emit sigCancel();
}

void CDeviceExchangeDlg::reject()
{
    if (m_pCancel->isVisibleTo(this))
        OnCancelled();
}
