#pragma once

#include <vector>

#include "transfer/database_parameters.h"

namespace tl {
namespace database {

// The tables of the database file per printer model and country.
class KD3ModelParameters {
  public:
    // How the native data of a model is laid out.
    struct MODEL_PARAMETERS {
        virtual ~MODEL_PARAMETERS() = default;

        std::vector<unsigned char> recordTerminator;  // 2 bytes after every row
        unsigned char fieldSeparator = 0x00;          // between the cells of a row
        // 1: the size or the text of that name form is written; 0: it is not (no name is
        // built).
        int unicodeNameSizePlacement = 0;
        int unicodeNameTextPlacement = 0;
        int localCodeNameSizePlacement = 0;
        int localCodeNameTextPlacement = 0;
        int reserved1 = 0;
        int reserved2 = 0;
    };

    // The codes a printer reports at offsets 3 and 4 of its status reply.
    struct STATUS_CODE {
        virtual ~STATUS_CODE() = default;

        unsigned char seriesCode = 0x00;
        unsigned char modelCode = 0x00;
    };

    virtual ~KD3ModelParameters() = default;

    MODEL_PARAMETERS getKD3ModelParameters(Parameters::MODEL model);
    STATUS_CODE getSeriesCodeAndModelCode(Parameters::MODEL model);
    // '0' to '8' for the countries 0 to 8; 00 for any other value.
    unsigned char getCountryCode(Parameters::COUNTRY country);
    // The code page as 2 bytes little-endian: E4 04 (1252) for country 0, else 00 00.
    std::vector<unsigned char> getCodePage(Parameters::COUNTRY country);
};

}  // namespace database
}  // namespace tl
