#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace tessaline::run {

// The undo journal: DataDir + "Undos/rollback.rbk", two lines per rename
// (the path after it, then the path before it), CR LF after every line,
// UTF-8, read-only once written. It holds the last run only.
//
// A real run records each rename in a pending file beside the journal as the
// rename happens, so a program that is killed, or that ends before the
// journal timer fires, loses none of them: the next start turns the pending
// file into the journal.
class UndoJournal {
 public:
  // undosFolder is DataDir + "Undos/" (ending with the separator).
  UndoJournal(platform::FileSystem& fs, std::u16string undosFolder);
  ~UndoJournal();

  std::u16string journalPath() const;  // .../Undos/rollback.rbk
  std::u16string pendingPath() const;  // .../Undos/rollback.pending
  bool exists() const;

  // Records a rename about to be made; false when it could not be recorded
  // (the rename must then not be made). A path holding CR or LF cannot be
  // recorded.
  bool recordPending(std::u16string_view newPath, std::u16string_view oldPath);
  // Takes back the last record: the rename it announced failed.
  void dropLastPending();
  // Pairs recorded since the last journal write.
  std::int64_t pendingCount() const { return m_pendingCount; }

  // Makes the pending pairs the journal, replacing the one before, and marks
  // it read-only. Nothing happens when no pair is pending. False when the
  // journal could not be written (the pending file then stays).
  bool writeJournal();

  // At start: a pending file left by a program that ended before writing the
  // journal becomes the journal. A last record whose rename never happened
  // (its new path is missing and its old path exists) is dropped.
  void recoverPending();

  // The journal's lines; empty when it does not exist or cannot be read.
  std::optional<std::vector<std::u16string>> readLines() const;
  // Replaces the journal's lines (read-only afterwards); no lines deletes it.
  bool rewrite(const std::vector<std::u16string>& lines);
  bool remove();

 private:
  bool openPending();

  platform::FileSystem& m_fs;
  std::u16string m_undosFolder;
  std::unique_ptr<platform::AppendFile> m_pending;
  std::int64_t m_pendingCount = 0;
  std::uint64_t m_lastRecordStart = 0;
  std::string m_record;
  bool m_canDrop = false;  // the last record may still be taken back
};

}  // namespace tessaline::run
