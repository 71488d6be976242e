#pragma once

#include <string>

#include "config/app_settings.h"
#include "config/language_table.h"
#include "config/new_name_list.h"
#include "engine/name_engine.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/locale.h"
#include "platform/messages.h"
#include "platform/shell.h"
#include "run/run_ports.h"
#include "run/run_state.h"
#include "run/undo_journal.h"

namespace tessaline::run {

// Everything a rename command, a run, an undo or an export works with. The
// host owns the objects; the context only refers to them.
struct RunContext {
  platform::FileSystem& fs;
  platform::Messages& messages;
  platform::Shell& shell;
  const platform::Clock& clock;
  const config::LanguageTable& language;
  const config::AppSettings& settings;
  config::NewNameList& newNames;
  engine::NameEngine& engine;
  UndoJournal& journal;
  RunState& state;
  PreviewSink& preview;
  Progress& progress;
  RenameErrorNotice& notice;
  FileListView& list;
  EventPump& pump;
  RunHost& host;
  SaveDialog& saveDialog;
  std::u16string endSoundPath;  // "end.wav" beside the program
  // The user's number formats (the decimal separator of saved sizes); "."
  // is used while none is given.
  const platform::Locale* locale = nullptr;
};

}  // namespace tessaline::run
