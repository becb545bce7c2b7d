// A print file without a host: a picture becomes a print file for a chosen model and paper,
// plus a PNG preview of what the printer would print.
#include <iostream>
#include <string>
#include <vector>

#include "print_file_job.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv, argv + argc);
    example::JobArguments job;
    std::string error;
    if (!example::parseArguments(args, job, error)) {
        std::cerr << error << "\n";
        return 2;
    }
    return example::runPrintFileJob(job, std::cout);
}
