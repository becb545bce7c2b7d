// Generates the examples' sample picture and writes it as a binary PPM.
#include <iostream>

#include "print_file_job.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: lumeko_make_sample OUT.ppm\n";
        return 2;
    }
    if (!example::writePpm(argv[1], example::samplePicture())) {
        std::cerr << "cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
