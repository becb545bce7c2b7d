#include "print_file_job.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <utility>

#include "catalogue/paper.h"
#include "catalogue/printer_spec.h"
#include "catalogue/raster_print_option.h"
#include "connection/base_printer.h"
#include "connection/communication_observer.h"
#include "connection/printer_status.h"
#include "raster/bitmap_data.h"
#include "raster/raster_data.h"
#include "raster/raster_print.h"
#include "support/png/png_file.h"
#include "support/raster_stream/job_layout.h"
#include "support/raster_stream/job_stream_walker.h"
#include "support/raster_stream/page_preview.h"

namespace example {

namespace {

// The host's observer: a print file needs no printer, so only progress codes arrive.
class ProgressObserver : public CommunicationObserver {
  public:
    explicit ProgressObserver(std::ostream& out) : log(out) {}
    bool sendData(int, unsigned char*) override { return false; }
    bool sendDataAsynchronous(int, unsigned char*) override { return false; }
    bool sendDataReceiveData(int, unsigned char*, int, unsigned char*) override { return false; }
    int receiveData(int, unsigned char*, bool) override { return -1; }
    bool sendString(std::string) override { return false; }
    bool sendStringReceiveData(std::string, int, unsigned char*) override { return false; }
    bool sendStringReceiveString(std::string, std::string&) override { return false; }
    bool sendMessage(int code) override {
        log << "progress " << code << "\n";
        return true;
    }
    bool isAliveSendTask() override { return false; }
    bool resetPrinterResultErrorCodeIfCommunicationError() override { return true; }

  private:
    std::ostream& log;
};

std::string normalisedName(const std::string& s) {
    std::string out;
    for (char c : s) {
        out += c == '_' ? '-' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

// The models the library knows, by number, with their names.
std::vector<std::pair<Model, std::string>> knownModels() {
    std::vector<std::pair<Model, std::string>> models;
    for (int m = 0; m < NO_MODEL; ++m) {
        std::string name = BasePrinter(static_cast<Model>(m)).getPrinterSpec().modelName;
        if (!name.empty()) {
            models.emplace_back(static_cast<Model>(m), std::move(name));
        }
    }
    return models;
}

// A model by its name or number; NO_MODEL when there is none.
Model findModel(const std::string& text) {
    char* end = nullptr;
    const long n = std::strtol(text.c_str(), &end, 10);
    if (!text.empty() && end != nullptr && *end == '\0') {
        return n >= 0 && n < NO_MODEL ? static_cast<Model>(n) : NO_MODEL;
    }
    for (const auto& [model, name] : knownModels()) {
        if (normalisedName(name) == normalisedName(text)) {
            return model;
        }
    }
    return NO_MODEL;
}

std::vector<unsigned char> readBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(f),
                                      std::istreambuf_iterator<char>());
}

unsigned int le16(const std::vector<unsigned char>& b, size_t at) {
    return at + 1 < b.size() ? b[at] | (b[at + 1] << 8) : 0;
}

// The paper of a custom paper command: its printable width and its offset on the head.
bool customPaper(const std::vector<unsigned char>& command, const PrinterSpec& spec, Paper& paper) {
    const unsigned char header[] = {0x1B, 0x69, 0x55, 0x4F};
    const unsigned char marker[] = {0x1B, 0x69, 0x55, 0x77, 0x01};
    for (size_t h = 0; h + 16 <= command.size(); ++h) {
        if (!std::equal(header, header + 4, command.begin() + static_cast<long>(h)) ||
            command[h + 5] != spec.seriesCode || command[h + 6] != spec.modelCode) {
            continue;
        }
        for (size_t m = h + 16; m + 5 + 127 <= command.size(); ++m) {
            if (std::equal(marker, marker + 5, command.begin() + static_cast<long>(m))) {
                const size_t body = m + 5;
                paper.leftOffsetDots = static_cast<unsigned short>(le16(command, body + 6));
                paper.leftOffsetBytes = static_cast<unsigned short>(paper.leftOffsetDots >> 3);
                paper.printableWidthDots = static_cast<unsigned short>(le16(command, body + 8));
                return true;
            }
        }
        return false;
    }
    return false;
}

// The error code of a print job whose page could not be built from its inputs.
constexpr int kPageNotBuilt = 39;
// The copies a print file can carry.
constexpr int kMostCopies = 0xFFFF;

// What error code 39 means for this tool's inputs, in words: the copies out of range, or the
// picture against the paper's printable area, from the sizes the tool itself knows. `custom`:
// the model takes a custom paper; `paper` is null when the tool could not read its area.
void explainPageNotBuilt(const JobArguments& args, const Picture& picture, bool custom,
                         const Paper* paper, std::ostream& log) {
    log << "error code 39: the library could not build the page from these inputs.\n";
    if (args.copies < 1 || args.copies > kMostCopies) {
        log << "  --copies " << args.copies << " is outside 1 to " << kMostCopies
            << ", the copies a print file can carry.\n";
        return;
    }
    // Orientation 2 turns the picture a quarter turn: its height then lies across the head.
    const bool turned = args.orientation == 2;
    const int across = turned ? picture.height : picture.width;
    const int along = turned ? picture.width : picture.height;
    log << "  The picture is " << picture.width << " x " << picture.height << " pixels: " << across
        << " dots across the head and " << along << " along the paper"
        << (turned ? " (turned by --orientation 2)" : "") << ".\n";
    if (paper == nullptr) {
        log << "  It has to fit the printable area of the custom paper in " << args.customPaper
            << ".\n";
        return;
    }
    // Of a custom paper the tool reads only the printable width.
    const int length = custom ? 0 : paper->printableLengthDots;
    if (custom) {
        log << "  The custom paper in " << args.customPaper << " is " << paper->printableWidthDots
            << " dots wide where it can be printed.\n";
    } else if (length == 0) {
        log << "  Paper " << args.paperId << "'s printable area is " << paper->printableWidthDots
            << " dots across, of any length (continuous paper).\n";
    } else {
        log << "  Paper " << args.paperId << "'s printable area is " << paper->printableWidthDots
            << " dots across by " << length << " dots along.\n";
    }
    // This tool leaves the option's scale at 1.0: only print modes 2 and 4 change the size.
    if (args.printMode == 2 || args.printMode == 4) {
        log << "  With --print-mode " << args.printMode
            << " the library scales the picture to the paper first, so these sizes do not"
               " tell what did not fit.\n";
        return;
    }
    const bool tooWide = across > paper->printableWidthDots;
    const bool tooLong = length != 0 && along > length;
    if (tooWide || tooLong) {
        log << "  At its own size (--print-mode " << args.printMode << ") the picture is too "
            << (tooWide && tooLong ? "wide and too long"
                : tooWide          ? "wide"
                                   : "long")
            << " for it: --print-mode 2 scales it to the printable area.\n";
    }
}

bool readPpm(const std::string& path, Picture& picture, std::string& error) {
    std::ifstream f(path, std::ios::binary);
    std::string magic;
    f >> magic;
    if (magic != "P6") {
        error = "not a binary PPM (P6)";
        return false;
    }
    long values[3] = {0, 0, 0};
    for (long& v : values) {
        f >> std::ws;
        while (f.peek() == '#') {
            std::string comment;
            std::getline(f, comment);
            f >> std::ws;
        }
        if (!(f >> v)) {
            error = "PPM header cut short";
            return false;
        }
    }
    f.get();  // the one blank after maxval
    if (values[0] <= 0 || values[1] <= 0 || values[0] > 20000 || values[1] > 20000 ||
        values[2] != 255) {
        error = "PPM of an unsupported size or depth";
        return false;
    }
    picture.width = static_cast<int>(values[0]);
    picture.height = static_cast<int>(values[1]);
    picture.rgb.assign(static_cast<size_t>(picture.width) * picture.height * 3, 0);
    f.read(reinterpret_cast<char*>(picture.rgb.data()),
           static_cast<std::streamsize>(picture.rgb.size()));
    if (static_cast<size_t>(f.gcount()) != picture.rgb.size()) {
        error = "PPM pixels cut short";
        return false;
    }
    return true;
}

}  // namespace

bool readPicture(const std::string& path, Picture& picture, std::string& error) {
    std::ifstream probe(path, std::ios::binary);
    if (!probe) {
        error = "cannot open " + path;
        return false;
    }
    char sig[8] = {};
    probe.read(sig, 8);
    if (probe.gcount() == 8 && static_cast<unsigned char>(sig[0]) == 0x89 && sig[1] == 'P' &&
        sig[2] == 'N' && sig[3] == 'G') {
        size_t width = 0;
        size_t height = 0;
        if (!png_file::readRgb(path, width, height, picture.rgb, error)) {
            return false;
        }
        picture.width = static_cast<int>(width);
        picture.height = static_cast<int>(height);
        return true;
    }
    return readPpm(path, picture, error);
}

bool writePpm(const std::string& path, const Picture& picture) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f << "P6\n" << picture.width << " " << picture.height << "\n255\n";
    f.write(reinterpret_cast<const char*>(picture.rgb.data()),
            static_cast<std::streamsize>(picture.rgb.size()));
    f.close();
    return !f.fail();
}

Picture samplePicture(int width, int height) {
    Picture p;
    p.width = width;
    p.height = height;
    p.rgb.assign(static_cast<size_t>(width) * height * 3, 255);
    auto set = [&](int x, int y, unsigned char r, unsigned char g, unsigned char b) {
        if (x >= 0 && y >= 0 && x < width && y < height) {
            unsigned char* px = &p.rgb[(static_cast<size_t>(y) * width + x) * 3];
            px[0] = r;
            px[1] = g;
            px[2] = b;
        }
    };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // A frame three dots wide.
            if (x < 3 || y < 3 || x >= width - 3 || y >= height - 3) {
                set(x, y, 0, 0, 0);
            }
            // A grey ramp along the top, white to black.
            if (y >= 12 && y < height / 4 && x >= 12 && x < width - 12) {
                const int g = 255 - 255 * (x - 12) / (width - 25);
                set(x, y, static_cast<unsigned char>(g), static_cast<unsigned char>(g),
                    static_cast<unsigned char>(g));
            }
        }
    }
    // Black shapes: a filled disc and a filled triangle.
    const int cy = height * 5 / 8;
    const int r = height / 6;
    for (int y = cy - r; y <= cy + r; ++y) {
        for (int x = 30; x <= 30 + 2 * r; ++x) {
            const int dx = x - (30 + r);
            const int dy = y - cy;
            if (dx * dx + dy * dy <= r * r) {
                set(x, y, 0, 0, 0);
            }
        }
    }
    const int tx = 60 + 2 * r;
    for (int y = cy - r; y <= cy + r; ++y) {
        const int half = (y - (cy - r)) / 2;
        for (int x = tx + r - half; x <= tx + r + half; ++x) {
            set(x, y, 0, 0, 0);
        }
    }
    // Thin lines: one, two and three dots wide, and a diagonal.
    const int lx = tx + 3 * r;
    for (int w = 1; w <= 3; ++w) {
        for (int y = cy - r; y <= cy + r; ++y) {
            for (int k = 0; k < w; ++k) {
                set(lx + (w - 1) * 10 + k, y, 0, 0, 0);
            }
        }
    }
    for (int k = 0; k <= 2 * r; ++k) {
        set(lx + 40 + k, cy - r + k, 0, 0, 0);
    }
    // A red block.
    for (int y = cy - r; y <= cy + r; ++y) {
        for (int x = width - 30 - 2 * r; x < width - 30; ++x) {
            set(x, y, 255, 0, 0);
        }
    }
    return p;
}

bool parseArguments(const std::vector<std::string>& argv, JobArguments& args, std::string& error) {
    static const char* usage =
        "usage: lumeko_print_file PICTURE MODEL PAPER_ID PRINT_FILE PREVIEW_PNG\n"
        "         [--copies N] [--halftone 1|2|3] [--orientation 1|2] [--print-mode 1..4]\n"
        "         [--custom-paper FILE]\n"
        "PICTURE is a binary PPM (P6) or a PNG; MODEL a model name (e.g. VZ-310W) or number.";
    std::vector<std::string> positional;
    std::map<std::string, int*> numbers = {{"--copies", &args.copies},
                                           {"--halftone", &args.halftone},
                                           {"--orientation", &args.orientation},
                                           {"--print-mode", &args.printMode}};
    for (size_t i = 1; i < argv.size(); ++i) {
        const std::string& a = argv[i];
        if (a.rfind("--", 0) == 0) {
            if (i + 1 >= argv.size()) {
                error = usage;
                return false;
            }
            const std::string value = argv[++i];
            if (a == "--custom-paper") {
                args.customPaper = value;
                continue;
            }
            auto it = numbers.find(a);
            char* end = nullptr;
            const long n = std::strtol(value.c_str(), &end, 10);
            if (it == numbers.end() || end == nullptr || *end != '\0' || n < -1000000 ||
                n > 1000000) {
                error = usage;
                return false;
            }
            *it->second = static_cast<int>(n);
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() != 5) {
        error = usage;
        return false;
    }
    // A paper id is a number from 0 to 65535; anything else is refused as such, never read
    // as paper 0.
    const std::string& paper = positional[2];
    char* end = nullptr;
    const long paperId = std::strtol(paper.c_str(), &end, 10);
    if (paper.empty() || !std::isdigit(static_cast<unsigned char>(paper[0])) || end == nullptr ||
        *end != '\0' || paperId > 0xFFFF) {
        error = "PAPER_ID must be a number from 0 to 65535, not \"" + paper + "\"";
        return false;
    }
    args.picture = positional[0];
    args.model = positional[1];
    args.paperId = static_cast<int>(paperId);
    args.printFile = positional[3];
    args.preview = positional[4];
    return true;
}

int runPrintFileJob(const JobArguments& args, std::ostream& log) {
    // What an earlier run wrote goes first: a failed run leaves nothing that reads as its result.
    std::remove(args.printFile.c_str());
    std::remove(args.preview.c_str());

    const Model model = findModel(args.model);
    if (model == NO_MODEL) {
        log << "unknown model " << args.model
            << "; the models the library knows (name or number):\n";
        for (const auto& [known, name] : knownModels()) {
            log << "  " << known << "  " << name << "\n";
        }
        return 2;
    }
    BasePrinter printer(model);
    const PrinterSpec spec = printer.getPrinterSpec();

    RasterPrintOption option;
    option.paperId = static_cast<unsigned short>(args.paperId);
    option.numberOfCopies = args.copies;
    option.halftone = args.halftone;
    option.orientation = args.orientation;
    option.printMode = args.printMode;
    option.customPaperPath = args.customPaper;
    option.savePrnPath = args.printFile;
    option.overwrite = true;

    // The paper: from the custom paper command on custom-paper models, else from the model's
    // paper list, which names the ids to choose from when the one asked for is not there.
    Paper paper;
    if (spec.paperKinds == 8) {
        if (args.customPaper.empty()) {
            log << spec.modelName
                << " takes its paper from a custom paper command: give --custom-paper FILE\n";
            return 2;
        }
    } else {
        const std::vector<Paper> papers = printer.getPaperList(option);
        const auto chosen = std::find_if(papers.begin(), papers.end(),
                                         [&](const Paper& p) { return p.paperId == args.paperId; });
        if (chosen == papers.end()) {
            log << spec.modelName << " has no paper " << args.paperId << "; its paper ids:\n";
            for (const Paper& p : papers) {
                log << "  " << p.paperId << "  " << p.paperNameMm
                    << (p.isTwoColor ? " (two-colour)" : "") << "\n";
            }
            return 2;
        }
        paper = *chosen;
    }

    Picture picture;
    std::string error;
    if (!readPicture(args.picture, picture, error)) {
        log << error << "\n";
        return 2;
    }

    // The host's road: pixels as 32-bit colour values, written as the pixel file.
    std::vector<int> colours;
    colours.reserve(picture.rgb.size() / 3);
    for (size_t i = 0; i + 2 < picture.rgb.size(); i += 3) {
        colours.push_back(static_cast<int>(0xFF000000u | (picture.rgb[i] << 16) |
                                           (picture.rgb[i + 1] << 8) | picture.rgb[i + 2]));
    }
    const std::string pixelFile = args.printFile + ".rgb";
    int* pixels = colours.data();
    if (RasterData::writeByteInFile(pixels, static_cast<int>(colours.size()), pixelFile, false) !=
        1) {
        log << "cannot write the pixel file " << pixelFile << "\n";
        return 2;
    }
    BitmapData bitmap;
    bitmap.bitmapFile = pixelFile;
    bitmap.bitmapWidth = picture.width;
    bitmap.bitmapHeight = picture.height;
    bitmap.isColor = true;
    bitmap.applyScale = true;
    bitmap.applyOrientation = true;

    ProgressObserver observer(log);
    int code = 1;
    {
        RasterPrint job(PORT_USB, &observer, model, option);
        if (PrinterStatus::error_code_ == 1) {
            job.createPrintData(bitmap, 0, option.numberOfCopies);
        }
        code = PrinterStatus::error_code_;
    }
    std::remove(pixelFile.c_str());
    const bool paperKnown =
        spec.paperKinds != 8 || customPaper(readBytes(args.customPaper), spec, paper);
    if (code != 1) {
        std::remove(args.printFile.c_str());
        log << "no print file: the library ended the job with error code " << code << "\n";
        if (code == kPageNotBuilt) {
            explainPageNotBuilt(args, picture, spec.paperKinds == 8, paperKnown ? &paper : nullptr,
                                log);
        }
        return 1;
    }

    // The preview: the print file read back and decoded as a printer would.
    if (!paperKnown) {
        log << "no custom paper of this model in " << args.customPaper << "\n";
        return 3;
    }
    const bool mode9 = option.mode9 && spec.mode9Supported;
    const raster_stream::JobLayout layout = raster_stream::layoutFor(spec, paper, option, mode9);
    raster_stream::JobStream stream;
    if (!raster_stream::walkJob(readBytes(args.printFile), layout, stream, error) ||
        stream.calls.empty() || stream.calls[0].pages.empty()) {
        log << "the print file does not decode: " << error << "\n";
        return 3;
    }
    const raster_stream::MirrorSpan span{paper.leftOffsetBytes * 8u, paper.printableWidthDots};
    const bool mirror = mode9 && spec.mode9MirrorMargin;
    const raster_stream::PagePicture page =
        raster_stream::pictureOf(stream.calls[0].pages[0], spec.headDots, mirror ? &span : nullptr);
    if (!png_file::writeRgb(args.preview, page.width, page.height, page.rgb)) {
        log << "cannot write the preview " << args.preview << "\n";
        return 3;
    }
    log << "success (error code 1): wrote " << args.printFile << " and its preview " << args.preview
        << " (" << page.width << " x " << page.height << " dots)\n";
    return 0;
}

}  // namespace example
