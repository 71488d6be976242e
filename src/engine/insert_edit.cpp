#include "engine/insert_edit.h"
