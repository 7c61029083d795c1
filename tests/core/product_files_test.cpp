// The pictures installed beside the program: every file the catalogue and the start
// window name, at the sizes they are drawn at.
#include <gtest/gtest.h>

#include "core/welcome.hpp"
#include "platform/filesystem.hpp"
#include "platform/picture.hpp"

namespace pv {
namespace {

struct Sized {
  std::string name;
  int width, height;
};

TEST(ProductFiles, EveryNamedPictureIsInstalledAtItsSize) {
  DiskFileSystem files(PREPVANT_BINARY_DIR, PREPVANT_BINARY_DIR);
  const std::string folder = with_trailing_slash(PREPVANT_BINARY_DIR);
  for (const Sized& p : std::vector<Sized>{
           {kStartButtonPicture, 69, 45},
           {kQuitButtonPicture, 70, 45},
           {kDefaultCoverPicture, 802, 1024},
           {kButtonCursor, 32, 32},
       }) {
    const Picture pic = load_picture(files, folder + p.name);
    EXPECT_EQ(pic.width_pixels, p.width) << p.name;
    EXPECT_EQ(pic.height_pixels, p.height) << p.name;
  }
  for (const char* name :
       {"GUDAR_front_cover.jpg", "VARB_front_cover.jpg", "KWEL_HOLMI_Front_Cover.jpg",
        "KWEL_ZUM_QOX_Front_Cover.jpg", "KWEL_JEKO_Front_Cover.jpg",
        "FYRD_PIRAL_QOX_Front_Cover.jpg", "FYRD_WOB_QOX_Front_Cover.jpg",
        "SOLK_Flash_Front_Cover.jpg", "GUDAR_photo.jpg", "FYRD_Photo.jpg"}) {
    EXPECT_NO_THROW(load_picture(files, folder + name)) << name;
  }
}

}  // namespace
}  // namespace pv
