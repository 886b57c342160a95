#include "ledger/ListHeaderInfo.h"

#include <cstring>

QByteArray ListHeaderInfo::toBytes() const {
    QByteArray bytes(byteSize(), '\0');
    char* p = bytes.data();
    std::memcpy(p, &sortColumn, 4);
    std::memcpy(p + 4, &sortDirection, 4);
    std::memcpy(p + 8, columnWidth.data(), 4 * static_cast<std::size_t>(columns));
    return bytes;
}

bool ListHeaderInfo::fromBytes(const QByteArray& bytes) {
    if (columns < 2 || columns > 5 || bytes.size() != byteSize()) return false;
    const char* p = bytes.constData();
    std::memcpy(&sortColumn, p, 4);
    std::memcpy(&sortDirection, p + 4, 4);
    columnWidth.fill(0);
    std::memcpy(columnWidth.data(), p + 8, 4 * static_cast<std::size_t>(columns));
    return true;
}

void ListHeaderInfo::sanitize() {
    if (sortColumn < 0 || sortColumn >= columns) sortColumn = 0;
    if (sortDirection < -1 || sortDirection > 1) sortDirection = 0;
    for (int i = 0; i < 5; ++i)
        if (columnWidth[static_cast<std::size_t>(i)] < 0 || i >= columns)
            columnWidth[static_cast<std::size_t>(i)] = 0;
}
