#include "catalogue/command_protocol.h"

namespace tpes {

int CommandProtocol::versionForInt(int value) {
    if (value < 89) {
        return 89;
    }
    if (value > 102 || (value > 90 && value < 100)) {
        return 102;
    }
    return value;
}

}  // namespace tpes
