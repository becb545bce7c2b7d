#pragma once

#include <string>

// Paper ids of the full-page lists (cut sheet, roll, retract) and of the A7 and A6 lists.
// Paper ids 254 and 255 are shared by every list: 254 is a custom size (the last row of each
// full-page list and the paper built from a custom paper command), 255 means no paper chosen.
enum MPPaperName : unsigned short {
    MP_A4 = 1,
    MP_A5 = 2,
    MP_A5_LANDSCAPE = 3,
    MP_LETTER = 4,
    MP_LEGAL = 5,
    MP_A7 = 6,
    MP_A6 = 7,
    PAPER_ID_CUSTOM = 254,
    PAPER_ID_NONE = 255,
};

// Paper ids of the label, tape, tube and flag-label lists. Ids 30 and 42-47 are unused.
// Where several lists hold one id, the row stands for the same size in each.
enum KXPaperName : unsigned short {
    // Fixed-length labels (width x length in mm).
    KX_W17H54 = 1,
    KX_W17H87 = 2,
    KX_W23H23 = 3,
    KX_W29H42 = 4,
    KX_W29H90 = 5,
    KX_W38H90 = 6,
    KX_W39H48 = 7,
    KX_W52H29 = 8,
    KX_W62H29 = 9,
    KX_W62H100 = 10,
    // Continuous labels; 11 is also the 12 mm tape of the tape lists.
    KX_W12 = 11,
    KX_W29 = 12,
    KX_W38 = 13,
    KX_W50 = 14,
    KX_W54 = 15,
    KX_W62 = 16,
    KX_W60H86 = 17,
    // Tapes.
    KX_TAPE_3_5 = 18,
    KX_TAPE_6 = 19,
    KX_TAPE_9 = 20,
    KX_TAPE_18 = 21,
    KX_TAPE_24 = 22,
    // Heat-shrink tubes.
    KX_HS_5_8 = 23,
    KX_HS_8_8 = 24,
    KX_HS_11_7 = 25,
    KX_HS_17_7 = 26,
    KX_HS_23_6 = 27,
    KX_TAPE_36 = 28,
    // Tubes (diameter in mm).
    KX_TUBE_6_5 = 29,
    KX_TUBE_6_0 = 31,
    KX_TUBE_5_0 = 32,
    KX_TUBE_4_0 = 33,
    KX_TUBE_3_5 = 34,
    KX_TUBE_3_0 = 35,
    KX_TUBE_2_5 = 36,
    KX_FLAG_W21H45 = 37,
    KX_W62_TWO_COLOR = 38,
    KX_W54H29 = 39,
    KX_W102 = 40,
    KX_W102H51 = 41,
    KX_W102H152 = 48,
    KX_W103 = 49,
    KX_W103H164 = 50,
    // Labels whose page start carries the additional media information block.
    KX_DT_W90 = 51,
    KX_DT_W102 = 52,
    KX_DT_W102H51 = 53,
    KX_DT_W102H152 = 54,
    // Circular labels (diameter in mm).
    KX_W12_DIA = 55,
    KX_W24_DIA = 56,
    KX_W58_DIA = 57,
};

// Media type codes: `mediaType` as the printer reports it in status byte 11, and
// `qualityMediaType` where it is not 0.
//
// Bit 7 (0x8a, 0x8b) marks a paper whose page start carries the additional media information
// block of its id and before whose job no status request is made; the print information sends
// the type with bit 7 cleared.
constexpr unsigned char MEDIA_TYPE_PLAIN = 0x00;             // full-page, A7, A6 and KX36 tapes
constexpr unsigned char MEDIA_TYPE_TAPE = 0x01;              // tapes of the KX and KX3 lists
constexpr unsigned char MEDIA_TYPE_TAPE_QUALITY = 0x09;      // quality type of KX and KX36 tapes
constexpr unsigned char MEDIA_TYPE_CONTINUOUS = 0x0a;        // continuous-length labels
constexpr unsigned char MEDIA_TYPE_FIXED_LENGTH = 0x0b;      // fixed-length and circular labels
constexpr unsigned char MEDIA_TYPE_HEAT_SHRINK = 0x11;       // heat-shrink tubes ("HS")
constexpr unsigned char MEDIA_TYPE_TUBE = 0x12;              // tubes
constexpr unsigned char MEDIA_TYPE_FLAG_LABEL = 0x13;        // flag label
constexpr unsigned char MEDIA_TYPE_CONTINUOUS_EXT = 0x8a;    // continuous, additional media block
constexpr unsigned char MEDIA_TYPE_FIXED_LENGTH_EXT = 0x8b;  // fixed length, additional block
constexpr unsigned char MEDIA_TYPE_EXT_BIT = 0x80;           // bit 7: additional media block

// One paper of a model's paper list. Dots are dots of the model's print head at its
// resolution; the *TenthMm fields hold tenths of a millimetre. The default state (every number
// 0, both names empty) is what a printer operation holds until a paper is selected.
struct Paper {
    unsigned short paperId = 0;
    std::string paperNameMm;  // empty: not compared with the loaded media by the status check
    std::string paperNameInch;
    float widthMm = 0.0f;   // the A7 and A6 rows hold centimetre figures
    float lengthMm = 0.0f;  // 0 for continuous media
    unsigned short widthDots = 0;
    unsigned short lengthDots = 0;  // 0 marks continuous media; 65535 on full-page custom rows
    unsigned short leftOffsetDots = 0;
    unsigned short rightOffsetDots = 0;
    unsigned short sideMarginDots = 0;
    unsigned short feedMarginDots = 0;
    unsigned short reserved1 = 0;
    unsigned short reserved2 = 0;
    unsigned short printableWidthDots = 0;
    unsigned short printableLengthDots = 0;
    unsigned short leftOffsetBytes = 0;
    unsigned char mediaWidthMm = 0;   // status byte 10; tube diameter in 0.1 mm for tubes
    unsigned char mediaLengthMm = 0;  // status byte 17; 0 for continuous media
    unsigned char mediaType = 0;      // status byte 11
    unsigned char qualityMediaType = 0;
    unsigned short fcPaperCommandValue = 0;
    bool isTube = false;
    unsigned short mediaId = 0;
    unsigned short widthTenthMm = 0;
    unsigned short lengthTenthMm = 0;
    unsigned short printableWidthTenthMm = 0;
    unsigned short printableLengthTenthMm = 0;
    unsigned char mediaColorCode = 0;
    bool isTwoColor = false;
    bool isCustomSize = false;
    unsigned short lengthValue1 = 0;
    unsigned short lengthValue2 = 0;
    unsigned short lengthValue3 = 0;
    unsigned short minLengthTenthMm = 0;  // shortest continuous job; 0 = no limit
    bool checkInkColor = false;
    unsigned short inkColor = 0;
    bool checkLabelColor = false;
    unsigned short labelColor = 0;

    Paper() = default;
    Paper(const Paper&) = default;
    Paper& operator=(const Paper&) = default;

    // Copies every number and takes over both names; the source keeps its numbers and is
    // left with empty names.
    Paper(Paper&& other) noexcept {
        std::string nameMm;
        std::string nameInch;
        nameMm.swap(other.paperNameMm);
        nameInch.swap(other.paperNameInch);
        *this = other;  // both names of `other` are empty now: nothing is allocated
        paperNameMm.swap(nameMm);
        paperNameInch.swap(nameInch);
    }

    ~Paper() = default;

    // Continuous (free-length) media. The full-page custom rows (65535) are not free length.
    bool isFreeLength() const { return lengthDots == 0; }
};
