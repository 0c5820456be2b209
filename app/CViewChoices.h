#pragma once

#include <QObject>

class MainWindow;
class QActionGroup;
class QMenu;

// The View menu's choices that are kept between runs: the unit distances are
// shown in (each file's own, or one for all) and the order of the list.
class CViewChoices : public QObject
{
    Q_OBJECT

public:
    // Reads the stored choices, applies them to `window` (its parent) and
    // adds their submenus to the end of `viewMenu`.
    CViewChoices(MainWindow* window, QMenu* viewMenu);

    QMenu* UnitMenu() const { return m_pUnitMenu; }
    QMenu* OrderMenu() const { return m_pOrderMenu; }

    // The settings keys.
    static const char* const kUnitKey;
    static const char* const kOrderKey;

private:
    // Shows every distance of the window again in the chosen unit.
    void ApplyUnit(int choice);

    MainWindow* m_pWindow;
    QMenu* m_pUnitMenu = nullptr;
    QMenu* m_pOrderMenu = nullptr;
};
