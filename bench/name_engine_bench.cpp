// Time of computing and finishing the new names of 100,000 items per edit
// mode, on the in-memory file system. Each benchmark reports the time per
// name; "Baseline/SplitOnly" (splitting the path and asking whether it is a
// folder) is the floor the modes are compared with.
#include <benchmark/benchmark.h>

#include <functional>
#include <string>
#include <vector>

#include "config/language_table.h"
#include "engine/finish_name.h"
#include "engine/name_engine.h"
#include "engine/path_parts.h"
#include "platform/memory_file_system.h"
#include "platform/utf.h"

namespace {

using namespace tessaline;

constexpr int kItems = 100'000;

// 100,000 photos in one folder, named like a camera names them.
struct Fixture {
  Fixture() {
    paths.reserve(kItems);
    for (int i = 0; i < kItems; ++i) {
      std::string name = std::to_string(1'000'000 + i).substr(1);
      name = "IMG_" + name + " Holiday (Paris) - day " + std::to_string(i % 30) + ".JPG";
      paths.push_back(u"C:\\Photos\\" + platform::fromUtf8(name));
      fs.addFile(paths.back(), 2'000'000 + i, {2010, 5, 27, 10, 30, 0});
    }
  }
  platform::MemoryFileSystem fs;
  std::vector<std::u16string> paths;
};

Fixture& fixture() {
  static Fixture instance;
  return instance;
}

void runJob(benchmark::State& state, const engine::RenameJob& job) {
  Fixture& f = fixture();
  const platform::FixedLocale locale;
  platform::SilentMessages messages(true);
  const config::LanguageTable language;
  engine::SpecialStrings specials(f.fs, locale, 1);
  const std::u16string folder = u"C:\\Photos\\";
  for (auto _ : state) {
    specials.resetCounters(job);
    for (const std::u16string& path : f.paths) {
      const engine::ItemResult result = engine::computeNewName(job, path, f.fs, specials);
      if (result.kind == engine::ItemResult::Kind::NewName) {
        benchmark::DoNotOptimize(
            engine::finishName(f.fs, messages, language, path, folder, result.base, result.ext));
        specials.advanceCounters(job);
      }
    }
  }
  state.SetItemsProcessed(state.iterations() * kItems);
  state.counters["ns_per_name"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kItems,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void splitOnly(benchmark::State& state) {
  Fixture& f = fixture();
  for (auto _ : state) {
    for (const std::u16string& path : f.paths)
      benchmark::DoNotOptimize(engine::splitPath(f.fs, path));
  }
  state.SetItemsProcessed(state.iterations() * kItems);
  state.counters["ns_per_name"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kItems,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

using Setup = std::function<void(engine::RenameJob&)>;

struct Case {
  const char* name;
  engine::EditMode mode;
  Setup setup;
};

const std::vector<Case>& cases() {
  using namespace engine;
  static const std::vector<Case> all = {
      {"Remove/Strings", EditMode::Removpart, [](RenameJob& j) { j.removeText1 = u"holiday"; }},
      {"Remove/MousePart", EditMode::Removpart,
       [](RenameJob& j) {
         j.removeKind = RemoveKind::RemovePart;
         j.selectionStart = 0, j.selectionLength = 4, j.sampleLength = 30;
       }},
      {"Remove/Between", EditMode::Removpart,
       [](RenameJob& j) {
         j.removeKind = RemoveKind::RemovePart;
         j.removePartKind = RemovePartKind::BetweenStrings;
         j.betweenLeft = u"(", j.betweenRight = u")", j.betweenAlsoRemove = true;
       }},
      {"Remove/AllNumbers", EditMode::Removpart,
       [](RenameJob& j) {
         j.removeKind = RemoveKind::RemovePart;
         j.removePartKind = RemovePartKind::AllNumbers;
       }},
      {"Remove/KeepStrings", EditMode::Removpart,
       [](RenameJob& j) {
         j.removeKind = RemoveKind::KeepPart;
         j.keepPartKind = KeepPartKind::KeepStrings;
         j.keepText1 = u"Paris", j.keepText2 = u"IMG";
       }},
      {"Remove/CleanSymbols", EditMode::Removpart,
       [](RenameJob& j) { j.removeKind = RemoveKind::CleanSymbols; }},
      {"Replace/String", EditMode::Replapart,
       [](RenameJob& j) { j.replaceOld = u"holiday", j.replaceNew = u"Trip"; }},
      {"Replace/MousePart", EditMode::Replapart,
       [](RenameJob& j) {
         j.replaceKind = ReplaceKind::ReplaceMousePart;
         j.selectionStart = 0, j.selectionLength = 3, j.sampleLength = 30, j.replaceNew = u"PIC";
       }},
      {"Insert/HeadEndCursor", EditMode::Addnewnum,
       [](RenameJob& j) {
         j.insertHeadOn = j.insertEndOn = j.insertCursorOn = true;
         j.insertHeadText = u"2010 ", j.insertEndText = u" v2", j.insertCursorText = u"-";
         j.cursorPosition = 4;
       }},
      {"Insert/AtString", EditMode::Addnewnum,
       [](RenameJob& j) {
         j.insertKind = InsertKind::InsertAtString;
         j.insertAnchor = u"Paris", j.insertStringText = u"France ";
       }},
      {"Change/ToNew", EditMode::Changnew, [](RenameJob& j) { j.newNameText = u"Paris trip"; }},
      {"Change/Lower", EditMode::Changnew,
       [](RenameJob& j) { j.changeKind = ChangeKind::ConvertCase; }},
      {"Change/EveryWord", EditMode::Changnew,
       [](RenameJob& j) {
         j.changeKind = ChangeKind::ConvertCase, j.caseKind = CaseKind::EveryWord;
       }},
      {"Extension/Change", EditMode::Changexten,
       [](RenameJob& j) { j.oldExtension = u".jpg", j.newExtension = u".jpeg"; }},
      {"Extension/Case", EditMode::Changexten,
       [](RenameJob& j) { j.extensionKind = ExtensionKind::ConvertExtensionCase; }},
      {"Special/Replace$$", EditMode::Replapart,
       [](RenameJob& j) { j.replaceOld = u"IMG_", j.replaceNew = u"$$$$$_"; }},
      {"Special/ChangeFolder$$", EditMode::Changnew,
       [](RenameJob& j) { j.newNameText = u"%% $$$$$$"; }},
      {"Special/InsertLetter", EditMode::Addnewnum,
       [](RenameJob& j) { j.insertEndOn = true, j.insertEndText = u" {a}$$"; }},
  };
  return all;
}

void registerAll() {
  benchmark::RegisterBenchmark("Baseline/SplitOnly", splitOnly)->Unit(benchmark::kMillisecond);
  for (const Case& c : cases()) {
    engine::RenameJob job;
    job.editMode = c.mode;
    c.setup(job);
    benchmark::RegisterBenchmark(c.name, [job](benchmark::State& state) {
      runJob(state, job);
    })->Unit(benchmark::kMillisecond);
  }
}

}  // namespace

int main(int argc, char** argv) {
  registerAll();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
