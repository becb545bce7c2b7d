#include "bridge/standing_settings.h"

namespace bridge {

StandingSettings& standingSettings() {
    static StandingSettings settings;
    return settings;
}

}  // namespace bridge
