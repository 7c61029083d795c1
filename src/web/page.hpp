// The page's files, built into the program from src/web/page/ (wire.md, which documents
// the messages, is not served).
#pragma once

#include <span>
#include <string_view>

namespace pv {

struct PageFile {
  std::string_view name;  // "main.js"
  // index.html: "{{SECRET}}" stands for the launch's secret, "{{MODULES}}" for a preload
  // of each module
  std::string_view bytes;
  std::string_view type;  // the Content-Type it is served with
};

// Every page file, in the order of their names.
std::span<const PageFile> page_files();

}  // namespace pv
