#pragma once

#include <tFixedParameters.h>
#include <tSpan.h>

#include <QDialog>

class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QSpinBox;

// Chooses the limit set the traces are judged against and the span: the
// launch and receive cords' lengths or the events the span starts and ends
// at, and the excess loss at which a bend between two wavelengths fails
// (the set's own bend levels unless one is chosen). Imports sets from a JSON
// file and exports the chosen one. The choice is kept in the settings store
// when the dialog is confirmed. The cords' lengths are shown and typed in the
// unit distances are shown in; the span keeps them in metres.
class CLimitsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CLimitsDialog(QWidget* parent = nullptr, sor::tDistanceUnit unit = sor::Metres);

    // Adds the sets of a file; false (and a message box) when it is refused.
    bool ImportFrom(const QString& path);
    // Writes the chosen set to a file; false (and a message box) on failure.
    bool ExportTo(const QString& path);

public slots:
    void accept() override;

private:
    void FillSets(const QString& current);
    void OnImport();
    void OnExport();

    QComboBox* m_pSets;
    QLineEdit* m_pLaunch;
    QLineEdit* m_pReceive;
    QSpinBox* m_pStart;
    QSpinBox* m_pEnd;
    QDoubleSpinBox* m_pBend;
    sor::tDistanceUnit m_unit;
    // The span as the dialog opened: lengths not typed again stay as they were.
    analysis::tSpan m_span;
};
