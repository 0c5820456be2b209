#include "CCursors.h"

#include "tGraphState.h"

#include <QCoreApplication>
#include <QLocale>
#include <CLineFit.h>

#include <algorithm>
#include <cmath>
#include <deque>

namespace {

// Used when there is no trace to measure the cursors against.
constexpr float kDefaultMaxDistance = 2500.0f;
// The range of an event's 16-bit loss and attenuation fields.
constexpr float kMinLoss = -32.768f;
constexpr float kMaxLoss = 32.767f;
// The largest reflectance the event's field stores: in 0.001 dB it must fit a
// 32-bit integer, and the next float above it would not.
constexpr float kMaxReflectance = 2147483.5f;
// A measurement closer than this many samples to an event replaces it.
constexpr double kReplaceSamples = 5.0;

// Mean sample value over a ... b; 0 when no sample lies in it.
double Mean(const sor::CFile& file, double a, double b)
{
    return analysis::CLineFit::Mean(file.Points(), file.PointCount(), file.Resolution(), a, b);
}

// Least-squares slope (sample units per metre) over a ... b about the centre
// m and the mean v.
double Slope(const sor::CFile& file, double a, double b, double m, double v)
{
    return analysis::CLineFit::Slope(file.Points(), file.PointCount(), file.Resolution(), a, b, m, v);
}

void FitLine(const sor::CFile& file, double a, double b, float& slope, float& intercept)
{
    const analysis::tLine line = analysis::CLineFit::Fit(file.Points(), file.PointCount(), file.Resolution(), a, b);
    slope = float(line.slope);
    intercept = float(line.intercept);
}

// Root mean square distance (sample units) of the samples in a ... b from the
// line `slope` x + `intercept`, x as FitLine takes it.
double Residual(const sor::CFile& file, double a, double b, double slope, double intercept)
{
    const double r = file.Resolution();
    const int count = file.PointCount();
    if (!(r > 0.0) || count == 0)
        return 0.0;
    // The samples nearest to a and b, as the line fit takes them.
    const auto index = [&](double d) { return std::clamp(std::floor(d / r + 0.5), -1.0, double(count)); };
    const double start = index(a);
    const qint64 first = qint64(std::max(0.0, start));
    const qint64 last = qint64(std::min(index(b), double(count - 1)));
    if (first > last)
        return 0.0;
    const quint16* p = file.Points();
    double x = a + (double(first) - start) * r;
    double sum = 0;
    for (qint64 i = first; i <= last; ++i, x += r) {
        const double d = p[i] - (slope * x + intercept);
        sum += d * d;
    }
    return std::sqrt(sum / double(last - first + 1));
}

// Samples of a document in a ... b.
qint64 SampleCount(const sor::CFile& file, double a, double b)
{
    return analysis::CLineFit::SampleCount(file.PointCount(), file.Resolution(), a, b);
}

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

    // Placed in order along the chain: moves would push or stop them.
    m_outerLeft.fPosition = 500.0f;
    m_leftMarker.fPosition = 1000.0f;
    m_centre.fPosition = 1500.0f;
    m_rightMarker.fPosition = 2000.0f;
    m_outerRight.fPosition = 2500.0f;
}

void CCursors::MoveBy(CEditableCursor& cursor, float delta)
{
    if (cursor.bBusy)
        return;
    cursor.bBusy = true;
    ++m_nMoveDepth;
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

    // A moved outer cursor refits its line, but only once the whole chain has
    // moved: a locked chain moves the outer cursor before its marker.
    if (cursor.nKind == KindOuterLeft)
        m_bFitLeft = true;
    else if (cursor.nKind == KindOuterRight)
        m_bFitRight = true;
    cursor.bBusy = false;
    if (--m_nMoveDepth == 0)
        FitMoved();
}

void CCursors::FitMoved()
{
    if (m_bFitLeft)
        FitLeft();
    if (m_bFitRight)
        FitRight();
    m_bFitLeft = false;
    m_bFitRight = false;
}

void CCursors::StartMeasure(quint32 kind)
{
    m_nMeasureKind = kind;
    MoveTo(m_centre, m_centre.Position());
    // The lines may date from a trace shown before the plot had a size.
    FitLeft();
    FitRight();
    m_bMeasuring = true;
}

void CCursors::AddEvent(bool apply)
{
    const QSharedPointer<sor::CFile> file = m_pGeometry ? m_pGeometry->Active() : QSharedPointer<sor::CFile>();
    // A line through fewer than two samples measures nothing: no event.
    if (apply && m_bMeasuring && file && file->Resolution() > 0 && MeasurementFits()) {
        FitLeft();
        FitRight();
    }
    if (apply && m_bMeasuring && file && file->Resolution() > 0 && MeasurementRefusal().isEmpty()) {
        const float centre = m_centre.Position();
        sor::tKeyEvent measured;
        // A splice is a non-reflective event: code type 2 would tell every
        // other reader of the file that it is a saturated reflection.
        measured.codeType
            = m_nMeasureKind == MeasureReflection ? sor::tKeyEvent::Reflective : sor::tKeyEvent::NonReflective;
        measured.time = file->DistanceToTime(centre);
        // Still measuring: the attenuation is that of the left interval.
        measured.attenuation = AttenuationCoefficient();
        measured.loss = SpliceLoss();
        measured.reflectance = m_nMeasureKind == MeasureReflection ? Reflectance() : 0.0f;
        measured.technique = sor::tKeyEvent::LeastSquares;
        // Where the measurement stood, for files that keep event markers
        // (file units of the time, 0.1 ns): the fitted sections and the event.
        const auto fileTime
            = [&](float distance) { return qint32(std::lround(file->DistanceToTime(distance) * 10.0)); };
        measured.markers = { { fileTime(m_outerLeft.Position()), fileTime(centre), fileTime(m_rightMarker.Position()),
            fileTime(m_outerRight.Position()), fileTime(centre) } };

        std::deque<sor::tKeyEvent> events = file->KeyEvents();
        const double r = file->Resolution();
        const double at = centre / r;
        const auto near = std::find_if(events.begin(), events.end(), [&](const sor::tKeyEvent& event) {
            return std::abs(file->TimeToDistance(event.time) / r - at) < kReplaceSamples;
        });
        if (near != events.end()) {
            // A measured event keeps its comment and the rest of its code.
            near->codeType = measured.codeType;
            near->time = measured.time;
            near->attenuation = measured.attenuation;
            near->loss = measured.loss;
            near->reflectance = measured.reflectance;
            near->codeOrigin = 1;
            near->technique = measured.technique;
            near->markers = measured.markers;
        } else {
            measured.codeOrigin = 0;
            events.push_back(measured);
        }
        file->SetKeyEvents(events);
    }
    m_bMeasuring = false;
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

void CCursors::FitLeft()
{
    if (!m_pGeometry || !m_pGeometry->IsValid())
        return;
    if (const QSharedPointer<sor::CFile> file = m_pGeometry->Active())
        FitLine(*file, m_outerLeft.Position(), m_leftMarker.Position(), fLeftSlope, fLeftIntercept);
}

void CCursors::FitRight()
{
    if (!m_pGeometry || !m_pGeometry->IsValid())
        return;
    if (const QSharedPointer<sor::CFile> file = m_pGeometry->Active())
        FitLine(*file, m_rightMarker.Position(), m_outerRight.Position(), fRightSlope, fRightIntercept);
}

bool CCursors::AttenuationFits() const
{
    const QSharedPointer<sor::CFile> file = m_pGeometry ? m_pGeometry->Active() : QSharedPointer<sor::CFile>();
    if (!file)
        return false;
    const CEditableCursor& a = m_bMeasuring ? m_outerLeft : m_leftMarker;
    const CEditableCursor& b = m_bMeasuring ? m_leftMarker : m_rightMarker;
    return SampleCount(*file, a.Position(), b.Position()) >= kMinFitSamples;
}

bool CCursors::MeasurementFits() const
{
    const QSharedPointer<sor::CFile> file = m_pGeometry ? m_pGeometry->Active() : QSharedPointer<sor::CFile>();
    return file && SampleCount(*file, m_outerLeft.Position(), m_leftMarker.Position()) >= kMinFitSamples
        && SampleCount(*file, m_rightMarker.Position(), m_outerRight.Position()) >= kMinFitSamples;
}

QString CCursors::MeasurementRefusal() const
{
    const QSharedPointer<sor::CFile> file = m_pGeometry ? m_pGeometry->Active() : QSharedPointer<sor::CFile>();
    if (!file)
        return {};
    if (!MeasurementFits())
        return QCoreApplication::translate(
            "CCursors", "A fit interval holds fewer than two samples: move the cursors apart to measure");
    struct tInterval
    {
        double a;
        double b;
        double slope;
        double intercept;
    };
    const tInterval intervals[2] = {
        { m_outerLeft.Position(), m_leftMarker.Position(), fLeftSlope, fLeftIntercept },
        { m_rightMarker.Position(), m_outerRight.Position(), fRightSlope, fRightIntercept },
    };
    // The noise floor the file gives (dB, negative; 0: none given), in
    // sample units: a larger sample is lower, in the noise.
    const double floor = -double(file->FixedParameters().noiseFloor) * 1000.0;
    const QLocale locale;
    if (floor > 0) {
        for (const tInterval& interval : intervals) {
            if (Mean(*file, interval.a, interval.b) > floor)
                return QCoreApplication::translate("CCursors",
                    "A fit interval lies below the noise floor of the file (%1 dB): move it onto the trace to measure")
                    .arg(locale.toString(-floor / 1000.0, 'f', 2));
        }
    }
    // A line that scatters more than the step it measures measures noise.
    // The samples' own rounding (and a scatter of 0.01 dB) is no noise.
    constexpr double kQuietScatter = 10.0;
    const double step = std::abs(double(SpliceLoss())) * 1000.0;
    for (const tInterval& interval : intervals) {
        const double residual = Residual(*file, interval.a, interval.b, interval.slope, interval.intercept);
        if (residual > std::max(step, kQuietScatter))
            return QCoreApplication::translate("CCursors",
                "The trace scatters about a fit line by %1 dB, more than the %2 dB step it measures: measure where "
                "the trace stands clear of the noise")
                .arg(locale.toString(residual / 1000.0, 'f', 3), locale.toString(step / 1000.0, 'f', 3));
    }
    return {};
}

float CCursors::SpliceLoss() const
{
    if (!m_pGeometry || !m_pGeometry->Active())
        return 0;
    const double c = m_centre.Position();
    const double left = double(fLeftSlope) * c + double(fLeftIntercept);
    const double right = double(fRightSlope) * c + double(fRightIntercept);
    return std::clamp(float((right - left) / 1000.0), kMinLoss, kMaxLoss);
}

float CCursors::AttenuationCoefficient() const
{
    const QSharedPointer<sor::CFile> file = m_pGeometry ? m_pGeometry->Active() : QSharedPointer<sor::CFile>();
    if (!file)
        return 0;
    const double a = m_bMeasuring ? m_outerLeft.Position() : m_leftMarker.Position();
    const double b = m_bMeasuring ? m_leftMarker.Position() : m_rightMarker.Position();
    if (b - a < file->Resolution() / 1000.0)
        return 0;
    const double m = (a + b) / 2;
    // Sample units per metre are dB per km.
    return std::clamp(float(Slope(*file, a, b, m, Mean(*file, a, b))), kMinLoss, kMaxLoss);
}

float CCursors::Reflectance() const
{
    const QSharedPointer<sor::CFile> file = m_pGeometry ? m_pGeometry->Active() : QSharedPointer<sor::CFile>();
    if (!file)
        return 0;
    const sor::tFixedParameters& fixed = file->FixedParameters();
    const double base = 10.0 * std::log10(double(float(fixed.pulseWidth))) + double(float(fixed.backscatter));

    // The highest level (smallest value) from the centre cursor to the right
    // marker, the first one on ties; ValueAt never reads past the last sample.
    const float centre = m_centre.Position();
    const double end = m_rightMarker.Position();
    const double r = file->Resolution();
    const quint16 atCentre = file->ValueAt(centre);
    quint16 peak = atCentre;
    if (r > 0.0) {
        for (qint64 k = 1; centre + k * r <= end; ++k)
            peak = std::min(peak, file->ValueAt(float(centre + k * r)));
    }

    const double height = std::abs(int(atCentre) - int(peak)) / 1000.0;
    const double reflectance = height != 0.0 ? 10.0 * std::log10(std::pow(10.0, height / 5.0) - 1.0) + base : base;
    return float(std::clamp(reflectance, -double(kMaxReflectance), double(kMaxReflectance)));
}

void CCursors::SpreadOverView()
{
    // Markers already set apart inside the view stay where the user put
    // them; the centre goes half-way between them and each outer cursor
    // half-way to its end of the view. Otherwise all five go to a tenth,
    // three tenths, a half, seven and nine tenths of the visible distance.
    if (!m_pGeometry || !m_pGeometry->IsValid() || !m_pGeometry->Active())
        return;
    const QRectF visible = m_pGeometry->VisibleData();
    const float left = float(std::max(0.0, visible.left()));
    const float right = float(std::min(visible.right(), double(MaxDistance())));
    if (!(right > left))
        return;
    const float a = m_leftMarker.fPosition;
    const float b = m_rightMarker.fPosition;
    const float least = (right - left) / 50;
    if (a - left > least && right - b > least && b - a > least) {
        m_outerLeft.fPosition = (left + a) / 2;
        m_centre.fPosition = (a + b) / 2;
        m_outerRight.fPosition = (b + right) / 2;
        return;
    }
    const float width = right - left;
    m_outerLeft.fPosition = left + 0.1f * width;
    m_leftMarker.fPosition = left + 0.3f * width;
    m_centre.fPosition = left + 0.5f * width;
    m_rightMarker.fPosition = left + 0.7f * width;
    m_outerRight.fPosition = left + 0.9f * width;
}
