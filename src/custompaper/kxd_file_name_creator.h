#pragma once

#include <string>

namespace TL {

// Names the paper-definition file of each custom-paper model.
class KXDFileNameCreator {
  public:
    KXDFileNameCreator() = default;
    KXDFileNameCreator(const KXDFileNameCreator&) = default;
    KXDFileNameCreator& operator=(const KXDFileNameCreator&) = default;
    virtual ~KXDFileNameCreator() = default;

    // The file name for the model's full name (compared as a whole), or "".
    std::string getKXDFileName(std::string modelName) const;
};

}  // namespace TL
