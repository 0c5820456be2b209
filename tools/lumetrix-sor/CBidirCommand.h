#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace analysis {
struct tBidirectionalResult;
}

// `lumetrix-sor bidir A.sor B.sor [--json]`: the events of one fibre measured
// from both ends, the B→A trace mirrored onto the A→B axis and the losses of
// each event averaged over the two directions, with both directions' total
// loss and return loss. Uses the stored events, or the analysis where a
// trace stores none. Neither file is changed.
class CBidirCommand
{
    Q_DECLARE_TR_FUNCTIONS(CBidirCommand)

public:
    // What the work on one pair gives: the text for standard output, the
    // message for standard error and the exit code (0, or 2 for a file that
    // does not load and for a refused pair).
    struct tOutput
    {
        QString text;
        QString error;
        int exitCode = 0;
    };

    // Returns the exit code: 0 paired, 2 bad options, a file that does not
    // load or a refused pair (its reason on standard error).
    int Run(const QStringList& arguments);
    static QString Usage();

    // Loads and pairs two files; safe to run for many pairs at once.
    static tOutput Pair(const QString& aToB, const QString& bToA, bool json);
    // The result as text, or as JSON.
    static QString Text(const QString& aToB, const QString& bToA, const analysis::tBidirectionalResult& result);
    static QByteArray Json(const QString& aToB, const QString& bToA, const analysis::tBidirectionalResult& result);
};
