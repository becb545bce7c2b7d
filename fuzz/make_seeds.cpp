// Writes the seed corpus of every fuzz target, built from the values the tests check:
// the stored model records, clean and failing status replies, custom paper commands,
// device query replies, numbers and texts of the utilities. Usage: lumeko_fuzz_seeds <dir>;
// the seeds of target T go to <dir>/T/.
#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

#include "catalogue/model.h"
#include "catalogue/model_record.h"
#include "catalogue/printer_spec.h"
#include "catalogue/printer_spec_builder.h"
#include "fuzz_input.h"
#include "fuzzed_observer.h"
#include "seeds.h"

namespace lumeko_fuzz {

namespace {

std::string root;
int written = 0;

}  // namespace

void writeSeed(const std::string& target, const std::string& name,
               const std::vector<unsigned char>& bytes) {
    const std::string dir = root + "/" + target;
    mkdir(dir.c_str(), 0755);
    const std::string path = dir + "/" + name;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) {
        std::perror(path.c_str());
        return;
    }
    if (!bytes.empty()) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
    }
    std::fclose(f);
    ++written;
}

PrinterSpec specOf(Model model) {
    PrinterSpec spec;
    PrinterSpecBuilder().getPrinterSpec(spec, model);
    return spec;
}

std::vector<unsigned char> statusReply(Model model) {
    const PrinterSpec spec = specOf(model);
    std::vector<unsigned char> r(32, 0);
    r[0] = 0x80;
    r[1] = 0x20;
    r[2] = 0x42;
    r[3] = spec.seriesCode;
    r[4] = spec.modelCode;
    return r;
}

// One model of each series, and a few with special status handling.
const std::vector<Model>& seedModels() {
    static const std::vector<Model> models = {GY_150BT, GY_160BT, GY_310,   FC_412,
                                              FC_650,   HU_3430,  VZ_140N,  VZ_220NW,
                                              SN_3100,  KX_C270W, KX_A380W, SN_7100N};
    return models;
}

}  // namespace lumeko_fuzz

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <seed directory>\n", argv[0]);
        return 2;
    }
    lumeko_fuzz::root = argv[1];
    mkdir(lumeko_fuzz::root.c_str(), 0755);
    for (const auto& seeds : lumeko_fuzz::seedWriters()) {
        seeds();
    }
    std::printf("%d seeds written to %s\n", lumeko_fuzz::written, argv[1]);
    return 0;
}
