#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "connection/custom_paper_reader.h"
#include "custom_paper_fixtures.h"
#include "custompaper/custom_paper_info_command.h"
#include "custompaper/custom_paper_info_command_creator.h"

using custom_paper_test::Bytes;
using custom_paper_test::sizes;
using TL::CustomPaperInfoCommandCreator;
using TL::ErrorDetail;
using TL::ErrorParameter;
using TL::PaperKind;
using TL::UnitOfLength;

namespace layout = custom_paper_layout;

namespace {

const char* const kModels[] = {"Talvora SN-7400D",    "Talvora SN-7500D",
                               "Talvora SN-7410DN",   "Talvora SN-7510DN",
                               "Talvora SN-7550DNWB", "Talvora HU-3650WB",
                               "Talvora HU-3620B",    "Talvora HU-3430",
                               "Talvora HU-3430Ai",   "Talvora HU-3440",
                               "Talvora SN-7000",     "Talvora SN-7100N",
                               "Talvora XX-1",        ""};

class Generator {
  public:
    explicit Generator(unsigned seed) : random_(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    // Mostly plausible lengths, sometimes hostile ones.
    float length(bool inches) {
        const float scale = inches ? 1.0f / 25.4f : 1.0f;
        switch (below(10)) {
            case 0:
                return std::numeric_limits<float>::quiet_NaN();
            case 1:
                return below(2) ? std::numeric_limits<float>::infinity() : -3e38f;
            case 2:
                return -std::uniform_real_distribution<float>(0.0f, 60.0f)(random_) * scale;
            case 3:
                return 0.0f;
            default:
                return std::uniform_real_distribution<float>(0.0f, 130.0f)(random_) * scale;
        }
    }

    std::string definition() {
        const char* const resolutions[] = {
            "203,203", "300,300", "0,0", "-300,300", "99999999999,1", "300", "300,300,600,300"};
        std::string text = "nSensorID = " + std::to_string(below(600) - 300) +
                           "\ndwHeadPinNum = " + std::to_string(below(3000) - 100) +
                           "\nwResolutionNum = " + std::to_string(below(4) - 1) +
                           "\nwResolutions = " + resolutions[below(7)] +
                           "\nbySeriesCode = " + hex(below(0x200)) +
                           "\nbyModelCode = " + hex(below(0x200)) +
                           "\nbyHeadDivide = " + std::to_string(below(4)) +
                           "\nnDieStartPlus = " + (below(4) ? "2.5" : "nan") +
                           "\nnMinPaperLength = 60\nnMaxPaperLength = 10000" +
                           "\nnMinMargin = " + std::to_string(below(100)) +
                           "\nnMaxMargin = " + std::to_string(below(2000)) + "\n";
        if (below(4) == 0) {
            text.erase(static_cast<std::size_t>(below(static_cast<int>(text.size()))));
        }
        return text;
    }

    float between(float low, float high) {
        return std::uniform_real_distribution<float>(low, high)(random_);
    }

    std::string validDefinition() {
        const bool fine = below(2) == 0;
        return std::string("nSensorID = 1\ndwHeadPinNum = ") + (fine ? "1248" : "832") +
               "\nwResolutionNum = 1\nwResolutions = " + (fine ? "300,300" : "203,203") +
               "\nbySeriesCode = " + (below(2) ? "35" : "37") +
               "\nbyModelCode = " + hex(0x31 + below(0x12)) +
               "\nbyHeadDivide = 1\nnDieStartPlus = 0\nnMinPaperLength = 60"
               "\nnMaxPaperLength = 10000\nnMinMargin = 0\nnMaxMargin = 1270\n";
    }

  private:
    static std::string hex(int v) {
        static const char digits[] = "0123456789abcdef";
        std::string out;
        do {
            out.insert(out.begin(), digits[v % 16]);
            v /= 16;
        } while (v != 0);
        return out;
    }

    std::mt19937 random_;
};

}  // namespace

// Whatever the request, the result is either the clean marker with a whole command that
// paper selection can read, or errors without any bytes.
TEST(CustomPaperInvariants, EveryRequestGivesACommandOrErrors) {
    Generator g(20261210);
    const std::set<int> parameters = {-1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 12};
    const std::set<int> details = {0, 1, 2, 3, 5, 6, 8};
    int successes = 0;
    for (int i = 0; i < 3000; ++i) {
        // Every other request is plausible: a valid definition and sizes that mostly fit.
        const bool plausible = i % 2 == 0;
        const char* model = plausible ? kModels[g.below(12)]
                                      : kModels[g.below(static_cast<int>(std::size(kModels)))];
        const auto kind = static_cast<PaperKind>(plausible ? 1 + g.below(3) : g.below(5));
        const auto unit = static_cast<UnitOfLength>(plausible ? 1 + g.below(2) : g.below(4));
        const bool inches = unit == UnitOfLength::Inch;
        const std::string definition = plausible ? g.validDefinition() : g.definition();
        float l[9];
        if (plausible) {
            const float lows[9] = {12, 30, 1, 1, 1, 1, 2, -5, 2};
            const float highs[9] = {100, 300, 6, 6, 5, 5, 5, 5, 10};
            for (int k = 0; k < 9; ++k) {
                l[k] = g.between(lows[k], highs[k]) / (inches ? 25.4f : 1.0f);
            }
        } else {
            for (float& v : l) {
                v = g.length(inches);
            }
        }
        const CustomPaperInfoCommandCreator c(
            model, kind, unit, sizes(l[0], l[1], l[2], l[3], l[4], l[5], l[6], l[7], l[8]),
            definition, "");
        SCOPED_TRACE(::testing::Message() << "case " << i << " " << model << "\n" << definition);

        EXPECT_EQ(c.createCustomPaperInfoCommand(1).second.size(), layout::kHeaderBodyLength);
        const auto [errors, bytes] = c.createCustomPaperInfoCommandAllRelated();
        ASSERT_FALSE(errors.empty());
        if (!bytes.empty()) {
            ++successes;
            ASSERT_EQ(errors.size(), 1u);
            EXPECT_EQ(errors[0].first, ErrorParameter::None);
            EXPECT_EQ(errors[0].second, ErrorDetail::None);
            ASSERT_EQ(bytes.size(), layout::kCommandLength);
            const unsigned char seriesCode =
                bytes[layout::kHeaderOffset + layout::kHeaderSeriesCodeAt];
            const unsigned char modelCode =
                bytes[layout::kHeaderOffset + layout::kHeaderModelCodeAt];
            EXPECT_NE(seriesCode, 0);
            EXPECT_NE(modelCode, 0);
            const CustomPaperReader reader(bytes.data(), bytes.size());
            EXPECT_TRUE(reader.find(seriesCode, modelCode).has_value());
            continue;
        }
        for (const auto& [parameter, detail] : errors) {
            EXPECT_EQ(parameters.count(static_cast<int>(parameter)), 1u);
            EXPECT_EQ(details.count(static_cast<int>(detail)), 1u);
        }
        EXPECT_NE(errors[0].first, ErrorParameter::None);
    }
    RecordProperty("successes", successes);
    EXPECT_GT(successes, 0);  // the generator reaches the success path too
}
