// Any bytes into the RTF reader; what it gives back must write and read again to the same document.
#include "rtf/reader.h"
#include "rtf/writer.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vorelian::rtf;
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const Document read = ReadRtf(bytes);
    if (read.Paragraphs.empty())
        std::abort();
    (void)PlainTextForFile(read);
    (void)ReadPlainText(bytes);
    // One rewrite settles the document: names and formats are complete after it.
    const Document once = ReadRtf(WriteRtf(read));
    if (!(ReadRtf(WriteRtf(once)) == once))
        std::abort();
    return 0;
}
