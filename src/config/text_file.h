#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

// The program's text files: read with byte-order-mark detection (UTF-8,
// UTF-16 LE/BE), otherwise as UTF-8; written as UTF-8 with CR LF line ends.
namespace tessaline::config {

// The text of a file's bytes by their byte-order mark (which is dropped).
std::u16string decodeText(std::string_view bytes);

// Lines split at CR LF, LF or CR; a line end at the very end adds no line.
std::vector<std::u16string> splitLines(std::u16string_view text);

// The lines of a text file; empty when it cannot be read.
std::optional<std::vector<std::u16string>> readTextLines(const platform::FileSystem& fs,
                                                         std::u16string_view path);

// The bytes of a text file of these lines: UTF-8, each line ended by CR LF.
std::string encodeTextLines(const std::vector<std::u16string>& lines);

}  // namespace tessaline::config
