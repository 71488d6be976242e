#include <string>
#include <string_view>
#include <vector>

#include "config/language_table.h"
#include "engine/file_facts.h"
#include "engine/path_parts.h"
#include "engine/text_rules.h"
#include "export/name_list_export.h"
#include "platform/path_style.h"

// The lines of a saved name list: a folder's listing ("Savealls") or the
// chosen items grouped by folder ("Savesomes").
namespace tessaline::exporting {
namespace {

using engine::RenameJob;
using engine::SaveContent;

// The progress bar serves as a busy indicator: it starts again at 0 when it
// reaches this.
constexpr int kBusyRange = 600;

struct TypeCategory {
  bool RenameJob::*chosen;
  std::u16string_view extensions;
};

constexpr TypeCategory kCategories[] = {
    {&RenameJob::saveTypeMusic, u",mp3,wma,wav,swf,"},
    {&RenameJob::saveTypeDocument, u",doc,txt,ppt,pdf,xls,htm,mht,"},
    {&RenameJob::saveTypeFilm, u",avi,wmv,rm,rmvb,mpg,mpeg,mp4,"},
    {&RenameJob::saveTypePicture, u",bmp,jpg,jpeg,gif,tif,tiff,png,psd,"},
    {&RenameJob::saveTypeProgram, u",exe,rar,zip,iso,chm,"},
};

std::u16string_view extensionOf(std::u16string_view name) {
  const std::size_t dot = name.rfind(u'.');
  return dot == std::u16string_view::npos ? std::u16string_view{} : name.substr(dot);
}

// Whole extensions are compared: the lowered extension against the lists,
// and for the user's own list also the extension with its dot as typed.
bool passesTypeFilter(const RenameJob& job, std::u16string_view name) {
  if (job.saveAllTypes) return true;
  const std::u16string_view extension = extensionOf(name);
  const std::u16string_view bare = extension.empty() ? extension : extension.substr(1);
  const std::u16string entry = u"," + engine::asciiLower(bare) + u",";
  for (const TypeCategory& category : kCategories) {
    if (job.*category.chosen && category.extensions.find(entry) != std::u16string_view::npos)
      return true;
  }
  if (!job.saveTypeOtherOn || job.saveTypeOther.empty()) return false;
  const std::u16string other = u"," + job.saveTypeOther + u",";
  if (other.find(entry) != std::u16string::npos) return true;
  return !extension.empty() &&
         other.find(u"," + std::u16string(extension) + u",") != std::u16string::npos;
}

std::u16string timeStamp(const run::RunContext& context) {
  const platform::LocalTime now = context.clock.now();
  return u"[" + context.clock.shortDate(now) + u" " + context.clock.longTime(now) + u"]";
}

int headingText(SaveContent content) {
  switch (content) {
    case SaveContent::AllFilesInSubfolders:
      return 245;
    case SaveContent::OnlySubfolders:
      return 247;
    case SaveContent::FoldersAndFiles:
      break;
  }
  return 246;
}

// Folder listing: each folder's subfolders first, each followed at once by
// its own listing where the content asks for it, then the folder's files.
class FolderLister {
 public:
  FolderLister(run::RunContext& context, const RenameJob& job, std::vector<std::u16string>& lines)
      : m_context(context),
        m_job(job),
        m_lines(lines),
        m_separator(platform::separatorOf(context.fs.style())),
        m_decimalSeparator(context.locale ? context.locale->decimalSeparator() : u'.'),
        m_allLayers(job.saveContent == SaveContent::AllFilesInSubfolders),
        m_withFiles(job.saveContent != SaveContent::OnlySubfolders),
        m_detail(m_withFiles && (job.saveAddSize || job.saveAddDate)
                     ? platform::EntryDetail::Full
                     : platform::EntryDetail::Kinds) {}

  // folder ends with the separator.
  void list(const std::u16string& folder, const std::u16string& indent) {
    const std::optional<std::vector<platform::DirEntry>> entries =
        platform::listFolder(m_context.fs, folder, m_detail);
    if (!entries) return;
    for (const platform::DirEntry& entry : *entries) {
      if (!step()) break;
      if (entry.info.folder) addFolder(folder, indent, entry);
    }
    if (!m_withFiles) return;
    for (const platform::DirEntry& entry : *entries) {
      if (!step()) break;
      if (!entry.info.folder && passesTypeFilter(m_job, entry.name)) addFile(indent, entry);
    }
  }

 private:
  // A link to a folder is listed but never entered: it could lead back up
  // the tree and list the same folders again and again.
  void addFolder(const std::u16string& folder, const std::u16string& indent,
                 const platform::DirEntry& entry) {
    const std::u16string& name = entry.name;
    if (name == u"." || name == u"..") return;
    bool enter = m_allLayers || m_job.saveContent == SaveContent::OnlySubfolders;
    if (engine::isWebpageFolder(name)) {
      // Listed (and entered) only in a whole-tree listing that asks for them.
      if (!m_allLayers || !m_job.saveWebpageFolders) return;
      enter = true;
    }
    m_lines.push_back(indent + u"<" + name + u">");
    if (enter && !entry.info.symlink) list(folder + name + m_separator, indent + u"  ");
  }

  void addFile(const std::u16string& indent, const platform::DirEntry& entry) {
    std::u16string line = indent + entry.name;
    if (m_job.saveAddSize) line += engine::savedSizeText(entry.info.size, m_decimalSeparator);
    if (m_job.saveAddDate)
      line += engine::savedDateText(entry.info.lastWrite.value_or(platform::LocalTime{}));
    m_lines.push_back(std::move(line));
  }

  // One entry's turn: the busy bar moves, pending window messages run (the
  // progress window's Cancel among them). False when the listing is to stop.
  bool step() {
    if (m_allLayers) {
      if (++m_position >= kBusyRange) {
        m_position = 0;
        m_context.progress.setPosition(0);
      } else {
        m_context.progress.advance(1);
      }
    }
    m_context.pump.processPendingEvents();
    return !m_context.state.stopRequested;
  }

  run::RunContext& m_context;
  const RenameJob& m_job;
  std::vector<std::u16string>& m_lines;
  const char16_t m_separator;
  const char16_t m_decimalSeparator;
  const bool m_allLayers;
  const bool m_withFiles;
  const platform::EntryDetail m_detail;
  int m_position = 0;
};

// Savesomes: the chosen items under an "In folder, <...>" line each time the
// folder changes.
void addSelectedItems(const run::RunContext& context, const RenameJob& job,
                      std::vector<std::u16string>& lines) {
  const platform::PathStyle style = context.fs.style();
  const char16_t separator = platform::separatorOf(style);
  std::u16string lastFolder;
  bool first = true;
  for (const std::u16string& path : job.selectedFiles) {
    std::u16string_view item = path;
    if (item.size() > 1 && item.back() == separator) item.remove_suffix(1);
    const std::u16string_view folder = engine::parentFolderOf(style, item);
    if (first || folder != lastFolder) {
      lastFolder = folder;
      lines.push_back(u"In folder, <" + lastFolder + u">");
      first = false;
    }
    const std::u16string name(engine::fileNameOf(style, item));
    lines.push_back(context.fs.folderExists(path) ? u"  <" + name + u">" : u"  " + name);
  }
}

}  // namespace

std::vector<std::u16string> collectNameList(run::RunContext& context, const RenameJob& job) {
  std::vector<std::u16string> lines;
  if (job.editMode == engine::EditMode::Savesomes || job.targetFolder.empty()) {
    lines.push_back(timeStamp(context));
    lines.push_back(context.language.text(248));
    addSelectedItems(context, job, lines);
    return lines;
  }
  lines.push_back(context.language.text(headingText(job.saveContent)) + u" " + job.targetFolder);
  lines.push_back(timeStamp(context));
  std::u16string folder = job.targetFolder;
  if (folder.back() != platform::separatorOf(context.fs.style()))
    folder.push_back(platform::separatorOf(context.fs.style()));
  FolderLister(context, job, lines).list(folder, u"  ");
  return lines;
}

}  // namespace tessaline::exporting
