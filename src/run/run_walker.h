#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/finish_name.h"
#include "engine/item_result.h"
#include "engine/rename_job.h"
#include "platform/file_system.h"
#include "run/run_context.h"

namespace tessaline::run {

// What a walk already knows of an item's kind, so that it need not be asked.
enum class ItemKind : unsigned char { Unknown, File, Folder };

// The items one folder hands to the item processing, collected completely
// before any of them is renamed.
struct Batch {
  struct Entry {
    std::u16string name;  // a full path when folder is empty
    ItemKind kind = ItemKind::Unknown;
    bool link = false;  // a symbolic link to a folder: renamed, never entered
  };
  std::u16string folder;  // ends with the separator
  std::vector<Entry> entries;
};

// One rename run or preview of a job: the walks that choose its items and
// the processing of each item.
class RunWalker {
 public:
  RunWalker(RunContext& context, const engine::RenameJob& job);

  // FolderWalk(TargetFolder) in DirectEdit, the list walk otherwise.
  void walk();

  // Undo pairs this run recorded.
  std::int64_t recordedPairs() const { return m_recorded; }

 private:
  // Walks (run_walks.cpp).
  void listWalk();
  void listWalkPaths();
  void listWalkChecked();
  void folderWalk(std::u16string_view folder);
  bool collectBatch(Batch& batch) const;
  void processBatch(const Batch& batch);
  bool includeItem(std::u16string_view path, std::optional<platform::EntryInfo>& info) const;
  bool typeListed(std::u16string_view fileName) const;
  bool typeFilterApplies() const;
  void stepRow();

  // Items (run_items.cpp).
  void processItem(std::u16string_view path, int row, ItemKind kind);
  void applyPreview(std::u16string_view path, std::u16string_view folder,
                    const engine::ItemResult& result, const engine::FinishResult& finish);
  void applyReal(std::u16string_view path, std::u16string_view folder, int row,
                 const engine::ItemResult& result, engine::FinishResult finish);
  platform::RenameStatus renameRecorded(std::u16string_view path, std::u16string_view newPath);
  void itemRenamed(std::u16string_view path, int row, const engine::FinishResult& finish);
  void itemFailed(std::u16string_view path, std::u16string_view newFileName);
  void itemRejected(std::u16string_view path);
  bool listsItemsAgain() const;

  RunContext& m_context;
  const engine::RenameJob& m_job;
  platform::PathStyle m_style;
  std::u16string m_typeList;  // "," + TypeFilterList in ASCII lower case + ","
  std::int64_t m_recorded = 0;
};

}  // namespace tessaline::run
