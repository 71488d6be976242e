#include "cli/cli_options.h"

#include <unistd.h>

#include <climits>

#include "config/app_settings.h"
#include "engine/rename_job_fields.h"
#include "platform/file_system.h"
#include "platform/utf.h"

namespace tessaline::cli {
namespace {

// Splits "KEY=VALUE" at its first "="; empty when there is none.
std::optional<std::pair<std::u16string, std::u16string>> splitAssignment(std::u16string_view text) {
  const std::size_t equals = text.find(u'=');
  if (equals == std::u16string_view::npos || equals == 0) return std::nullopt;
  return std::pair{std::u16string(text.substr(0, equals)), std::u16string(text.substr(equals + 1))};
}

bool isOption(std::u16string_view argument) {
  return argument.starts_with(u"--");
}

class Parser {
 public:
  explicit Parser(const std::vector<std::u16string>& arguments) : m_arguments(arguments) {}

  ParseResult parse() {
    while (m_next < m_arguments.size() && !m_result.error)
      step(m_arguments[m_next++]);
    if (!m_result.error) checkCombination();
    return m_result;
  }

 private:
  void step(const std::u16string& argument) {
    CliOptions& o = m_result.options;
    if (argument == u"--help" || argument == u"-h")
      o.help = true;
    else if (argument == u"--undo")
      o.undo = true;
    else if (argument == u"--preview")
      o.preview = true;
    else if (argument == u"--yes")
      o.yes = true;
    else if (argument == u"--mode")
      o.mode = value(argument);
    else if (argument == u"--folder")
      o.folder = value(argument);
    else if (argument == u"--data-dir")
      o.dataDir = value(argument);
    else if (argument == u"--output")
      o.output = value(argument);
    else if (argument == u"--files")
      takeFiles();
    else if (argument == u"--set")
      assignment(argument, o.fields);
    else if (argument == u"--option")
      assignment(argument, o.options);
    else
      fail(u"unknown argument \"" + argument + u"\" (see --help)");
  }

  std::u16string value(const std::u16string& option) {
    if (m_next >= m_arguments.size()) {
      fail(option + u" needs a value");
      return {};
    }
    return m_arguments[m_next++];
  }

  // --files takes every following argument up to the next option.
  void takeFiles() {
    const std::size_t before = m_result.options.files.size();
    while (m_next < m_arguments.size() && !isOption(m_arguments[m_next])) {
      m_result.options.files.push_back(m_arguments[m_next++]);
    }
    if (m_result.options.files.size() == before) fail(u"--files needs at least one path");
  }

  void assignment(const std::u16string& option,
                  std::vector<std::pair<std::u16string, std::u16string>>& into) {
    const std::u16string text = value(option);
    if (m_result.error) return;
    const auto pair = splitAssignment(text);
    if (!pair) return fail(option + u" takes NAME=VALUE, not \"" + text + u"\"");
    into.push_back(*pair);
  }

  void checkCombination() {
    const CliOptions& o = m_result.options;
    if (o.help || o.undo) return;
    if (o.mode.empty()) return fail(u"--mode is missing (see --help)");
    if (o.folder && !o.files.empty()) return fail(u"give either --folder or --files, not both");
    if (!o.folder && o.files.empty()) return fail(u"--folder or --files is missing");
  }

  void fail(std::u16string text) {
    if (!m_result.error) m_result.error = std::move(text);
  }

  const std::vector<std::u16string>& m_arguments;
  std::size_t m_next = 0;
  ParseResult m_result;
};

std::u16string fieldLine(const engine::RenameJobField& field) {
  std::u16string line = u"  " + std::u16string(field.name) + u"=";
  switch (field.type) {
    case engine::RenameJobField::Type::Flag:
      return line + u"1|0|true|false";
    case engine::RenameJobField::Type::Integer:
      return line + u"NUMBER";
    case engine::RenameJobField::Type::Text:
      return line + u"TEXT";
    case engine::RenameJobField::Type::Choice:
      for (std::size_t i = 0; i < field.choices.size(); ++i) {
        line += (i ? u"|" : u"") + std::u16string(field.choices[i]);
      }
      return line;
  }
  return line;
}

}  // namespace

std::u16string absoluteItemPath(std::u16string_view path) {
  std::u16string item(path);
  if (!item.starts_with(u'/')) {
    char buffer[PATH_MAX];
    const char* cwd = getcwd(buffer, sizeof buffer);
    item =
        platform::joinPath(platform::PathStyle::Posix, platform::fromUtf8(cwd ? cwd : "/"), item);
  }
  while (item.size() > 1 && item.back() == u'/')
    item.pop_back();
  return item;
}

std::u16string absoluteFolderPath(std::u16string_view path) {
  std::u16string folder = absoluteItemPath(path);
  if (folder.back() != u'/') folder.push_back(u'/');
  return folder;
}

ParseResult parseCommandLine(const std::vector<std::u16string>& arguments) {
  return Parser(arguments).parse();
}

std::u16string helpText() {
  std::u16string text =
      u"Usage:\n"
      u"  tessaline-cli --mode MODE (--folder DIR | --files PATH...) [--set FIELD=VALUE]...\n"
      u"                [--option KEY=VALUE]... [--preview] [--yes] [--data-dir DIR]\n"
      u"                [--output FILE]\n"
      u"  tessaline-cli --undo [--data-dir DIR]\n"
      u"\n"
      u"Renames the items of a folder (or the given files) with one edit, previews the\n"
      u"new names, saves a folder's names to a text file, or undoes the last run.\n"
      u"\n"
      u"  --preview       list OLD<TAB>NEW for each item instead of renaming\n"
      u"  --yes           answer OK/Yes to every question (otherwise Cancel/No)\n"
      u"  --data-dir DIR  where Settings.ini, Newname.txt and Undos/ live\n"
      u"  --output FILE   the file a save mode writes\n"
      u"\n"
      u"Exit status: 0 done, 1 nothing was renamed, 2 usage error, refused input or\n"
      u"a question answered Cancel.\n"
      u"\n"
      u"Modes:\n"
      u"  Removpart   remove a part of the names      Replapart   replace a part\n"
      u"  Addnewnum   insert text                      Changnew    new name or case\n"
      u"  Changexten  change the extension             Savealls    save a folder's names\n"
      u"  Savesomes   save the names of the given files\n"
      u"\n"
      u"Fields (--set):\n";
  for (const engine::RenameJobField& field : engine::renameJobFields()) {
    if (field.name == u"EditMode") continue;  // --mode sets it
    text += fieldLine(field) + u"\n";
  }
  text += u"\nSettings (--option KEY=VALUE, for this call only):\n ";
  for (std::u16string_view key : config::appSettingKeys())
    text += u" " + std::u16string(key);
  text += u"\n";
  return text;
}

}  // namespace tessaline::cli
