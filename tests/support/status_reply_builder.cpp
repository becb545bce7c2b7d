#include "status_reply_builder.h"

#include "model_spec.h"

StatusReplyBuilder::StatusReplyBuilder() {
    bytes_[0] = 0x80;
    bytes_[1] = 0x20;
    bytes_[2] = 0x42;
}

StatusReplyBuilder::StatusReplyBuilder(const PrinterSpec& spec) : StatusReplyBuilder() {
    bytes_[3] = spec.seriesCode;
    bytes_[4] = spec.modelCode;
}

StatusReplyBuilder::StatusReplyBuilder(Model model) : StatusReplyBuilder(specOf(model)) {}
