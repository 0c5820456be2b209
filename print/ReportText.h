#pragma once

#include <QString>

class QPainter;
class QTextDocument;

// The rich texts of report pages.
namespace reporttext {

// Lays `html` out at `width` device units for the painter's device, so that
// point sizes come out alike on screen, printer and PDF.
void Prepare(QTextDocument& text, QPainter& painter, const QString& html, int width);

// Draws a rich text at `top`, scaled down when it is taller than `room`, so
// that it ends on the page. Returns the height it takes.
int DrawText(QPainter& painter, QTextDocument& text, int top, int room);

} // namespace reporttext
