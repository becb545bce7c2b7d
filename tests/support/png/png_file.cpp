#include "support/png/png_file.h"

#include <png.h>

namespace png_file {

bool writeRgb(const std::string& path, size_t width, size_t height,
              const std::vector<unsigned char>& rgb) {
    if (width == 0 || height == 0 || width > PNG_UINT_31_MAX / 3 || height > PNG_UINT_31_MAX ||
        rgb.size() / 3 / width != height || rgb.size() != width * height * 3) {
        return false;
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    const bool written = png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr);
    png_image_free(&image);
    return written;
}

bool readRgb(const std::string& path, size_t& width, size_t& height,
             std::vector<unsigned char>& rgb, std::string& error, size_t maxSide) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        error = image.message;
        return false;
    }
    image.format = PNG_FORMAT_RGB;
    if (image.width == 0 || image.height == 0 || image.width > maxSide || image.height > maxSide) {
        png_image_free(&image);
        error = "PNG of an unsupported size";
        return false;
    }
    std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        error = image.message;
        png_image_free(&image);
        return false;
    }
    width = image.width;
    height = image.height;
    rgb.swap(pixels);
    return true;
}

}  // namespace png_file
