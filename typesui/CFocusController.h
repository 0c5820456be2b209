#pragma once

#include <QObject>

class QWidget;

namespace CType {

// Shows the hint of a validated edit box as soon as it gains focus, and hides
// a stale tooltip of another field. One instance serves the whole application;
// validators create it on first use.
class CFocusController : public QObject
{
    Q_OBJECT

public:
    // Creates the instance when a widget application exists; returns it or null.
    static CFocusController* Ensure();

public slots:
    void OnFocusChanged(QWidget* old, QWidget* now);

private:
    explicit CFocusController(QObject* parent);
};

} // namespace CType
