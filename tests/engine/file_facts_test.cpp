#include "engine/file_facts.h"

#include <gtest/gtest.h>

#include "platform/memory_file_system.h"

namespace tessaline::engine {
namespace {

struct SizeRow {
  std::uint64_t size;
  std::u16string_view list, symbol, saved;
};

constexpr SizeRow kSizes[] = {
    {0, u"0 Byte", u"0Bytes", u"  0Byte"},
    {1023, u"1023 Byte", u"1023Bytes", u"  1023Byte"},
    {1024, u"1 KB", u"1KB", u"  1KB"},
    {1536, u"1.5 KB", u"1.5KB", u"  1.5KB"},
    // Halves round to the even neighbour: 2.25 KB and 2.75 KB.
    {2304, u"2.2 KB", u"2.2KB", u"  2.2KB"},
    {2816, u"2.8 KB", u"2.8KB", u"  2.8KB"},
    // 1023 KB is the last KB value of the symbol and saved styles.
    {1023 * 1024, u"1023 KB", u"1023KB", u"  1023KB"},
    {1023 * 1024 + 512, u"1023.5 KB", u"1MB", u"  1MB"},
    {1048576, u"1 MB", u"1MB", u"  1MB"},
    {1024ULL * 1048575, u"1024 MB", u"1024MB", u"  1024MB"},  // 1023.999 MB rounds up
    // Past 4 GiB the whole 64-bit size counts.
    {5'000'000'000ULL, u"4.66 GB", u"4.66GB", u"  4.66GB"},
    {1ULL << 40, u"1024 GB", u"1024GB", u"  1024GB"},
};

TEST(SizeTexts, WriteEachStyle) {
  for (const SizeRow& row : kSizes) {
    SCOPED_TRACE(row.size);
    EXPECT_EQ(listSizeText(row.size, u'.'), row.list);
    EXPECT_EQ(symbolSizeText(row.size, u'.'), row.symbol);
    EXPECT_EQ(savedSizeText(row.size, u'.'), row.saved);
  }
}

TEST(SizeTexts, StylesSwitchUnitsAtTheirOwnLimits) {
  // Between 1048575 KB and 1048576 KB the list still says MB, the others GB.
  const std::uint64_t size = 1024ULL * 1048575 + 512;
  EXPECT_EQ(listSizeText(size, u'.'), u"1024 MB");
  EXPECT_EQ(symbolSizeText(size, u'.'), u"1GB");
  EXPECT_EQ(listSizeText(1024ULL * 1048576, u'.'), u"1 GB");
}

TEST(SizeTexts, UseTheLocaleDecimalSeparator) {
  EXPECT_EQ(listSizeText(1536, u','), u"1,5 KB");
  EXPECT_EQ(symbolSizeText(5'000'000'000ULL, u','), u"4,66GB");
  EXPECT_EQ(savedSizeText(1024, u','), u"  1KB");
}

TEST(DateTexts, WriteEachStyle) {
  const platform::LocalTime morning{2010, 3, 7, 9, 5, 3};
  EXPECT_EQ(listDateText(morning), u"2010/03/07 09:05:03");
  EXPECT_EQ(symbolDateText(morning), u"20100307");
  EXPECT_EQ(savedDateText(morning), u"  20100307 9:05");

  const platform::LocalTime evening{2024, 12, 31, 23, 59, 58};
  EXPECT_EQ(listDateText(evening), u"2024/12/31 23:59:58");
  EXPECT_EQ(savedDateText(evening), u"  20241231 23:59");
}

TEST(TypeText, IsTheExtensionWithoutItsDot) {
  EXPECT_EQ(typeText(u"a.txt"), u"txt");
  EXPECT_EQ(typeText(u"archive.tar.gz"), u"gz");
  EXPECT_EQ(typeText(u"a."), u".");
  EXPECT_EQ(typeText(u"README"), u"");
  EXPECT_EQ(typeText(u".profile"), u"profile");
}

TEST(Pad2, PadsOnlySingleCodeUnits) {
  EXPECT_EQ(pad2(u"7"), u"07");
  EXPECT_EQ(pad2(u"12"), u"12");
  EXPECT_EQ(pad2(u""), u"");
}

TEST(ReadFileFacts, ReadsSizeAndTimeOfFilesAndFolders) {
  platform::MemoryFileSystem fs;
  const platform::LocalTime time{2010, 5, 27, 14, 0, 0};
  fs.addFile(u"C:\\x\\big.bin", 5'000'000'000ULL, time);
  fs.addFolder(u"C:\\x\\sub", time);

  const FileFacts file = readFileFacts(fs, u"C:\\x\\big.bin");
  EXPECT_TRUE(file.found);
  EXPECT_EQ(file.fileSize, 5'000'000'000ULL);
  EXPECT_EQ(file.lastWrite, time);

  const FileFacts folder = readFileFacts(fs, u"C:\\x\\sub");
  EXPECT_TRUE(folder.found);
  EXPECT_EQ(folder.fileSize, 0u);

  EXPECT_FALSE(readFileFacts(fs, u"C:\\x\\gone.txt").found);
}

}  // namespace
}  // namespace tessaline::engine
