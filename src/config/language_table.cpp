#include "config/language_table.h"
