#pragma once

namespace TL {

// The paper-definition file of each custom-paper model, by the model's full name.
struct KXDFileNameRow {
    const char* modelName;
    const char* fileName;
};

constexpr KXDFileNameRow kKXDFileNames[] = {
    {"Talvora SN-7400D", "tsn740ad.txt"},    {"Talvora SN-7500D", "tsn750ad.txt"},
    {"Talvora SN-7410DN", "tsn741ad.txt"},   {"Talvora SN-7510DN", "tsn751ad.txt"},
    {"Talvora SN-7550DNWB", "tsn755ad.txt"}, {"Talvora HU-3650WB", "tsu365ad.txt"},
    {"Talvora HU-3620B", "tsu362ad.txt"},    {"Talvora HU-3430", "tsu343ad.txt"},
    {"Talvora HU-3430Ai", "tsu343aiad.txt"}, {"Talvora HU-3440", "tsu344ad.txt"},
    {"Talvora SN-7000", "tsn70ad.txt"},      {"Talvora SN-7100N", "tsn71nad.txt"},
};

}  // namespace TL
