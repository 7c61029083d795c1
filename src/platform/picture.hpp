// Pictures: what LoadPicture checks and remembers of an image file.
#pragma once

#include <string>
#include <string_view>

namespace pv {

class FileSystem;

struct Picture {
  std::string path;  // resolved path of the file
  int width_pixels = 0;
  int height_pixels = 0;
};

// Reads the size of a JPEG, PNG, GIF or BMP file. Raises 53 when the file is missing and
// 481 ("Invalid picture") when it is not one of these.
Picture load_picture(const FileSystem& files, std::string_view name);
// The same for bytes already read; false when they are not a known picture.
bool picture_size(std::string_view bytes, int& width, int& height);

}  // namespace pv
