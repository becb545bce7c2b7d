#pragma once

#include "connection/communication_observer.h"

// Holder of the host's observer for one operation. The observer is not owned: this
// system never deletes it. A null observer counts as "no observer" (error code 39).
class Connect {
  public:
    virtual ~Connect() {}

    CommunicationObserver* observer = nullptr;
};
