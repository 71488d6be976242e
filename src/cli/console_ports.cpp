#include "cli/console_ports.h"

#include <csignal>
#include <cstdlib>
#include <string>

#include "engine/path_parts.h"
#include "platform/utf.h"

namespace tessaline::cli {
namespace {

volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void onInterrupt(int) {
  g_interrupted = 1;
}

constexpr int kTextRenameFailed = 399;
constexpr int kTextTo = 400;

}  // namespace

void writeLine(std::FILE* stream, std::u16string_view text) {
  std::string bytes = platform::toUtf8(text);
  bytes.push_back('\n');
  std::fwrite(bytes.data(), 1, bytes.size(), stream);
}

void ConsoleMessages::information(std::u16string_view, std::u16string_view text) {
  writeLine(stderr, text);
}

bool ConsoleMessages::okCancel(std::u16string_view, std::u16string_view text) {
  return answer(text);
}

bool ConsoleMessages::yesNo(std::u16string_view, std::u16string_view text) {
  return answer(text);
}

bool ConsoleMessages::answer(std::u16string_view text) {
  writeLine(stderr, text);
  if (!m_answer) m_declined = true;
  return m_answer;
}

void ConsolePreview::addItemRow(std::u16string_view oldName, std::u16string_view newName) {
  ++m_rows;
  writeLine(stdout, std::u16string(oldName) + u"\t" + std::u16string(newName));
}

void ConsolePreview::addNoteRow(std::u16string_view text) {
  ++m_rows;
  writeLine(stdout, text);
}

void ConsoleNotice::notify(std::u16string_view oldName, std::u16string_view newName) {
  writeLine(stderr, m_language.text(kTextRenameFailed) + u" " + std::u16string(oldName) + u" " +
                        m_language.text(kTextTo) + u" " + std::u16string(newName));
}

ConsoleFileList::ConsoleFileList(const platform::FileSystem& fs, std::u16string folder,
                                 std::vector<std::u16string> files, bool checkBoxes,
                                 bool showHidden, bool showSystem)
    : m_fs(fs),
      m_folder(std::move(folder)),
      m_checkBoxes(checkBoxes),
      m_showHidden(showHidden),
      m_showSystem(showSystem),
      m_listed(m_folder.empty()),
      m_rows(std::move(files)) {}

// The folder's entries as the main window would list them: names, with hidden
// and system entries only when the settings show them.
void ConsoleFileList::listFolder() const {
  if (m_listed) return;
  m_listed = true;
  m_fs.enumerate(
      m_folder,
      [this](const platform::DirEntry& entry) {
        if ((entry.info.hidden && !m_showHidden) || (entry.info.system && !m_showSystem)) {
          return true;
        }
        m_rows.push_back(entry.name);
        if (!entry.info.folder) ++m_fileCount;
        return true;
      },
      platform::EntryDetail::Kinds);
}

int ConsoleFileList::rowCount() const {
  listFolder();
  return static_cast<int>(m_rows.size());
}

std::u16string ConsoleFileList::caption(int row) const {
  listFolder();
  return m_rows.at(static_cast<std::size_t>(row));
}

void ConsoleFileList::setCaption(int row, std::u16string_view caption) {
  listFolder();
  m_rows.at(static_cast<std::size_t>(row)) = caption;
}

void ConsoleFileList::addListItem(std::u16string_view path) {
  listFolder();
  m_rows.emplace_back(path);
}

// Nothing was listed before the command line started its edit; the count of
// a listing made for the rows is given, no listing is made for it.
int ConsoleFileList::listedFileCount() const {
  return m_fileCount;
}

void ConsoleFileList::clear() {
  m_listed = true;
  m_rows.clear();
  m_fileCount = 0;
}

ConsolePump::ConsolePump(run::RunState& state) : m_state(state) {
  std::signal(SIGINT, onInterrupt);
  std::signal(SIGTERM, onInterrupt);
}

void ConsolePump::processPendingEvents() {
  if (g_interrupted) m_state.stopRequested = true;
}

void ConsoleHost::setStatus(int, std::u16string_view text) {
  writeLine(stderr, text);
}

// One line per rename; a run prints many, so the line is built in a buffer
// that stays.
void ConsoleHost::itemRenamed(std::u16string_view oldPath, std::u16string_view newPath) {
  if (!m_printRenames) return;
  m_line.clear();
  platform::appendUtf8(m_line, oldPath);
  m_line.push_back('\t');
  platform::appendUtf8(m_line, newPath);
  m_line.push_back('\n');
  std::fwrite(m_line.data(), 1, m_line.size(), stdout);
}

std::u16string ConsoleShell::homeFolder() const {
  const char* home = std::getenv("HOME");
  std::u16string folder = platform::fromUtf8(home && *home ? home : "/");
  if (folder.back() != u'/') folder.push_back(u'/');
  return folder;
}

}  // namespace tessaline::cli
