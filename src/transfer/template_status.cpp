#include "transfer/template_status.h"

#include <algorithm>
#include <cstring>

#include "common/error_code.h"
#include "connection/error_state.h"
#include "connection/printer_mib_oids.h"
#include "connection/printer_status.h"

namespace {

namespace Reply = TransferStatusReply;

// ESC i F S (1B 69 46 53): transfer status request
const unsigned char kTransferStatusRequest[] = {0x1B, 0x69, 0x46, 0x53};

namespace error = lumeko::error;
using lumeko::setErrorCode;

CommunicationObserver* observerOf(const Connect* connect) {
    return connect != nullptr ? connect->observer : nullptr;
}

void storeStatus(const unsigned char* bytes) {
    std::memcpy(PrinterStatus::status_byte_, bytes, Reply::kLength);
}

}  // namespace

bool TemplateStatus::checkTemplateHeader() {
    const unsigned char* s = PrinterStatus::status_byte_;
    if (s[0] == 0x81 && s[1] == 0x20 && s[2] == 0x42) {
        return true;
    }
    setErrorCode(error::kNotStatusReply);
    return false;
}

bool TemplateStatus::checkTransStatus() {
    const unsigned char* s = PrinterStatus::status_byte_;
    const unsigned char type = s[Reply::kStatusType];
    if (type < 2) {
        PrinterStatus::process_status_ = 1;
        checkTemplateHeader();
        return true;
    }
    if (type > 2) {
        setErrorCode(error::kCommunication);
        return false;
    }
    PrinterStatus::process_status_ = 2;
    const unsigned char e1 = s[Reply::kErrorByte1];
    const unsigned char e2 = s[Reply::kErrorByte2];
    if (e1 == 1 || e2 == 1) {
        setErrorCode(error::kOtherPrinterData);
    } else if (e1 == 2) {
        setErrorCode(error::kCommunication);
    } else if (e2 == 4) {
        setErrorCode(error::kTemplateFunctionsRefused);
    } else if (e1 == 0x80 || e2 == 0x80) {
        setErrorCode(error::kPrinterBusy);
    } else {
        setErrorCode(error::kCommunication);
    }
    return false;
}

bool TemplateStatus::updateTemplateStatus() {
    std::memset(PrinterStatus::status_byte_, 0, Reply::kLength);
    CommunicationObserver* const target = observerOf(connect);
    unsigned char reply[Reply::kLength] = {};
    bool ok = false;
    if (target != nullptr) {
        if (port == PORT_NET) {
            ok = target->sendStringReceiveData(tpes::PrinterMibOids::oidTemplateStatusReply,
                                               Reply::kLength, reply);
        } else {
            ok = target->sendDataReceiveData(static_cast<int>(sizeof kTransferStatusRequest),
                                             const_cast<unsigned char*>(kTransferStatusRequest),
                                             Reply::kLength, reply);
        }
    }
    if (!ok) {
        setErrorCode(error::kCommunication);
        return false;
    }
    storeStatus(reply);
    return checkTransStatus();
}

bool TemplateStatus::receiveStatus(bool sendEnd) {
    CommunicationObserver* const target = observerOf(connect);
    lumeko::sendProgressTo(target, 10);
    unsigned char reply[Reply::kLength] = {};
    bool ok = false;
    if (target != nullptr) {
        if (port == PORT_NET) {
            ok = target->sendStringReceiveData(tpes::PrinterMibOids::oidTemplateStatusReply,
                                               Reply::kLength, reply);
        } else {
            // The printer sends the status by itself: nothing is sent.
            ok = target->receiveData(Reply::kLength, reply, true) == Reply::kLength;
        }
    }
    if (sendEnd) {
        lumeko::sendProgressTo(target, 11);
    }
    if (!ok) {
        setErrorCode(error::kCommunication);
        return false;
    }
    storeStatus(reply);
    return checkTransStatus();
}
