// The cost of reading a question page: the test window writes one for every question and
// reads the marks from it right after, so a page of about 5 KB must be read in tens of
// microseconds at most.
#include <benchmark/benchmark.h>

#include <string>

#include "core/fragments.hpp"
#include "platform/web_browser.hpp"

namespace {

std::string question_page() {
  std::string page = pv::no_select_script() +
                     "\r\n<html><body>\r\n<form name=\"frm\" method=post>\r\n"
                     "<input type=button name=NEXT value=\"Next ->\">\r\n"
                     "\r\n<style>\r\nBODY{font-size: 12 pt}\r\nTABLE{font-size: 12 pt}\r\n"
                     "BODY{font-family:Arial}\r\n</style>\r\n<table border=0 cellpadding=0 "
                     "cellspacing=0 width=100% height=100% ><tr><td align=top height=2></td>"
                     "</tr><tr><td valign=top> 12.) ";
  for (int i = 0; i < 20; ++i)
    page +=
        "A router receives a packet whose destination is not in its table; which of "
        "these does it do <b>first</b>? ";
  page += "<p><SCRIPT LANGUAGE=VBScript>\r\nvarcount=4\r\n questiontype=\"radio\" </SCRIPT>\r\n";
  for (int i = 1; i <= 4; ++i)
    page += "\r\n<input " + std::string(i == 2 ? "checked" : "") + " type=radio accesskey=\"" +
            char('a' + i - 1) + "\"  name=\"radio1\" value=V" + std::to_string(i) + ">" +
            char('A' + i - 1) +
            ".\tIt forwards the packet by its default route, if any</option><br>";
  page +=
      "</td></tr><tr><td ><p align=center>Select the 1 Best Answer.<br><center><b>Please "
      "Scroll Down to See Exhibits and/or Diagrams<zzexplanation></td></tr></td></tr>"
      "</table>\r\n<script language=vbscript>\r\nOn Error Resume Next\r\ndim myDoc\r\n"
      "myDoc = document.frm.elements(0).type\r\nif myDoc = \"button\" then \r\n"
      "document.frm.NEXT.focus\r\nelse\r\ndocument.frm.elements(0).focus\r\nend if\r\n"
      "</script><script language=javascript>\r\nFunction myfunction()\r\n{\r\nreturn 0;\r\n"
      "};\r\n</script>\r\n\r\n<hr><a href=\"javascript:; void(' ');\"id=\"Exhibit1\""
      "onclick=myfunction()>Exhibit # 1 Click Here</a><br><hr>Diagram 1<br><img "
      "src=\"/opt/media/route.gif\"><p></BODY></body></html>";
  return page;
}

void BM_ReadQuestionPage(benchmark::State& state) {
  const std::string page = question_page();
  for (auto _ : state) {
    pv::HtmlDom dom = pv::parse_html(page);
    benchmark::DoNotOptimize(dom.fields.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
  state.counters["page_bytes"] = static_cast<double>(page.size());
}
BENCHMARK(BM_ReadQuestionPage)->Unit(benchmark::kMicrosecond);

// What the test window does for each question: write the page, read the four marks.
void BM_WritePageAndReadMarks(benchmark::State& state) {
  const std::string page = question_page();
  pv::HtmlDocument doc;
  for (auto _ : state) {
    doc.clear();
    doc.open();
    doc.clear();
    doc.write(page);
    doc.close();
    int marked = 0;
    for (size_t i = 0; i < 4; ++i) marked += doc.checked({"frm", "radio1", i}).value_or(true);
    benchmark::DoNotOptimize(marked);
  }
}
BENCHMARK(BM_WritePageAndReadMarks)->Unit(benchmark::kMicrosecond);

}  // namespace
