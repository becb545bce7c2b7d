#include "catalogue/command_protocol.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandProtocol, VersionForIntNormalises) {
    const struct {
        int in;
        int out;
    } cases[] = {{0, 89},    {88, 89},   {89, 89},   {90, 90},   {91, 102},  {95, 102}, {99, 102},
                 {100, 100}, {101, 101}, {102, 102}, {103, 102}, {255, 102}, {-1, 89}};
    for (const auto& c : cases) {
        EXPECT_EQ(tpes::CommandProtocol::versionForInt(c.in), c.out) << "value " << c.in;
    }
}

TEST(CommandProtocol, CapabilityMatrix) {
    // Columns: cancel, last page with Mode 9, Mode 9 in compress command, Mode 9 init
    // unavailable, bidirectional template sending, no status via USB print, transfer timeout.
    const struct {
        int version;
        bool answers[7];
    } rows[] = {
        {89, {false, false, false, false, false, false, false}},
        {90, {false, true, false, false, false, false, false}},
        {100, {true, false, false, false, false, false, false}},
        {101, {true, true, true, true, true, true, false}},
        {102, {true, true, true, true, true, true, true}},
    };
    for (const auto& row : rows) {
        tpes::CommandProtocol p;
        p.version = row.version;
        const bool got[7] = {p.isCancelCommandAvailable(),
                             p.shouldOutputLastPageCommandWhenMode9(),
                             p.isMode9AvailableInCompressCommand(),
                             p.isMode9InitCommandUnavailable(),
                             p.isSupportBidirectionWhenSendingTemplateCommand(),
                             p.isUnavailableGetStatusViaUSBPrint(),
                             p.isAvailableSetTimeoutWhileTransferFile()};
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(got[i], row.answers[i]) << "version " << row.version << " question " << i;
        }
    }
}

TEST(CommandProtocol, DefaultsToVersion89) {
    EXPECT_EQ(tpes::CommandProtocol().version, 89);
}

}  // namespace
