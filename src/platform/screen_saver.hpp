// The system's screen-saver installer: finds a screen-saver file by the system's file
// search and registers it with the desktop as the screen saver to run.
#pragma once

#include <string>
#include <string_view>

namespace pv {

// The command line that hands a screen-saver file to the system's installer.
std::string screen_saver_command(std::string_view saver_file);

class ScreenSavers {
 public:
  virtual ~ScreenSavers() = default;
  // The full path of the file the system's search finds first (the program folder, then
  // the folders of the search path); "" when none holds it.
  virtual std::string search(std::string_view file_name) const = 0;
  // Starts the installer for the saver file with a window style, without waiting for it.
  // Raises run-time error 75 when the saver cannot be registered.
  virtual void install(const std::string& saver_file, int window_style) = 0;
};

// The desktop entry that starts the program's saver: its file name and the name it shows.
struct SaverEntry {
  std::string file_name;
  std::string name;
};

// The desktop's way: the program's desktop entry in the applications folder of the user's
// data folder, starting the saver file with sh.
class DesktopScreenSavers final : public ScreenSavers {
 public:
  // `search_path`: folders separated by ":", as PATH holds them; `data_home`: the user's
  // data folder ($XDG_DATA_HOME).
  DesktopScreenSavers(SaverEntry entry, std::string program_folder, std::string search_path,
                      std::string data_home);
  // $XDG_DATA_HOME when it is an absolute path, else ~/.local/share.
  static std::string default_data_home();

  std::string search(std::string_view file_name) const override;
  void install(const std::string& saver_file, int window_style) override;
  std::string entry_path() const;

 private:
  SaverEntry entry_;
  std::string program_folder_;
  std::string search_path_;
  std::string data_home_;
};

// The text of the desktop entry, showing `name`, that starts the saver file.
std::string saver_desktop_entry(std::string_view name, std::string_view saver_file);

}  // namespace pv
