#pragma once

#include <string>
#include <string_view>

#include "engine/rename_job.h"
#include "engine/text_expander.h"

namespace tessaline::engine {

// The edit of EditMode "Replapart": the new base name for base.
std::u16string replaceEdit(const RenameJob& job, std::u16string_view base, TextExpander& expander);

}  // namespace tessaline::engine
