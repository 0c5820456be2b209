#pragma once

#include <CLinkMapModel.h>
#include <CVerdict.h>
#include <tAnalysisResult.h>

#include <QRect>
#include <QSharedPointer>
#include <QString>
#include <QVector>
#include <QWidget>

#include <optional>
#include <vector>

class CFileList;
class QFontMetrics;
class QPainter;

namespace sor {
class CFile;
}

// The link map: a strip above the event table that draws the span as a line
// with an icon per event (launch cord, connector, splice, bend, gainer,
// splitter-like loss, end, receive cord) and the distance under each. It
// follows the file list's current trace; where the list holds the same fibre
// at another wavelength, the events that lose clearly more at the longer
// wavelength are drawn as bends. A click on an icon selects its event.
class CLinkMap : public QWidget
{
    Q_OBJECT

public:
    using tItem = analysis::CLinkMapModel::tItem;
    using tVerdict = analysis::CLinkMapModel::tVerdict;

    // Where each item goes in a strip: its icon, and its distance label with
    // the label's text (a null rectangle where the label is left out because
    // no row had room for it).
    struct tLayout
    {
        int lineY = 0;
        QVector<QRect> icons;
        QVector<QRect> labels;
        QVector<QString> texts;
    };

    // `fileList` (not owned, may be null) supplies the current trace and the
    // traces it may pair with.
    explicit CLinkMap(CFileList* fileList, QWidget* parent = nullptr);

    // Places the icons evenly along `rect` (a map, not a scale drawing: a
    // crowded stretch of the link stays legible) and the distance labels
    // under them: each in the first of up to three rows where it keeps clear
    // of the label before it, like the plot leaves out a label that would
    // touch its neighbour.
    static tLayout Layout(const std::vector<tItem>& items, const QRect& rect, const QFontMetrics& metrics);
    // Draws the map of `items` into `rect`: the screen, the print and the
    // report pages share it. `selected` is an index into `items`, or -1.
    static void Paint(QPainter& painter, const QRect& rect, const std::vector<tItem>& items, int selected = -1);
    // Draws one icon into a square.
    static void PaintIcon(QPainter& painter, const QRectF& square, analysis::CLinkMapModel::tIcon icon);
    // The name of an icon kind, as the tool tips show it.
    static QString IconName(analysis::CLinkMapModel::tIcon icon);
    // Height the strip needs for a font with `rows` rows of labels.
    static int StripHeight(const QFontMetrics& metrics, int rows = 3);
    // The map items of a trace: its stored events (or the analysis of the
    // trace), with the bends found against `partner` (may be null) at
    // `thresholdDb`, or at the bend level of the active limit set. With a
    // partner the items are the places of both traces, so that a bend only
    // the longer wavelength shows is drawn on the shorter's map too; an item
    // of the partner's alone has the event index kNoEvent. `verdicts` are
    // those of the trace's own events.
    static std::vector<tItem> ItemsOf(const sor::CFile& file, const sor::CFile* partner, double thresholdDb,
        const std::vector<tVerdict>& verdicts = {});
    // The map's verdict of each of `count` events: the worst state of the
    // event's checks; none outside the span, for an event nothing was tested
    // at, or without a verdict.
    static std::vector<tVerdict> VerdictsOf(const std::optional<analysis::tVerdict>& verdict, size_t count);
    // The event index of an item no event of the trace stands for.
    static constexpr size_t kNoEvent = size_t(-1);

    // The items drawn now and where they are.
    const std::vector<tItem>& Items() const { return m_items; }
    tLayout CurrentLayout() const;
    int Selected() const { return m_nSelected; }

    // The bend threshold, dB (options, limit sets).
    void SetBendThreshold(double thresholdDb);
    double BendThreshold() const { return m_dThresholdDb; }
    // The trace to compare the current one with at another wavelength, chosen
    // by the user; null pairs by name or fibre IDs among the listed traces.
    // The choice holds while the current trace stays current.
    void SetPartner(const QSharedPointer<sor::CFile>& partner);
    // The pass/fail state of each event of the current trace, in event order,
    // in place of the active limit set's verdict; empty goes back to that.
    // Kept until the current trace changes.
    void SetVerdicts(const std::vector<tVerdict>& verdicts);
    // Shows `result` (an event set made elsewhere, e.g. the two directions of
    // a fibre combined) with its bend flags instead of the current trace's
    // events, until ClearResult(): the owner of the event set says when the
    // plot shows something else.
    void ShowResult(const analysis::tAnalysisResult& result, const std::vector<bool>& bends = {});
    void ClearResult();
    bool ShowsResult() const { return m_result.has_value(); }
    // The partner the bends were found against, or null.
    const sor::CFile* Partner() const { return m_partner.data(); }
    // The trace `file` is compared with at another wavelength: the one the
    // user chose for it, or else the listed trace it pairs with; null when
    // none.
    QSharedPointer<sor::CFile> PartnerOf(const sor::CFile& file) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // An icon was clicked: `eventIndex` into the trace's events (-1 for a
    // place the trace has no event at), at `distanceM`.
    void sigEventClicked(int eventIndex, double distanceM);
    // The user chose another trace to compare with: verdicts with bends change.
    void sigPartnerChanged();

public slots:
    // Rebuilds the map from the current trace.
    void OnUpdateView();
    // Marks the item of the event `eventIndex` (the table's current row).
    void SetSelectedEvent(int eventIndex);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;
    // Offers the listed traces at other wavelengths to compare with, and
    // the automatic pairing.
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // The item under a widget point, or -1.
    int ItemAt(const QPoint& point) const;
    QRect MapRect() const;
    // As tall as the label rows in use need.
    void UpdateHeight();

    CFileList* m_pFileList;
    std::vector<tItem> m_items;
    std::vector<tVerdict> m_verdicts;
    QSharedPointer<sor::CFile> m_chosenPartner;
    // The trace the partner was chosen for, and the trace shown last: the
    // choice and the verdicts belong to it.
    QSharedPointer<sor::CFile> m_chosenFor;
    QSharedPointer<sor::CFile> m_shown;
    QSharedPointer<sor::CFile> m_partner;
    // The event set shown instead of the current trace's.
    std::optional<analysis::tAnalysisResult> m_result;
    std::vector<bool> m_resultBends;
    double m_dThresholdDb;
    int m_nSelected = -1;
    // The strip's height for the label rows in use; 0 until first laid out.
    int m_nHeight = 0;
};
