#include "connection/custom_paper_reader.h"

#include "common/byte_order.h"
#include "custompaper/custom_paper_info_command.h"

namespace layout = custom_paper_layout;

CustomPaperReader::CustomPaperReader(const unsigned char* data, std::size_t size)
    : data_(data), size_(data == nullptr ? 0 : size) {}

bool CustomPaperReader::matchesAt(std::size_t pos, std::size_t end, const std::uint8_t* pattern,
                                  std::size_t length) const {
    if (end > size_ || pos > end || end - pos < length) {
        return false;
    }
    for (std::size_t k = 0; k < length; ++k) {
        if (data_[pos + k] != pattern[k]) {
            return false;
        }
    }
    return true;
}

std::uint16_t CustomPaperReader::le16(std::size_t pos) const {
    return lumeko::readLe16(data_ + pos);
}

std::size_t CustomPaperReader::findHeader(std::uint8_t seriesCode, std::uint8_t modelCode) const {
    // Start positions 0 .. size - 17: the header and at least one more byte.
    if (size_ <= layout::kHeaderLength) {
        return npos;
    }
    const std::size_t last = size_ - (layout::kHeaderLength + 1);
    for (std::size_t i = 0; i <= last; ++i) {
        if (matchesAt(i, size_, layout::kHeaderMarker, layout::kHeaderMarkerLength) &&
            data_[i + layout::kHeaderSeriesCodeAt] == seriesCode &&
            data_[i + layout::kHeaderModelCodeAt] == modelCode) {
            return i;
        }
    }
    return npos;
}

std::size_t CustomPaperReader::blockEnd(std::size_t header) const {
    if (header >= size_ || size_ - header <= layout::kHeaderLength) {
        return size_;
    }
    for (std::size_t k = header + layout::kHeaderLength; k < size_; ++k) {
        if (matchesAt(k, size_, layout::kHeaderMarker, layout::kHeaderMarkerLength)) {
            return k;
        }
    }
    return size_;
}

bool CustomPaperReader::bodyIsWhole(std::size_t header, std::size_t marker) const {
    // The caller has checked that the 16 header bytes stand inside the data.
    const std::uint32_t length = lumeko::readLe32(data_ + header + layout::kHeaderBodyLengthAt);
    if (length < layout::kBodyMarkerLength + layout::kSelectionBodyLength ||
        length > size_ - marker) {
        return false;
    }
    // A body cut short runs into the bytes that follow it; a whole one ends where they start.
    const std::size_t end = marker + length;
    return end == size_ ||
           matchesAt(end, size_, layout::kDefaultModeSwitch, layout::kModeSwitchLength) ||
           matchesAt(end, size_, layout::kRasterModeSwitch, layout::kModeSwitchLength) ||
           matchesAt(end, size_, layout::kHeaderMarker, layout::kHeaderMarkerLength);
}

std::size_t CustomPaperReader::findBody(std::size_t header) const {
    if (header >= size_ || size_ - header <= layout::kHeaderLength) {
        return npos;
    }
    // The marker must start inside the block; the body after it is the header's own, whatever
    // it holds, for as long as the header's length field says.
    const std::size_t end = blockEnd(header);
    for (std::size_t j = header + layout::kHeaderLength; j < end; ++j) {
        if (matchesAt(j, size_, layout::kBodyMarker, layout::kBodyMarkerLength)) {
            // The first marker decides, whether or not its body is whole.
            return bodyIsWhole(header, j) ? j + layout::kBodyMarkerLength : npos;
        }
    }
    return npos;
}

std::optional<CustomPaperFields> CustomPaperReader::readFields(std::size_t body) const {
    if (body > size_ || size_ - body < layout::kSelectionBodyLength) {
        return std::nullopt;
    }
    CustomPaperFields fields;
    fields.tapeWidMm = data_[body + layout::kTapeWidMm.offset];
    fields.tapeLenMm = le16(body + layout::kTapeLenMm.offset);
    fields.headDot = le16(body + layout::kHeadDot.offset);
    fields.prtWidth = le16(body + layout::kPrtWidth.offset);
    fields.prtLength = le16(body + layout::kPrtLength.offset);
    fields.topMargin = le16(body + layout::kTopMargin.offset);
    return fields;
}

std::optional<CustomPaperFields> CustomPaperReader::find(std::uint8_t seriesCode,
                                                         std::uint8_t modelCode) const {
    const std::size_t header = findHeader(seriesCode, modelCode);
    if (header == npos) {
        return std::nullopt;
    }
    const std::size_t body = findBody(header);
    if (body == npos) {
        return std::nullopt;
    }
    return readFields(body);
}
