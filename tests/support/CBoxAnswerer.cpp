#include "CBoxAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QTest>

CBoxAnswerer::CBoxAnswerer(const QStringList& answers) : m_answers(answers)
{
    connect(&m_timer, &QTimer::timeout, this, &CBoxAnswerer::Poll);
    m_timer.start(5);
}

QString CBoxAnswerer::ButtonName(const QMessageBox* box, const QAbstractButton* button)
{
    if (!button)
        return {};
    switch (box->standardButton(const_cast<QAbstractButton*>(button))) {
    case QMessageBox::Ok:
        return QStringLiteral("Ok");
    case QMessageBox::Cancel:
        return QStringLiteral("Cancel");
    case QMessageBox::Retry:
        return QStringLiteral("Retry");
    case QMessageBox::Ignore:
        return QStringLiteral("Ignore");
    case QMessageBox::Abort:
        return QStringLiteral("Abort");
    case QMessageBox::Yes:
        return QStringLiteral("Yes");
    case QMessageBox::No:
        return QStringLiteral("No");
    case QMessageBox::YesToAll:
        return QStringLiteral("Yes to All");
    case QMessageBox::NoToAll:
        return QStringLiteral("No to All");
    default:
        return button->text();
    }
}

void CBoxAnswerer::Poll()
{
    QMessageBox* box = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* candidate = qobject_cast<QMessageBox*>(widget); candidate && candidate->isVisible())
            box = candidate;
    }
    if (!box)
        return;
    if (box == m_pLast) {
        // Still open after its answer: close it so that the test cannot hang.
        box->reject();
        return;
    }
    m_pLast = box;

    tSeen seen;
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    for (const QAbstractButton* button : box->buttons())
        seen.buttons << ButtonName(box, button);
    seen.defaultButton = ButtonName(box, box->defaultButton());
    seen.escapeButton = ButtonName(box, box->escapeButton());
    seen.flags = box->windowFlags();
    seen.parent = box->parentWidget();
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget != box && widget->isVisible())
            seen.otherWindows << QString::fromLatin1(widget->metaObject()->className());
    }
    m_seen << seen;

    const QString answer = m_answers.isEmpty() ? QStringLiteral("Escape") : m_answers.takeFirst();
    if (answer == QLatin1String("Escape")) {
        QTest::keyClick(box, Qt::Key_Escape);
        return;
    }
    for (QAbstractButton* button : box->buttons()) {
        if (ButtonName(box, button) == answer) {
            button->click();
            return;
        }
    }
    // Not a button of this box: give up on it so that the test cannot hang.
    QTest::keyClick(box, Qt::Key_Escape);
}
