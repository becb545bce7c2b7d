#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/raster_print_option.h"

namespace bridge {

// The host types of option fields, read by name and type signature.
enum class HostType { Int, Boolean, Double, String, Bytes };

// The type signature of a host type: "I", "Z", "D", "Ljava/lang/String;" or "[B".
const char* hostSignature(HostType type);

// One value read from a host field. Strings arrive as UTF-8; hasBytes is false for a null
// byte array.
struct HostValue {
    std::int32_t i = 0;
    bool z = false;
    double d = 0.0;
    std::string text;
    bool hasBytes = false;
    std::vector<unsigned char> bytes;
};

// One host field of the print options and how its value is stored in the record.
struct PrintOptionField {
    const char* name;
    HostType type;
    void (*store)(RasterPrintOption& option, const HostValue& value);
};

constexpr std::size_t kPrintOptionFieldCount = 45;

// The host fields of the print options, in the order they are read. Narrow fields keep the
// low bits of the host int; "skipStatusCheck" is stored inverted as doStatusCheck; a null
// "customPaperCommand" keeps the stored bytes.
const std::array<PrintOptionField, kPrintOptionFieldCount>& printOptionFields();

}  // namespace bridge
