#include "config/language_files.h"
