#include "CLinkMap.h"

#include <CActiveVerdict.h>
#include <CBendFinder.h>
#include <CDistanceUnit.h>
#include <CEventSource.h>
#include <CFile.h>
#include <CFileList.h>
#include <CWavelengthBends.h>
#include <CWavelengthPair.h>

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QResizeEvent>
#include <QToolTip>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

using analysis::CLinkMapModel;

// Every icon is drawn on a square of this many units, as the program's other
// event icons are.
constexpr qreal kDesign = 24;
constexpr int kIcon = 24;
constexpr int kMargin = 4;
// Rows of distance labels under the icons.
constexpr int kLabelRows = 3;
// Least room between two labels of one row, pixels.
constexpr int kLabelGap = 2;
// A click this far outside an icon still hits it, pixels.
constexpr int kHitMargin = 3;

const QColor kInk(40, 40, 40);
const QColor kHalo(255, 255, 255, 220);
const QColor kPlug(70, 110, 200);
const QColor kSleeve(90, 160, 90);
const QColor kBendColour(230, 110, 20);
const QColor kGainColour(30, 140, 60);
const QColor kSplitColour(140, 70, 170);

QColor Edge(const QColor& colour)
{
    return colour.darker(190);
}

void Stroke(QPainter& painter, const QColor& colour, qreal width, const QPolygonF& line)
{
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(line);
}

// A line in dark ink over a light halo, as the plot's event icons are drawn.
void Ink(QPainter& painter, const QPolygonF& line, const QColor& colour = kInk)
{
    Stroke(painter, kHalo, 4.75, line);
    Stroke(painter, colour, 2.25, line);
}

void InkPath(QPainter& painter, const QPainterPath& path, const QColor& colour)
{
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kHalo, 4.75, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
    painter.setPen(QPen(colour, 2.25, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
}

// A closed shape filled with `colour` and edged in its dark variant.
void Shape(QPainter& painter, const QRectF& rect, const QColor& colour, qreal radius = 1)
{
    painter.setPen(QPen(Edge(colour), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(colour);
    painter.drawRoundedRect(rect, radius, radius);
}

// A coiled cord with its plug: the plug on the link's side.
void Cord(QPainter& painter, bool plugRight)
{
    const qreal coil = plugRight ? 8 : 16;
    painter.setBrush(Qt::NoBrush);
    for (const QPair<QColor, qreal>& pen : { qMakePair(kHalo, 4.25), qMakePair(kInk, 1.75) }) {
        painter.setPen(QPen(pen.first, pen.second));
        painter.drawEllipse(QPointF(coil, 12), 5.5, 5.5);
        painter.drawEllipse(QPointF(coil, 12), 2.5, 2.5);
    }
    if (plugRight) {
        Ink(painter, { { 13.5, 12 }, { 17, 12 } });
        Shape(painter, QRectF(16.5, 8.5, 5.5, 7), kPlug);
    } else {
        Ink(painter, { { 7, 12 }, { 10.5, 12 } });
        Shape(painter, QRectF(2, 8.5, 5.5, 7), kPlug);
    }
}

QColor VerdictColour(CLinkMapModel::tVerdict verdict)
{
    switch (verdict) {
    case CLinkMapModel::Pass:
        return QColor(40, 160, 60);
    case CLinkMapModel::Marginal:
        return QColor(230, 160, 0);
    case CLinkMapModel::Fail:
        return QColor(210, 40, 40);
    case CLinkMapModel::NoVerdict:
        break;
    }
    return QColor();
}

// The verdict's badge at the icon's top right: a tick, an exclamation mark or
// a cross in white on the verdict's colour.
void VerdictBadge(QPainter& painter, const QRectF& icon, CLinkMapModel::tVerdict verdict)
{
    const QColor colour = VerdictColour(verdict);
    if (!colour.isValid())
        return;
    const qreal r = icon.width() * 0.22;
    const QPointF c(icon.right() - r * 0.6, icon.top() + r * 0.6);
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(colour);
    painter.drawEllipse(c, r, r);
    painter.setPen(QPen(Qt::white, std::max(1.0, r * 0.35), Qt::SolidLine, Qt::RoundCap));
    const qreal s = r * 0.5;
    switch (verdict) {
    case CLinkMapModel::Pass:
        painter.drawPolyline(
            QPolygonF { c + QPointF(-s, 0), c + QPointF(-s * 0.2, s * 0.7), c + QPointF(s, -s * 0.7) });
        break;
    case CLinkMapModel::Marginal:
        painter.drawLine(c + QPointF(0, -s), c + QPointF(0, s * 0.2));
        painter.drawPoint(c + QPointF(0, s * 0.8));
        break;
    default:
        painter.drawLine(c + QPointF(-s * 0.8, -s * 0.8), c + QPointF(s * 0.8, s * 0.8));
        painter.drawLine(c + QPointF(-s * 0.8, s * 0.8), c + QPointF(s * 0.8, -s * 0.8));
        break;
    }
}

// In the unit the items' file is shown in.
QString DistanceText(const CLinkMap::tItem& item, double metres)
{
    return CDistanceUnit::Text(metres, CDistanceUnit::Own(item.distanceUnit), 1);
}

} // namespace

CLinkMap::CLinkMap(CFileList* fileList, QWidget* parent)
    : QWidget(parent), m_pFileList(fileList), m_dThresholdDb(analysis::CBendFinder::kDefaultThresholdDb)
{
    // At least one row of labels; the further rows give way before the plot.
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);
    // The labels in the font of the plot's event labels.
    QFont labels(QStringLiteral("Arial"));
    labels.setPointSizeF(8);
    setFont(labels);
    hide();
}

int CLinkMap::StripHeight(const QFontMetrics& metrics, int rows)
{
    return 2 * kMargin + kIcon + 2 + std::clamp(rows, 1, kLabelRows) * metrics.height();
}

void CLinkMap::UpdateHeight()
{
    // The rows the labels would take with room for all of them.
    const QRect tall(MapRect().left(), 0, MapRect().width(), StripHeight(fontMetrics(), kLabelRows));
    const tLayout layout = Layout(m_items, tall, fontMetrics());
    const int labelTop = kMargin + kIcon + 2;
    int rows = 1;
    for (const QRect& label : layout.labels)
        if (!label.isNull())
            rows = std::max(rows, (label.top() - labelTop) / std::max(1, fontMetrics().height()) + 1);
    const int height = StripHeight(fontMetrics(), rows);
    if (height != m_nHeight) {
        m_nHeight = height;
        setMaximumHeight(height);
        updateGeometry();
    }
}

void CLinkMap::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    UpdateHeight();
}

QSize CLinkMap::sizeHint() const
{
    return QSize(400, m_nHeight > 0 ? m_nHeight : StripHeight(fontMetrics(), 1));
}

QSize CLinkMap::minimumSizeHint() const
{
    return QSize(100, StripHeight(fontMetrics(), 1));
}

QRect CLinkMap::MapRect() const
{
    return rect().adjusted(kMargin, 0, -kMargin, 0);
}

CLinkMap::tLayout CLinkMap::Layout(const std::vector<tItem>& items, const QRect& rect, const QFontMetrics& metrics)
{
    tLayout layout;
    const int count = int(items.size());
    if (count == 0)
        return layout;
    layout.lineY = rect.top() + kMargin + kIcon / 2;
    // The first and last icons stand in from the ends by half a label, so
    // that their labels need not move far off their icons.
    const int widest = metrics.horizontalAdvance(DistanceText(items.front(), 999999)) + 2;
    const int inset = std::max(kIcon, widest / 2);
    const int left = rect.left() + inset;
    const int span = std::max(0, rect.width() - 2 * inset);
    std::vector<int> lastRight(kLabelRows, std::numeric_limits<int>::min() / 2);
    const int labelTop = rect.top() + kMargin + kIcon + 2;
    // As many label rows as the rectangle holds: a label that finds no room
    // is left out rather than cut.
    const int rows = std::clamp((rect.bottom() + 1 - labelTop) / std::max(1, metrics.height()), 1, kLabelRows);
    // Icons shrink on a crowded map rather than cover one another.
    const int step = count > 1 ? span / (count - 1) : kIcon + kLabelGap;
    const int size = std::clamp(step - kLabelGap, kIcon / 2, kIcon);
    for (int i = 0; i < count; ++i) {
        const int x
            = count == 1 ? rect.left() + rect.width() / 2 : left + int(std::lround(double(span) * i / (count - 1)));
        layout.icons.append(QRect(x - size / 2, layout.lineY - size / 2, size, size));
        const QString text = DistanceText(items[size_t(i)], items[size_t(i)].distanceM);
        const int width = metrics.horizontalAdvance(text) + 2;
        const int labelLeft = std::clamp(x - width / 2, rect.left(), std::max(rect.left(), rect.right() + 1 - width));
        QRect label;
        for (int row = 0; row < rows; ++row) {
            if (labelLeft <= lastRight[size_t(row)] + kLabelGap)
                continue;
            label = QRect(labelLeft, labelTop + row * metrics.height(), width, metrics.height());
            lastRight[size_t(row)] = label.right();
            break;
        }
        layout.labels.append(label);
        layout.texts.append(text);
    }
    return layout;
}

void CLinkMap::PaintIcon(QPainter& painter, const QRectF& square, CLinkMapModel::tIcon icon)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(square.topLeft());
    painter.scale(square.width() / kDesign, square.height() / kDesign);
    switch (icon) {
    case CLinkMapModel::LaunchCord:
        Cord(painter, true);
        break;
    case CLinkMapModel::ReceiveCord:
        Cord(painter, false);
        break;
    case CLinkMapModel::Connector:
        Ink(painter, { { 1.5, 12 }, { 22.5, 12 } });
        Shape(painter, QRectF(3.5, 7.5, 7, 9), kPlug);
        Shape(painter, QRectF(13.5, 7.5, 7, 9), kPlug);
        break;
    case CLinkMapModel::Splice:
        Ink(painter, { { 1.5, 12 }, { 22.5, 12 } });
        Shape(painter, QRectF(7.5, 9, 9, 6), kSleeve, 2);
        break;
    case CLinkMapModel::Bend: {
        // The fibre laid in a tight loop.
        QPainterPath loop(QPointF(1.5, 18));
        loop.lineTo(9, 18);
        loop.cubicTo(QPointF(19, 18), QPointF(19.5, 4), QPointF(12, 4));
        loop.cubicTo(QPointF(4.5, 4), QPointF(5, 18), QPointF(15, 18));
        loop.lineTo(22.5, 18);
        InkPath(painter, loop, kBendColour);
        break;
    }
    case CLinkMapModel::Gainer:
        // The falling trace with a step up.
        Ink(painter, { { 2.5, 11 }, { 10.5, 14.5 }, { 11.5, 7.5 }, { 21.5, 11.5 } }, kGainColour);
        break;
    case CLinkMapModel::SplitterLoss:
        Ink(painter, { { 1.5, 12 }, { 9, 12 } });
        Ink(painter, { { 22.5, 4.5 }, { 12, 12 }, { 22.5, 19.5 } });
        Ink(painter, { { 12, 12 }, { 22.5, 12 } });
        Shape(painter, QRectF(7, 8, 6, 8), kSplitColour);
        break;
    case CLinkMapModel::End:
        Ink(painter, { { 1.5, 12 }, { 14, 12 } });
        Ink(painter, { { 15.5, 4.5 }, { 15.5, 19.5 } });
        Stroke(painter, kInk, 1, { { 19, 7 }, { 21.5, 9.5 } });
        Stroke(painter, kInk, 1, { { 19, 11 }, { 21.5, 13.5 } });
        Stroke(painter, kInk, 1, { { 19, 15 }, { 21.5, 17.5 } });
        break;
    case CLinkMapModel::IconCount:
        break;
    }
    painter.restore();
}

void CLinkMap::Paint(QPainter& painter, const QRect& rect, const std::vector<tItem>& items, int selected)
{
    painter.save();
    QFont font = painter.font();
    const QFontMetrics metrics(font, painter.device());
    const tLayout layout = Layout(items, rect, metrics);
    if (layout.icons.isEmpty()) {
        painter.restore();
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    // The span from the first event to the last.
    painter.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(layout.icons.front().center().x(), layout.lineY, layout.icons.back().center().x(), layout.lineY);
    for (int i = 0; i < layout.icons.size(); ++i) {
        const tItem& item = items[size_t(i)];
        const QRectF icon = QRectF(layout.icons[i]);
        // A plate under the icon breaks the span line, tinted by the verdict.
        const QColor verdict = VerdictColour(item.verdict);
        QColor plate = verdict.isValid() ? verdict.lighter(175) : QColor(Qt::white);
        painter.setPen(
            i == selected ? QPen(QColor(0, 90, 200), 2) : QPen(verdict.isValid() ? verdict : QColor(170, 170, 170), 1));
        painter.setBrush(plate);
        painter.drawRoundedRect(icon.adjusted(-1.5, -1.5, 1.5, 1.5), 3, 3);
        PaintIcon(painter, icon, item.icon);
        VerdictBadge(painter, icon, item.verdict);
        if (!layout.labels[i].isNull()) {
            painter.setPen(verdict.isValid() ? verdict.darker(140) : kInk);
            painter.drawText(layout.labels[i], Qt::AlignCenter, layout.texts[i]);
        }
    }
    painter.restore();
}

QString CLinkMap::IconName(CLinkMapModel::tIcon icon)
{
    switch (icon) {
    case CLinkMapModel::LaunchCord:
        return tr("Launch cord");
    case CLinkMapModel::Connector:
        return tr("Connector");
    case CLinkMapModel::Splice:
        return tr("Splice");
    case CLinkMapModel::Bend:
        return tr("Bend");
    case CLinkMapModel::Gainer:
        return tr("Gainer");
    case CLinkMapModel::SplitterLoss:
        return tr("Splitter-like loss");
    case CLinkMapModel::End:
        return tr("Fibre end");
    case CLinkMapModel::ReceiveCord:
        return tr("Receive cord");
    case CLinkMapModel::IconCount:
        break;
    }
    return QString();
}

std::vector<CLinkMap::tItem> CLinkMap::ItemsOf(
    const sor::CFile& file, const sor::CFile* partner, double thresholdDb, const std::vector<tVerdict>& verdicts)
{
    const analysis::tThresholds defaults;
    const analysis::tAnalysisResult result = analysis::CEventSource::StoredOrAnalysed(file, defaults);
    if (partner) {
        const std::optional<analysis::tLimitSet>& set = analysis::CActiveVerdict::LimitSet();
        const double longNm = std::max(
            analysis::CWavelengthPair::WavelengthNm(file), analysis::CWavelengthPair::WavelengthNm(*partner));
        const double threshold = analysis::CWavelengthBends::Threshold(set ? &*set : nullptr, longNm, thresholdDb);
        if (const std::optional<analysis::CWavelengthBends::tPaired> paired = analysis::CWavelengthBends::Pair(
                file, result, *partner, analysis::CEventSource::StoredOrAnalysed(*partner, defaults), threshold)) {
            std::vector<tVerdict> placeVerdicts;
            for (const std::optional<size_t>& own : paired->own)
                placeVerdicts.push_back(own && *own < verdicts.size() ? verdicts[*own] : CLinkMapModel::NoVerdict);
            std::vector<tItem> items = CLinkMapModel::Items(paired->events, paired->bends, placeVerdicts);
            for (tItem& item : items) {
                item.eventIndex = paired->own[item.eventIndex].value_or(kNoEvent);
                item.distanceUnit = quint32(CDistanceUnit::Of(&file));
            }
            return items;
        }
    }
    std::vector<tItem> items = CLinkMapModel::Items(result, {}, verdicts);
    for (tItem& item : items)
        item.distanceUnit = quint32(CDistanceUnit::Of(&file));
    return items;
}

std::vector<CLinkMap::tVerdict> CLinkMap::VerdictsOf(const std::optional<analysis::tVerdict>& verdict, size_t count)
{
    std::vector<tVerdict> verdicts(count, CLinkMapModel::NoVerdict);
    if (!verdict || !verdict->problem.isEmpty())
        return verdicts;
    for (const analysis::tCheck& check : verdict->checks) {
        if (check.event < 0 || size_t(check.event) >= count)
            continue;
        const tVerdict state = check.state == analysis::tCheck::Fail ? CLinkMapModel::Fail
            : check.state == analysis::tCheck::Warn                  ? CLinkMapModel::Marginal
                                                                     : CLinkMapModel::Pass;
        tVerdict& event = verdicts[size_t(check.event)];
        event = std::max(event, state);
    }
    return verdicts;
}

QSharedPointer<sor::CFile> CLinkMap::PartnerOf(const sor::CFile& file) const
{
    if (m_chosenPartner && m_chosenFor.data() == &file && m_chosenPartner.data() != &file)
        return m_chosenPartner;
    // A file holding both wavelengths pairs with itself.
    if (QSharedPointer<sor::CFile> own = analysis::CWavelengthPair::RecordPartner(file))
        return own;
    if (!m_pFileList)
        return {};
    std::vector<QSharedPointer<sor::CFile>> listed;
    std::vector<const sor::CFile*> candidates;
    for (int row = 0; row < m_pFileList->GetCount(); ++row)
        if (const QSharedPointer<sor::CFile> other = m_pFileList->GetFile(row)) {
            listed.push_back(other);
            candidates.push_back(other.data());
        }
    if (const sor::CFile* found = analysis::CWavelengthPair::FindPartner(file, candidates))
        for (const QSharedPointer<sor::CFile>& other : listed)
            if (other.data() == found)
                return other;
    return {};
}

void CLinkMap::OnUpdateView()
{
    const QSharedPointer<sor::CFile> file
        = m_pFileList ? m_pFileList->GetFile(m_pFileList->currentRow()) : QSharedPointer<sor::CFile>();
    m_partner.reset();
    if (file != m_shown) {
        m_shown = file;
        m_verdicts.clear();
        m_nSelected = -1;
    }
    if (m_result) {
        m_items = CLinkMapModel::Items(*m_result, m_resultBends);
        for (tItem& item : m_items)
            item.distanceUnit = quint32(CDistanceUnit::Of(file.data()));
    } else if (!file) {
        m_items.clear();
        hide();
        return;
    } else {
        m_partner = PartnerOf(*file);
        // The verdict the table and the list show, bends included.
        const std::vector<tVerdict> verdicts = m_verdicts.empty()
            ? VerdictsOf(analysis::CActiveVerdict::Of(*file), file->KeyEvents().size())
            : m_verdicts;
        m_items = ItemsOf(*file, m_partner.data(), m_dThresholdDb, verdicts);
    }
    if (m_nSelected >= int(m_items.size()))
        m_nSelected = -1;
    setVisible(!m_items.empty());
    UpdateHeight();
    update();
}

void CLinkMap::SetSelectedEvent(int eventIndex)
{
    // The items of a shown event set are no rows of the table.
    if (m_result)
        return;
    int selected = -1;
    for (size_t i = 0; i < m_items.size(); ++i)
        if (eventIndex >= 0 && m_items[i].eventIndex == size_t(eventIndex))
            selected = int(i);
    if (selected != m_nSelected) {
        m_nSelected = selected;
        update();
    }
}

void CLinkMap::SetBendThreshold(double thresholdDb)
{
    m_dThresholdDb = thresholdDb;
    OnUpdateView();
}

void CLinkMap::SetPartner(const QSharedPointer<sor::CFile>& partner)
{
    m_chosenPartner = partner;
    m_chosenFor = m_pFileList ? m_pFileList->GetFile(m_pFileList->currentRow()) : QSharedPointer<sor::CFile>();
    OnUpdateView();
    emit sigPartnerChanged();
}

void CLinkMap::SetVerdicts(const std::vector<tVerdict>& verdicts)
{
    m_verdicts = verdicts;
    OnUpdateView();
}

void CLinkMap::ShowResult(const analysis::tAnalysisResult& result, const std::vector<bool>& bends)
{
    m_result = result;
    m_resultBends = bends;
    m_nSelected = -1;
    OnUpdateView();
}

void CLinkMap::ClearResult()
{
    if (!m_result)
        return;
    m_result.reset();
    m_nSelected = -1;
    OnUpdateView();
}

CLinkMap::tLayout CLinkMap::CurrentLayout() const
{
    return Layout(m_items, MapRect(), fontMetrics());
}

void CLinkMap::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    QPainter painter(this);
    painter.setFont(font());
    Paint(painter, MapRect(), m_items, m_nSelected);
}

int CLinkMap::ItemAt(const QPoint& point) const
{
    const tLayout layout = CurrentLayout();
    for (int i = 0; i < layout.icons.size(); ++i)
        if (layout.icons[i].adjusted(-kHitMargin, -kHitMargin, kHitMargin, kHitMargin).contains(point))
            return i;
    return -1;
}

void CLinkMap::mousePressEvent(QMouseEvent* event)
{
    const int index = event->button() == Qt::LeftButton ? ItemAt(event->position().toPoint()) : -1;
    if (index < 0) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_nSelected = index;
    update();
    const tItem& item = m_items[size_t(index)];
    emit sigEventClicked(item.eventIndex == kNoEvent ? -1 : int(item.eventIndex), item.distanceM);
}

bool CLinkMap::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int index = ItemAt(help->pos());
        if (index < 0) {
            QToolTip::hideText();
            event->ignore();
            return true;
        }
        const tItem& item = m_items[size_t(index)];
        QString text = tr("%1 at %2").arg(IconName(item.icon), DistanceText(item, item.distanceM));
        if (item.lossDb)
            text += QLatin1Char('\n') + tr("Loss %1 dB").arg(*item.lossDb, 0, 'f', 3);
        if (m_partner && item.icon == CLinkMapModel::Bend)
            // Than at the shorter of the two, whichever trace is shown.
            text += QLatin1Char('\n')
                + tr("More loss at the longer wavelength than at %1 nm")
                      .arg(std::min(analysis::CWavelengthPair::WavelengthNm(*m_partner),
                          m_shown ? analysis::CWavelengthPair::WavelengthNm(*m_shown) : 1e9));
        QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    return QWidget::event(event);
}

void CLinkMap::contextMenuEvent(QContextMenuEvent* event)
{
    const QSharedPointer<sor::CFile> file
        = m_pFileList ? m_pFileList->GetFile(m_pFileList->currentRow()) : QSharedPointer<sor::CFile>();
    if (!file)
        return;
    QMenu menu(this);
    auto* group = new QActionGroup(&menu);
    QAction* automatic = menu.addAction(tr("Pair by name or fibre IDs"));
    automatic->setCheckable(true);
    automatic->setChecked(!m_chosenPartner || m_chosenFor != file);
    group->addAction(automatic);
    connect(automatic, &QAction::triggered, this, [this] { SetPartner({}); });
    menu.addSeparator();
    const double wavelength = analysis::CWavelengthPair::WavelengthNm(*file);
    // The other wavelengths of a file that holds several.
    for (int index = 1; index < file->RecordCount(); ++index) {
        const QSharedPointer<sor::CFile> record = file->Record(index);
        const double recordNm = analysis::CWavelengthPair::WavelengthNm(*record);
        if (std::abs(recordNm - wavelength) < 1)
            continue;
        QAction* action = menu.addAction(tr("Compare with record %1 of this file (%2 nm)").arg(index + 1).arg(recordNm));
        action->setCheckable(true);
        action->setChecked(m_chosenFor == file && m_chosenPartner == record);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, record] { SetPartner(record); });
    }
    for (int row = 0; row < m_pFileList->GetCount(); ++row) {
        const QSharedPointer<sor::CFile> other = m_pFileList->GetFile(row);
        if (!other || other == file || std::abs(analysis::CWavelengthPair::WavelengthNm(*other) - wavelength) < 1)
            continue;
        QAction* action = menu.addAction(tr("Compare with %1 (%2 nm)")
                                             .arg(QFileInfo(other->Path()).fileName())
                                             .arg(analysis::CWavelengthPair::WavelengthNm(*other)));
        action->setCheckable(true);
        action->setChecked(m_chosenFor == file && m_chosenPartner == other);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, other] { SetPartner(other); });
    }
    menu.exec(event->globalPos());
}
