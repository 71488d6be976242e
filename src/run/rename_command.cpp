#include "run/rename_command.h"
