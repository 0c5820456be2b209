#pragma once

#include <QString>

class QLineEdit;
class QObject;
class QValidator;

namespace CType {

// Base of every typed field: a value that knows its text form and can be
// bound to an edit box for editing.
class IValue
{
public:
    virtual ~IValue() = default;

    virtual IValue* Clone() const = 0;
    virtual QString ToString() const = 0;
    // Stores the parsed text; returns whether the text was accepted. The range
    // is not tested here: the validator and Serialize do that.
    virtual bool FromString(const QString& text) = 0;
    // A new validator bound to this value; `keptText` is the text the edit box
    // held when it was bound. The caller (or `parent`) owns it.
    virtual QValidator* CreateValidator(QObject* parent, const QString& keptText) = 0;

    // Shows the value in `edit` (not owned) and, when `editable`, installs a
    // validator; the edit box is enabled exactly when `editable` is set.
    void Attach(QLineEdit* edit, bool editable);
    // Stores the text of the bound edit box when the user changed it. Throws the
    // validator's refusal record when the text is not acceptable; the value then
    // keeps its old content.
    void CommitEdit();

    QLineEdit* Edit() const { return m_edit; }

protected:
    IValue() = default;
    IValue(const IValue&) = default;
    IValue& operator=(const IValue&) = default;

private:
    QLineEdit* m_edit = nullptr;
};

} // namespace CType
