#include "Support/LogFile.h"

#include <gtest/gtest.h>

#include "Sim/Clock/VirtualScheduler.h"
#include "TempHome.h"

namespace varnelo {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::writeFile;
constexpr std::uint64_t kLimit = LogFile::kRotationSize;

class LogFileTest : public ::testing::Test {
 protected:
  test::TempHome home;
  sim::VirtualScheduler scheduler{WallTime{}};
  fs::path logPath = home.logFolder() / "varnelo.log";
  fs::path predecessorPath = home.logFolder() / "varnelo.1.log";
  std::unique_ptr<LogFile> file =
      std::make_unique<LogFile>(logPath, scheduler.makeSerialQueue("com.varnelo.Varnelo.filelog"));
};

TEST_F(LogFileTest, firstLineCreatesFolderAndFileOnTheQueueEvenOnceTheLogFileIsGone) {
  // Catches disk access on the caller's thread, a writer that needs the folder to exist,
  // or queued lines dropped when the LogFile is destroyed.
  file->append("first\n");
  file.reset();
  EXPECT_FALSE(fs::exists(home.logFolder()));

  scheduler.runUntilIdle();
  EXPECT_EQ(readFile(logPath), "first\n");
}

TEST_F(LogFileTest, appendsInOrderAfterTheExistingBytes) {
  // Catches truncating the old log, or lines lost or reordered when more wait than one
  // write buffer holds.
  std::string expected(1000, 'o');
  writeFile(logPath, expected);
  for (int i = 0; i < 1000; ++i) {
    std::string line = std::to_string(i);
    line.resize(99, '.');
    file->append(line += '\n');
    expected += line;
  }
  scheduler.runUntilIdle();
  EXPECT_EQ(readFile(logPath), expected);
}

TEST_F(LogFileTest, rotatesAtExactlyTheLimitReplacingThePredecessor) {
  // Catches an off-by-one at 2 MiB, an older predecessor kept, or the next line landing
  // in the rotated file.
  writeFile(predecessorPath, "older\n");
  file->append(std::string(kLimit - 1, 'x'));
  scheduler.runUntilIdle();
  EXPECT_EQ(readFile(predecessorPath), "older\n");

  file->append("y");
  scheduler.runUntilIdle();
  EXPECT_EQ(fs::file_size(predecessorPath), kLimit);
  EXPECT_EQ(fs::file_size(logPath), 0u);

  file->append("next\n");
  scheduler.runUntilIdle();
  EXPECT_EQ(readFile(logPath), "next\n");
}

TEST_F(LogFileTest, waitingLinesRotateRightAfterTheOneThatReachesTheLimit) {
  // Catches a size count that starts at 0 instead of the file's end, or lines waiting
  // together written past the limit in one piece.
  writeFile(logPath, std::string(kLimit - 150, 'o'));
  for (const char c : std::string("abcd")) {
    file->append(std::string(99, c) + "\n");
  }
  scheduler.runUntilIdle();

  EXPECT_EQ(fs::file_size(predecessorPath), kLimit + 50);
  EXPECT_EQ(readFile(logPath), std::string(99, 'c') + "\n" + std::string(99, 'd') + "\n");
}

TEST_F(LogFileTest, unopenableFileLosesLinesAndTheNextAppendTriesAgain) {
  // Catches a crash on an impossible folder, the user's file cleared out of the way, or a
  // failed open remembered for good.
  writeFile(home.path() / "Library", "a plain file where a folder belongs");
  file->append("lost\n");
  scheduler.runUntilIdle();
  EXPECT_EQ(readFile(home.path() / "Library"), "a plain file where a folder belongs");

  fs::remove(home.path() / "Library");
  fs::create_directories(home.logFolder());
  file->append("kept\n");
  scheduler.runUntilIdle();
  EXPECT_EQ(readFile(logPath), "kept\n");
}

}  // namespace
}  // namespace varnelo
