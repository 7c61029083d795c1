// The page's files, built into the program from src/web/page/.
#pragma once

#include <string_view>

namespace pv {

extern const std::string_view kIndexHtml;  // "{{SECRET}}" stands for the launch's secret
extern const std::string_view kAppJs;
extern const std::string_view kAppCss;

}  // namespace pv
