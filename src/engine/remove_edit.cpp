#include "engine/remove_edit.h"
