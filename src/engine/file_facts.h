#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file_system.h"

// A file's size and last-write time, and the texts in which the program shows
// them: in the file list, in the special strings "##" and "@@", and in saved
// name lists.
namespace tessaline::engine {

struct FileFacts {
  bool found = false;
  std::uint64_t fileSize = 0;  // 0 for folders
  platform::LocalTime lastWrite;
};

FileFacts readFileFacts(const platform::FileSystem& fs, std::u16string_view path);

std::u16string listSizeText(std::uint64_t size, char16_t decimalSeparator);
std::u16string symbolSizeText(std::uint64_t size, char16_t decimalSeparator);
std::u16string savedSizeText(std::uint64_t size, char16_t decimalSeparator);

std::u16string listDateText(const platform::LocalTime& time);
std::u16string symbolDateText(const platform::LocalTime& time);
std::u16string savedDateText(const platform::LocalTime& time);

// The extension of fileName without its dot ("." alone stays "."); empty when
// there is no dot.
std::u16string typeText(std::u16string_view fileName);

// A one-code-unit text gets a "0" in front.
std::u16string pad2(std::u16string_view text);

}  // namespace tessaline::engine
