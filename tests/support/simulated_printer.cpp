#include "simulated_printer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "connection/printer_status.h"

int SimulatedPrinter::destroyed_ = 0;

namespace {

using Call = SimulatedPrinter::Call;

// A call of a send slot with the bytes handed over (none for a null or empty buffer).
Call sendCall(SimulatedPrinter::Slot slot, const unsigned char* data, int length) {
    Call call;
    call.slot = slot;
    if (data != nullptr && length > 0) {
        call.bytes.assign(data, data + length);
    }
    return call;
}

// Writes at most `length` of `bytes` into the caller's buffer and records them as written;
// returns their count.
size_t writeInto(const std::vector<unsigned char>& bytes, int length, unsigned char* buffer,
                 Call& call) {
    if (buffer == nullptr || length <= 0) {
        return 0;
    }
    const size_t n = std::min(bytes.size(), static_cast<size_t>(length));
    std::copy(bytes.begin(), bytes.begin() + static_cast<long>(n), buffer);
    call.written.assign(bytes.begin(), bytes.begin() + static_cast<long>(n));
    return n;
}

}  // namespace

const char* slotName(SimulatedPrinter::Slot slot) {
    switch (slot) {
        case SimulatedPrinter::Slot::SendData:
            return "sendData";
        case SimulatedPrinter::Slot::SendDataAsynchronous:
            return "sendDataAsynchronous";
        case SimulatedPrinter::Slot::SendDataReceiveData:
            return "sendDataReceiveData";
        case SimulatedPrinter::Slot::ReceiveData:
            return "receiveData";
        case SimulatedPrinter::Slot::SendString:
            return "sendString";
        case SimulatedPrinter::Slot::SendStringReceiveData:
            return "sendStringReceiveData";
        case SimulatedPrinter::Slot::SendStringReceiveString:
            return "sendStringReceiveString";
        case SimulatedPrinter::Slot::SendMessage:
            return "sendMessage";
        case SimulatedPrinter::Slot::IsAliveSendTask:
            return "isAliveSendTask";
        case SimulatedPrinter::Slot::ResetPrinterResultErrorCode:
            return "resetPrinterResultErrorCodeIfCommunicationError";
    }
    return "?";
}

SimulatedPrinter::~SimulatedPrinter() {
    ++destroyed_;
}

void SimulatedPrinter::onExchange(std::vector<unsigned char> prefix, std::vector<Reply> replies) {
    exchangeRules_[std::move(prefix)] = Rule{std::move(replies), 0};
}

void SimulatedPrinter::onOid(const std::string& oid, std::vector<Reply> replies) {
    oidRules_[oid] = Rule{std::move(replies), 0};
}

void SimulatedPrinter::queueRecord(Record record) {
    records_.push_back(std::move(record));
}

void SimulatedPrinter::setDefaultRecord(std::vector<unsigned char> bytes) {
    hasDefaultRecord_ = true;
    defaultRecord_ = std::move(bytes);
}

void SimulatedPrinter::script(std::vector<Step> steps) {
    script_ = std::move(steps);
    scriptPosition_ = 0;
    scripted_ = true;
}

std::vector<SimulatedPrinter::Call> SimulatedPrinter::calls(Slot slot) const {
    std::vector<Call> out;
    for (const Call& c : calls_) {
        if (c.slot == slot) {
            out.push_back(c);
        }
    }
    return out;
}

std::vector<std::vector<unsigned char>> SimulatedPrinter::sentData() const {
    std::vector<std::vector<unsigned char>> out;
    for (const Call& c : calls_) {
        if (c.slot == Slot::SendData) {
            out.push_back(c.bytes);
        }
    }
    return out;
}

bool SimulatedPrinter::begin(Call& call) {
    const int overall = static_cast<int>(calls_.size()) + 1;
    const int ofSlot = ++slotCounts_[call.slot];
    auto hook = hooks_.find(overall);
    if (hook != hooks_.end()) {
        hook->second();
    }
    auto slotHooks = slotHooks_.find(call.slot);
    if (slotHooks != slotHooks_.end()) {
        auto h = slotHooks->second.find(ofSlot);
        if (h != slotHooks->second.end()) {
            h->second();
        }
    }
    bool fail = std::find(failOverall_.begin(), failOverall_.end(), overall) != failOverall_.end();
    auto bySlot = failBySlot_.find(call.slot);
    if (bySlot != failBySlot_.end() &&
        std::find(bySlot->second.begin(), bySlot->second.end(), ofSlot) != bySlot->second.end()) {
        fail = true;
    }
    return fail;
}

void SimulatedPrinter::finish(Call& call) {
    calls_.push_back(call);
}

void SimulatedPrinter::storeOwnError() const {
    if (ownErrorCode_ != 0) {
        PrinterStatus::error_code_ = ownErrorCode_;
    }
}

const SimulatedPrinter::Step* SimulatedPrinter::nextStep(const Call& call) {
    if (scriptPosition_ >= script_.size()) {
        ADD_FAILURE() << "unexpected call after the script ended: " << slotName(call.slot);
        return nullptr;
    }
    const Step& step = script_[scriptPosition_++];
    if (step.slot != call.slot) {
        ADD_FAILURE() << "script step " << scriptPosition_ << " expected " << slotName(step.slot)
                      << ", got " << slotName(call.slot);
        return nullptr;
    }
    if (step.checkSent && step.sent != call.bytes) {
        ADD_FAILURE() << "script step " << scriptPosition_ << " (" << slotName(call.slot)
                      << "): other bytes than expected";
        return nullptr;
    }
    if (!step.request.empty() && step.request != call.request) {
        ADD_FAILURE() << "script step " << scriptPosition_ << " expected request " << step.request
                      << ", got " << call.request;
        return nullptr;
    }
    return &step;
}

const SimulatedPrinter::Reply& SimulatedPrinter::take(Rule& rule) {
    const Reply& r = rule.replies[std::min(rule.next, rule.replies.size() - 1)];
    if (rule.next < rule.replies.size()) {
        ++rule.next;
    }
    return r;
}

bool SimulatedPrinter::writeReply(const Reply& reply, int replyLength, unsigned char* buffer,
                                  Call& call) {
    if (!reply.ok) {
        storeOwnError();
        return false;
    }
    if (reply.write) {
        writeInto(reply.bytes, replyLength, buffer, call);
    }
    return true;
}

const SimulatedPrinter::Reply* SimulatedPrinter::oidAnswer(const Call& call) {
    auto rule = oidRules_.find(call.request);
    if (rule == oidRules_.end() || rule->second.replies.empty()) {
        ADD_FAILURE() << "no rule answers " << slotName(call.slot) << " of " << call.request;
        storeOwnError();
        return nullptr;
    }
    return &take(rule->second);
}

bool SimulatedPrinter::plainSend(Call& call, bool unscriptedResult) {
    bool ok = !begin(call);
    if (ok && scripted_) {
        const Step* step = nextStep(call);
        ok = step != nullptr && step->reply.ok;
    } else if (ok) {
        ok = unscriptedResult;
    }
    if (!ok) {
        storeOwnError();
    }
    call.result = ok;
    finish(call);
    return ok;
}

bool SimulatedPrinter::sendData(int length, unsigned char* data) {
    Call call = sendCall(Slot::SendData, data, length);
    call.length = length;
    return plainSend(call, sendDataResult_);
}

bool SimulatedPrinter::sendDataAsynchronous(int length, unsigned char* data) {
    Call call = sendCall(Slot::SendDataAsynchronous, data, length);
    call.length = length;
    return plainSend(call, true);
}

bool SimulatedPrinter::sendDataReceiveData(int length, unsigned char* data, int replyLength,
                                           unsigned char* reply) {
    Call call = sendCall(Slot::SendDataReceiveData, data, length);
    call.length = replyLength;
    bool ok = false;
    if (begin(call)) {
        storeOwnError();
    } else if (scripted_) {
        const Step* step = nextStep(call);
        ok = step != nullptr && writeReply(step->reply, replyLength, reply, call);
    } else {
        Rule* best = nullptr;
        size_t bestLength = 0;
        for (auto& entry : exchangeRules_) {
            const auto& prefix = entry.first;
            if (prefix.size() <= call.bytes.size() &&
                std::equal(prefix.begin(), prefix.end(), call.bytes.begin()) &&
                (best == nullptr || prefix.size() >= bestLength)) {
                best = &entry.second;
                bestLength = prefix.size();
            }
        }
        if (best == nullptr || best->replies.empty()) {
            ADD_FAILURE() << "no rule answers sendDataReceiveData of " << call.bytes.size()
                          << " bytes";
            storeOwnError();
        } else {
            ok = writeReply(take(*best), replyLength, reply, call);
        }
    }
    call.result = ok;
    finish(call);
    return ok;
}

int SimulatedPrinter::receiveData(int length, unsigned char* buffer, bool flag) {
    Call call;
    call.slot = Slot::ReceiveData;
    call.length = length;
    call.flag = flag;
    int result = -1;
    Record record;
    bool have = false;
    if (begin(call)) {
        storeOwnError();
    } else if (scripted_) {
        const Step* step = nextStep(call);
        if (step != nullptr) {
            record = step->record;
            have = true;
        }
    } else if (!records_.empty()) {
        record = std::move(records_.front());
        records_.pop_front();
        have = true;
    } else if (hasDefaultRecord_) {
        record = Record(defaultRecord_);
        have = true;
    } else {
        ADD_FAILURE() << "receiveData with no record queued";
    }
    if (have) {
        const size_t n = writeInto(record.bytes, length, buffer, call);
        result = record.hasCount ? record.count : static_cast<int>(n);
        if (result < 0) {
            storeOwnError();
        }
    }
    call.result = result;
    finish(call);
    return result;
}

bool SimulatedPrinter::sendString(std::string text) {
    Call call;
    call.slot = Slot::SendString;
    call.request = std::move(text);
    return plainSend(call, true);
}

bool SimulatedPrinter::sendStringReceiveData(std::string request, int replyLength,
                                             unsigned char* reply) {
    Call call;
    call.slot = Slot::SendStringReceiveData;
    call.request = std::move(request);
    call.length = replyLength;
    bool ok = false;
    if (begin(call)) {
        storeOwnError();
    } else if (scripted_) {
        const Step* step = nextStep(call);
        ok = step != nullptr && writeReply(step->reply, replyLength, reply, call);
    } else {
        const Reply* answer = oidAnswer(call);
        ok = answer != nullptr && writeReply(*answer, replyLength, reply, call);
    }
    call.result = ok;
    finish(call);
    return ok;
}

bool SimulatedPrinter::sendStringReceiveString(std::string request, std::string& reply) {
    Call call;
    call.slot = Slot::SendStringReceiveString;
    call.request = std::move(request);
    bool ok = false;
    const Reply* answer = nullptr;
    if (begin(call)) {
        storeOwnError();
    } else if (scripted_) {
        const Step* step = nextStep(call);
        answer = step != nullptr ? &step->reply : nullptr;
    } else {
        answer = oidAnswer(call);
    }
    if (answer != nullptr) {
        ok = answer->ok;
        if (!ok) {
            storeOwnError();
        } else if (answer->write) {
            reply = answer->textReply;
            call.written.assign(reply.begin(), reply.end());
        }
    }
    call.result = ok;
    finish(call);
    return ok;
}

bool SimulatedPrinter::sendMessage(int code) {
    Call call;
    call.slot = Slot::SendMessage;
    call.code = code;
    messages_.push_back(code);
    bool ok = !begin(call);
    call.result = ok;
    finish(call);
    return ok;
}

bool SimulatedPrinter::isAliveSendTask() {
    Call call;
    call.slot = Slot::IsAliveSendTask;
    begin(call);
    call.result = aliveSendTask_;
    finish(call);
    return aliveSendTask_;
}

bool SimulatedPrinter::resetPrinterResultErrorCodeIfCommunicationError() {
    Call call;
    call.slot = Slot::ResetPrinterResultErrorCode;
    bool ok = !begin(call);
    call.result = ok;
    finish(call);
    return ok;
}
