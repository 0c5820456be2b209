#pragma once

#include <Exception.h>

#include <QString>

#include <functional>

// Which file-layer error a call raised: "none", "access", "format",
// "internal" or "other". Header-only, for tests that link the format library.
inline QString ErrorOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const EFileAccessError&) {
        return QStringLiteral("access");
    } catch (const EFileLoadInvalidFormat&) {
        return QStringLiteral("format");
    } catch (const EInternalError&) {
        return QStringLiteral("internal");
    } catch (const Exception&) {
        return QStringLiteral("other");
    }
    return QStringLiteral("none");
}
