#include "config/new_name_list.h"
