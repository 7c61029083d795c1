#include "platform/picture.hpp"

#include <cstdint>

#include "platform/errors.hpp"
#include "platform/filesystem.hpp"

namespace pv {
namespace {

uint32_t be16(std::string_view b, size_t i) {
  return (static_cast<uint32_t>(static_cast<unsigned char>(b[i])) << 8) |
         static_cast<unsigned char>(b[i + 1]);
}
uint32_t be32(std::string_view b, size_t i) {
  return (be16(b, i) << 16) | be16(b, i + 2);
}
uint32_t le16(std::string_view b, size_t i) {
  return static_cast<unsigned char>(b[i]) |
         (static_cast<uint32_t>(static_cast<unsigned char>(b[i + 1])) << 8);
}
uint32_t le32(std::string_view b, size_t i) {
  return le16(b, i) | (le16(b, i + 2) << 16);
}

bool jpeg_size(std::string_view b, int& w, int& h) {
  size_t i = 2;
  while (i + 9 < b.size()) {
    if (static_cast<unsigned char>(b[i]) != 0xFF) return false;
    const auto marker = static_cast<unsigned char>(b[i + 1]);
    if (marker == 0xFF) {
      ++i;
      continue;
    }
    const uint32_t length = be16(b, i + 2);
    const bool frame =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      h = static_cast<int>(be16(b, i + 5));
      w = static_cast<int>(be16(b, i + 7));
      return w > 0 && h > 0;
    }
    if (length < 2) return false;
    i += 2 + length;
  }
  return false;
}

}  // namespace

bool picture_size(std::string_view b, int& w, int& h) {
  if (b.size() >= 24 && b.substr(0, 8) == "\x89PNG\r\n\x1a\n") {
    w = static_cast<int>(be32(b, 16));
    h = static_cast<int>(be32(b, 20));
    return w > 0 && h > 0;
  }
  if (b.size() >= 10 && (b.substr(0, 6) == "GIF87a" || b.substr(0, 6) == "GIF89a")) {
    w = static_cast<int>(le16(b, 6));
    h = static_cast<int>(le16(b, 8));
    return w > 0 && h > 0;
  }
  if (b.size() >= 26 && b.substr(0, 2) == "BM") {
    w = static_cast<int>(le32(b, 18));
    h = static_cast<int>(le32(b, 22));
    if (h < 0) h = -h;
    return w > 0 && h > 0;
  }
  if (b.size() >= 4 && static_cast<unsigned char>(b[0]) == 0xFF &&
      static_cast<unsigned char>(b[1]) == 0xD8)
    return jpeg_size(b, w, h);
  return false;
}

Picture load_picture(const FileSystem& files, std::string_view name) {
  if (!files.exists(name)) raise_error(53);
  const std::string bytes = files.read_all(name);
  Picture p;
  p.path = files.resolve(name);
  if (!picture_size(bytes, p.width_pixels, p.height_pixels)) raise_error(481);
  return p;
}

}  // namespace pv
