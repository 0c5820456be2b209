#include "CValueEdit.h"

#include "CNumValidator.h"
#include "CStrValidator.h"
#include "INumValue.h"
#include "IStrValue.h"

#include <QLineEdit>

namespace CType {

QValidator* CValueEdit::CreateValidator(
    const IValue& value, QObject* parent, const QString& keptText, const QByteArray& codecName)
{
    if (const auto* number = dynamic_cast<const INumValue*>(&value))
        return new CNumValidator(parent, keptText, number);
    if (const auto* text = dynamic_cast<const IStrValue*>(&value))
        return new CStrValidator(parent, keptText, text, codecName);
    return nullptr;
}

CValueEdit::CValueEdit(IValue& value, QLineEdit* edit, bool editable, const QByteArray& codecName)
    : m_value(value), m_edit(edit)
{
    if (!m_edit)
        return;
    const QString text = m_value.ToString();
    m_edit->setText(text);
    if (editable)
        m_edit->setValidator(CreateValidator(m_value, m_edit, text, codecName));
    m_edit->setEnabled(editable);
}

void CValueEdit::Commit()
{
    if (!m_edit || !m_edit->isEnabled() || !m_edit->isModified())
        return;
    QString text = m_edit->text();
    if (const QValidator* validator = m_edit->validator()) {
        int position = CValidator::FinalCheckMode;
        validator->validate(text, position); // throws tValidationRefusal
    }
    m_value.FromString(text);
}

} // namespace CType
