#include "support/raster_stream/fc_stream_decoder.h"

#include <initializer_list>

namespace raster_stream {

namespace {

// Lines a decoded page may have: far beyond any page, small enough to allocate.
constexpr size_t kMaxLines = 1u << 20;

struct Cursor {
    const unsigned char* data;
    size_t length;
    size_t pos = 0;
    size_t left() const { return length - pos; }
    bool startsWith(std::initializer_list<unsigned char> bytes) const {
        if (left() < bytes.size()) {
            return false;
        }
        size_t i = pos;
        for (unsigned char b : bytes) {
            if (data[i++] != b) {
                return false;
            }
        }
        return true;
    }
    unsigned int le16(size_t at) const { return data[at] | (data[at + 1] << 8); }
};

// Length of the settings command whose selector stands at the cursor (the bytes may be cut
// short), or 0 when the bytes there are no settings command.
size_t settingsCommandLength(const Cursor& c) {
    if (!c.startsWith({0x1B, 0x7E}) || c.left() < 3) {
        return 0;
    }
    switch (c.data[c.pos + 2]) {
        case 0x65:  // duplex, speed, printer case
            if (c.left() < 4) {
                return 4;  // cut short
            }
            switch (c.data[c.pos + 3]) {
                case 0x44:
                    return 5;
                case 0x56:
                case 0x52:
                    return 6;
                default:
                    return 0;
            }
        case 0x64:  // density
        case 0x70:  // two-ply
        case 0x68:  // paper
        case 0x6C:  // paper length
            return 5;
        case 0x66:  // feed
        case 0x2D:  // dash line
            return 4;
        case 0x77:  // paper width
            return 7;
        default:
            return 0;
    }
}

}  // namespace

bool decodeFcStartBlock(const unsigned char* data, size_t length, FcSettings& s, size_t& consumed,
                        std::string& error) {
    Cursor c{data, length};
    for (;;) {
        const size_t n = settingsCommandLength(c);
        if (n == 0) {
            consumed = c.pos;
            return true;
        }
        if (c.left() < n) {
            error = "truncated settings command";
            return false;
        }
        if (c.data[c.pos + 2] == 0x65 && n == 6 && c.data[c.pos + 4] != 0x01) {
            error = "speed or printer case without its 01";
            return false;
        }
        const unsigned char* p = c.data + c.pos;
        switch (p[2]) {
            case 0x65:
                if (p[3] == 0x44) {
                    s.duplex = p[4];
                    s.order += 'U';
                } else if (p[3] == 0x56) {
                    s.speed = p[5];
                    s.order += 'S';
                } else {
                    s.printerCase = p[5];
                    s.order += 'C';
                }
                break;
            case 0x64:
                if (p[4] != 0) {
                    error = "density without its 00";
                    return false;
                }
                s.density = p[3];
                s.order += 'D';
                break;
            case 0x70:
                if (p[4] != 0) {
                    error = "two-ply mode without its 00";
                    return false;
                }
                s.twoPly = p[3];
                s.order += 'P';
                break;
            case 0x66:
                s.feed = p[3];
                s.order += 'F';
                break;
            case 0x2D:
                s.dashLine = p[3];
                s.order += 'L';
                break;
            case 0x68:
                s.paper = static_cast<int>(c.le16(c.pos + 3));
                s.order += 'H';
                break;
            case 0x6C:
                s.paperLength = static_cast<int>(c.le16(c.pos + 3));
                s.order += 'N';
                break;
            default:  // 0x77
                s.paperWidthPaper = static_cast<int>(c.le16(c.pos + 3));
                s.paperWidthBytes = static_cast<int>(c.le16(c.pos + 5));
                s.order += 'W';
                break;
        }
        c.pos += n;
    }
}

bool decodeFcPage(const unsigned char* data, size_t length, size_t widthDots, FcPage& page,
                  std::string& error) {
    page = FcPage();
    size_t used = 0;
    if (!decodeFcStartBlock(data, length, page.settings, used, error)) {
        return false;
    }
    page.startBlockLength = used;
    Cursor c{data, length, used};
    while (c.left() > 0 && c.data[c.pos] == 0) {
        ++c.pos;
        ++page.zeroBytes;
    }
    const size_t rowBytes = (widthDots + 7) / 8;
    size_t line = 0;
    size_t x = 0;
    for (;;) {
        if (c.left() < 3 || !c.startsWith({0x1B, 0x7E})) {
            error = c.left() == 0 ? "no page end" : "unknown or truncated command";
            return false;
        }
        const unsigned char command = c.data[c.pos + 2];
        if (command == 0x0C) {  // page end
            c.pos += 3;
            if (c.left() != 0) {
                error = "bytes after the page end";
                return false;
            }
            if (page.lines.size() < line) {
                page.lines.resize(line, std::vector<unsigned char>(rowBytes, 0));
            }
            return true;
        }
        if (command == 0x0A || command == 0x4A) {  // line feed
            size_t n = 1;
            if (command == 0x4A) {
                if (c.left() < 4) {
                    error = "truncated line feed";
                    return false;
                }
                n = c.data[c.pos + 3];
                c.pos += 4;
            } else {
                c.pos += 3;
            }
            line += n;
            ++page.feeds;
            if (line > kMaxLines) {
                error = "page too long";
                return false;
            }
            continue;
        }
        if (command == 0x24) {  // horizontal position
            if (c.left() < 5) {
                error = "truncated position";
                return false;
            }
            x = c.le16(c.pos + 3);
            c.pos += 5;
            continue;
        }
        if (command == 0x2A) {  // data block
            if (c.left() < 5) {
                error = "truncated data block";
                return false;
            }
            const size_t n = c.le16(c.pos + 3);
            c.pos += 5;
            if (c.left() < n) {
                error = "data block past the end";
                return false;
            }
            if (x + 8 * n > widthDots) {
                error = "data block past the page width";
                return false;
            }
            if (page.lines.size() <= line) {
                page.lines.resize(line + 1, std::vector<unsigned char>(rowBytes, 0));
            }
            std::vector<unsigned char>& row = page.lines[line];
            for (size_t i = 0; i < n; ++i) {
                const unsigned char b = c.data[c.pos + i];
                for (size_t bit = 0; bit < 8; ++bit) {
                    if (b & (0x80u >> bit)) {
                        setDot(row, x + 8 * i + bit);
                    }
                }
            }
            x += 8 * n;
            c.pos += n;
            ++page.blocks;
            continue;
        }
        error = "unknown command";
        return false;
    }
}

}  // namespace raster_stream
