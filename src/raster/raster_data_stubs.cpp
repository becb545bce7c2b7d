// Placeholders for the steps that the one-bit image, line encoding and page command
// sources replace: each builds nothing and leaves the error code alone.
#include "raster/raster_data.h"

void RasterData::setSwitchDynamicCommand(std::vector<unsigned char>&) {}
void RasterData::createStartPageCommand(int, int, int) {}
void RasterData::setDensity(std::vector<unsigned char>&) {}
bool RasterData::convertBitmapToRaster(unsigned char*, int, int, bool) {
    return false;
}
bool RasterData::convertBitmapToRasterPrnData(unsigned char*, int, int) {
    return false;
}
bool RasterData::createRawData(unsigned char*&, int, int, int) {
    return false;
}
bool RasterData::createTiffData(unsigned char*&, int, int, int) {
    return false;
}
int RasterData::setZeroData(unsigned char*, int, int) {
    return 0;
}
int RasterData::compressData(unsigned char*&, int, unsigned char*&) {
    return 0;
}
unsigned char RasterData::reverseByte(unsigned char b) {
    return b;
}
int RasterData::getBlock(unsigned char*&, int, int) {
    return 0;
}
int RasterData::stripNullData(int, unsigned char*) {
    return 0;
}
void RasterData::setInitCommand(std::vector<unsigned char>&) {}
void RasterData::setInitCommandMode9(std::vector<unsigned char>&) {}
void RasterData::setChangeStatusMode(std::vector<unsigned char>&, bool) {}
void RasterData::setCopyNumCommand(std::vector<unsigned char>&, int) {}
void RasterData::setSpaceCommand(std::vector<unsigned char>&) {}
void RasterData::setCompressModeCommand(std::vector<unsigned char>&) {}
void RasterData::setAutoCutPage(std::vector<unsigned char>&) {}
void RasterData::setPrintInformation(std::vector<unsigned char>&, PageMode) {}
void RasterData::setVariousMode(std::vector<unsigned char>&) {}
void RasterData::setAdvancedMode(std::vector<unsigned char>&) {}
void RasterData::setAdditionalMediaInfoCommand(std::vector<unsigned char>&, Paper) {}
void RasterData::setCustomPaperInfoCommnad(std::vector<unsigned char>&) {}
void RasterData::setAdditionalBinMediaInfo(std::vector<unsigned char>&) {}
void RasterData::createOtherPageCommand(int, int, int) {}
void RasterData::createNextPageCommand(std::vector<unsigned char>&, PageMode, int) {}
int RasterData::lineBytesOfHead() const {
    return 0;
}
