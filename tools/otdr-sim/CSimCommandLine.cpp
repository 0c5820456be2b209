#include "CSimCommandLine.h"

#include <QLocale>

namespace {

// Up to ten values, as many as the program learns of a list.
constexpr int kMaxListSize = 10;

bool ParseList(const QString& text, bool allowZero, QList<int>& values)
{
    values.clear();
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() > kMaxListSize)
        return false;
    for (const QString& part : parts) {
        bool ok = false;
        const int value = QLocale::c().toInt(part.trimmed(), &ok);
        if (!ok || value < 0 || (value == 0 && !allowZero))
            return false;
        values.append(value);
    }
    return !values.isEmpty();
}

} // namespace

QString CSimCommandLine::Usage()
{
    return tr("Usage: otdr-sim [options]\n"
              "Simulates a reflectometer on a pseudo-terminal. The first line printed is\n"
              "the port to open; the log of the dialogue goes to standard error.\n"
              "  --stored N          traces in memory at the start (default 3)\n"
              "  --same-time         all stored traces carry one time stamp\n"
              "  --time-scale X      announced measuring time = averaging time * X (default 1)\n"
              "  --overrun S         a measurement runs S seconds longer than announced\n"
              "  --wavelengths LIST  wavelength slots in nm, 0 for an empty slot (1310,1550,0,1625)\n"
              "  --ranges LIST       distance ranges in km (2,4,8,16,32,64,128)\n"
              "  --pulses LIST       pulse widths in ns (10,30,100,300,1000,3000)\n"
              "  --averages LIST     averaging times in s (15,30,60,180)\n"
              "  --model TEXT        model name (NR-3100)\n"
              "  --number TEXT       serial number (1234)\n"
              "  --version TEXT      software version (2.05)\n"
              "  --seed N            seed of the synthetic traces (1)\n"
              "  --fault NAME        no-reply, garbled-id, cfg-index, wrong-length,\n"
              "                      truncated, slow, endless\n"
              "  --reply-delay MS    how late replies come with --fault slow (600)\n"
              "  --link PATH         also make PATH a symbolic link to the port\n"
              "SIGUSR1 writes the instrument's clock to the log; SIGINT and SIGTERM stop it.\n");
}

bool CSimCommandLine::Parse(const QStringList& arguments, QString& error)
{
    const QLocale c = QLocale::c();
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& option = arguments.at(i);
        if (option == QLatin1String("--help") || option == QLatin1String("-h")) {
            bHelp = true;
            continue;
        }
        if (option == QLatin1String("--same-time")) {
            instrument.storedSameTime = true;
            continue;
        }
        static const QStringList kValueOptions { QStringLiteral("--stored"), QStringLiteral("--time-scale"),
            QStringLiteral("--overrun"), QStringLiteral("--wavelengths"), QStringLiteral("--ranges"),
            QStringLiteral("--pulses"), QStringLiteral("--averages"), QStringLiteral("--model"),
            QStringLiteral("--number"), QStringLiteral("--version"), QStringLiteral("--seed"),
            QStringLiteral("--fault"), QStringLiteral("--reply-delay"), QStringLiteral("--link") };
        if (!kValueOptions.contains(option)) {
            error = tr("Unknown option \"%1\".").arg(option);
            return false;
        }
        if (i + 1 >= arguments.size()) {
            error = tr("The option \"%1\" needs a value.").arg(option);
            return false;
        }
        const QString value = arguments.at(++i);
        bool ok = true;
        if (option == QLatin1String("--stored")) {
            instrument.stored = c.toInt(value, &ok);
            ok = ok && instrument.stored >= 0 && instrument.stored <= 999;
        } else if (option == QLatin1String("--time-scale")) {
            instrument.timeScale = c.toDouble(value, &ok);
            ok = ok && instrument.timeScale >= 0 && instrument.timeScale <= 100;
        } else if (option == QLatin1String("--overrun")) {
            instrument.overrun = c.toDouble(value, &ok);
            ok = ok && instrument.overrun >= 0 && instrument.overrun <= 3600;
        } else if (option == QLatin1String("--wavelengths")) {
            ok = ParseList(value, true, instrument.wavelengths);
            for (const int nm : std::as_const(instrument.wavelengths))
                ok = ok && (nm == 0 || (nm >= 1260 && nm <= 1675));
        } else if (option == QLatin1String("--ranges")) {
            ok = ParseList(value, false, instrument.ranges);
            for (const int km : std::as_const(instrument.ranges))
                ok = ok && km <= 300;
        } else if (option == QLatin1String("--pulses")) {
            ok = ParseList(value, false, instrument.pulses);
            for (const int ns : std::as_const(instrument.pulses))
                ok = ok && ns <= 20000;
        } else if (option == QLatin1String("--averages")) {
            ok = ParseList(value, false, instrument.averages);
        } else if (option == QLatin1String("--model")) {
            instrument.model = value;
        } else if (option == QLatin1String("--number")) {
            instrument.number = value;
        } else if (option == QLatin1String("--version")) {
            instrument.version = value;
        } else if (option == QLatin1String("--seed")) {
            instrument.seed = c.toUInt(value, &ok);
        } else if (option == QLatin1String("--fault")) {
            ok = COtdrInstrument::FaultFromName(value, instrument.fault);
        } else if (option == QLatin1String("--reply-delay")) {
            instrument.replyDelayMs = c.toInt(value, &ok);
            ok = ok && instrument.replyDelayMs >= 0 && instrument.replyDelayMs <= 60000;
        } else if (option == QLatin1String("--link")) {
            linkPath = value;
        }
        if (!ok) {
            error = tr("The value \"%1\" of \"%2\" is not valid.").arg(value, option);
            return false;
        }
    }
    // Commas separate the parts of the identification.
    for (const QString* text : { &instrument.model, &instrument.number, &instrument.version }) {
        if (text->contains(QLatin1Char(',')) || text->contains(QLatin1Char('\r'))) {
            error = tr("The model, number and version cannot hold commas.");
            return false;
        }
    }
    return true;
}
