#pragma once

#include "tPrinterListFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QImage>
#include <QList>
#include <QPageLayout>
#include <QRect>
#include <QRectF>
#include <QString>

#include <functional>

class CCursors;
class QPagedPaintDevice;
class QFontMetrics;
class QPainter;
class tGraphState;

namespace sor {
class CFile;
}

// The drawing of a report page, shared by the printer, the print preview, the
// PDF export and the command-line reports: the logo at the top right, the
// file's information, the trace in a framed box, then (for the work area) the
// marker readings and the event table. Every length is in the painter's
// device units; nothing is drawn outside the page.
class CReportPage
{
    Q_DECLARE_TR_FUNCTIONS(CReportPage)

public:
    // Draws one page of `document` into `page`. With `workArea` the box shows
    // the plot's current view with its markers, events and compared traces,
    // and the marker block precedes the event table. Returns the rectangle
    // the trace was drawn into.
    // The trace box takes at least half the page; the event table rows that
    // do not fit below it are left for DrawTableContinued, and `continued`
    // (may be null) receives the index of the first of them (the event count
    // when all fit).
    static QRect Draw(QPainter& painter, const QRect& page, const sor::CFile& document, const tGraphState* workArea,
        const QDateTime& printed, int* continued = nullptr);
    // Draws the event table from event `first` on a page of its own; returns
    // the index after the last event drawn.
    static int DrawTableContinued(QPainter& painter, const QRect& page, const sor::CFile& document, int first);
    // The data rectangle (metres, sample units) a listed file's page shows in
    // `target`: the whole trace, with room below for the distance labels.
    static QRectF TraceData(const sor::CFile& document, const QRect& target, const QFontMetrics& metrics);

    // Draws `pages` on `device`, one page each, in order. A work-area entry
    // shows `workArea`'s active document and is left out when there is none.
    // `progress` (may be empty) hears the number of pages done. False when the
    // painter could not start or a new page failed; pages drawn stay drawn.
    static bool DrawJob(QPagedPaintDevice& device, const QList<tPrinterListFile>& pages, const tGraphState* workArea,
        const std::function<void(int)>& progress = {});

    // Writes `pages` as one PDF with `layout` at `resolution` dots per inch.
    // The file is replaced only when the whole job was written: a failure
    // leaves no half-written PDF and an earlier file as it was. False with
    // the reason in `error` otherwise.
    static bool WritePdf(const QString& path, const QList<tPrinterListFile>& pages, const tGraphState* workArea,
        const QPageLayout& layout, int resolution, QString* error);

    // The file information above the trace (rich text).
    static QString HeaderHtml(const sor::CFile& document, const QDateTime& printed);
    // The event table below the trace, of `count` events from `first` (all
    // with -1); empty for a document without events.
    static QString EventTableHtml(const sor::CFile& document, int first = 0, int count = -1);
    // The marker readings of the work area followed by `eventTable`.
    static QString MarkerBlockHtml(const sor::CFile& document, const CCursors& cursors, const QString& eventTable);

    // Every text of a file is shown as written: markup characters in it are
    // escaped before it enters the page.
    static QString Escape(const QString& text);

    // The logo, decoded once and kept for the program's life.
    static const QImage& Logo();

    // The most of `events` rows whose text `html(rows)` fits `room` in height
    // at `width`: on a page of its own at least one when there are any, under
    // the trace box none when not even one fits.
    static int RowsThatFit(
        QPainter& painter, int width, int room, int events, const std::function<QString(int)>& html, bool ownPage);
};
