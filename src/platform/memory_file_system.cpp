#include "platform/memory_file_system.h"
