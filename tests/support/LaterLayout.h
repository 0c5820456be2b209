#pragma once

#include <QByteArray>
#include <QtEndian>

#include <vector>

// An independent reading of later-layout (.sor issue 2) files for the tests,
// written from the layout description, not from the program's block classes.
namespace LaterLayout {

// One block as it lies in the file, its name header included; "Map" first.
struct tBlock
{
    QByteArray name;
    int offset = 0;
    QByteArray bytes;
};
std::vector<tBlock> Blocks(const QByteArray& file);

// Little-endian fields read one after another from a block's bytes.
struct tCursor
{
    const QByteArray& bytes;
    int at = 0;
    template<typename T> T Take()
    {
        const T value = qFromLittleEndian<T>(bytes.constData() + at);
        at += int(sizeof(T));
        return value;
    }
    QByteArray String()
    {
        const int end = int(bytes.indexOf('\0', at));
        const QByteArray text = bytes.mid(at, end - at);
        at = end + 1;
        return text;
    }
};

} // namespace LaterLayout
