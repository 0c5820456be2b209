#pragma once

#include <CFile.h>

#include <QDialog>
#include <QSharedPointer>

#include <functional>
#include <memory>
#include <vector>

class QComboBox;
class QDateTimeEdit;
class QGridLayout;
class QLineEdit;
class QTabWidget;

namespace CType {
class CValueEdit;
class IValue;
} // namespace CType

// The descriptive parameters of one trace file, on four pages: the general
// description (always editable but for the date), the instrument, the
// analysis thresholds and the measurement settings (editable in full edit
// mode only). The dialog edits private copies of the three parameter records;
// the document changes only when the dialog is confirmed with every edited
// field acceptable, and then only in the records that differ.
class CFileInfo : public QDialog
{
    Q_OBJECT

public:
    enum tPage { PageMain, PageDevice, PageAnalyze, PageMeas };

    // `bFullEdit` makes the instrument, analysis and measurement fields editable.
    CFileInfo(const QSharedPointer<sor::CFile>& file, bool bFullEdit, QWidget* parent = nullptr);
    ~CFileInfo() override;

    // Makes `page` the page shown.
    void SetPage(tPage page);

    // Runs the write-back of the changed records; the file list passes its
    // undo history here, so that the change can be undone as one step. By
    // default the records are written directly.
    using tApplyEdit = std::function<void(const std::function<void()>& edit)>;
    void SetApplyEdit(tApplyEdit apply) { m_applyEdit = std::move(apply); }

    // "Set the length": puts into the group-index box the index at which the
    // span's end (the fibre end, or the end of the chosen span) lies `knownM`
    // metres from the trace start; the stored times stay. False when the box
    // is not editable or there is no such index.
    bool SetSpanEndLength(double knownM);

public slots:
    // Commits every edited field; a field that is not acceptable is asked
    // about (retry, ignore, ignore all, abort). Writes the changed records.
    void accept() override;
    // Shows the acquisition range and the sample spacing as distances, using
    // the group index being typed.
    void updateARDS();

private:
    // One edit box bound to a field of the copies. `original` is the same
    // field in the document, by which a change is recognised.
    struct tBinding
    {
        std::unique_ptr<CType::CValueEdit> edit;
        const CType::IValue* original = nullptr;
        int record = 0;
    };

    tApplyEdit m_applyEdit = [](const std::function<void()>& edit) { edit(); };

    QGridLayout* AddPage(const char* name, const char* title, const char* toolTip);
    QLineEdit* AddRow(QGridLayout* grid, const char* label, const char* name, const char* unit = nullptr);
    // Texts are checked against the file's codec `codec`.
    CType::CValueEdit* Bind(CType::IValue& copy, const CType::IValue& original, int record, QLineEdit* edit,
        bool editable, const QByteArray& codec = {});
    // Starts the copies afresh from the document and commits every edit into
    // them; throws the refusal of the first field that is not acceptable.
    void CommitAll();
    // Hands the copies that differ from the document to it, in one step.
    void WriteBack();
    // Shows the page of `edit`, focuses it and shows its hint.
    void ShowField(QLineEdit* edit);

    QSharedPointer<sor::CFile> m_file;
    sor::tGeneralParameters m_general;
    sor::tSupplierParameters m_supplier;
    sor::tFixedParameters m_fixed;

    QTabWidget* m_pTabs = nullptr;
    QDateTimeEdit* m_pDateTime = nullptr;
    QComboBox* m_pCondition = nullptr;
    QLineEdit* m_pRangeKm = nullptr;
    QLineEdit* m_pSpacingM = nullptr;
    // In the order of the pages and their rows.
    std::vector<tBinding> m_lsBindings;
    CType::CValueEdit* m_pGroupIndex = nullptr;
    CType::CValueEdit* m_pRange = nullptr;
    CType::CValueEdit* m_pSpacing = nullptr;
};
