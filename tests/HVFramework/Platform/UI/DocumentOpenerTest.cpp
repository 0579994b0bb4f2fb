// The desktop's opener run for real: a fake "xdg-open" first on PATH hands
// the arguments it was given back through a named pipe.
#include "HVFramework/Platform/UI/DocumentOpener.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/TemporaryFolder.h"

namespace HV::Platform {
namespace {

// PATH with a folder in front for the length of a test.
class PathInFront {
 public:
  explicit PathInFront(const std::string& folder) {
    const char* path = std::getenv("PATH");
    mSaved = path ? path : "";
    ::setenv("PATH", (folder + ":" + mSaved).c_str(), 1);
  }
  ~PathInFront() { ::setenv("PATH", mSaved.c_str(), 1); }
  PathInFront(const PathInFront&) = delete;
  PathInFront& operator=(const PathInFront&) = delete;

 private:
  std::string mSaved;
};

class DocumentOpenerThreads : public ::testing::Test {
 protected:
  DocumentOpenerThreads() {
    const std::string bin = folder / "bin";
    ::mkdir(bin.c_str(), 0700);
    // Each argument ends with a zero byte, so blanks and line breaks stay inside it.
    std::ofstream(bin + "/xdg-open") << "#!/bin/sh\nprintf '%s\\0' \"$@\" > \"$HV_TEST_OPENED\"\n";
    ::chmod((bin + "/xdg-open").c_str(), 0700);
    ::mkfifo(pipe.c_str(), 0600);
    ::setenv("HV_TEST_OPENED", pipe.c_str(), 1);
  }
  ~DocumentOpenerThreads() override { ::unsetenv("HV_TEST_OPENED"); }

  std::string MakeFile(const std::string& name) {
    const std::string path = folder / name;
    std::ofstream(path) << "%PDF-1.4\n";
    return path;
  }
  // The arguments the fake opener was run with; waits for it to write them.
  std::vector<std::string> TakeArguments() {
    const int fd = ::open(pipe.c_str(), O_RDONLY);
    std::string bytes;
    char buffer[512];
    for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) != 0;) {
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) break;
      bytes.append(buffer, static_cast<size_t>(got));
    }
    ::close(fd);
    std::vector<std::string> arguments;
    for (size_t at = 0, end; (end = bytes.find('\0', at)) != std::string::npos; at = end + 1)
      arguments.push_back(bytes.substr(at, end - at));
    return arguments;
  }
  static bool HasUnreapedChild() { return ::waitpid(-1, nullptr, WNOHANG) >= 0 || errno != ECHILD; }

  HV::Test::TemporaryFolder folder;
  const std::string pipe = folder / "opened";
  PathInFront path{folder / "bin"};
  DocumentOpener opener;
};

TEST_F(DocumentOpenerThreads, APathWithBlanksArrivesAsOneArgumentAndTheChildIsReaped) {
  struct Case {
    const char* what;
    std::string name;
    std::string argument;  // as the opener gets it, relative to the folder
  };
  const Case cases[] = {
      {"blanks", "User Guide (English).pdf", "User Guide (English).pdf"},
      {"a quote, a semicolon and a dollar", "it's; $HOME.pdf", "it's; $HOME.pdf"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string file = MakeFile(c.name);
    ASSERT_TRUE(opener.Open(file, nullptr));
    EXPECT_EQ(TakeArguments(), std::vector<std::string>{folder / c.argument});
    opener.WaitForStartedChildren();
    EXPECT_FALSE(HasUnreapedChild());
  }
}

TEST_F(DocumentOpenerThreads, AMissingFileOrOpenerAnswersFalse) {
  bool isEndHandlerCalled = false;
  const auto onEnded = [&](bool) { isEndHandlerCalled = true; };
  EXPECT_FALSE(opener.Open(folder / "missing.pdf", onEnded));
  EXPECT_FALSE(opener.Open("", onEnded));
  const std::string file = MakeFile("guide.pdf");
  ::setenv("PATH", (folder / "nowhere").c_str(), 1);  // no xdg-open to be found
  EXPECT_FALSE(opener.Open(file, onEnded));
  opener.WaitForStartedChildren();
  EXPECT_FALSE(HasUnreapedChild());
  EXPECT_FALSE(isEndHandlerCalled);
}

// How the opener ended reaches the end handler once, on the opener's own
// thread: an opener that finds no program for the document fails.
TEST_F(DocumentOpenerThreads, TheEndHandlerHearsWhetherTheOpenerOpenedTheDocument) {
  std::ofstream(folder / "bin/failing-open") << "#!/bin/sh\nexit 3\n";
  ::chmod((folder / "bin/failing-open").c_str(), 0700);
  const std::string file = MakeFile("guide.pdf");
  struct Case {
    const char* program;
    bool isOpened;
  } const cases[] = {{"failing-open", false}, {"xdg-open", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.program);
    DocumentOpener started(c.program);
    std::vector<bool> ends;
    std::thread::id endThread;
    ASSERT_TRUE(started.Open(file, [&](bool isOpened) {
      ends.push_back(isOpened);
      endThread = std::this_thread::get_id();
    }));
    if (c.isOpened) TakeArguments();  // the fake xdg-open waits until its words are read
    started.WaitForStartedChildren();
    EXPECT_EQ(ends, std::vector<bool>{c.isOpened});
    EXPECT_NE(endThread, std::this_thread::get_id());
  }
}

}  // namespace
}  // namespace HV::Platform
