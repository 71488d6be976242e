#include "run/undo.h"
