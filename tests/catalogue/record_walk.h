#pragma once

#include <vector>

// Item boundaries of a model record, computed from the item sizes alone: tag 1 takes 45
// bytes; 2 and 3 take 3; 4, 13, 15, 20, 21 and 22 take 2; 5, 12, 14 and 16 take 4; 6 and
// 18 take 5; 17 takes 10; 19 takes 7; 7 takes 2 + 3n and 8 to 11 take 2 + 5n, n being the
// byte after the tag.
namespace record_walk {

// Size of the item whose tag is at data[0], with `remaining` bytes from there on; -1 for
// an unknown tag or an item that does not fit.
inline int itemSize(const unsigned char* data, int remaining) {
    if (remaining < 1) {
        return -1;
    }
    static const int fixed[23] = {-1, 45, 3, 3, 2, 4,  5, 0, 0, 0, 0, 0,
                                  4,  2,  4, 2, 4, 10, 5, 7, 2, 2, 2};
    const int tag = data[0];
    if (tag < 1 || tag > 22) {
        return -1;
    }
    int size = fixed[tag];
    if (tag >= 7 && tag <= 11) {
        if (remaining < 2) {
            return -1;
        }
        size = 2 + data[1] * (tag == 7 ? 3 : 5);
    }
    return size <= remaining ? size : -1;
}

// Offsets at which the decoding of `data` stands between items: 0, then the end of each
// complete item up to the first unknown tag or incomplete item.
inline std::vector<int> boundaries(const unsigned char* data, int length) {
    std::vector<int> out{0};
    int position = 0;
    while (position < length) {
        const int size = itemSize(data + position, length - position);
        if (size < 0) {
            break;
        }
        position += size;
        out.push_back(position);
    }
    return out;
}

// Tags of the complete items, in order.
inline std::vector<int> tags(const unsigned char* data, int length) {
    std::vector<int> out;
    const std::vector<int> b = boundaries(data, length);
    for (size_t i = 0; i + 1 < b.size(); ++i) {
        out.push_back(data[b[i]]);
    }
    return out;
}

}  // namespace record_walk
