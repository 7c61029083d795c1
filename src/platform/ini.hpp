// INI files read as the system's original platform reads them: section and key found
// without regard to letter case (the first section of a name counts), "name=value" lines,
// ";" comments, the value without the blanks and tabs around it and without one pair of
// enclosing quotes (" or '). Files are read afresh on every call: the exercise programs
// rewrite them while the program runs.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pv {

class FileSystem;

// The value of `key` in `section` of an INI text; nothing when either is missing.
std::optional<std::string> ini_lookup(std::string_view text, std::string_view section,
                                      std::string_view key);

// The value of `key` in `section` of the INI file `file`, or `default_text` (without its
// trailing blanks) when the file, the section or the key is missing or the file cannot be
// read; in either case cut to `buffer_size` - 1 characters, as a buffer of that size
// with its closing NUL holds it.
std::string read_profile_string(const FileSystem& files, std::string_view section,
                                std::string_view key, std::string_view default_text,
                                int buffer_size, std::string_view file);

}  // namespace pv
