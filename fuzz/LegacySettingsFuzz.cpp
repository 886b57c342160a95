// The legacy settings file on any bytes: it is read once and removed, and the
// settings that come out of it stay within their ranges.
#include "fuzz/FuzzDevice.h"

#include "ledger/CMyTALYDoc.h"
#include "ledger/Settings.h"
#include "platform/Device.h"

#include <QFileInfo>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::UseDevice();
    static CMyTALYDoc doc;
    const QString hostPath = fuzz::Host(plat::GetMyDocumentsFolder(false) +
                                        settings::kDefaultFolder + settings::kLegacyFile);
    fuzz::WriteHostFile(
        hostPath, QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    doc.LoadSettings();
    fuzz::Require(!QFileInfo::exists(hostPath), "the legacy file is removed once read");
    fuzz::Require(doc.m_nMonthStartDay >= 0 && doc.m_nMonthStartDay <= 31, "month start day");
    fuzz::Require(doc.m_nWeekStartDay >= 0 && doc.m_nWeekStartDay <= 6, "week start day");
    fuzz::Require(doc.m_nYearStartMonth >= 1 && doc.m_nYearStartMonth <= 12, "year start month");
    return 0;
}
