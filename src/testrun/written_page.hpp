// Showing a page that a window builds in its browser control: the test window's question
// and the explanation window's answer are written the same way.
#pragma once

#include <cstdint>
#include <string>

namespace pv {

class Form;
class WebBrowser;
struct System;

// How long a written page may go on loading before its window goes on without it.
inline constexpr int64_t kPageWaitMs = 10000;

// When `prime`, first loads the media folder's blank page into `browser` and waits until
// it reports completion (page_loaded) for at most two second boundaries. Then writes
// the page head, `html` and the closing tags as the whole document and waits for it at most
// kPageWaitMs; a page still loading then is logged for `procedure` in `source`. Every
// step skips its run-time errors. False when `owner` closed while waiting.
bool show_written_page(System& sys, const Form& owner, WebBrowser& browser, bool prime,
                       const std::string& html, const std::string& procedure,
                       const std::string& source);

}  // namespace pv
