// The template file reader on any bytes: decoding never reads past them, and
// what it decodes is written and read back unchanged.
#include "fuzz/FuzzDevice.h"

#include "ledger/TemplateRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TemplateSlots table{};
    DecodeTemplateFile(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), &table);
    const QByteArray written = EncodeTemplateFile(table);
    TemplateSlots reread{};
    DecodeTemplateFile(written, &reread);
    fuzz::Require(EncodeTemplateFile(reread) == written, "a written template file reads back");
    return 0;
}
