// What the four option pages show, read from the document's settings and
// applied back to them; bits of the flags that no page shows are kept.
#pragma once

#include <QString>

class CMyTALYDoc;

struct OptionValues {
    int saveTiming = 0; // 0 on every change, 1 at program exit
    bool useBaseDate = true;
    int folderMode = 0; // 0 My Documents, 1 the program's folder, 2 other
    QString folderPath;
    int yearStart = 0;  // month index, 0 = January
    int monthStart = 0; // day index, 0 = the 1st
    int weekStart = 0;  // 0 = Sunday
    bool comma = true;
    bool yearToMonth = false;
    bool hideBalance = false;
    bool singleKind = false;
    bool balanceFromAll = false;
};

OptionValues ReadOptionValues(const CMyTALYDoc& doc);
// Applies everything but the data folder (ApplyDataFolder), in the order:
// save timing, month, week and year starts, then the flags bit by bit.
void ApplyOptionValues(CMyTALYDoc& doc, const OptionValues& v);
