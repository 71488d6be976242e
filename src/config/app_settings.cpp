#include "config/app_settings.h"
