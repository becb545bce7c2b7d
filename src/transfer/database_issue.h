#pragma once

#include <utility>

#include "transfer/csv_decoder.h"
#include "transfer/kd3_data_generator.h"
#include "transfer/tlf_data_generator.h"

namespace tl {
namespace database {

// Maps the codes of each stage of the database pipeline to the pipeline's (error, warning)
// pair. Codes outside a stage's table map to -1.
//
// Pipeline errors: 0 success; 1 the CSV file cannot be opened; 2 to 8 the decoder's errors 1
// to 7 (8: the CSV text is larger than a database table may be); 9 no row; 10 empty name;
// 11 no native data; 12 an empty package part; -1 a code outside its table or an empty
// package.
class Issue {
  public:
    using Codes = std::pair<int, int>;

    virtual ~Issue() = default;

    Codes checkCSVDecode(tf::csv::Decoder::DECODE_ERROR error,
                         tf::csv::Decoder::DECODE_WARNING warning);
    Codes convertKD3ErrorAndWarning(KD3DataGenerator::ERROR error,
                                    KD3DataGenerator::WARNING warning);
    Codes convertTLFErrorAndWarning(TLFDataGenerator::ERROR error,
                                    TLFDataGenerator::WARNING warning);
};

}  // namespace database
}  // namespace tl
