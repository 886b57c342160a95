// The lookup-list reader on any bytes: decoding never reads past them, and
// the texts it finds are written and read back unchanged.
#include "fuzz/FuzzDevice.h"

#include "ledger/Lists.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QStringList texts = DecodeListFile(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    for (const QString& t : texts)
        fuzz::Require(!t.isEmpty() && !t.contains(QChar(u'\0')), "texts are whole and non-empty");
    fuzz::Require(DecodeListFile(EncodeListFile(texts)) == texts, "a written list reads back");
    return 0;
}
