// Sort state and column widths of a summary list with 2 to 5 columns.
#pragma once

#include <QByteArray>
#include <array>
#include <cstdint>

struct ListHeaderInfo {
    explicit ListHeaderInfo(int columnCount = 2) : columns(columnCount) {}

    int columns;                               // 2..5; fixes the stored size 8 + 4 × columns
    std::int32_t sortColumn = 0;               // column last sorted by
    std::int32_t sortDirection = 0;            // +1 ascending, −1 descending, 0 not sorted yet
    std::array<std::int32_t, 5> columnWidth{}; // pixels; 0 = the list's default

    int byteSize() const { return 8 + 4 * columns; }
    QByteArray toBytes() const;
    // False (and nothing changed) unless bytes is exactly byteSize() long.
    bool fromBytes(const QByteArray& bytes);
    // Resets values a person may have broken in the registry file.
    void sanitize();
};
