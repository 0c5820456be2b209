#pragma once

#include <CFile.h>

#include <QColor>
#include <QMetaType>
#include <QSharedPointer>

// A trace of the working-folder list and how the plot shows it: its colour and
// the zoom and centre the plot had when this file was last the one shown.
struct tListedFile
{
    explicit tListedFile(const QSharedPointer<sor::CFile>& loaded = {}) : file(loaded) { }

    QSharedPointer<sor::CFile> file;
    // From the compare palette while the file is compared, blue otherwise.
    QColor colour = QColor(Qt::blue);
    float fZoomX = 1.0f;
    float fZoomY = 1.0f;
    // Saved view centre: x in metres, y in sample units, truncated.
    qint32 nCentreX = 0;
    qint32 nCentreY = 0;
    // Compare slot 0 to 6 while in the compare set, -1 otherwise.
    qint32 nSlot = -1;
};

// Lets list items carry the record under Qt::UserRole; the type is known by
// the name "QSharedPointer<tListedFile>".
Q_DECLARE_METATYPE(QSharedPointer<tListedFile>)
