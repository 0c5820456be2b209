#pragma once

#include <QCoreApplication>
#include <QString>

namespace sor {
class CFile;
}

// The link facts a report adds below the file information: where the fibre
// runs from and to, and the end-to-end loss and optical return loss the
// instrument stored; and the instrument's line of the file information.
class CReportFacts
{
    Q_DECLARE_TR_FUNCTIONS(CReportFacts)

public:
    // A table of the facts the file holds (rich text, escaped); empty when it
    // holds none of them.
    static QString Html(const sor::CFile& document);
    // The instrument as one line of plain text: maker, model and serial
    // number, each where the file holds it ("Anritsu MT9083A2 №6200123"),
    // the optical module's where the mainframe's are blank; empty when the
    // file holds none.
    static QString Device(const sor::CFile& document);
};
