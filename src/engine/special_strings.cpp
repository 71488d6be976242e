#include "engine/special_strings.h"
