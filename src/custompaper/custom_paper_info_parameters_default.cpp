#include "custompaper/custom_paper_info_parameters_default.h"

namespace TL {

std::string CustomPaperInfoParametersDefault::paperKindWithString(PaperKind kind) const {
    switch (kind) {
        case PaperKind::Roll:
            return "Roll";
        case PaperKind::DieCut:
            return "DieCut";
        case PaperKind::MarkRoll:
            return "MarkRoll";
    }
    return "";
}

std::string CustomPaperInfoParametersDefault::unitOfLengthWithString(UnitOfLength unit) const {
    switch (unit) {
        case UnitOfLength::Inch:
            return "Inch";
        case UnitOfLength::Mm:
            return "Mm";
    }
    return "";
}

}  // namespace TL
