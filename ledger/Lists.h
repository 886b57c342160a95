// Lookup-list files: categories, payment methods and, per category, remarks
// and payees. Each is a uint16 count, NUL-terminated UTF-16LE texts and an
// empty text at the end. Nothing is cached: dialogs read a list when they show
// it and rewrite it when they change it.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class CMyTALYDoc;

// What a file shorter than 3 bytes (also a missing one, created on reading) reads as.
enum class ListDefault {
    Other, // the one-text list "その他" (new-entry pages, item edit)
    Empty, // an empty list (entry edit dialog)
};

inline const QString kOtherText = QStringLiteral(u"その他");
inline const QString kCashText = QStringLiteral(u"現金");

// The texts of a list file's bytes, in file order, up to the first empty text.
// Never reads past the bytes: an odd last byte or a missing terminator ends the list.
QStringList DecodeListFile(const QByteArray& bytes);
// The file bytes of a list: count, texts with their NULs, the empty text.
QByteArray EncodeListFile(const QStringList& texts);

// Reads a list file, creating it empty when missing. On an open, size or read
// failure ShowError is shown, *ok becomes false and the result is empty (the
// caller keeps the list it had).
QStringList ReadListFile(const QString& path, ListDefault whenShort, bool* ok = nullptr);
// Replaces the file by the texts, atomically. ShowError and false on failure
// (the old file then stays as it was).
bool WriteListFile(const QString& path, const QStringList& texts);
// Writes chosen first, then every other text of list in order without copies
// of chosen (compared exactly, letter case included).
bool WriteListMostRecentFirst(const QString& path, const QStringList& list, const QString& chosen);

// The file name a category text is stored under inside the remark and payee
// folders. Ordinary texts stay as they are; a text holding \ / : * ? " < > |,
// a control character, half a surrogate pair, a leading ".." or byte-order
// mark, a trailing dot or space, or a "%"
// followed by four hex digits is escaped: each such character and every "%"
// become "%XXXX" (the UTF-16 unit in upper-case hex). The mapping is the same
// every time and one-to-one, and its result never leaves its folder.
QString SafeFileName(const QString& text);

// Full paths of the list files; empty when the data folder cannot be found
// (ShowError has then been shown).
QString CategoryListPath(const CMyTALYDoc& doc);
QString PayMethodListPath(const CMyTALYDoc& doc);
QString RemarkListPath(const CMyTALYDoc& doc, const QString& category);
QString PayeeListPath(const CMyTALYDoc& doc, const QString& category);
// The remark or payee list of a category for a pair suffix ("\\備考.DAT" or
// "\\支払先.DAT" as the new-entry flow passes them); empty for any other suffix.
QString CategoryListPathForPair(const CMyTALYDoc& doc, const QString& pairSuffix,
                                const QString& category);
