// Beside a question: its diagrams and exhibit in their viewer windows, which stay open
// while the test goes on, and the book chapter of its reference in the PDF reader.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/documents.hpp"
#include "core/program_name.hpp"
#include "platform/dialogs.hpp"
#include "platform/shell.hpp"
#include "testrun/diagram.hpp"
#include "testrun/exhibit.hpp"
#include "testrun/test_run_fixture.hpp"

namespace pv::testing {
namespace {

// A file put where the product's installer puts it (the program folder is read-only for
// the program).
void install(const std::string& path, const std::string& text) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

class Viewers : public TestRun {
 protected:
  // The test in bank order without explanations, at question `n`.
  quest& at_question(int n) {
    quest& w = start_test([this](pick_a_quiz& s) {
      tick(s.random_answers);
      tick(s.answer_when_wrong);
    });
    for (int k = 1; k < n; ++k) next();
    EXPECT_EQ(g().question_counter, n);
    return w;
  }
  void resize(Form& f, float width, float height) {
    app->user([&](UserInput& in) {
      in.move(f, 0, 0);
      in.size(f, width, height);
    });
  }
  std::string media() { return g().media_folder; }
};

TEST_F(Viewers, ADiagramOpensBesideTheTestAndSnapsToItsSize) {
  quest& w = at_question(7);  // "net7.gif" in its first diagram, nothing in the second
  install(media() + "net7.gif", "GIF89a");
  press(w.diagrambutton[0]);
  app->program->do_events();  // the browser completes the navigation
  Diagram* d = app->loaded<Diagram>();
  ASSERT_NE(d, nullptr);
  EXPECT_TRUE(d->visible() && !d->modal);
  EXPECT_EQ(d->caption(), "Diagram");
  EXPECT_EQ(d->Image1.location_url(), media() + "net7.gif");
  EXPECT_NE(d->Image1.document.html().find("<img src=\"net7.gif\">"), std::string::npos);
  press(d->Command1);  // Close hides it
  EXPECT_FALSE(d->visible());
  EXPECT_EQ(app->loaded<Diagram>(), d);
  press(w.diagrambutton[0]);
  app->program->do_events();
  EXPECT_TRUE(d->visible());
  EXPECT_EQ(d->Image1.location_url(), media() + "net7.gif");
  app->program->dispatch([&w] { w.diagrambutton_Click(1); });  // an empty second diagram
  EXPECT_EQ(d->Image1.location_url(), media() + "net7.gif");

  resize(*d, 9000, 6000);
  EXPECT_EQ(d->width(), 11040);
  EXPECT_EQ(d->height(), 7455);
  EXPECT_EQ(d->Image1.height, 6375);
  EXPECT_EQ(d->Image1.width, 10695);
  EXPECT_EQ(d->Command1.top, 6600);
  EXPECT_EQ(d->Command1.left, (11040 - 1695) / 2.0f);
  resize(*d, 12040, 8455);
  EXPECT_EQ(d->Image1.height, 7375);
  EXPECT_EQ(d->Image1.width, 11695);
  EXPECT_EQ(d->Command1.top, 7600);

  // The test goes on with the viewer open; Back unloads it.
  next();
  EXPECT_TRUE(d->visible());
  EXPECT_EQ(app->visible_windows().front(), "quest");
  back();
  EXPECT_EQ(app->loaded<Diagram>(), nullptr);
}

TEST_F(Viewers, AnExhibitIsReadOnceIntoItsBox) {
  quest& w = at_question(7);  // "ex7.txt" in its first exhibit
  install(media() + "ex7.txt", "Router# show run\r\nhostname R1\r\n!");
  const std::string log = app->error_log();
  press(w.exhibitbutton[0]);
  Exhibit* e = app->loaded<Exhibit>();
  ASSERT_NE(e, nullptr);
  EXPECT_TRUE(e->visible() && !e->modal);
  EXPECT_EQ(e->caption(), "Exhibit");
  EXPECT_EQ(e->text1.font.name, "Lucida Console");
  EXPECT_TRUE(e->text1.multi_line);
  const std::string text = "Router# show run\r\nhostname R1\r\n!\r\n";
  EXPECT_EQ(e->text1.text(), text);
  press(e->Command1);
  EXPECT_FALSE(e->visible());
  press(w.exhibitbutton[0]);  // again: the same text, once
  EXPECT_EQ(e->text1.text(), text);
  // A file that cannot be read leaves the box as it was.
  std::remove((media() + "ex7.txt").c_str());
  press(w.exhibitbutton[0]);
  EXPECT_EQ(e->text1.text(), text);
  EXPECT_TRUE(e->visible());
  EXPECT_EQ(app->error_log(), log);

  resize(*e, 9000, 5000);
  EXPECT_EQ(e->width(), 10215);
  EXPECT_EQ(e->height(), 5955);
  EXPECT_EQ(e->text1.height, 5055);
  EXPECT_EQ(e->text1.width, 9855);
  EXPECT_EQ(e->Command1.top, 5280);
  EXPECT_EQ(e->Command1.left, (10215 - 1455) / 2.0f);
  app->user([&](UserInput& in) { in.set_window_state(*e, vbMinimized); });
  EXPECT_EQ(e->text1.width, 9855);

  // Only the first exhibit has a button; the others name a lab and a book.
  EXPECT_FALSE(w.exhibitbutton[1].visible || w.exhibitbutton[2].visible);
}

class ChapterReview : public TestRun {
 protected:
  quest& on_first_question() {
    quest& w = start_test([this](pick_a_quiz& s) { tick(s.random_answers); });
    app->associations->defaults["application/pdf"] = "viewer.desktop";
    // This product names no book for its tests; the others name theirs.
    EXPECT_EQ(g().book_pdf_paths[1], "");
    book = g().book_pdf_path;
    g().book_pdf_paths[1] = book;
    return w;
  }
  std::string book;
};

TEST_F(ChapterReview, TheReferenceOpensTheBookAtItsPage) {
  const struct {
    const char* reference;
    const char* exhibit3;
    const char* page;  // nullptr: nothing opens
    bool second_book;
  } cases[] = {
      {"44##Routing basics", "", "44", false},
      {"7##Sec", "new", "7", true},
      {"7##Sec", "New", "7", false},
      {"1234##Long page", "", "1", false},  // no page text: the first page
      {"##Intro", "", nullptr, false},
      {"no hashes here", "", nullptr, false},
  };
  quest& w = on_first_question();
  const std::string second = app->program_folder.path() + "second.pdf";
  for (const auto& c : cases) {
    app->shell->opened.clear();
    g().review_page.clear();
    g().book_pdf_paths[5] = second;
    install(book, "%PDF");
    install(second, "%PDF");
    g().current_question.Reference = c.reference;
    g().current_question.ExhibitFile[3] = c.exhibit3;
    app->program->dispatch([&w] { w.Command1_Click(); });
    const std::string pdf = c.second_book ? second : book;
    if (c.page == nullptr) {
      EXPECT_TRUE(app->shell->opened.empty()) << c.reference;
      continue;
    }
    ASSERT_EQ(app->shell->opened.size(), 1u) << c.reference;
    EXPECT_EQ(app->shell->opened[0].target, pdf + ".hta") << c.reference;
    EXPECT_EQ(app->shell->opened[0].show, 3);
    const auto viewer = parse_viewer_page(app->files->read_all(pdf + ".hta"));
    ASSERT_TRUE(viewer.has_value());
    EXPECT_EQ(viewer->pdf_path, pdf);
    EXPECT_EQ(viewer->page, c.page) << c.reference;
    EXPECT_EQ(g().book_pdf_path, pdf);
  }
  EXPECT_TRUE(app->dialogs->messages.empty());
}

TEST_F(ChapterReview, NoReaderNoBookAndShellFailures) {
  quest& w = on_first_question();
  press(w.Command1);  // shown, as its reference names a page; the book is not installed
  EXPECT_EQ(message_texts(), std::vector<std::string>{"Could not find " + book});
  EXPECT_EQ(app->dialogs->messages[0].title, kProgramTitle);
  EXPECT_FALSE(app->files->exists(book + ".hta"));
  EXPECT_TRUE(app->shell->opened.empty());
  g().book_pdf_paths[1].clear();
  app->program->dispatch([&w] { w.Command1_Click(); });
  EXPECT_EQ(message_texts().back(), "Could not find ");

  // No reader registered: the offer, and nothing else, even with the book there.
  g().book_pdf_paths[1] = book;
  install(book, "%PDF");
  app->associations->defaults.clear();
  app->dialogs->messages.clear();
  app->dialogs->answers = {vbNo, vbYes};
  for (int k = 0; k < 2; ++k) app->program->dispatch([&w] { w.Command1_Click(); });
  ASSERT_EQ(app->dialogs->messages.size(), 2u);
  EXPECT_EQ(app->dialogs->messages[0].title, "Adobe Acrobat not Found");
  EXPECT_EQ(app->dialogs->messages[0].style, vbYesNo);
  ASSERT_EQ(app->shell->opened.size(), 1u);  // the second box was answered Yes
  EXPECT_EQ(app->shell->opened[0].target, kPdfReaderDownloadPage);
  EXPECT_EQ(app->shell->opened[0].show, 3);

  // The shell cannot open the viewer page.
  app->associations->defaults["application/pdf"] = "viewer.desktop";
  app->dialogs->messages.clear();
  app->dialogs->answers = {vbNo};
  app->shell->open_result = kShellNoAssociation;
  app->program->dispatch([&w] { w.Command1_Click(); });
  app->shell->open_result = kShellFileNotFound;
  app->program->dispatch([&w] { w.Command1_Click(); });
  ASSERT_EQ(app->dialogs->messages.size(), 2u);
  EXPECT_EQ(app->dialogs->messages[0].title, "Adobe Acrobat not Found");
  EXPECT_EQ(app->dialogs->messages[1].text, "File not found");
  EXPECT_EQ(app->dialogs->messages[1].title, "Error:");
  EXPECT_EQ(app->dialogs->messages[1].style, vbOKOnly | vbCritical);
}

}  // namespace
}  // namespace pv::testing
