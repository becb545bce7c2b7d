#pragma once

namespace tpes {

// The command-protocol version a model speaks (89, 90, 100, 101 or 102) and the
// capability questions that command builders ask of it.
class CommandProtocol {
  public:
    virtual ~CommandProtocol() = default;

    // Normalises a stored version: 91-99 become 102, anything below 89 becomes 89
    // and anything above 102 becomes 102.
    static int versionForInt(int value);

    // The cancel sequence ends with the cancel command instead of initialise.
    bool isCancelCommandAvailable() const { return version >= 100; }
    // With Mode 9 the last page ends with the Mode 9 last-page command.
    bool shouldOutputLastPageCommandWhenMode9() const { return version == 90 || version > 100; }
    // With Mode 9 active the compression-mode command names Mode 9.
    bool isMode9AvailableInCompressCommand() const { return version > 100; }
    // The job stream leaves out the Mode 9 initialise command.
    bool isMode9InitCommandUnavailable() const { return version > 100; }
    bool isSupportBidirectionWhenSendingTemplateCommand() const { return version > 100; }
    bool isUnavailableGetStatusViaUSBPrint() const { return version > 100; }
    // File transfers set the printer's transfer time-out first.
    bool isAvailableSetTimeoutWhileTransferFile() const { return version > 101; }

    int version = 89;
};

}  // namespace tpes
