#include "CFocusController.h"

#include "CValidator.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>

namespace CType {

namespace {

// Owned by the application object and destroyed with it; the guarded pointer
// lets a later application get a fresh instance.
QPointer<CFocusController> s_instance;

} // namespace

CFocusController::CFocusController(QObject* parent) : QObject(parent)
{
}

CFocusController* CFocusController::Ensure()
{
    if (s_instance)
        return s_instance;
    // Focus only exists in a widget application; a console program may still
    // use validators to check texts.
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app)
        return nullptr;
    s_instance = new CFocusController(app);
    connect(app, &QApplication::focusChanged, s_instance.data(), &CFocusController::OnFocusChanged);
    return s_instance;
}

void CFocusController::OnFocusChanged(QWidget* old, QWidget* now)
{
    Q_UNUSED(old);
    auto* edit = qobject_cast<QLineEdit*>(now);
    if (!edit)
        return;
    // Only our own validators understand the focus position; another
    // validator would take it for a cursor position.
    const auto* validator = qobject_cast<const CValidator*>(edit->validator());
    if (!validator)
        return;
    QString text = edit->text();
    int position = CValidator::FocusMode;
    validator->validate(text, position);
}

} // namespace CType
