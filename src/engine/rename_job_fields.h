#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/rename_job.h"

namespace tessaline::engine {

// The fields of a RenameJob by their names, so that a command line or a
// fuzzer can set any of them from text.
struct RenameJobField {
  enum class Type { Flag, Integer, Text, Choice };

  std::u16string_view name;  // "ReplaceOld", "CounterStart", ...
  Type type;
  std::vector<std::u16string_view> choices;  // value names of a Choice, in order
};

// Every settable field, in the order of the job's tables.
const std::vector<RenameJobField>& renameJobFields();

// Sets field name to value; on failure returns a text that says why (an
// unknown field, or a value that does not fit, naming the valid ones).
std::optional<std::u16string> setRenameJobField(RenameJob& job, std::u16string_view name,
                                                std::u16string_view value);

// The value of field name as text ("1"/"0" for flags, the value name of a
// choice); empty for an unknown field.
std::optional<std::u16string> renameJobFieldValue(const RenameJob& job, std::u16string_view name);

}  // namespace tessaline::engine
