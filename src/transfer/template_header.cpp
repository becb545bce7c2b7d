#include "transfer/template_header.h"

#include <algorithm>

#include "connection/util.h"
#include "transfer/transfer_bytes.h"

using tf::transfer_bytes::readLe16;
using tf::transfer_bytes::readLe32;

const std::array<unsigned char, 8> TemplateHeader::NULLOfFILETIMEDate{};

namespace {
constexpr size_t kNameOffset = 32;
constexpr size_t kNameLength = 16;
constexpr size_t kDateOffset = 20;
}  // namespace

TemplateHeader TemplateHeader::fromBytes(const unsigned char* header, size_t length) {
    TemplateHeader h;
    h.marker = header[0];
    h.headerLength = header[1];
    h.seriesCode = header[2];
    h.modelCode = header[3];
    h.templateKey = readLe16(header + 12);
    h.checksum = readLe16(header + 14);
    h.dataSize = readLe32(header + 16);
    for (size_t i = 0; i < h.modifiedDate.size(); ++i) {
        h.modifiedDate[i] = header[kDateOffset + 7 - i];
    }
    const char* name = reinterpret_cast<const char*>(header + kNameOffset);
    if (tpes::Util::checkAscii(name, static_cast<int>(kNameLength))) {
        const char* end = std::find(name, name + kNameLength, '\0');
        h.templateName.assign(name, end);
    }
    std::copy(header, header + std::min(length, kRawLength), h.rawHeader.begin());
    return h;
}

uint64_t TemplateHeader::modified_date_filetime() const {
    uint64_t value = 0;
    for (unsigned char b : modifiedDate) {
        value = (value << 8) | b;
    }
    return value;
}
