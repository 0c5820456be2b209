#pragma once

#include <tKeyEvent.h>

#include <QString>

class tGraphState;

// The five chained cursors every measurement on the plot is made with: two
// markers (also used outside a measurement) and three measurement cursors.
// Chain, left to right: outer left, left marker, centre, right marker, outer
// right. Positions are metres from the trace start. Kept by the plot
// geometry, which supplies the active document.
class CCursors
{
public:
    // Kinds of the marks the painter draws; 3 to 7 are the editable cursors.
    enum tKind : quint32 {
        KindReflectiveEvent = 1,
        KindEvent = 2,
        KindLeftMarker = 3,
        KindRightMarker = 4,
        KindOuterLeft = 5,
        KindOuterRight = 6,
        KindCentre = 7,
    };

    // Measurement kinds; a measurement's kind becomes the event's code type.
    enum tMeasureKind : quint32 { MeasureReflection = 1, MeasureSplice = 2 };

    class CCursor
    {
    public:
        CCursor(float position = 0, quint32 kind = 0) : fPosition(position), nKind(kind) { }
        virtual ~CCursor() = default;
        // Metres.
        virtual float Position() const { return fPosition; }

        // Raw position, metres; may lie beyond the trace.
        float fPosition;
        quint32 nKind;
        // The event a mark stands for (event marks only).
        sor::tKeyEvent event;
    };

    class CEditableCursor : public CCursor
    {
    public:
        CEditableCursor(CCursors* owner, quint32 kind) : CCursor(0, kind), pOwner(owner) { }
        // The raw position limited to 0 ... the owner's maximum distance.
        float Position() const override;

        CCursors* pOwner;
        CEditableCursor* pLeft = nullptr;
        CEditableCursor* pRight = nullptr;
        // Guards MoveBy against re-entry while neighbours are moved.
        bool bBusy = false;
    };

    explicit CCursors(tGraphState* geometry = nullptr);
    CCursors(const CCursors&) = delete;
    CCursors& operator=(const CCursors&) = delete;

    // Moves a cursor; unlocked, neighbours are pushed so the chain never
    // crosses and an outer cursor follows its marker; locked, the whole chain
    // moves rigidly.
    void MoveBy(CEditableCursor& cursor, float delta);
    void MoveTo(CEditableCursor& cursor, float x) { MoveBy(cursor, x - cursor.fPosition); }

    void SetLocked(bool locked) { m_bLocked = locked; }
    bool IsLocked() const { return m_bLocked; }
    bool IsMeasuring() const { return m_bMeasuring; }
    quint32 MeasureKind() const { return m_nMeasureKind; }
    // Starts a measurement of the given kind with the centre cursor inside the trace.
    void StartMeasure(quint32 kind);
    // Ends the measurement. With `apply` the measured event goes into the
    // active document: it replaces the first event less than five samples
    // from the centre cursor, or is added as a new one. Without a running
    // measurement or an active document nothing is stored.
    void AddEvent(bool apply);

    CEditableCursor& LeftMarker() { return m_leftMarker; }
    CEditableCursor& RightMarker() { return m_rightMarker; }
    CEditableCursor& OuterLeft() { return m_outerLeft; }
    CEditableCursor& OuterRight() { return m_outerRight; }
    CEditableCursor& Centre() { return m_centre; }
    const CEditableCursor& LeftMarker() const { return m_leftMarker; }
    const CEditableCursor& RightMarker() const { return m_rightMarker; }
    const CEditableCursor& OuterLeft() const { return m_outerLeft; }
    const CEditableCursor& OuterRight() const { return m_outerRight; }
    const CEditableCursor& Centre() const { return m_centre; }

    // (point count - 1) x resolution of the active document, metres; 2500 m
    // without a geometry or a document.
    float MaxDistance() const;
    // Brings the rightmost cursor in use back inside the active trace and
    // refits both lines; called when the shown files change.
    void Refresh();
    // One sample step of a marker: to the sample boundary below (above), or a
    // whole sample when it already stands on one.
    void StepLeft(CEditableCursor& cursor);
    void StepRight(CEditableCursor& cursor);

    // The two fitted lines of a measurement, in sample units (0.001 dB, larger
    // is lower) against metres: the left one over outer left ... left marker,
    // the right one over right marker ... outer right. Least squares over the
    // samples of the active document that lie in the interval; refitted
    // whenever an outer cursor moves. Without a valid geometry the lines keep
    // their values.
    void FitLeft();
    void FitRight();
    float fLeftSlope = 0;
    float fLeftIntercept = 0;
    float fRightSlope = 0;
    float fRightIntercept = 0;

    // Measurement results on the active document, also outside a measurement;
    // 0 without one. Splice loss (dB): the right line minus the left line at
    // the centre cursor. Attenuation coefficient (dB/km): the least-squares
    // slope between outer left and left marker while measuring, between the
    // markers otherwise. Reflectance (dB) of the highest point from the centre
    // cursor to the right marker, against the level at the centre cursor.
    float SpliceLoss() const;
    float AttenuationCoefficient() const;
    float Reflectance() const;
    // Whether the interval of the attenuation coefficient, and both fit
    // intervals of a measurement, hold enough samples to give a number;
    // without them there is none to show or store.
    bool AttenuationFits() const;
    bool MeasurementFits() const;
    // Why the running measurement cannot be stored, or empty when it can: a
    // fit interval of fewer than two samples, one that lies below the noise
    // floor the file gives, or fit lines whose scatter is larger than the
    // step they measure.
    QString MeasurementRefusal() const;
    static constexpr qint64 kMinFitSamples = 2;

    tGraphState* Geometry() const { return m_pGeometry; }

    // Places the measurement cursors over the visible window of the plot
    // (see the source); the plot does it when the user starts a measurement.
    void SpreadOverView();

private:
    // Refits the lines that moves of the outer cursors left stale, once the
    // whole chain has come to rest.
    void FitMoved();

    tGraphState* m_pGeometry;
    bool m_bMeasuring = false;
    bool m_bLocked = false;
    quint32 m_nMeasureKind = 0;
    CEditableCursor m_leftMarker { this, KindLeftMarker };
    CEditableCursor m_rightMarker { this, KindRightMarker };
    CEditableCursor m_outerLeft { this, KindOuterLeft };
    CEditableCursor m_outerRight { this, KindOuterRight };
    CEditableCursor m_centre { this, KindCentre };
    // Depth of nested MoveBy calls, and the lines to refit when it is back at 0.
    int m_nMoveDepth = 0;
    bool m_bFitLeft = false;
    bool m_bFitRight = false;
};
