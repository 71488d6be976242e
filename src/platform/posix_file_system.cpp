#include "platform/posix_file_system.h"
