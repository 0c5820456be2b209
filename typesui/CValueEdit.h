#pragma once

#include <QByteArray>
#include <QPointer>

class QLineEdit;
class QObject;
class QValidator;

namespace CType {

class IValue;

// Binds a typed value to an edit box: shows the value's text and, when the box
// is editable, installs a validator that checks what is typed against the
// value's own limits. The value and the edit box are not owned and must
// outlive the binding.
class CValueEdit
{
public:
    // A new validator for `value` (a numeric or a text value); `keptText` is the
    // text the edit box held when it was bound. The caller (or `parent`) owns it.
    // A text value saved with the codec `codecName` refuses the characters the
    // codec cannot hold.
    static QValidator* CreateValidator(
        const IValue& value, QObject* parent, const QString& keptText, const QByteArray& codecName = {});

    // Shows the value in `edit`; the edit box is enabled exactly when
    // `editable` is set.
    CValueEdit(IValue& value, QLineEdit* edit, bool editable, const QByteArray& codecName = {});

    // Stores the text of the edit box when the user changed it. Throws the
    // validator's refusal record when the text is not acceptable; the value then
    // keeps its old content.
    void Commit();

    IValue& Value() const { return m_value; }
    QLineEdit* Edit() const { return m_edit; }

private:
    IValue& m_value;
    QPointer<QLineEdit> m_edit;
};

} // namespace CType
