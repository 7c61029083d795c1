#include "platform/web_browser.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/filesystem.hpp"
#include "support/fake_desktop.hpp"
#include "support/temp_folder.hpp"

namespace pv {
namespace {

// What the program writes before every question: a script that must not be read as markup,
// then the form and its button, opened before the question's table.
const std::string kHead =
    "<html><head><script language=JavaScript>\r\n<!--\r\nif (a < b && c > d)\r\n"
    "  document.write(\"<input type=checkbox name=ans1 checked></form>\");\r\n// -->\r\n"
    "</script></head><body>\r\n<form name=\"frm\" method=post>\r\n"
    "<input type=button name=NEXT value=\"Next ->\">\r\n";

const std::string kTable =
    "<style>\r\nBODY{font-size: 12 pt}\r\n</style>\r\n<table border=0 cellpadding=0 "
    "cellspacing=0 width=100% height=100% ><tr><td align=top height=2></td></tr>"
    "<tr><td valign=top> 1.) Which layer routes packets?<p>";

const std::string kEnd =
    "</td></tr><tr><td ><p align=center>Select the 1 Best Answer.<zzexplanation></td></tr>"
    "</td></tr></table>\r\n<script language=vbscript>\r\nOn Error Resume Next\r\n"
    "myDoc = document.frm.elements(0).type\r\n</script><hr><a href=\"javascript:; void(' ');\""
    "id=\"Exhibit1\"onclick=myfunction()>Exhibit # 1 Click Here</a><br></BODY></body></html>";

std::string radio(bool checked, char key, int i, const std::string& text) {
  return std::string("\r\n<input ") + (checked ? "checked" : "") + " type=radio accesskey=\"" +
         key + "\"  name=\"radio1\" value=V" + std::to_string(i) + ">" + char(key - 32) + ".\t" +
         text + "</option><br>";
}

std::string check_box(bool checked, char key, int i, const std::string& text) {
  return std::string("<input type=checkbox accesskey=\"") + key + "\" " +
         (checked ? "checked" : "") + " name=ans" + std::to_string(i) +
         " value=" + std::to_string(i) + ">" + char(key - 32) + ".\t" + text + "</option><br>\r\n";
}

// One read of a field, and what it gives; nothing in both for a field that is missing.
struct Read {
  std::string form, name;
  size_t index;
  std::optional<bool> checked;
  std::optional<std::string> value;
};

struct Page {
  const char* what;
  std::string html;
  std::vector<Read> reads;
  std::vector<std::pair<std::string, std::string>> ids;  // id -> tag of the element
};

TEST(HtmlDocument, ReadsTheFieldsOfThePagesTheProgramWrites) {
  const Page pages[] = {
      {"a radio question in a form opened before the table",
       kHead + kTable + radio(false, 'a', 1, "Physical") + radio(true, 'b', 2, "Network") +
           radio(false, 'c', 3, "Session") + kEnd,
       {{"frm", "radio1", 0, false, "V1"},
        {"frm", "radio1", 1, true, "V2"},
        {"frm", "radio1", 2, false, "V3"},
        {"frm", "radio1", 3, {}, {}},
        {"frm", "NEXT", 0, false, "Next ->"},
        {"frm", "ans1", 0, {}, {}},  // only inside the script
        {"other", "radio1", 0, {}, {}}},
       {{"Exhibit1", "a"}}},
      {"a check-box question",
       kHead + kTable + check_box(true, 'a', 1, "Routers") + check_box(false, 'b', 2, "Hubs") +
           check_box(true, 'c', 3, "Switches") + kEnd,
       {{"frm", "ans1", 0, true, "1"},
        {"frm", "ans2", 0, false, "2"},
        {"frm", "ans3", 0, true, "3"},
        {"frm", "ans4", 0, {}, {}}},
       {{"Exhibit1", "a"}}},
      {"several checked radio buttons leave the last one checked",
       kHead + radio(true, 'a', 1, "x") + radio(true, 'b', 2, "y") + radio(true, 'c', 3, "z") +
           radio(false, 'd', 4, "w"),
       {{"frm", "radio1", 0, false, "V1"},
        {"frm", "radio1", 1, false, "V2"},
        {"frm", "radio1", 2, true, "V3"},
        {"frm", "radio1", 3, false, "V4"}},
       {}},
      {"a text field whose value holds references, and stray end tags",
       kHead + kTable +
           "<p>&nbsp;</p><p align=center><input type=text name=txt_fill size=40 "
           "value=\"5 &lt; 6 &amp;&amp; R&D &copy 2&#48;26 &#x41;&#150;&notit; "
           "&euro;&bogus;\"></p onblur=alert(\"hi\")><p align=center><b>Please "
           "Type Answer In Box Above</b></p><br>" +
           kEnd,
       {{"frm", "txt_fill", 0, false, "5 < 6 && R&D \u00a9 2026 A\u2013&notit; \u20ac&bogus;"}},
       {{"Exhibit1", "a"}}},
      {"a form without an end tag owns every later field",
       "<form name=frm><table><tr><td><input type=checkbox name=ans1 checked></td></tr></table>"
       "</div></td></tr></option><input type=text name=txt_fill value='a b'>",
       {{"frm", "ans1", 0, true, "on"}, {"frm", "txt_fill", 0, false, "a b"}},
       {}},
      {"after its end tag a form owns nothing; a form inside a form is ignored",
       "<form name=frm id=first><form name=inner id=second><input type=checkbox name=ans1 checked>"
       "</form><input type=checkbox name=ans2 checked><form name=next>"
       "<input type=checkbox name=ans2>",
       {{"frm", "ans1", 0, true, "on"},
        {"frm", "ans2", 0, {}, {}},
        {"inner", "ans1", 0, {}, {}},
        {"next", "ans2", 0, false, "on"},
        {"first", "ans1", 0, true, "on"}},  // a form is also found by its id
       {{"first", "form"}}},
      {"tags and attributes in any case, quoted any way or not, run together",
       "<FORM NAME='frm'><INPUT TYPE=CHECKBOX NAME=ans1 CHECKED=checked VALUE=1>"
       "<Input type=\"Radio\"name=\"r\"value='x y'id=pick checked/><input name=t value=>"
       "<input type=color-ish name=u value=\"line\r\nend\"><input name=ans1 type=checkbox "
       "name=ans9>",
       {{"frm", "ans1", 0, true, "1"},
        {"frm", "r", 0, true, "x y"},
        {"frm", "pick", 0, true, "x y"},  // a field is also found by its id
        {"frm", "t", 0, false, ""},
        {"frm", "u", 0, false, "lineend"},  // an unknown type is a one-line text field
        {"frm", "ans1", 1, false, "on"},    // the first of repeated attributes counts
        {"frm", "ans9", 0, {}, {}}},
       {{"pick", "input"}}},
      {"comments, raw text and text areas hide what looks like fields",
       "<form name=frm><!-- <input type=checkbox name=ans1 checked> --><STYLE>input{}</style >"
       "<textarea name=notes>\n&lt;input name=ans1 checked&gt;</textarea>"
       "<title><input name=ans1 checked></title><xmp><form name=frm2></xmp><!--->"
       "<input type=checkbox name=ans1><script>/*</script>*/</script x><p id=after>",
       {{"frm", "ans1", 0, false, "on"},
        {"frm", "notes", 0, false, "<input name=ans1 checked>"},
        {"frm", "ans1", 1, {}, {}},
        {"frm2", "ans1", 0, {}, {}}},
       {{"after", "p"}}},
      {"a tag the page does not finish is dropped",
       "<form name=frm><input type=checkbox name=ans1 checked><input type=checkbox name=ans2 "
       "checked",
       {{"frm", "ans1", 0, true, "on"}, {"frm", "ans2", 0, {}, {}}},
       {}},
      {"a page without the form",
       "<html><body><p id=q>Blank</p></body></html>",
       {{"frm", "radio1", 0, {}, {}}, {"frm", "txt_fill", 0, {}, {}}},
       {{"q", "p"}}},
  };
  for (const Page& page : pages) {
    SCOPED_TRACE(page.what);
    HtmlDocument doc;
    doc.open();
    doc.write(page.html);
    doc.close();
    for (const Read& r : page.reads) {
      SCOPED_TRACE(r.form + "." + r.name + "(" + std::to_string(r.index) + ")");
      EXPECT_EQ(doc.checked({r.form, r.name, r.index}), r.checked);
      EXPECT_EQ(doc.value({r.form, r.name, r.index}), r.value);
    }
    for (const auto& [id, tag] : page.ids) {
      const HtmlElement* e = doc.element_by_id(id);
      ASSERT_NE(e, nullptr) << id;
      EXPECT_EQ(e->tag, tag);
    }
    EXPECT_EQ(doc.element_by_id("Exhibit2"), nullptr);
  }
}

// The question page as the program writes it: clear, open, clear, one write, close.
HtmlDocument radio_page() {
  HtmlDocument doc;
  doc.clear();
  doc.open();
  doc.clear();
  doc.write(kHead + kTable + radio(false, 'a', 1, "A") + radio(true, 'b', 2, "B") +
            radio(false, 'c', 3, "C") + "<input type=text name=txt_fill value=\"\">" + kEnd);
  doc.close();
  return doc;
}

TEST(HtmlDocument, MarksSetByTheProgramAndByThePage) {
  HtmlDocument doc = radio_page();
  const uint64_t marks = doc.marks_generation();
  const uint64_t text = doc.generation();

  // A test marks as the user would: one radio button of a group at a time.
  EXPECT_TRUE(doc.set_checked({"frm", "radio1", 2}, true));
  EXPECT_EQ(doc.checked({"frm", "radio1", 1}), false);
  EXPECT_EQ(doc.checked({"frm", "radio1", 2}), true);
  EXPECT_TRUE(doc.set_value({"frm", "txt_fill"}, "two\r\nlines & \"more\""));
  EXPECT_EQ(doc.value({"frm", "txt_fill"}), "twolines & \"more\"");
  EXPECT_GT(doc.marks_generation(), marks);
  EXPECT_EQ(doc.generation(), text);  // the page itself is unchanged

  // A field that is not there, or is not a check box or radio button, takes no mark.
  EXPECT_FALSE(doc.set_checked({"frm", "radio1", 3}, true));
  EXPECT_FALSE(doc.set_checked({"frm", "txt_fill"}, true));
  EXPECT_FALSE(doc.set_value({"frm", "ans1"}, "x"));
  EXPECT_FALSE(doc.set_checked({"form1", "radio1"}, true));

  // The page reports every field in its order; a field is known by its name (or its id)
  // and its position among those; one whose type disagrees is left alone.
  const uint64_t before = doc.marks_generation();
  doc.take_marks({{"", "NEXT", "button", "Next ->", false},
                  {"", "radio1", "radio", "V1", true},
                  {"", "radio1", "radio", "V2", false},
                  {"", "radio1", "radio", "V3", false},
                  {"", "txt_fill", "checkbox", "", true},
                  {"", "radio1", "radio", "V4", true},  // more than the page has
                  {"stray", "", "checkbox", "on", true}});
  EXPECT_EQ(doc.checked({"frm", "radio1", 0}), true);
  EXPECT_EQ(doc.checked({"frm", "radio1", 2}), false);
  EXPECT_EQ(doc.value({"frm", "txt_fill"}), "twolines & \"more\"");
  doc.take_marks({{"", "txt_fill", "text", "typed \u00e9", false}});
  EXPECT_EQ(doc.value({"frm", "txt_fill"}), "typed \u00e9");
  EXPECT_EQ(doc.marks_generation(), before);  // the page already shows them

  // A write to the closed document starts a new one: the marks go with the old one.
  doc.write("<form name=frm><input type=radio name=radio1>");
  EXPECT_GT(doc.generation(), text);
  EXPECT_EQ(doc.checked({"frm", "radio1", 0}), false);
  EXPECT_EQ(doc.value({"frm", "txt_fill"}), std::nullopt);
  // While the document is open, a write adds to it.
  doc.write("<input type=radio name=radio1 checked>");
  EXPECT_EQ(doc.checked({"frm", "radio1", 1}), true);
  ASSERT_EQ(doc.fields().size(), 2u);
}

TEST(HtmlDocument, ClickHandlersAreSetOnElementsOfThePage) {
  HtmlDocument doc = radio_page();
  int clicks = 0;
  EXPECT_TRUE(doc.set_on_click("Exhibit1", [&] { ++clicks; }));
  EXPECT_FALSE(doc.set_on_click("Exhibit2", [&] { ++clicks; }));
  EXPECT_FALSE(doc.set_on_click("exhibit1", [&] { ++clicks; }));  // ids match exactly
  ASSERT_EQ(doc.click_handlers().size(), 1u);

  WebBrowser web("WebBrowser1");
  web.document = std::move(doc);
  web.click_element("Exhibit2");
  web.click_element("Exhibit1");
  EXPECT_EQ(clicks, 1);
  web.document.open();  // the hooks go with the page
  web.click_element("Exhibit1");
  EXPECT_EQ(clicks, 1);
}

class Viewer : public Form {
 public:
  explicit Viewer(FormRegistry& f) : Form(f, "Viewer") {
    add(page);
    page.on_navigate_complete = [this] { events += "navigate "; };
    page.on_document_complete = [this] { events += "document(" + page.document.html() + ") "; };
  }
  WebBrowser page{"WebBrowser1"};
  std::string events;
};

TEST(WebBrowser, NavigationCompletesWhenTheEventLoopPumps) {
  testing::FakeDesktop desktop;
  testing::TempFolder folder;
  folder.write("blank.htm", "<html><body id=blank></body></html>");
  DiskFileSystem files(folder.path(), folder.path());
  Viewer& v = desktop.define_and_get<Viewer>();
  v.load();

  v.page.navigate(files, "FILE://" + folder.path() + "BLANK.HTM");
  EXPECT_TRUE(v.page.busy());
  EXPECT_EQ(v.events, "");
  desktop.loop.do_events();
  EXPECT_FALSE(v.page.busy());
  EXPECT_EQ(v.events, "navigate document(<html><body id=blank></body></html>) ");
  EXPECT_EQ(v.page.location_url(), "FILE://" + folder.path() + "BLANK.HTM");
  EXPECT_EQ(v.page.base_folder, folder.path());
  EXPECT_NE(v.page.document.element_by_id("blank"), nullptr);

  // A page written before the navigation completes cancels it.
  v.events.clear();
  v.page.navigate(files, folder / "blank.htm");
  v.page.document.open();
  v.page.document.write("<p id=mine>");
  EXPECT_FALSE(v.page.busy());
  desktop.loop.do_events();
  EXPECT_EQ(v.events, "");
  EXPECT_NE(v.page.document.element_by_id("mine"), nullptr);

  // A missing file, or an address that is not a file, still completes, with an empty page.
  v.page.navigate(files, folder / "missing.htm");
  v.page.navigate(files, "about:blank");
  desktop.loop.do_events();
  EXPECT_EQ(v.events, "navigate document() ");
  EXPECT_EQ(v.page.location_url(), "about:blank");

  // The window may be unloaded, or gone, before the loop pumps.
  v.page.navigate(files, folder / "blank.htm");
  v.unload();
  desktop.loop.do_events();
  Viewer& again = desktop.forms.get<Viewer>();
  again.load();
  again.page.navigate(files, folder / "blank.htm");
  again.unload();
  desktop.forms.collect();
  EXPECT_EQ(desktop.forms.find<Viewer>(), nullptr);
  desktop.loop.do_events();
}

}  // namespace
}  // namespace pv
