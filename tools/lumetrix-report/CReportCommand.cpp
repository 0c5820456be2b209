#include "CReportCommand.h"

#include <CArguments.h>

#include <CFile.h>
#include <CReportPage.h>
#include <Exception.h>

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>

#include <cstdio>

namespace {

enum tExit { ExitOk = 0, ExitError = 2 };

// Screen resolution, as the program's printer uses it: the same pixel grid,
// pen widths and font sizes on paper and in the PDF.
constexpr int kResolution = 96;
constexpr qreal kMarginMm = 12;

void Err(const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}

} // namespace

int CReportCommand::Usage(const QString& problem)
{
    if (!problem.isEmpty())
        Err(problem + QLatin1Char('\n'));
    Err(tr("Usage: lumetrix-sor report FILE... -o OUT.pdf [--page A4|Letter] [--landscape]\n"));
    return ExitError;
}

QString CReportCommand::OutputRefusal(const QString& output, const QStringList& inputs)
{
    // Compared as the files they are: a link or another spelling of an input
    // is that input.
    const QFileInfo target(output);
    const QString canonical = target.canonicalFilePath();
    for (const QString& input : inputs) {
        if (target == QFileInfo(input) || (!canonical.isEmpty() && canonical == QFileInfo(input).canonicalFilePath()))
            return tr("the output is one of the input traces; nothing was written.");
    }
    if (target.exists() && target.suffix().compare(QLatin1String("sor"), Qt::CaseInsensitive) == 0)
        return tr("the output is an existing trace file; nothing was written.");
    return QString();
}

int CReportCommand::Run(const QStringList& arguments)
{
    CArguments parsed;
    parsed.Value(QStringLiteral("-o")).Value(QStringLiteral("--page")).Flag(QStringLiteral("--landscape"));
    if (const QString problem = parsed.Parse(arguments); !problem.isEmpty())
        return Usage(problem);
    const QStringList& files = parsed.Operands();
    const QString output = parsed.Get(QStringLiteral("-o"));
    const QPageLayout::Orientation orientation
        = parsed.Has(QStringLiteral("--landscape")) ? QPageLayout::Landscape : QPageLayout::Portrait;
    QPageSize::PageSizeId size = QPageSize::A4;
    if (parsed.Has(QStringLiteral("--page"))) {
        const QString value = parsed.Get(QStringLiteral("--page"));
        if (value.compare(QLatin1String("Letter"), Qt::CaseInsensitive) == 0)
            size = QPageSize::Letter;
        else if (value.compare(QLatin1String("A4"), Qt::CaseInsensitive) != 0)
            return Usage(tr("The value \"%1\" of \"%2\" is not valid.").arg(value, QStringLiteral("--page")));
    }
    if (files.isEmpty() || output.isEmpty())
        return Usage(tr("report needs at least one file and an output file."));
    if (const QString refusal = OutputRefusal(output, files); !refusal.isEmpty()) {
        Err(tr("%1: %2\n").arg(output, refusal));
        return ExitError;
    }

    // Every file first: a file that does not load stops the report before
    // anything is written.
    QList<tPrinterListFile> pages;
    for (const QString& path : files) {
        quint32 warnings = 0;
        QString error;
        try {
            pages.append({ QSharedPointer<sor::CFile>::create(path, warnings) });
            continue;
        } catch (const Exception& e) {
            error = e.FullText(QStringLiteral("SOR")).split(QLatin1Char('\n'), Qt::SkipEmptyParts).join(" - ");
        } catch (const std::exception& e) {
            error = QString::fromLocal8Bit(e.what());
        }
        Err(tr("%1: %2\n").arg(path, error));
        return ExitError;
    }

    const QPageLayout layout(
        QPageSize(size), orientation, QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
    QString error;
    if (!CReportPage::WritePdf(output, pages, nullptr, layout, kResolution, &error)) {
        Err(tr("%1: %2\n").arg(output, error));
        return ExitError;
    }
    return ExitOk;
}
