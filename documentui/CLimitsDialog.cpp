#include "CLimitsDialog.h"

#include <CActiveVerdict.h>
#include <CDistanceUnit.h>
#include <CLimitSets.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QDoubleValidator>
#include <QFileDialog>
#include <QFormLayout>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>

#include <tuple>

using namespace analysis;

namespace {

QString LengthText(const std::optional<double>& metres, sor::tDistanceUnit unit)
{
    return metres ? QLocale().toString(CDistanceUnit::FromMetres(*metres, unit), 'g', 10) : QString();
}

QSpinBox* EventBox(const std::optional<int>& number, QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setRange(0, 9999);
    // 0 is "not used": the span runs to the trace start or the fibre end.
    box->setSpecialValueText(CLimitsDialog::tr("not used"));
    box->setValue(number.value_or(0));
    return box;
}

} // namespace

CLimitsDialog::CLimitsDialog(QWidget* parent, sor::tDistanceUnit unit)
    : QDialog(parent), m_unit(unit), m_span(CLimitSets::ActiveSpan())
{
    setWindowTitle(tr("Pass/fail limits"));
    const tSpan& span = m_span;
    m_pSets = new QComboBox(this);
    m_pSets->setObjectName(QStringLiteral("limitSet"));
    FillSets(CLimitSets::ActiveName());
    // Lengths to the millimetre, as before in metres.
    auto* validator
        = new QDoubleValidator(0, CDistanceUnit::FromMetres(1e6, unit), CDistanceUnit::Decimals(unit, 0.001), this);
    validator->setNotation(QDoubleValidator::StandardNotation);
    m_pLaunch = new QLineEdit(LengthText(span.launchM, unit), this);
    m_pLaunch->setObjectName(QStringLiteral("launch"));
    m_pLaunch->setValidator(validator);
    m_pLaunch->setPlaceholderText(tr("none"));
    m_pReceive = new QLineEdit(LengthText(span.receiveM, unit), this);
    m_pReceive->setObjectName(QStringLiteral("receive"));
    m_pReceive->setValidator(validator);
    m_pReceive->setPlaceholderText(tr("none"));
    m_pStart = EventBox(span.startEvent, this);
    m_pStart->setObjectName(QStringLiteral("startEvent"));
    m_pEnd = EventBox(span.endEvent, this);
    m_pEnd->setObjectName(QStringLiteral("endEvent"));
    m_pBend = new QDoubleSpinBox(this);
    m_pBend->setObjectName(QStringLiteral("bendFail"));
    m_pBend->setRange(0, 10);
    m_pBend->setDecimals(2);
    m_pBend->setSingleStep(0.05);
    m_pBend->setSuffix(tr(" dB"));
    // 0 keeps the bend levels of the chosen set.
    m_pBend->setSpecialValueText(tr("as the limit set says"));
    m_pBend->setValue(CLimitSets::ActiveBendFail().value_or(0));
    m_pBend->setToolTip(tr("A trace compared with the same fibre at another wavelength fails where the longer "
                           "wavelength loses this much more than the shorter at one place (a bend)"));

    auto* form = new QFormLayout(this);
    form->addRow(tr("Limit set:"), m_pSets);
    form->addRow(tr("Launch cord [%1]:").arg(CDistanceUnit::Symbol(unit)), m_pLaunch);
    form->addRow(tr("Receive cord [%1]:").arg(CDistanceUnit::Symbol(unit)), m_pReceive);
    form->addRow(tr("Span starts at event (without a launch cord):"), m_pStart);
    form->addRow(tr("Span ends at event (without a receive cord):"), m_pEnd);
    form->addRow(tr("A bend fails above:"), m_pBend);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* import = buttons->addButton(tr("Import..."), QDialogButtonBox::ActionRole);
    QPushButton* exportButton = buttons->addButton(tr("Export..."), QDialogButtonBox::ActionRole);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CLimitsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CLimitsDialog::reject);
    connect(import, &QPushButton::clicked, this, &CLimitsDialog::OnImport);
    connect(exportButton, &QPushButton::clicked, this, &CLimitsDialog::OnExport);
}

void CLimitsDialog::FillSets(const QString& current)
{
    m_pSets->clear();
    m_pSets->addItem(tr("(traces are not judged)"), QString());
    for (const tLimitSet& set : CLimitSets::All())
        m_pSets->addItem(set.name, set.name);
    m_pSets->setCurrentIndex(std::max(0, m_pSets->findData(current)));
}

bool CLimitsDialog::ImportFrom(const QString& path)
{
    QString error;
    const std::optional<QStringList> names = CLimitSets::Import(path, error);
    if (!names) {
        QMessageBox::warning(this, tr("Importing limit sets"), tr("The limit sets were not imported:\n%1").arg(error));
        return false;
    }
    FillSets(names->isEmpty() ? m_pSets->currentData().toString() : names->front());
    return true;
}

bool CLimitsDialog::ExportTo(const QString& path)
{
    const std::optional<tLimitSet> set = CLimitSets::Find(m_pSets->currentData().toString());
    QString error;
    if (!set)
        error = tr("Choose a limit set first.");
    else if (CLimitSets::WriteFile(path, { *set }, error))
        return true;
    QMessageBox::warning(this, tr("Exporting a limit set"), error);
    return false;
}

void CLimitsDialog::OnImport()
{
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Import limit sets"), QString(), tr("Limit sets (*.json);;All files (*)"));
    if (!path.isEmpty())
        ImportFrom(path);
}

void CLimitsDialog::OnExport()
{
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Export the limit set"), m_pSets->currentData().toString() + QStringLiteral(".json"),
        tr("Limit sets (*.json);;All files (*)"));
    if (!path.isEmpty())
        ExportTo(path);
}

void CLimitsDialog::accept()
{
    tSpan span;
    for (auto [edit, target, was] : { std::tuple { m_pLaunch, &span.launchM, m_span.launchM },
             std::tuple { m_pReceive, &span.receiveM, m_span.receiveM } }) {
        if (edit->text().trimmed().isEmpty())
            continue;
        bool ok = false;
        const double value = QLocale().toDouble(edit->text().trimmed(), &ok);
        if (!ok || value < 0) {
            QMessageBox::warning(this, windowTitle(),
                tr("Type the cord length in %1: a number, 0 or more.").arg(CDistanceUnit::Symbol(m_unit)));
            edit->setFocus();
            return;
        }
        // A length shown and not typed again keeps its metres exactly.
        *target = was && edit->text() == LengthText(was, m_unit) ? *was : CDistanceUnit::ToMetres(value, m_unit);
    }
    if (m_pStart->value() > 0)
        span.startEvent = m_pStart->value();
    if (m_pEnd->value() > 0)
        span.endEvent = m_pEnd->value();
    CLimitSets::SetActiveName(m_pSets->currentData().toString());
    CLimitSets::SetActiveSpan(span);
    CLimitSets::SetActiveBendFail(m_pBend->value() > 0 ? std::optional<double>(m_pBend->value()) : std::nullopt);
    CActiveVerdict::Reload();
    QDialog::accept();
}
