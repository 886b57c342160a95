// Names of the data files, as suffixes for CMyTALYDoc::GetDataPath.
#pragma once

#include <QString>

namespace datafile {

inline const QString kLedger = QStringLiteral(u"\\収支.DAT");
inline const QString kTemplates = QStringLiteral(u"\\TEIBAN.DAT");
inline const QString kCategories = QStringLiteral(u"\\分類.DAT");
inline const QString kPayMethods = QStringLiteral(u"\\支払方法.DAT");
inline const QString kRemarkFolder = QStringLiteral(u"\\備考");
inline const QString kPayeeFolder = QStringLiteral(u"\\支払先");
// Passed by the new-entry flow to say which pair of lists a page shows; never opened.
inline const QString kRemarkPair = QStringLiteral(u"\\備考.DAT");
inline const QString kPayeePair = QStringLiteral(u"\\支払先.DAT");

// Older English names, renamed once at start-up.
inline const QString kOldCategories = QStringLiteral(u"\\GROUP.DAT");
inline const QString kOldPayMethods = QStringLiteral(u"\\PAYWAY.DAT");
inline const QString kOldLedger = QStringLiteral(u"\\INOUT.DAT");

} // namespace datafile
