// Decodes a RenameJob and an item name from the input and runs the name
// pipeline and the finishing of the new name on an in-memory file system.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "config/language_table.h"
#include "engine/finish_name.h"
#include "engine/name_checks.h"
#include "engine/name_engine.h"
#include "engine/path_parts.h"
#include "engine/remove_edit.h"
#include "engine/rename_job_fields.h"
#include "platform/memory_file_system.h"
#include "platform/utf.h"

namespace {

using namespace tessaline;

std::u16string fieldValue(FuzzedDataProvider& in, const engine::RenameJobField& field) {
  switch (field.type) {
    case engine::RenameJobField::Type::Flag:
      return in.ConsumeBool() ? u"1" : u"0";
    case engine::RenameJobField::Type::Integer:
      return platform::fromUtf8(std::to_string(in.ConsumeIntegralInRange<int>(-3, 400)));
    case engine::RenameJobField::Type::Text:
      return platform::fromUtf8(in.ConsumeRandomLengthString(48));
    case engine::RenameJobField::Type::Choice:
      return std::u16string(
          field.choices[in.ConsumeIntegralInRange<std::size_t>(0, field.choices.size() - 1)]);
  }
  return {};
}

engine::RenameJob decodeJob(FuzzedDataProvider& in) {
  engine::RenameJob job;
  const auto& fields = engine::renameJobFields();
  const int count = in.ConsumeIntegralInRange(0, 16);
  for (int i = 0; i < count; ++i) {
    const auto& field = fields[in.ConsumeIntegralInRange<std::size_t>(0, fields.size() - 1)];
    engine::setRenameJobField(job, field.name, fieldValue(in, field));
  }
  constexpr engine::EditMode kModes[] = {engine::EditMode::Removpart, engine::EditMode::Replapart,
                                         engine::EditMode::Addnewnum, engine::EditMode::Changnew,
                                         engine::EditMode::Changexten};
  job.editMode = kModes[in.ConsumeIntegralInRange<int>(0, 4)];
  return job;
}

// A single path component: separators of either style are dropped.
std::u16string decodeName(FuzzedDataProvider& in) {
  std::u16string name = platform::fromUtf8(in.ConsumeRemainingBytesAsString());
  std::erase_if(name, [](char16_t c) { return c == u'\\' || c == u'/' || c == u':'; });
  return name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const bool posix = in.ConsumeBool();
  const bool asFolder = in.ConsumeBool();
  const engine::RenameJob job = decodeJob(in);
  const std::u16string name = decodeName(in);

  platform::MemoryFileSystem fs(posix ? platform::PathStyle::Posix : platform::PathStyle::Windows);
  const std::u16string folder = posix ? u"/dir/" : u"C:\\dir\\";
  const std::u16string path = folder + name;
  fs.addFile(folder + u"taken.txt");
  const bool addable = !name.empty() && name != u"." && name != u"..";
  if (addable) asFolder ? fs.addFolder(path) : fs.addFile(path, 1536);

  const platform::FixedLocale locale;
  platform::SilentMessages messages(true);
  const config::LanguageTable language;
  engine::SpecialStrings specials(fs, locale, 42);
  specials.resetCounters(job);

  if (job.editMode == engine::EditMode::Removpart && !asFolder) {
    const std::u16string base = engine::splitPath(fs, path).baseName;
    if (engine::removeEdit(job, base).size() > base.size()) __builtin_trap();
  }
  const engine::ItemResult result = engine::computeNewName(job, path, fs, specials);
  if (result.kind == engine::ItemResult::Kind::NewName) {
    const engine::FinishResult finished =
        engine::finishName(fs, messages, language, path, folder, result.base, result.ext);
    if (finished.finished && finished.newPath != folder + finished.newFileName) __builtin_trap();
    engine::previewNumbering(finished.newFileName, finished.cleanBase, result.ext, finished.number,
                             {finished.newFileName, folder + finished.newFileName}, folder, true);
  }
  engine::checkNameText(messages, language, job.replaceNew, job.useSpecialStrings);
  engine::checkNameText(messages, language, job.newNameText, !job.useSpecialStrings);
  return 0;
}
