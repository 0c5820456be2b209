#pragma once

#include <tBidirectionalResult.h>
#include <tFixedParameters.h>
#include <tGraphState.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QPageLayout>
#include <QRect>
#include <QString>

class QPainter;

namespace sor {
class CFile;
}

// The report page of a fibre measured from both ends: the pair's files and
// fibre, both traces in one box (the B→A trace mirrored onto the A→B axis),
// the averaged events and the figures of the two directions side by side.
// Every length is in the painter's device units; nothing is drawn outside
// the page.
class CBidirectionalReport
{
    Q_DECLARE_TR_FUNCTIONS(CBidirectionalReport)

public:
    // What the page shows. `traces` holds the mirrored B→A trace and the A→B
    // trace, each in its colour, A→B last (its events are marked).
    struct tPair
    {
        const sor::CFile* aToB = nullptr;
        const sor::CFile* bToA = nullptr;
        const tFileSet* traces = nullptr;
        const analysis::tBidirectionalResult* result = nullptr;
    };

    // The files and the fibre above the traces (rich text).
    static QString HeaderHtml(const tPair& pair, const QDateTime& printed);
    // The events and the figures of both directions below the traces,
    // distances in `unit`.
    static QString TablesHtml(const analysis::tBidirectionalResult& result, sor::tDistanceUnit unit = sor::Kilometres);

    // Draws the page into `page`; returns the rectangle of the traces.
    static QRect Draw(QPainter& painter, const QRect& page, const tPair& pair, const QDateTime& printed);
    // Writes the page as a PDF; the file is replaced only when the whole page
    // was written. False with the reason in `error` otherwise.
    static bool WritePdf(
        const QString& path, const tPair& pair, const QPageLayout& layout, int resolution, QString* error);
};
