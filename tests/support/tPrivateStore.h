#pragma once

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

// Moves the settings store and the per-user data folder of the test process
// into a temporary folder, so that no test reads or writes the user's own.
// Create it before anything opens the settings.
class tPrivateStore
{
public:
    tPrivateStore()
    {
        QDir().mkpath(ConfigDir());
        QDir().mkpath(DataDir());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(ConfigDir()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(DataDir()));
        // The system scope too: its files are read as fallbacks of every key.
        for (QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope}) {
            QSettings::setPath(QSettings::NativeFormat, scope, ConfigDir());
            QSettings::setPath(QSettings::IniFormat, scope, ConfigDir());
        }
    }

    bool IsValid() const { return m_dir.isValid(); }
    QString ConfigDir() const { return m_dir.filePath(QStringLiteral("config")); }
    QString DataDir() const { return m_dir.filePath(QStringLiteral("data")); }
    QString Path(const QString& name) const { return m_dir.filePath(name); }

    // Empties the store of the current application name.
    static void Clear()
    {
        QSettings settings;
        settings.clear();
        settings.sync();
    }

private:
    QTemporaryDir m_dir;
};
