#include "CViewChoices.h"

#include "MainWindow.h"

#include <CBidirectionalPanel.h>
#include <CDistanceUnit.h>
#include <CEventList.h>
#include <CFileList.h>
#include <CGraphDlg.h>
#include <CGraphPix.h>
#include <CGraphView.h>
#include <CLinkMap.h>

#include <QActionGroup>
#include <QMenu>
#include <QSettings>

const char* const CViewChoices::kUnitKey = "DistanceUnit";
const char* const CViewChoices::kOrderKey = "ListOrder";

CViewChoices::CViewChoices(MainWindow* window, QMenu* viewMenu) : QObject(window), m_pWindow(window)
{
    QSettings settings;
    CDistanceUnit::Choose(settings.value(QLatin1String(kUnitKey), CDistanceUnit::kFileUnit).toInt());
    const CListOrder::tOrder order = CListOrder::FromInt(settings.value(QLatin1String(kOrderKey), 0).toInt());
    window->FileList()->SetOrder(order);

    m_pUnitMenu = new QMenu(tr("Distance &unit"), window);
    m_pUnitMenu->setObjectName(QStringLiteral("distanceUnitMenu"));
    auto* units = new QActionGroup(this);
    const auto addUnit = [&](int choice, const QString& text) {
        QAction* action = m_pUnitMenu->addAction(text);
        action->setObjectName(QStringLiteral("actionDistanceUnit%1").arg(choice));
        action->setCheckable(true);
        action->setChecked(CDistanceUnit::Choice() == choice);
        action->setActionGroup(units);
        connect(action, &QAction::triggered, this, [this, choice] { ApplyUnit(choice); });
    };
    addUnit(CDistanceUnit::kFileUnit, tr("As in each &file"));
    m_pUnitMenu->addSeparator();
    for (const CDistanceUnit::tUnit unit : CDistanceUnit::kUnits)
        addUnit(int(unit), CDistanceUnit::Name(unit));

    m_pOrderMenu = new QMenu(tr("&Sort list"), window);
    m_pOrderMenu->setObjectName(QStringLiteral("listOrderMenu"));
    auto* orders = new QActionGroup(this);
    for (int i = 0; i < CListOrder::OrderCount; ++i) {
        const auto each = CListOrder::tOrder(i);
        QAction* action = m_pOrderMenu->addAction(CListOrder::Name(each));
        action->setObjectName(QStringLiteral("actionListOrder%1").arg(i));
        action->setCheckable(true);
        action->setChecked(each == order);
        action->setActionGroup(orders);
        connect(action, &QAction::triggered, this, [window, each] {
            window->FileList()->SetOrder(each);
            QSettings().setValue(QLatin1String(kOrderKey), int(each));
        });
    }

    if (viewMenu) {
        viewMenu->addSeparator();
        viewMenu->addMenu(m_pUnitMenu);
        viewMenu->addMenu(m_pOrderMenu);
    }
}

void CViewChoices::ApplyUnit(int choice)
{
    CDistanceUnit::Choose(choice);
    QSettings().setValue(QLatin1String(kUnitKey), CDistanceUnit::Choice());
    m_pWindow->Events()->OnUpdateView();
    if (CGraphDlg* panel = m_pWindow->findChild<CGraphDlg*>())
        panel->OnUpdateValues();
    if (CBidirectionalPanel* pair = m_pWindow->findChild<CBidirectionalPanel*>())
        pair->ShowTexts();
    m_pWindow->View()->Pix()->update();
    m_pWindow->FileList()->viewport()->update();
    m_pWindow->LinkMap()->update();
    m_pWindow->UpdateStatusBar();
}
