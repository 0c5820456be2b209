#include "FileListSupport.h"

#include "IARMessageBox.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace filelist {

QString FileName(const QString& path)
{
    return QFileInfo(path).fileName();
}

QString Native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString CanonicalFolder(const QString& folder)
{
    const QFileInfo info(folder);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

bool SameFile(const QString& first, const QString& second)
{
    const QString firstCanonical = QFileInfo(first).canonicalFilePath();
    const QString secondCanonical = QFileInfo(second).canonicalFilePath();
    if (!firstCanonical.isEmpty() && !secondCanonical.isEmpty())
        return firstCanonical == secondCanonical;
    return QFileInfo(first).absoluteFilePath() == QFileInfo(second).absoluteFilePath();
}

// Written unbuffered, so that a write the disk takes only in part is noticed.
bool WriteWhole(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool AskAfter(QWidget* parent, const tFailure& failure, const QString& problemTitle, const QString& errorTitle,
    tErrorState* state, bool& retry)
{
    bool* ignoreAll = nullptr;
    if (state)
        ignoreAll = failure.bAccess ? &state->bIgnoreProblems : &state->bIgnoreErrors;
    return IARMessageBox::Exec(parent, failure.bAccess ? QMessageBox::Warning : QMessageBox::Critical,
        failure.bAccess ? problemTitle : errorTitle, failure.sMessage, retry, ignoreAll, false);
}

void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

const QString kForbiddenSymbols = QStringLiteral("\\/:*?\"<>|");

} // namespace filelist
