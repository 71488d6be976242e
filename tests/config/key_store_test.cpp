#include "config/key_store.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/memory_file_system.h"

namespace tessaline::config {
namespace {

using platform::MemoryFileSystem;
using platform::PathStyle;

constexpr std::u16string_view kPath = u"/home/ann/.config/Brenwick/tessaline.conf";

// What every key store does, for the file and the memory one alike.
void expectKeyStoreBehaviour(KeyStore& keys) {
  EXPECT_EQ(keys.get(kDataDirValue), std::nullopt);
  EXPECT_TRUE(keys.set(kDataDirValue, u"/data/"));
  EXPECT_TRUE(keys.set(kProgramPathValue, u"/opt/t/tessaline"));
  EXPECT_TRUE(keys.set(u"datadir", u"/other/\r\n odd "));  // names ignore ASCII case
  EXPECT_EQ(keys.get(u"DATADIR"), u"/other/\r\n odd ");
  EXPECT_FALSE(keys.set(u"a=b", u"x"));
  EXPECT_TRUE(keys.remove(kProgramPathValue));
  EXPECT_TRUE(keys.remove(kProgramPathValue));  // gone already
  EXPECT_EQ(keys.get(kProgramPathValue), std::nullopt);
  EXPECT_EQ(keys.get(kDataDirValue), u"/other/\r\n odd ");
}

TEST(KeyStore, MemoryStore) {
  MemoryKeyStore keys;
  expectKeyStoreBehaviour(keys);
}

TEST(KeyStore, FileStoreMakesItsFolderAndFileOnTheFirstChange) {
  MemoryFileSystem fs(PathStyle::Posix);
  fs.addFolder(u"/home/ann");
  FileKeyStore keys(fs, std::u16string(kPath));
  EXPECT_EQ(keys.get(kInstallDirValue), std::nullopt);
  EXPECT_TRUE(keys.remove(kInstallDirValue));
  EXPECT_FALSE(fs.exists(u"/home/ann/.config"));
  expectKeyStoreBehaviour(keys);
  EXPECT_EQ(fs.readFile(kPath), "DataDir=\"/other/\\r\\n odd \"\r\n");
  EXPECT_EQ(FileKeyStore(fs, std::u16string(kPath)).get(kDataDirValue), u"/other/\r\n odd ");
}

TEST(KeyStore, FileStoreReadsWhatItCanAndNeverWritesOverAnUnreadableFile) {
  MemoryFileSystem fs(PathStyle::Posix);
  fs.addFileWithContent(kPath,
                        "# comment\nno equals\n InstallDir = /usr/lib/t \n=x\n"
                        "installdir=/second/\nDataDir=\"/quoted/\"\n");
  FileKeyStore keys(fs, std::u16string(kPath));
  EXPECT_EQ(keys.get(kInstallDirValue), u"/usr/lib/t");
  EXPECT_EQ(keys.get(kDataDirValue), u"/quoted/");

  const std::u16string unreadable = u"/etc/tessaline.conf";
  fs.addFile(unreadable, 50);
  FileKeyStore broken(fs, unreadable);
  EXPECT_EQ(broken.get(kInstallDirValue), std::nullopt);
  EXPECT_FALSE(broken.set(kInstallDirValue, u"/x/"));
  EXPECT_FALSE(broken.remove(kInstallDirValue));
  EXPECT_EQ(fs.stat(unreadable)->size, 50u);

  fs.failWrite(kPath);
  EXPECT_FALSE(keys.set(kProgramPathValue, u"/x"));
}

}  // namespace
}  // namespace tessaline::config
