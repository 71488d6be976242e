#include "engine/rename_job.h"

#include <array>
#include <utility>

namespace tessaline::engine {
namespace {

constexpr std::array<std::pair<EditMode, std::u16string_view>, 8> kModeNames = {{
    {EditMode::Browsefile, u"Browsefile"},
    {EditMode::Removpart, u"Removpart"},
    {EditMode::Replapart, u"Replapart"},
    {EditMode::Addnewnum, u"Addnewnum"},
    {EditMode::Changnew, u"Changnew"},
    {EditMode::Changexten, u"Changexten"},
    {EditMode::Savealls, u"Savealls"},
    {EditMode::Savesomes, u"Savesomes"},
}};

}  // namespace

std::u16string_view editModeName(EditMode mode) {
  for (const auto& [value, name] : kModeNames) {
    if (value == mode) return name;
  }
  return {};
}

std::optional<EditMode> parseEditMode(std::u16string_view name) {
  for (const auto& [value, modeName] : kModeNames) {
    if (modeName == name) return value;
  }
  return std::nullopt;
}

}  // namespace tessaline::engine
