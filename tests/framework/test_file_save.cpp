#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "framework/core/exceptions.h"
#include "framework/core/file_save.h"

namespace {

namespace fs = std::filesystem;

class FileSave : public ::testing::Test {
 protected:
  void SetUp() override {
    Folder = fs::temp_directory_path() /
             ("vx_file_save_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(Folder);
    fs::create_directories(Folder);
  }
  void TearDown() override { fs::remove_all(Folder); }

  std::string File(const char* Name) const { return (Folder / Name).string(); }

  static void Put(const std::string& Name, const std::string& Text) { std::ofstream(Name, std::ios::binary) << Text; }
  static std::string Get(const std::string& Name) {
    std::ifstream In(Name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(In), {});
  }
  static void WriteText(TStream& S, const std::string& Text) { S.WriteBuffer(Text.data(), int64_t(Text.size())); }

  size_t Entries() const { return size_t(std::distance(fs::directory_iterator(Folder), fs::directory_iterator())); }

  fs::path Folder;
};

TEST_F(FileSave, ASuccessfulSaveReplacesTheFileWholeAndLeavesNoTemporary) {
  const std::string Target = File("doc.bin");
  Put(Target, "the old content, longer than the new");
  SaveFileReplacing(Target, [](TStream& S) { WriteText(S, "new"); });
  EXPECT_EQ(Get(Target), "new");
  TMemoryStream Data;
  WriteText(Data, "from memory");
  SaveFileReplacing(File("fresh.bin"), Data);
  EXPECT_EQ(Get(File("fresh.bin")), "from memory");
  EXPECT_EQ(Entries(), 2u);
}

TEST_F(FileSave, AWriterFailingHalfWayLeavesTheOldFileAndNoTemporary) {
  const std::string Target = File("doc.bin");
  Put(Target, "old");
  EXPECT_THROW(SaveFileReplacing(Target,
                                 [](TStream& S) {
                                   WriteText(S, "half of the new");
                                   throw EWriteError("out of space");
                                 }),
               EWriteError);
  EXPECT_EQ(Get(Target), "old");
  EXPECT_EQ(Entries(), 1u);
}

TEST_F(FileSave, ATemporaryThatCannotBeCreatedLeavesTheOldFileAndWhateverHasItsName) {
  const std::string Target = File("doc.bin");
  Put(Target, "old");
  fs::create_directories(Target + ".saving/keep");
  bool Called = false;
  EXPECT_THROW(SaveFileReplacing(Target, [&](TStream&) { Called = true; }), EStreamError);
  EXPECT_FALSE(Called);
  EXPECT_EQ(Get(Target), "old");
  EXPECT_TRUE(fs::is_directory(Target + ".saving/keep"));
}

TEST_F(FileSave, ARenameThatFailsNamesTheTargetAndRemovesTheTemporary) {
  // A folder cannot be replaced by a file.
  const std::string Target = File("taken");
  fs::create_directories(Target + "/inside");
  try {
    SaveFileReplacing(Target, [](TStream& S) { WriteText(S, "new"); });
    ADD_FAILURE() << "the save reported success";
  } catch (const EWriteError& E) {
    EXPECT_EQ(E.Message().rfind("Cannot create file " + Target + ": ", 0), 0u) << E.Message();
  }
  EXPECT_TRUE(fs::is_directory(Target + "/inside"));
  EXPECT_FALSE(fs::exists(Target + ".saving"));
}

}  // namespace
