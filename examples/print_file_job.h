#pragma once

#include <ostream>
#include <string>
#include <vector>

// A print file without a host: a picture becomes a print file for a chosen model and paper, as
// the library writes it for a host, and a PNG preview shows what the printer would print.
namespace example {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;  // 3 bytes R, G, B per pixel, rows top to bottom
};

// Reads a binary PPM (P6, maxval 255) or a PNG. False with a reason.
bool readPicture(const std::string& path, Picture& picture, std::string& error);
bool writePpm(const std::string& path, const Picture& picture);

// The examples' sample picture, generated: a frame, a grey ramp, black shapes, thin lines and a
// red block.
Picture samplePicture(int width = 600, int height = 300);

struct JobArguments {
    std::string picture;
    std::string model;  // a model name ("VZ-310W") or number
    int paperId = 0;
    std::string printFile;
    std::string preview;
    int copies = 1;
    int halftone = 3;
    int orientation = 1;
    int printMode = 1;
    std::string customPaper;  // custom paper command file (custom-paper models)
};

// Parses the command line (program name first). False with a usage text in `error`, or with
// the reason when the paper id is not a number from 0 to 65535.
bool parseArguments(const std::vector<std::string>& argv, JobArguments& args, std::string& error);

// Runs the job. The print file and preview of an earlier run are removed first. Progress codes
// go to `log`, then one line on success: the library's error code 1 and the files written.
// Otherwise it says what was wrong: for an unknown model the models the library knows, for a
// paper id the model has not the model's paper ids, for error code 39 what it means for these
// inputs (the copies out of range, or the picture's size against the paper's printable area).
// Returns the process exit code: 0 when the library reports error code 1 and the preview was
// written, else non-zero.
int runPrintFileJob(const JobArguments& args, std::ostream& log);

}  // namespace example
