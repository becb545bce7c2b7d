#include "support/raster_stream/raster_body_decoder.h"

#include <algorithm>
#include <fstream>

namespace raster_stream {

namespace {

unsigned char reversed(unsigned char b) {
    unsigned char r = 0;
    for (int i = 0; i < 8; ++i) {
        if (b & (1u << i)) {
            r = static_cast<unsigned char>(r | (0x80u >> i));
        }
    }
    return r;
}

// A bounded cursor over the input.
struct Reader {
    const unsigned char* data;
    size_t length;
    size_t pos = 0;
    bool take(unsigned char& b) {
        if (pos >= length) {
            return false;
        }
        b = data[pos++];
        return true;
    }
    size_t left() const { return length - pos; }
};

// A Mode 9 extension: FF for every 255, then the rest.
bool readExtension(Reader& r, size_t& value) {
    unsigned char b = 0;
    value = 0;
    for (;;) {
        if (!r.take(b)) {
            return false;
        }
        value += b;
        if (b != 0xFF) {
            return true;
        }
        if (value > (1u << 20)) {
            return false;
        }
    }
}

}  // namespace

bool unpackBits(const unsigned char* data, size_t length, size_t expected,
                std::vector<unsigned char>& out, std::string& error) {
    out.clear();
    size_t i = 0;
    while (i < length) {
        const unsigned char h = data[i++];
        if (h == 0x80) {
            error = "header 0x80";
            return false;
        }
        if (h < 0x80) {
            const size_t n = h + 1u;
            if (i + n > length) {
                error = "literal past the end of the line data";
                return false;
            }
            out.insert(out.end(), data + i, data + i + n);
            i += n;
        } else {
            const size_t n = 257u - h;
            if (i >= length) {
                error = "run without its byte";
                return false;
            }
            out.insert(out.end(), n, data[i++]);
        }
        if (out.size() > expected) {
            error = "line longer than the head";
            return false;
        }
    }
    if (out.size() != expected) {
        error = "line shorter than the head";
        return false;
    }
    return true;
}

bool decodeLabelBody(const unsigned char* data, size_t length, int lineBytes, bool packed,
                     Lines& lines, std::string& error, size_t* consumed) {
    lines.clear();
    if (lineBytes <= 0 || (data == nullptr && length > 0)) {
        error = "no line width";
        return false;
    }
    Reader r{data, length};
    const size_t width = static_cast<size_t>(lineBytes);
    unsigned char cmd = 0;
    while (r.take(cmd)) {
        if (cmd == 0x1A) {
            if (consumed != nullptr) {
                *consumed = r.pos;
            }
            return true;
        }
        if (cmd == 0x5A) {
            lines.emplace_back(width, 0);
            continue;
        }
        if (cmd != 0x67 && cmd != 0x47) {
            error = "unknown command byte at " + std::to_string(r.pos - 1);
            return false;
        }
        unsigned char a = 0, b = 0;
        if (!r.take(a) || !r.take(b)) {
            error = "line header cut short";
            return false;
        }
        const size_t n = cmd == 0x67 ? (a << 8 | b) : (b << 8 | a);
        if (n > r.left()) {
            error = "line data past the end";
            return false;
        }
        std::vector<unsigned char> sent;
        if (packed) {
            if (!unpackBits(data + r.pos, n, width, sent, error)) {
                return false;
            }
        } else {
            if (n != width) {
                error = "raw line of the wrong length";
                return false;
            }
            sent.assign(data + r.pos, data + r.pos + n);
        }
        r.pos += n;
        std::vector<unsigned char> head(width);
        for (size_t k = 0; k < width; ++k) {
            head[width - 1 - k] = reversed(sent[k]);
        }
        lines.push_back(std::move(head));
    }
    error = "no page end";
    return false;
}

bool decodeMode9Block(const unsigned char* data, size_t length,
                      std::vector<unsigned char>& previous, Lines& lines, std::string& error) {
    Reader r{data, length};
    const size_t size = previous.size();
    unsigned char count = 0;
    while (r.take(count)) {
        if (count == 0xFF) {
            std::fill(previous.begin(), previous.end(), 0);
            lines.push_back(previous);
            continue;
        }
        std::vector<unsigned char> line = previous;
        size_t at = 0;
        for (int c = 0; c < count; ++c) {
            unsigned char first = 0;
            if (!r.take(first)) {
                error = "command cut short";
                return false;
            }
            size_t skip = 0, n = 0, ext = 0;
            if ((first & 0x80) == 0) {
                skip = (first >> 3) & 0x0F;
                n = (first & 0x07) + 1u;
                if (skip == 15) {
                    if (!readExtension(r, ext)) {
                        error = "skip extension cut short";
                        return false;
                    }
                    skip += ext;
                }
                if (n == 8) {
                    if (!readExtension(r, ext)) {
                        error = "length extension cut short";
                        return false;
                    }
                    n += ext;
                }
                if (at + skip + n > size || n > r.left()) {
                    error = "literal past the line";
                    return false;
                }
                at += skip;
                for (size_t k = 0; k < n; ++k) {
                    line[at++] = r.data[r.pos++];
                }
            } else {
                skip = (first >> 5) & 0x03;
                n = (first & 0x1F) + 2u;
                if (skip == 3) {
                    if (!readExtension(r, ext)) {
                        error = "skip extension cut short";
                        return false;
                    }
                    skip += ext;
                }
                if (n == 33) {
                    if (!readExtension(r, ext)) {
                        error = "count extension cut short";
                        return false;
                    }
                    n += ext;
                }
                unsigned char value = 0;
                if (!r.take(value) || at + skip + n > size) {
                    error = "run past the line";
                    return false;
                }
                at += skip;
                for (size_t k = 0; k < n; ++k) {
                    line[at++] = value;
                }
            }
        }
        previous = line;
        lines.push_back(std::move(line));
    }
    return true;
}

bool decodeMode9Body(const unsigned char* data, size_t length, size_t zeroBytes,
                     size_t pageCommandLength, int size, Lines& lines, std::string& error,
                     std::vector<size_t>* blockSizes) {
    lines.clear();
    if (size <= 0 || zeroBytes + pageCommandLength > length) {
        error = "body shorter than its lead-in";
        return false;
    }
    for (size_t i = 0; i < zeroBytes; ++i) {
        if (data[i] != 0) {
            error = "lead-in byte not zero";
            return false;
        }
    }
    Reader r{data, length, zeroBytes + pageCommandLength};
    std::vector<unsigned char> previous(static_cast<size_t>(size), 0);
    unsigned char b = 0;
    while (r.take(b)) {
        unsigned char c2 = 0, c3 = 0, lo = 0, hi = 0;
        if (b != 0x1B || !r.take(c2) || c2 != 0x5E || !r.take(c3) || c3 != 0x39 || !r.take(lo) ||
            !r.take(hi)) {
            error = "not a Mode 9 block at " + std::to_string(r.pos);
            return false;
        }
        const size_t n = lo | (hi << 8);
        if (n > r.left()) {
            error = "block past the end";
            return false;
        }
        if (blockSizes != nullptr) {
            blockSizes->push_back(n);
        }
        if (!decodeMode9Block(data + r.pos, n, previous, lines, error)) {
            return false;
        }
        r.pos += n;
    }
    return true;
}

bool writePbm(const std::string& path, const Lines& lines, int widthDots) {
    std::ofstream f(path, std::ios::binary);
    if (!f || widthDots <= 0) {
        return false;
    }
    const size_t rowBytes = (static_cast<size_t>(widthDots) + 7) / 8;
    f << "P4\n" << widthDots << " " << lines.size() << "\n";
    for (const auto& line : lines) {
        std::vector<unsigned char> row(rowBytes, 0);
        for (size_t i = 0; i < rowBytes && i < line.size(); ++i) {
            row[i] = line[i];
        }
        if (widthDots % 8 != 0) {
            row[rowBytes - 1] &= static_cast<unsigned char>(0xFF << (8 - widthDots % 8));
        }
        f.write(reinterpret_cast<const char*>(row.data()), static_cast<std::streamsize>(rowBytes));
    }
    f.close();
    return !f.fail();
}

}  // namespace raster_stream
