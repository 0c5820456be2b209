#include "IValue.h"

#include "CValidator.h"

#include <QLineEdit>

namespace CType {

void IValue::Attach(QLineEdit* edit, bool editable)
{
    m_edit = edit;
    if (!m_edit)
        return;
    const QString text = ToString();
    m_edit->setText(text);
    if (editable)
        m_edit->setValidator(CreateValidator(m_edit, text));
    m_edit->setEnabled(editable);
}

void IValue::CommitEdit()
{
    if (!m_edit || !m_edit->isEnabled() || !m_edit->isModified())
        return;
    QString text = m_edit->text();
    if (const QValidator* validator = m_edit->validator()) {
        int position = CValidator::FinalCheckMode;
        validator->validate(text, position); // throws tValidationRefusal
    }
    FromString(text);
}

} // namespace CType
