#include "CGraphDlg.h"

#include "tGraphState.h"

#include <CDistanceUnit.h>
#include <NumberText.h>
#include <RangeText.h>
#include <TraceLengths.h>

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

// Limits of the measured values that are shown as numbers.
constexpr double kLossLimit = 16;
constexpr double kReflectanceLimit = 70;

// Decimals of levels in dB; positions are shown to a tenth of a metre.
constexpr int kLevelDecimals = 3;
// Shown where an interval holds too few samples to give a number.
const QString kNoNumber = QStringLiteral("\u2014");

// A field that shows a value, at least as wide as `sample` in the panel's
// font, so that the panel keeps its size for the usual values and grows
// rather than cuts an unusual one; `framed` sets it in a sunken box.
QLabel* NewValue(QWidget* parent, const char* name, const QString& sample, bool framed)
{
    auto* value = new QLabel(parent);
    value->setObjectName(QString::fromLatin1(name));
    value->setTextFormat(Qt::PlainText);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (framed) {
        value->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        value->setMargin(1);
        value->setAutoFillBackground(true);
        value->setBackgroundRole(QPalette::Base);
    }
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance(sample) + 2 * value->frameWidth() + 6);
    return value;
}

// A marker position typed in, in the distance unit shown.
QLineEdit* NewPosition(QWidget* parent, const char* name, const QString& sample)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setFocusPolicy(Qt::ClickFocus);
    field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    field->setFixedWidth(field->fontMetrics().horizontalAdvance(sample) + 12);
    return field;
}

QLabel* NewLabel(QWidget* parent, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QGroupBox* NewGroup(QWidget* parent, const char* name, const QString& title)
{
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(QString::fromLatin1(name));
    return group;
}

QGridLayout* NewGrid(QGroupBox* group)
{
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(4, 2, 4, 4);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(2);
    return grid;
}

QString Number(double value, int decimals)
{
    return QLocale().toString(value, 'f', decimals);
}

} // namespace

void CGraphDlg::tRow::SetVisible(bool visible) const
{
    label->setVisible(visible);
    value->setVisible(visible);
    unit->setVisible(visible);
}

CGraphDlg::CGraphDlg(tGraphState* geometry, QWidget* parent) : QWidget(parent), m_pGeometry(geometry)
{
    Q_ASSERT(geometry);
    setObjectName(QStringLiteral("CGraphDlg"));
    setWindowTitle(tr("Form"));
    CreateForm();
    setMinimumWidth(415);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    connect(m_pLeftPos, &QLineEdit::returnPressed, this, &CGraphDlg::OnUpdateEdits);
    connect(m_pRightPos, &QLineEdit::returnPressed, this, &CGraphDlg::OnUpdateEdits);
    connect(m_pLeftPos, &QLineEdit::editingFinished, this, &CGraphDlg::OnClearFocus);
    connect(m_pRightPos, &QLineEdit::editingFinished, this, &CGraphDlg::OnClearFocus);
    hide();
}

QAbstractButton* CGraphDlg::CommentButton() const
{
    return m_pCommentButton;
}

void CGraphDlg::CreateForm()
{
    // Positions up to 999 km, levels and results down to -99 dB.
    const QString position = QStringLiteral("000.0000");
    const QString information = QStringLiteral("000.000");

    // The acquisition values in one column, the comment below them.
    m_pInformation = NewGroup(this, "gb_Information", tr("Information"));
    QGridLayout* info = NewGrid(m_pInformation);
    info->setVerticalSpacing(0);
    m_pWaveLength = NewValue(m_pInformation, "iWaveLength", information, false);
    m_pPulseWidth = NewValue(m_pInformation, "iPulseWidth", information, false);
    m_pNumOfOver = NewValue(m_pInformation, "iNumOfOver", information, false);
    m_pResolution = NewValue(m_pInformation, "iResolution", information, false);
    m_pGroupIndex = NewValue(m_pInformation, "iGroupIndex", information, false);
    m_pDiapasone = NewValue(m_pInformation, "iDiapasone", information, false);
    const struct
    {
        QString label;
        QLabel* field;
        QString unit;
    } infoRows[] = {
        { tr("Wavelength"), m_pWaveLength, tr("nm") },
        { tr("Pulse width"), m_pPulseWidth, tr("ns ") },
        { tr("Averages"), m_pNumOfOver, QString() },
        { tr("Resolution"), m_pResolution, tr("m ") },
        { tr("Group Idx"), m_pGroupIndex, QString() },
        { tr("Range"), m_pDiapasone, CDistanceUnit::Symbol(sor::Kilometres) },
    };
    int row = 0;
    for (const auto& entry : infoRows) {
        info->addWidget(NewLabel(m_pInformation, entry.label), row, 0);
        info->addWidget(entry.field, row, 1);
        info->addWidget(NewLabel(m_pInformation, entry.unit), row, 2);
        ++row;
    }
    m_distanceUnits.append(qobject_cast<QLabel*>(info->itemAtPosition(row - 1, 2)->widget()));
    m_pComment = new QLineEdit(m_pInformation);
    m_pComment->setObjectName(QStringLiteral("sComment"));
    m_pComment->setReadOnly(true);
    m_pComment->setFocusPolicy(Qt::ClickFocus);
    auto* commentButton = new QToolButton(m_pInformation);
    commentButton->setObjectName(QStringLiteral("btnComment"));
    commentButton->setText(QStringLiteral("..."));
    commentButton->setToolTip(tr("File information"));
    m_pCommentButton = commentButton;
    auto* comment = new QHBoxLayout;
    comment->setSpacing(2);
    comment->addWidget(m_pComment, 1);
    comment->addWidget(m_pCommentButton);
    info->addLayout(comment, row, 0, 1, 3);
    info->setRowMinimumHeight(row, 0);

    // One group per marker: its position (typed in) and level.
    const auto markerGroup = [&](const char* name, const QString& title, const char* posName, const char* valName,
                                 QLineEdit*& pos, QLabel*& val) {
        QGroupBox* group = NewGroup(this, name, title);
        QGridLayout* grid = NewGrid(group);
        pos = NewPosition(group, posName, position);
        val = NewValue(group, valName, position, true);
        val->setMinimumWidth(pos->width());
        grid->addWidget(pos, 0, 0);
        m_distanceUnits.append(NewLabel(group, CDistanceUnit::Symbol(sor::Kilometres)));
        grid->addWidget(m_distanceUnits.back(), 0, 1);
        grid->addWidget(val, 1, 0);
        grid->addWidget(NewLabel(group, tr("dB")), 1, 1);
        return group;
    };
    QGroupBox* left = markerGroup("gb_LeftMarker", tr("Left marker"), "lPos", "lVal", m_pLeftPos, m_pLeftVal);
    QGroupBox* right = markerGroup("gb_RightMarker", tr("Right marker"), "rPos", "rVal", m_pRightPos, m_pRightVal);

    QGroupBox* measurement = NewGroup(this, "groupBox_2", tr("Measurement"));
    QGridLayout* meas = NewGrid(measurement);
    m_pDistance = NewValue(measurement, "mDistance", position, true);
    m_pLoss = NewValue(measurement, "mLoss", position, true);
    m_pAttCoeff = NewValue(measurement, "mAttCoeff", position, true);
    const auto addRow = [&](int at, const QString& label, QLabel* field, const QString& unit) {
        tRow added { NewLabel(measurement, label), field, NewLabel(measurement, unit) };
        meas->addWidget(added.label, at, 0);
        meas->addWidget(added.value, at, 1);
        meas->addWidget(added.unit, at, 2);
        return added;
    };
    m_distanceUnits.append(addRow(0, tr("Distance L-R"), m_pDistance, CDistanceUnit::Symbol(sor::Kilometres)).unit);
    addRow(1, tr("Loss L-R"), m_pLoss, tr("dB"));
    addRow(2, tr("Att. coeff."), m_pAttCoeff, tr("dB/km"));
    m_position = addRow(
        3, tr("Position"), NewValue(measurement, "mPosition", position, true), CDistanceUnit::Symbol(sor::Kilometres));
    m_distanceUnits.append(m_position.unit);
    // A measurement is of one kind at a time, so its two results share a row.
    m_reflectance = addRow(4, tr("Reflectance"), NewValue(measurement, "mrReflectance", position, true), tr("dB"));
    m_attenuation = addRow(4, tr("Attenuation"), NewValue(measurement, "mbAttenuation", position, true), tr("dB"));
    meas->setRowStretch(5, 1);
    // The rows of a measurement keep their room while hidden, so that the
    // panel, and with it the plot, keeps its size when one starts or ends.
    for (const tRow* conditional : { &m_position, &m_reflectance, &m_attenuation }) {
        for (QWidget* widget : { static_cast<QWidget*>(conditional->label), static_cast<QWidget*>(conditional->value),
                 static_cast<QWidget*>(conditional->unit) }) {
            QSizePolicy policy = widget->sizePolicy();
            policy.setRetainSizeWhenHidden(true);
            widget->setSizePolicy(policy);
        }
        conditional->SetVisible(false);
    }

    auto* markers = new QVBoxLayout;
    markers->setSpacing(0);
    markers->addWidget(left);
    markers->addWidget(right);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(m_pInformation);
    layout->addLayout(markers);
    layout->addWidget(measurement);
}

void CGraphDlg::OnUpdateValues()
{
    FillValues(false);
}

void CGraphDlg::OnClearFocus()
{
    // Dropping the focus ends the editing of the field once more.
    if (m_bClearingFocus)
        return;
    m_bClearingFocus = true;
    QWidget* focused = QApplication::focusWidget();
    if (focused && isAncestorOf(focused))
        focused->clearFocus();
    m_bClearingFocus = false;
    FillValues(true);
    emit sigUpdate();
}

void CGraphDlg::OnSetLeftMarker()
{
    m_pLeftPos->selectAll();
    m_pLeftPos->setFocus(Qt::ShortcutFocusReason);
}

void CGraphDlg::OnSetRightMarker()
{
    m_pRightPos->selectAll();
    m_pRightPos->setFocus(Qt::ShortcutFocusReason);
}

bool CGraphDlg::TypedPosition(const QLineEdit* edit, float& metres) const
{
    const QString text = edit->text().trimmed();
    double typed = 0;
    bool ok = CType::NumberText::ToDouble(text, typed);
    if (!ok)
        typed = text.toDouble(&ok);
    if (!ok || !std::isfinite(typed))
        return false;
    // A marker stays on the trace, wherever the typed position lies.
    const double typedMetres = CDistanceUnit::ToMetres(typed, CDistanceUnit::Of(m_pGeometry->Active().data()));
    metres = float(std::clamp(typedMetres, 0.0, double(m_pGeometry->cursors->MaxDistance())));
    return true;
}

void CGraphDlg::OnUpdateEdits()
{
    if (!m_pGeometry->IsValid() || !m_pGeometry->Active())
        return;
    CCursors& cursors = *m_pGeometry->cursors;
    // Only a position the user typed is applied: the other field holds a
    // rounded value, which would pull its marker, and any marker pushed by the
    // typed one, back.
    float metres = 0;
    if (m_pLeftPos->isModified() && TypedPosition(m_pLeftPos, metres))
        cursors.MoveBy(cursors.LeftMarker(), metres - cursors.LeftMarker().fPosition);
    if (m_pRightPos->isModified() && TypedPosition(m_pRightPos, metres))
        cursors.MoveBy(cursors.RightMarker(), metres - cursors.RightMarker().fPosition);
}

void CGraphDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        OnClearFocus();
    QWidget::keyPressEvent(event);
}

void CGraphDlg::FillValues(bool all)
{
    const QSharedPointer<sor::CFile> file = m_pGeometry->Active();
    if (!m_pGeometry->IsValid() || !file) {
        hide();
        return;
    }
    show();

    const sor::tFixedParameters& fixed = file->FixedParameters();
    m_pWaveLength->setText(file->GeneralParameters().wavelength.ToString());
    m_pPulseWidth->setText(fixed.pulseWidth.ToString());
    m_pNumOfOver->setText(fixed.averages.ToString());
    // To the millimetre: the spacing and range the instrument set, without
    // the noise of their conversion from times ("0.625", not "0.62499").
    m_pResolution->setText(Number(file->Resolution(), 3));
    m_pGroupIndex->setText(fixed.groupIndex.ToString());
    const CDistanceUnit::tUnit unit = CDistanceUnit::Of(file.data());
    const auto distance = [unit](double metres, double resolution = CDistanceUnit::kResolution) {
        return Number(CDistanceUnit::FromMetres(metres, unit), CDistanceUnit::Decimals(unit, resolution));
    };
    for (QLabel* label : std::as_const(m_distanceUnits))
        label->setText(CDistanceUnit::Symbol(unit));
    // The trace's own extent where the file stores no range.
    m_pDiapasone->setText(distance(sor::ShownRange(*file), 1));
    m_pComment->setText(file->GeneralParameters().comment);
    m_pComment->setCursorPosition(0);
    // The field is short; the whole comment shows when the pointer rests on it.
    m_pComment->setToolTip(m_pComment->text());

    const CCursors& cursors = *m_pGeometry->cursors;
    const double left = cursors.LeftMarker().Position();
    const double right = cursors.RightMarker().Position();
    const double leftLevel = file->ValueAt(float(left)) / -1000.0;
    const double rightLevel = file->ValueAt(float(right)) / -1000.0;
    // A position field with the focus is left alone until it is entered or
    // dropped: its typed text, or the selection that typing replaces, stays.
    for (const auto& [edit, metres] : { std::pair { m_pLeftPos, left }, std::pair { m_pRightPos, right } }) {
        if (all || !edit->hasFocus())
            edit->setText(distance(metres));
    }
    m_pLeftVal->setText(Number(leftLevel, kLevelDecimals));
    m_pRightVal->setText(Number(rightLevel, kLevelDecimals));
    m_pDistance->setText(distance(std::abs(right - left)));
    m_pLoss->setText(Number(leftLevel - rightLevel, kLevelDecimals));
    m_pAttCoeff->setText(cursors.AttenuationFits()
            ? sor::RangeText(cursors.AttenuationCoefficient(), -kLossLimit, kLossLimit)
            : kNoNumber);

    const bool measuring = cursors.IsMeasuring();
    const bool reflection = measuring && cursors.MeasureKind() == CCursors::MeasureReflection;
    const bool splice = measuring && cursors.MeasureKind() == CCursors::MeasureSplice;
    m_position.value->setText(distance(cursors.Centre().Position()));
    m_reflectance.value->setText(sor::RangeText(cursors.Reflectance(), -kReflectanceLimit, kReflectanceLimit));
    m_attenuation.value->setText(
        cursors.MeasurementFits() ? sor::RangeText(cursors.SpliceLoss(), -kLossLimit, kLossLimit) : kNoNumber);
    m_position.SetVisible(measuring);
    m_reflectance.SetVisible(reflection);
    m_attenuation.SetVisible(splice);
}
