// Playing media files through a command-string interface, as the system's original
// multimedia interface takes them ("play NAME"). Playback goes on by itself; nothing
// waits for it.
#pragma once

#include <string>

namespace pv {

class Media {
 public:
  virtual ~Media() = default;
  // Carries out one command; 0 when it was accepted, otherwise an error number.
  virtual int command(const std::string& text) = 0;
};

// "play NAME": opens the file or address with the desktop's media player. The name is
// the rest of the command without the blanks around it. Other commands are refused.
class DesktopMedia final : public Media {
 public:
  int command(const std::string& text) override;
};

}  // namespace pv
