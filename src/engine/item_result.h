#pragma once

#include <string>

namespace tessaline::engine {

// The outcome of the name pipeline for one item.
struct ItemResult {
  enum class Kind {
    Unchanged,  // the edit leaves the name as it is, or does not apply
    EmptyName,  // the edit produced an empty base name
    NewName,    // base + ext is the new name, still to be finished
    Skipped,    // the item takes no part in the edit
  };

  Kind kind = Kind::Unchanged;
  std::u16string base;
  std::u16string ext;

  static ItemResult unchanged() { return {}; }
  static ItemResult emptyName() { return {Kind::EmptyName, {}, {}}; }
  static ItemResult skipped() { return {Kind::Skipped, {}, {}}; }
  static ItemResult newName(std::u16string base, std::u16string ext) {
    return {Kind::NewName, std::move(base), std::move(ext)};
  }

  friend bool operator==(const ItemResult&, const ItemResult&) = default;
};

}  // namespace tessaline::engine
