#include "CReportCommand.h"

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

int CReportCommand::Run(const QStringList& arguments)
{
    QStringList files;
    QString output;
    QPageSize::PageSizeId size = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--landscape")) {
            orientation = QPageLayout::Landscape;
        } else if (argument == QLatin1String("-o") || argument == QLatin1String("--page")) {
            if (i + 1 >= arguments.size())
                return Usage(tr("The option \"%1\" needs a value.").arg(argument));
            const QString value = arguments.at(++i);
            if (argument == QLatin1String("-o"))
                output = value;
            else if (value.compare(QLatin1String("A4"), Qt::CaseInsensitive) == 0)
                size = QPageSize::A4;
            else if (value.compare(QLatin1String("Letter"), Qt::CaseInsensitive) == 0)
                size = QPageSize::Letter;
            else
                return Usage(tr("The value \"%1\" of \"%2\" is not valid.").arg(value, argument));
        } else if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            return Usage(tr("Unknown option \"%1\".").arg(argument));
        } else {
            files << argument;
        }
    }
    if (files.isEmpty() || output.isEmpty())
        return Usage(tr("report needs at least one file and an output file."));

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
