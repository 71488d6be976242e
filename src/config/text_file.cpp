#include "config/text_file.h"
