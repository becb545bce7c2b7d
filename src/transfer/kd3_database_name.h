#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "transfer/database_parameters.h"
#include "transfer/kd3_data_calculator.h"

namespace tl {
namespace database {

// What the two forms of the database name share: the name widened byte by byte (a UTF-8 name
// is not decoded) and its 16-bit size.

// Every byte of name followed by the byte after.
inline std::vector<unsigned char> widenName(const std::string& name, unsigned char after) {
    std::vector<unsigned char> encoded;
    encoded.reserve(name.size() * 2);
    for (char c : name) {
        encoded.push_back(static_cast<unsigned char>(c));
        encoded.push_back(after);
    }
    return encoded;
}

// A DATABASE_NAME record (size, name) for a model: for the model with database tables the
// name that encode() gives and its size; for another model no name and size 00 00; for a name
// whose encoded length does not fit the 16-bit size no name (and no size).
template <typename DatabaseName, typename Encode>
DatabaseName databaseNameFor(Parameters::MODEL model, Encode encode) {
    DatabaseName result;
    KD3DataCalculator calculator;
    if (model != Parameters::MODEL_KX_C270W) {
        result.size = calculator.convertFrom16bitTo8bit_x2(0);
        return result;
    }
    result.name = encode();
    if (result.name.size() > 0xFFFF) {
        result.name.clear();  // a size the 16-bit field cannot hold: no name
        return result;
    }
    result.size = calculator.convertFrom16bitTo8bit_x2(static_cast<uint16_t>(result.name.size()));
    return result;
}

}  // namespace database
}  // namespace tl
