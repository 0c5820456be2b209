#pragma once

#include <QList>
#include <QWidget>

class QAbstractButton;
class QGroupBox;
class QLabel;
class QLineEdit;
class tGraphState;

// The panel beside the plot: the acquisition values of the active document,
// the position and level at each marker, the distance and loss between them
// and, while a measurement runs, its live result. The marker positions can be
// typed in (kilometres). Hidden while no trace is shown.
class CGraphDlg : public QWidget
{
    Q_OBJECT

public:
    // `geometry` is not owned.
    explicit CGraphDlg(tGraphState* geometry, QWidget* parent = nullptr);

    // The button beside the file's comment; the main window connects it to
    // the file information dialog.
    QAbstractButton* CommentButton() const;

signals:
    // The panel moved a marker; the plot should repaint.
    void sigUpdate();

public slots:
    // Ends any editing in the panel: the fields show the current values again.
    void OnClearFocus();
    void OnUpdateValues();
    // Selects the left (right) marker's position for typing.
    void OnSetLeftMarker();
    void OnSetRightMarker();
    // Moves each marker whose position was typed in to it.
    void OnUpdateEdits();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // A label, a value field and a unit shown and hidden together.
    struct tRow
    {
        QLabel* label = nullptr;
        QLabel* value = nullptr;
        QLabel* unit = nullptr;
        void SetVisible(bool visible) const;
    };

    void CreateForm();
    // Fills the fields; unless `all`, a position field with the focus keeps its text.
    void FillValues(bool all);
    // A position typed into `edit` (km), as metres within the trace.
    bool TypedPosition(const QLineEdit* edit, float& metres) const;

    tGraphState* m_pGeometry;

    QGroupBox* m_pInformation = nullptr;
    QLabel* m_pWaveLength = nullptr;
    QLabel* m_pPulseWidth = nullptr;
    QLabel* m_pNumOfOver = nullptr;
    QLabel* m_pResolution = nullptr;
    QLabel* m_pGroupIndex = nullptr;
    QLabel* m_pDiapasone = nullptr;
    QLineEdit* m_pComment = nullptr;
    QAbstractButton* m_pCommentButton = nullptr;
    QLineEdit* m_pLeftPos = nullptr;
    QLabel* m_pLeftVal = nullptr;
    QLineEdit* m_pRightPos = nullptr;
    QLabel* m_pRightVal = nullptr;
    QLabel* m_pDistance = nullptr;
    QLabel* m_pLoss = nullptr;
    QLabel* m_pAttCoeff = nullptr;
    tRow m_position;
    tRow m_reflectance;
    tRow m_attenuation;
    // Set while the panel drops the focus, which ends editing once more.
    bool m_bClearingFocus = false;
    // The unit names beside the distances, set to the shown unit.
    QList<QLabel*> m_distanceUnits;
};
