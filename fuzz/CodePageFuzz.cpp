// CP932 both ways on any bytes: decoding consumes every byte, and text that
// came from decoding encodes to bytes that decode to the same text.
#include "fuzz/FuzzDevice.h"

#include "platform/CodePage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString text = plat::MultiByteToWide(bytes);
    fuzz::Require(text.size() <= bytes.size(), "one character at most per byte");
    fuzz::Require(plat::MultiByteToWide(plat::WideToMultiByte(text)) == text,
                  "decoded text survives encoding");
    plat::WideToMultiByte(fuzz::Utf16Units(data, size)); // any UTF-16, lone surrogates too
    return 0;
}
