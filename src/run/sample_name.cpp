#include "run/sample_name.h"
