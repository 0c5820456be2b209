#pragma once

#include <QString>
#include <QStringList>

class QTranslator;

// The interface translations compiled into the program: one file per language
// under ":/translations", named after the language as the user sees it
// ("English.qm", "Русский.qm"). The English one is a translation too: it gives
// the English wording of the texts whose source form is Russian.
class CTranslations
{
public:
    // The resource folder of the translations.
    static QString Folder();
    // The language names the program carries: base names of the translation
    // files, sorted by file name.
    static QStringList Languages();
    // Loads the translation of one language; false when the program carries
    // none for it or it cannot be read. An empty name loads nothing.
    static bool Load(QTranslator& translator, const QString& languageName);
};
