#include "export/name_list_export.h"
