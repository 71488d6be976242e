#pragma once

#include <string>
#include <string_view>

#include "engine/rename_job.h"
#include "engine/text_expander.h"

namespace tessaline::engine {

// The edit of EditMode "Addnewnum": the new base name for base.
std::u16string insertEdit(const RenameJob& job, std::u16string_view base, TextExpander& expander);

}  // namespace tessaline::engine
