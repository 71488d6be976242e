#include "run/undo_journal.h"

#include "config/text_file.h"
#include "platform/utf.h"

namespace tessaline::run {
namespace {

constexpr std::u16string_view kJournalName = u"rollback.rbk";
constexpr std::u16string_view kPendingName = u"rollback.pending";
constexpr std::string_view kLineEnd = "\r\n";

bool holdsLineBreak(std::u16string_view path) {
  for (char16_t c : path) {
    if (c == u'\r' || c == u'\n') return true;
  }
  return false;
}

// The lines of a pending file left by a program that ended early, as far as
// they form whole pairs: a line without its line end, and a record without
// its second line, were cut short. Its records are written before their
// renames, so the last one may also announce a rename that never happened:
// its new path is missing and its old path exists. That record is left out.
std::vector<std::u16string> leftPairLines(const platform::FileSystem& fs, std::string_view bytes) {
  std::vector<std::u16string> lines;
  std::size_t begin = 0;
  for (std::size_t i = 0; i < bytes.size();) {
    const char c = bytes[i];
    if (c != '\r' && c != '\n') {
      ++i;
      continue;
    }
    lines.push_back(platform::fromUtf8(bytes.substr(begin, i - begin)));
    i += (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
    begin = i;
  }
  if (lines.size() % 2 != 0) lines.pop_back();
  if (!lines.empty() && !fs.exists(lines[lines.size() - 2]) && fs.exists(lines.back())) {
    lines.resize(lines.size() - 2);
  }
  return lines;
}

}  // namespace

UndoJournal::UndoJournal(platform::FileSystem& fs, std::u16string undosFolder)
    : m_fs(fs), m_undosFolder(std::move(undosFolder)) {}

UndoJournal::~UndoJournal() = default;

std::u16string UndoJournal::journalPath() const {
  return m_undosFolder + std::u16string(kJournalName);
}

std::u16string UndoJournal::pendingPath() const {
  return m_undosFolder + std::u16string(kPendingName);
}

bool UndoJournal::exists() const {
  return m_fs.fileExists(journalPath());
}

// Opens the pending file at the first record. What a program that ended
// early left in it is kept as far as it holds whole pairs, and counts as
// pending, so that it reaches the journal with the new pairs.
bool UndoJournal::openPending() {
  const std::u16string pending = pendingPath();
  const std::optional<std::string> left = m_fs.readFile(pending);
  if (left && !left->empty()) {
    const std::vector<std::u16string> lines = leftPairLines(m_fs, *left);
    if (!m_fs.writeFile(pending, config::encodeTextLines(lines))) return false;
    m_pendingCount += static_cast<std::int64_t>(lines.size() / 2);
  }
  m_pending = m_fs.openAppend(pending);
  return m_pending != nullptr;
}

bool UndoJournal::recordPending(std::u16string_view newPath, std::u16string_view oldPath) {
  m_canDrop = false;
  // A line break in a path would split the record into other lines.
  if (holdsLineBreak(newPath) || holdsLineBreak(oldPath)) return false;
  if (!m_pending && !openPending()) return false;
  std::string& record = m_record;  // kept between records: no allocation per rename
  record.clear();
  platform::appendUtf8(record, newPath);
  record += kLineEnd;
  platform::appendUtf8(record, oldPath);
  record += kLineEnd;
  m_lastRecordStart = m_pending->size();
  if (!m_pending->append(record)) {
    m_pending->truncate(m_lastRecordStart);
    return false;
  }
  ++m_pendingCount;
  m_canDrop = true;
  return true;
}

void UndoJournal::dropLastPending() {
  if (!m_pending || !m_canDrop) return;
  m_canDrop = false;
  --m_pendingCount;
  if (m_lastRecordStart == 0) {
    // Nothing else was recorded: no pending file is left behind.
    m_pending.reset();
    m_fs.removeFile(pendingPath());
    return;
  }
  m_pending->truncate(m_lastRecordStart);
}

// The pending file, which holds the pairs in the journal's own format,
// takes the journal's place.
bool UndoJournal::writeJournal() {
  if (m_pendingCount == 0) return true;
  m_pending.reset();
  m_canDrop = false;
  const std::u16string journal = journalPath();
  const bool hadJournal = m_fs.exists(journal);
  if (hadJournal) m_fs.setReadOnly(journal, false);
  if (!m_fs.replaceOwnFile(pendingPath(), journal)) {
    if (hadJournal) m_fs.setReadOnly(journal, true);
    return false;
  }
  m_fs.setReadOnly(journal, true);
  m_pendingCount = 0;
  return true;
}

void UndoJournal::recoverPending() {
  if (m_pending) return;  // this program's own records, not a leftover
  const std::u16string pending = pendingPath();
  const std::optional<std::string> bytes = m_fs.readFile(pending);
  if (!bytes) return;
  const std::vector<std::u16string> lines = leftPairLines(m_fs, *bytes);
  // Without a pair the journal of the run before stays.
  if (!lines.empty() && !rewrite(lines)) return;  // the pending file waits for the next start
  m_fs.removeFile(pending);
}

std::optional<std::vector<std::u16string>> UndoJournal::readLines() const {
  return config::readTextLines(m_fs, journalPath());
}

bool UndoJournal::rewrite(const std::vector<std::u16string>& lines) {
  if (lines.empty()) return remove();
  const std::u16string journal = journalPath();
  if (m_fs.exists(journal)) m_fs.setReadOnly(journal, false);
  const bool written = m_fs.writeFile(journal, config::encodeTextLines(lines));
  m_fs.setReadOnly(journal, true);
  return written;
}

bool UndoJournal::remove() {
  const std::u16string journal = journalPath();
  if (!m_fs.exists(journal)) return true;
  m_fs.setReadOnly(journal, false);
  return m_fs.removeFile(journal);
}

}  // namespace tessaline::run
