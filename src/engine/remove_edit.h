#pragma once

#include <string>
#include <string_view>

#include "engine/rename_job.h"

namespace tessaline::engine {

// The edit of EditMode "Removpart": the new base name for base.
std::u16string removeEdit(const RenameJob& job, std::u16string_view base);

}  // namespace tessaline::engine
