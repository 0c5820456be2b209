#pragma once

#include <QCoreApplication>
#include <QDateTime>
#include <QString>

// The one date format of the program, the interface language's: the cards,
// the file information and the reports all show dates in it.
class CDateFormat
{
    Q_DECLARE_TR_FUNCTIONS(CDateFormat)

public:
    // The format for QDateTime::toString and QDateTimeEdit, with or without seconds.
    static QString Format(bool seconds = false);
    static QString Text(const QDateTime& dateTime, bool seconds = false);
};
