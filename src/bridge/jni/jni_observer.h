#pragma once

#include <string>

#include "connection/communication_observer.h"

namespace bridge::jni {

// The transport of every host call: forwards each operation to the callback of the observer
// bound in the call context. It has no state of its own. Failures set the process-wide error
// code: 40 when the binding failed, a host array or reply is missing or short, or a progress
// message is refused; 6 when the host answers false, a negative count, or throws.
class JNIObserver : public CommunicationObserver {
  public:
    bool sendData(int length, unsigned char* data) override;
    bool sendDataAsynchronous(int length, unsigned char* data) override;
    bool sendDataReceiveData(int length, unsigned char* data, int replyLength,
                             unsigned char* reply) override;
    int receiveData(int length, unsigned char* buffer, bool flag) override;
    bool sendString(std::string text) override;
    bool sendStringReceiveData(std::string request, int replyLength, unsigned char* reply) override;
    bool sendStringReceiveString(std::string request, std::string& reply) override;
    bool sendMessage(int code) override;
    bool isAliveSendTask() override;
    bool resetPrinterResultErrorCodeIfCommunicationError() override;
};

}  // namespace bridge::jni
