#include "fuzzed_observer.h"

#include <cstring>

#include "common/error_code.h"
#include "connection/base_printer.h"
#include "connection/printer_status.h"

namespace lumeko_fuzz {

namespace {
constexpr int kMaxAliveRun = 64;
}

bool FuzzedObserver::anyFailure() const {
    for (const Call& c : calls_) {
        if (c.result <= 0 && c.slot != Slot::IsAliveSendTask && c.slot != Slot::ReceiveData) {
            return true;
        }
        if (c.slot == Slot::ReceiveData && c.result < 0) {
            return true;
        }
    }
    return false;
}

void FuzzedObserver::begin(Slot slot, const unsigned char* data, int length) {
    Call call{slot, {}, 0};
    if (data != nullptr && length > 0) {
        call.sent.assign(data, data + length);
    }
    calls_.push_back(std::move(call));
    if (cancelAt_ > 0 && static_cast<int>(calls_.size()) == cancelAt_) {
        BasePrinter::cancel_flag = true;
        PrinterStatus::error_code_ = 37;
    }
}

void FuzzedObserver::writeBounded(const std::vector<unsigned char>& bytes, unsigned char* buffer,
                                  int length) {
    if (buffer == nullptr || length <= 0 || bytes.empty()) {
        return;
    }
    const size_t n =
        bytes.size() < static_cast<size_t>(length) ? bytes.size() : static_cast<size_t>(length);
    std::memcpy(buffer, bytes.data(), n);
}

bool FuzzedObserver::sendData(int length, unsigned char* data) {
    begin(Slot::SendData, data, length);
    const bool ok = (in_.u8() & 1) == 0;
    end(ok);
    return ok;
}

bool FuzzedObserver::sendDataAsynchronous(int length, unsigned char* data) {
    begin(Slot::SendDataAsynchronous, data, length);
    const bool ok = (in_.u8() & 1) == 0;
    aliveRun_ = 0;
    end(ok);
    return ok;
}

bool FuzzedObserver::sendDataReceiveData(int length, unsigned char* data, int replyLength,
                                         unsigned char* reply) {
    begin(Slot::SendDataReceiveData, data, length);
    bool ok = true;
    switch (in_.u8() % 4) {
        case 0:
            writeBounded(in_.shortBytes(), reply, replyLength);
            break;
        case 1:
            ok = false;
            break;
        case 2:
            writeBounded(in_.shortBytes(), reply, replyLength);
            ok = false;
            break;
        default:
            break;
    }
    end(ok);
    return ok;
}

int FuzzedObserver::receiveData(int length, unsigned char* buffer, bool flag) {
    (void)flag;
    begin(Slot::ReceiveData, nullptr, 0);
    int count = 0;
    const int mode = in_.u8() % 5;
    if (mode == 1) {
        count = -1;
    } else {
        const std::vector<unsigned char> bytes = mode == 4 ? in_.longBytes() : in_.shortBytes();
        writeBounded(bytes, buffer, length);
        const int written = length <= 0 ? 0
                            : static_cast<int>(bytes.size()) < length
                                ? static_cast<int>(bytes.size())
                                : length;
        if (mode == 2) {
            count = in_.i32();
        } else if (mode == 3) {
            const long long over = static_cast<long long>(length) + 1 + in_.u8();
            count = over > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(over);
        } else {
            count = written;
        }
    }
    end(count);
    return count;
}

bool FuzzedObserver::sendString(std::string text) {
    begin(Slot::SendString, reinterpret_cast<const unsigned char*>(text.data()),
          static_cast<int>(text.size()));
    const bool ok = (in_.u8() & 1) == 0;
    end(ok);
    return ok;
}

bool FuzzedObserver::sendStringReceiveData(std::string request, int replyLength,
                                           unsigned char* reply) {
    begin(Slot::SendStringReceiveData, reinterpret_cast<const unsigned char*>(request.data()),
          static_cast<int>(request.size()));
    bool ok = true;
    switch (in_.u8() % 4) {
        case 0:
            writeBounded(in_.shortBytes(), reply, replyLength);
            break;
        case 1:
            ok = false;
            break;
        case 2:
            writeBounded(in_.shortBytes(), reply, replyLength);
            ok = false;
            break;
        default:
            break;
    }
    end(ok);
    return ok;
}

bool FuzzedObserver::sendStringReceiveString(std::string request, std::string& reply) {
    begin(Slot::SendStringReceiveString, reinterpret_cast<const unsigned char*>(request.data()),
          static_cast<int>(request.size()));
    bool ok = true;
    switch (in_.u8() % 3) {
        case 0:
            reply = in_.longText();
            break;
        case 1:
            ok = false;
            break;
        default:
            reply = in_.longText();
            ok = false;
            break;
    }
    end(ok);
    return ok;
}

bool FuzzedObserver::sendMessage(int code) {
    begin(Slot::SendMessage, nullptr, 0);
    messages_.push_back(code);
    const bool refused = refuseAt_ > 0 && static_cast<int>(calls_.size()) == refuseAt_;
    if (refused) {
        PrinterStatus::error_code_ = lumeko::error::kProgressRefused;
    }
    end(!refused);
    return !refused;
}

int FuzzedObserver::stopCall() const {
    const int made = static_cast<int>(calls_.size());
    const bool cancelled = cancelAt_ > 0 && cancelAt_ <= made;
    const bool refused = refuseAt_ > 0 && refuseAt_ <= made &&
                         calls_[static_cast<size_t>(refuseAt_ - 1)].slot == Slot::SendMessage;
    if (cancelled && refused) {
        return cancelAt_ < refuseAt_ ? cancelAt_ : refuseAt_;
    }
    return cancelled ? cancelAt_ : refused ? refuseAt_ : 0;
}

bool FuzzedObserver::isAliveSendTask() {
    begin(Slot::IsAliveSendTask, nullptr, 0);
    bool alive = (in_.u8() & 1) != 0;
    if (alive && ++aliveRun_ > kMaxAliveRun) {
        alive = false;
    }
    if (!alive) {
        aliveRun_ = 0;
    }
    end(alive);
    return alive;
}

bool FuzzedObserver::resetPrinterResultErrorCodeIfCommunicationError() {
    begin(Slot::Reset, nullptr, 0);
    end(1);
    return true;
}

}  // namespace lumeko_fuzz
