#pragma once

#include <QPointer>
#include <QString>
#include <QValidator>

class QLineEdit;

namespace CType {

// Refusal raised by a validator in its final-check mode: the dialog that
// confirms its fields catches it and names the problem.
struct tValidationRefusal
{
    QString sMessage;
    QLineEdit* pEdit = nullptr;
    QString sKeptText;
};

// Validator of an edit box bound to a typed value. Each keystroke is accepted,
// held or refused by the value's own limits, and every refusal is explained in
// a tooltip beside the edit box.
class CValidator : public QValidator
{
    Q_OBJECT

public:
    // Position given to validate() when the edit box gains focus: the hint is
    // shown afresh.
    static constexpr int FocusMode = -1;
    // Position given to validate() when a dialog is confirmed: a text that is
    // not acceptable throws tValidationRefusal.
    static constexpr int FinalCheckMode = -2;

    CValidator(QObject* parent, const QString& keptText);

    State validate(QString& text, int& position) const override;
    virtual State Check(const QString& text, QString* message) const = 0;

private:
    mutable QString m_lastMessage;
    mutable QPointer<QLineEdit> m_lastEdit;
    mutable QString m_lastKeptText;
    QString m_keptText;
};

} // namespace CType
