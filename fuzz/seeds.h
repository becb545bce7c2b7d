#pragma once

#include <functional>
#include <string>
#include <vector>

#include "catalogue/model.h"
#include "catalogue/printer_spec.h"

// Seed corpus helpers of lumeko_fuzz_seeds. Each target's seeds are written by one
// function listed in seedWriters().
namespace lumeko_fuzz {

void writeSeed(const std::string& target, const std::string& name,
               const std::vector<unsigned char>& bytes);
PrinterSpec specOf(Model model);
// 80 20 42, the model's series and model codes, zeros elsewhere.
std::vector<unsigned char> statusReply(Model model);
const std::vector<Model>& seedModels();

const std::vector<std::function<void()>>& seedWriters();

}  // namespace lumeko_fuzz
