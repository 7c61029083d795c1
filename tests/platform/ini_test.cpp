#include "platform/ini.hpp"

#include <gtest/gtest.h>

#include "platform/filesystem.hpp"
#include "support/temp_folder.hpp"

namespace pv {
namespace {

TEST(IniLookup, SectionsAndKeysIgnoreLetterCase) {
  const std::string text = "[Answer]\nResult=Success\n[GENERAL]\nhostName=R1\n";
  EXPECT_EQ(ini_lookup(text, "answer", "RESULT"), "Success");
  EXPECT_EQ(ini_lookup(text, "General", "HostName"), "R1");
  EXPECT_EQ(ini_lookup(text, "Answer", "hostname"), std::nullopt);
  EXPECT_EQ(ini_lookup(text, "Other", "result"), std::nullopt);
}

TEST(IniLookup, ValuesTrimmedAndUnquotedOnce) {
  const std::string text =
      "\xEF\xBB\xBF[ s ]\n"
      "a = \t plain \t\n"
      "b=\"quoted  \"\n"
      "c='single'\n"
      "d=\"\"twice\"\"\n"
      "e=\"mixed'\n"
      "f=\n"
      "g\n"
      "h==x\n"
      "; i=comment\n";
  EXPECT_EQ(ini_lookup(text, "s", "a"), "plain");
  EXPECT_EQ(ini_lookup(text, "s", "b"), "quoted  ");
  EXPECT_EQ(ini_lookup(text, "s", "c"), "single");
  EXPECT_EQ(ini_lookup(text, "s", "d"), "\"twice\"");
  EXPECT_EQ(ini_lookup(text, "s", "e"), "\"mixed'");
  EXPECT_EQ(ini_lookup(text, "s", "f"), "");
  EXPECT_EQ(ini_lookup(text, "s", "g"), "");
  EXPECT_EQ(ini_lookup(text, "s", "h"), "=x");
  EXPECT_EQ(ini_lookup(text, "s", "; i"), std::nullopt);
}

TEST(IniLookup, FirstSectionOfANameAndFirstKeyCount) {
  const std::string text = "k=before\n[a]\nk=1\nk=2\n[b]\nk=3\n[A]\nk=4\nz=5\n";
  EXPECT_EQ(ini_lookup(text, "a", "k"), "1");
  EXPECT_EQ(ini_lookup(text, "a", "z"), std::nullopt);
  EXPECT_EQ(ini_lookup(text, "b", "k"), "3");
}

TEST(ProfileString, DefaultsAndBufferSize) {
  testing::TempFolder folder;
  DiskFileSystem files(folder.path(), folder.path(), folder / "cache");
  const std::string file = folder / "out.ini";
  EXPECT_EQ(read_profile_string(files, "s", "k", "fallback  ", 60, file), "fallback");
  EXPECT_EQ(read_profile_string(files, "s", "k", "fallback", 5, file), "fall");
  EXPECT_EQ(read_profile_string(files, "s", "k", "fallback", 0, file), "");
  folder.write("out.ini", "[s]\r\nk=ééééé\r\n");
  EXPECT_EQ(read_profile_string(files, "s", "k", "d", 4, file), "ééé");
  EXPECT_EQ(read_profile_string(files, "s", "k", "d", 4, "OUT.INI"), "ééé");  // letter case
  // A folder in the file's place reads as a missing file.
  files.make_folder("dir.ini");
  EXPECT_EQ(read_profile_string(files, "s", "k", "d", 60, "dir.ini"), "d");
}

}  // namespace
}  // namespace pv
