// File names made from texts, and handset paths made host paths, on any
// UTF-16: the name is one-to-one (it unescapes to the text), holds nothing the
// handset refuses, survives the host's encoding and never leaves its folder.
#include "fuzz/FuzzDevice.h"

#include "ledger/Lists.h"
#include "platform/Device.h"

#include <QFile>
#include <algorithm>

namespace {

// The inverse of the escaping: "%XXXX" is one UTF-16 unit, anything else itself.
QString Unescaped(const QString& name) {
    QString text;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QString digits = name.mid(i + 1, 4);
        const bool escape = name[i] == u'%' && digits.size() == 4 &&
                            std::all_of(digits.begin(), digits.end(), [](QChar c) {
                                return QStringView(u"0123456789ABCDEF").contains(c);
                            });
        text += escape ? QChar(digits.toUShort(nullptr, 16)) : name[i];
        if (escape) i += 4;
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::UseDevice();
    const QString text = fuzz::Utf16Units(data, size);
    const QString name = SafeFileName(text);
    fuzz::Require(Unescaped(name) == text, "the name unescapes to its text");
    fuzz::Require(name.isValidUtf16(), "the name survives the host's encoding");
    fuzz::Require(QFile::decodeName(QFile::encodeName(name)) == name, "host encoding round trip");
    fuzz::Require(!name.contains(u'\\') && !name.contains(u'/') && name != u".." && name != u".",
                  "the name stays in its folder");

    const QString root = fuzz::Host(QStringLiteral("\\"));
    const QString host = fuzz::Host(text);
    fuzz::Require(host == root || host.startsWith(root.endsWith(u'/') ? root : root + u'/'),
                  "a handset path stays inside the device");
    return 0;
}
