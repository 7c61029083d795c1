// The program's own name, in each form the desktop shows or stores it. The platform
// layer knows none of them: the program hands them to the services it builds.
#pragma once

namespace pv {

// The title of a message box that has no title of its own.
inline constexpr const char* kProgramTitle = "Prepvant";

struct ProgramName {
  const char* title;
  // The program's folder in the user's configuration and cache folders.
  const char* folder;
  // The first line of the settings file: stored files carry it, so it never changes.
  const char* settings_header;
  // The study saver's desktop entry: its file name and the name it shows.
  const char* saver_entry;
  const char* saver_name;
};

inline constexpr ProgramName kProgramName{
    .title = kProgramTitle,
    .folder = "prepvant",
    .settings_header = "prepvant settings 1",
    .saver_entry = "prepvant-study-saver.desktop",
    .saver_name = "Prepvant Study Saver",
};

}  // namespace pv
