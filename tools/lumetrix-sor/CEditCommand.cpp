#include "CEditCommand.h"

#include "CArguments.h"

#include <CFile.h>
#include <Exception.h>

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace {

// Option, the text field it sets.
using tTextField = CType::StrValue<101> sor::tGeneralParameters::*;
const std::pair<const char*, tTextField> kTextOptions[] = {
    { "--cable-id", &sor::tGeneralParameters::cableId },
    { "--fiber-id", &sor::tGeneralParameters::fiberId },
    { "--operator", &sor::tGeneralParameters::operatorName },
    { "--comment", &sor::tGeneralParameters::comment },
    { "--location-a", &sor::tGeneralParameters::originatingLocation },
    { "--location-b", &sor::tGeneralParameters::terminatingLocation },
    { "--cable-code", &sor::tGeneralParameters::cableCode },
};
const char* const kConditions[] = { "BC", "CC", "RC", "OT" };

void Print(FILE* stream, const QString& text)
{
    std::fflush(stdout);
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

} // namespace

QString CEditCommand::Usage()
{
    return tr("  lumetrix-sor edit FILE... [--cable-id S] [--fiber-id S] [--operator S] [--comment S]\n"
              "                          [--location-a S] [--location-b S] [--cable-code S]\n"
              "                          [--condition BC|CC|RC|OT]\n");
}

QString CEditCommand::Parse(const QStringList& arguments)
{
    CArguments parsed;
    parsed.Value(QStringLiteral("--condition"));
    for (const auto& known : kTextOptions)
        parsed.Value(QLatin1String(known.first));
    if (const QString problem = parsed.Parse(arguments); !problem.isEmpty())
        return problem;
    m_lsFiles = parsed.Operands();
    for (const QString& argument : parsed.Order()) {
        const QString value = parsed.Get(argument);
        if (argument == QLatin1String("--condition")) {
            const int index = int(
                std::find(std::begin(kConditions), std::end(kConditions), value.toUpper()) - std::begin(kConditions));
            if (index >= int(std::size(kConditions)))
                return tr("The value \"%1\" of \"%2\" is not valid.").arg(value, argument);
            m_changes.push_back({ [index](sor::CFile& f) { f.GeneralParameters().currentDataFlag = quint32(index); },
                [index](const sor::CFile& f) { return f.GeneralParameters().currentDataFlag == quint32(index); } });
            continue;
        }
        const auto option = std::find_if(std::begin(kTextOptions), std::end(kTextOptions),
            [&](const auto& known) { return argument == QLatin1String(known.first); });
        if (option == std::end(kTextOptions))
            return tr("Unknown option \"%1\".").arg(argument);
        const tTextField field = option->second;
        // What the user types keeps to the field's limit, whatever a file brings.
        if (value.size() > (sor::tGeneralParameters().*field).MaxLength())
            return tr("The value of \"%1\" is longer than %2 characters.")
                .arg(argument)
                .arg((sor::tGeneralParameters().*field).MaxLength());
        // A lone space is how the file stores an empty text: it reads back empty.
        const QString readBack = value == QLatin1String(" ") ? QString() : value;
        m_changes.push_back({ [field, value](sor::CFile& f) { f.GeneralParameters().*field = value; },
            [field, readBack](const sor::CFile& f) { return (f.GeneralParameters().*field).Text() == readBack; } });
    }
    if (m_changes.empty())
        return tr("edit needs at least one field to set.");
    return QString();
}

QString CEditCommand::Edit(const QString& path) const
{
    try {
        quint32 warnings = 0;
        sor::CFile file(path, warnings);
        for (const tChange& change : m_changes)
            change.apply(file);
        // A text the file's codepage cannot hold would be stored changed:
        // the new image must read back to exactly the values asked for.
        quint32 againWarnings = 0;
        const sor::CFile again(path, file.Image(), againWarnings);
        for (const tChange& change : m_changes) {
            if (!change.holds(again))
                return tr("a value cannot be stored in the file's codepage");
        }
        file.Save();
    } catch (const Exception& e) {
        return e.FullText(QStringLiteral("SOR"))
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
            .join(QStringLiteral(" - "));
    }
    return QString();
}

int CEditCommand::Run(const QStringList& arguments)
{
    CBatchRunner batch;
    QStringList rest = arguments;
    QString problem = batch.TakeOptions(rest);
    if (problem.isEmpty())
        problem = Parse(rest);
    if (problem.isEmpty()) {
        problem = batch.AddFiles(m_lsFiles);
        if (problem.isEmpty() && batch.Files().isEmpty())
            problem = tr("edit needs at least one file.");
    }
    if (!problem.isEmpty()) {
        Print(stderr, problem + QLatin1Char('\n') + tr("Usage:\n") + Usage() + CBatchRunner::Usage());
        return 2;
    }
    // Each file is saved atomically in its own step: an interruption leaves
    // every file either written or as it was.
    return batch.Run([this](const QString& path) {
        CBatchRunner::tFileResult result;
        const QString error = Edit(path);
        if (error.isEmpty()) {
            result.out = tr("%1: written\n").arg(path);
        } else {
            result.err = tr("%1: not written: %2\n").arg(path, error);
            result.exitCode = 2;
        }
        return result;
    });
}
