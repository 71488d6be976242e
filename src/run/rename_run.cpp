#include "run/rename_run.h"
