#include "IARMessageBox.h"

#include <QPushButton>

bool IARMessageBox::Exec(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
    bool& retry, bool* ignoreAll, bool offerIgnore, QMessageBox::StandardButton defaultButton)
{
    retry = false;
    // An "Ignore all" given earlier in the same operation answers at once.
    if (ignoreAll && *ignoreAll)
        return true;

    QMessageBox box(icon, title, text, QMessageBox::NoButton, parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    QPushButton* ignoreAllButton = nullptr;
    if (ignoreAll) {
        if (!offerIgnore)
            ignoreAllButton = box.addButton(tr("Ignore all"), QMessageBox::ActionRole);
        box.addButton(QMessageBox::Ignore);
        box.addButton(QMessageBox::Retry);
        box.setEscapeButton(box.addButton(QMessageBox::Abort));
    } else {
        if (offerIgnore)
            box.addButton(QMessageBox::Ignore);
        box.addButton(QMessageBox::Retry);
        box.setEscapeButton(box.addButton(QMessageBox::Cancel));
    }
    box.setDefaultButton(box.button(defaultButton) ? defaultButton : QMessageBox::Retry);
    box.exec();

    QAbstractButton* const clicked = box.clickedButton();
    if (clicked && clicked == ignoreAllButton) {
        *ignoreAll = true;
        return true;
    }
    switch (box.standardButton(clicked)) {
    case QMessageBox::Retry:
        retry = true;
        return true;
    case QMessageBox::Ignore:
        return true;
    default:
        // Abort, Cancel, and a box closed without any button (its window
        // taken away under it) all give up: going on unasked could lose data.
        return false;
    }
}
