#include "engine/name_checks.h"
