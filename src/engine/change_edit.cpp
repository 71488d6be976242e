#include "engine/change_edit.h"
