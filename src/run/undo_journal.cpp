#include "run/undo_journal.h"
