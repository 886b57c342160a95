// The registry, kept in memory and persisted as a registry export text file.
#include "Registry.h"

#include "Device.h"
#include "Internal.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <array>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
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

struct Value {
    QString name;
    DWORD type = REG_NONE;
    QByteArray data;
    bool operator==(const Value&) const = default;
};

struct Key {
    QString name;
    std::map<QString, Value> values; // by case-folded name
    std::map<QString, Key> children; // by case-folded name
};

struct Store {
    bool loaded = false;
    std::array<Key, 2> roots;
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

Key* Descend(Key* key, const QStringList& path, bool create, bool* created) {
    for (const QString& part : path) {
        auto it = key->children.find(Folded(part));
        if (it == key->children.end()) {
            if (!create) return nullptr;
            it = key->children.emplace(Folded(part), Key{part, {}, {}}).first;
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

void WriteKey(const Key& key, const QString& fullName, bool isRoot, QString* out) {
    if (!isRoot || !key.values.empty()) {
        *out += u"\r\n["_s + fullName + u"]\r\n"_s;
        for (const auto& entry : key.values)
            *out += ValueLine(entry.second);
    }
    for (const auto& child : key.children)
        WriteKey(child.second, fullName + u'\\' + child.second.name, false, out);
}

QByteArray Serialized(const Store& store) {
    QString out = QString::fromLatin1(kHeader) + u"\r\n"_s;
    for (std::size_t i = 0; i < store.roots.size(); ++i)
        WriteKey(store.roots[i], QString::fromUtf16(kRootNames[i]), true, &out);
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
void ParseValueLine(const QStringList& lines, qsizetype* index, Key* key) {
    const QString line = lines[*index].trimmed();
    qsizetype pos = 0;
    QString name;
    if (line.startsWith(u'@')) {
        pos = 1;
    } else {
        const auto quoted = Unquoted(line, &pos);
        if (!quoted) return;
        name = *quoted;
    }
    while (pos < line.size() && line[pos].isSpace())
        ++pos;
    if (pos >= line.size() || line[pos] != u'=') return;
    QString rest = line.mid(pos + 1).trimmed();
    if (rest.startsWith(QStringLiteral("hex"), Qt::CaseInsensitive)) {
        while (rest.endsWith(u'\\') && *index + 1 < lines.size()) {
            rest.chop(1);
            rest += lines[++*index].trimmed();
        }
    }
    const auto value = ParseData(name, rest);
    if (key && value) key->values[Folded(name)] = *value;
}

Key* SectionKey(Store* store, const QString& line) {
    const qsizetype end = line.lastIndexOf(u']');
    if (end < 1 || line[1] == u'-') return nullptr; // deletions are not ours to apply
    const QStringList parts = SplitKeyPath(line.mid(1, end - 1));
    if (parts.isEmpty()) return nullptr;
    const auto root = RootIndex(parts.front());
    if (!root) return nullptr;
    return Descend(&store->roots[static_cast<std::size_t>(*root)], parts.mid(1), true, nullptr);
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

// A file edited by a person: anything not understood is skipped.
void Parse(const QByteArray& bytes, Store* store) {
    QString text = DecodedText(bytes);
    text.remove(u'\r');
    const QStringList lines = text.split(u'\n');
    Key* current = nullptr;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.startsWith(u'[')) {
            current = SectionKey(store, line);
        } else if (line.startsWith(u'"') || line.startsWith(u'@')) {
            ParseValueLine(lines, &i, current);
        }
    }
}

// ---- The store -------------------------------------------------------------------

Store& LoadedStore() {
    if (!g_store.loaded) {
        g_store = Store{};
        g_store.roots[0].name = QString::fromUtf16(kRootNames[0]);
        g_store.roots[1].name = QString::fromUtf16(kRootNames[1]);
        QFile file(RegistryFilePath());
        if (file.open(QIODevice::ReadOnly)) Parse(file.readAll(), &g_store);
        g_store.loaded = true;
    }
    return g_store;
}

bool ValidHandle(HKEY key) {
    return key == &g_localMachine || key == &g_currentUser || (key && g_handles.count(key));
}

Key* KeyOf(HKEY key, const QStringList& subPath, bool create, bool* created) {
    Key* root = &LoadedStore().roots[static_cast<std::size_t>(key->root)];
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
template <typename Change> LONG Persisted(Change change) {
    Store before = LoadedStore();
    if (!change()) return ERROR_SUCCESS;
    const QString path = RegistryFilePath();
    internal::MakePrivateDirs(QFileInfo(path).absolutePath());
    if (internal::WriteHostFileAtomically(path, Serialized(g_store))) return ERROR_SUCCESS;
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
    const Value value{name, type, QByteArray(static_cast<const char*>(data), size)};
    return Persisted([&] {
        Key* node = KeyOf(key, {}, true, nullptr);
        Value& slot = node->values[Folded(name)];
        if (slot == value) return false;
        slot = value;
        return true;
    });
}

LONG RegDeleteValue(HKEY key, const QString& name) {
    if (!ValidHandle(key)) return ERROR_INVALID_HANDLE;
    Key* node = KeyOf(key, {}, false, nullptr);
    if (!node || !node->values.count(Folded(name))) return ERROR_FILE_NOT_FOUND;
    return Persisted([&] {
        KeyOf(key, {}, false, nullptr)->values.erase(Folded(name));
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

namespace internal {
void ResetRegistry() {
    g_store = Store{};
}
} // namespace internal

} // namespace plat
