#include "CValidator.h"

#include "CFocusController.h"

#include <QLineEdit>
#include <QPoint>
#include <QToolTip>

namespace CType {

CValidator::CValidator(QObject* parent, const QString& keptText) : QValidator(parent), m_keptText(keptText)
{
    CFocusController::Ensure();
}

QValidator::State CValidator::validate(QString& text, int& position) const
{
    QString message;
    const State state = Check(text, &message);

    // Hints and refusals belong to an edit box; a validator used elsewhere
    // only answers the state. Subclasses of QLineEdit count as edit boxes too,
    // so that a dialog's final check never lets a bad text through unnoticed.
    QLineEdit* edit = qobject_cast<QLineEdit*>(parent());
    if (!edit)
        return state;

    if (position == FocusMode) {
        // The field has just been entered: whatever was shown before is gone,
        // so the hint is shown again even if it has not changed.
        m_lastMessage.clear();
        m_lastEdit = nullptr;
        m_lastKeptText.clear();
    }

    if (position == FinalCheckMode && state != Acceptable)
        throw tValidationRefusal { message, edit, m_keptText };

    if (message == m_lastMessage && edit == m_lastEdit && m_keptText == m_lastKeptText)
        return state;

    if (message.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(edit->mapToGlobal(QPoint(10, 0)), message, edit);

    m_lastMessage = message;
    m_lastEdit = edit;
    m_lastKeptText = m_keptText;
    return state;
}

} // namespace CType
