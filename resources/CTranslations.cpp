#include "CTranslations.h"

#include <QDir>
#include <QFileInfo>
#include <QTranslator>

QString CTranslations::Folder()
{
    return QStringLiteral(":/translations");
}

QStringList CTranslations::Languages()
{
    QStringList names;
    const QFileInfoList files
        = QDir(Folder()).entryInfoList({QStringLiteral("*.qm")}, QDir::Files, QDir::Name);
    for (const QFileInfo& file : files)
        names << file.completeBaseName();
    return names;
}

bool CTranslations::Load(QTranslator& translator, const QString& languageName)
{
    if (languageName.isEmpty())
        return false;
    // QTranslator would fall back to shorter names ("English_GB" to "English")
    // and try other suffixes; only the file of exactly this language counts.
    const QString path = Folder() + QLatin1Char('/') + languageName + QStringLiteral(".qm");
    return QFileInfo(path).isFile() && translator.load(path);
}
