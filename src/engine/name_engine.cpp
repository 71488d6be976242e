#include "engine/name_engine.h"
