#include "CFileInfo.h"

#include <CDistanceCompanions.h>
#include <CEntryGuard.h>
#include <CActiveVerdict.h>
#include <CEventSource.h>
#include <CDateFormat.h>
#include <CDistanceUnit.h>
#include <CValidator.h>
#include <CValueEdit.h>
#include <IARMessageBox.h>
#include <TraceLengths.h>

#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <array>
#include <iterator>

namespace {

constexpr double kSpeedOfLight = 299792458.0; // m/s

enum tRecord { RecordGeneral, RecordSupplier, RecordFixed };

// The condition items, in the order of the file's condition codes, so that
// an item's index is the record's currentDataFlag.
const char* const kConditions[] = {
    QT_TRANSLATE_NOOP("CFileInfo", "CDF_BuiltCondition"),
    QT_TRANSLATE_NOOP("CFileInfo", "CDF_CCondidion"),
    QT_TRANSLATE_NOOP("CFileInfo", "CDF_RepairedCondition"),
    QT_TRANSLATE_NOOP("CFileInfo", "CDF_Other"),
};

// Nanoseconds of one-way time as metres along a fibre of group index `index`,
// taken in single precision as the instrument shows it.
float Metres(float nanoseconds, float index)
{
    return float(double(nanoseconds) * kSpeedOfLight / double(index) / 1e9);
}

// The first row of `grid` without a label.
int NextRow(const QGridLayout* grid)
{
    int row = 0;
    while (grid->itemAtPosition(row, 0))
        ++row;
    return row;
}

QString Number(double value)
{
    return QLocale().toString(value, 'g', 6);
}

} // namespace

CFileInfo::CFileInfo(const QSharedPointer<sor::CFile>& file, bool bFullEdit, QWidget* parent)
    : QDialog(parent),
      m_file(file),
      m_general(file->GeneralParameters()),
      m_supplier(file->SupplierParameters()),
      m_fixed(file->FixedParameters())
{
    setWindowTitle(tr("Information [%1]").arg(QFileInfo(file->Path()).fileName()));
    auto* layout = new QVBoxLayout(this);
    m_pTabs = new QTabWidget(this);
    m_pTabs->setObjectName(QStringLiteral("tabs"));
    layout->addWidget(m_pTabs);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CFileInfo::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CFileInfo::reject);

    sor::tGeneralParameters& general = file->GeneralParameters();
    sor::tSupplierParameters& supplier = file->SupplierParameters();
    sor::tFixedParameters& fixed = file->FixedParameters();
    const QByteArray codec = file->CodecName();
    const auto text = [&](CType::IValue& copy, const CType::IValue& original, int record, QLineEdit* edit,
                          bool editable) { Bind(copy, original, record, edit, editable, codec); };

    // The description: everything but the date is always editable.
    QGridLayout* grid = AddPage("MainInfo", QT_TR_NOOP("Описание"), QT_TR_NOOP("Описание tooltip"));
    grid->addWidget(new QLabel(tr("Дата/время"), grid->parentWidget()), 0, 0);
    m_pDateTime = new QDateTimeEdit(fixed.dateTime.toLocalTime(), grid->parentWidget());
    m_pDateTime->setObjectName(QStringLiteral("DTS"));
    m_pDateTime->setDisplayFormat(CDateFormat::Format(true));
    m_pDateTime->setEnabled(false);
    grid->addWidget(m_pDateTime, 0, 1);
    text(m_general.cableId, general.cableId, RecordGeneral, AddRow(grid, QT_TR_NOOP("Кабель"), "CID"), true);
    text(m_general.fiberId, general.fiberId, RecordGeneral, AddRow(grid, QT_TR_NOOP("Волокно"), "FID"), true);
    text(m_general.originatingLocation, general.originatingLocation, RecordGeneral,
        AddRow(grid, QT_TR_NOOP("Начало линии"), "OL"), true);
    text(m_general.terminatingLocation, general.terminatingLocation, RecordGeneral,
        AddRow(grid, QT_TR_NOOP("Конец линии"), "TL"), true);
    const int conditionRow = NextRow(grid);
    grid->addWidget(new QLabel(tr("Условие"), grid->parentWidget()), conditionRow, 0);
    m_pCondition = new QComboBox(grid->parentWidget());
    m_pCondition->setObjectName(QStringLiteral("CDF"));
    // Each item carries the record's value. A code the file holds but the
    // table does not list is shown as an extra item and kept unless another
    // is picked.
    for (const char* condition : kConditions)
        m_pCondition->addItem(tr(condition), quint32(m_pCondition->count()));
    if (m_general.currentDataFlag >= std::size(kConditions)) {
        const std::array<char, 2>& code = m_general.currentDataFlagCode;
        const QString shown = QString::fromLatin1(code.data(), int(qstrnlen(code.data(), 2)));
        m_pCondition->addItem(tr("Code \"%1\" of the file").arg(shown), quint32(m_general.currentDataFlag));
    }
    m_pCondition->setCurrentIndex(m_pCondition->findData(quint32(m_general.currentDataFlag)));
    grid->addWidget(m_pCondition, conditionRow, 1);
    text(m_general.cableCode, general.cableCode, RecordGeneral, AddRow(grid, QT_TR_NOOP("Код кабеля"), "CCD"), true);
    text(m_general.operatorName, general.operatorName, RecordGeneral, AddRow(grid, QT_TR_NOOP("Оператор"), "OP"),
        true);
    text(m_general.comment, general.comment, RecordGeneral, AddRow(grid, QT_TR_NOOP("Комментарий"), "CMT"), true);

    // The instrument: every supplier field in a box of its own.
    grid = AddPage("Device", QT_TR_NOOP("Прибор"), QT_TR_NOOP("Прибор tooltip"));
    text(m_supplier.supplierName, supplier.supplierName, RecordSupplier,
        AddRow(grid, QT_TR_NOOP("Изготовитель"), "SN"), bFullEdit);
    text(m_supplier.mainframeId, supplier.mainframeId, RecordSupplier,
        AddRow(grid, QT_TR_NOOP("Тип прибора"), "MFID"), bFullEdit);
    text(m_supplier.mainframeSerial, supplier.mainframeSerial, RecordSupplier,
        AddRow(grid, QT_TR_NOOP("Номер прибора"), "OTDR"), bFullEdit);
    text(m_supplier.opticalModuleId, supplier.opticalModuleId, RecordSupplier,
        AddRow(grid, QT_TR_NOOP("Optical module"), "OMID"), bFullEdit);
    text(m_supplier.opticalModuleSerial, supplier.opticalModuleSerial, RecordSupplier,
        AddRow(grid, QT_TR_NOOP("Optical module number"), "OMSN"), bFullEdit);
    text(m_supplier.softwareRevision, supplier.softwareRevision, RecordSupplier,
        AddRow(grid, QT_TR_NOOP("Версия ПО"), "SR"), bFullEdit);
    text(m_supplier.otherInfo, supplier.otherInfo, RecordSupplier, AddRow(grid, QT_TR_NOOP("Прочее"), "OT"),
        bFullEdit);
    // How the file is read: its code page and its checksum.
    const auto shown = [&](const char* label, const char* name, const QString& value) {
        QLineEdit* edit = AddRow(grid, label, name);
        edit->setText(value);
        edit->setReadOnly(true);
    };
    shown(QT_TR_NOOP("Code page"), "CP", QString::fromLatin1(codec));
    const quint32 warnings = file->LoadWarnings();
    shown(QT_TR_NOOP("Checksum"), "CRC",
        (warnings & bc::WarningChecksumMissing) ? tr("absent")
            : (warnings & bc::WarningChecksumWrong)
            ? tr("does not match (the trace loaded whole)")
            : tr("matches (%1)").arg(bc::CChecksumConvention::Name(file->ChecksumConvention())));

    grid = AddPage("AnalyzeInfo", QT_TR_NOOP("Анализ"), QT_TR_NOOP("Анализ tooltip"));
    Bind(m_fixed.backscatter, fixed.backscatter, RecordFixed,
        AddRow(grid, QT_TR_NOOP("Коэффициент обратного рассеяния"), "BC", QT_TR_NOOP("дБ")), bFullEdit);
    Bind(m_fixed.lossThreshold, fixed.lossThreshold, RecordFixed,
        AddRow(grid, QT_TR_NOOP("Затухание в соединении"), "LT", QT_TR_NOOP("дБ")), bFullEdit);
    Bind(m_fixed.reflectanceThreshold, fixed.reflectanceThreshold, RecordFixed,
        AddRow(grid, QT_TR_NOOP("Коэффициент отражения"), "RT", QT_TR_NOOP("дБ")), bFullEdit);
    Bind(m_fixed.endOfFiberThreshold, fixed.endOfFiberThreshold, RecordFixed,
        AddRow(grid, QT_TR_NOOP("Конец"), "ET", QT_TR_NOOP("дБ")), bFullEdit);

    // The measurement; the range and the spacing are also shown as distances.
    grid = AddPage("MeasInfo", QT_TR_NOOP("Измерение"), QT_TR_NOOP("Измерение tooltip"));
    Bind(m_fixed.actualWavelength, fixed.actualWavelength, RecordFixed,
        AddRow(grid, QT_TR_NOOP("Точная длина волны"), "AWnm", QT_TR_NOOP("нм")), bFullEdit);
    m_pGroupIndex = Bind(m_fixed.groupIndex, fixed.groupIndex, RecordFixed,
        AddRow(grid, QT_TR_NOOP("Показатель преломления"), "GI"), bFullEdit);
    // The index that puts the span's end at a length the user knows.
    auto* setLength = new QPushButton(tr("Set the length..."), grid->parentWidget());
    setLength->setObjectName(QStringLiteral("setLength"));
    setLength->setEnabled(bFullEdit);
    grid->addWidget(setLength, NextRow(grid) - 1, 3, 1, 2);
    connect(setLength, &QPushButton::clicked, this, [this] {
        // Typed in the unit the file's distances are shown in.
        const CDistanceUnit::tUnit unit = CDistanceUnit::Of(m_file.data());
        bool ok = false;
        const double length = QInputDialog::getDouble(this, tr("Set the length"),
            tr("Known distance of the span's end from the trace start [%1]:").arg(CDistanceUnit::Symbol(unit)),
            CDistanceUnit::FromMetres(1000, unit), CDistanceUnit::FromMetres(1, unit),
            CDistanceUnit::FromMetres(1e8, unit), CDistanceUnit::Decimals(unit, CDistanceUnit::kResolution), &ok);
        if (ok)
            SetSpanEndLength(CDistanceUnit::ToMetres(length, unit));
    });
    m_pRange = Bind(m_fixed.acquisitionRange, fixed.acquisitionRange, RecordFixed,
        AddRow(grid, QT_TR_NOOP("Диапазон расстояний"), "ARns", QT_TR_NOOP("ns")), bFullEdit);
    const auto derived = [&](const char* name, const char* unit) {
        auto* edit = new QLineEdit(grid->parentWidget());
        edit->setObjectName(QLatin1String(name));
        edit->setEnabled(false);
        const int row = NextRow(grid) - 1;
        grid->addWidget(edit, row, 3);
        grid->addWidget(new QLabel(tr(unit), grid->parentWidget()), row, 4);
        return edit;
    };
    m_pRangeKm = derived("ARkm", QT_TR_NOOP("км"));
    // The later layout's distances have no rule that follows the spacing.
    m_pSpacing = Bind(m_fixed.dataSpacing, fixed.dataSpacing, RecordFixed,
        AddRow(grid, QT_TR_NOOP("Разрешение"), "DSns", QT_TR_NOOP("ns")), bFullEdit && !file->IsLaterLayout());
    m_pSpacingM = derived("DSmt", QT_TR_NOOP("м"));
    Bind(m_fixed.pulseWidth, fixed.pulseWidth, RecordFixed,
        AddRow(grid, QT_TR_NOOP("Длительность зондирующего импульса"), "PWUns", QT_TR_NOOP("нс")), bFullEdit);
    Bind(m_fixed.averages, fixed.averages, RecordFixed,
        AddRow(grid, QT_TR_NOOP("Число усреднений рефлектограммы"), "NAV"), bFullEdit);

    updateARDS();
    for (CType::CValueEdit* edit : { m_pGroupIndex, m_pRange, m_pSpacing })
        connect(edit->Edit(), &QLineEdit::textEdited, this, &CFileInfo::updateARDS);
}

CFileInfo::~CFileInfo() = default;

bool CFileInfo::SetSpanEndLength(double knownM)
{
    if (!m_pGroupIndex->Edit()->isEnabled() || !(knownM > 0))
        return false;
    // Distances are the stored times at the index: the end's distance at the
    // stored index scales to the known length by the inverse ratio.
    const double stored = double(float(m_file->FixedParameters().groupIndex));
    const analysis::tSpanFigures span = analysis::CVerdict::SpanOf(
        *m_file, analysis::CEventSource::Stored(*m_file), analysis::CActiveVerdict::Span());
    if (!(stored > 0) || !(span.endM > 0))
        return false;
    QLineEdit* edit = m_pGroupIndex->Edit();
    edit->setText(QString::number(stored * span.endM / knownM, 'f', 5));
    edit->setModified(true);
    updateARDS();
    return true;
}

void CFileInfo::SetPage(tPage page)
{
    m_pTabs->setCurrentIndex(page);
}

QGridLayout* CFileInfo::AddPage(const char* name, const char* title, const char* toolTip)
{
    auto* page = new QWidget(m_pTabs);
    page->setObjectName(QLatin1String(name));
    const int index = m_pTabs->addTab(page, tr(title));
    m_pTabs->setTabToolTip(index, tr(toolTip));
    auto* layout = new QVBoxLayout(page);
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);
    // The rows stay at the top of the page.
    layout->addStretch(1);
    return grid;
}

QLineEdit* CFileInfo::AddRow(QGridLayout* grid, const char* label, const char* name, const char* unit)
{
    QWidget* page = grid->parentWidget();
    const int row = NextRow(grid);
    grid->addWidget(new QLabel(tr(label), page), row, 0);
    auto* edit = new QLineEdit(page);
    edit->setObjectName(QLatin1String(name));
    grid->addWidget(edit, row, 1);
    if (unit)
        grid->addWidget(new QLabel(tr(unit), page), row, 2);
    return edit;
}

CType::CValueEdit* CFileInfo::Bind(CType::IValue& copy, const CType::IValue& original, int record, QLineEdit* edit,
    bool editable, const QByteArray& codec)
{
    tBinding binding;
    binding.edit = std::make_unique<CType::CValueEdit>(copy, edit, editable, codec);
    binding.original = &original;
    binding.record = record;
    m_lsBindings.push_back(std::move(binding));
    return m_lsBindings.back().edit.get();
}

void CFileInfo::updateARDS()
{
    // A field that is not acceptable yet leaves its copy as it was; the
    // confirmation starts from the document again in any case.
    try {
        m_pGroupIndex->Commit();
    } catch (const CType::tValidationRefusal&) {
        m_pRangeKm->setText(tr("Check GI"));
        m_pSpacingM->setText(tr("Check GI"));
        return;
    }
    const float index = m_fixed.groupIndex;
    try {
        m_pRange->Commit();
        // A range of 0 (some makers store none) shows the trace's own
        // extent, at the index being edited.
        const float storedIndex = m_file->FixedParameters().groupIndex;
        const bool stored = m_fixed.acquisitionRange > 0 || !(index > 0) || !(storedIndex > 0);
        m_pRangeKm->setText(Number(stored ? Metres(m_fixed.acquisitionRange, index) / 1000.0
                                          : sor::TraceExtent(*m_file) * storedIndex / index / 1000.0));
        m_pRangeKm->setToolTip(stored ? QString() : tr("The file stores no range: the trace's extent"));
    } catch (const CType::tValidationRefusal&) {
        m_pRangeKm->setText(tr("<=Check"));
    }
    try {
        m_pSpacing->Commit();
        m_pSpacingM->setText(Number(Metres(m_fixed.dataSpacing, index)));
    } catch (const CType::tValidationRefusal&) {
        m_pSpacingM->setText(tr("<=Check"));
    }
}

void CFileInfo::CommitAll()
{
    // Each attempt starts from the document, so that a field reset after a
    // refusal keeps its old value whatever an earlier attempt stored.
    m_general = m_file->GeneralParameters();
    m_supplier = m_file->SupplierParameters();
    m_fixed = m_file->FixedParameters();
    if (m_pCondition->currentIndex() >= 0)
        m_general.currentDataFlag = m_pCondition->currentData().toUInt();
    for (tBinding& binding : m_lsBindings)
        binding.edit->Commit();
}

void CFileInfo::WriteBack()
{
    bool changed[3] = { m_general.currentDataFlag != m_file->GeneralParameters().currentDataFlag, false, false };
    for (const tBinding& binding : m_lsBindings) {
        if (binding.edit->Value().ToString() != binding.original->ToString())
            changed[binding.record] = true;
    }
    if (changed[RecordFixed] && m_file->IsLaterLayout()) {
        // The distances stored beside the edited times follow them.
        sor::CDistanceCompanions::Follow(m_file->FixedParameters(), m_fixed, m_general);
        if (m_general.userOffsetDistance != m_file->GeneralParameters().userOffsetDistance)
            changed[RecordGeneral] = true;
    }
    if (!changed[RecordGeneral] && !changed[RecordSupplier] && !changed[RecordFixed])
        return;
    m_applyEdit([&] {
        m_file->SetParameters(changed[RecordGeneral] ? &m_general : nullptr,
            changed[RecordSupplier] ? &m_supplier : nullptr, changed[RecordFixed] ? &m_fixed : nullptr);
    });
}

void CFileInfo::ShowField(QLineEdit* edit)
{
    for (QWidget* widget = edit; widget; widget = widget->parentWidget()) {
        const int page = m_pTabs->indexOf(widget);
        if (page >= 0) {
            m_pTabs->setCurrentIndex(page);
            break;
        }
    }
    edit->setFocus(Qt::OtherFocusReason);
    if (const QValidator* validator = edit->validator()) {
        QString text = edit->text();
        int position = CType::CValidator::FocusMode;
        validator->validate(text, position);
    }
}

void CFileInfo::accept()
{
    bool ignoreAll = false;
    for (;;) {
        try {
            CommitAll();
            break;
        } catch (const CType::tValidationRefusal& refusal) {
            bool retry = false;
            if (!IARMessageBox::Exec(this, QMessageBox::Warning, tr("Editing File Information"),
                    tr("Not all fields completed correctly"), retry, &ignoreAll, false)
                || !refusal.pEdit) {
                reject();
                return;
            }
            if (retry) {
                ShowField(refusal.pEdit);
                return;
            }
            // Ignored: the field goes back to the text it was shown with, and
            // keeps its old value while the others are taken.
            refusal.pEdit->setText(refusal.sKeptText);
        }
    }
    // A write-back that fails leaves the document as it was and the dialog
    // open, so that the values can be changed or the dialog cancelled.
    if (CEntryGuard::Run(this, [this] { WriteBack(); }))
        QDialog::accept();
}
