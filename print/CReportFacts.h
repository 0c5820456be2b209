#pragma once

#include <QCoreApplication>
#include <QString>

namespace sor {
class CFile;
}

// The link facts a report adds below the file information: where the fibre
// runs from and to, the instrument's maker and model, and the end-to-end
// loss and optical return loss the instrument stored.
class CReportFacts
{
    Q_DECLARE_TR_FUNCTIONS(CReportFacts)

public:
    // A table of the facts the file holds (rich text, escaped); empty when it
    // holds none of them.
    static QString Html(const sor::CFile& document);
};
