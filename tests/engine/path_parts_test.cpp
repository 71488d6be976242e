#include "engine/path_parts.h"

#include <gtest/gtest.h>

#include <string_view>

#include "support/test_text.h"

namespace tessaline::engine {
namespace {

using platform::PathStyle;

struct Row {
  PathStyle style;
  std::u16string_view path;
  bool isFolder;
  std::u16string_view parentFolder, baseName, extension, fileName;
};

TEST(SplitPath, SplitsAtTheLastSeparatorAndDot) {
  const Row rows[] = {
      {PathStyle::Windows, u"C:\\a\\b.tar.gz", false, u"C:\\a\\", u"b.tar", u".gz", u"b.tar.gz"},
      {PathStyle::Windows, u"C:\\a\\.profile", false, u"C:\\a\\", u"", u".profile", u".profile"},
      {PathStyle::Windows, u"C:\\a\\notes.", false, u"C:\\a\\", u"notes", u".", u"notes."},
      {PathStyle::Windows, u"C:\\a.d\\file", false, u"C:\\a.d\\", u"file", u"", u"file"},
      {PathStyle::Windows, u"C:\\a\\Vol 1.2", true, u"C:\\a\\", u"Vol 1.2", u"", u"Vol 1.2"},
      {PathStyle::Windows, u"C:file.txt", false, u"C:", u"file", u".txt", u"file.txt"},
      {PathStyle::Windows, u"", false, u"", u"", u"", u""},
      {PathStyle::Posix, u"/home/u/b.tar.gz", false, u"/home/u/", u"b.tar", u".gz", u"b.tar.gz"},
      {PathStyle::Posix, u"/home/u/Vol 1.2", true, u"/home/u/", u"Vol 1.2", u"", u"Vol 1.2"},
      {PathStyle::Posix, u"/x/C:a\\b.txt", false, u"/x/", u"C:a\\b", u".txt", u"C:a\\b.txt"},
      {PathStyle::Posix, u"/x/.bashrc", false, u"/x/", u"", u".bashrc", u".bashrc"},
      {PathStyle::Posix, u"name", false, u"", u"name", u"", u"name"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::utf8(r.path));
    const PathParts parts = splitPath(r.style, r.path, r.isFolder);
    EXPECT_EQ(parts.parentFolder, r.parentFolder);
    EXPECT_EQ(parts.baseName, r.baseName);
    EXPECT_EQ(parts.extension, r.extension);
    EXPECT_EQ(parts.fileName, r.fileName);
    EXPECT_EQ(parts.isFolder, r.isFolder);
  }
}

TEST(SplitPath, FolderBaseNameIgnoresOneTrailingSeparator) {
  EXPECT_EQ(splitPath(PathStyle::Windows, u"C:\\a\\Vol 1.2\\", true).baseName, u"Vol 1.2");
  EXPECT_EQ(splitPath(PathStyle::Posix, u"/home/u/v.d/", true).baseName, u"v.d");
}

}  // namespace
}  // namespace tessaline::engine
