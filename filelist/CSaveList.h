#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>

class QListWidget;

// The offer to save modified files before they are closed: the names, all
// selected at first; the user deselects what should not be saved and either
// saves the selected files or closes without saving. Cancel keeps everything.
class CSaveList : public QDialog
{
    Q_OBJECT

public:
    explicit CSaveList(const QStringList& names, QWidget* parent = nullptr);

    // The selected names when the user chose to save them, otherwise none.
    QStringList SelectedNames() const;
    // The same choice as positions in the list of names given to the
    // constructor, in that order: two files of one name stay apart.
    QList<int> SelectedRows() const;

public slots:
    void saveWithSelected();
    void saveWithoutSelected();

private:
    QListWidget* m_pNames;
    bool m_bSaveSelected = false;
};
