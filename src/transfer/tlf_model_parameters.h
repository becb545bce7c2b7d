#pragma once

#include <string>
#include <vector>

#include "transfer/database_parameters.h"

namespace tl {
namespace database {

// The printer model name carried in a database package.
class TLFModelParameters {
  public:
    virtual ~TLFModelParameters() = default;

    // "KX-C270W" with its closing bytes for the model with database tables; none otherwise.
    std::vector<unsigned char> getModelName(Parameters::MODEL model);
    // The bytes of text, then 00, then one more 00 when the length is odd; none for an empty
    // text.
    std::vector<unsigned char> convertFromStringToVector(const std::string& text);
};

}  // namespace database
}  // namespace tl
