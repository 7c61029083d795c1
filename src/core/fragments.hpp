// Small shared procedures of the test run: the exercise programs' INI results, the
// media player, and the fragments every question and explanation page is built from.
#pragma once

#include <string>

namespace pv {

struct System;

// The value of `key` in `section` of "out.ini" in the program folder.
std::string read_out_ini(System& sys, const std::string& section, const std::string& key);
// The value of `key` in `section` of the INI file `file`. Both readers give the INI
// file's path (at most 59 characters of it) when the file, the section or the key is
// missing, "" for a key with an empty value, and at most 59 characters; they never raise.
std::string read_ini_value(System& sys, const std::string& section, const std::string& key,
                           const std::string& file);
// Starts playing a media file; reports nothing.
void play_media(System& sys, const std::string& file);
// The script that opens every question and explanation page: no context menu, no text
// selection, script errors swallowed. The same text on every call.
std::string no_select_script();
// The centred media-player block for a file, not started until the user presses Play.
std::string media_player_html(const std::string& file);

}  // namespace pv
