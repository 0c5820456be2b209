#include "ReportText.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QPainter>
#include <QTextDocument>

#include <algorithm>

namespace reporttext {

void Prepare(QTextDocument& text, QPainter& painter, const QString& html, int width)
{
    text.documentLayout()->setPaintDevice(painter.device());
    text.setDefaultFont(QFont(QStringLiteral("Arial"), 9));
    text.setDocumentMargin(0);
    text.setHtml(html);
    text.setTextWidth(width);
}

int DrawText(QPainter& painter, QTextDocument& text, int top, int room)
{
    const qreal height = text.size().height();
    if (height <= 0 || room <= 0)
        return 0;
    const qreal scale = std::min<qreal>(1, room / height);
    painter.save();
    painter.translate(0, top);
    painter.scale(scale, scale);
    text.drawContents(&painter);
    painter.restore();
    return int(height * scale);
}

} // namespace reporttext
