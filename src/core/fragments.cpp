#include "core/fragments.hpp"

#include "core/system.hpp"
#include "platform/errors.hpp"
#include "platform/filesystem.hpp"
#include "platform/ini.hpp"
#include "platform/media.hpp"
#include "platform/vbtext.hpp"

namespace pv {
namespace {

constexpr int kBufferSize = 60;

// Reads one INI value into a buffer of 60 characters, as the exercise programs' results
// have always been read. Failing steps are skipped.
std::string read_ini(const FileSystem& files, const std::string& section, const std::string& key,
                     const std::string& file) {
  std::string copied;
  // 1. The INI file's own path is the default.
  skip([&] { copied = read_profile_string(files, section, key, file, kBufferSize, file); });
  // 2. Nothing copied: a key with an empty value.
  if (copied.empty()) return {};
  // 3. The buffer with its closing NUL, without the blanks at its ends, cut at the NUL.
  const std::string buffer = trim(copied + '\0');
  return buffer.substr(0, buffer.find('\0'));
}

}  // namespace

std::string read_out_ini(System& sys, const std::string& section, const std::string& key) {
  std::string folder;
  skip([&] { folder = sys.files.program_folder(); });
  if (!folder.empty() && folder.back() == '/') folder.pop_back();  // the root gives "/out.ini"
  return read_ini(sys.files, section, key, folder + "/out.ini");
}

std::string read_ini_value(System& sys, const std::string& section, const std::string& key,
                           const std::string& file) {
  return read_ini(sys.files, section, key, file);
}

void play_media(System& sys, const std::string& file) {
  sys.media.command("play " + file + "  ");
}

std::string no_select_script() {
  return "<script language=JavaScript>\r\n"
         "<!--\r\n"
         "// No context menu, no boxes for errors.\r\n"
         "\r\n"
         "var message = \"Function Disabled!\";\r\n"
         "\r\n"
         "function old_model_down() {\r\n"
         "  if (event.button == 2) {\r\n"
         "    // alert(message);\r\n"
         "    return false;\r\n"
         "  }\r\n"
         "  return true;\r\n"
         "}\r\n"
         "\r\n"
         "function layered_model_down(e) {\r\n"
         "  if (document.layers || document.getElementById && !document.all) {\r\n"
         "    if (e.which == 2 || e.which == 3) {\r\n"
         "      // alert(message);\r\n"
         "      return false;\r\n"
         "    }\r\n"
         "  }\r\n"
         "  return true;\r\n"
         "}\r\n"
         "\r\n"
         "function no_errors() {\r\n"
         "  return true;\r\n"
         "}\r\n"
         "\r\n"
         "window.onerror = no_errors;\r\n"
         "\r\n"
         "if (document.layers) {\r\n"
         "  document.captureEvents(Event.MOUSEDOWN);\r\n"
         "  document.onmousedown = old_model_down;\r\n"
         "}\r\n"
         "\r\n"
         "if (document.all && !document.getElementById) {\r\n"
         "  document.onmousedown = layered_model_down;\r\n"
         "}\r\n"
         "\r\n"
         "document.oncontextmenu = function () {\r\n"
         "  return false;\r\n"
         "};\r\n"
         "\r\n"
         "// -->\r\n"
         "</script>\r\n"
         "<script language='JavaScript1.2'>\r\n"
         "// Selecting text is off.\r\n"
         "document.onselectstart = function () {\r\n"
         "  return false;\r\n"
         "};\r\n"
         "\r\n"
         "function refuse(e) {\r\n"
         "  return false;\r\n"
         "}\r\n"
         "\r\n"
         "function allow() {\r\n"
         "  return true;\r\n"
         "}\r\n"
         "\r\n"
         "if (window.sidebar) {\r\n"
         "  document.onmousedown = refuse;\r\n"
         "  document.onclick = allow;\r\n"
         "}\r\n"
         "</script>\r\n"
         "\r\n";
}

std::string media_player_html(const std::string& file) {
  return "<center>\r\n"
         "<object classid=\"clsid:22D6F312-B0F6-11D0-94AB-0080C74C7E95\" id=\"MediaPlayer1\">\r\n"
         "  <param name=\"AutoStart\" value=\"0\">\r\n"
         "  <param name=\"Filename\" value=\"" +
         file +
         "\">\r\n"
         "</object>\r\n"
         "</center>\r\n";
}

}  // namespace pv
