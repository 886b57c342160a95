// The registry, kept in memory and persisted as a registry export text file.
#include "Registry.h"

#include "Device.h"
#include "Internal.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>

namespace plat {

using namespace Qt::StringLiterals;

struct RegKey {
    int root; // index into the store's roots
    QStringList path;
};

namespace {

RegKey g_localMachine{0, {}};
RegKey g_currentUser{1, {}};

constexpr std::array<const char16_t*, 2> kRootNames = {u"HKEY_LOCAL_MACHINE", u"HKEY_CURRENT_USER"};
constexpr char kHeader[] = "Windows Registry Editor Version 5.00";
constexpr int kHexLineLimit = 76;
// The handset's own limits; anything beyond them is junk, not a key.
constexpr qsizetype kMaxKeyNameChars = 255;
constexpr qsizetype kMaxKeyDepth = 512;
constexpr qsizetype kMaxValueNameChars = 16383;
// A larger file is no settings file of ours; it is not parsed.
constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

struct Value {
    QString name;
    DWORD type = REG_NONE;
    QByteArray data;
    bool operator==(const Value&) const = default;
};

// Keys are kept flat, by their case-folded path below the root, so that
// copying, writing and destroying the store never recurse, however deep a
// hand-edited file nests them.
struct Key {
    QString path;                    // as first spelt, parts joined by '\'; empty for the root
    std::map<QString, Value> values; // by case-folded name
};

// Orders paths as a walk of the tree does: a key, then its sub-keys by name.
struct TreeOrder {
    bool operator()(const QString& a, const QString& b) const {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [](QChar x, QChar y) { return Rank(x) < Rank(y); });
    }
    static unsigned Rank(QChar c) { return c == u'\\' ? 0u : c.unicode() + 1u; }
};
using KeyMap = std::map<QString, Key, TreeOrder>;

struct Store {
    bool loaded = false;
    // The file exists but could not be read: it is never written in this run.
    DWORD readError = ERROR_SUCCESS;
    // The file held something not understood: it is copied aside before the first write.
    bool keepAside = false;
    std::array<KeyMap, 2> roots;
};

Store g_store;
std::unordered_map<RegKey*, std::unique_ptr<RegKey>> g_handles;

QString Folded(const QString& name) {
    return name.toCaseFolded();
}

QStringList SplitKeyPath(const QString& path) {
    return path.split(u'\\', Qt::SkipEmptyParts);
}

std::optional<int> RootIndex(const QString& name) {
    const QString upper = name.toUpper();
    if (upper == u"HKEY_LOCAL_MACHINE" || upper == u"HKLM") return 0;
    if (upper == u"HKEY_CURRENT_USER" || upper == u"HKCU") return 1;
    return std::nullopt;
}

// A name the export format holds one way only: no line breaks or other
// control characters, no half surrogate pairs (they would all read back as
// U+FFFD and merge).
bool StorableName(const QString& name, qsizetype maxChars) {
    return name.size() <= maxChars && name.isValidUtf16() &&
           std::none_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 0x20; });
}

bool ValidKeyPath(const QStringList& path) {
    return path.size() <= kMaxKeyDepth &&
           std::all_of(path.begin(), path.end(),
                       [](const QString& part) { return StorableName(part, kMaxKeyNameChars); });
}

Key* Descend(KeyMap& keys, const QStringList& path, bool create, bool* created) {
    if (!ValidKeyPath(path)) return nullptr;
    Key* key = &keys[QString()]; // the root always exists
    QString folded;
    for (qsizetype i = 0; i < path.size(); ++i) {
        const QString separator = i == 0 ? QString() : QStringLiteral("\\");
        folded += separator + Folded(path[i]);
        auto it = keys.find(folded);
        if (it == keys.end()) {
            if (!create) return nullptr;
            it = keys.emplace(folded, Key{key->path + separator + path[i], {}}).first;
            if (created) *created = true;
        }
        key = &it->second;
    }
    return key;
}

// ---- Writing -----------------------------------------------------------------

QString Escaped(const QString& text) {
    QString out = text;
    out.replace(u'\\', QStringLiteral("\\\\"));
    out.replace(u'"', QStringLiteral("\\\""));
    return out;
}

// A REG_SZ value survives as a quoted string only when reading it back gives
// the very same bytes: one terminating NUL, no other NUL, no line breaks.
std::optional<QString> QuotableString(const QByteArray& data) {
    if (data.size() < 2 || data.size() % 2 != 0) return std::nullopt;
    QString text(data.size() / 2 - 1, Qt::Uninitialized);
    std::memcpy(text.data(), data.constData(), static_cast<std::size_t>(data.size() - 2));
    if (data.back() != 0 || data[data.size() - 2] != 0) return std::nullopt;
    for (QChar c : text) {
        if (c.unicode() < 0x20) return std::nullopt;
    }
    if (!text.isValidUtf16()) return std::nullopt;
    return text;
}

QString HexBytes(const QString& prefix, const QByteArray& data) {
    QString out;
    QString line = prefix;
    for (qsizetype i = 0; i < data.size(); ++i) {
        line += QString::asprintf("%02x", static_cast<unsigned char>(data[i]));
        if (i + 1 == data.size()) break;
        line += u',';
        if (line.size() >= kHexLineLimit) {
            out += line + u"\\\r\n"_s;
            line = QStringLiteral("  ");
        }
    }
    return out + line + u"\r\n"_s;
}

QString ValueLine(const Value& value) {
    const QString name =
        value.name.isEmpty() ? QStringLiteral("@") : u'"' + Escaped(value.name) + u'"';
    if (value.type == REG_DWORD && value.data.size() == 4) {
        DWORD number = 0;
        std::memcpy(&number, value.data.constData(), 4);
        return name + QString::asprintf("=dword:%08x\r\n", number);
    }
    if (value.type == REG_SZ) {
        if (const auto text = QuotableString(value.data))
            return name + u"=\""_s + Escaped(*text) + u"\"\r\n"_s;
    }
    const QString kind = value.type == REG_BINARY ? QStringLiteral("hex:")
                                                  : QString::asprintf("hex(%x):", value.type);
    return HexBytes(name + u'=' + kind, value.data);
}

QByteArray Serialized(const Store& store) {
    QString out = QString::fromLatin1(kHeader) + u"\r\n"_s;
    for (std::size_t i = 0; i < store.roots.size(); ++i) {
        const QString root = QString::fromUtf16(kRootNames[i]);
        for (const auto& [folded, key] : store.roots[i]) {
            if (folded.isEmpty() && key.values.empty()) continue; // a root shows only its values
            out += u"\r\n["_s + root +
                   (folded.isEmpty() ? QString() : QStringLiteral("\\") + key.path) + u"]\r\n"_s;
            for (const auto& entry : key.values)
                out += ValueLine(entry.second);
        }
    }
    out += u"\r\n";
    return out.toUtf8();
}

// ---- Reading -------------------------------------------------------------------

// A quoted text starting at *pos with \\ and \" escapes; *pos ends after it.
std::optional<QString> Unquoted(const QString& line, qsizetype* pos) {
    if (*pos >= line.size() || line[*pos] != u'"') return std::nullopt;
    QString text;
    for (qsizetype i = *pos + 1; i < line.size(); ++i) {
        if (line[i] == u'\\' && i + 1 < line.size()) {
            text += line[++i];
        } else if (line[i] == u'"') {
            *pos = i + 1;
            return text;
        } else {
            text += line[i];
        }
    }
    return std::nullopt;
}

std::optional<QByteArray> ParseHexList(const QString& list) {
    QByteArray bytes;
    const QStringList parts = list.split(u',');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString part = parts[i].trimmed();
        if (part.isEmpty() && i + 1 == parts.size()) break; // "hex:" or a trailing comma
        bool ok = false;
        const uint byte = part.toUInt(&ok, 16);
        if (!ok || part.size() > 2 || byte > 0xFF) return std::nullopt;
        bytes.append(static_cast<char>(byte));
    }
    return bytes;
}

std::optional<Value> ParseData(const QString& name, const QString& rest) {
    qsizetype pos = 0;
    if (rest.startsWith(u'"')) {
        const auto text = Unquoted(rest, &pos);
        if (!text || !rest.mid(pos).trimmed().isEmpty()) return std::nullopt;
        QByteArray data(reinterpret_cast<const char*>(text->utf16()), (text->size() + 1) * 2);
        return Value{name, REG_SZ, data};
    }
    const QString lower = rest.toLower();
    if (lower.startsWith(u"dword:")) {
        const QString digits = rest.mid(6).trimmed();
        bool ok = false;
        const DWORD number = digits.toUInt(&ok, 16);
        if (!ok || digits.isEmpty() || digits.size() > 8) return std::nullopt;
        return Value{name, REG_DWORD, QByteArray(reinterpret_cast<const char*>(&number), 4)};
    }
    DWORD type = REG_BINARY;
    qsizetype listStart = 4;
    if (lower.startsWith(u"hex(")) {
        const qsizetype close = lower.indexOf(u"):");
        bool ok = false;
        type = close > 4 ? lower.mid(4, close - 4).toUInt(&ok, 16) : 0;
        if (!ok) return std::nullopt;
        listStart = close + 2;
    } else if (!lower.startsWith(u"hex:")) {
        return std::nullopt;
    }
    const auto bytes = ParseHexList(rest.mid(listStart));
    if (!bytes) return std::nullopt;
    if (type == REG_DWORD && bytes->size() != 4) return std::nullopt;
    return Value{name, type, *bytes};
}

// "name"=data or @=data; hex data may continue on the next lines after a '\'.
// False when the line is not understood or has no key to go to.
bool ParseValueLine(const QStringList& lines, qsizetype* index, Key* key) {
    const QString line = lines[*index].trimmed();
    qsizetype pos = 0;
    QString name;
    if (line.startsWith(u'@')) {
        pos = 1;
    } else {
        const auto quoted = Unquoted(line, &pos);
        if (!quoted || !StorableName(*quoted, kMaxValueNameChars)) return false;
        name = *quoted;
    }
    while (pos < line.size() && line[pos].isSpace())
        ++pos;
    if (pos >= line.size() || line[pos] != u'=') return false;
    QString rest = line.mid(pos + 1).trimmed();
    if (rest.startsWith(QStringLiteral("hex"), Qt::CaseInsensitive)) {
        while (rest.endsWith(u'\\') && *index + 1 < lines.size()) {
            rest.chop(1);
            rest += lines[++*index].trimmed();
        }
    }
    const auto value = ParseData(name, rest);
    if (key && value) key->values[Folded(name)] = *value;
    return key && value;
}

Key* SectionKey(Store* store, const QString& line) {
    const qsizetype end = line.lastIndexOf(u']');
    if (end < 1 || line[1] == u'-') return nullptr; // deletions are not ours to apply
    const QStringList parts = SplitKeyPath(line.mid(1, end - 1));
    if (parts.isEmpty()) return nullptr;
    const auto root = RootIndex(parts.front());
    if (!root) return nullptr;
    return Descend(store->roots[static_cast<std::size_t>(*root)], parts.mid(1), true, nullptr);
}

QString DecodedText(const QByteArray& bytes) {
    if (bytes.startsWith("\xFF\xFE")) {
        const auto units = (bytes.size() - 2) / 2;
        QString text(units, Qt::Uninitialized);
        std::memcpy(text.data(), bytes.constData() + 2, static_cast<std::size_t>(units) * 2);
        return text;
    }
    return QString::fromUtf8(bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes);
}

bool IsHeaderLine(const QString& line) {
    return line == QLatin1String(kHeader) || line == u"REGEDIT4";
}

// A file edited by a person: what is understood is taken, anything else is
// skipped. False when the header line is missing or any line was skipped.
bool Parse(const QByteArray& bytes, Store* store) {
    QString text = DecodedText(bytes);
    text.remove(u'\r');
    const QStringList lines = text.split(u'\n');
    bool understood = true;
    bool headerSeen = false;
    Key* current = nullptr;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(u';')) continue;
        if (!headerSeen) {
            headerSeen = true;
            if (IsHeaderLine(line)) continue;
            understood = false;
        }
        if (line.startsWith(u'[')) {
            current = SectionKey(store, line);
            understood = understood && current;
        } else if (line.startsWith(u'"') || line.startsWith(u'@')) {
            understood = ParseValueLine(lines, &i, current) && understood;
        } else {
            understood = false;
        }
    }
    return understood;
}

// ---- The store -------------------------------------------------------------------

// Reads the registry file into a fresh store. A missing file is an empty
// registry; one that cannot be read is never written over in this run.
void Load(const QString& hostPath, Store* store) {
    *store = Store{};
    store->loaded = true;
    internal::RemoveUnfinishedReplacement(hostPath + u".tb-new"_s);
    const int fd = ::open(QFile::encodeName(hostPath).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT) store->readError = ErrorFromErrno(errno);
        return;
    }
    struct stat st {};
    QFile file;
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        store->readError = S_ISDIR(st.st_mode) ? ERROR_ACCESS_DENIED : ErrorFromErrno(errno);
    } else if (st.st_size > kMaxFileBytes) {
        store->keepAside = true;
    } else if (!file.open(fd, QIODevice::ReadOnly)) {
        store->readError = ERROR_READ_FAULT;
    } else {
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            store->readError = ERROR_READ_FAULT;
        else
            store->keepAside = !Parse(bytes, store);
    }
    file.close();
    ::close(fd);
}

Store& LoadedStore() {
    if (!g_store.loaded) Load(RegistryFilePath(), &g_store);
    return g_store;
}

bool ValidHandle(HKEY key) {
    return key == &g_localMachine || key == &g_currentUser || (key && g_handles.count(key));
}

Key* KeyOf(HKEY key, const QStringList& subPath, bool create, bool* created) {
    KeyMap& root = LoadedStore().roots[static_cast<std::size_t>(key->root)];
    return Descend(root, key->path + subPath, create, created);
}

HKEY NewHandle(HKEY parent, const QStringList& subPath) {
    auto handle = std::make_unique<RegKey>(RegKey{parent->root, parent->path + subPath});
    HKEY raw = handle.get();
    g_handles.emplace(raw, std::move(handle));
    return raw;
}

// Applies a change and writes the file; a failed write undoes the change so
// that memory never claims what the disk does not hold.
// A file that could not be read is never written; one with lines not
// understood is copied aside before the first write.
template <typename Change> LONG Persisted(Change change) {
    if (LoadedStore().readError != ERROR_SUCCESS) return static_cast<LONG>(g_store.readError);
    Store before = g_store;
    if (!change()) return ERROR_SUCCESS;
    const QString path = RegistryFilePath();
    internal::MakePrivateDirs(QFileInfo(path).absolutePath());
    const bool kept = !g_store.keepAside || internal::CopyHostFileAside(path);
    if (kept && internal::WriteHostFileAtomically(path, Serialized(g_store))) {
        g_store.keepAside = false;
        return ERROR_SUCCESS;
    }
    const DWORD code = GetLastError();
    g_store = std::move(before);
    return static_cast<LONG>(code);
}

} // namespace

const HKEY HKEY_LOCAL_MACHINE = &g_localMachine;
const HKEY HKEY_CURRENT_USER = &g_currentUser;

LONG RegOpenKeyEx(HKEY root, const QString& subKey, HKEY* result) {
    if (!result) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    if (!ValidHandle(root)) return ERROR_INVALID_HANDLE;
    const QStringList sub = SplitKeyPath(subKey);
    if (!ValidKeyPath(root->path + sub)) return ERROR_INVALID_PARAMETER;
    if (!KeyOf(root, sub, false, nullptr)) return ERROR_FILE_NOT_FOUND;
    *result = NewHandle(root, sub);
    return ERROR_SUCCESS;
}

LONG RegCreateKeyEx(HKEY root, const QString& subKey, HKEY* result, bool* created) {
    if (!result) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    if (created) *created = false;
    if (!ValidHandle(root)) return ERROR_INVALID_HANDLE;
    const QStringList sub = SplitKeyPath(subKey);
    if (!ValidKeyPath(root->path + sub)) return ERROR_INVALID_PARAMETER;
    bool isNew = false;
    const LONG status = Persisted([&] {
        KeyOf(root, sub, true, &isNew);
        return isNew;
    });
    if (status != ERROR_SUCCESS) return status;
    if (created) *created = isNew;
    *result = NewHandle(root, sub);
    return ERROR_SUCCESS;
}

LONG RegQueryValueEx(HKEY key, const QString& name, DWORD* type, void* data, DWORD* size) {
    if (!ValidHandle(key)) return ERROR_INVALID_HANDLE;
    const Key* node = KeyOf(key, {}, false, nullptr);
    if (!node) return ERROR_FILE_NOT_FOUND;
    const auto it = node->values.find(Folded(name));
    if (it == node->values.end()) return ERROR_FILE_NOT_FOUND;
    const Value& value = it->second;
    const auto needed = static_cast<DWORD>(value.data.size());
    if (type) *type = value.type;
    if (!data) {
        if (size) *size = needed;
        return ERROR_SUCCESS;
    }
    if (!size) return ERROR_INVALID_PARAMETER;
    if (*size < needed) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    if (needed > 0) std::memcpy(data, value.data.constData(), needed);
    *size = needed;
    return ERROR_SUCCESS;
}

LONG RegSetValueEx(HKEY key, const QString& name, DWORD type, const void* data, DWORD size) {
    if (!ValidHandle(key)) return ERROR_INVALID_HANDLE;
    if ((!data && size > 0) || (type == REG_DWORD && size != 4)) return ERROR_INVALID_PARAMETER;
    if (!StorableName(name, kMaxValueNameChars)) return ERROR_INVALID_PARAMETER;
    const Value value{name, type, QByteArray(static_cast<const char*>(data), size)};
    return Persisted([&] {
        Key* node = KeyOf(key, {}, true, nullptr);
        Value& slot = node->values[Folded(name)];
        if (slot == value) return false;
        slot = value;
        return true;
    });
}

LONG RegCloseKey(HKEY key) {
    if (key == &g_localMachine || key == &g_currentUser) return ERROR_SUCCESS;
    return g_handles.erase(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

bool RegReadDword(HKEY key, const QString& name, DWORD* value) {
    DWORD type = REG_NONE;
    DWORD number = 0;
    DWORD size = sizeof(number);
    if (RegQueryValueEx(key, name, &type, &number, &size) != ERROR_SUCCESS) return false;
    if (type != REG_DWORD || size != sizeof(number)) return false;
    if (value) *value = number;
    return true;
}

bool RegReadString(HKEY key, const QString& name, QString* value, int maxChars) {
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueEx(key, name, &type, nullptr, &size) != ERROR_SUCCESS) return false;
    if (type != REG_SZ || maxChars <= 0 || size > static_cast<DWORD>(maxChars) * 2) return false;
    QByteArray bytes(static_cast<qsizetype>(size), '\0');
    if (RegQueryValueEx(key, name, &type, bytes.data(), &size) != ERROR_SUCCESS) return false;
    QString text(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
    std::memcpy(text.data(), bytes.constData(), size / 2 * 2);
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    if (value) *value = nul < 0 ? text : text.left(nul);
    return true;
}

DWORD RegFileReadError() {
    return LoadedStore().readError;
}

namespace internal {
void ResetRegistry() {
    g_store = Store{};
}

QByteArray ReserializedRegistry(const QByteArray& fileBytes) {
    Store store;
    Parse(fileBytes, &store);
    return Serialized(store);
}
} // namespace internal

} // namespace plat
