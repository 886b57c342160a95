// The registry file reader on any bytes (a person may edit the file): reading
// never fails hard, and what it keeps is written so that it reads back the same.
#include "fuzz/FuzzDevice.h"

#include "platform/Internal.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QByteArray written = plat::internal::ReserializedRegistry(bytes);
    fuzz::Require(plat::internal::ReserializedRegistry(written) == written,
                  "a written registry file reads back the same");
    return 0;
}
