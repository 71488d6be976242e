#include "engine/replace_edit.h"
