#pragma once

// Small helpers shared by the file list's sources: paths as the user sees
// them, whole-file writes, and the retry/ignore question after a failed step.

#include "tErrorState.h"

#include <Exception.h>

#include <QMessageBox>
#include <QString>

#include <optional>

class QWidget;

namespace filelist {

QString FileName(const QString& path);

// Paths shown to the user are written with the platform's separators.
QString Native(const QString& path);

// The canonical path of a folder, or its absolute path while it does not
// exist (a write there then fails and is reported).
QString CanonicalFolder(const QString& folder);

// Whether two paths name one file (also through links); paths of files that
// do not exist are compared as written.
bool SameFile(const QString& first, const QString& second);

// Writes `bytes` as the whole file at `path`. The file is replaced only once
// every byte is on disk: a failure leaves whatever was there before.
bool WriteWhole(const QString& path, const QByteArray& bytes);

// A failed step of the file layer: file access failures are problems, all
// others errors.
struct tFailure
{
    bool bAccess = false;
    QString sMessage;
};

template<class TStep> std::optional<tFailure> Attempt(TStep&& step)
{
    try {
        step();
    } catch (const EFileAccessError& error) {
        return tFailure { true, error.Message() };
    } catch (const Exception& error) {
        return tFailure { false, error.Message() };
    }
    return std::nullopt;
}

// Asks what to do after a failure that may be retried; the titles name the
// operation for a problem and for an error. Returns whether to go on.
bool AskAfter(QWidget* parent, const tFailure& failure, const QString& problemTitle, const QString& errorTitle,
    tErrorState* state, bool& retry);

void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text);

// The characters that a file name may not hold on any of the platforms the
// files travel between.
extern const QString kForbiddenSymbols;

} // namespace filelist
