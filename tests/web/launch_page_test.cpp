#include "web/launch_page.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "support/temp_folder.hpp"

extern char** environ;

namespace pv::testing {
namespace {

using namespace std::chrono_literals;

int mode_of(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? static_cast<int>(st.st_mode & 07777) : -1;
}

// Sets an environment variable for the life of the object.
class Environment {
 public:
  Environment(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    ::setenv(name, value.c_str(), 1);
  }
  ~Environment() {
    if (old_)
      ::setenv(name_, old_->c_str(), 1);
    else
      ::unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(LaunchPage, IsReadableByItsOwnerOnlyAndGoesWithTheProgram) {
  TempFolder runtime, tmp;
  ::chmod(runtime.path().c_str(), 0700);
  const std::string address = "http://127.0.0.1:4600/?s=0123456789abcdef&x=\"<";
  std::string path, folder;
  {
    Environment xdg("XDG_RUNTIME_DIR", runtime.path());
    LaunchPage page(address);
    path = page.path();
    folder = path.substr(0, path.rfind('/'));
    EXPECT_EQ(path.rfind(runtime.path() + "prepvant-", 0), 0u) << path;
    EXPECT_EQ(mode_of(folder), 0700);
    EXPECT_EQ(mode_of(path), 0600);
    EXPECT_EQ(runtime.read(path.substr(runtime.path().size())),
              "<!DOCTYPE html>\n<meta charset=\"utf-8\">\n"
              "<meta name=\"referrer\" content=\"no-referrer\">\n"
              "<meta http-equiv=\"refresh\" content=\"0; "
              "url=http://127.0.0.1:4600/?s=0123456789abcdef&amp;x=&quot;&lt;\">\n"
              "<a href=\"http://127.0.0.1:4600/?s=0123456789abcdef&amp;x=&quot;&lt;\">"
              "http://127.0.0.1:4600/?s=0123456789abcdef&amp;x=&quot;&lt;</a>\n");
  }
  EXPECT_EQ(mode_of(path), -1);
  EXPECT_EQ(mode_of(folder), -1);

  // A run-time folder that others may enter is not used: the temporary folder is.
  ::chmod(runtime.path().c_str(), 0755);
  Environment xdg("XDG_RUNTIME_DIR", runtime.path());
  Environment tmpdir("TMPDIR", tmp.path());
  LaunchPage page(address);
  EXPECT_EQ(page.path().rfind(tmp.path() + "prepvant-", 0), 0u) << page.path();
  EXPECT_EQ(mode_of(page.path()), 0600);
}

// The program hands the opener its launch page: nothing on a command line, which every
// user of the machine can read, holds the secret.
TEST(LaunchPage, NoSecretOnTheOpenersCommandLine) {
  TempFolder bin, runtime, work;
  ::chmod(runtime.path().c_str(), 0700);
  bin.write("xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" + work.path() +
                            "opened.tmp\"\nmv \"" + work.path() + "opened.tmp\" \"" + work.path() +
                            "opened\"\n");
  ::chmod((bin / "xdg-open").c_str(), 0755);
  const std::string program = std::string(PREPVANT_BINARY_DIR) + "/prepvant";
  std::vector<std::string> env = {"PATH=" + bin.path() + ":/usr/bin:/bin",
                                  "XDG_RUNTIME_DIR=" + runtime.path(), "HOME=" + work.path()};
  std::vector<char*> envp;
  for (auto& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::vector<std::string> args = {program, "46000"};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, (work / "stdout").c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addchdir_np(&actions, work.path().c_str());
  pid_t pid = 0;
  ASSERT_EQ(::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()), 0);
  posix_spawn_file_actions_destroy(&actions);
  for (int i = 0; i < 3000 && !work.exists("opened"); ++i) std::this_thread::sleep_for(10ms);
  const std::string opened = work.exists("opened") ? work.read("opened") : "";
  const std::string page_path = opened.substr(0, opened.find('\n'));
  const std::string page =
      page_path.empty() ? "" : runtime.read(page_path.substr(runtime.path().size()));
  ::kill(pid, SIGKILL);
  ::waitpid(pid, nullptr, 0);

  const std::string out = work.read("stdout");
  const size_t s = out.find("/?s=");
  ASSERT_NE(s, std::string::npos) << out;
  const std::string secret = out.substr(s + 4, 32);
  EXPECT_EQ(opened, page_path + "\n");
  EXPECT_EQ(page_path.rfind(runtime.path() + "prepvant-", 0), 0u) << page_path;
  EXPECT_EQ(opened.find(secret), std::string::npos);
  EXPECT_NE(page.find("/?s=" + secret), std::string::npos);
}

}  // namespace
}  // namespace pv::testing
