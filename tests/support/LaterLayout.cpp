#include "LaterLayout.h"

namespace LaterLayout {

std::vector<tBlock> Blocks(const QByteArray& file)
{
    tCursor map { file };
    map.String(); // "Map"
    map.Take<quint16>();
    const int mapSize = int(map.Take<qint32>());
    const int count = map.Take<qint16>();
    std::vector<tBlock> blocks { { "Map", 0, file.left(mapSize) } };
    int offset = mapSize;
    for (int i = 1; i < count; ++i) {
        const QByteArray name = map.String();
        map.Take<quint16>();
        const int size = int(map.Take<qint32>());
        blocks.push_back({ name, offset, file.mid(offset, size) });
        offset += size;
    }
    return blocks;
}

} // namespace LaterLayout
