// Summary rows as the list shows them: columns joined by "|", rows by ", ".
#pragma once

#include "ui/summary/Aggregation.h"

#include <QStringList>
#include <vector>

inline QString Shown(const std::vector<summary::SummaryRow>& rows) {
    QStringList lines;
    for (const summary::SummaryRow& r : rows) {
        QStringList cells;
        for (int c = 0; c < r.columnCount; ++c)
            cells << r.texts[static_cast<std::size_t>(c)];
        lines << cells.join(u'|');
    }
    return lines.join(u", ");
}
