#pragma once

#include <array>

// The 128-byte media information blocks that follow ESC i U w (1B 69 55 77) at the page
// start of the four papers whose media type has bit 7 set. Every byte not named here is 0.
struct MediaInfoBlockRow {
    unsigned short paperId;
    unsigned char bytes0to3[4];
    unsigned char byte4;
    unsigned char bytes6to7[2];
    unsigned char bytes9to10[2];
    unsigned char bytes11to12[2];
    unsigned char byte13;
    unsigned char byte14;
    unsigned char byte18;
    unsigned char bytes22to23[2];
    const char* text78;  // ASCII, in a 16-byte zero-filled field at offset 78
    const char* text94;  // ASCII, in a 16-byte zero-filled field at offset 94
    unsigned char bytes112to114[3];
};

extern const MediaInfoBlockRow kMediaInfoBlockRows[4];

constexpr int kMediaInfoBlockLength = 128;

// The block of a paper id; false for an id without one.
bool mediaInfoBlockOf(unsigned short paperId,
                      std::array<unsigned char, kMediaInfoBlockLength>& out);
