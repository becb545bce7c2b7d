// The JNI-free part of the host bridge: the text conversions between the host's UTF-16 and
// the library's bytes, and the print option fields stored from arbitrary host values, then
// used for paper selection.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "bridge/print_option_fields.h"
#include "bridge/utf_codec.h"
#include "fuzz_common.h"
#include "fuzz_input.h"
#include "fuzz_printer.h"

using namespace lumeko_fuzz;

namespace {

void texts(FuzzInput& in) {
    const std::vector<unsigned char> raw = in.longBytes();
    const std::string bytes(raw.begin(), raw.end());
    const std::u16string wide = bridge::utf16FromUtf8(bytes);
    if (bridge::isValidUtf8(bytes)) {
        FUZZ_CHECK(bridge::utf8FromUtf16(wide) == bytes);
    } else {
        // One char per byte: nothing from a printer is lost.
        FUZZ_CHECK(wide.size() == bytes.size());
        for (size_t i = 0; i < bytes.size(); ++i) {
            FUZZ_CHECK(wide[i] == static_cast<unsigned char>(bytes[i]));
        }
    }

    std::u16string host;
    while (!in.empty() && host.size() < 512) {
        host.push_back(static_cast<char16_t>(in.u16()));
    }
    const std::string narrow = bridge::utf8FromUtf16(host);
    FUZZ_CHECK(bridge::isValidUtf8(narrow));
    const std::u16string back = bridge::utf16FromUtf8(narrow);
    FUZZ_CHECK(back.size() == host.size());
    for (size_t i = 0; i < host.size(); ++i) {
        const bool surrogate = host[i] >= 0xD800 && host[i] <= 0xDFFF;
        FUZZ_CHECK(back[i] == host[i] || (surrogate && back[i] == 0xFFFD));
    }
}

void options(FuzzInput& in) {
    RasterPrintOption option;
    for (const bridge::PrintOptionField& field : bridge::printOptionFields()) {
        if (!in.flag()) {
            continue;
        }
        bridge::HostValue value;
        value.i = in.i32();
        value.z = in.flag();
        const uint64_t bits = (static_cast<uint64_t>(in.u32()) << 32) | in.u32();
        std::memcpy(&value.d, &bits, sizeof value.d);
        value.text = in.shortText();
        value.hasBytes = in.flag();
        if (value.hasBytes) {
            value.bytes = in.longBytes();
        }
        field.store(option, value);
    }
    FuzzPrinter base(pickModel(in));
    base.init(option);
    FUZZ_CHECK(PrinterStatus::error_code_ == 1 || PrinterStatus::error_code_ == 25 ||
               PrinterStatus::error_code_ == 32);
    (void)base.getPaperList(option);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    resetProcessState();
    if (in.flag()) {
        texts(in);
    } else {
        options(in);
    }
    return 0;
}
