#include "platform/posix_locale.h"
