#include "custompaper/kxd_file_name_creator.h"

#include "custompaper/kxd_file_names.h"

namespace TL {

std::string KXDFileNameCreator::getKXDFileName(std::string modelName) const {
    for (const KXDFileNameRow& row : kKXDFileNames) {
        if (modelName == row.modelName) {
            return row.fileName;
        }
    }
    return "";
}

}  // namespace TL
