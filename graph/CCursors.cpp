#include "CCursors.h"

#include "tGraphState.h"

#include <algorithm>
#include <cmath>

namespace {

// Used when there is no trace to measure the cursors against.
constexpr float kDefaultMaxDistance = 2500.0f;

// Metres per sample of the active document, or 0 when there is none.
double ActiveResolution(const tGraphState* geometry)
{
    if (!geometry)
        return 0.0;
    const QSharedPointer<sor::CFile> file = geometry->Active();
    return file ? file->Resolution() : 0.0;
}

} // namespace

float CCursors::CEditableCursor::Position() const
{
    return std::clamp(fPosition, 0.0f, pOwner->MaxDistance());
}

CCursors::CCursors(tGraphState* geometry) : m_pGeometry(geometry)
{
    m_outerLeft.pRight = &m_leftMarker;
    m_leftMarker.pLeft = &m_outerLeft;
    m_leftMarker.pRight = &m_centre;
    m_centre.pLeft = &m_leftMarker;
    m_centre.pRight = &m_rightMarker;
    m_rightMarker.pLeft = &m_centre;
    m_rightMarker.pRight = &m_outerRight;
    m_outerRight.pLeft = &m_rightMarker;

    // Each move drags or pushes neighbours along, so every cursor is moved to
    // its place rather than by its distance from 0.
    MoveTo(m_leftMarker, 1000.0f);
    MoveTo(m_rightMarker, 2000.0f);
    MoveTo(m_centre, 1500.0f);
    MoveTo(m_outerLeft, 500.0f);
    MoveTo(m_outerRight, 2500.0f);
}

void CCursors::MoveBy(CEditableCursor& cursor, float delta)
{
    if (cursor.bBusy)
        return;
    cursor.bBusy = true;
    cursor.fPosition += delta;

    CEditableCursor* left = cursor.pLeft;
    CEditableCursor* right = cursor.pRight;
    // Locked, the whole chain moves as one; unlocked, a marker carries its
    // outer cursor with it. The busy flags end the walk along the chain.
    if (left && (m_bLocked || left->nKind == KindOuterLeft))
        MoveBy(*left, delta);
    if (right && (m_bLocked || right->nKind == KindOuterRight))
        MoveBy(*right, delta);

    if (!m_bLocked) {
        if (left && left->fPosition > cursor.fPosition)
            MoveBy(*left, cursor.fPosition - left->fPosition);
        if (right && right->fPosition < cursor.fPosition)
            MoveBy(*right, cursor.fPosition - right->fPosition);
    }

    if (cursor.nKind == KindOuterLeft)
        FitLeft();
    else if (cursor.nKind == KindOuterRight)
        FitRight();
    cursor.bBusy = false;
}

void CCursors::StartMeasure(quint32 kind)
{
    m_nMeasureKind = kind;
    MoveTo(m_centre, m_centre.Position());
    m_bMeasuring = true;
}

float CCursors::MaxDistance() const
{
    if (!m_pGeometry)
        return kDefaultMaxDistance;
    const QSharedPointer<sor::CFile> file = m_pGeometry->Active();
    if (!file)
        return kDefaultMaxDistance;
    // A document without samples has no length to move in.
    return std::max(0.0f, float((file->PointCount() - 1) * file->Resolution()));
}

void CCursors::Refresh()
{
    if (!m_pGeometry || !m_pGeometry->IsValid())
        return;
    CEditableCursor& last = m_bMeasuring ? m_outerRight : m_rightMarker;
    const float maximum = MaxDistance();
    if (last.fPosition > maximum)
        MoveTo(last, maximum);
    FitLeft();
    FitRight();
}

void CCursors::StepLeft(CEditableCursor& cursor)
{
    const double r = ActiveResolution(m_pGeometry);
    if (!(r > 0.0))
        return;
    const double p = cursor.fPosition;
    const double samples = p / r;
    const double frac = samples - std::floor(samples);
    // The fraction of a sample is compared with a thousandth of the resolution
    // itself, so a marker standing on a boundary moves one whole sample.
    const double target = frac >= r / 1000.0 ? p - r * frac : p - r;
    MoveTo(cursor, float(target));
}

void CCursors::StepRight(CEditableCursor& cursor)
{
    const double r = ActiveResolution(m_pGeometry);
    if (!(r > 0.0))
        return;
    const double p = cursor.Position();
    const double samples = p / r;
    const double frac = 1.0 - (samples - std::floor(samples));
    const double target = frac >= r / 1000.0 ? p + r * frac : p + r;
    MoveTo(cursor, float(target));
}

// The fitted lines come with the measurement arithmetic; until then the lines
// keep their values.
void CCursors::FitLeft()
{
}

void CCursors::FitRight()
{
}
